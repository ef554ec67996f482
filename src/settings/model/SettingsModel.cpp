#include "settings/model/SettingsModel.h"

#include <algorithm>

#include "core/config/ConfigStore.h"
#include "core/text/TextToNumber.h"
#include "settings/model/IntegerText.h"

namespace galewarden {
namespace {

struct LevelKeys {
    const ConfigKey& alpha;
    const ConfigKey& show;
    const ConfigKey& top;
};

const std::array<LevelKeys, kLevelCount>& levelKeys() {
    static const std::array<LevelKeys, kLevelCount> table{{
        {keys::kBlueAlpha, keys::kBlueShow, keys::kBlueTop},
        {keys::kYellowAlpha, keys::kYellowShow, keys::kYellowTop},
        {keys::kOrangeAlpha, keys::kOrangeShow, keys::kOrangeTop},
        {keys::kRedAlpha, keys::kRedShow, keys::kRedTop},
    }};
    return table;
}

// In the order of NumberField.
constexpr std::array<std::string SettingsModel::*, kNumberFieldCount> kNumberMembers{
    &SettingsModel::iconWidth,   &SettingsModel::iconHeight, &SettingsModel::iconTop,
    &SettingsModel::iconRight,   &SettingsModel::reshowTime, &SettingsModel::interval,
    &SettingsModel::labelPosX,   &SettingsModel::labelPosY,  &SettingsModel::labelWidth,
    &SettingsModel::labelHeight, &SettingsModel::labelSize,  &SettingsModel::screenBasic,
};

constexpr int kLargestAlpha = 255;
constexpr int kLargestAlign = 2;

std::string singleLine(std::string text) {
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return text;
}

std::string flagText(bool value) {
    return value ? "1" : "0";
}

DistrictList singleLineEntries(const DistrictList& list) {
    std::vector<std::string> entries;
    for (const std::string& entry : list.entries()) {
        entries.push_back(singleLine(entry));
    }
    return DistrictList(std::move(entries));
}

}  // namespace

// A drag onto a monitor above or right of the primary one stores a negative Top or Right:
// the window must take back what the program itself wrote.
bool signAllowed(NumberField field) {
    return field == NumberField::labelPosX || field == NumberField::labelPosY ||
           field == NumberField::iconTop || field == NumberField::iconRight;
}

void SettingsModel::load(const ConfigStore& store) {
    iconWidth = store.read(keys::kIconWidth);
    iconHeight = store.read(keys::kIconHeight);
    iconTop = store.read(keys::kIconTop);
    iconRight = store.read(keys::kIconRight);
    mouseOver = store.readFlag(keys::kMouseOver);
    reshowTime = store.read(keys::kReshowTime);
    interval = store.read(keys::kInterval);
    animate = store.readFlag(keys::kAnimate);
    refreshTime = store.read(keys::kRefreshTime);
    retryTime = store.read(keys::kRetryTime);
    useVendor = store.readFlag(keys::kUseVendor);
    notice = store.readFlag(keys::kNotice);
    soundFrom = soundFromText(store.read(keys::kSoundFrom));
    autoCheck = store.readFlag(keys::kAutoCheck);
    autoRun = store.readFlag(keys::kAutoRun);
    for (std::size_t level = 0; level < kLevelCount; ++level) {
        const LevelKeys& keysOf = levelKeys()[level];
        levels[level] = {std::clamp(store.readNumber(keysOf.alpha), 0, kLargestAlpha),
                         store.readFlag(keysOf.show), store.readFlag(keysOf.top)};
    }
    districts = DistrictList::fromStored(store.read(keys::kDistricts));
    skip = store.read(keys::kSkip);
    sender = store.read(keys::kSender);
    labelShow = store.readFlag(keys::kLabelShow);
    labelPosX = store.read(keys::kLabelPosX);
    labelPosY = store.read(keys::kLabelPosY);
    labelWidth = store.read(keys::kLabelWidth);
    labelHeight = store.read(keys::kLabelHeight);
    labelText = decodeLabelText(store.read(keys::kLabelText));
    labelColor = textToColour(store.read(keys::kLabelColor));
    labelBgColor = textToColour(store.read(keys::kLabelBgColor));
    labelSize = store.read(keys::kLabelSize);
    labelAlign = std::clamp(store.readNumber(keys::kLabelAlign), 0, kLargestAlign);
    labelUseName = store.readFlag(keys::kLabelUseName);
    signAuto = store.readFlag(keys::kSignAuto);
    signUrl = store.read(keys::kSignUrl);
    autoHide = store.readFlag(keys::kScreenAutoHide);
    screenBasic = store.read(keys::kScreenBasic);
    saveJson = store.readFlag(keys::kSaveJson);
    htmlStart = store.readFlag(keys::kHtmlStart);
    pluginStart = store.readFlag(keys::kPluginStart);
}

std::vector<StoredValue> SettingsModel::storedValues() const {
    std::vector<StoredValue> values{
        {keys::kAutoRun, flagText(autoRun)},         {keys::kIconWidth, singleLine(iconWidth)},
        {keys::kIconHeight, singleLine(iconHeight)}, {keys::kIconTop, singleLine(iconTop)},
        {keys::kIconRight, singleLine(iconRight)},   {keys::kMouseOver, flagText(mouseOver)},
        {keys::kReshowTime, singleLine(reshowTime)}, {keys::kNotice, flagText(notice)},
        {keys::kSaveJson, flagText(saveJson)},       {keys::kInterval, singleLine(interval)},
        {keys::kAnimate, flagText(animate)},         {keys::kRefreshTime, singleLine(refreshTime)},
        {keys::kRetryTime, singleLine(retryTime)},   {keys::kUseVendor, flagText(useVendor)},
        {keys::kAutoCheck, flagText(autoCheck)},
    };
    for (std::size_t level = 0; level < kLevelCount; ++level) {
        const LevelKeys& keysOf = levelKeys()[level];
        values.push_back({keysOf.alpha, std::to_string(levels[level].alpha)});
        values.push_back({keysOf.show, flagText(levels[level].show)});
        values.push_back({keysOf.top, flagText(levels[level].top)});
    }
    const std::vector<StoredValue> rest{
        {keys::kHtmlStart, flagText(htmlStart)},
        {keys::kScreenAutoHide, flagText(autoHide)},
        {keys::kScreenBasic, singleLine(screenBasic)},
        {keys::kPluginStart, flagText(pluginStart)},
        {keys::kSignAuto, flagText(signAuto)},
        {keys::kSignUrl, singleLine(signUrl)},
        {keys::kDistricts, singleLineEntries(districts).stored()},
        {keys::kSkip, singleLine(skip)},
        {keys::kSender, singleLine(sender)},
        {keys::kLabelShow, flagText(labelShow)},
        {keys::kLabelPosX, singleLine(labelPosX)},
        {keys::kLabelPosY, singleLine(labelPosY)},
        {keys::kLabelWidth, singleLine(labelWidth)},
        {keys::kLabelHeight, singleLine(labelHeight)},
        {keys::kLabelText, encodeLabelText(labelText)},
        {keys::kLabelColor, colourToText(labelColor)},
        {keys::kLabelBgColor, colourToText(labelBgColor)},
        {keys::kLabelSize, singleLine(labelSize)},
        {keys::kLabelAlign, std::to_string(labelAlign)},
        {keys::kLabelUseName, flagText(labelUseName)},
        {keys::kSoundFrom, std::string(soundFromName(soundFrom))},
    };
    values.insert(values.end(), rest.begin(), rest.end());
    return values;
}

std::optional<ConfigKey> SettingsModel::save(ConfigStore& store) const {
    for (const StoredValue& stored : storedValues()) {
        if (!store.write(stored.key, stored.value)) {
            return stored.key;
        }
    }
    return std::nullopt;
}

void SettingsModel::resetParsingPage() {
    districts.clear();
    skip = defaultOf(keys::kSkip);
    sender = defaultOf(keys::kSender);
}

IconPlacement SettingsModel::placement() const {
    return {textToInteger(iconWidth), textToInteger(iconHeight), textToInteger(iconTop),
            textToInteger(iconRight)};
}

bool SettingsModel::takePlacement(const IconPlacement& placement) {
    if (!placement.valid()) {
        return false;
    }
    iconWidth = std::to_string(placement.width);
    iconHeight = std::to_string(placement.height);
    iconTop = std::to_string(placement.top);
    iconRight = std::to_string(placement.right);
    return true;
}

const std::string& SettingsModel::numberText(NumberField field) const {
    return this->*kNumberMembers[static_cast<std::size_t>(field)];
}

std::string& SettingsModel::numberText(NumberField field) {
    return this->*kNumberMembers[static_cast<std::size_t>(field)];
}

std::optional<NumberField> SettingsModel::firstInvalidNumber() const {
    for (std::size_t index = 0; index < kNumberFieldCount; ++index) {
        const auto field = static_cast<NumberField>(index);
        if (!isIntegerText(numberText(field), signAllowed(field))) {
            return field;
        }
    }
    return std::nullopt;
}

}  // namespace galewarden
