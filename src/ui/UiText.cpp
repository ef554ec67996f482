#include "ui/UiText.h"

#include "core/text/CodePage.h"

namespace galewarden {

QString toQString(std::string_view gb) {
    const std::string utf8 = utf8FromGb(gb);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return gbFromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString fittedTo(const QString& text, int maxUtf8Bytes) {
    if (text.toUtf8().size() <= maxUtf8Bytes) {
        return text;
    }
    QString fitted;
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        // A surrogate pair is one character: never split it.
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const int characterBytes = static_cast<int>(character.toUtf8().size());
        if (bytes + characterBytes > maxUtf8Bytes) {
            break;
        }
        fitted += character;
        bytes += characterBytes;
        i += length;
    }
    return fitted;
}

QString shownText(std::string_view gb) {
    return toQString(gb).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace galewarden
