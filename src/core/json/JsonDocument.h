#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace galewarden {

// One parsed JSON value, read as text by path ("data[0].title", "areas[0].name",
// "a[\"b c\"]"). The downloaded text is data: it is parsed, never evaluated.
class JsonDocument {
  public:
    JsonDocument();
    ~JsonDocument();
    JsonDocument(const JsonDocument&) = delete;
    JsonDocument& operator=(const JsonDocument&) = delete;

    // Accepts every JSON text (UTF-8, or ASCII with \uXXXX escapes) whose top-level value is
    // not null. On failure the document holds null and every read is empty.
    [[nodiscard]] bool parse(std::string_view jsonText);

    // Back to an empty object.
    void reset();

    // The value at the path as JavaScript's String conversion writes it, in GB18030; empty
    // for a missing or null value. An integer written in the JSON text keeps its digits.
    std::string getText(std::string_view path) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace galewarden
