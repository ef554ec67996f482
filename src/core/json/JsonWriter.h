#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace galewarden {

// Writes compact JSON text (UTF-8) value by value, for the program's own output.
class JsonWriter {
  public:
    JsonWriter();
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // Room for this many bytes of text, for output whose size is known roughly beforehand.
    void reserve(std::size_t bytes);

    void startArray();
    void endArray();
    void startObject();
    void endObject();
    void key(std::string_view utf8);
    void string(std::string_view utf8);
    void integer(long long value);
    void null();

    // The text written so far, valid until the next write: output that runs to tens of
    // megabytes is not copied to be printed.
    std::string_view text() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace galewarden
