#include "settings/wizard/WizardPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/alerts/source/SourcePresets.h"
#include "core/config/ServiceHosts.h"
#include "core/platform/Autostart.h"
#include "settings/wizard/WizardLinkLine.h"
#include "settings/wizard/WizardPreview.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

QVBoxLayout* pageLayout(QStackedWidget* pages, const QString& heading) {
    auto* page = new QWidget(pages);
    pages->addWidget(page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(10, 8, 10, 6);
    layout->setSpacing(5);
    auto* title = new QLabel(heading, page);
    title->setObjectName(QStringLiteral("heading"));
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    title->setWordWrap(true);
    layout->addWidget(title);
    return layout;
}

QLabel* textLine(QVBoxLayout* layout, const QString& text) {
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    layout->addWidget(label);
    return label;
}

// Notes are asides: a little smaller and greyer than the questions they explain.
QLabel* noteLine(QVBoxLayout* layout, const QString& text) {
    QLabel* label = textLine(layout, text);
    label->setObjectName(QStringLiteral("note"));
    QFont font = label->font();
    font.setPixelSize(11);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color:#555555"));
    return label;
}

QCheckBox* checkLine(QVBoxLayout* layout, const QString& caption, const char* name) {
    auto* box = new QCheckBox(caption);
    box->setObjectName(QString::fromLatin1(name));
    // As wide as its caption: a click beside it should not tick it.
    layout->addWidget(box, 0, Qt::AlignLeft);
    return box;
}

QLineEdit* numberEdit(QGridLayout* grid, const QString& caption, const char* name, int row,
                      int column) {
    auto* edit = new QLineEdit;
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(48);
    grid->addWidget(new QLabel(caption), row, column);
    grid->addWidget(edit, row, column + 1);
    return edit;
}

void buildWelcome(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("欢迎使用“Corvane气象灾害预警监测”"));
    textLine(layout, QStringLiteral("全国气象灾害预警信号监测软件可监测中国大陆大多数地区的气象灾害"
                                    "预警信号，通过托盘气泡提示、图标顶端显示等方式提醒，自动识别"
                                    "预警信号的变动与解除。"));
    controls.versionLine = textLine(layout, {});
    controls.versionLine->setObjectName(QStringLiteral("versionLine"));
    auto* site = new WizardLinkLine(QStringLiteral("官网："), toQString(webHostBase()));
    site->setObjectName(QStringLiteral("siteLink"));
    layout->addWidget(site);
    layout->addStretch();
    controls.startSetup = new QLabel(
        QStringLiteral("<a href=\"#start\" style=\"color:#0044FF\">单击此处开始设置</a>"));
    controls.startSetup->setObjectName(QStringLiteral("startSetup"));
    layout->addWidget(controls.startSetup, 0, Qt::AlignLeft);
}

void buildAutoRun(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("是否需要开机自动运行此程序？"));
    controls.autoRun = checkLine(
        layout,
        kAutostartNeedsElevation ? QStringLiteral("自动启动（UAC）") : QStringLiteral("自动启动"),
        "autoRunBox");
    noteLine(layout, QStringLiteral("开机自动运行通过登录时的自动启动项实现（~/.config/autostart/"
                                    "galewarden.desktop），无需管理员权限。\n建议勾选此选项，使程"
                                    "序能在计算机启动后自动运行以获取最新预警信息。"));
    layout->addStretch();
}

void buildAutoCheck(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("启动程序时是否需要自动检查更新？"));
    controls.autoCheck = checkLine(layout, QStringLiteral("自动检查更新"), "autoCheckBox");
    noteLine(layout,
             QStringLiteral("尽管目前应用程序暂不会自动更新自身，但仍然建议开启此项。开启后，在程序"
                            "启动时会自动检查最新版本。若检测到更新的版本，程序会通过托盘通知您。检"
                            "测到普通更新时只会提示一次，直到出现更新的版本；检测到重要更新时每次启"
                            "动程序都将会提示，因为此时旧版本可能不再可用。\n您可以打开下方地址获取"
                            "最新版本。"));
    layout->addStretch();
    auto* download =
        new WizardLinkLine(QStringLiteral("获取更新："),
                           toQString(webHostBase()) + QStringLiteral("/Download/#Galewarden"));
    download->setObjectName(QStringLiteral("updateLink"));
    layout->addWidget(download);
}

void buildUpdatesFromPackages(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("启动程序时是否需要自动检查更新？"));
    controls.autoCheck = checkLine(layout, QStringLiteral("自动检查更新"), "autoCheckBox");
    controls.autoCheck->setEnabled(false);
    noteLine(layout, QStringLiteral("本程序随系统的软件包一起更新，由系统的软件包管理器安装新版本，"
                                    "因此无需检查更新。"));
    layout->addStretch();
}

