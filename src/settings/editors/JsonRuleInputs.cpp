#include "settings/editors/JsonRuleInputs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ui/UiText.h"

namespace galewarden {
namespace {

const QString kDefaultText = QStringLiteral("[default]");
constexpr int kColumns = 2;

QString keyName(std::size_t index) {
    const std::string_view name = kRuleFields[index].key.name;
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

JsonRuleInputs::JsonRuleInputs(JsonRuleFields& fields, QWidget* parent)
    : QWidget(parent), fields_(fields) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < JsonRuleFields::kCount; ++i) {
        const int row = static_cast<int>(i) / kColumns;
        const int column = (static_cast<int>(i) % kColumns) * 2;
        grid->addWidget(new QLabel(keyName(i), this), row, column);
        grid->addWidget(buildInput(i), row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    showFields();
}

QWidget* JsonRuleInputs::buildInput(std::size_t index) {
    if (kRuleFields[index].input == RuleInput::choice) {
        auto* choice = new QComboBox(this);
        choice->addItems({kDefaultText, QStringLiteral("0"), QStringLiteral("1")});
        choice->setObjectName(keyName(index));
        connect(choice, &QComboBox::activated, this,
                [this, index](int item) { fields_.choose(index, item); });
        choices_[index] = choice;
        return choice;
    }
    auto* edit = new QLineEdit(this);
    edit->setObjectName(keyName(index));
    if (kRuleFields[index].input == RuleInput::digits) {
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), edit));
    }
    connect(edit, &QLineEdit::textEdited, this, [this, index](const QString& text) {
        fields_.setText(index, fromQString(text));
        markState(index);
    });
    edits_[index] = edit;
    return edit;
}

void JsonRuleInputs::showFields() {
    for (std::size_t i = 0; i < JsonRuleFields::kCount; ++i) {
        showField(i);
    }
}

void JsonRuleInputs::showField(std::size_t index) {
    if (choices_[index] != nullptr) {
        choices_[index]->setCurrentIndex(fields_.chosenItem(index));
        return;
    }
    const RuleField& field = fields_.field(index);
    edits_[index]->setText(field.set ? toQString(field.value) : QString());
    markState(index);
}

// The placeholder stands for the absent key, so that typing replaces it instead of adding to it.
void JsonRuleInputs::markState(std::size_t index) {
    QLineEdit* edit = edits_[index];
    const bool set = fields_.field(index).set;
    edit->setPlaceholderText(set ? QString() : kDefaultText);
    QPalette colours = edit->palette();
    colours.setColor(QPalette::Base, set ? QColor(Qt::white) : palette().color(QPalette::Window));
    edit->setPalette(colours);
}

}  // namespace galewarden
