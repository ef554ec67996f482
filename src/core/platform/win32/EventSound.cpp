#include "core/platform/EventSound.h"

#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include "core/platform/win32/WideText.h"

namespace galewarden {

struct EventSound::Player {
    std::wstring ownSound;
};

EventSound::EventSound(std::string ownSound) : player_(std::make_unique<Player>()) {
    player_->ownSound = wideFrom(ownSound, kGb18030CodePage);
}

EventSound::~EventSound() = default;

// SND_NODEFAULT: a scheme without the exclamation sound must not fall back to the default beep,
// so that the own file is played instead.
bool EventSound::playWarning() {
    if (PlaySoundW(L"SystemExclamation", nullptr, SND_ALIAS | SND_ASYNC | SND_NODEFAULT)) {
        return true;
    }
    return !player_->ownSound.empty() &&
           PlaySoundW(player_->ownSound.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
}

}  // namespace galewarden
