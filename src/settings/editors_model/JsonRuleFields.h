#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/config/ConfigKeys.h"

namespace galewarden {

class ConfigStore;

// How a rule is typed: free text (stored quoted), digits (stored as typed) or a choice of
// "[default]", "0" and "1".
enum class RuleInput { text, digits, choice };

struct RuleFieldDefinition {
    ConfigKey key;  // its name is also the caption
    RuleInput input;
};

// The rules of section JSON in the order of the window and of saving.
inline constexpr std::array<RuleFieldDefinition, 18> kRuleFields{{
    {keys::kJsonHost, RuleInput::text},
    {keys::kJsonMain, RuleInput::text},
    {keys::kJsonDetail, RuleInput::text},
    {keys::kJsonUseDetail, RuleInput::choice},
    {keys::kJsonStartPos, RuleInput::digits},
    {keys::kJsonKeyword, RuleInput::text},
    {keys::kJsonClear, RuleInput::text},
    {keys::kJsonArray, RuleInput::text},
    {keys::kJsonIdentifier, RuleInput::text},
    {keys::kJsonHeadline, RuleInput::text},
    {keys::kJsonSender, RuleInput::text},
    {keys::kJsonDescription, RuleInput::text},
    {keys::kJsonPublishTime, RuleInput::text},
    {keys::kJsonDetailSender, RuleInput::text},
    {keys::kJsonDetailDescription, RuleInput::text},
    {keys::kJsonDetailPublishTime, RuleInput::text},
    {keys::kJsonOriginalSender, RuleInput::choice},
    {keys::kJsonHeaders, RuleInput::text},
}};

// The position of the rule of this [JSON] key in kRuleFields; nullopt for another key.
std::optional<std::size_t> ruleFieldIndex(std::string_view key);

// A rule as the window holds it: set (the key is in the file, maybe empty) or absent. A set
// choice holds "0" or "1".
struct RuleField {
    bool set = false;
    std::string value;
    friend bool operator==(const RuleField&, const RuleField&) = default;
};

// The items of a choice: "[default]" (absent), "0", "1".
inline constexpr int kDefaultItem = 0;

// The rule window's fields (GB18030 values). Every field starts absent.
class JsonRuleFields {
  public:
    static constexpr std::size_t kCount = kRuleFields.size();

    // The keys that section JSON of the file holds; the other fields keep text and state. A
    // choice becomes "1" for any value that is not the number 0, else "0".
    void loadFrom(const ConfigStore& file);

    // Typing into a text or digits field sets it.
    void setText(std::size_t index, std::string value);
    // Choosing "[default]" makes the field absent, "0" or "1" sets it.
    void choose(std::size_t index, int item);
    int chosenItem(std::size_t index) const;
    // Every field absent.
    void reset();
    // Every field absent but the given keys' ([JSON] key and value, as a preset lists them).
    void useRules(const std::vector<std::pair<std::string, std::string>>& rules);

    const RuleField& field(std::size_t index) const { return fields_[index]; }

    // The keys whose set values cannot be stored (a line break); saving needs none.
    std::vector<std::string_view> unstorableKeys() const;
    // Why the Headers field would be refused when requests are made (GB18030); empty if fine.
    std::string headersProblem() const;
    // In field order: a set field is written (quoted for text, as it is for digits and
    // choices), an absent one deleted. False when a value is unstorable (then nothing is
    // written) or a write failed.
    bool saveTo(ConfigStore& store) const;

  private:
    void setStored(std::size_t index, std::string value);

    std::array<RuleField, kCount> fields_{};
};

}  // namespace galewarden
