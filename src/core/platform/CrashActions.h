#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace galewarden {

// What a crashing process can still do: each call here is async-signal-safe (system calls
// only, nothing allocated or locked), apart from the preparation done beforehand.

// Seconds since 1970-01-01 00:00 UTC.
std::int64_t crashWallSeconds() noexcept;
// A steady clock that every process of the same boot reads alike, in milliseconds.
std::int64_t crashSteadyMilliseconds() noexcept;
void crashSleepMilliseconds(int milliseconds) noexcept;

// Ends the process at once with exit status −1 (255 on POSIX), running nothing of its own.
[[noreturn]] void endCrashedProcess() noexcept;

// A file appended to, created when missing; failures are silent.
class CrashAppendFile {
  public:
    explicit CrashAppendFile(const std::filesystem::path& path) noexcept;
    ~CrashAppendFile();
    CrashAppendFile(const CrashAppendFile&) = delete;
    CrashAppendFile& operator=(const CrashAppendFile&) = delete;

    void write(const char* bytes, std::size_t length) noexcept;

  private:
    std::intptr_t handle_;
};

// A program started, without waiting for it, from a crashing process. Everything it needs is
// made when it is prepared. It inherits the environment and the standard streams, but no other
// open file (a lock the crashed process held dies with it).
class CrashLaunch {
  public:
    CrashLaunch() = default;
    // The program's path first, then its arguments, in UTF-8.
    explicit CrashLaunch(const std::vector<std::string>& commandLine);

    // False when no process could be started.
    bool start() const noexcept;

    struct Prepared;

  private:
    std::shared_ptr<Prepared> prepared_;
};

}  // namespace galewarden
