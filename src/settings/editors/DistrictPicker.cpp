#include "settings/editors/DistrictPicker.h"

#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>

#include "core/config/ServiceHosts.h"
#include "core/net/HttpClient.h"
#include "settings/editors_model/BundledDistrictEntries.h"
#include "settings/editors_model/DistrictPickerDirectAdd.h"
#include "settings/editors_model/DistrictPickerRequest.h"
#include "ui/InterfaceFont.h"
#include "ui/MessageBox.h"
#include "ui/ModalSession.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

constexpr QSize kPickerClientSize(352, 280);
constexpr int kFilterWidth = 152;

void warn(QWidget* owner, const QString& title, const QString& text) {
    MessageBox::ask(
        {title, text, MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, owner});
}

}  // namespace

DistrictPicker::DistrictPicker(const HttpClient& http, QWidget* owner,
                               const DistrictSelection& chosenBefore)
    : QDialog(owner), http_(http), model_(this) {
    model_.setSelection(chosenBefore);
    setWindowTitle(QStringLiteral("添加行政区或中心气象台"));
    setFont(interfaceFont());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilterRow());
    layout->addWidget(buildResultGroup(), 1);
    layout->addWidget(buildButtonRow());
    connectControls();
    recompute();
    resize(kPickerClientSize);
}

QWidget* DistrictPicker::buildFilterRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(QStringLiteral("筛选："), row));
    province_ = new QComboBox(row);
    province_->setObjectName(QStringLiteral("province"));
    for (const std::string& entry : provinceEntries()) {
        province_->addItem(toQString(entry));
    }
    // Its usual width, or wider where the font needs it to show the longest entry whole.
    province_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    province_->setFixedWidth(std::max(kFilterWidth, province_->sizeHint().width()));
    layout->addWidget(province_);
    filter_ = new QLineEdit(row);
    filter_->setObjectName(QStringLiteral("filter"));
    filter_->setFixedWidth(kFilterWidth);
    layout->addWidget(filter_);
    layout->addStretch();
    return row;
}

QWidget* DistrictPicker::buildResultGroup() {
    auto* group = new QGroupBox(QStringLiteral("筛选结果"), this);
    results_ = group;
    auto* layout = new QVBoxLayout(group);
    list_ = new QListView(group);
    list_->setObjectName(QStringLiteral("list"));
    list_->setModel(&model_);
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(list_, 1);
    auto* countRow = new QHBoxLayout;
    count_ = new QLabel(group);
    count_->setObjectName(QStringLiteral("count"));
    countRow->addWidget(count_, 1);
    tickAll_ = namedButton(QStringLiteral("全选"), "tickAll", group);
    tickNone_ = namedButton(QStringLiteral("全不选"), "tickNone", group);
    countRow->addWidget(tickAll_);
    countRow->addWidget(tickNone_);
    layout->addLayout(countRow);
    return group;
}

QWidget* DistrictPicker::buildButtonRow() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch();
    cancel_ = namedButton(QStringLiteral("&C.取消"), "cancel", row);
    direct_ = namedButton(QStringLiteral("&D.直接添加"), "direct", row);
    ok_ = namedButton(QStringLiteral("&O.确定"), "ok", row);
    layout->addWidget(cancel_);
    layout->addWidget(direct_);
    layout->addWidget(ok_);
    return row;
}

void DistrictPicker::connectControls() {
    connect(province_, &QComboBox::activated, this, &DistrictPicker::download);
    connect(filter_, &QLineEdit::textChanged, this, &DistrictPicker::refill);
    connect(list_, &QListView::doubleClicked, &model_, &DistrictPickerListModel::toggle);
    connect(&model_, &DistrictPickerListModel::ticksChanged, this, &DistrictPicker::recompute);
    connect(tickAll_, &QPushButton::clicked, this, [this] { model_.setAllTicked(true); });
    connect(tickNone_, &QPushButton::clicked, this, [this] { model_.setAllTicked(false); });
    connect(cancel_, &QPushButton::clicked, this, &DistrictPicker::cancel);
    connect(direct_, &QPushButton::clicked, this, &DistrictPicker::addDirectly);
    connect(ok_, &QPushButton::clicked, this, &DistrictPicker::confirm);
}

