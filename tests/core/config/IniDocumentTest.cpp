#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "core/config/IniDocument.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

struct ReadCase {
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> expected;
};

TEST(IniDocument, ReadsWithProfileRules) {
    // 81 5D ends in "]" and 81 41 in "A": neither byte may count on its own.
    const ReadCase cases[] = {
        {"[General]\r\nWidth=100\r\n", "General", "Width", "100"},
        {"[general]\nWIDTH=5\n", "GENERAL", "width", "5"},
        {"  [ General ]  \n\t Width \t=  7  \n", " General", "Width ", "7"},
        {"[S]\r\nK=v\r\n", "S", "K", "v"},
        {"[S]\nK=v", "S", "K", "v"},
        {"[S]\nK=\n", "S", "K", ""},
        {"[S]\nK=a=b\n", "S", "K", "a=b"},
        {"[S]\nK=\"  a b  \"\n", "S", "K", "  a b  "},
        {"[S]\nK=\"\"x\"\"\n", "S", "K", "\"x\""},
        {"[S]\nK=\"abc\n", "S", "K", "\"abc"},
        {"[S]\nK=\"\n", "S", "K", "\""},
        {"[S]\nK=1\nK=2\n", "S", "K", "1"},
        {"[S]\nK=1\n[S]\nK=2\n", "S", "K", "1"},
        {"[S]\n;K=1\n", "S", "K", std::nullopt},
        {"[S]\n  ; K=1\nK=2\n", "S", "K", "2"},
        {"[S]\nK\n", "S", "K", std::nullopt},
        {"K=1\n[S]\n", "S", "K", std::nullopt},
        {"[A]\nK=1\n[B]\n", "B", "K", std::nullopt},
        {"[A]\nK=1\n", "B", "K", std::nullopt},
        {"[S\nK=1\n", "S", "K", std::nullopt},
        {"", "S", "K", std::nullopt},
        {gb("[来源]\n地区=北京市\n"), gb("来源"), gb("地区"), gb("北京市")},
        {"[\x81\x5D]\nK=1\n", "\x81\x5D", "K", "1"},
        {"[\x81\x41]\nK=1\n", "\x81\x61", "K", std::nullopt},
    };
    for (const ReadCase& c : cases) {
        EXPECT_EQ(IniDocument(c.file).read(c.section, c.key), c.expected) << c.file;
    }
}

TEST(IniDocument, CutsLongValuesAtACharacterBoundary) {
    std::string wide;
    for (int i = 0; i < 5120; ++i) {
        wide += gb("中");
    }
    EXPECT_EQ(IniDocument("[S]\nK=" + wide + "\n").read("S", "K"), wide.substr(0, 10238));
    EXPECT_EQ(IniDocument("[S]\nK=a" + wide + "\n").read("S", "K"), "a" + wide.substr(0, 10238));
    const std::string narrow(IniDocument::kMaxValueBytes, 'x');
    EXPECT_EQ(IniDocument("[S]\nK=\"" + narrow + "\"\n").read("S", "K"), narrow);
    EXPECT_EQ(IniDocument("[S]\nK=" + narrow + "yz\n").read("S", "K"), narrow);
}

const std::string kLaidOut =
    "; Galewarden\r\n"
    "[General]\r\n"
    "Width=100\r\n"
    "; icon height\r\n"
    "Height = 82\r\n"
    "\r\n"
    "[Source]\r\n"
    "UseKVX=1\r\n";

TEST(IniDocument, WritesChangeOnlyTheirOwnLine) {
    struct WriteCase {
        std::string section, key, value, expected;
    };
    const WriteCase cases[] = {
        {"general", "HEIGHT", "90",
         "; Galewarden\r\n[General]\r\nWidth=100\r\n; icon height\r\nHeight=90\r\n\r\n"
         "[Source]\r\nUseKVX=1\r\n"},
        {"General", "Top", "60",
         "; Galewarden\r\n[General]\r\nWidth=100\r\n; icon height\r\nHeight = 82\r\nTop=60\r\n\r\n"
         "[Source]\r\nUseKVX=1\r\n"},
        {"Label", "Show", "1", kLaidOut + "[Label]\r\nShow=1\r\n"},
        {"Source", "Districts", "\"a b\"",
         "; Galewarden\r\n[General]\r\nWidth=100\r\n; icon height\r\nHeight = 82\r\n\r\n"
         "[Source]\r\nUseKVX=1\r\nDistricts=\"a b\"\r\n"},
    };
    for (const WriteCase& c : cases) {
        IniDocument document(kLaidOut);
        ASSERT_TRUE(document.write(c.section, c.key, c.value));
        EXPECT_EQ(document.bytes(), c.expected) << c.key;
    }
}

TEST(IniDocument, NewLinesFollowTheFilesLineEndings) {
    struct EndingCase {
        std::string file, expected;
    };
    const EndingCase cases[] = {
        {"", "[S]\r\nK=v\r\n"},           {"[S]\nA=1\n", "[S]\nA=1\nK=v\n"},
        {"[S]\nA=1", "[S]\nA=1\nK=v\n"},  {"[T]\nA=1", "[T]\nA=1\n[S]\nK=v\n"},
        {"[S]\r\nK=1\n", "[S]\r\nK=v\n"}, {"[S]\n; note\n[T]\n", "[S]\nK=v\n; note\n[T]\n"},
    };
    for (const EndingCase& c : cases) {
        IniDocument document(c.file);
        ASSERT_TRUE(document.write("S", "K", "v"));
        EXPECT_EQ(document.bytes(), c.expected) << c.file;
    }
}

