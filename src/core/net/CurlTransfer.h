#pragma once

#include <curl/curl.h>

#include <memory>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/net/HttpClient.h"

namespace galewarden {

// How one exchange reaches its server.
struct TransferSetup {
    std::string url;
    std::string userAgent;
    std::string proxy;  // empty: direct, whatever the environment says
    bool http10 = false;
    bool followRedirects = true;
    CURLSH* cookieStore = nullptr;  // null: no automatic cookies
    std::stop_token stop;
    HttpTimeouts timeouts;
};

struct TransferResult {
    bool succeeded = false;
    std::string body;  // empty unless the whole answer arrived
    // The raw header block of the final response; empty when none arrived whole or it
    // outgrew HttpClient::kResponseHeaderBuffer.
    std::string headers;
};

// One HTTP exchange on its own libcurl handle. The request carries exactly the given header
// block besides Host, User-Agent and Content-Length.
class CurlTransfer {
  public:
    explicit CurlTransfer(const TransferSetup& setup);
    ~CurlTransfer();
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;

    // False when no handle could be made or the URL is unusable; nothing was sent then.
    bool ready() const { return ready_; }

    // `verb` GET and HEAD send no body; any other sends `body` (empty when null).
    TransferResult send(std::string_view verb, std::string_view headerBlock,
                        const std::string* body);

  private:
    struct Handles;
    struct Reception;

    bool configure(const TransferSetup& setup);

    std::unique_ptr<Handles> handles_;
    std::unique_ptr<Reception> reception_;
    bool ready_ = false;
};

}  // namespace galewarden
