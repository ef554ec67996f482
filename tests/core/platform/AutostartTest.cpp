#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/platform/Autostart.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::string& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable() {
        if (old_) {
            ::setenv(name_, old_->c_str(), 1);
        } else {
            ::unsetenv(name_);
        }
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const char* name_;
    std::optional<std::string> old_;
};

class Autostart : public ::testing::Test {
  protected:
    test::TestHome home;
    ScopedVariable config{"XDG_CONFIG_HOME", (home.path() / "config").string()};

    std::string entry() const { return home.read("config/autostart/galewarden.desktop"); }
    bool entryExists() const {
        return std::filesystem::exists(home.file("config/autostart/galewarden.desktop"));
    }
};

TEST_F(Autostart, TheEntryStartsTheProgramUnderItsName) {
    ASSERT_TRUE(registerAutostart("/usr/bin/galewarden"));
    EXPECT_EQ(entry(),
              "[Desktop Entry]\nType=Application\nName=Galewarden\n"
              "Comment[zh_CN]=监视所关注地区的气象灾害预警信号\nIcon=cn.galewarden.Galewarden\n"
              "Exec=\"/usr/bin/galewarden\"\nTerminal=false\nX-GNOME-Autostart-enabled=true\n");
}

struct ExecCase {
    const char* path;  // UTF-8
    const char* exec;
};

// The value as the file holds it: the argument's escapes, then the string value's doubled
// backslashes.
const ExecCase kExecCases[] = {
    {"/home/user/My Programs/galewarden", R"("/home/user/My Programs/galewarden")"},
    {R"(/opt/say "hi"/galewarden)", R"("/opt/say \\"hi\\"/galewarden")"},
    {"/opt/$HOME/galewarden", R"("/opt/\\$HOME/galewarden")"},
    {"/opt/100%/%f", R"("/opt/100%%/%%f")"},
    {R"(/opt/back\slash)", R"("/opt/back\\\\slash")"},
    {"/opt/`date`", R"("/opt/\\`date\\`")"},
    {"/opt/a'b;c&d|e", R"("/opt/a'b;c&d|e")"},
    {"/opt/气象/galewarden", R"("/opt/气象/galewarden")"},
};

TEST_F(Autostart, ExecQuotesThePathAsOneArgument) {
    for (const ExecCase& c : kExecCases) {
        SCOPED_TRACE(c.path);
        ASSERT_TRUE(registerAutostart(test::gb(c.path)));
        const std::string text = entry();
        const std::size_t start = text.find("\nExec=") + 6;
        EXPECT_EQ(text.substr(start, text.find('\n', start) - start), c.exec);
    }
}

TEST_F(Autostart, PathsThatCannotStartTheProgramAreRefused) {
    for (const char* path : {"", "galewarden", "./galewarden", "bin/galewarden", "/opt/line\nbreak",
                             "/opt/tab\there", "/opt/cr\r"}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(registerAutostart(path));
        EXPECT_FALSE(entryExists());
    }
}

TEST_F(Autostart, RemovalTakesTheEntryAwayAndAnAbsentOneCountsAsRemoved) {
    ASSERT_TRUE(registerAutostart("/usr/bin/galewarden"));
    EXPECT_TRUE(removeAutostart());
    EXPECT_FALSE(entryExists());
    EXPECT_TRUE(removeAutostart());
}

TEST_F(Autostart, RegisteringAgainReplacesTheEntry) {
    ASSERT_TRUE(registerAutostart("/old/galewarden"));
    ASSERT_TRUE(registerAutostart("/new/galewarden"));
    EXPECT_NE(entry().find("Exec=\"/new/galewarden\"\n"), std::string::npos);
    EXPECT_EQ(entry().find("/old/"), std::string::npos);
}

TEST(AutostartFolder, ARelativeConfigHomeIsIgnoredForTheOneInHome) {
    const test::TestHome home;
    const ScopedVariable config("XDG_CONFIG_HOME", "relative/config");
    const ScopedVariable user("HOME", home.path().string());
    ASSERT_TRUE(registerAutostart("/usr/bin/galewarden"));
    EXPECT_TRUE(std::filesystem::exists(home.file(".config/autostart/galewarden.desktop")));
    EXPECT_FALSE(std::filesystem::exists("relative"));
    EXPECT_TRUE(removeAutostart());
    EXPECT_FALSE(std::filesystem::exists(home.file(".config/autostart/galewarden.desktop")));
}

TEST(AutostartFolder, WithoutAnAbsoluteFolderNothingIsWritten) {
    const ScopedVariable config("XDG_CONFIG_HOME", "");
    const ScopedVariable user("HOME", "relative-home");
    EXPECT_FALSE(registerAutostart("/usr/bin/galewarden"));
    EXPECT_FALSE(removeAutostart());
    EXPECT_FALSE(std::filesystem::exists("relative-home"));
}

}  // namespace
}  // namespace galewarden