void DistrictPicker::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownBefore_) {
        return;
    }
    shownBefore_ = true;
    province_->setCurrentIndex(0);
    filter_->setFocus();
    download();
}

void DistrictPicker::retire() {
    download_.abandon([this] { deleteLater(); });
}

void DistrictPicker::download() {
    const std::string url = districtListUrl(webHostBase(), province_->currentIndex());
    const int entry = province_->currentIndex();
    const bool started = download_.start([this, url, entry](std::stop_token stop) {
        auto listing = std::make_shared<const DistrictListing>(
            districtListing(http_.get(url, stop), entry, stop));
        return [this, listing] { downloaded(listing->entries, listing->bundled); };
    });
    if (started) {
        setBusy(true);
    }
}

// Without the web host the list that comes with the program stands in, and the group says so.
void DistrictPicker::downloaded(const std::optional<std::vector<DistrictEntry>>& entries,
                                bool bundled) {
    setBusy(false);
    if (!entries) {
        warn(this, QStringLiteral("刷新"), QStringLiteral("列表获取失败，请稍后重试。"));
        return;
    }
    results_->setTitle(bundled
                           ? QStringLiteral("筛选结果（无法获取在线列表，以下为内置的行政区划）")
                           : QStringLiteral("筛选结果"));
    entries_ = *entries;
    refill();
}

// Only "&C.取消" stays usable, to give up waiting; the focus comes back where it was.
void DistrictPicker::setBusy(bool busy) {
    if (busy) {
        focusBeforeBusy_ = focusWidget();
        setCursor(Qt::BusyCursor);
    } else {
        unsetCursor();
    }
    province_->setEnabled(!busy);
    setListControlsEnabled(!busy);
    direct_->setEnabled(!busy);
    if (busy) {
        ok_->setEnabled(false);
    } else {
        recompute();
        if (focusBeforeBusy_ != nullptr) {
            focusBeforeBusy_->setFocus();
        }
    }
}

void DistrictPicker::setListControlsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{filter_, list_, tickAll_, tickNone_}) {
        control->setEnabled(enabled);
    }
}

void DistrictPicker::refill() {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    model_.fill(entries_, fromQString(filter_->text()));
    QGuiApplication::restoreOverrideCursor();
}

void DistrictPicker::recompute() {
    selection_ = model_.checklist().selection();
    ok_->setEnabled(!selection_.empty());
    count_->setText(toQString(selectionCountText(selection_.size())));
}

void DistrictPicker::addDirectly() {
    province_->setEnabled(false);
    setListControlsEnabled(false);
    const std::optional<QString> typed = MessageBox::askText(
        {QStringLiteral("直接添加"),
         QStringLiteral("当筛选没有需要的结果时，请通过此功能手动添加。\n"
                        "请输入需要添加的地区或中心气象台，多个地区请使用空格分开。"),
         {},
         this});
    const DirectNames names = splitDirectNames(fromQString(typed.value_or(QString())));
    for (const std::string& piece : names.refused) {
        warn(this, QStringLiteral("直接添加"), toQString(directNameRefusal(piece)));
    }
    if (!names.accepted.empty()) {
        model_.addNames(names.accepted);
        accept();
        return;
    }
    province_->setEnabled(true);
    setListControlsEnabled(true);
}

void DistrictPicker::confirm() {
    recompute();
    accept();
}

void DistrictPicker::cancel() {
    selection_.clear();
    reject();
}

DistrictSelection pickDistricts(QWidget* owner, const HttpClient& http,
                                const DistrictSelection& chosenBefore) {
    auto* picker = new DistrictPicker(http, owner, chosenBefore);
    ModalSession::exec(*picker);
    DistrictSelection names = picker->selection();
    picker->retire();
    return names;
}

}  // namespace galewarden
