#include "core/config/ServiceHosts.h"

#include <cstdlib>

namespace galewarden {
namespace {

std::string fromEnvironment(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    std::string base = (value != nullptr && *value != '\0') ? value : fallback;
    while (!base.empty() && base.back() == '/') {
        base.pop_back();
    }
    return base;
}

}  // namespace

std::string alertServiceBase() {
    return fromEnvironment("GALEWARDEN_ALERT_SERVICE", "http://alerts.galewarden.cn:81");
}

std::string webHostBase() {
    return fromEnvironment("GALEWARDEN_WEB_HOST", "https://www.galewarden.cn");
}

}  // namespace galewarden
