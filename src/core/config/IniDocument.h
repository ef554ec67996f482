#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// The bytes of an INI file with the private-profile rules of Windows: section and key names
// ignore ASCII case and surrounding blanks, the first section of a name and the first key of a
// name in it count, lines starting with ";" are comments. Edits touch only their own lines, so
// comments, blank lines, order and line endings survive. Bytes are GB18030; a file that begins
// with a UTF-8 byte-order mark is read as UTF-8 and written back as GB18030 without the mark.
class IniDocument {
  public:
    explicit IniDocument(std::string_view bytes = {});

    // The value as the profile functions give it: trimmed, one pair of enclosing double quotes
    // removed, cut to fit the 10240-byte buffer. Empty when the section or key is missing.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;

    // False, leaving the document as it was, when a name or the value would not survive as one
    // line (an empty name, a line break, "=" in a key, "]" in a section name), or when a read
    // would give back less than the whole value (readsBackWhole).
    bool write(std::string_view section, std::string_view key, std::string_view value);

    // Whether a read gives the whole of this value back: trimmed and without its one pair of
    // enclosing quotes it holds at most kMaxValueBytes.
    static bool readsBackWhole(std::string_view value);

    // Removes every line of the key in its section, so that a read afterwards finds nothing.
    void remove(std::string_view section, std::string_view key);

    std::string bytes() const;

    // The longest value a read gives (the buffer less its terminating NUL).
    static constexpr std::size_t kMaxValueBytes = 10239;

  private:
    struct Line {
        std::string text;
        std::string ending;  // "\r\n", "\n", or empty for a last line without one
    };
    struct Span {
        std::size_t header;
        std::size_t end;  // one past the section's last line
    };

    std::optional<Span> findSection(std::string_view name) const;
    std::optional<std::size_t> findKey(const Span& span, std::string_view name) const;
    void insertLine(std::size_t at, std::string text);
    void appendLine(std::string text);

    std::vector<Line> lines_;
    std::string newline_;
};

}  // namespace galewarden
