#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "core/config/BundledDistricts.h"
#include "core/json/JsonDocument.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

// Every province and region of the mainland, each name once within its province, and the
// national bodies, all in the service's shape.
TEST(BundledDistricts, EveryProvinceOnceAndNoNameTwiceWithinOne) {
    const test::TestHome home;
    EXPECT_EQ(readBundledDistrictList(), "");
    std::ifstream shipped(SHIPPED_DISTRICTS_JSON, std::ios::binary);
    home.write("Districts.json", std::string(std::istreambuf_iterator<char>(shipped), {}));
    const std::string list = readBundledDistrictList();
    ASSERT_FALSE(list.empty());
    JsonDocument document;
    ASSERT_TRUE(document.parse(list));
    std::map<std::string, std::set<std::string>> namesByProvince;
    int entries = 0;
    for (;; ++entries) {
        const std::string at = "areas[" + std::to_string(entries) + "].";
        const std::string name = document.getText(at + "name");
        if (name.empty()) {
            break;
        }
        EXPECT_TRUE(namesByProvince[document.getText(at + "province")].insert(name).second)
            << test::utf8(name);
    }
    EXPECT_GT(entries, 3000);
    EXPECT_EQ(namesByProvince.size(), 32u);  // 31 provinces and the national bodies
    for (const char* province : {"北京市", "黑龙江省", "广西壮族自治区", "新疆维吾尔自治区"}) {
        EXPECT_TRUE(namesByProvince[gb(province)].contains(gb(province))) << province;
    }
    EXPECT_TRUE(namesByProvince[gb("国家事业单位")].contains(gb("中央气象台")));
    EXPECT_TRUE(namesByProvince[gb("广东省")].contains(gb("深圳市")));
    EXPECT_TRUE(namesByProvince[gb("江苏省")].contains(gb("铜山区")));
    EXPECT_FALSE(namesByProvince[gb("北京市")].contains(gb("市辖区")));
}

}  // namespace
}  // namespace galewarden
