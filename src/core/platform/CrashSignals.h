#pragma once

#include <cstddef>
#include <memory>

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

// While it lives, the calling thread has room of its own for the fault handler, so that an
// overflow of this thread's stack is reported like any other fault: an alternate signal stack
// on POSIX (the one it replaces comes back afterwards), a stack guarantee on Windows. Every
// thread the program starts holds one for its whole run.
class ThreadFaultStack {
  public:
    ThreadFaultStack();
    ~ThreadFaultStack();
    ThreadFaultStack(const ThreadFaultStack&) = delete;
    ThreadFaultStack& operator=(const ThreadFaultStack&) = delete;

    bool ready() const { return ready_; }

  private:
    std::unique_ptr<char[]> memory_;
    // The signal stack it replaced, put back at the end.
    void* previousBase_ = nullptr;
    std::size_t previousSize_ = 0;
    int previousFlags_ = 0;
    bool ready_ = false;
};

}  // namespace galewarden
