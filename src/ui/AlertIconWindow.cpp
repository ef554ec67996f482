#include "ui/AlertIconWindow.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <utility>

#include "core/alerts/TimerInterval.h"
#include "core/config/ConfigStore.h"
#include "core/config/IconPlacement.h"
#include "ui/ColourSection.h"
#include "ui/DetailPictureRule.h"
#include "ui/IconDisplay.h"
#include "ui/IconFade.h"
#include "ui/IconShape.h"
#include "ui/LabelWindow.h"
#include "ui/OverlayWindow.h"

#include "ui/SignalPicture.h"
#include "ui/WindowGeometry.h"

namespace galewarden {
namespace {

WindowRect primaryScreenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? windowRectOf(screen->geometry()) : WindowRect{};
}

std::vector<WindowRect> screenRects() {
    std::vector<WindowRect> rects;
    for (const QScreen* screen : QGuiApplication::screens()) {
        rects.push_back(windowRectOf(screen->geometry()));
    }
    return rects;
}

ConfiguredIcon configuredIcon(const ConfigStore& store) {
    return {store.readNumber(keys::kIconWidth), store.readNumber(keys::kIconHeight),
            store.readNumber(keys::kIconTop), store.readNumber(keys::kIconRight)};
}

}  // namespace

AlertIconWindow::AlertIconWindow(ConfigStore& store, IconDisplay& state, QTimer& rotationTimer,
                                 QTimer& fadeTimer, CountFullScreenWindows countFullScreenWindows,
                                 QWidget* parent)
    : QWidget(parent),
      store_(store),
      state_(state),
      rotationTimer_(rotationTimer),
      fadeTimer_(fadeTimer),
      autoHide_(store, state, std::move(countFullScreenWindows)),
      label_(new LabelWindow(store, state, *this)) {
    setObjectName(QStringLiteral("alertIconWindow"));
    makeOverlay(*this);
    // Moves over the window count without a button held: the pointer sends it away.
    setMouseTracking(true);
    connect(&rotationTimer_, &QTimer::timeout, this, &AlertIconWindow::startSwitch);
    connect(&fadeTimer_, &QTimer::timeout, this, &AlertIconWindow::fadeTick);
    moveSettle_.setSingleShot(true);
    connect(&moveSettle_, &QTimer::timeout, this, &AlertIconWindow::finishDrag);
    connect(&autoHide_, &AutoHide::suppressed, this, [this] {
        hide();
        label_->hide();
    });
    autoHide_.readMouseOverOption();
}

// The show option of the colour now in force is read before the decision: the one of the
// previous result would otherwise decide for a second.
void AlertIconWindow::updateIconWindowVisibility() {
    const ConfigStore::ReadPass pass(store_);
    const std::optional<ColourOptions> options = readColourOptions(store_, state_.highestColour());
    if (options) {
        state_.showColour(options->shown);
    }
    autoHide_.updateFullScreenCondition();
    setVisible(state_.visible());
    applySettings(options);
}

void AlertIconWindow::applyIconWindowSettings() {
    const ConfigStore::ReadPass pass(store_);
    applySettings(readColourOptions(store_, state_.highestColour()));
}

void AlertIconWindow::applySettings(const std::optional<ColourOptions>& options) {
    if (dragging_) {
        return;
    }
    autoHide_.readMouseOverOption();
    if (options) {
        state_.applyColourOptions(options->shown, options->alpha);
        setStaysOnTop(*this, options->onTop);
        setOverlayAlpha(*this, state_.alpha());
        placeWindow();
    }
    label_->updateLabelWindow();
    if (options) {
        holdOnTop({this, label_});
    } else {
        holdOnTop({label_});
    }
    keepSwitchInterval();
}

// The shape is rebuilt only for a new size: it is the costly part of the pass.
void AlertIconWindow::placeWindow() {
    const WindowRect primary = primaryScreenRect();
    const WindowRect place =
        keepReachable(iconRect(primary, configuredIcon(store_), largestSide(devicePixelRatioF())),
                      screenRects(), primary);
    const QSize size(place.width, place.height);
    if (size != shapeSize_) {
        setMask(shapeRegion(shapeSnapshot(size)));
        shapeSize_ = size;
    }
    const QRect wanted(QPoint(place.left, place.top), size);
    if (geometry() != wanted) {
        setGeometry(wanted);
        update();  // sends the move to the window system at once (X11)
    }
}

