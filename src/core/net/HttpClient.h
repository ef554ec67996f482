#pragma once

#include <chrono>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "core/net/HttpRequestOptions.h"

namespace galewarden {

struct HttpTimeouts {
    std::chrono::milliseconds connect{60'000};
    // A transfer that receives nothing for this long fails.
    std::chrono::milliseconds stall{30'000};
    // A transfer still running this long after it began fails, however steadily bytes arrive.
    std::chrono::milliseconds total{120'000};
};

// HTTP and HTTPS access. Certificates are verified; an answer beyond 32 MiB is abandoned.
// Safe to call from several threads at once. Failures come back as an empty body.
class HttpClient {
  public:
    static constexpr std::size_t kMaxBodyBytes = 32u << 20;
    static constexpr std::size_t kResponseHeaderBuffer = 5000;  // terminating NUL included

    explicit HttpClient(HttpTimeouts timeouts = {});
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // The general request routine.
    HttpResponse request(const HttpRequestOptions& options) const;

    // What the program's own callers send: a GET of the URL without default headers, with
    // the given header lines ("Name: value") only.
    std::string get(std::string url, std::stop_token stop = {}) const;
    std::string get(std::string url, const std::vector<std::string>& headerLines,
                    std::stop_token stop = {}) const;

    // A plain HTTP/1.0 download of one URL; every byte received, whatever the status.
    std::string fetch(std::string_view url, std::stop_token stop = {}) const;

  private:
    struct Shared;  // the automatic cookie store, shared by every transfer of this client
    HttpTimeouts timeouts_;
    std::unique_ptr<Shared> shared_;
};

}  // namespace galewarden
