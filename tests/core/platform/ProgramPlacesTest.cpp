#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "core/platform/ProgramPaths.h"

namespace galewarden {
namespace {

struct PlacesCase {
    const char* name;
    PlaceFacts facts;
    bool installed;
    std::string config;
    std::string data;
};

void PrintTo(const PlacesCase& row, std::ostream* out) {
    *out << row.name;
}

PlaceFacts facts(bool writable, bool installation, std::string galewardenHome = {},
                 std::string xdgConfig = {}, std::string xdgData = {}) {
    return {std::move(galewardenHome), "/opt/gw",          writable, installation,
            std::move(xdgConfig),      std::move(xdgData), "/home/u"};
}

class ProgramPlacesTable : public testing::TestWithParam<PlacesCase> {};

TEST_P(ProgramPlacesTable, DecidesWhereTheFilesLive) {
    const PlacesCase& row = GetParam();
    const ProgramPlaces places = placesFor(row.facts);
    EXPECT_EQ(places.installed, row.installed);
    EXPECT_EQ(places.configDirectory, row.config);
    EXPECT_EQ(places.dataDirectory, row.data);
}

INSTANTIATE_TEST_SUITE_P(
    Directories, ProgramPlacesTable,
    testing::Values(PlacesCase{"portable", facts(true, false), false, "/opt/gw", "/opt/gw"},
                    PlacesCase{"read_only_xdg_unset", facts(false, false), true,
                               "/home/u/.config/galewarden", "/home/u/.local/share/galewarden"},
                    PlacesCase{"read_only_xdg_set", facts(false, false, "", "/x/cfg/", "/x/data"),
                               true, "/x/cfg/galewarden", "/x/data/galewarden"},
                    // Relative XDG directories are invalid and fall back as unset ones do.
                    PlacesCase{"read_only_xdg_relative", facts(false, false, "", "cfg", "data"),
                               true, "/home/u/.config/galewarden",
                               "/home/u/.local/share/galewarden"},
                    // Root may write /usr/bin; the installation around the executable still tells.
                    PlacesCase{"writable_but_installed", facts(true, true), true,
                               "/home/u/.config/galewarden", "/home/u/.local/share/galewarden"},
                    PlacesCase{"home_over_portable", facts(true, false, "/h/"), false, "/h", "/h"},
                    PlacesCase{"home_over_installed", facts(false, true, "/h", "/x/cfg", "/x/data"),
                               false, "/h", "/h"}),
    [](const testing::TestParamInfo<PlacesCase>& param) { return std::string(param.param.name); });

TEST(ProgramPlaces, ResourcesAreTheUsersCopyThenTheProgramsThenTheInstalledOnes) {
    EXPECT_EQ(placesFor(facts(false, true)).resourceDirectories,
              (std::vector<std::string>{"/home/u/.local/share/galewarden", "/opt/gw",
                                        "/opt/gw/../share/galewarden"}));
    // A portable copy's data directory is its own: listed once.
    EXPECT_EQ(placesFor(facts(true, false)).resourceDirectories,
              (std::vector<std::string>{"/opt/gw", "/opt/gw/../share/galewarden"}));
}

}  // namespace
}  // namespace galewarden
