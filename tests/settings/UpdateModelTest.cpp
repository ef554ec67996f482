#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "settings/update_model/UpdateArchive.h"
#include "settings/update_model/UpdateDecision.h"
#include "settings/update_model/UpdateSchedule.h"
#include "settings/update_model/UpdateVersionFile.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using namespace std::chrono_literals;
using test::gb;

constexpr char kRunning[] = "1.0.9.4";
constexpr char kArchive[] = "http://host/Download/Galewarden/Galewarden.zip";

TEST(UpdateSchedule, WaitGrowsByHalfAMinuteThenBecomesHourly) {
    const std::vector<std::pair<int, std::chrono::milliseconds>> table{
        {1, 30s},  {2, 60s},  {3, 90s},   {4, 120s},  {5, 150s},
        {6, 180s}, {7, 210s}, {8, 3600s}, {9, 3600s}, {100, 3600s}};
    for (const auto& [failures, wait] : table) {
        EXPECT_EQ(retryDelay(failures), wait) << failures;
    }
}

TEST(UpdateVersionFile, AddressesLieInTheDownloadFolder) {
    const std::string folder = updateFolderUrl("https://host");
    EXPECT_EQ(folder, "https://host/Download/Galewarden/");
    EXPECT_EQ(versionFileUrl(folder, kRunning, 123456789012),
              "https://host/Download/Galewarden/latest.ini?v=1.0.9.4&_=123456789012");
    EXPECT_EQ(archiveUrl(folder), "https://host/Download/Galewarden/Galewarden.zip");
}

TEST(UpdateVersionFile, ImportantComparesByteByByte) {
    struct Case {
        const char* important;
        bool expected;
    };
    const std::vector<Case> table{
        {"1.0.10.0", false},  // "1" sorts before "9" at the fifth byte
        {"1.0.9.5", true},   {"1.0.9.4", false}, {"1.0.9.3", false}, {"1.0.9.40", true},
        {"2", true},         {"1.0.9", false},   {"", false},        {"\xB0\xA1", true},
    };
    for (const Case& c : table) {
        EXPECT_EQ(isImportantVersion(c.important, kRunning), c.expected) << c.important;
    }
}

TEST(UpdateVersionFile, ReadsTheThreeKeysOfNewVer) {
    const auto found =
        parseVersionFile("[NewVer]\r\nVer=1.0.9.5\r\nImportant=1.0.9.0\r\nUpdated=2026-10-08\r\n");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->version, "1.0.9.5");
    EXPECT_EQ(found->important, "1.0.9.0");
    EXPECT_EQ(found->updated, "2026-10-08");

    const auto quoted = parseVersionFile("[newver]\nver = \"2.0\"\n");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->version, "2.0");
    EXPECT_EQ(quoted->important, "");
    EXPECT_EQ(quoted->updated, "");
}

TEST(UpdateVersionFile, AnswersWithoutAVersionFail) {
    const std::vector<std::string> answers{
        "",
        "[Other]\r\nVer=1.0.9.5\r\n",
        "[NewVer]\r\nImportant=1.0.9.5\r\nUpdated=2026-10-08\r\n",
        "[NewVer]\r\nVer=\r\n",
        "<!DOCTYPE html>\r\n<html><head><title>502 Bad Gateway</title></head></html>\r\n",
        R"({"data":[{"id":"1","title":"x)",
        std::string(5u << 20, 'x'),
        std::string(1u << 20, '\0'),
    };
    for (const std::string& answer : answers) {
        EXPECT_FALSE(parseVersionFile(answer)) << answer.substr(0, 40);
    }
}

// One check and what it leads to.
struct DecisionCase {
    const char* what;
    CheckFindings findings;
    std::string line;
    int retryCount;
    std::optional<std::chrono::milliseconds> retryAfter;
    std::string lastCheck;
    bool balloon;
    bool offer;
};

PublishedVersion published(const char* version, const char* important = "1.0.9.0") {
    return {version, important, "2026-10-08"};
}

