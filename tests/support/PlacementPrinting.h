#pragma once

// Lets QCOMPARE print an icon placement that differs.

#include <QString>
#include <QTest>

#include "core/config/IconPlacement.h"

namespace galewarden {

inline char* toString(const IconPlacement& placement) {
    return QTest::toString(QStringLiteral("%1, %2, %3, %4")
                               .arg(placement.width)
                               .arg(placement.height)
                               .arg(placement.top)
                               .arg(placement.right));
}

}  // namespace galewarden
