#pragma once

#include <functional>
#include <string>

namespace galewarden {

// The process's handler of fatal runtime errors: it reports, then the process ends at once
// with exit status −1. The default handler writes the message to standard error.
using FatalErrorHandler = std::function<void(int code, const std::string& message)>;

void setFatalErrorHandler(FatalErrorHandler handler);

// Runs the handler with the error (message in GB18030) and ends the process.
[[noreturn]] void raiseFatalError(int code, const std::string& message);

}  // namespace galewarden
