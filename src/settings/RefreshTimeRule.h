#pragma once

#include <string_view>

namespace galewarden {

// The refresh pass waits at least this long, whatever [General] RefreshTime and RetryTime say.
inline constexpr int kMinimumRefreshSeconds = 30;
inline constexpr char kMinimumRefreshText[] = "30";

// Whether the text of "&G.数据刷新间隔：" or "&F.获取失败重试：" reads (text-to-integer rule,
// full-width digits included) as fewer seconds than the minimum; text without digits reads 0.
bool belowRefreshMinimum(std::string_view text);

}  // namespace galewarden
