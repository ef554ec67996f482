#pragma once

#include <QString>
#include <QStringList>

namespace galewarden {

// A file dialog's filters as the program states them, label and pattern in turn, each ended
// by "|": "JSON 文件（*.json）|*.json|所有文件（*.*）|*.*|". In Qt's form each label keeps its
// text and carries its patterns after it (hidden in the dialog); "*.*" is every file, with a
// dot in its name or not. A label without a pattern is dropped.
QStringList qtNameFilters(const QString& filter);

}  // namespace galewarden
