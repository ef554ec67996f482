#include "core/alerts/RefreshState.h"

#include "core/text/CodePage.h"
#include "core/text/Utf8.h"

namespace galewarden {
namespace {

// The escaped form of the character at `at`: its length there, and in the answer.
std::pair<std::size_t, std::size_t> escapedLength(std::string_view utf8, std::size_t at) {
    if (static_cast<unsigned char>(utf8[at]) < 0x80) {
        return {1, 1};
    }
    std::size_t next = at;
    const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, next);
    if (!codePoint) {
        return {1, 1};  // becomes "?"
    }
    return {*codePoint >= 0x10000 ? 12 : 6, next - at};
}

// How many bytes of the answer make an escaped text of at most `limit` bytes.
std::size_t prefixFitting(std::string_view utf8, std::size_t limit) {
    std::size_t in = 0;
    for (std::size_t out = 0; in < utf8.size();) {
        const auto [escaped, consumed] = escapedLength(utf8, in);
        if (out + escaped > limit) {
            break;
        }
        out += escaped;
        in += consumed;
    }
    return in;
}

// At most `limit` bytes of the answer, not ending inside a character.
std::size_t wholeCharacterPrefix(std::string_view utf8, std::size_t limit) {
    if (utf8.size() <= limit) {
        return utf8.size();
    }
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) {
        --cut;
    }
    return cut;
}

}  // namespace

StatusLine RefreshState::status() const {
    std::lock_guard lock(textLock_);
    return status_;
}

void RefreshState::setStatus(StatusLine status) {
    std::lock_guard lock(textLock_);
    status_ = std::move(status);
}

// An answer runs to megabytes and may be a whole web page: only its beginning is ever shown.
std::string RefreshState::responseText() const {
    std::shared_ptr<const std::string> bytes;
    {
        std::lock_guard lock(textLock_);
        if (escapedFor_ == responseBytes_) {
            return escaped_;
        }
        bytes = responseBytes_;
    }
    std::string text = beginningOfAnswer(Encoding::Java);
    std::lock_guard lock(textLock_);
    if (responseBytes_ == bytes) {
        escapedFor_ = bytes;
        escaped_ = text;
    }
    return text;
}

std::string RefreshState::answerText() const {
    return beginningOfAnswer(Encoding::Gb18030);
}

std::string RefreshState::beginningOfAnswer(Encoding to) const {
    std::shared_ptr<const std::string> bytes;
    {
        std::lock_guard lock(textLock_);
        bytes = responseBytes_;
    }
    if (!bytes) {
        return {};
    }
    const std::string_view answer(*bytes);
    const std::size_t shown = to == Encoding::Java
                                  ? prefixFitting(answer, kShownAnswerBytes)
                                  : wholeCharacterPrefix(answer, kShownAnswerBytes);
    std::string text = convertText(answer.substr(0, shown), Encoding::Utf8, to);
    if (shown < answer.size()) {
        static const std::string ellipsis = gbFromUtf8("…");
        text += ellipsis;
    }
    return text;
}

void RefreshState::setResponseBytes(std::shared_ptr<const std::string> utf8) {
    std::lock_guard lock(textLock_);
    responseBytes_ = std::move(utf8);
}

std::string RefreshState::unexpectedDataText() const {
    std::lock_guard lock(textLock_);
    return unexpectedDataText_;
}

void RefreshState::setUnexpectedDataText(std::string text) {
    std::lock_guard lock(textLock_);
    unexpectedDataText_ = std::move(text);
}

}  // namespace galewarden
