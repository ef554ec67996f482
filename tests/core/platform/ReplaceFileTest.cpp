#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/FileSystem.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

class ReplaceFileTest : public ::testing::Test {
  protected:
    std::string text(const std::string& name) const { return home.text() + "/" + name; }
    fs::path file(const std::string& name) const { return home.file(name); }

    void write(const std::string& name, const std::string& bytes, mode_t mode = 0644) const {
        home.write(name, bytes);
        ::chmod(file(name).c_str(), mode);
    }

    std::vector<std::string> names(const std::string& folder = ".") const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(file(folder))) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    test::TestHome home;
};

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

TEST_F(ReplaceFileTest, CreatesAndReplacesLeavingNoTemporaryFile) {
    ASSERT_TRUE(replaceFile(text("a.txt"), "first"));
    EXPECT_EQ(home.read("a.txt"), "first");
    ASSERT_TRUE(replaceFile(text("a.txt"), "second, longer"));
    ASSERT_TRUE(replaceFile(text("a.txt"), "3"));
    EXPECT_EQ(home.read("a.txt"), "3");
    EXPECT_EQ(names(), std::vector<std::string>{"a.txt"});
    EXPECT_FALSE(replaceFile(text("missing/a.txt"), "x"));
    fs::create_directory(file("folder"));
    EXPECT_FALSE(replaceFile(text("folder"), "x"));
}

// A scratch file is only ever new: whatever stands at its name, a link above all, stays as it is.
TEST_F(ReplaceFileTest, AScratchFileIsWrittenOnlyWhereNothingIs) {
    ASSERT_TRUE(createScratchFile(text("scratch.png"), "picture"));
    EXPECT_EQ(home.read("scratch.png"), "picture");
    EXPECT_FALSE(createScratchFile(text("scratch.png"), "other"));
    EXPECT_EQ(home.read("scratch.png"), "picture");
    ASSERT_TRUE(replaceFile(text("target.txt"), "kept"));
    fs::create_symlink(file("target.txt"), file("link.png"));
    EXPECT_FALSE(createScratchFile(text("link.png"), "x"));
    EXPECT_EQ(home.read("target.txt"), "kept");
    EXPECT_FALSE(createScratchFile(text("missing/scratch.png"), "x"));
    EXPECT_FALSE(fs::exists(file("missing")));
}

TEST_F(ReplaceFileTest, ALinkStaysALinkAndTheFileAtTheEndOfItsChainChanges) {
    struct Link {
        std::string name, pointsTo;
        bool absolute = false;
    };
    struct LinkCase {
        const char* what;
        std::vector<Link> links;
        std::string target;
        bool targetExists = true;
    };
    const LinkCase cases[] = {
        {"one relative link", {{"link", "target"}}, "target"},
        {"a chain across folders",
         {{"first", "sub/second"}, {"sub/second", "../sub/third"}, {"sub/third", "far/target"}},
         "sub/far/target"},
        {"an absolute link", {{"link", "sub/target", true}}, "sub/target"},
        {"a link to a file not made yet", {{"link", "sub/new"}}, "sub/new", false},
    };
    int number = 0;
    for (const LinkCase& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string folder = "case" + std::to_string(++number) + "/";
        fs::create_directories(file(folder + "sub/far"));
        if (c.targetExists) {
            home.write(folder + c.target, "old");
        }
        for (const Link& link : c.links) {
            fs::create_symlink(
                link.absolute ? file(folder + link.pointsTo) : fs::path(link.pointsTo),
                file(folder + link.name));
        }
        ASSERT_TRUE(replaceFile(text(folder + c.links.front().name), "new"));
        EXPECT_EQ(home.read(folder + c.target), "new");
        for (const Link& link : c.links) {
            EXPECT_TRUE(fs::is_symlink(file(folder + link.name))) << link.name;
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(home.path())) {
        EXPECT_EQ(entry.path().filename().string().find(".tmp-"), std::string::npos)
            << entry.path();
    }
}

TEST_F(ReplaceFileTest, ALoopOfLinksFailsAndStaysALoop) {
    fs::create_symlink("b", file("a"));
    fs::create_symlink("a", file("b"));
    EXPECT_FALSE(replaceFile(text("a"), "x"));
    EXPECT_TRUE(fs::is_symlink(file("a")));
    EXPECT_TRUE(fs::is_symlink(file("b")));
}

TEST_F(ReplaceFileTest, TheFileKeepsItsModeWhateverTheUmask) {
    const mode_t previous = ::umask(022);
    for (const mode_t mode : {0640, 0600, 0666, 0751, 0200}) {
        write("f", "old", mode);
        ASSERT_TRUE(replaceFile(text("f"), "new")) << std::oct << mode;
        EXPECT_EQ(modeOf(file("f")), mode) << std::oct << mode;
        ::chmod(file("f").c_str(), 0644);
        EXPECT_EQ(home.read("f"), "new");
    }
    ::umask(previous);
}

TEST_F(ReplaceFileTest, TheFileKeepsItsOwner) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root gives files away";
    }
    write("f", "old");
    ASSERT_EQ(::chown(file("f").c_str(), kNobody, kNobody), 0);
    ASSERT_TRUE(replaceFile(text("f"), "new"));
    struct stat status {};
    ASSERT_EQ(::stat(file("f").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, kNobody);
    EXPECT_EQ(status.st_gid, kNobody);
    EXPECT_EQ(home.read("f"), "new");
}

