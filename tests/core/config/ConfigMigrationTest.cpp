#include <galewarden/Version.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/config/ConfigStore.h"
#include "core/text/TextSearch.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

const std::string kOldFile =
    gb("; written by an old version\r\n"
       "[Source]\r\n"
       "Districts=\"上海市\"\r\n"
       "Skip=\"试,险\"\r\n"
       "Sender=\"气象台\"\r\n"
       "Change=\"信号=\"\r\n"
       "[DLL]\r\n"
       "Start=1\r\n"
       "Location=\"C:\\old.dll\"\r\n"
       "[Label]\r\n"
       "Width=120\r\n"
       "[CheckNew]\r\n"
       "Current=\"1.0.8.0\"\r\n");

TEST(ConfigMigration, RepairsAFileOfAnOldVersion) {
    const test::TestHome home;
    home.write("Galewarden.ini", kOldFile);
    ConfigStore store;
    migrateConfiguration(store);

    EXPECT_EQ(store.read(keys::kSkip), defaultOf(keys::kSkip));
    EXPECT_EQ(store.read(keys::kSender), defaultOf(keys::kSender));
    EXPECT_EQ(store.read(keys::kChange), defaultOf(keys::kChange));
    EXPECT_EQ(store.readText("DLL", "Location", "gone"), "gone");
    EXPECT_TRUE(store.readFlag(keys::kPluginStart));
    EXPECT_EQ(store.readText("Label", "Width", ""), "360");
    EXPECT_EQ(store.read(keys::kDistricts), gb("上海市"));
    const std::string file = home.read("Galewarden.ini");
    EXPECT_TRUE(containsText(file, "Current=\"" + std::string(kVersionText) + "\"\r\n")) << file;
    EXPECT_TRUE(containsText(file, "; written by an old version\r\n"));
}

TEST(ConfigMigration, ASecondStartOfTheSameVersionChangesNothing) {
    const test::TestHome home;
    home.write("Galewarden.ini", kOldFile);
    ConfigStore store;
    migrateConfiguration(store);
    // The user's own lists and sizes now stay, whatever the test words say.
    ASSERT_TRUE(store.writeQuoted("Source", "Skip", gb("试")));
    ASSERT_TRUE(store.writeText("Label", "Width", "120"));
    ASSERT_TRUE(store.writeText("DLL", "Location", "kept"));
    const std::string before = home.read("Galewarden.ini");
    migrateConfiguration(store);
    EXPECT_EQ(home.read("Galewarden.ini"), before);
}

TEST(ConfigMigration, OnlyALabelWidthOf120Grows) {
    struct WidthCase {
        std::string stored;
        std::string expected;
    };
    const WidthCase cases[] = {{"120", "360"}, {"121", "121"}, {" 120 ", "360"}, {"", ""}};
    for (const WidthCase& c : cases) {
        const test::TestHome home;
        home.write("Galewarden.ini", "[Label]\r\nWidth=" + c.stored + "\r\n");
        {
            ConfigStore store;
            migrateConfiguration(store);
        }
        EXPECT_EQ(ConfigStore().readText("Label", "Width", "absent"), c.expected) << c.stored;
    }
}

TEST(ConfigMigration, CurrentListsAreKept) {
    const test::TestHome home;
    const std::string lists =
        gb("[Source]\r\nSkip=\"泥,雪\"\r\nSender=\"站\"\r\nChange=\"*农=农业\"\r\n");
    home.write("Galewarden.ini", lists);
    {
        ConfigStore store;
        migrateConfiguration(store);
    }
    EXPECT_EQ(home.read("Galewarden.ini"),
              lists + "[CheckNew]\r\nCurrent=\"" + std::string(kVersionText) + "\"\r\n");
}

TEST(ConfigReset, MovesTheFileToItsBackupName) {
    const test::TestHome home;
    home.write("Galewarden.ini", "[General]\r\nWidth=1\r\n");
    resetConfiguration(ConfigStore());
    EXPECT_FALSE(ConfigStore().exists());
    EXPECT_EQ(home.read("Galewarden.ini.bak"), "[General]\r\nWidth=1\r\n");
}

// A reset always resets, and the backups of earlier resets are kept, numbered.
TEST(ConfigReset, EarlierBackupsStepAsideNumbered) {
    const test::TestHome home;
    home.write("Galewarden.ini", "current");
    home.write("Galewarden.ini.bak", "older backup");
    home.write("Galewarden.ini.bak.1", "oldest backup");
    resetConfiguration(ConfigStore());
    EXPECT_FALSE(ConfigStore().exists());
    EXPECT_EQ(home.read("Galewarden.ini.bak"), "current");
    EXPECT_EQ(home.read("Galewarden.ini.bak.1"), "oldest backup");
    EXPECT_EQ(home.read("Galewarden.ini.bak.2"), "older backup");
    resetConfiguration(ConfigStore());  // nothing to reset: the backups stay as they are
    EXPECT_EQ(home.read("Galewarden.ini.bak"), "current");
    EXPECT_FALSE(std::filesystem::exists(home.file("Galewarden.ini.bak.3")));
}

}  // namespace
}  // namespace galewarden
