#pragma once

#include <QWidget>

#include "core/config/ConfigColour.h"

class QLabel;

namespace galewarden {

class ConfigStore;
class IconDisplay;

// The line of text that travels with the icon window: placed relative to it, shown and kept
// on top with it, faded with it, and transparent to the pointer. Its background is keyed
// out, so only the text shows.
class LabelWindow : public QWidget {
    Q_OBJECT

  public:
    // `icon` owns the label and is the window it follows.
    LabelWindow(const ConfigStore& store, const IconDisplay& state, QWidget& icon);

    // Placement, visibility and on-top state on every call; the text, font, alignment,
    // background and opacity the first time the icon is seen, and on every call while the
    // text carries place names.
    void updateLabelWindow();

    // The opacity of the icon during a fade.
    void setAlpha(int alpha);

    bool labelStyled() const { return labelStyled_; }
    // The background colour, which is also the transparent key.
    ColourValue backgroundKey() const { return background_; }
    ColourValue textColour() const { return textColour_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void applyFullStyling(ColourValue textColour);
    void setColours(ColourValue text, ColourValue background);
    void cutToText();

    const ConfigStore& store_;
    const IconDisplay& state_;
    QWidget& icon_;
    QLabel* label_;
    ColourValue textColour_;
    ColourValue background_;
    bool labelStyled_ = false;
};

}  // namespace galewarden
