#pragma once

#include <QPushButton>

#include "core/config/ConfigColour.h"

namespace galewarden {

// A button that shows a colour of the configuration and lets the user choose another. The
// value is kept bit for bit, fourth byte included, until the user chooses: a chosen colour
// has red, green and blue and a fourth byte of 0.
class ColourPicker : public QPushButton {
    Q_OBJECT

  public:
    explicit ColourPicker(QWidget* parent = nullptr);

    ColourValue value() const { return value_; }
    void setValue(ColourValue value);

  signals:
    void valueChanged(galewarden::ColourValue value);

  private:
    void choose();

    ColourValue value_ = 0;
};

}  // namespace galewarden
