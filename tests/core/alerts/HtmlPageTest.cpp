#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/alerts/outputs/HtmlPage.h"
#include "core/config/ConfigStore.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

const std::string kPage =
    "<html><head><script>\n"
    "/* Alert Start */ var Alerts = new Array(); /* Alert End */\n"
    "/* Stage Start */ var Stage = 9; /* Stage End */\n"
    "/* Content Start */\nvar Content = \"\";\n/* Content End */\n"
    "</script></head><body>北京</body></html>\n";

class HtmlPageTest : public ::testing::Test {
  protected:
    std::string path() const { return home.text() + "/page.html"; }
    std::string page() const { return home.read("page.html"); }

    bool writeAll(std::string_view alertListUtf8, int stage, std::string_view detailsUtf8) {
        const std::string alertList = gb(alertListUtf8);
        const std::string details = gb(detailsUtf8);
        return writeHtmlPage(path(), {.alertList = alertList, .stage = stage, .details = details});
    }

    // The Content statement written for a details text.
    std::string contentFor(std::string_view detailsUtf8) {
        home.write("page.html", "/* Content Start *//* Content End */");
        const std::string details = gb(detailsUtf8);
        writeHtmlPage(path(), {.details = details});
        const std::string written = page();
        const std::string start = "/* Content Start */";
        return written.substr(start.size(), written.size() - start.size() - 17);
    }

    test::TestHome home;
};

TEST_F(HtmlPageTest, ReplacesTheThreeSectionsInUtf8AndNothingElse) {
    home.write("page.html", kPage);
    EXPECT_TRUE(writeAll("var Alerts = new Array(\"暴雨蓝\",\"大风黄\");", 0,
                         "-----▲【北京市气象台发布暴雨蓝色预警信号】\r\n注意\"防范\" & <关窗>"));
    EXPECT_EQ(page(),
              "<html><head><script>\n"
              "/* Alert Start */var Alerts = new Array(\"暴雨蓝\",\"大风黄\");/* Alert End */\n"
              "/* Stage Start */var Stage = 0;/* Stage End */\n"
              "/* Content Start */var Content = \"<hr>▲【北京市气象台发布暴雨蓝色预警信号】<br>"
              "注意\\\"防范\\\" &amp; &lt;关窗&gt;\";/* Content End */\n"
              "</script></head><body>北京</body></html>\n");
}

TEST_F(HtmlPageTest, WritesOnlySectionsThatAreSelectedAndMarked) {
    home.write("page.html", "a /* Stage Start */ x /* Stage End */ b");
    EXPECT_TRUE(writeAll("var Alerts = new Array();", -3, "text"));
    EXPECT_EQ(page(), "a /* Stage Start */var Stage = -3;/* Stage End */ b");

    home.write("page.html", kPage);
    EXPECT_TRUE(writeHtmlPage(path(), {.alertList = "var Alerts = new Array();"}));
    EXPECT_NE(page().find("/* Alert Start */var Alerts = new Array();/* Alert End */"),
              std::string::npos);
    EXPECT_NE(page().find("/* Stage Start */ var Stage = 9; /* Stage End */"), std::string::npos);
}

TEST_F(HtmlPageTest, AnEndMarkerOnlyBeforeItsStartLeavesTheSection) {
    const std::string reversed = "/* Stage End */ x /* Stage Start */ y";
    home.write("page.html", reversed);
    EXPECT_TRUE(writeAll("", -4, ""));
    EXPECT_EQ(page(), reversed);
}

TEST_F(HtmlPageTest, EscapesTheDetailsTextSoTheStatementStaysOneLiteral) {
    const std::pair<const char*, const char*> cases[] = {
        {"\"", "\\\""},           {"a\\b", "a\\\\b"},
        {"a\\\"b", "a\\\\\\\"b"}, {"&<>", "&amp;&lt;&gt;"},
        {"a\r\nb", "a<br>b"},     {"a\rb\nc", "a<br>b<br>c"},
        {"-----▲【", "<hr>▲【"},  {"</script>", "&lt;/script&gt;"},
        {"x */ y", "x *\\/ y"},   {"a\u2028b\u2029c", "a\\u2028b\\u2029c"},
    };
    for (const auto& [details, literal] : cases) {
        EXPECT_EQ(contentFor(details), std::string("var Content = \"") + literal + "\";")
            << details;
    }
}

