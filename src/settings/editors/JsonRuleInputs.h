#pragma once

#include <QWidget>
#include <array>

#include "settings/editors_model/JsonRuleFields.h"

class QComboBox;
class QLineEdit;

namespace galewarden {

// The seventeen rule inputs in two columns, each captioned with its key and named after it.
// Edits go into the fields at once; an absent text shows "[default]" on the window's colour, a
// set one its value on white.
class JsonRuleInputs : public QWidget {
    Q_OBJECT

  public:
    JsonRuleInputs(JsonRuleFields& fields, QWidget* parent);

    // Shows every field as the model holds it.
    void showFields();

  private:
    QWidget* buildInput(std::size_t index);
    void showField(std::size_t index);
    void markState(std::size_t index);

    JsonRuleFields& fields_;
    std::array<QLineEdit*, JsonRuleFields::kCount> edits_{};
    std::array<QComboBox*, JsonRuleFields::kCount> choices_{};
};

}  // namespace galewarden
