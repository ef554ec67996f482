#include "settings/window/LevelPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include "settings/model/AlphaLabel.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"

namespace galewarden {
namespace {

struct BlockText {
    const char* name;
    const char* title;
};

constexpr std::array<BlockText, kLevelCount> kBlocks{{
    {"blue", "蓝色预警："},
    {"yellow", "黄色预警："},
    {"orange", "橙色预警："},
    {"red", "红色预警："},
}};

constexpr int kLargestAlpha = 255;

QString nameOf(std::size_t level, const char* part) {
    return QString::fromLatin1(kBlocks[level].name) + QString::fromLatin1(part);
}

}  // namespace

LevelPage::LevelPage(PageContext context, QWidget* parent) : QWidget(parent), context_(context) {
    QVBoxLayout* page = pageLayout(this, true);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
        buildBlock(level);
    }
    page->addStretch();
}

void LevelPage::buildBlock(std::size_t level) {
    LevelSettings& settings = context_.model.levels[level];
    auto* group = new QGroupBox(QString::fromUtf8(kBlocks[level].title), this);
    QGridLayout* grid = groupGrid(group);
    Block& block = blocks_[level];
    block.alpha = new QSlider(Qt::Horizontal, group);
    block.alpha->setObjectName(nameOf(level, "Alpha"));
    block.alpha->setRange(0, kLargestAlpha);
    block.alphaLabel = new QLabel(group);
    block.alphaLabel->setObjectName(nameOf(level, "AlphaLabel"));
    block.show = boundCheck(group, nameOf(level, "Show").toLatin1().constData(),
                            QStringLiteral("显示图标"), settings.show);
    block.top = boundCheck(group, nameOf(level, "Top").toLatin1().constData(),
                           QStringLiteral("前端显示"), settings.top);
    connect(block.alpha, &QSlider::valueChanged, this, [this, level](int position) {
        context_.model.levels[level].alpha = position;
        refreshAlphaLabel(level);
    });
    grid->addWidget(new QLabel(QStringLiteral("窗口不透明度："), group), 0, 0);
    grid->addWidget(block.alpha, 0, 1, 1, 3);
    grid->addWidget(block.show, 1, 0);
    grid->addWidget(block.top, 1, 1);
    grid->addWidget(block.alphaLabel, 1, 2, 1, 2, Qt::AlignRight);
    pageLayoutOf(this)->addWidget(group);
}

void LevelPage::showValues() {
    for (std::size_t level = 0; level < kLevelCount; ++level) {
        const LevelSettings& settings = context_.model.levels[level];
        Block& block = blocks_[level];
        block.alpha->setValue(settings.alpha);
        showField(block.show, settings.show);
        showField(block.top, settings.top);
        refreshAlphaLabel(level);
    }
}

void LevelPage::refreshAlphaLabel(std::size_t level) {
    blocks_[level].alphaLabel->setText(
        QString::fromStdString(alphaLabelText(blocks_[level].alpha->value())));
}

}  // namespace galewarden
