#pragma once

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTimer>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/ConfigStore.h"
#include "support/TestHome.h"
#include "ui/AlertIconWindow.h"
#include "ui/IconDisplay.h"
#include "ui/LabelWindow.h"

namespace galewarden::test {

inline std::string png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

// In 8 bits per channel, as pictures keep it.
inline QColor colourOfEntry(int entry) {
    return QColor(QColor::fromHsv((entry * 67) % 360, 255, 230).rgb());
}

// Entry k (1-based) is a picture filled with its own colour, from place "地k".
inline SharedDisplay displayOf(int count, std::string labelText = {}, bool usesName = false) {
    auto snapshot = std::make_shared<DisplaySnapshot>();
    for (int entry = 1; entry <= count; ++entry) {
        QImage image(600, 492, QImage::Format_RGB32);
        image.fill(colourOfEntry(entry));
        snapshot->entries.push_back({png(image), gb("暴雨蓝"), gb("地") + std::to_string(entry)});
    }
    snapshot->labelText = std::move(labelText);
    snapshot->labelUsesName = usesName;
    return snapshot;
}

inline QRect primaryScreen() {
    return QGuiApplication::primaryScreen()->geometry();
}

// An icon window as the program runs it: monitoring started, the timers its own, the
// configuration in a fresh program directory, and as many full-screen windows as
// `fullScreenWindows` says.
struct IconWindowRig {
    TestHome home;
    ConfigStore store;
    IconDisplay state;
    QTimer rotationTimer;
    QTimer fadeTimer;
    int fullScreenWindows = 0;
    AlertIconWindow window{store, state, rotationTimer, fadeTimer,
                           [this](int base) { return fullScreenWindows - base; }};

    IconWindowRig() { state.startMonitoring(); }

    void configure(std::string_view ini) { home.write("Galewarden.ini", ini); }

    // What the refresh results do with a processed pass, then one visibility pass.
    // [General] Animate as a pass hands it over with the same display.
    void setAnimate(bool animate) {
        state.takeResult(state.display(), state.highestColour(), state.entryCount() > 0, animate);
    }

    void present(SharedDisplay display, int highestColour) {
        const bool anyKept = !display->entries.empty();
        state.takeResult(std::move(display), highestColour, anyKept, false);
        window.applyIconWindowSettings();
        switchPicture();
        window.updateIconWindowVisibility();
    }

    // One press of "切换", run to its end without waiting for the fade timer. Returns the
    // number of ticks.
    int switchPicture() {
        window.startSwitch();
        int ticks = 0;
        while (fadeTimer.isActive() && ticks < 100) {
            window.fadeTick();
            ++ticks;
        }
        return ticks;
    }

    LabelWindow& label() { return *window.labelWindow(); }
};

}  // namespace galewarden::test
