#pragma once

#include <QFont>
#include <QStringList>

namespace galewarden {

// "Microsoft YaHei UI" where it exists, a Chinese sans-serif face elsewhere.
QStringList interfaceFamilies();

// The windows' controls: the faces above at 12 pixels, 9 points at 96 dots per inch. Pixels,
// not points, because the windows are laid out in fixed pixel sizes.
QFont interfaceFont(int pixels = 12);

}  // namespace galewarden
