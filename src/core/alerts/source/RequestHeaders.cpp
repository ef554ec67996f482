#include "core/alerts/source/RequestHeaders.h"

#include <algorithm>
#include <array>

#include "core/config/ConfigStore.h"
#include "core/text/CodePage.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

bool isTokenCharacter(char c) {
    static constexpr std::string_view kSymbols = "!#$%&'*+-.^_`|~";
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kSymbols.find(c) != std::string_view::npos;
}

bool isPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

// Headers the transfer writes itself: a second one would break the request.
bool isTransferHeader(std::string_view name) {
    static constexpr std::array<std::string_view, 4> kNames{"host", "content-length",
                                                            "transfer-encoding", "connection"};
    const std::string lower = toLowerAscii(name);
    return std::find(kNames.begin(), kNames.end(), lower) != kNames.end();
}

// Why a line is refused; empty when it is a header line.
std::string lineProblem(std::string_view line) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) {
        return gbFromUtf8("不是“名称: 值”的形式");
    }
    const std::string_view name = line.substr(0, colon);
    if (!std::all_of(name.begin(), name.end(), isTokenCharacter)) {
        return gbFromUtf8("名称含有不允许的字符");
    }
    if (isTransferHeader(name)) {
        return gbFromUtf8("此请求头由程序自行设置");
    }
    if (!isPrintableAscii(line.substr(colon + 1))) {
        return gbFromUtf8("值只能含可打印的ASCII字符");
    }
    return {};
}

}  // namespace

RequestHeaders parseRequestHeaders(std::string_view stored) {
    RequestHeaders headers;
    for (const std::string& piece : splitText(decodeLabelText(stored), "\r\n")) {
        const std::string line = trimText(piece);
        if (line.empty()) {
            continue;
        }
        if (const std::string problem = lineProblem(line); !problem.empty()) {
            headers.problem = gbFromUtf8("请求头“") + line + gbFromUtf8("”无效：") + problem;
            break;
        }
        if (headers.lines.size() == RequestHeaders::kMaxLines) {
            headers.problem = gbFromUtf8("请求头最多8行");
            break;
        }
        headers.lines.push_back(line);
    }
    if (!headers.problem.empty()) {
        headers.lines.clear();
    }
    return headers;
}

std::string encodeRequestHeaders(const std::vector<std::string>& lines) {
    return encodeLabelText(joinText(lines, "\r\n"));
}

}  // namespace galewarden
