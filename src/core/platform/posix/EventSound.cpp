#include "core/platform/EventSound.h"

#include <canberra.h>

#include <cstdint>
#include <mutex>

#include "core/platform/FileSystem.h"

namespace galewarden {
namespace {

constexpr std::uint32_t kWarningSoundId = 1;
constexpr char kDescription[] = "气象预警";

std::mutex soundLock;

// One context for the process, made at the first play and never destroyed: destroying it unloads
// libcanberra's driver while a player thread may still be returning into it. A context that
// cannot be opened (no driver) is given up and tried again at the next play.
ca_context* openedContext() {
    static ca_context* context = nullptr;
    if (context != nullptr) {
        return context;
    }
    ca_context* made = nullptr;
    if (ca_context_create(&made) != CA_SUCCESS) {
        return nullptr;
    }
    ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Galewarden", CA_PROP_APPLICATION_ID,
                            "cn.galewarden.Galewarden", nullptr);
    if (ca_context_open(made) != CA_SUCCESS) {
        ca_context_destroy(made);
        return nullptr;
    }
    context = made;
    return context;
}

}  // namespace

struct EventSound::Player {
    std::string ownSound;
};

EventSound::EventSound(std::string ownSound) : player_(std::make_unique<Player>()) {
    player_->ownSound = std::move(ownSound);
}

EventSound::~EventSound() = default;

// A sound that is missing and a device that is missing both answer "not found": the own file
// is tried then, which costs no more than a second failure without a device.
bool EventSound::playWarning() {
    const std::lock_guard<std::mutex> guard(soundLock);
    ca_context* context = openedContext();
    if (context == nullptr) {
        return false;
    }
    int result = ca_context_play(context, kWarningSoundId, CA_PROP_EVENT_ID, "dialog-warning",
                                 CA_PROP_EVENT_DESCRIPTION, kDescription, nullptr);
    if (result == CA_ERROR_NOTFOUND && !player_->ownSound.empty()) {
        const std::string file = nativePath(player_->ownSound).string();
        result = ca_context_play(context, kWarningSoundId, CA_PROP_MEDIA_FILENAME, file.c_str(),
                                 CA_PROP_EVENT_DESCRIPTION, kDescription, nullptr);
    }
    return result == CA_SUCCESS;
}

}  // namespace galewarden
