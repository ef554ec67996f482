#pragma once

#include <QAbstractListModel>

#include "settings/editors_model/DistrictPickerChecklist.h"

namespace galewarden {

// The check list as a Qt model: one checkable row per entry. Views build only the rows they
// show, so a list of a hundred thousand names fills at once.
class DistrictPickerListModel : public QAbstractListModel {
    Q_OBJECT

  public:
    using QAbstractListModel::QAbstractListModel;

    void setSelection(const std::vector<std::string>& names);
    void addNames(const std::vector<std::string>& names);
    void fill(const std::vector<DistrictEntry>& entries, std::string_view filter);
    void setAllTicked(bool ticked);
    void toggle(const QModelIndex& index);
    const DistrictPickerChecklist& checklist() const { return checklist_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  signals:
    // After every change of tick marks, by the user or by a refill.
    void ticksChanged();

  private:
    // Rows that share a name change together.
    void ticksShown();

    DistrictPickerChecklist checklist_;
};

}  // namespace galewarden
