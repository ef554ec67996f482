#pragma once

#include <cstddef>

namespace galewarden {

// Receives a fatal fault on the thread that caused it, where only async-signal-safe work may
// be done: no allocation, no locks, no standard streams. `message` (GB18030) names the fault.
// It ends the process; should it return, the fault takes its default course.
using CrashHandler = void (*)(int code, const char* message, std::size_t length);

// Hands the process's fatal faults to the handler: on POSIX the signals SIGSEGV, SIGABRT,
// SIGFPE, SIGBUS and SIGILL (code: the signal number), handled on a stack of their own so
// that an overflow of the calling thread's stack reaches the handler too; on Windows an
// unhandled structured exception (code: the exception code) and abort(). False when they
// could not all be caught.
bool catchFatalFaults(CrashHandler handler);

}  // namespace galewarden
