#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/config/ConfigColour.h"
#include "core/config/ConfigKeys.h"
#include "core/config/IconPlacement.h"
#include "core/config/SoundFrom.h"
#include "settings/model/DistrictList.h"

namespace galewarden {

class ConfigStore;

// Page "级别设置": one block per warning colour, blue, yellow, orange, red.
inline constexpr std::size_t kLevelCount = 4;
struct LevelSettings {
    int alpha = 0;  // slider position, 0..255
    bool show = true;
    bool top = true;
};

// The number fields that must hold an integer when saved. The two refresh times are not
// among them: they follow their own minimum rule.
enum class NumberField {
    iconWidth,
    iconHeight,
    iconTop,
    iconRight,
    reshowTime,
    interval,
    labelPosX,
    labelPosY,
    labelWidth,
    labelHeight,
    labelSize,
    screenBasic,
};
inline constexpr std::size_t kNumberFieldCount = 12;
// Only the label's offsets from the icon may be negative.
bool signAllowed(NumberField field);

struct StoredValue {
    ConfigKey key;
    std::string value;  // before quoting; ConfigStore::write quotes where the key says so
};

// The settings window's working copy of every value of its six pages, GB18030 texts as typed.
// Filled once from the configuration and written back only by a save. The JSON output file,
// the HTML page and the editors' keys are not part of it: those are written at once.
struct SettingsModel {
    // "基本设置"
    std::string iconWidth, iconHeight, iconTop, iconRight;
    bool mouseOver = true;
    std::string reshowTime, interval;
    bool animate = false;
    std::string refreshTime, retryTime;
    bool useVendor = true;
    bool notice = true;
    SoundFrom soundFrom = SoundFrom::none;
    bool autoCheck = true;
    bool autoRun = true;
    // "级别设置"
    std::array<LevelSettings, kLevelCount> levels{};
    // "解析设置"
    DistrictList districts;
    std::string skip, sender;
    // "标签设置"; the label text breaks its lines with CR LF
    bool labelShow = false;
    std::string labelPosX, labelPosY, labelWidth, labelHeight;
    std::string labelText;
    ColourValue labelColor = 0;
    ColourValue labelBgColor = 0;
    std::string labelSize;
    int labelAlign = 1;  // 0 left, 1 centre, 2 right
    bool labelUseName = false;
    // "图标下载"
    bool signAuto = true;
    std::string signUrl;
    // "高级设置"
    bool autoHide = false;
    std::string screenBasic;
    bool saveJson = false;
    bool htmlStart = false;
    bool pluginStart = false;

    // Every key read with its default. A slider or alignment value out of its range is held
    // to the range, as the control would show it.
    void load(const ConfigStore& store);

    // The keys in the order a save writes them, each in its stored form. A single-line text
    // cannot hold a line break (the file would take it for the next key), so line breaks are
    // dropped from every text but the label text, whose escaping keeps them.
    std::vector<StoredValue> storedValues() const;

    // Writes the stored values one by one and stops at the first write that fails (an
    // unreadable or read-only file): that key is returned. Nothing when all were written.
    std::optional<ConfigKey> save(ConfigStore& store) const;

    // "&R.重置" of page "解析设置": an empty district list and the default word lists.
    void resetParsingPage();

    // The four icon edits read as integers; a placement that is not valid leaves them.
    IconPlacement placement() const;
    bool takePlacement(const IconPlacement& placement);

    std::string& numberText(NumberField field);
    const std::string& numberText(NumberField field) const;
    std::optional<NumberField> firstInvalidNumber() const;
};

}  // namespace galewarden
