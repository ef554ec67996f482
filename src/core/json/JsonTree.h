#pragma once

#include <rapidjson/document.h>

#include <string>
#include <string_view>
#include <vector>

namespace galewarden::json {

using JsonValue = rapidjson::Value;

// The text of a string value (or of a number, which the tree keeps as text).
inline std::string_view stringOf(const JsonValue& value) {
    return std::string_view(value.GetString(), value.GetStringLength());
}

// One parsed JSON text. Numbers stay as their text: RapidJSON keeps them as strings that
// point into the parsed text, and `isNumber` tells them from real strings.
class JsonTree {
  public:
    JsonTree();

    // Keys and values together; a larger document does not parse.
    static constexpr std::size_t kMaxValues = 1'000'000;

    // False, holding null, for a text that is not JSON or whose value is null.
    bool parse(std::string_view text);
    // Back to an empty object.
    void reset();

    const JsonValue& root() const { return document_; }
    bool isNumber(const JsonValue& value) const;

  private:
    rapidjson::ParseErrorCode parseCopyOf(std::string_view text, bool rewrite);
    void clear();

    rapidjson::Document document_;
    // The text as parsed in place; the strings of the document point into it.
    std::string text_;
    // Where each number's text starts in `text_`, in ascending order.
    std::vector<const char*> numberStarts_;
};

}  // namespace galewarden::json
