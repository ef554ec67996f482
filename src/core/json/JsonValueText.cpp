#include "core/json/JsonValueText.h"

#include <string_view>
#include <vector>

#include "core/json/JsonNumberText.h"

namespace galewarden::json {
namespace {

void appendScalar(const JsonTree& tree, const JsonValue& value, std::string& out) {
    if (value.IsString()) {
        out += tree.isNumber(value) ? jsonNumberText(stringOf(value)) : stringOf(value);
    } else if (value.IsBool()) {
        out += value.GetBool() ? "true" : "false";
    } else if (value.IsObject()) {
        out += "[object Object]";
    }
}

// Walks nested arrays with a stack of its own: the depth of a downloaded text is not ours
// to choose.
void appendArray(const JsonTree& tree, const JsonValue& array, std::string& out) {
    struct Level {
        const JsonValue* first;
        const JsonValue* next;
        const JsonValue* end;
    };
    std::vector<Level> levels{{array.Begin(), array.Begin(), array.End()}};
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.end) {
            levels.pop_back();
            continue;
        }
        if (level.next != level.first) {
            out += ',';
        }
        const JsonValue& element = *level.next++;
        if (element.IsArray()) {
            levels.push_back({element.Begin(), element.Begin(), element.End()});
        } else {
            appendScalar(tree, element, out);
        }
    }
}

}  // namespace

std::optional<std::string_view> stringText(const JsonTree& tree, const PathTarget& target) {
    if (target.isLength || target.value == nullptr || !target.value->IsString() ||
        tree.isNumber(*target.value)) {
        return std::nullopt;
    }
    return stringOf(*target.value);
}

std::string javaScriptText(const JsonTree& tree, const PathTarget& target) {
    if (target.isLength) {
        return std::to_string(target.length);
    }
    std::string text;
    if (target.value == nullptr) {
        return text;
    }
    if (target.value->IsArray()) {
        appendArray(tree, *target.value, text);
    } else {
        appendScalar(tree, *target.value, text);
    }
    return text;
}

}  // namespace galewarden::json
