#pragma once

#include <QAbstractTableModel>

namespace galewarden {

class HistoryBrowser;

// The history browser's rows as Qt's table views take them; the colour column carries a
// swatch of the signal's colour.
class HistoryTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit HistoryTableModel(const HistoryBrowser& browser, QObject* parent = nullptr);

    // The browser's rows changed (loaded or filtered).
    void rowsChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    const HistoryBrowser& browser_;
};

}  // namespace galewarden
