#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "settings/update_model/IconPackList.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(IconPackList, ATypedNameIsDownloadedWhenLongerThanOneByte) {
    const std::vector<std::pair<std::string, bool>> table{{"", false},      {"a", false},
                                                          {" ", false},     {"ab", true},
                                                          {gb("台"), true}, {gb("台风蓝"), true}};
    for (const auto& [typed, downloads] : table) {
        EXPECT_EQ(isDownloadRequest(typed), downloads) << test::utf8(typed);
    }
}

TEST(IconPackList, ReportsNameTheFailure) {
    EXPECT_EQ(downloadReport(DownloadResult::Saved, gb("台风蓝")), std::nullopt);
    EXPECT_EQ(downloadReport(DownloadResult::NotAPicture, gb("台风蓝")),
              (IconPackMessage{gb("下载失败"), gb("未能下载“台风蓝”。")}));
    EXPECT_EQ(downloadReport(DownloadResult::SaveFailed, gb("台风蓝")),
              (IconPackMessage{gb("保存失败"), gb("保存“台风蓝.png”时出现问题。")}));
}

TEST(IconPackList, Questions) {
    EXPECT_EQ(deleteQuestion(gb("暴雨黄")),
              (IconPackMessage{gb("删除"), gb("确定删除“暴雨黄.png”？")}));
    EXPECT_EQ(deleteAllQuestion(), (IconPackMessage{gb("删除"), gb("确定删除全部预警图标？")}));
    EXPECT_EQ(downloadPrompt(),
              (IconPackMessage{gb("手动下载预警图标"),
                               gb("请输入需要手动下载的预警图标，格式为预警类型+预警级别。\r\n"
                                  "如：“台风蓝”")}));
}

TEST(IconPackList, SelectionFollowsTheRowsAndEndsWithARefresh) {
    test::TestHome home;
    home.write("Pack/暴雨蓝.png", "p");
    home.write("Pack/大风黄.png", "p");
    IconPackList list;
    EXPECT_TRUE(list.empty());
    list.refresh();
    std::vector<std::string> names = list.names();
    std::vector<std::string> expected{gb("大风黄"), gb("暴雨蓝")};
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);

    for (int row : {0, 1}) {
        list.select(row);
        EXPECT_EQ(list.selectedRow(), row);
        EXPECT_EQ(list.selectedName(), list.names()[static_cast<std::size_t>(row)]);
    }
    for (int row : {-1, 2, -5}) {
        list.select(1);
        list.select(row);
        EXPECT_EQ(list.selectedRow(), -1) << row;
        EXPECT_EQ(list.selectedName(), std::nullopt);
    }
    list.select(0);
    list.refresh();
    EXPECT_EQ(list.selectedName(), std::nullopt);
}

}  // namespace
}  // namespace galewarden
