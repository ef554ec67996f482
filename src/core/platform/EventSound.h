#pragma once

#include <memory>
#include <string>

namespace galewarden {

// The desktop's warning sound: the sound theme's "dialog-warning" through libcanberra, on
// Windows the system's exclamation sound; `ownSound` (a sound file, program text) where those
// have none. A build with neither plays nothing. The sound system is reached at the first play,
// so a program that never plays never touches it.
class EventSound {
  public:
    explicit EventSound(std::string ownSound = {});
    ~EventSound();
    EventSound(const EventSound&) = delete;
    EventSound& operator=(const EventSound&) = delete;

    // Starts the sound and returns without waiting for its end: true when it started. Without a
    // sound system or device it is false, and nothing else happens. Reaching a sound server may
    // take a moment: call it off the interface thread. Any thread may call it.
    bool playWarning();

  private:
    struct Player;
    std::unique_ptr<Player> player_;
};

}  // namespace galewarden
