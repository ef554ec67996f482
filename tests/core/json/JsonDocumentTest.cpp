#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/json/JsonDocument.h"
#include "core/json/JsonTree.h"
#include "core/text/CodePage.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

struct PathCase {
    std::string path;
    std::string text;
};

void expectReads(const JsonDocument& document, const std::vector<PathCase>& cases) {
    for (const PathCase& c : cases) {
        EXPECT_EQ(document.getText(c.path), c.text) << "path " << c.path;
    }
}

TEST(JsonDocument, ArrayOfNumbers) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("[1,2]"));
    expectReads(document, {{"", "1,2"}, {"[0]", "1"}, {"[1]", "2"}, {"[2]", ""}, {"da", "1,2"}});
}

TEST(JsonDocument, RefusesWhatIsNotAJsonValueAndThenReadsEmpty) {
    const std::string refused[] = {
        "null",
        " null ",
        "",
        "   ",
        "<html><body>502 Bad Gateway</body></html>",
        "{\"a\":1} trailing",
        "{\"a\":1}{\"b\":2}",
        std::string("{\"a\":1}\0{", 9),
        "[1,]",
        "{'a':1}",
        "NaN",
        "--1e400",
        "1e5e5",
        "\"unterminated",
        "\xEF\xBB\xBF",
    };
    for (const std::string& text : refused) {
        JsonDocument document;
        ASSERT_TRUE(document.parse("{\"a\":1,\"da\":{\"a\":2}}"));
        EXPECT_FALSE(document.parse(text)) << text;
        expectReads(document, {{"", ""}, {"a", ""}, {"da", ""}, {"da.a", ""}, {"[0]", ""}});
    }
}

TEST(JsonDocument, AcceptsEveryTopLevelValueButNull) {
    const PathCase accepted[] = {
        {"false", "false"}, {"true", "true"},      {"0", "0"}, {" 12 ", "12"},
        {"\"x\"", "x"},     {"\"\"", ""},          {"[]", ""}, {"{}", "[object Object]"},
        {"[null]", ""},     {"1e400", "Infinity"},
    };
    for (const PathCase& c : accepted) {
        JsonDocument document;
        EXPECT_TRUE(document.parse(c.path)) << c.path;
        EXPECT_EQ(document.getText(""), c.text) << c.path;
    }
}

TEST(JsonDocument, ValuesReadAsJavaScriptWritesThem) {
    JsonDocument document;
    ASSERT_TRUE(document.parse(R"({"a":{"b":1.5,"c":true,"d":null,"e":[]},
        "nested":[[1,2],3], "mixed":[null,"x",{},false,[],[[]],-0.0],
        "id":12345678901234567890, "zero":-0, "big":1e21, "small":0.0000001,
        "huge":[1e400,-1e999,1e-999], "text":"1.50", "dup":1, "dup":2})"));
    expectReads(document, {
                              {"a.b", "1.5"},
                              {"a.c", "true"},
                              {"a.d", ""},
                              {"a.e", ""},
                              {"a", "[object Object]"},
                              {"a.x.y", ""},
                              {"a.d.x", ""},
                              {"nested", "1,2,3"},
                              {"mixed", ",x,[object Object],false,,,0"},
                              {"id", "12345678901234567890"},
                              {"zero", "0"},
                              {"big", "1e+21"},
                              {"small", "1e-7"},
                              {"huge", "Infinity,-Infinity,0"},
                              {"text", "1.50"},
                              {"dup", "2"},
                          });
}

TEST(JsonDocument, TextComesBackInTheProgramCodePage) {
    JsonDocument document;
    const std::string utf8 =
        R"({"title":"北京市气象台发布暴雨蓝色预警信号","path":"C:\u2400Pack\u2400x",)"
        R"("smile":"a😀","lone":"x\ud800y\udc00z","标题":"暴雨"})";
    ASSERT_TRUE(document.parse(convertText(utf8, Encoding::Utf8, Encoding::Java)));
    expectReads(document, {
                              {"title", gb("北京市气象台发布暴雨蓝色预警信号")},
                              {"path", "C:\\Pack\\x"},
                              {"smile", gb("a😀")},
                              {"lone", "x?y?z"},
                              {gb("标题"), gb("暴雨")},
                          });
    ASSERT_TRUE(document.parse(utf8));
    EXPECT_EQ(document.getText("title"), gb("北京市气象台发布暴雨蓝色预警信号"));
}

