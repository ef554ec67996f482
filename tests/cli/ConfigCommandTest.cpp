#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "core/config/IniDocument.h"
#include "support/RunProcess.h"
#include "support/TestHome.h"

extern char** environ;

namespace galewarden {
namespace {

using test::gb;

test::ProcessResult config(const std::vector<std::string>& args) {
    std::vector<std::string> all{"config"};
    all.insert(all.end(), args.begin(), args.end());
    return test::runProcess(GALEWARDEN_CLI, all);
}

TEST(ConfigCommand, SetAndGetChineseTextStoredAsGb18030) {
    const test::TestHome home;
    EXPECT_EQ(config({"set", "Source", "Districts", "北京市 上海市"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), gb("[Source]\r\nDistricts=北京市 上海市\r\n"));
    const test::ProcessResult got = config({"get", "source", "DISTRICTS"});
    EXPECT_EQ(got.exitStatus, 0);
    EXPECT_EQ(got.out, "北京市 上海市\n");
}

TEST(ConfigCommand, QuotedSetKeepsBlanks) {
    const test::TestHome home;
    EXPECT_EQ(config({"set", "Label", "Text", " 预警 ", "--quoted"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), gb("[Label]\r\nText=\" 预警 \"\r\n"));
    EXPECT_EQ(config({"get", "Label", "Text"}).out, " 预警 \n");
}

TEST(ConfigCommand, DeleteRemovesTheKeyAndMissingKeysReadEmpty) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[DLL]\r\nStart=1\r\nLocation=x\r\n");
    EXPECT_EQ(config({"delete", "DLL", "Location"}).exitStatus, 0);
    EXPECT_EQ(home.read("Galewarden.ini"), "[DLL]\r\nStart=1\r\n");
    const test::ProcessResult got = config({"get", "DLL", "Location"});
    EXPECT_EQ(got.exitStatus, 0);
    EXPECT_EQ(got.out, "\n");
}

TEST(ConfigCommand, AFailedWriteExitsWithOne) {
    const test::TestHome home;
    const test::ProcessResult result = config({"set", "Label", "Text", "two\nlines"});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_FALSE(result.err.empty());
}

TEST(ConfigCommand, AValueLongerThanAReadGivesIsRefusedWithAReason) {
    const test::TestHome home;
    ASSERT_EQ(config({"set", "Source", "Districts", "北京市"}).exitStatus, 0);
    const std::string before = home.read("Galewarden.ini");
    for (const bool quoted : {false, true}) {
        std::vector<std::string> args{"set", "Source", "Districts", std::string(20000, 'x')};
        if (quoted) {
            args.emplace_back("--quoted");
        }
        const test::ProcessResult result = config(args);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_NE(result.err.find("10239"), std::string::npos) << result.err;
        EXPECT_EQ(home.read("Galewarden.ini"), before);
    }
}

// Starts every command at once and waits for all of them; the exit statuses in order.
std::vector<int> runTogether(const std::vector<std::vector<std::string>>& commands) {
    std::vector<pid_t> started;
    for (const auto& args : commands) {
        std::vector<char*> argv{const_cast<char*>(GALEWARDEN_CLI)};
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        pid_t pid = -1;
        ::posix_spawn(&pid, GALEWARDEN_CLI, nullptr, nullptr, argv.data(), environ);
        started.push_back(pid);
    }
    std::vector<int> statuses;
    for (const pid_t pid : started) {
        int status = 0;
        const bool ended = pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status);
        statuses.push_back(ended ? WEXITSTATUS(status) : -1);
    }
    return statuses;
}

TEST(ConfigCommand, WritersInSeveralProcessesAtOnceKeepEachOthersValues) {
    const test::TestHome home;
    constexpr int kProcesses = 8;
    constexpr int kRounds = 4;
    const auto sectionOf = [](int writer) { return "Section" + std::to_string(writer % 3); };
    const auto keyOf = [](int round, int writer) {
        return "Key" + std::to_string(round) + "_" + std::to_string(writer);
    };
    for (int round = 0; round < kRounds; ++round) {
        std::vector<std::vector<std::string>> commands;
        for (int writer = 0; writer < kProcesses; ++writer) {
            commands.push_back({"config", "set", sectionOf(writer), keyOf(round, writer),
                                std::to_string(round * 100 + writer)});
        }
        EXPECT_EQ(runTogether(commands), std::vector<int>(kProcesses, 0)) << "round " << round;
    }
    const IniDocument stored(home.read("Galewarden.ini"));
    std::vector<std::string> lost;
    for (int round = 0; round < kRounds; ++round) {
        for (int writer = 0; writer < kProcesses; ++writer) {
            const auto value = stored.read(sectionOf(writer), keyOf(round, writer));
            if (value != std::to_string(round * 100 + writer)) {
                lost.push_back(keyOf(round, writer));
            }
        }
    }
    EXPECT_EQ(lost, std::vector<std::string>{});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ConfigCommand, WrongUsageExitsWithTwo) {
    const test::TestHome home;
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"get", "General"},
        {"get", "General", "Width", "extra"},
        {"set", "General", "Width"},
        {"set", "General", "Width", "1", "--other"},
        {"delete", "General", "Width", "1"},
        {"rename", "General", "Width"},
    };
    for (const auto& args : wrong) {
        const test::ProcessResult result = config(args);
        EXPECT_EQ(result.exitStatus, 2) << args.size();
        EXPECT_FALSE(result.err.empty());
    }
    EXPECT_FALSE(std::filesystem::exists(home.file("Galewarden.ini")));
}

}  // namespace
}  // namespace galewarden
