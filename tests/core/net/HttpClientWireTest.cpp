#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "RecordingServer.h"
#include "core/net/HttpClient.h"
#include "core/text/TextPieces.h"

namespace galewarden {
namespace {

using test::RecordingServer;
using Lines = std::vector<std::string>;

const std::string kOkResponse =
    "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\nok";
const std::string kRequestAgent = "User-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// A request as it arrived: the request line, the header lines (sorted, so that the test does
// not depend on the order libcurl writes them in) and the body.
struct Wire {
    std::string requestLine;
    Lines headers;
    std::string body;
};

Wire parseWire(const std::string& raw) {
    const auto headEnd = raw.find("\r\n\r\n");
    EXPECT_NE(headEnd, std::string::npos) << raw;
    Lines lines = splitText(raw.substr(0, headEnd), "\r\n");
    Wire wire;
    wire.requestLine = lines.front();
    wire.headers.assign(lines.begin() + 1, lines.end());
    std::sort(wire.headers.begin(), wire.headers.end());
    wire.body = raw.substr(headEnd + 4);
    return wire;
}

Lines sorted(Lines lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

Wire onlyRequest(const RecordingServer& server) {
    const auto requests = server.requests();
    EXPECT_EQ(requests.size(), 1u);
    return requests.empty() ? Wire{} : parseWire(requests.back());
}

std::string hostLine(const RecordingServer& server) {
    return "Host: 127.0.0.1:" + std::to_string(server.port());
}

struct RequestCase {
    const char* name = "";
    HttpMethod method = HttpMethod::get;
    bool addDefaultHeaders = false;
    bool normaliseHeaders = true;
    std::string extraHeaders{};
    std::optional<std::string> cookies{};
    std::string bodyText{};
    std::string bodyBytes{};
    std::string requestLine{};
    Lines headers{};  // besides Host; "{url}" stands for the request URL
    std::string body{};
};

TEST(HttpClientWire, RequestSendsExactlyTheHeaderBlockItBuilds) {
    const std::string agent = kRequestAgent;
    const std::string form = "Content-Type: application/x-www-form-urlencoded";
    const Lines defaults = {agent, "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn"};
    const RequestCase cases[] = {
        {.name = "plain GET", .requestLine = "GET /path?q=1 HTTP/1.1", .headers = {agent}},
        {.name = "defaults",
         .addDefaultHeaders = true,
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = defaults},
        {.name = "own Accept kept",
         .addDefaultHeaders = true,
         .extraHeaders = "accept: text/html",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {agent, "Accept: text/html", "Referer: {url}", "Accept-Language: zh-cn"}},
        {.name = "form POST",
         .method = HttpMethod::post,
         .addDefaultHeaders = true,
         .bodyText = "a=1&b=2",
         .requestLine = "POST /path?q=1 HTTP/1.1",
         .headers = {agent, "Accept: */*", "Referer: {url}", "Accept-Language: zh-cn", form,
                     "Content-Length: 7"},
         .body = "a=1&b=2"},
        {.name = "POST without defaults",
         .method = HttpMethod::post,
         .bodyText = "x",
         .requestLine = "POST /path?q=1 HTTP/1.1",
         .headers = {agent, "Content-Length: 1"},
         .body = "x"},
        {.name = "PUT of bytes",
         .method = HttpMethod::put,
         .bodyText = "ignored",
         .bodyBytes = std::string("\0\1raw", 5),
         .requestLine = "PUT /path?q=1 HTTP/1.1",
         .headers = {agent, "Content-Length: 5"},
         .body = std::string("\0\1raw", 5)},
        {.name = "HEAD",
         .method = HttpMethod::head,
         .requestLine = "HEAD /path?q=1 HTTP/1.1",
         .headers = {agent}},
        {.name = "DELETE",
         .method = HttpMethod::remove,
         .requestLine = "DELETE /path?q=1 HTTP/1.1",
         .headers = {agent, "Content-Length: 0"}},
        {.name = "own agent",
         .extraHeaders = "user-agent: X\r\nx-trace-id: 7",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {"User-Agent: X", "X-Trace-Id: 7"}},
        {.name = "own agent, names as written",
         .normaliseHeaders = false,
         .extraHeaders = "user-agent: X",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {"user-agent: X"}},
        {.name = "empty header value",
         .extraHeaders = "X-Empty:",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {agent, "X-Empty:"}},
        {.name = "cookies",
         .cookies = "a=1; b=2",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {agent, "Cookie: a=1; b=2"}},
        {.name = "cookie line",
         .cookies = "Cookie: z=9",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {agent, "Cookie: z=9"}},
        {.name = "empty cookies",
         .cookies = "",
         .requestLine = "GET /path?q=1 HTTP/1.1",
         .headers = {agent}},
    };
    const HttpClient client;
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        const RecordingServer server(kOkResponse);
        HttpRequestOptions options;
        options.url = server.url("/path?q=1");
        options.method = c.method;
        options.addDefaultHeaders = c.addDefaultHeaders;
        options.normaliseHeaders = c.normaliseHeaders;
        options.extraHeaders = c.extraHeaders;
        options.cookies = c.cookies;
        options.bodyText = c.bodyText;
        options.bodyBytes = c.bodyBytes;

        EXPECT_EQ(client.request(options).body, c.method == HttpMethod::head ? "" : "ok");

        Lines expected = {hostLine(server)};
        for (const std::string& line : c.headers) {
            expected.push_back(line == "Referer: {url}" ? "Referer: " + options.url : line);
        }
        const Wire wire = onlyRequest(server);
        EXPECT_EQ(wire.requestLine, c.requestLine);
        EXPECT_EQ(wire.headers, sorted(expected));
        EXPECT_EQ(wire.body, c.body);
    }
}

TEST(HttpClientWire, GetSendsOnlyHostAndAgent) {
    const RecordingServer server(kOkResponse);
    EXPECT_EQ(HttpClient().get(server.url("/api/alert/c?a=%E5%8C%97")), "ok");
    const Wire wire = onlyRequest(server);
    EXPECT_EQ(wire.requestLine, "GET /api/alert/c?a=%E5%8C%97 HTTP/1.1");
    EXPECT_EQ(wire.headers, sorted({hostLine(server), kRequestAgent}));
}

TEST(HttpClientWire, FetchIsAnHttp10GetWithItsOwnAgent) {
    const RecordingServer server(kOkResponse);
    EXPECT_EQ(HttpClient().fetch(server.url("/Pack/a.png")), "ok");
    const Wire wire = onlyRequest(server);
    EXPECT_EQ(wire.requestLine, "GET /Pack/a.png HTTP/1.0");
    EXPECT_EQ(
        wire.headers,
        sorted({hostLine(server), "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)",
                "Accept: */*"}));
}

class ProxyEnvironment {
  public:
    explicit ProxyEnvironment(const std::string& proxy) {
        setenv("http_proxy", proxy.c_str(), 1);
        setenv("HTTP_PROXY", proxy.c_str(), 1);
    }
    ~ProxyEnvironment() {
        unsetenv("http_proxy");
        unsetenv("HTTP_PROXY");
    }
};

TEST(HttpClientWire, ProxyIsUsedOnlyWhenGiven) {
    const RecordingServer proxy(kOkResponse);
    const RecordingServer direct(kOkResponse);
    const ProxyEnvironment environment(proxy.url(""));
    const HttpClient client;

    HttpRequestOptions viaProxy;
    viaProxy.url = "http://alerts.example/list?x=1";
    viaProxy.proxy = "127.0.0.1:" + std::to_string(proxy.port());
    EXPECT_EQ(client.request(viaProxy).body, "ok");
    const Wire proxied = onlyRequest(proxy);
    EXPECT_EQ(proxied.requestLine, "GET http://alerts.example/list?x=1 HTTP/1.1");

    EXPECT_EQ(client.get(direct.url("/d")), "ok");
    EXPECT_EQ(onlyRequest(direct).requestLine, "GET /d HTTP/1.1");
    EXPECT_EQ(proxy.requests().size(), 1u);
}

}  // namespace
}  // namespace galewarden
