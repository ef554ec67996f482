#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

#include "core/config/ConfigStore.h"

class QLineEdit;

namespace galewarden {

// "HTML预警标记": the page the warnings are written into. It has no owner: it is modal over the
// whole program and opens centred over the window that was active.
class HtmlMarkerWindow : public QDialog {
    Q_OBJECT

  public:
    HtmlMarkerWindow(ConfigStore config, std::function<void()> settingsChanged);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QWidget* buildFileRow();
    QWidget* buildMarkerGroup();
    QWidget* buildButtonRow();
    void browse();
    void confirm();

    ConfigStore config_;
    std::function<void()> settingsChanged_;
    QPointer<QWidget> centreOver_;
    QLineEdit* fileName_ = nullptr;
};

// Opens the window modally on the program's configuration; `settingsChanged` runs after "确定".
void editHtmlMarker(std::function<void()> settingsChanged);

}  // namespace galewarden
