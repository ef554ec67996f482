#pragma once

// Reaching a window's controls by object name from the offscreen window tests.

#include <QPushButton>
#include <QString>
#include <QTest>
#include <QWidget>

namespace galewarden::test {

// How long a window test waits for a download on loopback: enough for a 40 MB answer under a
// sanitizer.
inline constexpr int kSlowMs = 60'000;

inline QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A missing control is a broken test, not a failed expectation: stop at once with its name.
template <typename Control>
Control* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QLatin1String(name));
    if (found == nullptr) {
        qFatal("no control %s", name);
    }
    return found;
}

inline void click(const QWidget& window, const char* name) {
    QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton);
}

}  // namespace galewarden::test
