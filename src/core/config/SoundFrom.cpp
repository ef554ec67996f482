#include "core/config/SoundFrom.h"

#include <array>
#include <cstddef>

#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

// In the order of SoundFrom.
constexpr std::array<std::string_view, 5> kSoundFromNames{"none", "red", "orange", "yellow",
                                                          "blue"};

}  // namespace

SoundFrom soundFromText(std::string_view text) {
    const std::string name = toLowerAscii(text);
    for (std::size_t i = 0; i < kSoundFromNames.size(); ++i) {
        if (kSoundFromNames[i] == name) {
            return static_cast<SoundFrom>(i);
        }
    }
    return SoundFrom::none;
}

std::string_view soundFromName(SoundFrom from) {
    return kSoundFromNames[static_cast<std::size_t>(from)];
}

}  // namespace galewarden
