#include "settings/editors_model/EditorValues.h"

namespace galewarden {

bool storableValue(std::string_view value) {
    return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

}  // namespace galewarden
