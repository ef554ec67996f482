#pragma once

#include <functional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/alerts/AlertRecord.h"
#include "core/alerts/source/JsonRules.h"

namespace galewarden {

class AlertClassifier;
class JsonDocument;

// Downloads a detail document; the answer's bytes (UTF-8), empty on failure.
using DetailFetcher = std::function<std::string(const std::string& url)>;

// Walks the warnings of the list document with the rules and hands each, once per watched
// district that its headline names, to the classification. Without a fetcher no detail
// document is requested. Returns the number of warnings walked.
int extractAlerts(const JsonDocument& list, const JsonRules& rules,
                  const std::vector<std::string>& districts, AlertClassifier& classifier,
                  const DetailFetcher& fetchDetail, std::stop_token stop = {});

// A publication time as delivered, normalised to "2024/09/01 08:05:00": "T" read as a space,
// thirteen digits as milliseconds since 1970 (Beijing time), anything else as a date-time
// text; unreadable times give 0100/01/01 00:00:00.
void normalisePublishTime(std::string_view delivered, AlertRecord& record);

}  // namespace galewarden
