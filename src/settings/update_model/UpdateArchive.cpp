#include "settings/update_model/UpdateArchive.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::string_view kZipSignature{"PK\x03\x04", 4};

std::optional<std::uint64_t> decimal(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string_view trimmedField(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The announced length; nothing when the server sent none (a chunked or closed answer).
std::optional<std::string_view> contentLength(std::string_view headers) {
    while (!headers.empty()) {
        const auto end = std::min(headers.find('\n'), headers.size());
        const std::string_view line = headers.substr(0, end);
        headers.remove_prefix(std::min(end + 1, headers.size()));
        const auto colon = line.find(':');
        if (colon != std::string_view::npos &&
            toLowerAscii(trimmedField(line.substr(0, colon))) == "content-length") {
            return trimmedField(line.substr(colon + 1));
        }
    }
    return std::nullopt;
}

bool matchesAnnouncedLength(std::string_view headers, std::size_t received) {
    const std::optional<std::string_view> announced = contentLength(headers);
    return !announced || decimal(*announced) == received;
}

}  // namespace

int responseStatus(std::string_view headers) {
    if (!startsWith(headers, "HTTP/")) {
        return 0;
    }
    const auto space = headers.find(' ');
    const std::string_view rest =
        space == std::string_view::npos ? std::string_view() : headers.substr(space + 1);
    const std::optional<std::uint64_t> status = decimal(rest.substr(0, 3));
    return status && *status >= 100 && *status <= 999 ? static_cast<int>(*status) : 0;
}

bool isArchiveAnswer(std::string_view headers, std::string_view body) {
    return responseStatus(headers) == 200 && startsWith(body, kZipSignature) &&
           matchesAnnouncedLength(headers, body.size());
}

}  // namespace galewarden
