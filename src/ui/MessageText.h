#pragma once

#include <QString>

namespace galewarden {

// What a message box shows of a text: its beginning, few enough characters and lines to fit on
// any screen, with a place to break in every long run without spaces (a web page, an escaped
// answer), so that the box wraps instead of running off the screen. `cut` says that the whole
// text belongs under the box's details.
struct ShownMessage {
    QString text;
    bool cut = false;
};

inline constexpr qsizetype kShownMessageChars = 800;
inline constexpr qsizetype kShownMessageLines = 20;
inline constexpr qsizetype kLongestUnbrokenRun = 40;

ShownMessage shownMessage(const QString& text);

}  // namespace galewarden
