#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/config/ConfigStore.h"
#include "core/text/TextPieces.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(ConfigStore, LivesInTheProgramDirectory) {
    const test::TestHome home;
    EXPECT_EQ(ConfigStore::path(), home.text() + "/Galewarden.ini");
    EXPECT_EQ(ConfigStore().filePath(), ConfigStore::path());
}

TEST(ConfigStore, MissingFileGivesDefaultsAndReadsCreateNothing) {
    const test::TestHome home;
    ConfigStore store;
    EXPECT_EQ(store.readText("General", "Width", "100"), "100");
    EXPECT_TRUE(store.readFlag("General", "AutoRun", "1"));
    EXPECT_EQ(store.readNumber("General", "Top", "60"), 60);
    EXPECT_TRUE(store.deleteKey("DLL", "Location"));
    EXPECT_FALSE(store.exists());
}

TEST(ConfigStore, WithoutASourceSectionTheDefaultsApply) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[General]\r\nWidth=100\r\n");
    ConfigStore store;
    EXPECT_EQ(splitText(store.read(keys::kDistricts), " "),
              (std::vector<std::string>{gb("北京市"), gb("中央气象台")}));
    EXPECT_EQ(store.read(keys::kSkip), defaultOf(keys::kSkip));
    EXPECT_EQ(store.read(keys::kSender), defaultOf(keys::kSender));
    EXPECT_TRUE(store.readFlag(keys::kUseVendor));
}

TEST(ConfigStore, TypedReads) {
    const test::TestHome home;
    home.write("Galewarden.ini", gb("[Label]\n"
                                    "One=1\nSpacedOne=  1  \nTrue=true\nZero=0\nEmpty=\n"
                                    "QuotedOne=\" 1\"\n"
                                    "Number= 42px\nNegative=-7\nWord=abc\nFullWidth=４２\n"
                                    "[Source]\nDistricts=\"北京市 上海市\"\n"));
    ConfigStore store;
    EXPECT_TRUE(store.readFlag("Label", "One", "0"));
    EXPECT_TRUE(store.readFlag("Label", "SpacedOne", "0"));  // blanks around values never count
    for (const char* key : {"True", "Zero", "Empty", "QuotedOne"}) {
        EXPECT_FALSE(store.readFlag("Label", key, "1")) << key;
    }
    EXPECT_FALSE(store.readFlag("Label", "Missing", " 1"));
    EXPECT_EQ(store.readNumber("Label", "Number", "0"), 42);
    EXPECT_EQ(store.readNumber("Label", "Negative", "0"), -7);
    EXPECT_EQ(store.readNumber("Label", "Word", "5"), 0);
    EXPECT_EQ(store.readNumber("Label", "FullWidth", "0"), 42);
    EXPECT_EQ(store.readNumber(keys::kLabelWidth), 360);
    EXPECT_EQ(store.read(keys::kDistricts), gb("北京市 上海市"));
}

TEST(ConfigStore, WritesStoreTheirFormsInGb18030) {
    const test::TestHome home;
    ConfigStore store;
    ASSERT_TRUE(store.writeFlag("General", "AutoRun", false));
    ASSERT_TRUE(store.writeNumber("General", "Top", -5));
    ASSERT_TRUE(store.writeQuoted("Label", "Text", gb(" 预警 ")));
    ASSERT_TRUE(store.write(keys::kDistricts, gb("北京市")));
    ASSERT_TRUE(store.write(keys::kIconWidth, "120"));
    ASSERT_TRUE(store.writeFlag("General", "Notice", true));
    EXPECT_EQ(home.read("Galewarden.ini"),
              gb("[General]\r\nAutoRun=0\r\nTop=-5\r\nWidth=120\r\nNotice=1\r\n"
                 "[Label]\r\nText=\" 预警 \"\r\n"
                 "[Source]\r\nDistricts=\"北京市\"\r\n"));
    EXPECT_EQ(store.readText("Label", "Text", ""), gb(" 预警 "));
    ASSERT_TRUE(store.deleteKey("General", "Top"));
    EXPECT_EQ(store.readText("General", "Top", "gone"), "gone");
}

TEST(ConfigStore, AWriteThatCannotBeStoredReportsFailure) {
    const test::TestHome home;
    ConfigStore store;
    EXPECT_FALSE(store.writeText("Label", "Text", "two\r\nlines"));
    EXPECT_FALSE(store.exists());
    ConfigStore nowhere(home.text() + "/missing/Galewarden.ini");
    EXPECT_FALSE(nowhere.writeText("General", "Width", "1"));
    EXPECT_EQ(nowhere.readText("General", "Width", "100"), "100");
}