TEST(JsonDocument, DaPathsTryTheRootFirst) {
    JsonDocument document;
    ASSERT_TRUE(document.parse(R"({"da":{"x":1,"y":3},"x":2,"n":null,"date":"d"})"));
    expectReads(document, {{"da.x", "2"},
                           {"x", "2"},
                           {"da.y", "3"},
                           {"da[\"y\"]", "3"},
                           {"da.n", ""},
                           {"date", "d"},
                           {"da", "[object Object]"},
                           {"da.da.x", "1"}});
    ASSERT_TRUE(document.parse(R"([{"id":"a"}])"));
    expectReads(document, {{"da[0].id", "a"}, {"[0].id", "a"}, {"0", ""}});
}

TEST(JsonDocument, PathSyntax) {
    JsonDocument document;
    ASSERT_TRUE(document.parse(R"({"result":{"list":[{"id":"a"},{"id":"b"}]},
        "a":{"b c":1,"b":2,"x\"y":3,"0":"zero","length":"own"},
        "s":"北京😀","n":12})"));
    expectReads(document, {
                              {"result.list[1].id", "b"},
                              {" result . list [ 1 ] . id ", "b"},
                              {"result.list[2].id", ""},
                              {"result[\"list\"][0]['id']", "a"},
                              {"a[\"b c\"]", "1"},
                              {"a['b']", "2"},
                              {"a[\"x\\\"y\"]", "3"},
                              {"a[\"\\u0062\"]", "2"},
                              {"a[0]", "zero"},
                              {"a.length", "own"},
                              {"result.list.length", "2"},
                              {"result.list['1'].id", "b"},
                              {"s.length", "4"},
                              {"n.length", ""},
                              {"result.length", ""},
                          });
    const std::string invalid[] = {"a.",  "a[",    "a[01]", "a..b",        ".a",
                                   "a b", "a[\"b", "a[-1]", "a.0",         "[0",
                                   "a]",  "a.b()", "a[b]",  "a[\"\\u00\"]"};
    for (const std::string& path : invalid) {
        EXPECT_EQ(document.getText(path), "") << path;
    }
}

TEST(JsonDocument, ByteOrderMarkIsSkipped) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("\xEF\xBB\xBF{\"a\":1}"));
    EXPECT_EQ(document.getText("a"), "1");
    ASSERT_TRUE(document.parse("\\ufeff{\"a\":2}"));
    EXPECT_EQ(document.getText("a"), "2");
}

TEST(JsonDocument, HostileInputNeitherCrashesNorOverflows) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("{\"a\":\"x\xFF\xC0y\"}"));
    EXPECT_EQ(document.getText("a"), "x??y");

    const int depth = 200000;
    EXPECT_FALSE(document.parse(std::string(depth, '[')));
    ASSERT_TRUE(document.parse(std::string(depth, '[') + "7" + std::string(depth, ']')));
    EXPECT_EQ(document.getText(""), "7");
    std::string objects;
    for (int i = 0; i < depth; ++i) {
        objects += "{\"a\":";
    }
    ASSERT_TRUE(document.parse(objects + "1" + std::string(depth, '}')));
    EXPECT_EQ(document.getText("a.a.a"), "[object Object]");
}

// No list of warnings holds a million values; a text that does would take far more memory as
// a tree than as text.
TEST(JsonDocument, RefusesDocumentsOfMoreValuesThanAnyAnswerHolds) {
    const auto numbers = [](std::size_t count) {
        std::string text = "[";
        for (std::size_t i = 0; i < count; ++i) {
            text += i == 0 ? "1" : ",1";
        }
        return text + "]";
    };
    JsonDocument document;
    EXPECT_TRUE(document.parse(numbers(json::JsonTree::kMaxValues - 1)));
    EXPECT_EQ(document.getText("[0]"), "1");
    EXPECT_FALSE(document.parse(numbers(json::JsonTree::kMaxValues)));
    EXPECT_EQ(document.getText("[0]"), "");
}

TEST(JsonDocument, ResetAndReparseStartFromScratch) {
    JsonDocument document;
    EXPECT_EQ(document.getText(""), "[object Object]");
    ASSERT_TRUE(document.parse(R"({"a":1,"b":2})"));
    ASSERT_TRUE(document.parse(R"({"a":3})"));
    expectReads(document, {{"a", "3"}, {"b", ""}});
    document.reset();
    expectReads(document, {{"", "[object Object]"}, {"a", ""}, {"da", "[object Object]"}});
}

}  // namespace
}  // namespace galewarden
