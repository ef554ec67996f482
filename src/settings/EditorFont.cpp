#include "settings/EditorFont.h"

namespace galewarden {

QFont editorFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Microsoft YaHei UI"), QStringLiteral("Microsoft YaHei"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
}

}  // namespace galewarden
