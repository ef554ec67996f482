#include "alerts/RefreshState.h"

namespace galewarden {

StatusLine RefreshState::status() const {
    std::lock_guard lock(textLock_);
    return status_;
}

void RefreshState::setStatus(StatusLine status) {
    std::lock_guard lock(textLock_);
    status_ = std::move(status);
}

std::string RefreshState::responseText() const {
    std::lock_guard lock(textLock_);
    return responseText_;
}

void RefreshState::setResponseText(std::string text) {
    std::lock_guard lock(textLock_);
    responseText_ = std::move(text);
}

std::string RefreshState::unexpectedDataText() const {
    std::lock_guard lock(textLock_);
    return unexpectedDataText_;
}

void RefreshState::setUnexpectedDataText(std::string text) {
    std::lock_guard lock(textLock_);
    unexpectedDataText_ = std::move(text);
}

}  // namespace galewarden
