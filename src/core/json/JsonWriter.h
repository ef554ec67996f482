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

    void startArray();
    void endArray();
    void startObject();
    void endObject();
    void key(std::string_view utf8);
    void string(std::string_view utf8);
    void integer(long long value);
    void null();

    // The text written so far.
    std::string text() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace galewarden