// An editor saved the file as UTF-8 with a mark: its text is read as UTF-8, and the file is
// written back in the program's encoding, so it never mixes the two.
TEST(IniDocument, AFileMarkedAsUtf8IsReadAsUtf8AndWrittenBackAsGb18030) {
    const std::string mark = "\xEF\xBB\xBF";
    struct MarkCase {
        std::string file, expected;
    };
    const MarkCase cases[] = {
        {mark + "[S]\r\nA=1\r\n", "[S]\r\nA=1\r\nK=v\r\n"},
        {mark + "[S]\nK=1\n[T]\n", "[S]\nK=v\n[T]\n"},
        {mark + "[T]\nA=1\n", "[T]\nA=1\n[S]\nK=v\n"},
        {mark, "[S]\r\nK=v\r\n"},
        {mark + "[Source]\r\nDistricts=\"北京市 深圳市\"\r\n",
         gb("[Source]\r\nDistricts=\"北京市 深圳市\"\r\n[S]\r\nK=v\r\n")},
        // Only at the very start is it a mark.
        {"\n" + mark + "[S]\n", "\n" + mark + "[S]\n[S]\nK=v\n"},
    };
    for (const MarkCase& c : cases) {
        IniDocument document(c.file);
        ASSERT_TRUE(document.write("S", "K", "v"));
        EXPECT_EQ(document.bytes(), c.expected) << c.file;
        EXPECT_EQ(IniDocument(document.bytes()).read("S", "K"), "v") << c.file;
    }
    EXPECT_EQ(IniDocument(mark + "[S]\nA=1\n").read("S", "A"), "1");
    EXPECT_EQ(IniDocument(mark + "[标签]\n文本=暴雨\n").read(gb("标签"), gb("文本")), gb("暴雨"));
}

TEST(IniDocument, RefusesWritesThatWouldBreakTheLineStructure) {
    struct Refused {
        std::string section, key, value;
    };
    const Refused cases[] = {
        {"S", "K", "v\r\nInjected=1"},
        {"S", "K", "v\nInjected=1"},
        {"S", "K", "v\r[T]"},
        {"S", "K=x", "v"},
        {"S", "", "v"},
        {"", "K", "v"},
        {"  ", "K", "v"},
        {"S]x", "K", "v"},
        {"S\n[T", "K", "v"},
        {"S", ";K", "v"},
        {"S", "[K", "v"},
        {"S", "K\nJ", "v"},
    };
    for (const Refused& c : cases) {
        IniDocument document(kLaidOut);
        EXPECT_FALSE(document.write(c.section, c.key, c.value)) << c.key << c.value;
        EXPECT_EQ(document.bytes(), kLaidOut);
        EXPECT_EQ(document.read("S", "Injected"), std::nullopt);
    }
}

// A value the reader would cut is refused: a write is never acknowledged and then read back
// short.
TEST(IniDocument, OnlyValuesThatReadBackWholeAreWritten) {
    const std::size_t most = IniDocument::kMaxValueBytes;
    const struct {
        std::string value;
        bool written;
    } cases[] = {
        {std::string(most, 'x'), true},
        {"\"" + std::string(most, 'x') + "\"", true},  // the quotes are not read back
        {"  " + std::string(most, 'x') + "  ", true},  // nor the blanks around it
        {std::string(most + 1, 'x'), false},
        {"\"" + std::string(most + 1, 'x') + "\"", false},
        {std::string(20000, 'x'), false},
    };
    for (const auto& c : cases) {
        IniDocument document(kLaidOut);
        EXPECT_EQ(document.write("S", "Long", c.value), c.written) << c.value.size();
        if (c.written) {
            EXPECT_EQ(document.read("S", "Long")->size(), most);
        } else {
            EXPECT_EQ(document.bytes(), kLaidOut);
        }
    }
}

TEST(IniDocument, RemovesEveryLineOfTheKeyInItsSectionOnly) {
    IniDocument document("[A]\nK=1\n[B]\nk=2\n; K=3\nJ=4\nK = 5\n");
    document.remove(" b ", "K");
    EXPECT_EQ(document.bytes(), "[A]\nK=1\n[B]\n; K=3\nJ=4\n");
    EXPECT_EQ(document.read("B", "K"), std::nullopt);
    document.remove("B", "Missing");
    document.remove("C", "K");
    EXPECT_EQ(document.bytes(), "[A]\nK=1\n[B]\n; K=3\nJ=4\n");
}

TEST(IniDocument, WrittenValuesReadBack) {
    IniDocument document(kLaidOut);
    for (const std::string value : {"", "\"  spaced  \"", "x=y;z", "[not a section]"}) {
        ASSERT_TRUE(document.write("Source", "Value", value));
        const std::string unquoted =
            value.size() >= 2 && value.front() == '"' ? value.substr(1, value.size() - 2) : value;
        EXPECT_EQ(document.read("Source", "Value"), unquoted);
        EXPECT_EQ(IniDocument(document.bytes()).read("Source", "Value"), unquoted);
    }
}

}  // namespace
}  // namespace galewarden
