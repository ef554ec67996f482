#pragma once

#include <string_view>

#include "core/config/ConfigKeys.h"

namespace galewarden {

// Whether the text of "&G.数据刷新间隔：" or "&F.获取失败重试：" reads (text-to-integer rule,
// full-width digits included) as fewer seconds than the minimum; text without digits reads 0.
bool belowRefreshMinimum(std::string_view text);

}  // namespace galewarden
