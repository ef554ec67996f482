#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/alerts/PassAccumulators.h"
#include "core/alerts/classify/ClassifiedWarnings.h"

namespace galewarden {

// How a list is sorted: it decides which of a lift and a warning is newer when a time is
// unreadable.
enum class ListOrder { newestFirst, oldestFirst };

struct SelectionOptions {
    bool labelUsesName = false;  // one display entry per warning instead of one per signal
    bool guidanceFileExists = false;
    ListOrder order = ListOrder::newestFirst;
};

// PNG bytes for a signal name.
using PictureSource = std::function<std::string(std::string_view signalName)>;

// Keeps, in list order, the candidates that no lift notice cancels and that do not repeat the
// region and type of one kept before, and builds what the pass shows of them. A lift cancels
// the warnings of its region and type published at or before it. Without a picture source the
// display entries have no pictures.
PassAccumulators selectWarnings(const ClassifiedWarnings& warnings, const SelectionOptions& options,
                                const PictureSource& pictures, std::stop_token stop = {});

}  // namespace galewarden