TEST(ConfigStore, WritesLeaveNoTemporaryFileBehind) {
    const test::TestHome home;
    ConfigStore store;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(store.writeNumber("General", "Key" + std::to_string(i % 3), i));
    }
    ASSERT_TRUE(store.deleteKey("General", "Key0"));
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(home.path())) {
        names.push_back(entry.path().filename().string());
    }
    EXPECT_EQ(names, std::vector<std::string>{"Galewarden.ini"});
}

// An id of a process that has ended, as a writer killed before its rename leaves it.
std::string endedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return std::to_string(child);
}

TEST(ConfigStore, AWriteRemovesTemporaryFilesOfWritersThatDied) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[General]\r\nWidth=150\r\n");
    const std::string ended = endedProcessId();
    const std::string leftovers[] = {"Galewarden.ini.tmp-" + ended + "-1",
                                     "Galewarden.ini.tmp-" + ended + "-12"};
    for (const std::string& name : leftovers) {
        home.write(name, "[General]\r\nWid");
    }
    home.write("Galewarden.ini.tmp-mine", "a user's own file");
    ASSERT_TRUE(ConfigStore().writeText("General", "Height", "82"));
    for (const std::string& name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(home.file(name))) << name;
    }
    EXPECT_TRUE(std::filesystem::exists(home.file("Galewarden.ini.tmp-mine")));
    EXPECT_EQ(home.read("Galewarden.ini"), "[General]\r\nWidth=150\r\nHeight=82\r\n");
}

TEST(ConfigStore, ConcurrentWritersKeepEachOthersKeys) {
    const test::TestHome home;
    constexpr int kKeysPerThread = 100;
    const auto writeKeys = [](const std::string& prefix) {
        ConfigStore store;
        for (int i = 0; i < kKeysPerThread; ++i) {
            store.writeNumber(prefix == "Ui" ? "General" : "Source", prefix + std::to_string(i), i);
        }
    };
    std::thread ui(writeKeys, "Ui");
    std::thread worker(writeKeys, "Worker");
    ui.join();
    worker.join();
    ConfigStore store;
    std::vector<std::string> lost;
    for (int i = 0; i < kKeysPerThread; ++i) {
        for (const auto& [section, prefix] : {std::pair{"General", "Ui"}, {"Source", "Worker"}}) {
            const std::string key = prefix + std::to_string(i);
            if (store.readNumber(section, key, "-1") != i) {
                lost.push_back(key);
            }
        }
    }
    EXPECT_EQ(lost, std::vector<std::string>{});
}

// Two processes, one through a link and one through the file itself, take the same lock.
TEST(ConfigStore, WritersThroughALinkAndItsTargetKeepEachOthersKeys) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[General]\r\n");
    std::filesystem::create_symlink(home.file("Galewarden.ini"), home.file("link.ini"));
    constexpr int kKeysPerWriter = 60;
    std::vector<pid_t> writers;
    for (const char* name : {"Galewarden.ini", "link.ini"}) {
        const std::string path = home.text() + "/" + name;
        if (const pid_t child = fork(); child == 0) {
            ConfigStore store(path);
            bool all = true;
            for (int i = 0; i < kKeysPerWriter; ++i) {
                all = store.writeNumber("General", std::string(name) + std::to_string(i), i) && all;
            }
            _exit(all ? 0 : 1);
        } else {
            writers.push_back(child);
        }
    }
    for (const pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write was refused";
    }
    EXPECT_TRUE(std::filesystem::is_symlink(home.file("link.ini")));
    ConfigStore store;
    for (const char* name : {"Galewarden.ini", "link.ini"}) {
        for (int i = 0; i < kKeysPerWriter; ++i) {
            EXPECT_EQ(store.readNumber("General", std::string(name) + std::to_string(i), "-1"), i)
                << name << i;
        }
    }
}

// A pass of reads sees one state of the file however it changes meanwhile, except through
// its own writes; other threads and later reads see every change as before.
TEST(ConfigStore, AReadPassSeesOneStateOfTheFile) {
    const test::TestHome home;
    ConfigStore store;
    home.write("Galewarden.ini", "[General]\r\nWidth=100\r\nHeight=5\r\n");
    {
        const ConfigStore::ReadPass pass(store);
        EXPECT_EQ(store.readNumber("General", "Width", "0"), 100);
        home.write("Galewarden.ini", "[General]\r\nWidth=200\r\nHeight=6\r\n");
        EXPECT_EQ(store.readNumber("General", "Height", "0"), 5);
        int seenElsewhere = 0;
        std::thread([&] { seenElsewhere = store.readNumber("General", "Height", "0"); }).join();
        EXPECT_EQ(seenElsewhere, 6);
        {
            const ConfigStore::ReadPass inner(store);  // nested: the same look
            EXPECT_EQ(store.readNumber("General", "Width", "0"), 100);
        }
        EXPECT_TRUE(store.writeNumber("General", "Top", 7));
        EXPECT_EQ(store.readNumber("General", "Top", "0"), 7);
        EXPECT_EQ(store.readNumber("General", "Width", "0"), 200);
    }
    home.write("Galewarden.ini", "[General]\r\nWidth=300\r\n");
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 300);
}

