#pragma once

#include <QWidget>

#include "core/config/ConfigStore.h"
#include "settings/services/SettingsServices.h"
#include "settings/wizard/WizardPages.h"
#include "settings/wizard_model/WizardModel.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace galewarden {

// At the first start "&U.放弃" and the close box end the program; opened from the settings
// window they only close the wizard.
enum class WizardOpening { firstStart, fromSettings };

// "快速设置向导": six pages that set automatic start, the update check, the districts and the
// icon's size and place. Non-modal and without owner; closing it only hides it, so its creator
// decides when it goes (Qt::WA_DeleteOnClose, for one). The finish writes the seven keys and
// then starts the monitoring through `services`.
class SetupWizard : public QWidget {
    Q_OBJECT

  public:
    SetupWizard(SettingsServices services, WizardOpening opening,
                ConfigStore store = ConfigStore());
    ~SetupWizard() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildBottomRow(QVBoxLayout* layout);
    void bindValueControls();
    void showValues();
    void showSource(const std::string& source);
    void showPage();
    void forward();
    void back();
    void startSetup();
    void chooseDistricts();
    void choosePosition();
    void abandon();
    void finish();

    SettingsServices services_;
    WizardOpening opening_;
    ConfigStore store_;
    WizardModel model_;
    WizardControls controls_;
    bool finished_ = false;
    QPushButton* abandonButton_ = nullptr;
    QLabel* pageCounter_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
};

}  // namespace galewarden
