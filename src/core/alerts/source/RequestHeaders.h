#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// Extra request header lines a source needs ("Referer: https://…"), sent with its list and
// detail requests. Stored in [JSON] Headers on one line with the label text's escaping.
struct RequestHeaders {
    std::vector<std::string> lines;  // "Name: value", checked
    std::string problem;             // why the stored value was refused (GB18030); empty if fine

    static constexpr std::size_t kMaxLines = 8;
};

// Reads the stored value. Refused as a whole, with the first offending line named: more than
// eight lines, a line without "Name:", a name that is no token or one the transfer itself
// sets (Host, Content-Length, Transfer-Encoding, Connection), or a value with anything but
// printable ASCII. Blank lines are skipped.
RequestHeaders parseRequestHeaders(std::string_view stored);

// The stored form of checked lines.
std::string encodeRequestHeaders(const std::vector<std::string>& lines);

}  // namespace galewarden
