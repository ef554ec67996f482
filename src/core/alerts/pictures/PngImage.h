#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace galewarden {

// A PNG that decodes completely, with a width above 0. Pictures beyond 16 megapixels are
// refused unread, so a hostile header cannot make us allocate gigabytes.
bool isLoadablePicture(std::string_view bytes);

// PNG bytes of `width` × `height` pixels given row by row as 0xAARRGGBB (straight alpha);
// empty when the sizes do not match the pixels or encoding fails.
std::string encodePng(const std::vector<std::uint32_t>& rgba, int width, int height);

}  // namespace galewarden
