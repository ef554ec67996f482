#include "core/platform/CrashSignals.h"

#include <signal.h>

#include <array>
#include <atomic>
#include <string>

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

struct FatalSignal {
    int number;
    const char* message;  // UTF-8
};

constexpr std::array<FatalSignal, 5> kFatalSignals{{
    {SIGSEGV, "SIGSEGV：非法内存访问"},
    {SIGABRT, "SIGABRT：程序异常中止"},
    {SIGFPE, "SIGFPE：算术运算错误"},
    {SIGBUS, "SIGBUS：总线错误"},
    {SIGILL, "SIGILL：非法指令"},
}};

// Room for the handler, which formats numbers and starts a process, and for a sanitizer's
// bookkeeping around it.
constexpr std::size_t kStackBytes = 256 * 1024;

std::atomic<CrashHandler> handler{nullptr};

// Made before any fault, since the handler may not allocate. Never freed.
std::array<std::string, kFatalSignals.size()>& messages() {
    static auto* texts = new std::array<std::string, kFatalSignals.size()>;
    return *texts;
}

void onFatalSignal(int number, siginfo_t*, void*) {
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
        if (kFatalSignals[i].number == number) {
            const std::string& message = messages()[i];
            handler.load()(number, message.data(), message.size());
        }
    }
    // The handler came back: the default action, when this handler returns, ends the process.
    signal(number, SIG_DFL);
}

// The thread that installs the handlers, the program's main thread, keeps its stack for good.
bool useSignalStack() {
    static const auto* stack = new ThreadFaultStack;
    return stack->ready();
}

}  // namespace

bool catchFatalFaults(CrashHandler crashHandler) {
    for (std::size_t i = 0; i < kFatalSignals.size(); ++i) {
        messages()[i] = gbFromUtf8(kFatalSignals[i].message);
    }
    handler.store(crashHandler);
    bool caught = useSignalStack();
    struct sigaction action {};
    action.sa_sigaction = onFatalSignal;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const FatalSignal& fatal : kFatalSignals) {
        caught = sigaction(fatal.number, &action, nullptr) == 0 && caught;
    }
    return caught;
}

ThreadFaultStack::ThreadFaultStack() : memory_(std::make_unique<char[]>(kStackBytes)) {
    stack_t stack{};
    stack.ss_sp = memory_.get();
    stack.ss_size = kStackBytes;
    stack_t previous{};
    ready_ = sigaltstack(&stack, &previous) == 0;
    previousBase_ = previous.ss_sp;
    previousSize_ = previous.ss_size;
    previousFlags_ = previous.ss_flags;
}

// A sanitizer frees the stack it gave the thread when the thread ends; it must find its own.
ThreadFaultStack::~ThreadFaultStack() {
    if (!ready_) {
        return;
    }
    stack_t previous{};
    previous.ss_sp = previousBase_;
    previous.ss_size = previousSize_;
    previous.ss_flags = previousFlags_ & SS_DISABLE;
    sigaltstack(&previous, nullptr);
}

}  // namespace galewarden
