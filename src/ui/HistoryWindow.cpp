#include "ui/HistoryWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "core/history/HistoryColours.h"
#include "core/platform/FileSystem.h"
#include "ui/HistoryChart.h"
#include "ui/HistoryTableModel.h"
#include "ui/MessageBox.h"
#include "ui/UiText.h"

namespace galewarden {
namespace {

const QDate kEpoch(1970, 1, 1);

HistoryDay dayOf(const QDate& date) {
    return static_cast<HistoryDay>(kEpoch.daysTo(date));
}

QDateEdit* dateEdit(const char* name, QDate date, QWidget* parent) {
    auto* edit = new QDateEdit(date, parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    return edit;
}

QComboBox* choiceBox(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return box;
}

// Fills the box with "all" and the choices, keeping the chosen one where it still exists.
void fillChoiceBox(QComboBox* box, const QString& all, const std::vector<std::string>& choices) {
    const QString chosen = box->currentIndex() > 0 ? box->currentText() : QString();
    box->clear();
    box->addItem(all);
    for (const std::string& choice : choices) {
        box->addItem(toQString(choice));
    }
    box->setCurrentIndex(std::max(0, box->findText(chosen)));
}

std::string chosenText(const QComboBox* box) {
    return box->currentIndex() > 0 ? fromQString(box->currentText()) : std::string();
}

}  // namespace

HistoryWindow::HistoryWindow(std::string historyFile, QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(std::move(historyFile)) {
    setWindowTitle(QStringLiteral("历史预警"));
    model_ = new HistoryTableModel(browser_, this);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("historyTable"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fitRowsToOneLine();
    QHeaderView* header = table_->horizontalHeader();
    header->setStretchLastSection(true);
    header->setSectionsClickable(true);
    header->setSortIndicator(HistoryBrowser::firstSeen, Qt::DescendingOrder);
    header->setSortIndicatorShown(true);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &HistoryWindow::sortRows);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &HistoryWindow::showSelected);

    warningText_ = new QPlainTextEdit(this);
    warningText_->setObjectName(QStringLiteral("warningText"));
    warningText_->setReadOnly(true);
    chart_ = new HistoryChart(this);
    chart_->setObjectName(QStringLiteral("historyChart"));
    rowCount_ = new QLabel(this);
    rowCount_->setObjectName(QStringLiteral("rowCount"));

    auto* lower = new QSplitter(Qt::Horizontal, this);
    lower->addWidget(warningText_);
    lower->addWidget(chart_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table_);
    split->addWidget(lower);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilters());
    layout->addWidget(split, 1);
    layout->addWidget(rowCount_);
    resize(900, 640);
    reload();
}

HistoryWindow::~HistoryWindow() = default;

// A time on one line, and rows one line high: a hundred thousand rows are read by scrolling.
void HistoryWindow::fitRowsToOneLine() {
    const QFontMetrics metrics = table_->fontMetrics();
    const int timeWidth = metrics.horizontalAdvance(QStringLiteral("2026-12-11 06:01")) +
                          4 * metrics.averageCharWidth();
    table_->setColumnWidth(HistoryBrowser::firstSeen, timeWidth);
    table_->setColumnWidth(HistoryBrowser::endedAt, timeWidth);
    table_->setWordWrap(false);
    table_->verticalHeader()->setDefaultSectionSize(metrics.height() + metrics.height() / 2);
}

QWidget* HistoryWindow::buildFilters() {
    auto* filters = new QWidget(this);
    auto* rows = new QVBoxLayout(filters);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* first = new QHBoxLayout;
    const QDate today = QDate::currentDate();
    fromDate_ = dateEdit("fromDate", today.addDays(1 - kOpeningDays), filters);
    toDate_ = dateEdit("toDate", today, filters);
    first->addWidget(new QLabel(QStringLiteral("日期："), filters));
    first->addWidget(fromDate_);
    first->addWidget(new QLabel(QStringLiteral("至"), filters));
    first->addWidget(toDate_);
    first->addSpacing(12);
    first->addWidget(buildColours());
    first->addStretch(1);
    auto* second = new QHBoxLayout;
    typeFilter_ = choiceBox("typeFilter", filters);
    districtFilter_ = choiceBox("districtFilter", filters);
    searchText_ = new QLineEdit(filters);
    searchText_->setObjectName(QStringLiteral("searchText"));
    searchText_->setPlaceholderText(QStringLiteral("搜索标题、发布单位、地区或内容"));
    searchText_->setClearButtonEnabled(true);
    auto* exportButton = new QPushButton(QStringLiteral("导出 CSV…"), filters);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    second->addWidget(typeFilter_);
    second->addWidget(districtFilter_);
    second->addWidget(searchText_, 1);
    second->addWidget(exportButton);
    rows->addLayout(first);
    rows->addLayout(second);

    for (QDateEdit* edit : {fromDate_, toDate_}) {
        connect(edit, &QDateEdit::dateChanged, this, &HistoryWindow::applyFilter);
    }
    for (QComboBox* box : {typeFilter_, districtFilter_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &HistoryWindow::applyFilter);
    }
    connect(searchText_, &QLineEdit::textChanged, this, &HistoryWindow::applyFilter);
    connect(exportButton, &QPushButton::clicked, this, &HistoryWindow::exportRows);
    return filters;
}

QWidget* HistoryWindow::buildColours() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    // Red first, as people rank them; no colour last.
    for (int colour = kHistoryColours - 1; colour >= 0; --colour) {
        const auto index = static_cast<std::size_t>(colour);
        auto* check = new QCheckBox(toQString(historyColourName(colour)), box);
        check->setObjectName(QStringLiteral("colour%1").arg(colour));
        check->setChecked(true);
        connect(check, &QCheckBox::toggled, this, &HistoryWindow::applyFilter);
        colours_[index] = check;
        layout->addWidget(check);
    }
    return box;
}

