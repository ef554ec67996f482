#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// Rewrites the marked sections of the user's HTML page (UTF-8): between "/* Alert Start */"
// and "/* Alert End */" the alert list statement, between the Stage markers
// "var Stage = N;", between the Content markers "var Content = \"…\";" with the details text
// escaped for a JavaScript string shown as HTML. Texts are GB18030. Sections whose markers
// are missing, and everything outside the markers, stay as they are. A missing page is created
// empty; a page that exists but cannot be read is left alone. False when the page could not be
// read or written.
bool writeHtmlPage(std::string_view path, std::string_view alertList, bool writeAlert, int stage,
                   bool writeStage, std::string_view detailsText, bool writeDetails);

// The contents of a double-quoted JavaScript string literal holding the text, safe inside a
// script element and between the page's markers: backslash, double quote, control
// characters, "</", "<!", "*/" and the line and paragraph separators are escaped.
std::string escapeJavaScriptString(std::string_view text);

}  // namespace galewarden
