#include "core/json/JsonPath.h"

#include <charconv>
#include <optional>
#include <string>

#include "core/json/JsonPathReader.h"

namespace galewarden::json {
namespace {

// JavaScript counts UTF-16 units.
std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) == 0x80 ? 0 : byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// A repeated name reads its last value, as in JavaScript.
PathTarget objectMember(const JsonValue& object, std::string_view key) {
    for (auto member = object.MemberEnd(); member != object.MemberBegin();) {
        --member;
        if (stringOf(member->name) == key) {
            return {&member->value};
        }
    }
    return {};
}

PathTarget arrayElement(const JsonValue& array, std::string_view key) {
    if (key == "length") {
        return {nullptr, array.Size(), true};
    }
    std::size_t index = 0;
    const char* end = key.data() + key.size();
    const auto parsed = std::from_chars(key.data(), end, index);
    const bool canonical = !key.empty() && (key.size() == 1 || key.front() != '0');
    if (parsed.ptr != end || parsed.ec != std::errc() || !canonical || index >= array.Size()) {
        return {};
    }
    return {&array[static_cast<rapidjson::SizeType>(index)]};
}

PathTarget member(const JsonTree& tree, const PathTarget& at, std::string_view key) {
    if (at.value == nullptr) {
        return {};
    }
    const JsonValue& value = *at.value;
    if (value.IsObject()) {
        return objectMember(value, key);
    }
    if (value.IsArray()) {
        return arrayElement(value, key);
    }
    if (value.IsString() && !tree.isNumber(value) && key == "length") {
        return {nullptr, utf16Length(stringOf(value)), true};
    }
    return {};
}

// Follows ".name" and "[key]" steps to the end of the path.
PathTarget walk(const JsonTree& tree, PathTarget at, PathReader& reader) {
    std::string scratch;
    while (!reader.atEnd()) {
        std::optional<std::string_view> key;
        if (reader.take('.')) {
            key = reader.name();
        } else if (reader.take('[')) {
            key = reader.bracketKey(scratch);
        }
        if (!key) {
            return {};
        }
        at = member(tree, at, *key);
    }
    return at;
}

bool isPresent(const PathTarget& target) {
    return target.isLength || (target.value != nullptr && !target.value->IsNull());
}

}  // namespace

PathTarget resolvePath(const JsonTree& tree, std::string_view path) {
    const PathTarget root{&tree.root()};
    PathReader absolute(path);
    if (absolute.name() == "da") {
        const PathTarget target = walk(tree, root, absolute);
        if (isPresent(target)) {
            return target;
        }
    }
    if (path.empty()) {
        return root;
    }
    PathReader relative(path);
    PathTarget start = root;
    if (path.front() != '[') {
        const std::optional<std::string_view> first = relative.name();
        if (!first) {
            return {};
        }
        start = member(tree, root, *first);
    }
    return walk(tree, start, relative);
}

}  // namespace galewarden::json
