#pragma once

#include <optional>
#include <stop_token>
#include <string>

namespace galewarden {

// The arguments of HttpClient::request. Every field but the URL is optional.
struct HttpRequestOptions {
    std::string url;  // already percent-encoded
    // 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE, 6 TRACE, 7 CONNECT; others mean GET.
    int method = 0;
    std::string bodyText;                // used only when bodyBytes is empty
    std::optional<std::string> cookies;  // given (even empty) switches off automatic cookies
    std::string extraHeaders;            // lines separated by "\r\n"
    bool noRedirect = false;
    std::string bodyBytes;  // in/out: for a method other than GET it receives bodyText
    std::string proxy;      // host:port
    bool mergeResponseCookies = true;
    bool addDefaultHeaders = true;
    bool normaliseHeaders = true;
    // Abandons the transfer once a stop is requested; the call then fails.
    std::stop_token stop;
};

}  // namespace galewarden
