#include "settings/window/ParsingPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/model/SettingsModel.h"
#include "settings/services/SettingsServices.h"
#include "settings/window/PageLayout.h"
#include "settings/window/SettingsControls.h"
#include "ui/MessageBox.h"
#include "ui/NamedButton.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {}  // namespace

ParsingPage::ParsingPage(PageContext context, QWidget* parent)
    : QWidget(parent), context_(context) {
    QVBoxLayout* page = pageLayout(this);
    auto* top = new QHBoxLayout;
    top->addSpacing(kSelectorRoom);
    top->addStretch();
    QPushButton* reset = namedButton(QStringLiteral("&R.重置"), "resetButton", this);
    connect(reset, &QPushButton::clicked, this, &ParsingPage::resetPage);
    top->addWidget(reset);
    page->addLayout(top);
    buildDistrictGroup();
    buildWordRows();
}

void ParsingPage::buildDistrictGroup() {
    auto* group = new QGroupBox(QStringLiteral("定制列表："), this);
    QGridLayout* grid = groupGrid(group);
    districtList_ = new QListWidget(group);
    districtList_->setObjectName(QStringLiteral("districtList"));
    districtList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    districtCount_ = new QLabel(group);
    districtCount_->setObjectName(QStringLiteral("districtCount"));
    QPushButton* add = namedButton(QStringLiteral("&A.添加"), "addButton", group);
    QPushButton* remove = namedButton(QStringLiteral("&D.删除"), "deleteButton", group);
    connect(add, &QPushButton::clicked, this, &ParsingPage::addDistricts);
    connect(remove, &QPushButton::clicked, this, &ParsingPage::deleteDistricts);
    grid->addWidget(districtList_, 0, 0, 1, 3);
    grid->addWidget(districtCount_, 1, 0);
    grid->addWidget(add, 1, 1);
    grid->addWidget(remove, 1, 2);
    grid->setColumnStretch(0, 1);
    pageLayoutOf(this)->addWidget(group, 1);
}

void ParsingPage::buildWordRows() {
    SettingsModel& model = context_.model;
    auto* grid = new QGridLayout;
    grid->setContentsMargins(kRowIndent, 0, 0, 0);
    skip_ = boundEdit(this, "skip", model.skip);
    sender_ = boundEdit(this, "sender", model.sender);
    jsonRules_ = namedButton(QStringLiteral("&E.编辑"), "jsonRulesButton", this);
    connect(jsonRules_, &QPushButton::clicked, this, [this] {
        if (context_.services.editJsonRules) {
            context_.services.editJsonRules(window());
        }
    });
    grid->addWidget(captionFor(skip_, QStringLiteral("&S.屏蔽词：")), 0, 0);
    grid->addWidget(skip_, 0, 1, 1, 2);
    grid->addWidget(captionFor(sender_, QStringLiteral("&B.发布单位：")), 1, 0);
    grid->addWidget(sender_, 1, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("JSON解析规则与数据源设置："), this), 2, 0, 1, 2);
    grid->addWidget(jsonRules_, 2, 2);
    grid->setColumnStretch(1, 1);
    pageLayoutOf(this)->addLayout(grid);
}

void ParsingPage::showValues() {
    showField(skip_, context_.model.skip);
    showField(sender_, context_.model.sender);
    showDistricts();
}

void ParsingPage::showDistricts() {
    districtList_->clear();
    for (const std::string& entry : context_.model.districts.entries()) {
        districtList_->addItem(toQString(entry));
    }
    showDistrictCount();
}

void ParsingPage::showDistrictCount() {
    districtCount_->setText(toQString(context_.model.districts.countText()));
}

void ParsingPage::setJsonRulesEnabled(bool enabled) {
    jsonRules_->setEnabled(enabled);
}

void ParsingPage::showLimitMessage() {
    MessageBox::ask({QStringLiteral("添加"),
                     QStringLiteral("列表数量已达上限（200个），不能继续添加。"),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, nullptr});
}

void ParsingPage::showLengthLimitMessage() {
    MessageBox::ask({QStringLiteral("添加"),
                     QStringLiteral("列表的总长度已达配置文件所能保存的上限（%1字节），"
                                    "其余项目未能添加。")
                         .arg(DistrictList::kMaxStoredBytes),
                     MessageIcon::exclamation, MessageButtons::ok, MessageAnswer::ok, nullptr});
}

void ParsingPage::addDistricts() {
    DistrictList& districts = context_.model.districts;
    if (districts.full()) {
        showLimitMessage();
        return;
    }
    const DistrictSelection picked = context_.services.pickDistricts
                                         ? context_.services.pickDistricts(window(), {})
                                         : DistrictSelection{};
    const DistrictList::Added added = districts.add(picked);
    if (added.hitLimit) {
        showLimitMessage();
    } else if (added.hitLengthLimit) {
        showLengthLimitMessage();
    }
    showDistricts();
    emit districtsChanged();
}

void ParsingPage::deleteDistricts() {
    std::vector<std::size_t> rows;
    for (int row = 0; row < districtList_->count(); ++row) {
        if (districtList_->item(row)->isSelected()) {
            rows.push_back(static_cast<std::size_t>(row));
        }
    }
    if (rows.empty()) {
        return;
    }
    const MessageAnswer answer = MessageBox::ask(
        {QStringLiteral("删除"), toQString(context_.model.districts.deleteQuestion(rows)),
         // An Enter pressed too soon deletes nothing.
         MessageIcon::question, MessageButtons::yesNo, MessageAnswer::no, nullptr});
    if (answer == MessageAnswer::yes) {
        context_.model.districts.remove(rows);
        showDistricts();
    }
    districtList_->setFocus();
    emit districtsChanged();
}

void ParsingPage::resetPage() {
    const MessageAnswer answer = MessageBox::ask(
        {QStringLiteral("重置"),
         QStringLiteral("确定要将本页的设置全部重置？\n包括定制列表、屏蔽词设置与发布单位设置。\n"
                        "重置之后需保存才能生效。"),
         MessageIcon::question, MessageButtons::yesNo, MessageAnswer::no, nullptr});
    if (answer != MessageAnswer::yes) {
        return;
    }
    context_.model.resetParsingPage();
    showValues();
    emit districtsChanged();
}

}  // namespace galewarden
