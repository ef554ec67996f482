#pragma once

#include <QValidator>

namespace galewarden {

// A single-line field never takes a line break, not even a pasted one: the configuration file
// would read the rest as a line of its own.
class SingleLineValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// Integer text only, as isIntegerText has it; what can still become one is let through while
// the user types.
class IntegerTextValidator : public QValidator {
  public:
    IntegerTextValidator(bool signAllowed, QObject* parent)
        : QValidator(parent), signAllowed_(signAllowed) {}
    State validate(QString& input, int& pos) const override;

  private:
    bool signAllowed_;
};

}  // namespace galewarden
