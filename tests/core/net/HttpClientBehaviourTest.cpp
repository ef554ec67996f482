#include <arpa/inet.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "SelfSignedCertificate.h"
#include "core/net/HttpClient.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"
#include "support/LoopbackServer.h"

namespace galewarden {
namespace {

using namespace std::chrono_literals;
using ::testing::UnorderedElementsAre;

// A loopback socket that listens but never accepts: connections complete in the kernel and
// then hear nothing, ever.
class SilentServer {
  public:
    SilentServer() : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            listen(socket_, 8) != 0 ||
            getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("no loopback socket");
        }
        port_ = ntohs(address.sin_port);
    }
    ~SilentServer() { close(socket_); }
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

  private:
    int socket_;
    int port_ = 0;
};

std::string closedPortUrl() {
    const SilentServer probe;
    return probe.url();  // nobody listens there once the probe is gone
}

// Requests a stop from another thread a moment after it is made.
class StopSoon {
  public:
    StopSoon()
        : thread_([this] {
              std::this_thread::sleep_for(200ms);
              source_.request_stop();
          }) {}
    std::stop_token token() const { return source_.get_token(); }

  private:
    std::stop_source source_;
    std::jthread thread_;
};

void serveText(httplib::Response& response, const std::string& text) {
    response.set_content(text, "text/plain");
}

TEST(HttpClientBehaviour, RedirectsAreFollowedUnlessForbidden) {
    httplib::Server server;
    server.Get("/start", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/final");
        serveText(response, "moved");
    });
    server.Get("/final", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Final", "yes");
        serveText(response, "final");
    });
    const test::LoopbackServer serving(server);
    const HttpClient client;

    HttpRequestOptions options;
    options.url = serving.url("/start");
    HttpResponse response = client.request(options);
    EXPECT_EQ(response.body, "final");
    EXPECT_TRUE(startsWith(response.headers, "HTTP/1.1 200 OK\r\n")) << response.headers;
    EXPECT_TRUE(containsText(response.headers, "\r\nX-Final: yes\r\n")) << response.headers;
    EXPECT_TRUE(endsWith(response.headers, "\r\n\r\n")) << response.headers;

    options.noRedirect = true;
    response = client.request(options);
    EXPECT_EQ(response.body, "moved");
    EXPECT_TRUE(startsWith(response.headers, "HTTP/1.1 302 ")) << response.headers;

    EXPECT_EQ(client.fetch(serving.url("/start")), "final");
}

TEST(HttpClientBehaviour, ErrorStatusBodiesAreReturned) {
    httplib::Server server;
    server.Get("/missing", [](const httplib::Request&, httplib::Response& response) {
        response.status = 404;
        serveText(response, "nothing here");
    });
    const test::LoopbackServer serving(server);
    const HttpClient client;

    HttpRequestOptions options;
    options.url = serving.url("/missing");
    const HttpResponse response = client.request(options);
    EXPECT_EQ(response.body, "nothing here");
    EXPECT_TRUE(startsWith(response.headers, "HTTP/1.1 404 ")) << response.headers;
    EXPECT_EQ(client.fetch(options.url), "nothing here");
}

class CookieServer : public ::testing::Test {
  protected:
    CookieServer() {
        server_.Get("/login", [](const httplib::Request&, httplib::Response& response) {
            response.set_header("Set-Cookie", "s=1; Path=/");
            response.set_header("Set-Cookie", "t=2");
            serveText(response, "in");
        });
        server_.Get("/whoami", [](const httplib::Request& request, httplib::Response& response) {
            serveText(response, request.get_header_value("Cookie"));
        });
        serving_ = std::make_unique<test::LoopbackServer>(server_);
    }

    std::string url(std::string_view path) const { return serving_->url(path); }

    std::string request(const HttpClient& client, std::string_view path,
                        std::optional<std::string> cookies = {}, bool merge = true,
                        std::string* responseCookies = nullptr) const {
        HttpRequestOptions options;
        options.url = url(path);
        options.cookies = std::move(cookies);
        options.mergeResponseCookies = merge;
        HttpResponse response = client.request(options);
        if (responseCookies != nullptr) {
            *responseCookies = std::move(response.cookies);
        }
        return std::move(response.body);
    }

    httplib::Server server_;
    std::unique_ptr<test::LoopbackServer> serving_;
};

TEST_F(CookieServer, ResponseCookiesAreTheSetCookiePairsMergedWithTheGivenOnes) {
    struct Case {
        std::optional<std::string> given;
        bool merge;
        std::string expected;
    };
    const Case cases[] = {
        {std::nullopt, true, "s=1; t=2"},
        {"a=1; s=0", true, "s=1; t=2; a=1"},
        {"a=1; s=0", false, "s=1; t=2"},
        {"", true, "s=1; t=2"},
    };
    const HttpClient client;
    for (const Case& c : cases) {
        std::string cookies = "stale";
        EXPECT_EQ(request(client, "/login", c.given, c.merge, &cookies), "in");
        EXPECT_EQ(cookies, c.expected) << c.given.value_or("(not given)");
    }
}