// Root may write anything, so this holds for root too: no write bit means no write.
TEST_F(ReplaceFileTest, AFileWithoutWriteBitsIsRefusedAndLeftAsItWas) {
    for (const mode_t mode : {0444, 0555, 0400, 0}) {
        write("f", "old", mode);
        fs::remove(file("link"));
        fs::create_symlink("f", file("link"));
        EXPECT_FALSE(replaceFile(text("f"), "new")) << std::oct << mode;
        EXPECT_FALSE(replaceFile(text("link"), "new")) << std::oct << mode;
        EXPECT_EQ(modeOf(file("f")), mode);
        ::chmod(file("f").c_str(), 0644);
        EXPECT_EQ(home.read("f"), "old");
        EXPECT_EQ(names(), (std::vector<std::string>{"f", "link"}));
    }
}

// Root writes into any folder and gives files to anyone, so the write then runs in a child
// that has given up root.
bool replaceAsUnprivilegedUser(const std::string& path, const std::string& bytes) {
    if (::geteuid() != 0) {
        return replaceFile(path, bytes);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
        ::_exit(dropped ? (replaceFile(path, bytes) ? 0 : 1) : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not drop root";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_ino;
}

TEST_F(ReplaceFileTest, WhereNoNewFileCanTakeItsPlaceTheFileIsRewrittenInPlace) {
    ::chmod(home.path().c_str(), 0755);
    fs::create_directory(file("locked"));
    write("locked/f", "the old content", 0666);
    const ino_t before = inodeOf(file("locked/f"));
    ::chmod(file("locked").c_str(), 0555);
    for (const std::string bytes : {"shorter", "a longer content than before", ""}) {
        ASSERT_TRUE(replaceAsUnprivilegedUser(text("locked/f"), bytes));
        EXPECT_EQ(home.read("locked/f"), bytes);
    }
    EXPECT_EQ(inodeOf(file("locked/f")), before);
    EXPECT_EQ(modeOf(file("locked/f")), 0666u);
    EXPECT_FALSE(replaceAsUnprivilegedUser(text("locked/new"), "x"));
    EXPECT_FALSE(fs::exists(file("locked/new")));
    ::chmod(file("locked").c_str(), 0755);
    EXPECT_EQ(names("locked"), std::vector<std::string>{"f"});
}

TEST_F(ReplaceFileTest, AFileWhoseOwnerCouldNotBeKeptIsRewrittenInPlace) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs a file of another user in a folder this one may write";
    }
    ::chmod(home.path().c_str(), 0755);
    fs::create_directory(file("shared"));
    ::chmod(file("shared").c_str(), 0777);
    write("shared/f", "old", 0666);
    const ino_t before = inodeOf(file("shared/f"));
    ASSERT_TRUE(replaceAsUnprivilegedUser(text("shared/f"), "new"));
    EXPECT_EQ(home.read("shared/f"), "new");
    EXPECT_EQ(inodeOf(file("shared/f")), before);
    EXPECT_EQ(names("shared"), std::vector<std::string>{"f"});
}

TEST_F(ReplaceFileTest, LeftoversOfTheTargetGoAndNothingElse) {
    fs::create_directory(file("real"));
    write("real/Galewarden.ini", "x");
    fs::create_symlink("real/Galewarden.ini", file("Galewarden.ini"));
    const std::vector<std::string> leftovers = {"Galewarden.ini.tmp-1-1",
                                                "Galewarden.ini.tmp-4194304-27"};
    const std::vector<std::string> others = {
        "Galewarden.ini",         "Galewarden.ini.bak",    "Galewarden.ini.tmp-old",
        "Galewarden.ini.tmp-1-",  "Galewarden.ini.tmp--1", "Galewarden.ini.tmp-1-1x",
        "Galewarden.ini.tmp-a-1", "Other.ini.tmp-1-1",     "xGalewarden.ini.tmp-1-1"};
    for (const std::string& name : leftovers) {
        write("real/" + name, "partial");
        write(name, "not beside the final target");
    }
    for (const std::string& name : others) {
        if (name != "Galewarden.ini") {
            write("real/" + name, "keep");
        }
    }
    removeReplacementLeftovers(text("Galewarden.ini"));
    std::vector<std::string> expected = others;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names("real"), expected);
    for (const std::string& name : leftovers) {
        EXPECT_TRUE(fs::exists(file(name))) << name;
    }
}

}  // namespace
}  // namespace galewarden
