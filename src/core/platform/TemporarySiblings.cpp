#include "core/platform/TemporarySiblings.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <string_view>
#include <system_error>

namespace galewarden {
namespace {

constexpr std::u8string_view kMarker = u8".tmp-";

bool isNumber(std::u8string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](char8_t c) { return c >= u8'0' && c <= u8'9'; });
}

// Only the exact shape counts, so that a user's "Galewarden.ini.tmp-old" is never touched.
bool isTemporaryName(std::u8string_view name, std::u8string_view targetName) {
    if (!name.starts_with(targetName) || !name.substr(targetName.size()).starts_with(kMarker)) {
        return false;
    }
    const std::u8string_view numbers = name.substr(targetName.size() + kMarker.size());
    const auto dash = numbers.find(u8'-');
    return dash != std::u8string_view::npos && isNumber(numbers.substr(0, dash)) &&
           isNumber(numbers.substr(dash + 1));
}

}  // namespace

std::filesystem::path temporarySiblingOf(const std::filesystem::path& target,
                                         unsigned long processId) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path sibling = target;
    sibling += kMarker;
    sibling += std::to_string(processId) + "-" + std::to_string(++counter);
    return sibling;
}

void removeTemporarySiblingsOf(const std::filesystem::path& target) {
    const std::u8string targetName = target.filename().u8string();
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        if (isTemporaryName(entry->path().filename().u8string(), targetName)) {
            std::error_code ignored;
            std::filesystem::remove(entry->path(), ignored);
        }
    }
}

}  // namespace galewarden
