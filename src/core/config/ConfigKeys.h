#pragma once

#include <array>
#include <string>
#include <string_view>

namespace galewarden {

// One key of Galewarden.ini with the default its readers pass. Defaults are written here as
// UTF-8 source text; `defaultOf` gives them in the program's code page.
struct ConfigKey {
    std::string_view section;
    std::string_view name;
    std::string_view defaultUtf8;
    bool quoted = false;                         // writers enclose the value in double quotes
    std::string (*computedDefault)() = nullptr;  // for defaults that are not constants
};

std::string defaultOf(const ConfigKey& key);

// The [Sign] URL default: the picture folder of the alert service.
std::string defaultSignUrl();

// The complete key table.
namespace keys {

inline constexpr ConfigKey kAutoRun{"General", "AutoRun", "1"};
inline constexpr ConfigKey kIconWidth{"General", "Width", "100"};
inline constexpr ConfigKey kIconHeight{"General", "Height", "82"};
inline constexpr ConfigKey kIconTop{"General", "Top", "60"};
inline constexpr ConfigKey kIconRight{"General", "Right", "80"};
inline constexpr ConfigKey kMouseOver{"General", "MouseOver", "1"};
inline constexpr ConfigKey kReshowTime{"General", "ReshowTime", "90"};
inline constexpr ConfigKey kNotice{"General", "Notice", "1"};
inline constexpr ConfigKey kSaveJson{"General", "SaveJson", "0"};
inline constexpr ConfigKey kJsonLink{"General", "JsonLink", "", true};
inline constexpr ConfigKey kInterval{"General", "Interval", "15"};
inline constexpr ConfigKey kAnimate{"General", "Animate", "0"};
inline constexpr ConfigKey kRefreshTime{"General", "RefreshTime", "120"};
inline constexpr ConfigKey kRetryTime{"General", "RetryTime", "60"};

inline constexpr ConfigKey kUseVendor{"Source", "UseKVX", "1"};
inline constexpr ConfigKey kDistricts{"Source", "Districts", "北京市 中央气象台", true};
inline constexpr ConfigKey kSkip{
    "Source", "Skip",
    "试,险,火,害,情,农,滑坡,塌,泥,涝,洪,浪,风暴潮,海冰,海啸,水利,中暑,污染,交通,重要,安全,医疗,"
    "疾病,用,提示,人,地震,卫,突发,稻,脑,耀斑,磁",
    true};
inline constexpr ConfigKey kSender{
    "Source", "Sender",
    "气象台,气象局,气象站,气象服务中心,气象灾害防御技术中心,气象分局,气候中心,政府,应急管理局,"
    "预警信息发布中心",
    true};
inline constexpr ConfigKey kChange{
    "Source", "Change",
    "信号=,事件=,天气=,气象=,预警=,陆地=,风险=,其它=,*火=森林火险,*滑坡=地质灾害,*地质=地质灾害,"
    "*山体=地质灾害,*山洪=山洪灾害,*洪=洪涝,*涝=洪涝,*农=农业灾害,*空气=重污染",
    true};

// Vendor service options: readers of the refresh pass default to empty, the options window
// to "0"; both mean 0.
inline constexpr ConfigKey kVendorMatchMode{"KVXSource", "i", ""};
inline constexpr ConfigKey kVendorDays{"KVXSource", "e", ""};
inline constexpr ConfigKey kVendorOrder{"KVXSource", "o", ""};
inline constexpr ConfigKey kVendorLimit{"KVXSource", "l", ""};
inline constexpr ConfigKey kVendorNonMeteorological{"KVXSource", "n", ""};

inline constexpr ConfigKey kJsonHost{"JSON", "Host", "", true};
inline constexpr ConfigKey kJsonMain{"JSON", "Main", "", true};
inline constexpr ConfigKey kJsonUseDetail{"JSON", "UseDetail", ""};
inline constexpr ConfigKey kJsonDetail{"JSON", "Detail", "", true};
inline constexpr ConfigKey kJsonStartPos{"JSON", "JsonStartPos", ""};
inline constexpr ConfigKey kJsonKeyword{"JSON", "Keyword", "发布,为,更新,确认,变更", true};
inline constexpr ConfigKey kJsonClear{"JSON", "Clear", "解除", true};
inline constexpr ConfigKey kJsonIdentifier{"JSON", "identifier", "", true};
inline constexpr ConfigKey kJsonArray{"JSON", "Array", "", true};
inline constexpr ConfigKey kJsonHeadline{"JSON", "headline", "", true};
inline constexpr ConfigKey kJsonSender{"JSON", "sender", "", true};
inline constexpr ConfigKey kJsonDescription{"JSON", "description", "", true};
inline constexpr ConfigKey kJsonPublishTime{"JSON", "publishTime", "", true};
inline constexpr ConfigKey kJsonDetailSender{"JSON", "D_sender", "", true};
inline constexpr ConfigKey kJsonDetailDescription{"JSON", "D_description", "", true};
inline constexpr ConfigKey kJsonDetailPublishTime{"JSON", "D_publishTime", "", true};
inline constexpr ConfigKey kJsonOriginalSender{"JSON", "OriginalSender", ""};
// Extra request header lines of the source, label-text escaped (see RequestHeaders.h).
inline constexpr ConfigKey kJsonHeaders{"JSON", "Headers", "", true};
// Every key of the [JSON] section, the rules of a source, in the order of the key table.
inline constexpr std::array kJsonRules{
    &kJsonHost,
    &kJsonMain,
    &kJsonUseDetail,
    &kJsonDetail,
    &kJsonStartPos,
    &kJsonKeyword,
    &kJsonClear,
    &kJsonIdentifier,
    &kJsonArray,
    &kJsonHeadline,
    &kJsonSender,
    &kJsonDescription,
    &kJsonPublishTime,
    &kJsonDetailSender,
    &kJsonDetailDescription,
    &kJsonDetailPublishTime,
    &kJsonOriginalSender,
    &kJsonHeaders,
};

inline constexpr ConfigKey kHtmlLocation{"HTML", "Location", "", true};
inline constexpr ConfigKey kHtmlStart{"HTML", "Start", "0"};

inline constexpr ConfigKey kPluginStart{"DLL", "Start", "0"};
inline constexpr ConfigKey kPluginLocation{"DLL", "Location", ""};  // obsolete; only deleted

inline constexpr ConfigKey kBlueAlpha{"Blue", "Alpha", "63"};
inline constexpr ConfigKey kBlueTop{"Blue", "Top", "1"};
inline constexpr ConfigKey kBlueShow{"Blue", "Show", "1"};
inline constexpr ConfigKey kYellowAlpha{"Yellow", "Alpha", "95"};
inline constexpr ConfigKey kYellowTop{"Yellow", "Top", "1"};
inline constexpr ConfigKey kYellowShow{"Yellow", "Show", "1"};
inline constexpr ConfigKey kOrangeAlpha{"Orange", "Alpha", "127"};
inline constexpr ConfigKey kOrangeTop{"Orange", "Top", "1"};
inline constexpr ConfigKey kOrangeShow{"Orange", "Show", "1"};
inline constexpr ConfigKey kRedAlpha{"Red", "Alpha", "159"};
inline constexpr ConfigKey kRedTop{"Red", "Top", "1"};
inline constexpr ConfigKey kRedShow{"Red", "Show", "1"};

inline constexpr ConfigKey kScreenAutoHide{"Screen", "AutoHide", "0"};
inline constexpr ConfigKey kScreenBasic{"Screen", "Basic", "3", true};

inline constexpr ConfigKey kSignAuto{"Sign", "Auto", "1"};
inline constexpr ConfigKey kSignUrl{"Sign", "URL", "", true, &defaultSignUrl};

inline constexpr ConfigKey kLabelShow{"Label", "Show", "0"};
inline constexpr ConfigKey kLabelPosX{"Label", "PosX", "0"};
inline constexpr ConfigKey kLabelPosY{"Label", "PosY", "60"};
inline constexpr ConfigKey kLabelWidth{"Label", "Width", "360"};
inline constexpr ConfigKey kLabelHeight{"Label", "Height", "30"};
inline constexpr ConfigKey kLabelText{"Label", "Text", "未指定文本", true};
inline constexpr ConfigKey kLabelColor{"Label", "Color", "#ECECEC", true};
inline constexpr ConfigKey kLabelBgColor{"Label", "BgColor", "#000000FF", true};
inline constexpr ConfigKey kLabelSize{"Label", "Size", "16"};
inline constexpr ConfigKey kLabelAlign{"Label", "Align", "1"};
inline constexpr ConfigKey kLabelUseName{"Label", "UseName", "0"};

// The lowest colour of a new warning that plays a sound: none, red, orange, yellow or blue.
inline constexpr ConfigKey kSoundFrom{"Sound", "From", "none"};
// Days the warning history keeps a warning after it ended; 0: no history.
inline constexpr ConfigKey kHistoryDays{"History", "Days", "400"};

inline constexpr ConfigKey kAutoCheck{"CheckNew", "AutoCheck", "1"};
inline constexpr ConfigKey kCurrentVersion{"CheckNew", "Current", "", true};
inline constexpr ConfigKey kLastCheck{"CheckNew", "LastCheck", ""};

}  // namespace keys

// The shortest wait between two passes, whatever [General] RefreshTime and RetryTime say.
inline constexpr int kMinimumRefreshSeconds = 30;

}  // namespace galewarden
