#include "text/CodePage.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <optional>

namespace galewarden {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    std::string run(std::string_view input) {
        std::string output;
        output.reserve(input.size() * 3 / 2 + 16);
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        std::array<char, 4096> chunk{};
        while (inLeft > 0) {
            char* out = chunk.data();
            std::size_t outLeft = chunk.size();
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk.data(), chunk.size() - outLeft);
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG) {
                continue;
            }
            output.push_back('?');
            if (errno == EINVAL) {
                break;  // truncated sequence at the end
            }
            ++in;  // invalid sequence: skip one byte and go on
            --inLeft;
        }
        return output;
    }

  private:
    iconv_t handle_;
};

// iconv handles carry conversion state, so each thread keeps its own.
Converter& converter(Encoding to) {
    thread_local Converter toUtf8("UTF-8", "GB18030");
    thread_local Converter toGb("GB18030", "UTF-8");
    return to == Encoding::Utf8 ? toUtf8 : toGb;
}

std::string convertWithIconv(std::string_view bytes, Encoding to) {
    Converter& c = converter(to);
    return c.valid() ? c.run(bytes) : std::string(bytes);
}

void appendUtf8(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (codePoint >> 6)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (codePoint >> 12)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (codePoint >> 18)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at `i`; nullopt for an invalid one (overlong, surrogate,
// out of range or truncated), of which the caller skips one byte.
std::optional<std::uint32_t> decodeUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    std::uint32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    } else {
        return std::nullopt;
    }
    if (i + length > text.size()) {
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return std::nullopt;
        }
        codePoint = (codePoint << 6) | (byte(i + k) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        return std::nullopt;
    }
    i += length;
    return codePoint;
}

void appendJavaEscape(std::string& out, std::uint32_t unit) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out.push_back(kHex[(unit >> shift) & 0xF]);
    }
}

std::string utf8ToJava(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 2);
    for (std::size_t i = 0; i < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out.push_back(utf8[i++]);
            continue;
        }
        const std::optional<std::uint32_t> codePoint = decodeUtf8(utf8, i);
        if (!codePoint) {
            out.push_back('?');
            ++i;
        } else if (*codePoint >= 0x10000) {
            const std::uint32_t offset = *codePoint - 0x10000;
            appendJavaEscape(out, 0xD800 + (offset >> 10));
            appendJavaEscape(out, 0xDC00 + (offset & 0x3FF));
        } else {
            appendJavaEscape(out, *codePoint);
        }
    }
    return out;
}

std::optional<std::uint32_t> javaUnitAt(std::string_view text, std::size_t i) {
    if (i + 6 > text.size() || text[i] != '\\' || text[i + 1] != 'u') {
        return std::nullopt;
    }
    std::uint32_t unit = 0;
    for (std::size_t k = i + 2; k < i + 6; ++k) {
        const char c = text[k];
        const int digit = (c >= '0' && c <= '9')   ? c - '0'
                          : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                          : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                   : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        unit = unit * 16 + static_cast<std::uint32_t>(digit);
    }
    return unit;
}

std::string javaToUtf8(std::string_view java) {
    std::string out;
    out.reserve(java.size());
    for (std::size_t i = 0; i < java.size();) {
        const std::optional<std::uint32_t> unit = javaUnitAt(java, i);
        if (!unit) {
            out.push_back(java[i++]);
            continue;
        }
        i += 6;
        if (*unit < 0xD800 || *unit > 0xDFFF) {
            appendUtf8(out, *unit);
            continue;
        }
        const std::optional<std::uint32_t> low =
            *unit < 0xDC00 ? javaUnitAt(java, i) : std::nullopt;
        if (low && *low >= 0xDC00 && *low <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((*unit - 0xD800) << 10) + (*low - 0xDC00));
            i += 6;
        } else {
            out.push_back('?');  // a lone surrogate
        }
    }
    return out;
}

std::string toUtf8(std::string_view bytes, Encoding from) {
    switch (from) {
        case Encoding::Gb18030:
            return convertWithIconv(bytes, Encoding::Utf8);
        case Encoding::Java:
            return javaToUtf8(bytes);
        case Encoding::Utf8:
            break;
    }
    return std::string(bytes);
}

}  // namespace

std::string convertText(std::string_view bytes, Encoding from, Encoding to) {
    if (from == to) {
        return std::string(bytes);
    }
    if (from == Encoding::Utf8 && to == Encoding::Java) {
        return utf8ToJava(bytes);
    }
    const std::string utf8 = toUtf8(bytes, from);
    switch (to) {
        case Encoding::Gb18030:
            return convertWithIconv(utf8, Encoding::Gb18030);
        case Encoding::Java:
            return utf8ToJava(utf8);
        case Encoding::Utf8:
            break;
    }
    return utf8;
}

std::string gbFromUtf8(std::string_view utf8) {
    return convertText(utf8, Encoding::Utf8, Encoding::Gb18030);
}

std::string utf8FromGb(std::string_view gb) {
    return convertText(gb, Encoding::Gb18030, Encoding::Utf8);
}

}  // namespace galewarden
