#pragma once

#include <QThreadPool>

#include "core/platform/EventSound.h"

namespace galewarden {

// The warning sound of the running program, with the program's own Warning.wav where the
// desktop has none. Each request is played on a thread of its own, so that reaching the sound
// system never holds the interface; going away waits for the requests on their way.
class WarningSoundPlayer {
  public:
    WarningSoundPlayer();
    ~WarningSoundPlayer();
    WarningSoundPlayer(const WarningSoundPlayer&) = delete;
    WarningSoundPlayer& operator=(const WarningSoundPlayer&) = delete;

    void play();

  private:
    EventSound sound_;
    QThreadPool requests_;
};

}  // namespace galewarden
