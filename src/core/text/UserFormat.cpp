#include "core/text/UserFormat.h"

namespace galewarden {

// "%" is never a trail byte of a GB18030 character, so a byte walk finds only real ones.
std::string formatWithText(std::string_view format, std::string_view text) {
    std::string result;
    result.reserve(format.size() + text.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char next = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && next == 's') {
            result.append(text);
            ++i;
        } else if (format[i] == '%' && next == '%') {
            result.push_back('%');
            ++i;
        } else {
            result.push_back(format[i]);
        }
    }
    return result;
}

}  // namespace galewarden
