#include "core/platform/EventSound.h"

namespace galewarden {

// No sound system known to the build: nothing ever plays.
struct EventSound::Player {};

EventSound::EventSound(std::string /*ownSound*/) {}

EventSound::~EventSound() = default;

bool EventSound::playWarning() {
    return false;
}

}  // namespace galewarden
