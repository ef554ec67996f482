#include "core/platform/FatalError.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

std::mutex& handlerLock() {
    static std::mutex lock;
    return lock;
}

FatalErrorHandler& currentHandler() {
    static FatalErrorHandler handler;
    return handler;
}

void writeToStandardError(int code, const std::string& message) {
    const std::string text = std::to_string(code) + " - " + utf8FromGb(message) + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

}  // namespace

void setFatalErrorHandler(FatalErrorHandler handler) {
    std::lock_guard lock(handlerLock());
    currentHandler() = std::move(handler);
}

void raiseFatalError(int code, const std::string& message) {
    FatalErrorHandler handler;
    {
        std::lock_guard lock(handlerLock());
        handler = currentHandler();
    }
    if (handler) {
        handler(code, message);
    } else {
        writeToStandardError(code, message);
    }
    std::_Exit(-1);
}

}  // namespace galewarden
