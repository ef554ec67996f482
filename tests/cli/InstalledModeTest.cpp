#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/RunProcess.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

namespace fs = std::filesystem;

// Sets or unsets a variable for the test's lifetime.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, std::optional<std::string> value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        apply(value);
    }
    ~ScopedVariable() { apply(old_); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    void apply(const std::optional<std::string>& value) const {
        value ? ::setenv(name_, value->c_str(), 1) : ::unsetenv(name_);
    }
    const char* name_;
    std::optional<std::string> old_;
};

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The command-line program copied into an installation (bin/ beside share/galewarden/), run
// with no GALEWARDEN_HOME: its configuration goes to the user's directories.
class InstalledModeTest : public testing::Test {
  protected:
    InstalledModeTest() {
        fs::create_directories(prefix() / "bin");
        fs::create_directories(prefix() / "share" / "galewarden");
        fs::copy_file(GALEWARDEN_CLI, cli());
        fs::permissions(cli(), fs::perms::owner_all);
    }

    fs::path prefix() const { return scratch_.path() / "usr"; }
    fs::path cli() const { return prefix() / "bin" / "galewarden-cli"; }
    fs::path home() const { return scratch_.path() / "home"; }
    test::ProcessResult run(const std::vector<std::string>& args) const {
        return test::runProcess(cli().string(), args);
    }

    test::TestHome scratch_;  // only a scratch folder here: GALEWARDEN_HOME is unset below
    ScopedVariable galewardenHome_{"GALEWARDEN_HOME", std::nullopt};
    ScopedVariable home_{"HOME", home().string()};
    ScopedVariable xdgConfig_{"XDG_CONFIG_HOME", std::nullopt};
    ScopedVariable xdgData_{"XDG_DATA_HOME", std::nullopt};
};

TEST_F(InstalledModeTest, TheConfigurationLivesInTheUsersConfigDirectory) {
    ASSERT_EQ(run({"config", "set", "General", "Top", "60"}).exitStatus, 0);
    EXPECT_EQ(contents(home() / ".config" / "galewarden" / "Galewarden.ini"),
              "[General]\r\nTop=60\r\n");
    EXPECT_TRUE(fs::is_directory(home() / ".local" / "share" / "galewarden"));
    EXPECT_FALSE(fs::exists(prefix() / "bin" / "Galewarden.ini"));
    EXPECT_EQ(run({"config", "get", "General", "Top"}).out, "60\n");
}

TEST_F(InstalledModeTest, XdgConfigHomeAndGalewardenHomeAreFollowed) {
    {
        const ScopedVariable xdg("XDG_CONFIG_HOME", (scratch_.path() / "xdg").string());
        ASSERT_EQ(run({"config", "set", "General", "Top", "61"}).exitStatus, 0);
        EXPECT_TRUE(fs::exists(scratch_.path() / "xdg" / "galewarden" / "Galewarden.ini"));
    }
    {
        const ScopedVariable own("GALEWARDEN_HOME", scratch_.path().string());
        ASSERT_EQ(run({"config", "set", "General", "Top", "62"}).exitStatus, 0);
        EXPECT_EQ(contents(scratch_.path() / "Galewarden.ini"), "[General]\r\nTop=62\r\n");
    }
    EXPECT_FALSE(fs::exists(home() / ".config" / "galewarden" / "Galewarden.ini"));
}

}  // namespace
}  // namespace galewarden
