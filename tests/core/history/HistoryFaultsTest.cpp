#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "core/history/HistoryReader.h"
#include "core/history/HistoryStore.h"
#include "core/history/SqliteConnection.h"
#include "support/HistoryFixtures.h"

namespace galewarden {
namespace {

using Kind = HistoryNotice::Kind;
using test::warningsFor;

constexpr int kShortBusy = 50;

std::string integrity(const std::string& path) {
    SqliteConnection db;
    if (db.open(sqlitePath(path), SqliteConnection::Mode::existing, 1000) != 0) {
        return "cannot open";
    }
    return db.textOf("PRAGMA integrity_check");
}

std::size_t rowCount(const std::string& path) {
    HistoryReader reader(path);
    return reader.read({}).value_or(std::vector<HistoryWarning>{}).size();
}

// Runs `body` in a child process and gives its exit status; the child may give up its root
// rights first, since root writes into read-only directories.
int inChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

bool dropRoot() {
    return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
}

TEST(HistoryFaults, ACorruptFileIsRenamedAsideAndANewOneTakesThePass) {
    for (const char* damage : {"this is not a database at all, only words", ""}) {
        const test::TestHome home;
        const std::string path = home.text() + "/History.db";
        std::string bytes(8192, 'x');
        if (*damage != '\0') {
            bytes = damage;
        } else {
            // A real database whose pages are overwritten in the middle.
            HistoryStore first(path);
            EXPECT_FALSE(first.recordPass(warningsFor({"a", "b", "c"}), 1000, 400));
        }
        if (*damage != '\0') {
            home.write("History.db", bytes);
        } else {
            std::string file = home.read("History.db");
            for (std::size_t i = 100; i < file.size(); ++i) {
                file[i] = static_cast<char>(i * 7);
            }
            home.write("History.db", file);
            std::filesystem::remove(home.file("History.db-wal"));
        }
        HistoryStore store(path);
        const HistoryNotice notice = store.recordPass(warningsFor({"new"}), 2000, 400);
        EXPECT_EQ(notice.kind, Kind::renamedAside);
        EXPECT_NE(notice.asideName.find("corrupt"), std::string::npos);
        EXPECT_TRUE(std::filesystem::exists(home.file(notice.asideName)));
        EXPECT_FALSE(historyNoticeText(notice).empty());
        EXPECT_EQ(rowCount(path), 1u);
        EXPECT_FALSE(store.recordUnchanged(3000, 400));  // said once
    }
}

TEST(HistoryFaults, ALockedFileIsTriedAgainAtTheNextPass) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    HistoryStore store(path, kShortBusy);
    EXPECT_FALSE(store.recordPass(warningsFor({"a"}), 1000, 400));
    SqliteConnection other;  // as a second copy of the program would hold it
    ASSERT_EQ(other.open(sqlitePath(path), SqliteConnection::Mode::existing, 0), 0);
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), 0);
    EXPECT_EQ(store.recordPass(warningsFor({"a", "b"}), 2000, 400).kind, Kind::locked);
    EXPECT_FALSE(store.recordUnchanged(3000, 400));  // still locked, said once
    EXPECT_FALSE(store.turnedOff());
    ASSERT_EQ(other.exec("COMMIT"), 0);
    EXPECT_FALSE(store.recordUnchanged(4000, 400));  // the missed pass is written now
    EXPECT_EQ(rowCount(path), 2u);
    ASSERT_EQ(other.exec("BEGIN EXCLUSIVE"), 0);
    EXPECT_EQ(store.recordUnchanged(5000, 400).kind, Kind::locked);  // a new episode says so
    other.exec("COMMIT");
}

TEST(HistoryFaults, AReadOnlyDirectoryTurnsTheHistoryOff) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    ::chmod(home.path().c_str(), 0555);
    const int status = inChild([&] {
        if (!dropRoot()) {
            return 10;
        }
        HistoryStore store(path);
        if (store.recordPass(warningsFor({"a"}), 1000, 400).kind != Kind::turnedOff) {
            return 11;
        }
        const bool quiet = !store.recordPass(warningsFor({"a"}), 2000, 400);
        return store.turnedOff() && quiet ? 0 : 12;
    });
    ::chmod(home.path().c_str(), 0755);
    EXPECT_EQ(status, 0);
}

TEST(HistoryFaults, AFullDiskTurnsTheHistoryOff) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    {
        HistoryStore store(path);
        EXPECT_FALSE(store.recordPass(warningsFor({"a"}), 1000, 400));
    }
    const int status = inChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};  // as a disk with no room beyond this
        ::setrlimit(RLIMIT_FSIZE, &limit);
        HistoryStore store(path);
        std::vector<std::string> keys;
        for (int i = 0; i < 2000; ++i) {
            keys.push_back("k" + std::to_string(i));
        }
        if (store.recordPass(warningsFor(keys), 2000, 400).kind != Kind::turnedOff) {
            return 11;
        }
        return store.turnedOff() && !store.recordUnchanged(3000, 400) ? 0 : 12;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(integrity(path), "ok");
    EXPECT_EQ(rowCount(path), 1u);  // the failed pass left nothing behind
}

TEST(HistoryFaults, AWriterKilledMidWriteLeavesAnIntactFile) {
    const test::TestHome home;
    const std::string path = home.text() + "/History.db";
    for (const int afterMs : {1, 30, 120, 400}) {
        int started[2];
        ASSERT_EQ(::pipe(started), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            HistoryStore store(path);
            for (HistoryTime now = 1;; ++now) {
                std::vector<std::string> keys;
                for (int i = 0; i < 300; ++i) {
                    keys.push_back(std::to_string(now % 7) + "-" + std::to_string(i));
                }
                (void)store.recordPass(warningsFor(keys), now, 400);
                if (now == 1 && ::write(started[1], "s", 1) != 1) {
                    ::_exit(1);
                }
            }
        }
        char signal = 0;
        EXPECT_EQ(::read(started[0], &signal, 1), 1);
        ::close(started[0]);
        ::close(started[1]);
        std::this_thread::sleep_for(std::chrono::milliseconds(afterMs));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(integrity(path), "ok") << "killed after " << afterMs << " ms";
    }
    HistoryStore store(path);
    EXPECT_FALSE(store.recordPass(warningsFor({"after"}), 1'000'000, 400));
    EXPECT_EQ(integrity(path), "ok");
}

}  // namespace
}  // namespace galewarden