void HistoryWindow::reload() {
    const bool read = browser_.load();
    fillChoices();
    applyFilter();
    if (!read) {
        rowCount_->setText(QStringLiteral("历史记录文件无法读取。"));
    }
}

void HistoryWindow::fillChoices() {
    filling_ = true;
    fillChoiceBox(typeFilter_, QStringLiteral("全部类型"), browser_.types());
    fillChoiceBox(districtFilter_, QStringLiteral("全部地区"), browser_.districts());
    filling_ = false;
}

void HistoryWindow::applyFilter() {
    if (filling_) {
        return;
    }
    HistoryFilter filter;
    filter.from = dayOf(fromDate_->date());
    filter.to = dayOf(toDate_->date());
    filter.colours = 0;
    for (std::size_t colour = 0; colour < colours_.size(); ++colour) {
        if (colours_[colour]->isChecked()) {
            filter.colours |= 1u << colour;
        }
    }
    filter.type = chosenText(typeFilter_);
    filter.district = chosenText(districtFilter_);
    filter.text = fromQString(searchText_->text());
    browser_.setFilter(std::move(filter));
    model_->rowsChanged();
    chart_->setCounts(browser_.dailyCounts());
    rowCount_->setText(QStringLiteral("共 %1 条").arg(browser_.rowCount()));
    warningText_->clear();
    if (browser_.rowCount() > 0) {
        table_->selectRow(0);
    }
}

// The chosen warning stays chosen, wherever the new order puts it.
void HistoryWindow::sortRows(int column, Qt::SortOrder order) {
    const QModelIndex current = table_->currentIndex();
    const std::int64_t chosen = current.isValid() ? browser_.warningAt(current.row()).rowId : 0;
    browser_.setOrder(static_cast<HistoryBrowser::Column>(column), order == Qt::AscendingOrder);
    model_->rowsChanged();
    if (const int row = browser_.rowOf(chosen); row >= 0) {
        table_->selectRow(row);
        table_->scrollTo(model_->index(row, 0));
    }
}

void HistoryWindow::showSelected() {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid() || current.row() >= browser_.rowCount()) {
        warningText_->clear();
        return;
    }
    warningText_->setPlainText(shownText(browser_.detailsText(current.row())));
}

void HistoryWindow::exportRows() {
    const std::optional<QString> file =
        MessageBox::chooseFile({.purpose = FileRequest::Purpose::save,
                                .title = QStringLiteral("导出历史预警"),
                                .fileName = QStringLiteral("历史预警-%1至%2.csv")
                                                .arg(fromDate_->date().toString(Qt::ISODate),
                                                     toDate_->date().toString(Qt::ISODate)),
                                .filter = QStringLiteral("CSV 文件（*.csv）|*.csv|"),
                                .defaultSuffix = QStringLiteral("csv"),
                                .owner = this});
    if (!file) {
        return;
    }
    // The byte order mark tells spreadsheet programs that the file is UTF-8.
    if (!replaceFile(fromQString(*file), "\xEF\xBB\xBF" + browser_.csv())) {
        MessageBox::ask({.title = QStringLiteral("导出历史预警"),
                         .text = QStringLiteral("无法写入文件：") + *file,
                         .icon = MessageIcon::error,
                         .owner = this});
    }
}

}  // namespace galewarden
