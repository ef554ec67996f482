#pragma once

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace galewarden {

class WizardPreview;

// The controls of the wizard's six pages that the window binds.
struct WizardControls {
    QStackedWidget* pages = nullptr;
    QLabel* versionLine = nullptr;
    QLabel* startSetup = nullptr;
    QCheckBox* autoRun = nullptr;
    QCheckBox* autoCheck = nullptr;
    QLineEdit* districts = nullptr;
    QPushButton* chooseDistricts = nullptr;
    QComboBox* source = nullptr;  // item data: the source's id
    WizardPreview* preview = nullptr;
    QLineEdit* width = nullptr;
    QLineEdit* height = nullptr;
    QLineEdit* top = nullptr;
    QLineEdit* right = nullptr;
    QPushButton* choosePosition = nullptr;
    QPlainTextEdit* summary = nullptr;
};

// The six pages with their fixed texts, in a stack inside `parent`. Where the system's packages
// update the program, the update page says so and its box cannot be ticked.
WizardControls buildWizardPages(QWidget* parent, bool updatesFromPackages);

}  // namespace galewarden
