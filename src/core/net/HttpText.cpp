#include "core/net/HttpText.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"
#include "core/text/TextToNumber.h"

namespace galewarden {
namespace {

std::string withQuotes(std::string_view marker) {
    static const std::string placeholder = gbFromUtf8("#引号");
    return replaceAll(marker, placeholder, "\"");
}

char upperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Capitalises the first letter of every "-"-separated piece. Walking the name instead of
// splitting it keeps a trailing "-", which a split would lose.
std::string capitaliseName(std::string name) {
    bool pieceStart = true;
    for (char& c : name) {
        if (pieceStart) {
            c = upperAscii(c);
        }
        pieceStart = c == '-';
    }
    return name;
}

std::string cookieName(std::string_view item) {
    const auto equals = item.find('=');
    return trimText(equals == std::string_view::npos ? item : item.substr(0, equals));
}

std::vector<std::string> cookieItems(std::string_view cookies) {
    std::string text = trimText(cookies);
    if (endsWith(text, ";")) {
        text += ' ';
    }
    return splitText(text, "; ");
}

bool namesCookie(const std::vector<std::string>& items, const std::string& name) {
    return std::any_of(items.begin(), items.end(),
                       [&](const std::string& item) { return cookieName(item) == name; });
}

std::string withoutDuplicates(std::string_view cookies) {
    std::vector<std::string> kept;
    for (std::string& item : splitText(cookies, "; ")) {
        if (std::find(kept.begin(), kept.end(), item) == kept.end()) {
            kept.push_back(std::move(item));
        }
    }
    return joinText(kept, "; ");
}

std::string cookieOfLine(std::string_view line) {
    if (!containsText(line, ";")) {
        return trimText(replaceAll(line, "Set-Cookie:", ""));
    }
    return trimText(textBetween(line, "Set-Cookie:", ";"));
}

}  // namespace

std::string urlEncode(std::string_view bytes, bool encodeNonAscii) {
    std::string encoded;
    encoded.reserve(bytes.size());
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == ' ' || byte == '#' || byte == '%' || (encodeNonAscii && byte >= 0x80)) {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%X", byte);
            encoded += escape;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

std::string textBetween(std::string_view text, std::string_view left, std::string_view right,
                        int start, bool ignoreCase) {
    const Case mode = ignoreCase ? Case::Ignore : Case::Sensitive;
    const std::string leftMarker = withQuotes(left);
    const int leftAt = findText(text, leftMarker, start, mode);
    if (leftAt == -1) {
        return {};
    }
    const int from = leftAt + static_cast<int>(leftMarker.size());
    const int rightAt = findText(text, withQuotes(right), from, mode);
    if (rightAt == -1) {
        return {};
    }
    return std::string(
        text.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(rightAt - from)));
}

std::string normaliseHeaderNames(std::string_view headers) {
    std::vector<std::string> lines;
    for (const std::string& line : splitText(headers, "\r\n")) {
        const auto colon = line.find(':');
        if (colon != std::string::npos) {
            lines.push_back(capitaliseName(line.substr(0, colon)) + line.substr(colon));
        }
    }
    return joinText(lines, "\r\n");
}

std::string hostOf(std::string_view url, bool keepPort) {
    std::string u = toLowerAscii(url);
    if (!endsWith(u, "/")) {
        u += '/';
    }
    std::string host;
    if (startsWith(u, "https://")) {
        host = textBetween(u, "https://", "/");
    } else {
        if (!containsText(u, "http://")) {
            u.insert(0, "http://");
        }
        host = textBetween(u, "http://", "/");
    }
    if (!keepPort) {
        host = host.substr(0, host.find(':'));
    }
    return host;
}

int portOf(std::string_view url) {
    const std::string host = hostOf(url, true);
    const int colon = findLastText(host, ":");
    if (colon != -1) {
        return textToInteger(std::string_view(host).substr(static_cast<std::size_t>(colon)));
    }
    return startsWith(toLowerAscii(url), "https") ? 443 : 80;
}

std::string pathOf(std::string_view url) {
    // The host is looked for after the scheme, so that a host such as "h" or "tp" is not
    // found inside "http" itself.
    const int scheme = findText(url, "://");
    const int searchFrom = scheme == -1 ? 1 : scheme + 3;
    const int hostAt = findText(url, hostOf(url), searchFrom, Case::Ignore);
    const int slash = hostAt == -1 ? -1 : findText(url, "/", hostAt, Case::Ignore);
    if (slash == -1) {
        return "/";
    }
    return std::string(url.substr(static_cast<std::size_t>(slash - 1)));
}

std::string mergeCookies(std::string_view oldCookies, std::string_view newCookies) {
    std::vector<std::string> merged = cookieItems(newCookies);
    for (std::string& item : cookieItems(oldCookies)) {
        if (!namesCookie(merged, cookieName(item))) {
            merged.push_back(std::move(item));
        }
    }
    std::string joined;
    for (const std::string& item : merged) {
        if (!endsWith(item, "=deleted")) {
            joined += item + "; ";
        }
    }
    joined.resize(joined.size() >= 2 ? joined.size() - 2 : 0);
    return withoutDuplicates(joined);
}

std::string cookiesFromHeaders(std::string_view responseHeaders) {
    std::string cookies;
    for (const std::string& line : splitText(responseHeaders, "\r\n")) {
        const auto nameEnd = line.find(": ");
        if (nameEnd != std::string::npos && line.compare(0, nameEnd, "Set-Cookie") == 0) {
            cookies += cookieOfLine(line) + "; ";
        }
    }
    cookies.resize(cookies.size() >= 2 ? cookies.size() - 2 : 0);
    return cookies;
}

}  // namespace galewarden
