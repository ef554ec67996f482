#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform/EventSound.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

// libcanberra's ALSA driver on a device of the test's choosing: ALSA's null device plays into
// nothing and so stands for a sound card, a card that is not there for a machine without one.
// The sound theme is the system's, or none at all. Without HOME and XDG_CACHE_HOME libcanberra
// keeps no cache of where it found a sound, which would outlive a test.
class EventSoundTest : public ::testing::Test {
  protected:
    EventSoundTest() {
        setVariable("CANBERRA_DRIVER", "alsa");
        setVariable("ALSA_CONFIG_PATH", home.file("alsa.conf").string());
        setVariable("HOME", std::nullopt);
        setVariable("XDG_CACHE_HOME", std::nullopt);
        useDevice(true);
    }
    ~EventSoundTest() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
    }

    void setVariable(const std::string& name, const std::optional<std::string>& value) {
        const char* before = std::getenv(name.c_str());
        saved_.emplace_back(name, before ? std::optional<std::string>(before) : std::nullopt);
        if (value) {
            ::setenv(name.c_str(), value->c_str(), 1);
        } else {
            ::unsetenv(name.c_str());
        }
    }
    void useDevice(bool present) const {
        home.write("alsa.conf",
                   present ? "pcm.!default { type null }\n" : "pcm.!default { type hw card 99 }\n");
    }
    void hideSoundTheme() {
        std::filesystem::create_directory(home.file("share"));
        setVariable("XDG_DATA_DIRS", home.file("share").string());
        setVariable("XDG_DATA_HOME", home.file("share").string());
    }

    test::TestHome home;

  private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(EventSoundTest, TheThemesWarningSoundIsAskedOfLibcanberra) {
    if (!std::filesystem::exists("/usr/share/sounds/freedesktop/stereo/dialog-warning.oga")) {
        GTEST_SKIP() << "no freedesktop sound theme";
    }
    EventSound sound;
    EXPECT_TRUE(sound.playWarning());
    EXPECT_TRUE(sound.playWarning());
}

TEST_F(EventSoundTest, TheProgramsOwnSoundStandsInForAThemeWithoutOne) {
    hideSoundTheme();
    EXPECT_FALSE(EventSound().playWarning());
    EXPECT_TRUE(EventSound(SHIPPED_WARNING_SOUND).playWarning());
    EXPECT_FALSE(EventSound(test::gb("没有这个文件.wav")).playWarning());
}

TEST_F(EventSoundTest, WithoutADeviceNothingPlaysAndNothingFails) {
    useDevice(false);
    EventSound sound(SHIPPED_WARNING_SOUND);
    EXPECT_FALSE(sound.playWarning());
    EXPECT_FALSE(sound.playWarning());
}

}  // namespace
}  // namespace galewarden
