#pragma once

namespace galewarden {

// Qt's own texts (standard buttons, the file dialog) in Chinese whatever the user's locale,
// since every other text of the program is Chinese. False when Qt's translation is not
// installed; the texts then stay English.
bool useChineseQtTexts();

}  // namespace galewarden