TEST_F(CookieServer, TheClientKeepsCookiesForCallsThatGiveNone) {
    const HttpClient client;
    EXPECT_EQ(request(client, "/whoami"), "");
    request(client, "/login");
    const auto bothCookies = UnorderedElementsAre("s=1", "t=2");  // the store keeps no order
    EXPECT_THAT(splitText(request(client, "/whoami"), "; "), bothCookies);
    EXPECT_THAT(splitText(client.get(url("/whoami")), "; "), bothCookies);
    EXPECT_THAT(splitText(client.fetch(url("/whoami")), "; "), bothCookies);
    // Given cookies replace the store, even when empty.
    EXPECT_EQ(request(client, "/whoami", ""), "");
    EXPECT_EQ(request(client, "/whoami", "x=9"), "x=9");

    const HttpClient other;
    EXPECT_EQ(request(other, "/whoami"), "");
    request(other, "/login", "");  // given cookies: the answer's cookies are not stored
    EXPECT_EQ(request(other, "/whoami"), "");
}

TEST(HttpClientBehaviour, ResponseHeadersBeyond4999BytesBecome5000Spaces) {
    httplib::Server server;
    server.Get("/pad", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Set-Cookie", "s=1");
        response.set_header("X-Pad", std::string(std::stoul(request.get_param_value("n")), 'x'));
        serveText(response, "body");
    });
    const test::LoopbackServer serving(server);
    const HttpClient client;
    const auto fetchPadded = [&](std::size_t padding, std::string& headers, std::string& cookies) {
        HttpRequestOptions options;
        options.url = serving.url("/pad?n=" + std::to_string(padding));
        HttpResponse response = client.request(options);
        headers = std::move(response.headers);
        cookies = std::move(response.cookies);
        return std::move(response.body);
    };

    std::string headers;
    std::string cookies;
    ASSERT_EQ(fetchPadded(1, headers, cookies), "body");
    const std::size_t fitting = 4999 - headers.size() + 1;  // padding for a 4999-byte block

    EXPECT_EQ(fetchPadded(fitting, headers, cookies), "body");
    EXPECT_EQ(headers.size(), 4999u);
    EXPECT_EQ(cookies, "s=1");

    EXPECT_EQ(fetchPadded(fitting + 1, headers, cookies), "body");
    EXPECT_EQ(headers, std::string(5000, ' '));
    EXPECT_EQ(cookies, "");
}

// A request that cannot be set up brings back nothing at all; one that finds no server brings
// back the blank header block and the cookies it was given.
TEST(HttpClientBehaviour, AFailedRequestBringsBackNoAnswer) {
    const HttpClient client;
    HttpRequestOptions options;
    options.method = HttpMethod::post;
    options.bodyText = "x";
    options.url = "http://127.0.0.1/a b";
    options.cookies = "a=1";
    HttpResponse response = client.request(options);
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(response.headers, "");
    EXPECT_EQ(response.cookies, "");

    options.url = closedPortUrl();
    response = client.request(options);
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(response.headers, std::string(5000, ' '));
    EXPECT_EQ(response.cookies, "a=1");
    EXPECT_EQ(client.fetch(options.url), "");
}

TEST(HttpClientBehaviour, UntrustedCertificatesAreRefused) {
    const test::SelfSignedCertificate certificate;
    httplib::SSLServer server(certificate.certificate(), certificate.key());
    ASSERT_TRUE(server.is_valid());
    server.Get("/", [](const httplib::Request&, httplib::Response& response) {
        serveText(response, "forged warning");
    });
    const test::LoopbackServer serving(server, "https");

    httplib::SSLClient trusting("127.0.0.1", serving.port());
    trusting.enable_server_certificate_verification(false);
    const auto answer = trusting.Get("/");
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->body, "forged warning");  // the server itself works

    const HttpClient client;
    EXPECT_EQ(client.get(serving.url("/")), "");
    EXPECT_EQ(client.fetch(serving.url("/")), "");
}

TEST(HttpClientBehaviour, ASilentServerFailsTheCallOnceTheStallLimitPasses) {
    const SilentServer silent;
    const HttpClient client(HttpTimeouts{.connect = 5s, .stall = 1s});
    HttpRequestOptions options;
    options.url = silent.url();
    const HttpResponse response = client.request(options);
    EXPECT_EQ(response.body, "");
    EXPECT_EQ(response.headers, std::string(5000, ' '));
    EXPECT_EQ(client.fetch(silent.url()), "");
}

