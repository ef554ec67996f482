#include "app/WarningSoundPlayer.h"

#include "core/platform/ProgramPaths.h"

namespace galewarden {

WarningSoundPlayer::WarningSoundPlayer() : sound_(findProgramResource("Warning.wav")) {
    requests_.setMaxThreadCount(1);
}

WarningSoundPlayer::~WarningSoundPlayer() {
    requests_.waitForDone();
}

void WarningSoundPlayer::play() {
    requests_.start([this] { sound_.playWarning(); });
}

}  // namespace galewarden
