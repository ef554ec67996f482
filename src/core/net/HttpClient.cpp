#include "core/net/HttpClient.h"

#include <array>

#include "core/net/CookieShare.h"
#include "core/net/CurlTransfer.h"
#include "core/net/HttpText.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr std::string_view kRequestAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr std::string_view kFetchAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
std::string_view verbOf(HttpMethod method) {
    switch (method) {
        case HttpMethod::get:
            return "GET";
        case HttpMethod::post:
            return "POST";
        case HttpMethod::head:
            return "HEAD";
        case HttpMethod::put:
            return "PUT";
        case HttpMethod::options:
            return "OPTIONS";
        case HttpMethod::remove:
            return "DELETE";
        case HttpMethod::trace:
            return "TRACE";
        case HttpMethod::connect:
            return "CONNECT";
    }
    return "GET";
}

bool hasHeader(std::string_view headers, std::string_view name) {
    return containsText(headers, name, Case::Ignore);
}

// An agent taken from a header block never spans lines: it also goes into a proxy's CONNECT
// request, where a line break would start a header of its own.
std::string firstLine(std::string_view text) {
    return std::string(text.substr(0, text.find_first_of("\r\n")));
}

std::string userAgentOf(const std::string& headers) {
    if (!hasHeader(headers, "User-Agent:")) {
        return std::string(kRequestAgent);
    }
    std::string agent = trimText(textBetween(headers + "\r\n", "User-Agent:", "\r\n"));
    if (agent.empty()) {
        agent = trimText(std::string_view(headers).substr(headers.find(':') + 1));
    }
    return firstLine(agent);
}

void addDefaultHeaders(std::string& headers, HttpMethod method, const std::string& url) {
    if (headers.empty()) {
        headers = "Accept: */*";
    }
    if (!hasHeader(headers, "Accept:")) {
        headers += "\r\nAccept: */*";
    }
    if (!hasHeader(headers, "Referer:")) {
        headers += "\r\nReferer: " + url;
    }
    if (!hasHeader(headers, "Accept-Language:")) {
        headers += "\r\nAccept-Language: zh-cn";
    }
    if (method == HttpMethod::post && !hasHeader(headers, "Content-Type:")) {
        headers += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
}

void addCookieLine(std::string& headers, const std::optional<std::string>& cookies) {
    if (!cookies || cookies->empty()) {
        return;
    }
    headers += containsText(*cookies, "Cookie:") ? "\r\n" + *cookies : "\r\nCookie: " + *cookies;
}

// The URL as the connection sees it: scheme, host and port, then the object name.
std::string connectionUrl(const std::string& url, bool secure) {
    return std::string(secure ? "https://" : "http://") + hostOf(url) + ":" +
           std::to_string(portOf(url)) + pathOf(url);
}

std::string responseHeaderText(const TransferResult& result) {
    if (result.headers.empty()) {
        return std::string(HttpClient::kResponseHeaderBuffer, ' ');
    }
    return result.headers;
}

}  // namespace

struct HttpClient::Shared {
    CookieShare cookies;
};

HttpClient::HttpClient(HttpTimeouts timeouts)
    : timeouts_(timeouts), shared_(std::make_unique<Shared>()) {}

HttpClient::~HttpClient() = default;

HttpResponse HttpClient::request(const HttpRequestOptions& options) const {
    std::string headers = options.normaliseHeaders ? normaliseHeaderNames(options.extraHeaders)
                                                   : options.extraHeaders;
    const HttpMethod method = options.method;
    const bool secure = toLowerAscii(std::string_view(options.url).substr(0, 8)) == "https://";

    TransferSetup setup;
    setup.url = connectionUrl(options.url, secure);
    setup.userAgent = userAgentOf(headers);
    setup.proxy = options.proxy;
    setup.followRedirects = !options.noRedirect;
    setup.cookieStore = options.cookies ? nullptr : shared_->cookies.handle();
    setup.stop = options.stop;
    setup.timeouts = timeouts_;
    CurlTransfer transfer(setup);
    if (!transfer.ready()) {
        return {};
    }
    if (options.addDefaultHeaders) {
        addDefaultHeaders(headers, method, options.url);
    }
    addCookieLine(headers, options.cookies);
    std::string body = options.bodyBytes.empty() ? options.bodyText : options.bodyBytes;
    TransferResult result =
        transfer.send(verbOf(method), headers, method == HttpMethod::get ? nullptr : &body);

    HttpResponse response;
    response.headers = responseHeaderText(result);
    response.cookies = cookiesFromHeaders(response.headers);
    if (options.mergeResponseCookies && options.cookies) {
        response.cookies = mergeCookies(*options.cookies, response.cookies);
    }
    response.body = std::move(result.body);
    return response;
}

std::string HttpClient::get(std::string url, std::stop_token stop) const {
    return get(std::move(url), {}, std::move(stop));
}

std::string HttpClient::get(std::string url, const std::vector<std::string>& headerLines,
                            std::stop_token stop) const {
    HttpRequestOptions options;
    options.url = std::move(url);
    options.extraHeaders = joinText(headerLines, "\r\n");
    options.addDefaultHeaders = false;
    options.stop = std::move(stop);
    return request(options).body;
}

std::string HttpClient::fetch(std::string_view url, std::stop_token stop) const {
    TransferSetup setup;
    setup.url = url;
    setup.userAgent = kFetchAgent;
    setup.http10 = true;
    setup.cookieStore = shared_->cookies.handle();
    setup.stop = std::move(stop);
    setup.timeouts = timeouts_;
    CurlTransfer transfer(setup);
    return transfer.send("GET", "Accept: */*", nullptr).body;
}

}  // namespace galewarden
