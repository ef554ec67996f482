#include "settings/window/ColourPicker.h"

#include <QColorDialog>
#include <QPainter>
#include <QPixmap>

namespace galewarden {
namespace {

constexpr QSize kSwatchSize(28, 12);

QColor colourOf(ColourValue value) {
    return QColor(redOf(value), greenOf(value), blueOf(value));
}

QIcon swatchOf(ColourValue value) {
    QPixmap swatch(kSwatchSize);
    swatch.fill(colourOf(value));
    QPainter painter(&swatch);
    painter.setPen(Qt::darkGray);
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    return QIcon(swatch);
}

}  // namespace

ColourPicker::ColourPicker(QWidget* parent) : QPushButton(parent) {
    setIconSize(kSwatchSize);
    connect(this, &QPushButton::clicked, this, &ColourPicker::choose);
    setValue(0);
}

void ColourPicker::setValue(ColourValue value) {
    value_ = value;
    setIcon(swatchOf(value));
    setText(QString::fromStdString(colourToText(value)));
    emit valueChanged(value);
}

void ColourPicker::choose() {
    const QColor chosen = QColorDialog::getColor(colourOf(value_), window());
    if (chosen.isValid()) {
        setValue(rgbColour(chosen.red(), chosen.green(), chosen.blue()));
    }
}

}  // namespace galewarden
