#pragma once

#include <QDialog>
#include <QPointer>
#include <optional>
#include <vector>

#include "settings/editors/BackgroundCall.h"
#include "settings/editors/DistrictPickerListModel.h"
#include "settings/editors_model/DistrictPickerAnswer.h"
#include "settings/services/SettingsServices.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace galewarden {

class HttpClient;

// "添加行政区或中心气象台": the district list of a province, downloaded from the web host without
// holding up the window, narrowed by a filter and ticked. It opens with the names chosen before
// ticked; ticks outlive a change of province or filter, and names typed directly join them.
// The whole selection is what its caller reads after it closed.
class DistrictPicker : public QDialog {
    Q_OBJECT

  public:
    explicit DistrictPicker(const HttpClient& http, QWidget* owner = nullptr,
                            const DistrictSelection& chosenBefore = {});

    const DistrictSelection& selection() const { return selection_; }
    bool downloading() const { return download_.running(); }
    // Gone for good: deleted now, or once a download still running has stopped.
    void retire();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildFilterRow();
    QWidget* buildResultGroup();
    QWidget* buildButtonRow();
    void connectControls();

    void download();
    // `bundled`: the web host failed and the list that comes with the program stands in.
    void downloaded(const std::optional<std::vector<DistrictEntry>>& entries, bool bundled);
    void setBusy(bool busy);
    void refill();
    void recompute();
    void setListControlsEnabled(bool enabled);
    void addDirectly();
    void confirm();
    void cancel();

    const HttpClient& http_;
    QGroupBox* results_ = nullptr;
    std::vector<DistrictEntry> entries_;
    DistrictPickerListModel model_;
    DistrictSelection selection_;
    bool shownBefore_ = false;
    QPointer<QWidget> focusBeforeBusy_;

    QComboBox* province_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QListView* list_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* tickAll_ = nullptr;
    QPushButton* tickNone_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* direct_ = nullptr;
    QPushButton* ok_ = nullptr;

    BackgroundCall download_{this};  // last: its thread ends before the rest goes
};

// Opens the picker modally over `owner` with `chosenBefore` ticked and hands back the whole
// selection (empty after "取消").
DistrictSelection pickDistricts(QWidget* owner, const HttpClient& http,
                                const DistrictSelection& chosenBefore = {});

}  // namespace galewarden
