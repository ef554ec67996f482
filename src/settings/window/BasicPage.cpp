#include "settings/window/BasicPage.h"

#include <QCheckBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "core/platform/Autostart.h"
#include "galewarden/Version.h"
#include "settings/model/RefreshTimeRule.h"
#include "settings/model/SettingsModel.h"
#include "settings/services/SettingsServices.h"
#include "settings/update_views/UpdateChecker.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"
#include "ui/MessageBox.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {}  // namespace

BasicPage::BasicPage(PageContext context, QWidget* parent) : QWidget(parent), context_(context) {
    auto* top = new QHBoxLayout;
    top->addSpacing(kSelectorRoom);
    top->addStretch();
    QPushButton* wizard = namedButton(QStringLiteral("★快速设置向导"), "wizardButton", this);
    QPushButton* placement =
        namedButton(QStringLiteral("选取预警窗口位置"), "placementButton", this);
    top->addWidget(wizard);
    top->addWidget(placement);
    connect(wizard, &QPushButton::clicked, this, &BasicPage::wizardRequested);
    connect(placement, &QPushButton::clicked, this, &BasicPage::exchangePlacement);

    auto* page = pageLayout(this);
    page->addLayout(top);
    buildIconGroup();
    buildDistrictRow();
    buildRefreshGroup();
    buildSourceGroup();
    buildLastRows();
    page->addStretch();
}

void BasicPage::buildIconGroup() {
    SettingsModel& model = context_.model;
    auto* group = new QGroupBox(QStringLiteral("预警窗口设置"), this);
    auto* grid = groupGrid(group);
    iconWidth_ = boundNumberEdit(group, "iconWidth", model.iconWidth);
    iconHeight_ = boundNumberEdit(group, "iconHeight", model.iconHeight);
    iconTop_ = boundNumberEdit(group, "iconTop", model.iconTop, signAllowed(NumberField::iconTop));
    iconRight_ =
        boundNumberEdit(group, "iconRight", model.iconRight, signAllowed(NumberField::iconRight));
    mouseOver_ =
        boundCheck(group, "mouseOver", QStringLiteral("鼠标滑过时自动隐藏"), model.mouseOver);
    reshowTime_ = boundNumberEdit(group, "reshowTime", model.reshowTime);
    interval_ = boundNumberEdit(group, "interval", model.interval);
    animate_ = boundCheck(group, "animate", QStringLiteral("图标切换时显示动画"), model.animate);
    addEditPair(grid, 0, {iconWidth_, QStringLiteral("&W.预警窗口宽度：")},
                {iconHeight_, QStringLiteral("&H.预警窗口高度：")});
    addEditPair(grid, 1, {iconTop_, QStringLiteral("&T.预警窗口顶距：")},
                {iconRight_, QStringLiteral("&R.预警窗口右距：")});
    grid->addWidget(mouseOver_, 2, 0, 1, 2);
    addEdit(grid, 2, 2, {reshowTime_, QStringLiteral("&A.再次显示间隔：")});
    grid->addWidget(animate_, 3, 0, 1, 2);
    addEdit(grid, 3, 2, {interval_, QStringLiteral("&I.播放切换间隔：")});
    pageLayoutOf(this)->addWidget(group);
}

void BasicPage::buildDistrictRow() {
    auto* row = new QHBoxLayout;
    districtSummary_ = new QLineEdit(this);
    districtSummary_->setObjectName(QStringLiteral("districtSummary"));
    districtSummary_->setReadOnly(true);
    QPushButton* edit = namedButton(QStringLiteral("编辑"), "editDistrictsButton", this);
    connect(edit, &QPushButton::clicked, this, &BasicPage::editDistrictsRequested);
    row->addWidget(new QLabel(QStringLiteral("区域："), this));
    row->addWidget(districtSummary_, 1);
    row->addWidget(edit);
    pageLayoutOf(this)->addLayout(row);
}

void BasicPage::buildRefreshGroup() {
    SettingsModel& model = context_.model;
    auto* group = new QGroupBox(QStringLiteral("预警数据刷新（秒）"), this);
    auto* grid = groupGrid(group);
    // No input restriction here: any text is taken and held to the minimum when left.
    refreshTime_ = boundEdit(group, "refreshTime", model.refreshTime);
    retryTime_ = boundEdit(group, "retryTime", model.retryTime);
    for (QLineEdit* edit : {refreshTime_, retryTime_}) {
        edit->installEventFilter(this);
    }
    addEditPair(grid, 0, {refreshTime_, QStringLiteral("&G.数据刷新间隔：")},
                {retryTime_, QStringLiteral("&F.获取失败重试：")});
    pageLayoutOf(this)->addWidget(group);
}

void BasicPage::buildSourceGroup() {
    auto* group = new QGroupBox(QStringLiteral("Corvane数据源设置"), this);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(kGroupMargins);
    useVendor_ =
        boundCheck(group, "useVendor", QStringLiteral("&N.使用此数据源"), context_.model.useVendor);
    connect(useVendor_, &QCheckBox::toggled, this, &BasicPage::useVendorChanged);
    QPushButton* options = namedButton(QStringLiteral("参数设置 .."), "sourceOptionsButton", group);
    connect(options, &QPushButton::clicked, this, [this] {
        if (context_.services.editSourceOptions) {
            context_.services.editSourceOptions(window());
        }
    });
    row->addWidget(useVendor_);
    row->addStretch();
    row->addWidget(options);
    pageLayoutOf(this)->addWidget(group);
}

