#pragma once

#include <QWidget>

#include "settings/window/PageContext.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace galewarden {

class ColourPicker;

// Page "4. 标签设置": the text label beside the icon window. Object names: labelShow,
// labelPosX, labelPosY, labelWidth, labelHeight, labelText, labelColor, labelBgColor,
// labelSize, labelAlign, labelUseName.
class LabelPage : public QWidget {
    Q_OBJECT

  public:
    LabelPage(PageContext context, QWidget* parent);

    void showValues();

  private:
    void buildPlaceGroup();
    void buildTextGroup();

    PageContext context_;
    QCheckBox* show_ = nullptr;
    QLineEdit* posX_ = nullptr;
    QLineEdit* posY_ = nullptr;
    QLineEdit* width_ = nullptr;
    QLineEdit* height_ = nullptr;
    QPlainTextEdit* text_ = nullptr;
    ColourPicker* color_ = nullptr;
    ColourPicker* bgColor_ = nullptr;
    QLineEdit* size_ = nullptr;
    QComboBox* align_ = nullptr;
    QCheckBox* useName_ = nullptr;
};

}  // namespace galewarden
