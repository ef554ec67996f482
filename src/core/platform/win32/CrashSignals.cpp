#include "core/platform/CrashSignals.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <string>

#include "core/text/CodePage.h"

namespace galewarden {
namespace {

struct FatalException {
    DWORD code;
    const char* message;  // UTF-8
};

constexpr FatalException kKnownExceptions[] = {
    {EXCEPTION_ACCESS_VIOLATION, "EXCEPTION_ACCESS_VIOLATION：非法内存访问"},
    {EXCEPTION_STACK_OVERFLOW, "EXCEPTION_STACK_OVERFLOW：堆栈溢出"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "EXCEPTION_INT_DIVIDE_BY_ZERO：整数除以零"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "EXCEPTION_ILLEGAL_INSTRUCTION：非法指令"},
    {EXCEPTION_IN_PAGE_ERROR, "EXCEPTION_IN_PAGE_ERROR：页面读取错误"},
};
constexpr std::size_t kKnownCount = sizeof kKnownExceptions / sizeof kKnownExceptions[0];
constexpr const char* kOtherException = "未处理的结构化异常";
constexpr const char* kAbort = "abort：程序异常中止";
constexpr int kAbortCode = 3;  // SIGABRT's number in the C runtime

std::atomic<CrashHandler> handler{nullptr};

// Made before any fault, since the handler should not allocate. Never freed. The last two are
// the other exceptions and abort().
std::string* messages() {
    static auto* texts = new std::string[kKnownCount + 2];
    return texts;
}

void report(int code, const std::string& message) {
    handler.load()(code, message.data(), message.size());
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception) {
    const DWORD code = exception->ExceptionRecord->ExceptionCode;
    std::size_t index = kKnownCount;
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        if (kKnownExceptions[i].code == code) {
            index = i;
        }
    }
    report(static_cast<int>(code), messages()[index]);
    return EXCEPTION_CONTINUE_SEARCH;
}

void onAbort(int) {
    report(kAbortCode, messages()[kKnownCount + 1]);
}

}  // namespace

bool catchFatalFaults(CrashHandler crashHandler) {
    for (std::size_t i = 0; i < kKnownCount; ++i) {
        messages()[i] = gbFromUtf8(kKnownExceptions[i].message);
    }
    messages()[kKnownCount] = gbFromUtf8(kOtherException);
    messages()[kKnownCount + 1] = gbFromUtf8(kAbort);
    handler.store(crashHandler);
    SetUnhandledExceptionFilter(onUnhandledException);
    static const auto* mainStack = new ThreadFaultStack;  // the installing thread's, for good
    return std::signal(SIGABRT, onAbort) != SIG_ERR && mainStack->ready();
}

// The stack overflow exception leaves the thread almost no stack; the handler needs some.
ThreadFaultStack::ThreadFaultStack() {
    ULONG guarantee = 64 * 1024;
    ready_ = SetThreadStackGuarantee(&guarantee) != 0;
}

ThreadFaultStack::~ThreadFaultStack() = default;

}  // namespace galewarden
