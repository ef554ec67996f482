#include "core/alerts/RefreshState.h"

#include "core/text/CodePage.h"

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
    return responseBytes_ ? convertText(*responseBytes_, Encoding::Utf8, Encoding::Java)
                          : std::string();
}

void RefreshState::setResponseBytes(std::shared_ptr<const std::string> utf8) {
    std::lock_guard lock(textLock_);
    responseBytes_ = std::move(utf8);
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
