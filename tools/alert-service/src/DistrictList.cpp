#include "DistrictList.h"

#include "JsonFile.h"

namespace galewarden::alertservice {
namespace {

bool belongsTo(const rapidjson::Value& area, std::string_view province) {
    if (province.empty()) {
        return true;
    }
    const auto member = area.FindMember("province");
    return member != area.MemberEnd() && member->value.IsString() &&
           std::string_view(member->value.GetString(), member->value.GetStringLength()) == province;
}

}  // namespace

std::optional<std::string> districtListAnswer(const std::filesystem::path& listFile,
                                              std::string_view province) {
    rapidjson::Document list;
    if (!readJsonFile(listFile, list) || !list.HasMember("areas") || !list["areas"].IsArray()) {
        return std::nullopt;
    }
    rapidjson::Document answer(rapidjson::kObjectType);
    rapidjson::Value areas(rapidjson::kArrayType);
    for (const auto& area : list["areas"].GetArray()) {
        if (area.IsObject() && belongsTo(area, province)) {
            areas.PushBack(rapidjson::Value(area, answer.GetAllocator()), answer.GetAllocator());
        }
    }
    answer.AddMember("areas", areas, answer.GetAllocator());
    return jsonText(answer);
}

}  // namespace galewarden::alertservice
