#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace galewarden {

class ConfigStore;

// The texts of the page's marked sections (GB18030); a section not given is left as it is.
struct HtmlSections {
    std::optional<std::string_view> alertList = std::nullopt;  // the alert list statement
    std::optional<int> stage = std::nullopt;
    // Escaped for a JavaScript string shown as HTML.
    std::optional<std::string_view> details = std::nullopt;
};

// Rewrites the marked sections of the user's HTML page (UTF-8): between "/* Alert Start */"
// and "/* Alert End */" the alert list statement, between the Stage markers
// "var Stage = N;", between the Content markers "var Content = \"…\";". Sections whose
// markers are missing, and everything outside the markers, stay as they are. A missing page is
// created empty; a page that exists but cannot be read is left alone. False when the page could
// not be read or written.
bool writeHtmlPage(std::string_view path, const HtmlSections& sections);

// Stages of the program for the page's script.
inline constexpr int kStageProcessed = 0;
inline constexpr int kStageStartedOrFailed = -1;
inline constexpr int kStageExited = -3;
inline constexpr int kStageCrashed = -4;

// Writes only the stage, when [HTML] Location names a page and [HTML] Start is on.
bool writeHtmlStage(const ConfigStore& store, int stage);

// The contents of a double-quoted JavaScript string literal holding the text, safe inside a
// script element and between the page's markers: backslash, double quote, control
// characters, "</", "<!", "*/" and the line and paragraph separators are escaped.
std::string escapeJavaScriptString(std::string_view text);

}  // namespace galewarden
