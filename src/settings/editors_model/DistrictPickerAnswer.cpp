#include "settings/editors_model/DistrictPickerAnswer.h"

#include <algorithm>

#include "core/json/JsonDocument.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::string withoutControls(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
    return text;
}

std::string areaMember(const JsonDocument& document, std::size_t index, std::string_view member) {
    std::string path = "areas[" + std::to_string(index) + "].";
    path += member;
    return withoutControls(document.getText(path));
}

}  // namespace

std::optional<std::vector<DistrictEntry>> readDistrictAnswer(std::string_view utf8Answer,
                                                             std::stop_token stop) {
    JsonDocument document;
    if (!document.parse(convertText(utf8Answer, Encoding::Utf8, Encoding::Java))) {
        return std::nullopt;
    }
    std::vector<DistrictEntry> entries;
    for (std::size_t i = 0;; ++i) {
        if (stop.stop_requested()) {
            return std::nullopt;
        }
        std::string name = areaMember(document, i, "name");
        if (name.empty()) {
            break;
        }
        entries.push_back({std::move(name), areaMember(document, i, "province")});
    }
    return entries;
}

}  // namespace galewarden