void BasicPage::buildLastRows() {
    SettingsModel& model = context_.model;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(kRowIndent, 0, 0, 0);
    notice_ = boundCheck(this, "notice", QStringLiteral("托盘通知提示预警"), model.notice);
    autoCheck_ = boundCheck(this, "autoCheck", QStringLiteral("自动检查更新"), model.autoCheck);
    autoRun_ = boundCheck(
        this, "autoRun",
        kAutostartNeedsElevation ? QStringLiteral("自动启动 (UAC)") : QStringLiteral("自动启动"),
        model.autoRun);
    connect(autoRun_, &QCheckBox::clicked, this, &BasicPage::showAutoRunNotice);
    QPushButton* check = namedButton(QStringLiteral("检查"), "checkButton", this);
    connect(check, &QPushButton::clicked, this, &BasicPage::checkForUpdates);
    versionLine_ = new QLabel(QStringLiteral("当前版本："), this);
    versionLine_->setObjectName(QStringLiteral("versionLine"));
    auto* checkRow = new QHBoxLayout;
    checkRow->addWidget(autoCheck_);
    checkRow->addWidget(check);
    checkRow->addStretch();
    grid->addWidget(notice_, 0, 0);
    grid->addLayout(checkRow, 0, 1);
    grid->addWidget(autoRun_, 1, 0);
    grid->addWidget(versionLine_, 1, 1);
    pageLayoutOf(this)->addLayout(grid);
}

void BasicPage::showValues() {
    const SettingsModel& model = context_.model;
    showField(iconWidth_, model.iconWidth);
    showField(iconHeight_, model.iconHeight);
    showField(iconTop_, model.iconTop);
    showField(iconRight_, model.iconRight);
    showField(mouseOver_, model.mouseOver);
    showField(reshowTime_, model.reshowTime);
    showField(interval_, model.interval);
    showField(animate_, model.animate);
    showField(refreshTime_, model.refreshTime);
    showField(retryTime_, model.retryTime);
    showField(useVendor_, model.useVendor);
    showField(notice_, model.notice);
    showField(autoCheck_, model.autoCheck);
    showField(autoRun_, model.autoRun);
    emit useVendorChanged(model.useVendor);
    showDistrictSummary();
}

void BasicPage::showDistrictSummary() {
    districtSummary_->setText(toQString(context_.model.districts.summary()));
    districtSummary_->setCursorPosition(0);
}

void BasicPage::startVersionLine() {
    if (context_.services.updatesFromPackages) {
        autoCheck_->setEnabled(false);
        findChild<QPushButton*>(QStringLiteral("checkButton"))->setEnabled(false);
        versionLine_->setText(QStringLiteral("当前版本：") + QString::fromLatin1(kVersionText) +
                              QStringLiteral("，更新随系统的软件包提供"));
        return;
    }
    UpdateChecker* updates = context_.services.updates;
    if (updates != nullptr) {
        connect(updates, &UpdateChecker::versionLineChanged, versionLine_, &QLabel::setText);
    }
    if (updates != nullptr && updates->running()) {
        versionLine_->setText(QStringLiteral("正在检查新版本 .."));
        return;
    }
    versionLine_->setText(QStringLiteral("当前版本：") + QString::fromLatin1(kVersionText));
    if (updates != nullptr) {
        updates->checkUnlessSettled(context_.model.autoCheck);
    }
}

void BasicPage::checkForUpdates() {
    UpdateChecker* updates = context_.services.updates;
    if (updates != nullptr && !updates->running()) {
        updates->checkNow();
    }
}

void BasicPage::exchangePlacement() {
    if (!context_.services.pickPosition) {
        return;
    }
    QWidget* settings = window();
    settings->hide();
    const IconPlacement chosen =
        context_.services.pickPosition(settings, context_.model.placement());
    settings->show();
    if (context_.model.takePlacement(chosen)) {
        showValues();
    }
}

// The check waits until the focus has settled, so that no message box opens inside a focus
// change; a window that was closed or left meanwhile is not bothered.
bool BasicPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            QPointer<QLineEdit> edit = static_cast<QLineEdit*>(watched);
            QTimer::singleShot(0, this, [this, edit] {
                if (edit != nullptr && window()->isVisible()) {
                    acceptRefreshTime(edit);
                }
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool BasicPage::refreshTimesBelowMinimum() const {
    return belowRefreshMinimum(context_.model.refreshTime) ||
           belowRefreshMinimum(context_.model.retryTime);
}

bool BasicPage::refreshTimesAccepted() {
    return acceptRefreshTime(refreshTime_) && acceptRefreshTime(retryTime_);
}

bool BasicPage::acceptRefreshTime(QLineEdit* edit) {
    if (!belowRefreshMinimum(fromQString(edit->text()))) {
        return true;
    }
    edit->setText(QString::number(kMinimumRefreshSeconds));
    MessageBox::ask({QStringLiteral("超出范围"),
                     QStringLiteral("预警数据刷新间隔时间必须大于等于%1秒，否则设置将不生效。")
                         .arg(kMinimumRefreshSeconds),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, nullptr});
    edit->setFocus();
    return false;
}

// Automatic start on Linux is an entry of the desktop session, which needs no rights.
void BasicPage::showAutoRunNotice() {
    MessageBox::ask({QStringLiteral("信息："),
                     QStringLiteral("开机自动运行通过登录时的自动启动项实现"
                                    "（~/.config/autostart/galewarden.desktop），"
                                    "保存后生效，无需管理员权限。"),
                     MessageIcon::none, MessageButtons::ok, MessageAnswer::ok, nullptr});
}

}  // namespace galewarden
