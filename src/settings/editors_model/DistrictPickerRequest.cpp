#include "settings/editors_model/DistrictPickerRequest.h"

#include "core/net/HttpText.h"
#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::vector<std::string> gbList(std::initializer_list<const char*> utf8Entries) {
    std::vector<std::string> entries;
    for (const char* entry : utf8Entries) {
        entries.push_back(gbFromUtf8(entry));
    }
    return entries;
}

}  // namespace

const std::vector<std::string>& provinceEntries() {
    static const std::vector<std::string> entries = gbList({
        "国家事业单位",   "全部省（自治区、直辖市）",
        "安徽省",         "北京市",
        "重庆市",         "福建省",
        "甘肃省",         "广东省",
        "广西壮族自治区", "贵州省",
        "海南省",         "河北省",
        "河南省",         "湖北省",
        "湖南省",         "吉林省",
        "江苏省",         "江西省",
        "辽宁省",         "内蒙古自治区",
        "宁夏回族自治区", "青海省",
        "山东省",         "山西省",
        "陕西省",         "上海市",
        "四川省",         "天津市",
        "西藏自治区",     "新疆维吾尔自治区",
        "云南省",         "浙江省",
        "其他",
    });
    return entries;
}

std::string districtListUrl(std::string_view webHost, int entry) {
    std::string url(webHost);
    url += "/Galewarden/Info/n";
    const auto& entries = provinceEntries();
    if (entry != kAllProvincesEntry && entry >= 0 &&
        static_cast<std::size_t>(entry) < entries.size()) {
        url += "?p=" + entries[static_cast<std::size_t>(entry)];
    }
    return urlEncode(utf8FromGb(url), true);
}

}  // namespace galewarden