// Reads come from a parsed copy, so every way the file can change behind it must show, also
// when its size and modification time stay as they were.
TEST(ConfigStore, ReadsSeeEveryChangeOfTheFile) {
    const test::TestHome home;
    ConfigStore store;
    const std::filesystem::path file = home.file("Galewarden.ini");
    const auto anHourAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    const auto writeOld = [&](const char* name, const char* bytes) {
        home.write(name, bytes);
        std::filesystem::last_write_time(home.file(name), anHourAgo);
    };
    writeOld("Galewarden.ini", "[General]\r\nWidth=100\r\n");
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 100);

    writeOld("Galewarden.ini", "[General]\r\nWidth=200\r\n");  // in place
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 200);

    writeOld("other.ini", "[General]\r\nWidth=300\r\n");  // replaced by a rename
    std::filesystem::rename(home.file("other.ini"), file);
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 300);

    home.write("Galewarden.ini", "[General]\r\nWidth=301\r\n");  // just now, in place
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 301);
    home.write("Galewarden.ini", "[General]\r\nWidth=302\r\n");
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 302);

    // Written by another store of the same file, and by another process.
    EXPECT_TRUE(ConfigStore(store.filePath()).writeNumber("General", "Width", 400));
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 400);
    if (const pid_t child = fork(); child == 0) {
        _exit(ConfigStore().writeNumber("General", "Width", 500) ? 0 : 1);
    } else {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 500);

    std::filesystem::remove(file);
    EXPECT_EQ(store.readNumber("General", "Width", "0"), 0);
}

TEST(ConfigStore, AnUnreadableFileIsNeverOverwritten) {
    const test::TestHome home;
    const std::string original = "[General]\r\nWidth=150\r\n";
    home.write("Galewarden.ini", original);
    const std::string path = home.file("Galewarden.ini").string();
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    if (::access(path.c_str(), R_OK) == 0) {
        ::chmod(path.c_str(), 0644);
        GTEST_SKIP() << "this user reads files without read permission";
    }
    ConfigStore store;
    EXPECT_FALSE(store.writeText("General", "Height", "82"));
    EXPECT_FALSE(store.deleteKey("General", "Width"));
    EXPECT_EQ(store.readText("General", "Width", "100"), "100");
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    EXPECT_EQ(home.read("Galewarden.ini"), original);
}

TEST(LabelText, EscapesRoundTrip) {
    // 81 5C and 81 7E end in the bytes of "\" and "~"; they are characters, not escapes.
    const std::string texts[] = {
        "",
        "plain",
        "say \"hi\"",
        "back\\slash\\",
        "literal \\n stays",
        "two\r\nlines\r\n",
        "\\~ and \\\\",
        "\x81\x5C\x81\x7E",
        gb("暴雨\"预警\"\r\n第二行"),
    };
    for (const std::string& text : texts) {
        const std::string stored = encodeLabelText(text);
        EXPECT_EQ(stored.find_first_of("\"\r\n"), std::string::npos) << stored;
        EXPECT_EQ(decodeLabelText(stored), text) << stored;
    }
    EXPECT_EQ(encodeLabelText("a\"b\\c\r\nd"), "a\\~b\\\\c\\nd");
    EXPECT_EQ(encodeLabelText("\x81\x5C"), "\x81\x5C");
    // Lone line breaks are stored as the CR LF they mean.
    EXPECT_EQ(encodeLabelText("a\nb\rc\r\n\nd"), "a\\nb\\nc\\n\\nd");
}

TEST(LabelText, DecodingIsOneLeftToRightPass) {
    EXPECT_EQ(decodeLabelText("\\\\n"), "\\n");
    EXPECT_EQ(decodeLabelText("\\\\~"), "\\~");
    EXPECT_EQ(decodeLabelText("a\\x\\"), "a\\x\\");
    EXPECT_EQ(decodeLabelText("\x81\x5Cn"), "\x81\x5Cn");
}

TEST(LabelText, SurvivesTheFile) {
    const test::TestHome home;
    ConfigStore store;
    const std::string text = gb("  \"台风\" \\ 路径\\n\r\n第二行  ");
    ASSERT_TRUE(store.write(keys::kLabelText, encodeLabelText(text)));
    EXPECT_EQ(decodeLabelText(store.read(keys::kLabelText)), text);
}

}  // namespace
}  // namespace galewarden