// "数据源：" with the presets, the vendor's service, and the user's own rules when they are.
QHBoxLayout* sourceRow(WizardControls& controls) {
    auto* row = new QHBoxLayout;
    controls.source = new QComboBox;
    controls.source->setObjectName(QStringLiteral("sourceChoice"));
    for (const SourcePreset& preset : sourcePresets()) {
        controls.source->addItem(toQString(preset.name), QString::fromStdString(preset.id));
        controls.source->setItemData(controls.source->count() - 1,
                                     toQString(preset.description + preset.loses), Qt::ToolTipRole);
    }
    controls.source->addItem(
        QStringLiteral("Corvane数据源"),
        QString::fromUtf8(kVendorSourceId.data(), static_cast<qsizetype>(kVendorSourceId.size())));
    row->addWidget(new QLabel(QStringLiteral("数据源：")));
    row->addWidget(controls.source, 1);
    return row;
}

void buildDistricts(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout =
        pageLayout(pages, QStringLiteral("需要定制哪些行政区或中心气象台的气象预警？"));
    auto* row = new QHBoxLayout;
    controls.districts = new QLineEdit;
    controls.districts->setObjectName(QStringLiteral("districtEdit"));
    controls.chooseDistricts = new QPushButton(QStringLiteral("选择"));
    controls.chooseDistricts->setObjectName(QStringLiteral("chooseDistrictsButton"));
    row->addWidget(controls.districts);
    row->addWidget(controls.chooseDistricts);
    layout->addLayout(row);
    layout->addLayout(sourceRow(controls));
    noteLine(layout,
             QStringLiteral("请单击右侧“选择”按钮，选择需要定制的行政区或中心气象台，最多可设置200"
                            "个。（需要互联网）\n除非处于离线状态，否则不建议通过文字直接修改，因为"
                            "设置不正确可能导致功能异常。同时定制多个城市或中心气象台请使用半角空格"
                            "分隔。\n默认数据源为中国气象局的全国预警信号地图，更多解析设置可在向导"
                            "完成后进行。"));
    layout->addStretch();
}

void buildPlacement(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("预警图标显示在屏幕的什么位置？"));
    auto* row = new QHBoxLayout;
    controls.preview = new WizardPreview;
    row->addWidget(controls.preview);
    auto* grid = new QGridLayout;
    controls.width = numberEdit(grid, QStringLiteral("宽度："), "widthEdit", 0, 0);
    controls.height = numberEdit(grid, QStringLiteral("高度："), "heightEdit", 0, 2);
    controls.top = numberEdit(grid, QStringLiteral("顶距："), "topEdit", 1, 0);
    controls.right = numberEdit(grid, QStringLiteral("右距："), "rightEdit", 1, 2);
    controls.choosePosition = new QPushButton(QStringLiteral("选择位置"));
    controls.choosePosition->setObjectName(QStringLiteral("choosePositionButton"));
    grid->addWidget(controls.choosePosition, 2, 0, 1, 4);
    row->addLayout(grid);
    layout->addLayout(row);
    noteLine(layout,
             QStringLiteral("请指定预警图标在屏幕中的大小和位置。\n大小建议保持默认的100px宽与82px"
                            "高。若需修改请保持50:41或5:4的宽高比，保持与预警图标文件相同的比例。"
                            "\n您可以单击右侧的“选择位置”按钮方便地进行选择。"));
    layout->addStretch();
    textLine(layout, QStringLiteral("您可以在设置完成后关闭预警图标的显示。"));
}

void buildDone(QStackedWidget* pages, WizardControls& controls) {
    QVBoxLayout* layout = pageLayout(pages, QStringLiteral("恭喜，基础设置已完成"));
    textLine(layout,
             QStringLiteral(
                 "若需要更多设置，诸如数据源和刷新频率等，请在稍后右键通知区域"
                 "（系统托盘）中的程序图标，点击“设置”查看。\n现在，单击“完成”按钮就可以开始使"
                 "用了。"));
    controls.summary = new QPlainTextEdit;
    controls.summary->setObjectName(QStringLiteral("summaryBox"));
    controls.summary->setReadOnly(true);
    layout->addWidget(controls.summary, 1);
}

}  // namespace

WizardControls buildWizardPages(QWidget* parent, bool updatesFromPackages) {
    WizardControls controls;
    controls.pages = new QStackedWidget(parent);
    controls.pages->setObjectName(QStringLiteral("pages"));
    buildWelcome(controls.pages, controls);
    buildAutoRun(controls.pages, controls);
    if (updatesFromPackages) {
        buildUpdatesFromPackages(controls.pages, controls);
    } else {
        buildAutoCheck(controls.pages, controls);
    }
    buildDistricts(controls.pages, controls);
    buildPlacement(controls.pages, controls);
    buildDone(controls.pages, controls);
    return controls;
}

}  // namespace galewarden
