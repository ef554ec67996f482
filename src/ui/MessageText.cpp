#include "ui/MessageText.h"

namespace galewarden {
namespace {

constexpr QChar kZeroWidthSpace(0x200B);

// Where the shown part ends: at the character or line limit, never inside a surrogate pair.
qsizetype shownLength(const QString& text) {
    qsizetype lines = 1;
    qsizetype end = 0;
    while (end < text.size() && end < kShownMessageChars) {
        if (text[end] == QLatin1Char('\n') && ++lines > kShownMessageLines) {
            break;
        }
        ++end;
    }
    if (end < text.size() && end > 0 && text[end - 1].isHighSurrogate()) {
        --end;
    }
    return end;
}

QString withBreaks(const QString& text) {
    QString broken;
    broken.reserve(text.size() + text.size() / kLongestUnbrokenRun);
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestUnbrokenRun && !c.isLowSurrogate()) {
            broken += kZeroWidthSpace;
            run = 1;
        }
        broken += c;
    }
    return broken;
}

}  // namespace

ShownMessage shownMessage(const QString& text) {
    const qsizetype length = shownLength(text);
    const bool cut = length < text.size();
    QString shown = withBreaks(text.left(length));
    if (cut) {
        shown += QStringLiteral("…");
    }
    return {shown, cut};
}

}  // namespace galewarden
