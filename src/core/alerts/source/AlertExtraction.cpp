#include "core/alerts/source/AlertExtraction.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "core/alerts/classify/AlertClassifier.h"
#include "core/alerts/source/DateTime.h"
#include "core/alerts/source/DistrictMatcher.h"
#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"
#include "core/text/Md5.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::size_t kLongestPlainId = 32;
constexpr std::size_t kMillisecondDigits = 13;

// An empty member names nothing: its path ends in "." and reads empty, so it is not asked.
std::string elementText(const JsonDocument& document, const JsonRules& rules, int index,
                        std::string_view member) {
    if (member.empty()) {
        return {};
    }
    const std::string number = std::to_string(index);
    std::string path;
    path.reserve(rules.array.size() + number.size() + member.size() + 3);
    path.append(rules.array).append("[").append(number).append("].").append(member);
    return document.getText(path);
}

std::string detailText(const JsonDocument& document, const JsonRules& rules,
                       std::string_view member) {
    return member.empty() ? std::string()
                          : document.getText(rules.array + "." + std::string(member));
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// One warning of the list, completed once and reused for every district it is tried with.
class WarningReader {
  public:
    WarningReader(const JsonDocument& list, const JsonRules& rules,
                  const DetailFetcher& fetchDetail)
        : list_(list), rules_(rules), fetchDetail_(fetchDetail) {}

    const AlertRecord& complete(int index, const std::string& id, const std::string& headline,
                                const std::string& sender) {
        if (completedIndex_ == index) {
            return record_;
        }
        completedIndex_ = index;
        record_ = AlertRecord{};
        record_.listIndex = index;
        record_.id = id;
        record_.headline = headline;
        record_.sender = sender;
        std::string publishTime;
        if (!readDetail(id, publishTime)) {
            record_.description = elementText(list_, rules_, index, rules_.description);
            publishTime = elementText(list_, rules_, index, rules_.publishTime);
        }
        if (record_.id.size() > kLongestPlainId) {
            record_.id = md5Hex(record_.id);
        }
        normalisePublishTime(publishTime, record_);
        if (record_.sender.empty()) {
            record_.sender = record_.headline;
        }
        return record_;
    }

  private:
    bool readDetail(const std::string& id, std::string& publishTime) {
        if (!fetchDetail_ || !rules_.detailInEffect()) {
            return false;
        }
        const std::string answer = fetchDetail_(detailUrl(rules_, id));
        JsonDocument detail;
        if (!detail.parse(convertText(answer, Encoding::Utf8, Encoding::Java))) {
            return false;
        }
        record_.sender = detailText(detail, rules_, rules_.detailSender);
        record_.description = detailText(detail, rules_, rules_.detailDescription);
        publishTime = detailText(detail, rules_, rules_.detailPublishTime);
        return true;
    }

    const JsonDocument& list_;
    const JsonRules& rules_;
    const DetailFetcher& fetchDetail_;
    int completedIndex_ = -1;
    AlertRecord record_;
};

}  // namespace

void normalisePublishTime(std::string_view delivered, AlertRecord& record) {
    const std::string text = replaceAll(delivered, "T", " ");
    long long milliseconds = 0;
    // Only digits make a time stamp: "2024-09-01 08" is thirteen bytes too.
    if (text.size() == kMillisecondDigits && allDigits(text) &&
        std::from_chars(text.data(), text.data() + text.size(), milliseconds).ec == std::errc()) {
        record.publishDateTime = timestampToBeijingTime(milliseconds);
    } else {
        record.publishDateTime = textToDateTime(text);
    }
    record.publishTime = formatDateTime(record.publishDateTime);
}

int extractAlerts(const JsonDocument& list, const JsonRules& rules,
                  const std::vector<std::string>& districts, AlertClassifier& classifier,
                  const DetailFetcher& fetchDetail, std::stop_token stop) {
    WarningReader reader(list, rules, fetchDetail);
    const DistrictMatcher matcher(districts);
    int index = 0;
    for (std::string id = elementText(list, rules, 0, rules.identifier);
         !id.empty() && !stop.stop_requested();
         id = elementText(list, rules, ++index, rules.identifier)) {
        const std::string headline = elementText(list, rules, index, rules.headline);
        const std::string sender = elementText(list, rules, index, rules.sender);
        for (int named : matcher.districtsIn(headline)) {
            const AlertRecord& record = reader.complete(index, id, headline, sender);
            const std::string& district = districts[static_cast<std::size_t>(named)];
            if (classifier.classifyAlert(record, district) != ClassifyOutcome::nextDistrict) {
                break;
            }
        }
    }
    return index;
}

}  // namespace galewarden
