#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace galewarden {

inline constexpr UINT kGb18030CodePage = 54936;

// Bytes in a code page (CP_UTF8, kGb18030CodePage) as the UTF-16 text the wide API takes.
inline std::wstring wideFrom(std::string_view bytes, UINT codePage) {
    if (bytes.empty()) {
        return {};
    }
    const int length =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return wide;
}

}  // namespace galewarden
