#include "app/config/ConfigKeys.h"

#include "app/config/ServiceHosts.h"
#include "text/CodePage.h"

namespace galewarden {

std::string defaultOf(const ConfigKey& key) {
    return key.computedDefault != nullptr ? key.computedDefault() : gbFromUtf8(key.defaultUtf8);
}

std::string defaultSignUrl() {
    return alertServiceBase() + "/Pack";
}

}  // namespace galewarden
