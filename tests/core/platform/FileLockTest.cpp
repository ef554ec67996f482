#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/platform/FileLock.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

void append(const std::filesystem::path& path, const std::string& line) {
    std::ofstream(path, std::ios::app) << line << '\n';
}

// The child is started before the lock is taken: a forked copy of the holder's descriptor
// would hold the lock for ever.
TEST(FileLock, AnotherProcessWaitsUntilTheHolderLetsGo) {
    const test::TestHome home;
    const std::string lockPath = home.text() + "/x.lock";
    const std::filesystem::path log = home.file("log");
    int go[2];
    int ready[2];
    ASSERT_EQ(::pipe(go), 0);
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        char signal = 0;
        const bool told = ::read(go[0], &signal, 1) == 1 && ::write(ready[1], "r", 1) == 1;
        bool held = false;
        {
            const FileLock theirs(lockPath);
            held = theirs.held();
            append(log, "child");
        }
        ::_exit(told && held ? 0 : 1);
    }
    auto mine = std::make_unique<FileLock>(lockPath);
    EXPECT_TRUE(mine->held());
    char signal = 0;
    const bool told = ::write(go[1], "g", 1) == 1 && ::read(ready[0], &signal, 1) == 1;
    // Without the lock the child, already running, would usually write first.
    append(log, "parent");
    mine.reset();
    int status = 0;
    ::waitpid(child, &status, 0);
    for (const int fd : {go[0], go[1], ready[0], ready[1]}) {
        ::close(fd);
    }
    EXPECT_TRUE(told);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(home.read("log"), "parent\nchild\n");
    EXPECT_FALSE(std::filesystem::exists(home.file("x.lock")));
}

TEST(FileLock, TheLockFileGoesWithTheLockAndALeftOneStillServes) {
    const test::TestHome home;
    const std::string lockPath = home.text() + "/x.lock";
    home.write("x.lock", "left by a holder that died");
    {
        const FileLock lock(lockPath);
        EXPECT_TRUE(lock.held());
        EXPECT_TRUE(std::filesystem::exists(home.file("x.lock")));
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("x.lock")));
    EXPECT_FALSE(FileLock(home.text() + "/missing/x.lock").held());
}

}  // namespace
}  // namespace galewarden
