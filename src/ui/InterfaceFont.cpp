#include "ui/InterfaceFont.h"

namespace galewarden {

QStringList interfaceFamilies() {
    return {QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
            QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")};
}

QFont interfaceFont(int pixels) {
    QFont font;
    font.setFamilies(interfaceFamilies());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixels);
    return font;
}

}  // namespace galewarden
