#include "settings/window/SettingsWindow.h"

#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>

#include "settings/window/AdvancedPage.h"
#include "settings/window/BasicPage.h"
#include "settings/window/IconDownloadPage.h"
#include "settings/window/LabelPage.h"
#include "settings/window/LevelPage.h"
#include "settings/window/ParsingPage.h"
#include "settings/window/SettingsControls.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"
#include "ui/WriteFailure.h"

namespace galewarden {
namespace {

constexpr QSize kClientSize(320, 368);
constexpr QRect kPageArea(0, 0, 320, 336);
constexpr QRect kSelectorRect(4, 4, 100, 24);
constexpr QRect kSeparatorRect(0, 336, 320, 1);
constexpr int kButtonTop = 340;
constexpr QSize kButtonSize(72, 24);
constexpr int kParsingPage = 2;

const char* const kPageTitles[SettingsWindow::kPageCount] = {"基本设置", "级别设置", "解析设置",
                                                             "标签设置", "图标下载", "高级设置"};

// Where a number field lives and what the message calls it.
struct NumberFieldView {
    const char* objectName;
    const char* caption;
    int page;
};
constexpr NumberFieldView kNumberFieldViews[kNumberFieldCount] = {
    {"iconWidth", "预警窗口宽度", 0},  {"iconHeight", "预警窗口高度", 0},
    {"iconTop", "预警窗口顶距", 0},    {"iconRight", "预警窗口右距", 0},
    {"reshowTime", "再次显示间隔", 0}, {"interval", "播放切换间隔", 0},
    {"labelPosX", "相对横坐标", 3},    {"labelPosY", "相对纵坐标", 3},
    {"labelWidth", "标签宽度", 3},     {"labelHeight", "标签高度", 3},
    {"labelSize", "大小", 3},          {"screenBasic", "全屏窗口基数", 5},
};

QPushButton* bottomButton(QWidget* parent, const char* name, const QString& caption, int left) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(QRect(QPoint(left, kButtonTop), kButtonSize));
    return button;
}

QAction* menuAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

SettingsWindow::SettingsWindow(ConfigStore store, SettingsServices services)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      store_(std::move(store)),
      services_(std::move(services)) {
    setWindowTitle(QStringLiteral("设置"));
    setFont(interfaceFont());
    model_.load(store_);
    buildPages();
    buildBottomRow();
    buildExitMenu();
    setFixedSize(kClientSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    showValues();
    basicPage_->startVersionLine();
}

// The pages' controls write into the working copy until they are gone, so they go first.
SettingsWindow::~SettingsWindow() {
    delete pages_;
}

void SettingsWindow::buildPages() {
    const PageContext context{model_, services_, store_};
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    pages_->setGeometry(kPageArea);
    basicPage_ = new BasicPage(context, pages_);
    levelPage_ = new LevelPage(context, pages_);
    parsingPage_ = new ParsingPage(context, pages_);
    labelPage_ = new LabelPage(context, pages_);
    iconPage_ = new IconDownloadPage(context, pages_);
    advancedPage_ = new AdvancedPage(context, pages_);
    for (QWidget* page : std::initializer_list<QWidget*>{basicPage_, levelPage_, parsingPage_,
                                                         labelPage_, iconPage_, advancedPage_}) {
        pages_->addWidget(page);
    }
    connect(basicPage_, &BasicPage::wizardRequested, this, &SettingsWindow::openWizard);
    connect(basicPage_, &BasicPage::editDistrictsRequested, this,
            [this] { showPage(kParsingPage); });
    connect(basicPage_, &BasicPage::useVendorChanged, parsingPage_,
            [this](bool ticked) { parsingPage_->setJsonRulesEnabled(!ticked); });
    connect(parsingPage_, &ParsingPage::districtsChanged, this,
            &SettingsWindow::refreshDistrictSummary);

    pageSelector_ = new QComboBox(this);
    pageSelector_->setObjectName(QStringLiteral("pageSelector"));
    pageSelector_->setGeometry(kSelectorRect);
    for (int page = 0; page < kPageCount; ++page) {
        pageSelector_->addItem(QString::number(page + 1) + QStringLiteral(". ") +
                               QString::fromUtf8(kPageTitles[page]));
    }
    connect(pageSelector_, &QComboBox::currentIndexChanged, pages_,
            &QStackedWidget::setCurrentIndex);
    pageSelector_->raise();
}

void SettingsWindow::buildBottomRow() {
    auto* separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    separator->setGeometry(kSeparatorRect);
    const int width = kClientSize.width();
    const int margin = 6;
    QPushButton* cancel = bottomButton(this, "cancelButton", QStringLiteral("取消"), margin);
    QPushButton* exit = bottomButton(this, "exitButton", QStringLiteral("退出程序"),
                                     (width - kButtonSize.width()) / 2);
    saveButton_ = bottomButton(this, "saveButton", QStringLiteral("保存"),
                               width - margin - kButtonSize.width());
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
    connect(exit, &QPushButton::clicked, this, [this] { exitMenu_->popup(QCursor::pos()); });
    connect(saveButton_, &QPushButton::clicked, this, &SettingsWindow::save);
}

void SettingsWindow::buildExitMenu() {
    exitMenu_ = new QMenu(QStringLiteral("退出选项"), this);
    exitMenu_->setObjectName(QStringLiteral("exitMenu"));
    exitMenu_->setFont(interfaceFont());
    QAction* exit = menuAction(exitMenu_, "exitAction", QStringLiteral("&X.退出程序"));
    QAction* restart = menuAction(exitMenu_, "restartAction", QStringLiteral("&R.重启程序"));
    exitMenu_->addSeparator();
    QAction* force = menuAction(exitMenu_, "forceExitAction", QStringLiteral("强制退出程序"));
    exitMenu_->addSeparator();
    QAction* reset = menuAction(exitMenu_, "resetAction", QStringLiteral("重置所有配置"));
    connect(exit, &QAction::triggered, this, [this] { exitBy(services_.exitProgram); });
    connect(restart, &QAction::triggered, this, [this] { exitBy(services_.restartProgram); });
    connect(force, &QAction::triggered, this, [this] {
        if (services_.forceExit) {
            services_.forceExit();
        }
    });
    // The service asks first and ends the program, and this window with it, on Yes.
    connect(reset, &QAction::triggered, this, [this] {
        if (services_.resetAndRestart) {
            services_.resetAndRestart(this);
        }
    });
}

void SettingsWindow::showValues() {
    basicPage_->showValues();
    levelPage_->showValues();
    parsingPage_->showValues();
    labelPage_->showValues();
    iconPage_->showValues();
    advancedPage_->showValues();
    refreshDistrictSummary();
}

void SettingsWindow::showPage(int index) {
    pageSelector_->setCurrentIndex(index);
}

void SettingsWindow::refreshDistrictSummary() {
    basicPage_->showDistrictSummary();
    parsingPage_->showDistrictCount();
}

bool SettingsWindow::numbersAccepted() {
    const auto field = model_.firstInvalidNumber();
    if (!field) {
        return true;
    }
    const NumberFieldView& view = kNumberFieldViews[static_cast<std::size_t>(*field)];
    showPage(view.page);
    MessageBox::ask({QStringLiteral("设置"),
                     QStringLiteral("“") + QString::fromUtf8(view.caption) +
                         QStringLiteral("”须填写整数，请改正后再保存。"),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, this});
    if (auto* edit = findChild<QLineEdit*>(QString::fromLatin1(view.objectName))) {
        edit->setFocus();
        edit->selectAll();
    }
    return false;
}

void SettingsWindow::save() {
    if (basicPage_->refreshTimesBelowMinimum()) {
        showPage(0);
        basicPage_->refreshTimesAccepted();
        return;
    }
    if (!numbersAccepted()) {
        return;
    }
    if (MessageBox::ask({QStringLiteral("设置"), QStringLiteral("确定保存所做的更改？"),
                         MessageIcon::question, MessageButtons::yesNo, MessageAnswer::yes, this}) !=
        MessageAnswer::yes) {
        return;
    }
    saveButton_->setEnabled(false);
    if (model_.save(store_)) {
        showWriteFailure(store_, QStringLiteral("设置"), this);
    } else {
        if (services_.settingsSaved) {
            services_.settingsSaved();
        }
        MessageBox::ask(
            {QStringLiteral("设置"),
             QStringLiteral("设置已保存。\n部分配置会在下次预警刷新时生效，或需要重新启动程序。"),
             MessageIcon::none, MessageButtons::ok, MessageAnswer::ok, this});
    }
    saveButton_->setEnabled(true);
}

// Unsaved changes are dropped with the window.
void SettingsWindow::openWizard() {
    const auto open = services_.openSetupWizard;
    close();
    if (open) {
        open();
    }
}

void SettingsWindow::exitBy(const std::function<void()>& action) {
    const auto run = action;
    close();
    if (run) {
        run();
    }
}

}  // namespace galewarden
