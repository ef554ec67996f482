#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "core/history/HistoryBrowser.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace galewarden {

class HistoryChart;
class HistoryTableModel;

// "历史预警": the warnings of the history file in a table, filtered by days, colours, type,
// district and text; the selected warning's full text; the warnings per day; the shown rows
// exported as CSV. Controls carry object names: fromDate, toDate, colour0..colour5, typeFilter,
// districtFilter, searchText, exportButton, historyTable, warningText, historyChart, rowCount.
class HistoryWindow : public QWidget {
    Q_OBJECT

  public:
    // Days shown when the window opens, today included.
    static constexpr int kOpeningDays = 7;

    explicit HistoryWindow(std::string historyFile, QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Reads the file again, keeping the filter.
    void reload();

  private:
    QWidget* buildFilters();
    QWidget* buildColours();
    void fillChoices();
    void applyFilter();
    void fitRowsToOneLine();
    void sortRows(int column, Qt::SortOrder order);
    void showSelected();
    void exportRows();

    HistoryBrowser browser_;
    HistoryTableModel* model_ = nullptr;
    QDateEdit* fromDate_ = nullptr;
    QDateEdit* toDate_ = nullptr;
    std::array<QCheckBox*, kHistoryColours> colours_{};
    QComboBox* typeFilter_ = nullptr;
    QComboBox* districtFilter_ = nullptr;
    QLineEdit* searchText_ = nullptr;
    QTableView* table_ = nullptr;
    QPlainTextEdit* warningText_ = nullptr;
    HistoryChart* chart_ = nullptr;
    QLabel* rowCount_ = nullptr;
    bool filling_ = false;
};

}  // namespace galewarden
