#include <gtest/gtest.h>

#include "core/alerts/source/RequestHeaders.h"
#include "core/alerts/source/WebPageAnswer.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;
using test::utf8;
using Lines = std::vector<std::string>;

TEST(RequestHeaders, AcceptsHeaderLinesAndRefusesAnythingElseWhole) {
    const struct {
        std::string stored;
        Lines lines;
        const char* problem;  // the start of the message; "" when accepted
    } cases[] = {
        {"", {}, ""},
        {"Referer: https://weather.cma.cn/", {"Referer: https://weather.cma.cn/"}, ""},
        {"Referer: a\\nUser-Agent: Mozilla/5.0 (X11)\\n\\n",
         {"Referer: a", "User-Agent: Mozilla/5.0 (X11)"},
         ""},
        {"X-Empty:", {"X-Empty:"}, ""},
        {"Referer a", {}, "请求头“Referer a”无效：不是"},
        {": value", {}, "请求头“: value”无效：不是"},
        {"Bad Name: x", {}, "请求头“Bad Name: x”无效：名称"},
        {"Host: example.org", {}, "请求头“Host: example.org”无效：此请求头"},
        {"content-length: 5", {}, "请求头“content-length: 5”无效：此请求头"},
        {gb("X-Place: 北京"), {}, "请求头“X-Place: 北京”无效：值"},
        {"A: 1\\nB: 2\\nC: 3\\nD: 4\\nE: 5\\nF: 6\\nG: 7\\nH: 8\\nI: 9", {}, "请求头最多8行"},
    };
    for (const auto& c : cases) {
        const RequestHeaders headers = parseRequestHeaders(c.stored);
        EXPECT_EQ(headers.lines, c.lines) << c.stored;
        EXPECT_EQ(utf8(headers.problem).rfind(c.problem, 0), 0u) << utf8(headers.problem);
        EXPECT_EQ(headers.problem.empty(), *c.problem == '\0') << c.stored;
    }
}

TEST(RequestHeaders, StoredFormRoundTrips) {
    const Lines lines{"Referer: https://weather.cma.cn/", "User-Agent: a\"b\\c"};
    const std::string stored = encodeRequestHeaders(lines);
    EXPECT_EQ(stored.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(parseRequestHeaders(stored).lines, lines);
}

TEST(WebPageAnswer, TellsPagesFromDataAndReadsTheTitle) {
    const struct {
        const char* answer;
        bool page;
        const char* title;
    } cases[] = {
        {"<!DOCTYPE html><html><head><title> WEB 应用防火墙 </title></head></html>", true,
         "WEB 应用防火墙"},
        {"\xEF\xBB\xBF\r\n  <html><body>人机识别检测</body></html>", true, ""},
        {"<HTML><HEAD><TITLE>502 Bad Gateway</TITLE>", true, "502 Bad Gateway"},
        {"{\"data\":\"<html>\"}", false, ""},
        {"<?xml version=\"1.0\"?><alerts/>", false, ""},
        {"", false, ""},
    };
    for (const auto& c : cases) {
        const std::optional<std::string> title = webPageTitle(c.answer);
        EXPECT_EQ(title.has_value(), c.page) << c.answer;
        EXPECT_EQ(utf8(title.value_or("")), c.title) << c.answer;
    }
}

}  // namespace
}  // namespace galewarden
