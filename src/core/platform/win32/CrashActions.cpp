#include "core/platform/CrashActions.h"

#include <windows.h>

#include "core/platform/win32/WideText.h"

namespace galewarden {

struct CrashLaunch::Prepared {
    std::wstring program;
    // CreateProcessW may write into the command line while it reads it.
    mutable std::vector<wchar_t> commandLine;
};

namespace {

constexpr std::int64_t kFileTimeOf1970 = 116444736000000000;  // in 100 ns steps since 1601

std::wstring wideFromUtf8(std::string_view utf8) {
    return wideFrom(utf8, CP_UTF8);
}

// One argument as CommandLineToArgvW reads it back: quoted, with the backslashes before a
// quote (and before the closing one) doubled.
void appendQuoted(std::wstring& line, const std::wstring& argument) {
    line += L'"';
    std::size_t backslashes = 0;
    for (const wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, L'\\');
    line += L'"';
}

}  // namespace

std::int64_t crashWallSeconds() noexcept {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto steps = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
    return (steps - kFileTimeOf1970) / 10'000'000;
}

std::int64_t crashSteadyMilliseconds() noexcept {
    return static_cast<std::int64_t>(GetTickCount64());
}

void crashSleepMilliseconds(int milliseconds) noexcept {
    Sleep(static_cast<DWORD>(milliseconds));
}

// TerminateProcess, unlike ExitProcess, runs no library's detach code, which could wait for
// a lock the crashed thread holds.
void endCrashedProcess() noexcept {
    TerminateProcess(GetCurrentProcess(), 0xFFFFFFFF);
    for (;;) {
        Sleep(INFINITE);
    }
}

CrashAppendFile::CrashAppendFile(const std::filesystem::path& path) noexcept
    : handle_(reinterpret_cast<std::intptr_t>(
          CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))) {}

CrashAppendFile::~CrashAppendFile() {
    if (reinterpret_cast<HANDLE>(handle_) != INVALID_HANDLE_VALUE) {
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
    }
}

void CrashAppendFile::write(const char* bytes, std::size_t length) noexcept {
    const auto file = reinterpret_cast<HANDLE>(handle_);
    while (file != INVALID_HANDLE_VALUE && length > 0) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(length < 0x10000000 ? length : 0x10000000);
        if (!WriteFile(file, bytes, chunk, &written, nullptr) || written == 0) {
            return;
        }
        bytes += written;
        length -= written;
    }
}

CrashLaunch::CrashLaunch(const std::vector<std::string>& commandLine)
    : prepared_(std::make_shared<Prepared>()) {
    if (commandLine.empty()) {
        prepared_.reset();
        return;
    }
    prepared_->program = wideFromUtf8(commandLine.front());
    std::wstring line;
    for (const std::string& argument : commandLine) {
        if (!line.empty()) {
            line += L' ';
        }
        appendQuoted(line, wideFromUtf8(argument));
    }
    prepared_->commandLine.assign(line.begin(), line.end());
    prepared_->commandLine.push_back(L'\0');
}

// Handles are not inherited, so the new process holds none of the crashed one's files.
bool CrashLaunch::start() const noexcept {
    if (!prepared_) {
        return false;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(prepared_->program.c_str(), prepared_->commandLine.data(), nullptr, nullptr,
                        FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace galewarden
