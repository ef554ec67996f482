#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace galewarden {

// An advisory lock on a lock file, held while the object lives; while another object holds it,
// in this process or another, the constructor waits. Each object opens the file anew, so one
// thread that takes the lock twice waits for ever, and so does a forked child for a lock its
// parent held at the fork.
// The lock file goes with the lock where that is safe (POSIX: a waiter that finds another file
// at the path once it has the lock starts again). On Windows a file being deleted cannot be
// opened, so there it stays, hidden.
class FileLock {
  public:
    // Creates the lock file when missing.
    explicit FileLock(std::string_view path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when the lock file could not be made, opened or locked.
    bool held() const { return handle_ != -1; }

  private:
    std::filesystem::path path_;
    std::intptr_t handle_ = -1;
};

}  // namespace galewarden
