#include "core/json/JsonDocument.h"

#include <algorithm>

#include "core/json/JsonPath.h"
#include "core/json/JsonTree.h"
#include "core/json/JsonValueText.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// U+2400 stands for a backslash in the feeds; a lone surrogate, which RapidJSON writes as
// three bytes of its own, is one unconvertible character and so one "?".
std::string withProgramCharacters(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const std::string_view rest = utf8.substr(i);
        if (rest.starts_with("\xE2\x90\x80")) {
            out += '\\';
            i += 2;
        } else if (rest.size() >= 3 && rest[0] == '\xED' &&
                   static_cast<unsigned char>(rest[1]) >= 0xA0) {
            out += '?';
            i += 2;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

bool needsProgramCharacters(std::string_view utf8) {
    return utf8.find("\xE2\x90\x80") != std::string_view::npos ||
           utf8.find('\xED') != std::string_view::npos;
}

std::string programText(std::string_view utf8) {
    if (isAscii(utf8)) {
        return std::string(utf8);
    }
    return gbFromUtf8(needsProgramCharacters(utf8) ? withProgramCharacters(utf8) : utf8);
}

}  // namespace

struct JsonDocument::Impl {
    json::JsonTree tree;
};

JsonDocument::JsonDocument() : impl_(std::make_unique<Impl>()) {}

JsonDocument::~JsonDocument() = default;

bool JsonDocument::parse(std::string_view jsonText) {
    return impl_->tree.parse(jsonText);
}

void JsonDocument::reset() {
    impl_->tree.reset();
}

std::string JsonDocument::getText(std::string_view path) const {
    const bool ascii = isAscii(path);
    const std::string utf8Path = ascii ? std::string() : utf8FromGb(path);
    const json::PathTarget target =
        json::resolvePath(impl_->tree, ascii ? path : std::string_view(utf8Path));
    // Most values are strings, converted from where they stand.
    if (const std::optional<std::string_view> text = json::stringText(impl_->tree, target)) {
        return programText(*text);
    }
    return programText(json::javaScriptText(impl_->tree, target));
}

}  // namespace galewarden
