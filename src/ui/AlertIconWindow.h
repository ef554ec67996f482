#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "ui/AutoHide.h"
#include "ui/ColourSection.h"
#include "ui/EntryPictures.h"
#include "ui/FullScreenRule.h"

namespace galewarden {

class ConfigStore;
class LabelWindow;
class IconDisplay;

// The small borderless window near the top right corner of the primary screen that steps
// through the pictures of the warnings in force. It never takes the focus and has no task-bar
// button; its opacity, on-top state and whether it shows follow the most severe colour. The
// user drags it elsewhere, double-clicks it for the details, or sends it away for a while.
//
// The program owns the timers; the constructor connects rotationTimer to startSwitch and
// fadeTimer to fadeTick, and the program calls updateIconWindowVisibility once a second.
class AlertIconWindow : public QWidget {
    Q_OBJECT

  public:
    // A window manager's move ends outside the program's mouse events, and the window learns
    // its last place only after the button is up: the place is taken once moves have settled.
    static constexpr int kMoveSettleMs = 300;

    // Without a counter no window counts as full-screen.
    AlertIconWindow(ConfigStore& store, IconDisplay& state, QTimer& rotationTimer,
                    QTimer& fadeTimer, CountFullScreenWindows countFullScreenWindows = {},
                    QWidget* parent = nullptr);

    // Shows the window exactly while all four visibility conditions hold, then applies the
    // settings.
    void updateIconWindowVisibility();
    // Opacity, on-top state, size, place and shape for the current colour from the
    // configuration, the label, and the switch timer's interval. Does nothing during a drag.
    void applyIconWindowSettings();

    // Begins the change to the next picture; the fade timer carries it out.
    void startSwitch();
    // The details window's "切换": the next picture now when the detail pictures rotate, and
    // a whole interval until the one after.
    void switchByHand();
    void fadeTick();

    LabelWindow* labelWindow() { return label_; }
    const AutoHide& autoHide() const { return autoHide_; }
    bool dragging() const { return dragging_; }

  signals:
    void pictureChanged();    // after every change of picture
    void detailsRequested();  // double click

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

  private:
    // `options` are those of the colour now in force, read in the caller's pass.
    void applySettings(const std::optional<ColourOptions>& options);
    void placeWindow();
    void keepSwitchInterval();
    void changePicture();
    void suppressIcon();
    void startDrag(QPoint globalPosition);
    void endDrag();
    void finishDrag();

    ConfigStore& store_;
    IconDisplay& state_;
    QTimer& rotationTimer_;
    QTimer& fadeTimer_;
    AutoHide autoHide_;
    LabelWindow* label_;
    QImage picture_;
    EntryPictures<QImage> pictures_;
    QSize shapeSize_;
    bool pressed_ = false;  // left button down, no drag yet
    bool dragging_ = false;
    bool movingByHand_ = false;  // the window system has no move of its own
    QPoint pressOffset_;         // from the window's corner to the pointer
    QTimer moveSettle_;
};

}  // namespace galewarden
