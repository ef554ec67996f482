#include "ui/HistoryTableModel.h"

#include "core/history/HistoryBrowser.h"
#include "ui/SignalFill.h"
#include "ui/UiText.h"

namespace galewarden {

HistoryTableModel::HistoryTableModel(const HistoryBrowser& browser, QObject* parent)
    : QAbstractTableModel(parent), browser_(browser) {}

void HistoryTableModel::rowsChanged() {
    beginResetModel();
    endResetModel();
}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : browser_.rowCount();
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : HistoryBrowser::columnCount;
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= browser_.rowCount()) {
        return {};
    }
    const auto column = static_cast<HistoryBrowser::Column>(index.column());
    if (role == Qt::DisplayRole) {
        return toQString(browser_.cell(index.row(), column));
    }
    if (role == Qt::DecorationRole && column == HistoryBrowser::colour) {
        return signalFill(browser_.colourAt(index.row()));
    }
    return {};
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= HistoryBrowser::columnCount) {
        return {};
    }
    return toQString(HistoryBrowser::header(static_cast<HistoryBrowser::Column>(section)));
}

}  // namespace galewarden
