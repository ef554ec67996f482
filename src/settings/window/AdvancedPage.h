#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QVBoxLayout;

namespace galewarden {

// Page "6. 高级设置": hiding over full-screen windows with its calibration, the outputs for
// other programs (saved answers, the HTML page, the library called after each refresh), and
// the warning sound (the first page, beside the notices, has no room left).
// Object names: autoHide, screenBasic, calibrateButton, saveJson, htmlStart, pluginStart,
// soundFrom, trySoundButton.
class AdvancedPage : public QWidget {
    Q_OBJECT

  public:
    AdvancedPage(PageContext context, QWidget* parent);

    void showValues();

  private:
    void calibrate();
    void chooseJsonFile(bool ticked);
    void openHtmlMarker(bool ticked);
    void showPluginNotice(bool ticked);
    void addSoundRow(QVBoxLayout* page);

    PageContext context_;
    QCheckBox* autoHide_ = nullptr;
    QLineEdit* basic_ = nullptr;
    QCheckBox* saveJson_ = nullptr;
    QCheckBox* htmlStart_ = nullptr;
    QCheckBox* pluginStart_ = nullptr;
    QComboBox* soundFrom_ = nullptr;
};

}  // namespace galewarden
