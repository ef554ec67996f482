#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QCheckBox;
class QLineEdit;

namespace galewarden {

// Page "6. 高级设置": hiding over full-screen windows with its calibration, and the outputs for
// other programs (saved answers, the HTML page, the library called after each refresh).
// Object names: autoHide, screenBasic, calibrateButton, saveJson, htmlStart, pluginStart.
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

    PageContext context_;
    QCheckBox* autoHide_ = nullptr;
    QLineEdit* basic_ = nullptr;
    QCheckBox* saveJson_ = nullptr;
    QCheckBox* htmlStart_ = nullptr;
    QCheckBox* pluginStart_ = nullptr;
};

}  // namespace galewarden
