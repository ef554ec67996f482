#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/source/RequestHeaders.h"

namespace galewarden {

class ConfigStore;

// Where the values of a warning sit in the answers of a source: the user's [JSON] section,
// or the fixed rules of the vendor's alert service.
struct JsonRules {
    std::string host;  // scheme, host and port, without a trailing slash
    std::string main;  // path and query of the list; "%s" receives the districts
    int useDetail = 0;
    std::string detail;  // path and query of a detail; "%s" receives the id
    int jsonStartPos = 0;
    std::vector<std::string> keywords;
    std::vector<std::string> clearWords;
    std::string identifier;
    std::string array;
    std::string headline;
    std::string sender;
    std::string description;
    std::string publishTime;
    std::string detailSender;
    std::string detailDescription;
    std::string detailPublishTime;
    RequestHeaders headers;  // sent with the list and the detail requests

    bool detailInEffect() const;
};

JsonRules vendorRules(const ConfigStore& store);
JsonRules customRules(const ConfigStore& store);

// The list request: districts joined by ",", put into Main, converted to UTF-8 and
// percent-encoded.
std::string listUrl(const JsonRules& rules, std::string_view districtsText);

// The detail request of one warning, used as built.
std::string detailUrl(const JsonRules& rules, std::string_view id);

}  // namespace galewarden