// /trickle?bytes=N sends N bytes, one every 200 ms: never idle long enough to stall.
// /prompt answers at once.
void addTrickleAndPrompt(httplib::Server& server) {
    server.Get("/trickle", [](const httplib::Request& request, httplib::Response& response) {
        const std::size_t bytes = std::stoul(request.get_param_value("bytes"));
        response.set_content_provider(
            bytes, "text/plain", [](std::size_t, std::size_t, httplib::DataSink& sink) {
                std::this_thread::sleep_for(200ms);
                return sink.write("x", 1);  // false once the client has gone
            });
    });
    server.Get("/prompt", [](const httplib::Request&, httplib::Response& response) {
        serveText(response, "on time");
    });
}

TEST(HttpClientBehaviour, ATrickleOutlastingTheDeadlineFailsTheCall) {
    httplib::Server server;
    addTrickleAndPrompt(server);
    const test::LoopbackServer serving(server);
    // The whole answer would take 10 s; the stall limit alone would never end it.
    const HttpClient client(HttpTimeouts{.connect = 5s, .stall = 1h, .total = 1s});
    HttpRequestOptions options;
    options.url = serving.url("/trickle?bytes=50");
    EXPECT_EQ(client.request(options).body, "");
    EXPECT_EQ(client.fetch(options.url), "");
}

TEST(HttpClientBehaviour, ATransferWithinTheDeadlineSucceeds) {
    httplib::Server server;
    addTrickleAndPrompt(server);
    const test::LoopbackServer serving(server);
    const HttpClient client(HttpTimeouts{.connect = 5s, .stall = 1h, .total = 1s});
    EXPECT_EQ(client.get(serving.url("/prompt")), "on time");
    EXPECT_EQ(client.fetch(serving.url("/prompt")), "on time");
}

TEST(HttpClientBehaviour, AStopRequestAbandonsARunningTransfer) {
    const SilentServer silent;
    // Limits far beyond the test's time-out: only the stop request can end these calls.
    const HttpClient client(HttpTimeouts{.connect = 1h, .stall = 1h, .total = 1h});
    HttpRequestOptions options;
    options.url = silent.url();
    const StopSoon forRequest;
    options.stop = forRequest.token();
    EXPECT_EQ(client.request(options).body, "");
    const StopSoon forGet;
    EXPECT_EQ(client.get(silent.url(), forGet.token()), "");
    const StopSoon forFetch;
    EXPECT_EQ(client.fetch(silent.url(), forFetch.token()), "");
}

TEST(HttpClientBehaviour, OversizedOrBrokenAnswersFailWhole) {
    constexpr std::size_t kLimit = HttpClient::kMaxBodyBytes;
    const auto zeros = [](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
        static const std::string block(1 << 16, '0');
        (void)offset;
        return sink.write(block.data(), std::min(length, block.size()));
    };
    httplib::Server server;
    server.Get("/exact", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(kLimit, "application/octet-stream", zeros);
    });
    server.Get("/over", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(kLimit + 1, "application/octet-stream", zeros);
    });
    server.Get("/over-chunked", [&](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("application/octet-stream",
                                              [&](std::size_t offset, httplib::DataSink& sink) {
                                                  if (offset > kLimit) {
                                                      sink.done();
                                                      return true;
                                                  }
                                                  return zeros(offset, kLimit, sink);
                                              });
    });
    server.Get("/cut", [](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(100, "text/plain",
                                      [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                          return offset == 0 && sink.write("0123456789", 10);
                                      });
    });
    const test::LoopbackServer serving(server);
    const HttpClient client;

    EXPECT_EQ(client.get(serving.url("/exact")).size(), kLimit);
    for (const char* path : {"/over", "/over-chunked", "/cut"}) {
        EXPECT_EQ(client.get(serving.url(path)), "") << path;
        EXPECT_EQ(client.fetch(serving.url(path)), "") << path;
    }
}

TEST(HttpClientBehaviour, CallsFromSeveralThreadsAreIndependent) {
    httplib::Server server;
    server.Get(R"(/echo/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Set-Cookie", "last=" + request.matches[1].str());
        serveText(response, request.matches[1]);
    });
    const test::LoopbackServer serving(server);
    const HttpClient client;
    std::atomic<int> wrong{0};
    {
        std::vector<std::jthread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&, t] {
                for (int i = 0; i < 10; ++i) {
                    const std::string id = std::to_string(t * 100 + i);
                    const std::string url = serving.url("/echo/" + id);
                    if ((i % 2 == 0 ? client.get(url) : client.fetch(url)) != id) {
                        ++wrong;
                    }
                }
            });
        }
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace galewarden