TEST(UpdateDecision, Table) {
    constexpr auto automatic = CheckKind::automatic;
    constexpr auto user = CheckKind::userRequested;
    const std::string failed = gb("获取最新版本信息失败");
    const std::string current = gb("当前已是最新版本");
    const std::string found = gb("存在新版本：1.0.9.5");
    const std::vector<DecisionCase> table{
        {"automatic failure",
         {automatic, {}, kRunning, "1.0.9.5", 0},
         failed,
         1,
         30s,
         "",
         false,
         false},
        {"seventh failure", {automatic, {}, kRunning, "", 6}, failed, 7, 210s, "", false, false},
        {"eighth failure", {automatic, {}, kRunning, "", 7}, failed, 8, 3600s, "", false, false},
        {"user failure", {user, {}, kRunning, "1.0.9.5", 3}, failed, 3, {}, "", false, false},
        {"up to date",
         {automatic, published(kRunning), kRunning, "", 5},
         current,
         3,
         {},
         kRunning,
         false,
         false},
        {"up to date on request",
         {user, published(kRunning), kRunning, "", 3},
         current,
         3,
         {},
         kRunning,
         false,
         false},
        {"new, first seen",
         {automatic, published("1.0.9.5"), kRunning, "", 2},
         found,
         2,
         {},
         "1.0.9.5",
         true,
         false},
        {"new, seen before",
         {automatic, published("1.0.9.5"), kRunning, "1.0.9.5", 2},
         found,
         2,
         {},
         "1.0.9.5",
         false,
         false},
        {"new, seen before, important",
         {automatic, published("1.0.9.5", "1.0.9.5"), kRunning, "1.0.9.5", 2},
         found,
         2,
         {},
         "1.0.9.5",
         true,
         false},
        {"new, seen before, 1.0.10.0 not important",
         {automatic, published("1.0.9.5", "1.0.10.0"), kRunning, "1.0.9.5", 2},
         found,
         2,
         {},
         "1.0.9.5",
         false,
         false},
        {"older but different",
         {automatic, published("1.0.8.0"), kRunning, "", 0},
         gb("存在新版本：1.0.8.0"),
         0,
         {},
         "1.0.8.0",
         true,
         false},
        {"new on request",
         {user, published("1.0.9.5"), kRunning, "1.0.9.5", 3},
         found,
         3,
         {},
         "1.0.9.5",
         false,
         true},
    };
    for (const DecisionCase& c : table) {
        SCOPED_TRACE(c.what);
        const CheckDecision decision = decideCheck(c.findings, kArchive);
        EXPECT_EQ(decision.versionLine, c.line);
        EXPECT_EQ(decision.retryCount, c.retryCount);
        EXPECT_EQ(decision.retryAfter, c.retryAfter);
        EXPECT_EQ(decision.lastCheck, c.lastCheck);
        EXPECT_EQ(decision.balloon.has_value(), c.balloon);
        EXPECT_EQ(decision.offer.has_value(), c.offer);
    }
}

TEST(UpdateDecision, BalloonNamesVersionDateAndImportance) {
    const CheckDecision plain =
        decideCheck({CheckKind::automatic, published("1.0.9.5"), kRunning, "", 0}, kArchive);
    ASSERT_TRUE(plain.balloon);
    EXPECT_EQ(*plain.balloon,
              (UpdateMessage{gb("新版本可用：1.0.9.5"),
                             gb("新版本 1.0.9.5 已于 2026-10-08 发布，可前往官网下载更新。")}));

    const CheckDecision important = decideCheck(
        {CheckKind::automatic, published("1.0.9.5", "1.0.9.5"), kRunning, "1.0.9.5", 0}, kArchive);
    ASSERT_TRUE(important.balloon);
    EXPECT_EQ(important.balloon->text,
              gb("新版本 1.0.9.5 已于 2026-10-08 发布，可前往官网下载更新。\r\n"
                 "近期版本存在重大变化，请及时更新。"));
}

