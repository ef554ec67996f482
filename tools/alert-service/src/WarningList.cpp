#include "WarningList.h"

#include "JsonFile.h"
#include "PublishInstant.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace galewarden::alertservice {
namespace {

std::string_view stringMember(const rapidjson::Value& warning, const char* name) {
    const auto member = warning.FindMember(name);
    if (member == warning.MemberEnd() || !member->value.IsString()) {
        return {};
    }
    return {member->value.GetString(), member->value.GetStringLength()};
}

// Warnings whose time cannot be read sort as the oldest.
std::int64_t sortInstant(const rapidjson::Value& warning) {
    const auto time = warning.FindMember("time");
    if (time != warning.MemberEnd() && time->value.IsInt64()) {
        return publishInstant(std::to_string(time->value.GetInt64()))
            .value_or(std::numeric_limits<std::int64_t>::min());
    }
    return publishInstant(stringMember(warning, "time"))
        .value_or(std::numeric_limits<std::int64_t>::min());
}

bool namesAnyDistrict(const rapidjson::Value& warning, const std::vector<std::string>& districts) {
    const std::string_view title = stringMember(warning, "title");
    // UTF-8 never matches inside another character, so a byte search is exact here.
    return std::any_of(districts.begin(), districts.end(), [&](const std::string& district) {
        return title.find(district) != std::string_view::npos;
    });
}

}  // namespace

std::vector<std::string> requestedDistricts(std::string_view value) {
    std::vector<std::string> districts;
    while (!value.empty()) {
        const std::size_t comma = std::min(value.find(','), value.size());
        if (comma > 0) {
            districts.emplace_back(value.substr(0, comma));
        }
        value.remove_prefix(std::min(comma + 1, value.size()));
    }
    return districts;
}

std::optional<std::string> warningListAnswer(const std::filesystem::path& dataSetFile,
                                             const std::vector<std::string>& districts) {
    rapidjson::Document dataSet;
    if (!readJsonFile(dataSetFile, dataSet) || !dataSet.HasMember("data") ||
        !dataSet["data"].IsArray()) {
        return std::nullopt;
    }
    std::vector<std::pair<std::int64_t, const rapidjson::Value*>> selected;
    for (const auto& warning : dataSet["data"].GetArray()) {
        if (warning.IsObject() && namesAnyDistrict(warning, districts)) {
            selected.emplace_back(sortInstant(warning), &warning);
        }
    }
    std::stable_sort(selected.begin(), selected.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });

    rapidjson::Document answer(rapidjson::kObjectType);
    rapidjson::Value list(rapidjson::kArrayType);
    for (const auto& [instant, warning] : selected) {
        list.PushBack(rapidjson::Value(*warning, answer.GetAllocator()), answer.GetAllocator());
    }
    answer.AddMember("data", list, answer.GetAllocator());
    return jsonText(answer);
}

}  // namespace galewarden::alertservice