TEST_F(HtmlPageTest, TextThatLooksLikeAMarkerSurvivesTheNextWrite) {
    home.write("page.html", kPage);
    const std::string name = escapeJavaScriptString(gb("x/* Stage Start */y"));
    const std::string alerts = "var Alerts = new Array(\"" + test::utf8(name) + "\");";
    const char* details = "a /* Content End */ b";
    ASSERT_TRUE(writeAll(alerts, 0, details));
    const std::string first = page();
    EXPECT_NE(first.find("/* Stage Start */var Stage = 0;/* Stage End */"), std::string::npos);
    ASSERT_TRUE(writeAll(alerts, 0, details));
    EXPECT_EQ(page(), first);
}

TEST_F(HtmlPageTest, MissingPageIsCreatedEmptyAndRepeatedWritesAreStable) {
    EXPECT_TRUE(writeAll("var Alerts = new Array();", 0, "x"));
    EXPECT_TRUE(std::filesystem::exists(home.file("page.html")));
    EXPECT_EQ(page(), "");

    home.write("page.html", kPage);
    ASSERT_TRUE(writeAll("var Alerts = new Array(\"暴雨蓝\");", 0, "雨\r\n"));
    const std::string first = page();
    // The same content is written again all the same: a reader may watch the file's time.
    const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
    std::filesystem::last_write_time(home.file("page.html"), stamp);
    ASSERT_TRUE(writeAll("var Alerts = new Array(\"暴雨蓝\");", 0, "雨\r\n"));
    EXPECT_EQ(page(), first);
    EXPECT_GT(std::filesystem::last_write_time(home.file("page.html")), stamp);
}

TEST_F(HtmlPageTest, TheStageIsWrittenOnlyWhenThePageIsSwitchedOn) {
    home.write("page.html", kPage);
    ConfigStore store;
    EXPECT_FALSE(writeHtmlStage(store, kStageExited));
    store.writeQuoted("HTML", "Location", path());
    EXPECT_FALSE(writeHtmlStage(store, kStageExited));
    store.writeText("HTML", "Start", "1");
    EXPECT_TRUE(writeHtmlStage(store, kStageExited));
    EXPECT_NE(page().find("var Stage = -3;"), std::string::npos);
    EXPECT_NE(page().find("var Alerts = new Array(); "), std::string::npos);
}

// Root reads any file, so the write then runs in a child that has given up root.
bool writeAsUnprivilegedUser(const std::string& path) {
    if (::geteuid() != 0) {
        return writeHtmlPage(path, {.stage = -1});
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? (writeHtmlPage(path, {.stage = -1}) ? 0 : 1) : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 2) << "could not drop root";
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(HtmlPageTest, UnreadablePageIsLeftUntouched) {
    home.write("page.html", kPage);
    // Writable directory, unreadable page: only the refusal to write keeps the page.
    ::chmod(home.path().c_str(), 0777);
    ::chmod(home.file("page.html").c_str(), 0);
    EXPECT_FALSE(writeAsUnprivilegedUser(path()));
    ::chmod(home.file("page.html").c_str(), 0644);
    EXPECT_EQ(page(), kPage);
}

TEST(EscapeJavaScriptString, KeepsTheLiteralAndTheScriptElementClosed) {
    const std::pair<std::string, std::string> cases[] = {
        {gb("暴雨蓝"), gb("暴雨蓝")},
        {"a\"b", "a\\\"b"},
        {"a\\b", "a\\\\b"},
        {"</script>", "<\\/script>"},
        {"<!--", "<\\!--"},
        {"*/", "*\\/"},
        {"a/b!", "a/b!"},
        {"\r\n", "\\r\\n"},
        {std::string("\x01\x1F", 2), "\\u0001\\u001F"},
        {gb("\u2028\u2029"), "\\u2028\\u2029"},
        {"\x81\x5C", "\x81\x5C"},  // a backslash that is the second byte of a character
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(escapeJavaScriptString(text), expected) << test::utf8(text);
    }
}

}  // namespace
}  // namespace galewarden
