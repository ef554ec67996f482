#include "settings/model/RefreshTimeRule.h"

#include "core/text/TextToNumber.h"

namespace galewarden {

bool belowRefreshMinimum(std::string_view text) {
    return textToInteger(text) < kMinimumRefreshSeconds;
}

}  // namespace galewarden
