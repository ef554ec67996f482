#include "settings/editors_model/JsonRuleFields.h"

#include <algorithm>

#include "core/alerts/source/RequestHeaders.h"
#include "core/config/ConfigStore.h"
#include "core/text/TextToNumber.h"
#include "settings/editors_model/EditorValues.h"

namespace galewarden {
namespace {

// No file can hold a line break in a value, so getting it back means the key is absent.
constexpr std::string_view kAbsent = "\r\n";
constexpr std::size_t kHeadersIndex = JsonRuleFields::kCount - 1;
static_assert(kRuleFields[kHeadersIndex].key.name == keys::kJsonHeaders.name);

}  // namespace

void JsonRuleFields::loadFrom(const ConfigStore& file) {
    for (std::size_t i = 0; i < kCount; ++i) {
        const ConfigKey& key = kRuleFields[i].key;
        std::string value = file.readText(key.section, key.name, kAbsent);
        if (value != kAbsent) {
            setStored(i, std::move(value));
        }
    }
}

std::optional<std::size_t> ruleFieldIndex(std::string_view key) {
    const auto found =
        std::find_if(kRuleFields.begin(), kRuleFields.end(),
                     [&](const RuleFieldDefinition& field) { return field.key.name == key; });
    return found == kRuleFields.end()
               ? std::nullopt
               : std::optional(static_cast<std::size_t>(found - kRuleFields.begin()));
}

void JsonRuleFields::useRules(const std::vector<std::pair<std::string, std::string>>& rules) {
    reset();
    for (const auto& rule : rules) {
        if (const std::optional<std::size_t> index = ruleFieldIndex(rule.first)) {
            setStored(*index, rule.second);
        }
    }
}

// A choice reads as "1" for any value that is not the number 0.
void JsonRuleFields::setStored(std::size_t index, std::string value) {
    if (kRuleFields[index].input == RuleInput::choice) {
        value = textToInteger(value) != 0 ? "1" : "0";
    }
    fields_[index] = {true, std::move(value)};
}

void JsonRuleFields::setText(std::size_t index, std::string value) {
    fields_[index] = {true, std::move(value)};
}

void JsonRuleFields::choose(std::size_t index, int item) {
    fields_[index] = item == kDefaultItem ? RuleField{} : RuleField{true, item == 2 ? "1" : "0"};
}

int JsonRuleFields::chosenItem(std::size_t index) const {
    const RuleField& field = fields_[index];
    if (!field.set) {
        return kDefaultItem;
    }
    return field.value == "1" ? 2 : 1;
}

void JsonRuleFields::reset() {
    fields_.fill({});
}

std::vector<std::string_view> JsonRuleFields::unstorableKeys() const {
    std::vector<std::string_view> keys;
    for (std::size_t i = 0; i < kCount; ++i) {
        if (fields_[i].set && !storableValue(fields_[i].value)) {
            keys.push_back(kRuleFields[i].key.name);
        }
    }
    return keys;
}

std::string JsonRuleFields::headersProblem() const {
    const RuleField& headers = fields_[kHeadersIndex];
    return headers.set ? parseRequestHeaders(headers.value).problem : std::string();
}

bool JsonRuleFields::saveTo(ConfigStore& store) const {
    if (!unstorableKeys().empty()) {
        return false;
    }
    bool written = true;
    for (std::size_t i = 0; i < kCount; ++i) {
        const ConfigKey& key = kRuleFields[i].key;
        const RuleField& field = fields_[i];
        written = (field.set ? store.write(key, field.value) : store.deleteKey(key)) && written;
    }
    return written;
}

}  // namespace galewarden
