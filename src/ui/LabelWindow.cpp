#include "ui/LabelWindow.h"

#include <QLabel>
#include <QPainter>

#include "core/config/ConfigStore.h"
#include "ui/IconDisplay.h"
#include "ui/IconFade.h"
#include "ui/InterfaceFont.h"
#include "ui/LabelStyle.h"
#include "ui/OverlayWindow.h"
#include "ui/PixelRegion.h"
#include "ui/UiText.h"
#include "ui/WindowGeometry.h"

namespace galewarden {
namespace {

QColor qtColour(ColourValue colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

// A region wholly outside the window: nothing of it shows.
QRegion nothing() {
    return QRegion(-1, -1, 1, 1);
}

Qt::Alignment qtAlignment(LabelAlign align) {
    switch (align) {
        case LabelAlign::centre:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case LabelAlign::right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case LabelAlign::left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

ConfiguredLabel configuredLabel(const ConfigStore& store) {
    return {store.readNumber(keys::kLabelPosX), store.readNumber(keys::kLabelPosY),
            store.readNumber(keys::kLabelWidth), store.readNumber(keys::kLabelHeight)};
}

}  // namespace

LabelWindow::LabelWindow(const ConfigStore& store, const IconDisplay& state, QWidget& icon)
    : QWidget(&icon),
      store_(store),
      state_(state),
      icon_(icon),
      label_(new QLabel(QStringLiteral("未指定文本"), this)),
      textColour_(textToColour(defaultOf(keys::kLabelColor))),
      background_(labelBackground(textToColour(defaultOf(keys::kLabelBgColor)))) {
    makeOverlay(*this, Qt::WindowTransparentForInput);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    label_->setObjectName(QStringLiteral("labelText"));
    label_->setTextFormat(Qt::PlainText);
    QFont font;
    font.setFamilies(interfaceFamilies());
    font.setBold(true);
    label_->setFont(font);
    setColours(textColour_, background_);
}

void LabelWindow::updateLabelWindow() {
    if (state_.highestColour() != 0 && !store_.readFlag(keys::kLabelShow)) {
        hide();
        return;
    }
    const WindowRect place = labelRect(windowRectOf(icon_.geometry()), configuredLabel(store_),
                                       largestSide(devicePixelRatioF()));
    const QRect wanted(place.left, place.top, place.width, place.height);
    if (geometry() != wanted) {
        const bool resized = size() != wanted.size();
        setGeometry(wanted);
        update();  // sends the move to the window system at once (X11)
        if (resized && labelStyled_) {
            cutToText();
        }
    }
    setStaysOnTop(*this, staysOnTop(icon_));
    setVisible(icon_.isVisible());

    const ColourValue textColour = textToColour(store_.read(keys::kLabelColor));
    if (labelStyled_ || !icon_.isVisible()) {
        setColours(textColour, background_);
        if (!state_.display()->labelUsesName) {
            return;
        }
    }
    applyFullStyling(textColour);
}

void LabelWindow::applyFullStyling(ColourValue textColour) {
    QString text = toQString(labelTextFor(*state_.display(), state_.currentPlaceName()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (label_->text() != text) {
        label_->setText(text);
    }
    QFont font = label_->font();
    font.setPointSize(labelPoints(store_.readNumber(keys::kLabelSize)));
    if (label_->font() != font) {
        label_->setFont(font);
    }
    const Qt::Alignment alignment = qtAlignment(labelAlign(store_.readNumber(keys::kLabelAlign)));
    if (label_->alignment() != alignment) {
        label_->setAlignment(alignment);
    }
    setColours(textColour, labelBackground(textToColour(store_.read(keys::kLabelBgColor))));
    labelStyled_ = true;
    setAlpha(state_.alpha());
    cutToText();
}

// The keyed-out background is transparent where a compositor runs; the mask cuts the window
// to its text where none does, which would otherwise show a black box.
void LabelWindow::cutToText() {
    if (!keysOut(background_)) {
        clearMask();
        return;
    }
    QImage text(size(), QImage::Format_ARGB32_Premultiplied);
    text.fill(Qt::transparent);
    label_->render(&text, QPoint(), QRegion(), QWidget::DrawChildren);
    QRegion shape = pixelRegion(text, [](QRgb pixel) { return qAlpha(pixel) != 0; });
    if (shape.isEmpty()) {
        shape = nothing();  // an empty mask would mean no mask at all
    }
    if (mask() != shape) {
        setMask(shape);
    }
}

void LabelWindow::setAlpha(int alpha) {
    setOverlayAlpha(*this, alpha);
}

void LabelWindow::setColours(ColourValue text, ColourValue background) {
    const QColor shown = textShows(text, background) ? qtColour(text) : QColor(Qt::transparent);
    const bool backgroundChanged = background != background_;
    textColour_ = text;
    background_ = background;
    const bool textChanged = label_->palette().color(QPalette::WindowText) != shown;
    if (textChanged) {
        QPalette colours = label_->palette();
        colours.setColor(QPalette::WindowText, shown);
        label_->setPalette(colours);
    }
    if (backgroundChanged) {
        update();
    }
    if (labelStyled_ && (backgroundChanged || textChanged)) {
        cutToText();
    }
}

void LabelWindow::paintEvent(QPaintEvent*) {
    // Keyed out, the background is not drawn at all; with the key off it is opaque black.
    if (!keysOut(background_)) {
        QPainter(this).fillRect(rect(), qtColour(background_));
    }
}

void LabelWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    label_->setGeometry(rect());
}

}  // namespace galewarden
