#include "ui/AutoHide.h"

#include <utility>

#include "core/alerts/TimerInterval.h"
#include "core/config/ConfigStore.h"
#include "ui/IconDisplay.h"

namespace galewarden {

AutoHide::AutoHide(const ConfigStore& store, IconDisplay& state,
                   CountFullScreenWindows countFullScreenWindows, QObject* parent)
    : QObject(parent),
      store_(store),
      state_(state),
      countFullScreenWindows_(std::move(countFullScreenWindows)) {
    connect(&reshowTimer_, &QTimer::timeout, this, &AutoHide::endSuppression);
}

void AutoHide::updateFullScreenCondition() {
    const bool iconWanted = state_.iconWanted();
    // The file is read only while the answer can depend on it.
    FullScreenOptions options;
    if (iconWanted) {
        options.autoHide = store_.readFlag(keys::kScreenAutoHide);
        options.base = options.autoHide ? store_.readNumber(keys::kScreenBasic) : 0;
    }
    state_.setFullScreenClear(fullScreenClear(iconWanted, options, countFullScreenWindows_));
}

void AutoHide::readMouseOverOption() {
    mouseOverHide_ = store_.readFlag(keys::kMouseOver);
}

void AutoHide::suppressIcon() {
    state_.suppress();
    emit suppressed();
    reshowTimer_.stop();
    const int interval = timerMilliseconds(store_.readNumber(keys::kReshowTime));
    if (interval > 0) {
        reshowTimer_.start(interval);
    }
}

void AutoHide::endSuppression() {
    reshowTimer_.stop();
    state_.endSuppression();
}

}  // namespace galewarden
