#pragma once

#include <string>
#include <string_view>

namespace galewarden {

// Percent-encodes space, "#", "%" and, with `encodeNonAscii`, every byte from 0x80 ("%E4").
std::string urlEncode(std::string_view bytes, bool encodeNonAscii);

// The text between the first `left` (searched from `start`, 1-based) and the next `right`
// after it; empty when either is missing. "#引号" in a marker stands for a double quote.
std::string textBetween(std::string_view text, std::string_view left, std::string_view right,
                        int start = 1, bool ignoreCase = false);

// Header names capitalised piece by piece ("content-TYPE" becomes "Content-TYPE"); lines
// without ":" dropped; joined with "\r\n" and no trailing line break.
std::string normaliseHeaderNames(std::string_view headers);

std::string hostOf(std::string_view url, bool keepPort = false);
int portOf(std::string_view url);
std::string pathOf(std::string_view url);

// The cookies of the new text, followed by the old ones it does not name, without deleted
// cookies and duplicates.
std::string mergeCookies(std::string_view oldCookies, std::string_view newCookies);

// The name=value pairs of the "Set-Cookie" lines of a raw header block, joined by "; ".
std::string cookiesFromHeaders(std::string_view responseHeaders);

}  // namespace galewarden
