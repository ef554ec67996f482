#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/platform/RevealInFileManager.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// PATH holds only the tools a test puts there; each records its arguments, one a line, and
// ends with the status it was given.
class RevealInFileManager : public ::testing::Test {
  protected:
    RevealInFileManager() {
        std::filesystem::create_directories(tools());
        if (const char* path = std::getenv("PATH")) {
            oldPath_ = path;
        }
        ::setenv("PATH", tools().c_str(), 1);
        home.write("a file.zip", "zip");
    }
    ~RevealInFileManager() override {
        if (oldPath_) {
            ::setenv("PATH", oldPath_->c_str(), 1);
        } else {
            ::unsetenv("PATH");
        }
    }

    std::filesystem::path tools() const { return home.file("tools"); }
    std::filesystem::path record(const std::string& tool) const {
        return tools() / (tool + ".args");
    }

    void installTool(const std::string& name, int status) const {
        const std::filesystem::path script = tools() / name;
        home.write("tools/" + name,
                   "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                       record(name).string() + "'\nexit " + std::to_string(status) + "\n");
        std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    }

    std::optional<std::string> argumentsOf(const std::string& tool) const {
        if (!std::filesystem::exists(record(tool))) {
            return std::nullopt;
        }
        return home.read("tools/" + tool + ".args");
    }

    std::string fileUri() const { return "file://" + home.path().string() + "/a%20file.zip"; }
    std::string folderUri() const { return "file://" + home.path().string(); }

    test::TestHome home;
    std::optional<std::string> oldPath_;
};

TEST_F(RevealInFileManager, FailsCleanlyWithoutAnyTool) {
    EXPECT_FALSE(revealInFileManager(home.text() + "/a file.zip"));
}

TEST_F(RevealInFileManager, AsksTheFileManagerToShowTheFile) {
    installTool("dbus-send", 0);
    installTool("xdg-open", 0);
    EXPECT_TRUE(revealInFileManager(home.text() + "/a file.zip"));
    EXPECT_EQ(argumentsOf("dbus-send"),
              "--session\n--print-reply\n--reply-timeout=5000\n"
              "--dest=org.freedesktop.FileManager1\n--type=method_call\n"
              "/org/freedesktop/FileManager1\norg.freedesktop.FileManager1.ShowItems\n"
              "array:string:" +
                  fileUri() + "\nstring:\n");
    EXPECT_EQ(argumentsOf("xdg-open"), std::nullopt);
}

TEST_F(RevealInFileManager, OpensTheFolderWhenNoFileManagerAnswers) {
    installTool("dbus-send", 1);
    installTool("xdg-open", 0);
    EXPECT_TRUE(revealInFileManager(home.text() + "/a file.zip"));
    EXPECT_EQ(argumentsOf("xdg-open"), folderUri() + "\n");
}

TEST_F(RevealInFileManager, FailsWhenBothToolsFail) {
    installTool("dbus-send", 1);
    installTool("xdg-open", 4);
    EXPECT_FALSE(revealInFileManager(home.text() + "/a file.zip"));
    EXPECT_TRUE(argumentsOf("xdg-open"));
}

TEST_F(RevealInFileManager, NamesBeyondAsciiAndCommasAreEscapedInTheUri) {
    installTool("dbus-send", 0);
    EXPECT_TRUE(revealInFileManager(home.text() + "/" + test::gb("预警,1.zip")));
    const std::string uri = "file://" + home.path().string() + "/%E9%A2%84%E8%AD%A6%2C1.zip";
    EXPECT_NE(argumentsOf("dbus-send").value_or("").find("array:string:" + uri + "\n"),
              std::string::npos);
}

}  // namespace
}  // namespace galewarden
