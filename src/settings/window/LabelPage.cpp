#include "settings/window/LabelPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "settings/model/SettingsModel.h"
#include "settings/window/ColourPicker.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"

namespace galewarden {
namespace {

constexpr int kTextLines = 3;

ColourPicker* colourPicker(QWidget* parent, const char* name, ColourValue& field) {
    auto* picker = new ColourPicker(parent);
    picker->setObjectName(QString::fromLatin1(name));
    QObject::connect(picker, &ColourPicker::valueChanged,
                     [&field](ColourValue value) { field = value; });
    return picker;
}

}  // namespace

LabelPage::LabelPage(PageContext context, QWidget* parent) : QWidget(parent), context_(context) {
    QVBoxLayout* page = pageLayout(this);
    auto* top = new QHBoxLayout;
    top->addSpacing(kSelectorRoom + kRowIndent);
    show_ = boundCheck(this, "labelShow", QStringLiteral("&L.启用标签"), context_.model.labelShow);
    top->addWidget(show_);
    top->addStretch();
    page->addSpacing(2);
    page->addLayout(top);
    page->addSpacing(2);
    buildPlaceGroup();
    buildTextGroup();
    useName_ =
        boundCheck(this, "labelUseName", QStringLiteral("&A.使用“%s”表示地名（预警图标取消折叠）"),
                   context_.model.labelUseName);
    page->addWidget(useName_);
    page->addStretch();
}

void LabelPage::buildPlaceGroup() {
    SettingsModel& model = context_.model;
    auto* group = new QGroupBox(QStringLiteral("标签位置"), this);
    QGridLayout* grid = groupGrid(group);
    posX_ = boundNumberEdit(group, "labelPosX", model.labelPosX, true);
    posY_ = boundNumberEdit(group, "labelPosY", model.labelPosY, true);
    width_ = boundNumberEdit(group, "labelWidth", model.labelWidth);
    height_ = boundNumberEdit(group, "labelHeight", model.labelHeight);
    addEditPair(grid, 0, {posX_, QStringLiteral("&X.相对横坐标：")},
                {posY_, QStringLiteral("&Y.相对纵坐标：")});
    addEditPair(grid, 1, {width_, QStringLiteral("&W.标签宽度：")},
                {height_, QStringLiteral("&H.标签高度：")});
    pageLayoutOf(this)->addWidget(group);
}

void LabelPage::buildTextGroup() {
    SettingsModel& model = context_.model;
    auto* group = new QGroupBox(QStringLiteral("标签文本"), this);
    QGridLayout* grid = groupGrid(group);
    text_ = new QPlainTextEdit(group);
    text_->setObjectName(QStringLiteral("labelText"));
    text_->setTabChangesFocus(true);
    text_->setFixedHeight(text_->fontMetrics().lineSpacing() * kTextLines + 10);
    connect(text_, &QPlainTextEdit::textChanged, this,
            [this] { context_.model.labelText = typedText(text_->toPlainText()); });
    color_ = colourPicker(group, "labelColor", model.labelColor);
    bgColor_ = colourPicker(group, "labelBgColor", model.labelBgColor);
    size_ = boundNumberEdit(group, "labelSize", model.labelSize);
    align_ = new QComboBox(group);
    align_->setObjectName(QStringLiteral("labelAlign"));
    align_->addItems({QStringLiteral("靠左"), QStringLiteral("居中"), QStringLiteral("靠右")});
    connect(align_, &QComboBox::currentIndexChanged, this,
            [this](int index) { context_.model.labelAlign = index; });

    grid->addWidget(captionFor(text_, QStringLiteral("&T.文本：")), 0, 0, Qt::AlignTop);
    grid->addWidget(text_, 0, 1, 1, 3);
    grid->addWidget(captionFor(color_, QStringLiteral("&C.颜色：")), 1, 0);
    grid->addWidget(color_, 1, 1);
    grid->addWidget(captionFor(bgColor_, QStringLiteral("&B.背景：")), 1, 2);
    grid->addWidget(bgColor_, 1, 3);
    addEdit(grid, 2, 0, {size_, QStringLiteral("&S.大小：")});
    grid->addWidget(captionFor(align_, QStringLiteral("&A.对齐：")), 2, 2);
    grid->addWidget(align_, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    pageLayoutOf(this)->addWidget(group);
}

void LabelPage::showValues() {
    const SettingsModel& model = context_.model;
    showField(show_, model.labelShow);
    showField(posX_, model.labelPosX);
    showField(posY_, model.labelPosY);
    showField(width_, model.labelWidth);
    showField(height_, model.labelHeight);
    text_->setPlainText(shownText(model.labelText));
    color_->setValue(model.labelColor);
    bgColor_->setValue(model.labelBgColor);
    showField(size_, model.labelSize);
    align_->setCurrentIndex(model.labelAlign);
    showField(useName_, model.labelUseName);
}

}  // namespace galewarden
