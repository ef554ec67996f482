#include "ui/NamedButton.h"

#include <QPushButton>

namespace galewarden {

QPushButton* namedButton(const QString& caption, const char* objectName, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setAutoDefault(false);
    return button;
}

}  // namespace galewarden
