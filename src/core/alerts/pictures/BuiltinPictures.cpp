#include "core/alerts/pictures/BuiltinPictures.h"

#include <array>

namespace galewarden {

const std::string& builtinPicture(int colourNumber) {
    static const std::array<std::string, kBuiltinPictureCount> pictures = [] {
        std::array<std::string, kBuiltinPictureCount> copied;
        for (int number = 0; number < kBuiltinPictureCount; ++number) {
            copied[number] = builtinPicturePng(number);
        }
        return copied;
    }();
    return pictures[colourNumber >= 1 && colourNumber <= 5 ? colourNumber : 0];
}

}  // namespace galewarden
