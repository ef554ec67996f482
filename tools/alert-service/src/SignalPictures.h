#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace galewarden::alertservice {

// The PNG bytes of the picture in `folder` (files named after the signal, "暴雨蓝.png") whose
// signal name, in GB18030, has this MD5 digest (32 lower-case hexadecimal digits). Empty when no
// picture matches.
std::string pictureByDigest(const std::filesystem::path& folder, std::string_view digest);

}  // namespace galewarden::alertservice
