#include <gtest/gtest.h>

#include "core/net/HttpText.h"
#include "support/TestHome.h"

namespace galewarden {
namespace {

using test::gb;

TEST(HttpText, UrlEncodeEscapesSpaceHashPercentAndOptionallyHighBytes) {
    EXPECT_EQ(urlEncode("a b#%\xE4\xB8\xAD", true), "a%20b%23%25%E4%B8%AD");
    EXPECT_EQ(urlEncode("a b#%\xE4\xB8\xAD", false), "a%20b%23%25\xE4\xB8\xAD");
    EXPECT_EQ(urlEncode("/p?x=1&y=+", true), "/p?x=1&y=+");
    EXPECT_EQ(urlEncode("", true), "");
}

TEST(HttpText, TextBetween) {
    struct Case {
        std::string text, left, right;
        int start;
        bool ignoreCase;
        std::string expected;
    };
    const Case cases[] = {
        {"<a>x</a><a>y</a>", "<a>", "</a>", 1, false, "x"},
        {"<a>x</a><a>y</a>", "<a>", "</a>", 2, false, "y"},
        {"<A>x</a>", "<a>", "</a>", 1, false, ""},
        {"<A>x</A>", "<a>", "</a>", 1, true, "x"},
        {"<a>x", "<a>", "</a>", 1, false, ""},
        {"x</a>", "<a>", "</a>", 1, false, ""},
        {"<a></a>", "<a>", "</a>", 1, false, ""},
        {"id=\"42\" name", gb("id=#引号"), gb("#引号"), 1, false, "42"},
        {gb("标题：暴雨。"), gb("标题："), gb("。"), 1, false, gb("暴雨")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textBetween(c.text, c.left, c.right, c.start, c.ignoreCase), c.expected)
            << c.text << " from " << c.start;
    }
}

TEST(HttpText, NormaliseHeaderNamesCapitalisesEachPieceAndDropsLinesWithoutColon) {
    EXPECT_EQ(normaliseHeaderNames("content-TYPE: text/html"), "Content-TYPE: text/html");
    EXPECT_EQ(normaliseHeaderNames("user-agent: x:y\r\nbroken\r\naccept:*/*\r\n"),
              "User-Agent: x:y\r\nAccept:*/*");
    EXPECT_EQ(normaliseHeaderNames("x-a-b: 1"), "X-A-B: 1");
    EXPECT_EQ(normaliseHeaderNames("x-: 1"), "X-: 1");
    EXPECT_EQ(normaliseHeaderNames(""), "");
}

TEST(HttpText, HostPortAndPathOfUrls) {
    struct Case {
        std::string url, host, hostWithPort;
        int port;
        std::string path;
    };
    const Case cases[] = {
        {"HTTPS://Example.COM:8443/a/b?c=1", "example.com", "example.com:8443", 8443, "/a/b?c=1"},
        {"http://host", "host", "host", 80, "/"},
        {"https://host/x", "host", "host", 443, "/x"},
        {"host.cn/p/q", "host.cn", "host.cn", 80, "/p/q"},
        {"http://127.0.0.1:81/api/alert/c?a=%E5", "127.0.0.1", "127.0.0.1:81", 81,
         "/api/alert/c?a=%E5"},
        // A host that also occurs inside the scheme name.
        {"http://h/p", "h", "h", 80, "/p"},
        {"https://tp:8080/p", "tp", "tp:8080", 8080, "/p"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hostOf(c.url), c.host) << c.url;
        EXPECT_EQ(hostOf(c.url, true), c.hostWithPort) << c.url;
        EXPECT_EQ(portOf(c.url), c.port) << c.url;
        EXPECT_EQ(pathOf(c.url), c.path) << c.url;
    }
}

TEST(HttpText, MergeCookies) {
    struct Case {
        std::string oldCookies, newCookies, expected;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3; c=deleted", "b=3; a=1"},
        {"", "s=1", "s=1"},
        {"s=1", "", "s=1"},
        {" a=1; ", "a=2;", "a=2"},
        {"flag; a=1", "a=1; a=1", "a=1; flag"},
        {"a=deleted", "", ""},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(mergeCookies(c.oldCookies, c.newCookies), c.expected)
            << "'" << c.oldCookies << "' + '" << c.newCookies << "'";
    }
}

TEST(HttpText, CookiesFromHeadersKeepOnlyNameValueOfExactSetCookieLines) {
    EXPECT_EQ(cookiesFromHeaders("HTTP/1.1 200 OK\r\nSet-Cookie: s=1; path=/\r\n"
                                 "Content-Type: text/plain\r\nSet-Cookie: t=2\r\n\r\n"),
              "s=1; t=2");
    EXPECT_EQ(cookiesFromHeaders("HTTP/1.1 200 OK\r\nset-cookie: x=1\r\n"
                                 "Set-Cookie:y=2\r\nX-Set-Cookie: z=3\r\n\r\n"),
              "");
    EXPECT_EQ(cookiesFromHeaders(std::string(5000, ' ')), "");
}

}  // namespace
}  // namespace galewarden
