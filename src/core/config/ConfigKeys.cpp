#include "core/config/ConfigKeys.h"

#include "core/config/ServiceHosts.h"
#include "core/text/CodePage.h"

namespace galewarden {

std::string defaultOf(const ConfigKey& key) {
    return key.computedDefault != nullptr ? key.computedDefault() : gbFromUtf8(key.defaultUtf8);
}

std::string defaultSignUrl() {
    return alertServiceBase() + "/Pack";
}

}  // namespace galewarden
