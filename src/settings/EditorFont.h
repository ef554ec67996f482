#pragma once

#include <QFont>
#include <QStringList>

namespace galewarden {

// The controls' font: "Microsoft YaHei UI" at 9 points, or a Chinese sans-serif face where
// that is missing.
QFont editorFont();

}  // namespace galewarden