TEST(UpdateDecision, OfferNamesVersionDateImportanceAndArchive) {
    const CheckDecision plain =
        decideCheck({CheckKind::userRequested, published("1.0.9.5"), kRunning, "", 3}, kArchive);
    ASSERT_TRUE(plain.offer);
    EXPECT_EQ(*plain.offer,
              (UpdateMessage{gb("检查新版本"), gb("检查到新版本：1.0.9.5（2026-10-08）\r\n"
                                                  "单击“确定”可进行下载：\r\n") +
                                                   kArchive}));

    const CheckDecision important = decideCheck(
        {CheckKind::userRequested, published("1.0.9.5", "9"), kRunning, "", 3}, kArchive);
    ASSERT_TRUE(important.offer);
    EXPECT_EQ(important.offer->text, gb("检查到新版本：1.0.9.5（2026-10-08）\r\n"
                                        "近期版本存在重大变化，请及时更新。\r\n"
                                        "单击“确定”可进行下载：\r\n") +
                                         kArchive);
}

TEST(UpdateTexts, DownloadMessages) {
    EXPECT_EQ(
        downloadChoice(),
        (UpdateMessage{gb("选择下载方式"), gb("是否打开浏览器进行下载？\r\n【是】通过浏览器下载\r\n"
                                              "【否】通过本程序下载\r\n【取消】放弃下载")}));
    EXPECT_EQ(downloadDone("/p/Galewarden.zip"),
              (UpdateMessage{gb("下载完成"),
                             gb("下载完成，请退出此程序后解压文件：\r\n/p/Galewarden.zip")}));
    EXPECT_EQ(
        downloadFailed(kArchive),
        (UpdateMessage{gb("下载失败"), gb("下载失败，请前往浏览器进行下载：\r\n") + kArchive}));
    EXPECT_EQ(checkingLine(), gb("正在检查新版本 .."));
}

const std::string kZip = std::string("PK\x03\x04\x14\x00", 6) + "rest of the archive";

std::string headersOf(const char* statusLine, std::size_t length) {
    return std::string(statusLine) +
           "\r\nContent-Type: application/zip\r\nContent-Length: " + std::to_string(length) +
           "\r\n\r\n";
}

TEST(UpdateArchive, StatusOfTheResponseHeaders) {
    const std::vector<std::pair<std::string, int>> table{
        {"HTTP/1.1 200 OK\r\n\r\n", 200},
        {"HTTP/1.0 404 Not Found\r\n\r\n", 404},
        {"HTTP/2 200\r\n\r\n", 200},
        {"", 0},
        {std::string(5000, ' '), 0},
        {"HTTP/1.1 2x0 OK\r\n", 0},
        {"HTTP/1.1\r\n", 0},
        {"<html>HTTP/1.1 200 OK", 0},
    };
    for (const auto& [headers, status] : table) {
        EXPECT_EQ(responseStatus(headers), status) << headers.substr(0, 20);
    }
}

TEST(UpdateArchive, OnlyACompleteZipWithStatus200IsAccepted) {
    const std::string page = "<!DOCTYPE html><html><body>404</body></html>";
    struct Case {
        const char* what;
        std::string headers;
        std::string body;
        bool accepted;
    };
    const std::vector<Case> table{
        {"archive", headersOf("HTTP/1.1 200 OK", kZip.size()), kZip, true},
        {"archive without length", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", kZip,
         true},
        {"length in other case and spacing",
         "HTTP/1.1 200 OK\ncontent-length:\t" + std::to_string(kZip.size()) + " \n\n", kZip, true},
        {"not found page", headersOf("HTTP/1.1 404 Not Found", page.size()), page, false},
        {"archive with status 404", headersOf("HTTP/1.1 404 Not Found", kZip.size()), kZip, false},
        {"page with status 200", headersOf("HTTP/1.1 200 OK", page.size()), page, false},
        {"empty", headersOf("HTTP/1.1 200 OK", 0), "", false},
        {"cut short", headersOf("HTTP/1.1 200 OK", kZip.size() + 100), kZip, false},
        {"no headers", std::string(5000, ' '), kZip, false},
        {"signature cut", headersOf("HTTP/1.1 200 OK", 3), "PK\x03", false},
        {"spanned archive", headersOf("HTTP/1.1 200 OK", 4), "PK\x07\x08", false},
    };
    for (const Case& c : table) {
        EXPECT_EQ(isArchiveAnswer(c.headers, c.body), c.accepted) << c.what;
    }
}

}  // namespace
}  // namespace galewarden
