#pragma once

class QPushButton;
class QString;
class QWidget;

namespace galewarden {

// A push button that tests find by `objectName`. It never becomes a dialog's default button on
// its own, so Return keeps to the button a window chooses.
QPushButton* namedButton(const QString& caption, const char* objectName, QWidget* parent);

}  // namespace galewarden
