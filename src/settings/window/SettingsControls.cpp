#include "settings/window/SettingsControls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "settings/window/TextValidators.h"
#include "ui/InterfaceFont.h"
#include "ui/UiText.h"

namespace galewarden {

std::string typedText(const QString& text) {
    return fromQString(QString(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}

QLineEdit* boundEdit(QWidget* parent, const char* name, std::string& field) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new SingleLineValidator(edit));
    QObject::connect(edit, &QLineEdit::textChanged,
                     [&field](const QString& text) { field = fromQString(text); });
    return edit;
}

QLineEdit* boundNumberEdit(QWidget* parent, const char* name, std::string& field,
                           bool signAllowed) {
    QLineEdit* edit = boundEdit(parent, name, field);
    edit->setValidator(new IntegerTextValidator(signAllowed, edit));
    return edit;
}

QCheckBox* boundCheck(QWidget* parent, const char* name, const QString& caption, bool& field) {
    auto* check = new QCheckBox(caption, parent);
    check->setObjectName(QString::fromLatin1(name));
    QObject::connect(check, &QCheckBox::toggled, [&field](bool ticked) { field = ticked; });
    return check;
}

void showField(QLineEdit* edit, const std::string& field) {
    edit->setText(toQString(field));
    edit->setCursorPosition(0);
}

void showField(QCheckBox* check, bool field) {
    check->setChecked(field);
}

QLabel* captionFor(QWidget* buddy, const QString& caption) {
    auto* label = new QLabel(caption, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace galewarden
