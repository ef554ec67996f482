#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace galewarden::json {

// Reads the tokens of a UTF-8 path left to right, as JavaScript source: names, "." and
// "[" ... "]" around an integer index or a quoted key, with white space between tokens.
// Names may hold any non-ASCII character, as JavaScript lets Chinese names through.
class PathReader {
  public:
    explicit PathReader(std::string_view path) : path_(path) {}

    bool atEnd();
    bool take(char c);
    std::optional<std::string_view> name();
    // After "[": an index or a quoted key, and the closing "]". `scratch` holds a key that
    // needed unescaping.
    std::optional<std::string_view> bracketKey(std::string& scratch);

  private:
    bool atIdeographicSpace() const;
    void skipSpaces();
    std::optional<std::string_view> index();
    std::optional<std::string_view> quotedKey(std::string& scratch);

    std::string_view path_;
    std::size_t pos_ = 0;
};

}  // namespace galewarden::json
