#include "settings/window/AdvancedPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/config/ConfigStore.h"
#include "core/platform/FileSystem.h"
#include "core/platform/PluginLibrary.h"
#include "core/platform/ProgramPaths.h"
#include "core/text/CodePage.h"
#include "settings/model/PluginNotice.h"
#include "settings/model/SettingsModel.h"
#include "settings/services/SettingsServices.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"
#include "ui/MessageBox.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr int kBasicEditWidth = 44;

// Whether the library receives its texts converted from the program's code page.
bool libraryTakesUtf8() {
    const std::string sample = gbFromUtf8("文");
    return PluginLibrary::textForLibrary(sample) != sample;
}

void showWriteFailure(const ConfigStore& store, QWidget* owner) {
    MessageBox::ask({QStringLiteral("设置"),
                     QStringLiteral("无法写入配置文件：\n") + toQString(store.filePath()) +
                         QStringLiteral("\n请确认该文件可以读写。"),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, owner});
}

}  // namespace

AdvancedPage::AdvancedPage(PageContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    SettingsModel& model = context_.model;
    QVBoxLayout* page = pageLayout(this, true);
    autoHide_ = boundCheck(this, "autoHide", QStringLiteral("全屏时自动隐藏"), model.autoHide);
    basic_ = boundNumberEdit(this, "screenBasic", model.screenBasic);
    basic_->setMaximumWidth(kBasicEditWidth);
    auto* calibrateButton = new QPushButton(QStringLiteral("校准"), this);
    calibrateButton->setObjectName(QStringLiteral("calibrateButton"));
    connect(calibrateButton, &QPushButton::clicked, this, &AdvancedPage::calibrate);
    auto* basicRow = new QHBoxLayout;
    basicRow->addWidget(captionFor(basic_, QStringLiteral("全屏窗口基数：")));
    basicRow->addWidget(basic_);
    basicRow->addWidget(calibrateButton);
    basicRow->addStretch();
    page->addWidget(autoHide_);
    page->addLayout(basicRow);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    page->addWidget(line);
    saveJson_ = boundCheck(this, "saveJson", QStringLiteral("保存JSON数据"), model.saveJson);
    htmlStart_ = boundCheck(this, "htmlStart", QStringLiteral("替代HTML数据"), model.htmlStart);
    pluginStart_ =
        boundCheck(this, "pluginStart", QStringLiteral("刷新后执行DLL"), model.pluginStart);
    connect(saveJson_, &QCheckBox::clicked, this, &AdvancedPage::chooseJsonFile);
    connect(htmlStart_, &QCheckBox::clicked, this, &AdvancedPage::openHtmlMarker);
    connect(pluginStart_, &QCheckBox::clicked, this, &AdvancedPage::showPluginNotice);
    for (QCheckBox* check : {saveJson_, htmlStart_, pluginStart_}) {
        page->addWidget(check);
    }
    addSoundRow(page);
    page->addStretch();
}

// The choices in the order of SoundFrom.
void AdvancedPage::addSoundRow(QVBoxLayout* page) {
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    page->addWidget(line);
    soundFrom_ = new QComboBox(this);
    soundFrom_->setObjectName(QStringLiteral("soundFrom"));
    soundFrom_->addItems({QStringLiteral("不播放"), QStringLiteral("红色预警"),
                          QStringLiteral("橙色及以上预警"), QStringLiteral("黄色及以上预警"),
                          QStringLiteral("蓝色及以上预警")});
    connect(soundFrom_, &QComboBox::currentIndexChanged, this,
            [this](int index) { context_.model.soundFrom = static_cast<SoundFrom>(index); });
    QPushButton* trySound = namedButton(QStringLiteral("试听"), "trySoundButton", this);
    connect(trySound, &QPushButton::clicked, this, [this] {
        if (context_.services.playWarningSound) {
            context_.services.playWarningSound();
        }
    });
    auto* row = new QHBoxLayout;
    row->addWidget(captionFor(soundFrom_, QStringLiteral("新预警提示音：")));
    row->addWidget(soundFrom_);
    row->addWidget(trySound);
    row->addStretch();
    page->addLayout(row);
}

void AdvancedPage::showValues() {
    const SettingsModel& model = context_.model;
    showField(autoHide_, model.autoHide);
    showField(basic_, model.screenBasic);
    showField(saveJson_, model.saveJson);
    showField(htmlStart_, model.htmlStart);
    showField(pluginStart_, model.pluginStart);
    soundFrom_->setCurrentIndex(static_cast<int>(model.soundFrom));
}

void AdvancedPage::calibrate() {
    if (!context_.services.calibrateFullScreenBase) {
        return;
    }
    if (const auto count = context_.services.calibrateFullScreenBase(window())) {
        context_.model.screenBasic = std::to_string(*count);
        showField(basic_, context_.model.screenBasic);
    }
}

// The chosen file is stored at once; the box stays ticked only while a file is stored.
void AdvancedPage::chooseJsonFile(bool ticked) {
    if (ticked) {
        FileRequest request{FileRequest::Purpose::save,
                            QStringLiteral("保存JSON文件"),
                            {},
                            QStringLiteral("get.json"),
                            QStringLiteral("JSON 文件（*.json）|*.json|所有文件（*.*）|*.*|"),
                            QStringLiteral("json"),
                            window()};
        const auto file = MessageBox::chooseFile(request);
        if (file && !context_.store.write(keys::kJsonLink, fromQString(*file))) {
            showWriteFailure(context_.store, window());
        }
    }
    if (context_.store.read(keys::kJsonLink).empty()) {
        saveJson_->setChecked(false);
    }
}

void AdvancedPage::openHtmlMarker(bool ticked) {
    if (!ticked) {
        return;
    }
    if (context_.services.editHtmlMarker) {
        context_.services.editHtmlMarker();
    }
    if (context_.store.read(keys::kHtmlLocation).empty()) {
        htmlStart_->setChecked(false);
    }
}

void AdvancedPage::showPluginNotice(bool ticked) {
    if (!ticked) {
        return;
    }
    const std::string library = dataDirectory() + "/" + PluginLibrary::relativeName();
    const std::string notice = pluginNoticeText(library, fileExists(library), libraryTakesUtf8());
    const MessageAnswer answer =
        MessageBox::ask({QStringLiteral("DLL触发"), shownText(notice), MessageIcon::exclamation,
                         MessageButtons::okCancel, MessageAnswer::cancel, nullptr});
    if (answer != MessageAnswer::ok) {
        pluginStart_->setChecked(false);
    }
}

}  // namespace galewarden
