#pragma once

#include <QObject>
#include <QTimer>

#include "ui/FullScreenRule.h"

namespace galewarden {

class ConfigStore;
class IconDisplay;

// The icon gets out of the way: while a full-screen window is open, and for [General]
// ReshowTime seconds after the pointer passed over it or it was right-clicked.
class AutoHide : public QObject {
    Q_OBJECT

  public:
    AutoHide(const ConfigStore& store, IconDisplay& state,
             CountFullScreenWindows countFullScreenWindows, QObject* parent = nullptr);

    // Once a second, before the icon's visibility is decided.
    void updateFullScreenCondition();

    void readMouseOverOption();
    bool mouseOverHide() const { return mouseOverHide_; }

    // Clears `notSuppressed` and arms the re-show timer (a ReshowTime of 0 leaves it
    // stopped, so the icon stays away); `suppressed` tells the windows to hide.
    void suppressIcon();
    void endSuppression();
    const QTimer& reshowTimer() const { return reshowTimer_; }

  signals:
    void suppressed();

  private:
    const ConfigStore& store_;
    IconDisplay& state_;
    CountFullScreenWindows countFullScreenWindows_;
    QTimer reshowTimer_;
    bool mouseOverHide_ = false;
};

}  // namespace galewarden
