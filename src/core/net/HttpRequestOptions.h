#pragma once

#include <optional>
#include <stop_token>
#include <string>

namespace galewarden {

enum class HttpMethod { get, post, head, put, options, remove /* DELETE */, trace, connect };

// The arguments of HttpClient::request. Every field but the URL is optional.
struct HttpRequestOptions {
    std::string url;  // already percent-encoded
    HttpMethod method = HttpMethod::get;
    std::string bodyText;                // sent when bodyBytes is empty
    std::optional<std::string> cookies;  // given (even empty) switches off automatic cookies
    std::string extraHeaders;            // lines separated by "\r\n"
    bool noRedirect = false;
    std::string bodyBytes;  // the body of a method other than GET
    std::string proxy;      // host:port
    bool mergeResponseCookies = true;
    bool addDefaultHeaders = true;
    bool normaliseHeaders = true;
    // Abandons the transfer once a stop is requested; the call then fails.
    std::stop_token stop;
};

// What HttpClient::request brings back.
struct HttpResponse {
    std::string body;     // empty when no connection could be made or nothing arrived
    std::string headers;  // the final response's raw header block
    std::string cookies;  // the name=value pairs it set, merged with the given ones on request
};

}  // namespace galewarden
