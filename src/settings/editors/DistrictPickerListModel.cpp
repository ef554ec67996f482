#include "settings/editors/DistrictPickerListModel.h"

#include "ui/UiText.h"

namespace galewarden {

void DistrictPickerListModel::fill(const std::vector<DistrictEntry>& entries,
                                   std::string_view filter) {
    beginResetModel();
    checklist_.fill(entries, filter);
    endResetModel();
    emit ticksChanged();
}

void DistrictPickerListModel::setSelection(const std::vector<std::string>& names) {
    checklist_.setSelection(names);
    ticksShown();
}

void DistrictPickerListModel::addNames(const std::vector<std::string>& names) {
    checklist_.addNames(names);
    ticksShown();
}

void DistrictPickerListModel::setAllTicked(bool ticked) {
    checklist_.setAllTicked(ticked);
    ticksShown();
}

void DistrictPickerListModel::ticksShown() {
    if (rowCount() > 0) {
        emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
    }
    emit ticksChanged();
}

void DistrictPickerListModel::toggle(const QModelIndex& index) {
    if (!index.isValid()) {
        return;
    }
    const auto row = static_cast<std::size_t>(index.row());
    const Qt::CheckState next = checklist_.ticked(row) ? Qt::Unchecked : Qt::Checked;
    setData(index, static_cast<int>(next), Qt::CheckStateRole);
}

int DistrictPickerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(checklist_.size());
}

QVariant DistrictPickerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    const auto row = static_cast<std::size_t>(index.row());
    if (role == Qt::DisplayRole) {
        return toQString(checklist_.text(row));
    }
    if (role == Qt::CheckStateRole) {
        return static_cast<int>(checklist_.ticked(row) ? Qt::Checked : Qt::Unchecked);
    }
    return {};
}

bool DistrictPickerListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::CheckStateRole) {
        return false;
    }
    const bool ticked = value.toInt() == static_cast<int>(Qt::Checked);
    checklist_.setTicked(static_cast<std::size_t>(index.row()), ticked);
    ticksShown();
    return true;
}

Qt::ItemFlags DistrictPickerListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

}  // namespace galewarden
