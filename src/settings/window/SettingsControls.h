#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "ui/UiText.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace galewarden {

// Text typed into a field as the program's, its LF line breaks as CR LF (shownText in
// UiText.h goes the other way).
std::string typedText(const QString& text);

// Controls that keep a field of the working copy in step with what the user does; the page
// puts the field's value into them with showField().
QLineEdit* boundEdit(QWidget* parent, const char* name, std::string& field);
// An edit that takes only integer text (full-width digits included).
QLineEdit* boundNumberEdit(QWidget* parent, const char* name, std::string& field,
                           bool signAllowed = false);
QCheckBox* boundCheck(QWidget* parent, const char* name, const QString& caption, bool& field);
void showField(QLineEdit* edit, const std::string& field);
void showField(QCheckBox* check, bool field);

// A caption whose accelerator ("&W.") moves the focus to `buddy`.
QLabel* captionFor(QWidget* buddy, const QString& caption);

}  // namespace galewarden