// A running switch timer follows [General] Interval; a stopped one stays stopped.
void AlertIconWindow::keepSwitchInterval() {
    if (!rotationTimer_.isActive()) {
        return;
    }
    const int interval = timerMilliseconds(store_.readNumber(keys::kInterval));
    if (interval == 0) {
        rotationTimer_.stop();
    } else if (rotationTimer_.interval() != interval) {
        rotationTimer_.start(interval);
    }
}

void AlertIconWindow::switchByHand() {
    const bool rotating = rotationTimer_.isActive();
    rotationTimer_.stop();
    if (detailPicturesRotate(state_.entryCount())) {
        startSwitch();
    }
    if (rotating) {
        rotationTimer_.start();
    }
}

void AlertIconWindow::startSwitch() {
    if (fadeTimer_.isActive()) {
        fadeTimer_.stop();
        state_.interruptFade();
    }
    fadeTimer_.start(kFadeTickMs);
}

void AlertIconWindow::fadeTick() {
    const FadeTick tick = state_.nextFadeTick();
    if (tick.stopTimer) {
        fadeTimer_.stop();
    }
    if (tick.applyAlpha) {
        const int alpha = state_.alpha();
        if (isVisible()) {
            setOverlayAlpha(*this, alpha);
        }
        if (label_->isVisible()) {
            label_->setAlpha(alpha);
        }
    }
    if (tick.changePicture) {
        changePicture();
    }
}

void AlertIconWindow::changePicture() {
    const SharedDisplay display = state_.display();  // the entry lives as long as its snapshot
    if (state_.advance() != nullptr) {
        const qreal ratio = devicePixelRatioF();
        picture_ = pictures_.of(display, static_cast<std::size_t>(state_.currentIndex() - 1),
                                (QSizeF(size()) * ratio).toSize(), &signalPicture);
        picture_.setDevicePixelRatio(ratio);
        update();
        label_->updateLabelWindow();
    }
    emit pictureChanged();
}

void AlertIconWindow::suppressIcon() {
    autoHide_.suppressIcon();
}

void AlertIconWindow::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), picture_);
}

// The drag starts once the pointer has moved with the button held, so that a click or a
// double click never becomes a move.
void AlertIconWindow::mousePressEvent(QMouseEvent* event) {
    if (moveSettle_.isActive()) {
        finishDrag();
    }
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        pressOffset_ = event->globalPosition().toPoint() - pos();
    }
}

void AlertIconWindow::mouseMoveEvent(QMouseEvent* event) {
    const bool leftHeld = event->buttons().testFlag(Qt::LeftButton);
    const QPoint global = event->globalPosition().toPoint();
    if (leftHeld && pressed_ && !dragging_) {
        if ((global - pos() - pressOffset_).manhattanLength() >=
            QApplication::startDragDistance()) {
            startDrag(global);
        }
        return;
    }
    if (leftHeld && dragging_) {
        if (movingByHand_) {
            move(global - pressOffset_);
        }
        return;
    }
    if (autoHide_.mouseOverHide()) {
        suppressIcon();
    }
    if (dragging_) {
        endDrag();
    }
}

void AlertIconWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = false;
        if (dragging_) {
            endDrag();
        }
    } else if (event->button() == Qt::RightButton && !dragging_) {
        suppressIcon();
    }
}

void AlertIconWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit detailsRequested();
    }
}

// The window system's own move where it has one; where it has none (no window manager runs,
// or the window stands outside it) the window follows the pointer by hand.
void AlertIconWindow::startDrag(QPoint globalPosition) {
    dragging_ = true;
    pressed_ = false;
    QWindow* window = windowHandle();
    movingByHand_ = placesItself(*this) || window == nullptr || !window->startSystemMove();
    if (movingByHand_) {
        move(globalPosition - pressOffset_);
    }
}

void AlertIconWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (moveSettle_.isActive()) {
        moveSettle_.start(kMoveSettleMs);
    }
}

void AlertIconWindow::endDrag() {
    if (movingByHand_) {
        finishDrag();
    } else if (!moveSettle_.isActive()) {
        moveSettle_.start(kMoveSettleMs);
    }
}

void AlertIconWindow::finishDrag() {
    moveSettle_.stop();
    dragging_ = false;
    movingByHand_ = false;
    const IconPlace place = placeOfIcon(primaryScreenRect(), windowRectOf(geometry()));
    (void)storeIconPosition(store_, place.top, place.right);
    label_->updateLabelWindow();
}

}  // namespace galewarden
