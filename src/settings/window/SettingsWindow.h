#pragma once

#include <QWidget>

#include "core/config/ConfigStore.h"
#include "settings/model/SettingsModel.h"
#include "settings/services/SettingsServices.h"

class QComboBox;
class QMenu;
class QPushButton;
class QStackedWidget;

namespace galewarden {

class AdvancedPage;
class BasicPage;
class IconDownloadPage;
class LabelPage;
class LevelPage;
class ParsingPage;

// "设置": every option of the configuration on six pages chosen with the page selector, read
// when the window is made and written only by "保存" (the JSON output file and the editors'
// keys excepted, which are written at once). Non-modal and without owner; whoever opens it
// decides its lifetime (typically Qt::WA_DeleteOnClose). Object names: pageSelector, pages,
// cancelButton, exitButton, saveButton, exitMenu with exitAction, restartAction,
// forceExitAction, resetAction; the pages name their own controls.
class SettingsWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPageCount = 6;

    SettingsWindow(ConfigStore store, SettingsServices services);
    ~SettingsWindow() override;

    // The "区域：" summary and the count under the district list.
    void refreshDistrictSummary();
    // The "保存" button: asks, writes every key, announces the save.
    void save();

  private:
    void buildPages();
    void buildBottomRow();
    void buildExitMenu();
    void showValues();
    void showPage(int index);
    bool numbersAccepted();
    void openWizard();
    void exitBy(const std::function<void()>& action);

    ConfigStore store_;
    SettingsServices services_;
    SettingsModel model_;
    QComboBox* pageSelector_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    BasicPage* basicPage_ = nullptr;
    LevelPage* levelPage_ = nullptr;
    ParsingPage* parsingPage_ = nullptr;
    LabelPage* labelPage_ = nullptr;
    IconDownloadPage* iconPage_ = nullptr;
    AdvancedPage* advancedPage_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QMenu* exitMenu_ = nullptr;
};

}  // namespace galewarden
