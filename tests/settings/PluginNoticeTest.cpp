#include <gtest/gtest.h>

#include "settings/model/PluginNotice.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(PluginNotice, NamesTheLibraryAndSaysWhenItIsMissing) {
    const std::string path = gb("/opt/气象/GalewardenDLL/RefreshA.so");
    const std::string missing = pluginNoticeText(path, false, true);
    const std::string present = pluginNoticeText(path, true, true);
    EXPECT_NE(missing.find(gb("DLL文件路径：") + path + gb("（文件不存在）\r\nDLL命令名：")),
              std::string::npos);
    EXPECT_NE(present.find(gb("DLL文件路径：") + path + gb("\r\nDLL命令名：")), std::string::npos);
    EXPECT_EQ(present.find(gb("（文件不存在）")), std::string::npos);
    EXPECT_NE(present.find(gb("参数1：（int）本次刷新的顺序，从1开始。\r\n")), std::string::npos);
    EXPECT_TRUE(present.starts_with(gb("调用DLL有严格的标准")));
}

TEST(PluginNotice, EncodingLineOnlyWhereTextsAreUtf8) {
    const std::string ending = gb("参数7：（text）DLL文件路径和文件名。\r\n");
    EXPECT_TRUE(pluginNoticeText("x", true, true)
                    .ends_with(ending + gb("文本参数为UTF-8编码。\r\n是否继续？")));
    EXPECT_TRUE(pluginNoticeText("x", true, false).ends_with(ending + gb("是否继续？")));
}

}  // namespace
}  // namespace galewarden
