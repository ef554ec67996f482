#include "settings/window/TextValidators.h"

#include <algorithm>

#include "settings/model/IntegerText.h"
#include "ui/UiText.h"

namespace galewarden {

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
    input.remove(QLatin1Char('\r'));
    input.remove(QLatin1Char('\n'));
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
}

QValidator::State IntegerTextValidator::validate(QString& input, int& /*pos*/) const {
    const std::string text = fromQString(input);
    if (isIntegerText(text, signAllowed_)) {
        return Acceptable;
    }
    return isIntegerTextPrefix(text, signAllowed_) ? Intermediate : Invalid;
}

}  // namespace galewarden
