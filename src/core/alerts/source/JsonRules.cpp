#include "core/alerts/source/JsonRules.h"

#include <galewarden/Version.h>

#include "core/config/ConfigStore.h"
#include "core/config/ServiceHosts.h"
#include "core/net/HttpText.h"
#include "core/text/CodePage.h"
#include "core/text/NumberText.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"
#include "core/text/TextToNumber.h"
#include "core/text/UserFormat.h"

namespace galewarden {
namespace {

// The vendor options, appended in this order, each only when above 0.
std::string vendorOptions(const ConfigStore& store) {
    std::string options;
    const double days = textToReal(store.read(keys::kVendorDays));
    if (days > 0.0000001) {
        options += "&e=" + formatReal(days);
    }
    for (const ConfigKey& key : {keys::kVendorMatchMode, keys::kVendorLimit, keys::kVendorOrder,
                                 keys::kVendorNonMeteorological}) {
        const int value = store.readNumber(key.section, key.name, "");
        if (value > 0) {
            options += "&" + std::string(key.name) + "=" + std::to_string(value);
        }
    }
    return options + "&v=" + kVersionText;
}

std::string readRule(const ConfigStore& store, const ConfigKey& key) {
    return store.readText(key.section, key.name, "");
}

int readRuleNumber(const ConfigStore& store, const ConfigKey& key) {
    return store.readNumber(key.section, key.name, "");
}

}  // namespace

bool JsonRules::detailInEffect() const {
    return useDetail != 0 && containsText(detail, "%");
}

JsonRules vendorRules(const ConfigStore& store) {
    JsonRules rules;
    rules.host = alertServiceBase();
    rules.main = "api/alert/c?a=%s" + vendorOptions(store);
    rules.keywords = {gbFromUtf8("发布")};
    rules.clearWords = {gbFromUtf8("解除")};
    rules.identifier = "id";
    rules.array = "data";
    rules.headline = "title";
    rules.description = "content";
    rules.publishTime = "time";
    return rules;
}

JsonRules customRules(const ConfigStore& store) {
    JsonRules rules;
    rules.host = readRule(store, keys::kJsonHost);
    rules.main = readRule(store, keys::kJsonMain);
    rules.useDetail = readRuleNumber(store, keys::kJsonUseDetail);
    rules.detail = readRule(store, keys::kJsonDetail);
    rules.jsonStartPos = readRuleNumber(store, keys::kJsonStartPos);
    rules.keywords = splitText(store.read(keys::kJsonKeyword), ",");
    rules.clearWords = splitText(store.read(keys::kJsonClear), ",");
    rules.identifier = readRule(store, keys::kJsonIdentifier);
    rules.array = readRule(store, keys::kJsonArray);
    rules.headline = readRule(store, keys::kJsonHeadline);
    rules.sender = readRule(store, keys::kJsonSender);
    rules.description = readRule(store, keys::kJsonDescription);
    rules.publishTime = readRule(store, keys::kJsonPublishTime);
    rules.detailSender = readRule(store, keys::kJsonDetailSender);
    rules.detailDescription = readRule(store, keys::kJsonDetailDescription);
    rules.detailPublishTime = readRule(store, keys::kJsonDetailPublishTime);
    rules.headers = parseRequestHeaders(readRule(store, keys::kJsonHeaders));
    return rules;
}

std::string listUrl(const JsonRules& rules, std::string_view districtsText) {
    const std::string districts = replaceAll(districtsText, " ", ",");
    const std::string url = rules.host + "/" + formatWithText(rules.main, districts);
    return urlEncode(utf8FromGb(url), true);
}

std::string detailUrl(const JsonRules& rules, std::string_view id) {
    return rules.host + "/" + formatWithText(rules.detail, id);
}

}  // namespace galewarden
