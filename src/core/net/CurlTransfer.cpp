#include "core/net/CurlTransfer.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "core/net/CurlLibrary.h"
#include "core/text/TextPieces.h"
#include "core/text/TextSearch.h"

namespace galewarden {
namespace {

constexpr long kMaxRedirects = 20;
constexpr std::size_t kHeaderLimit = HttpClient::kResponseHeaderBuffer - 1;

// Headers libcurl would add on its own initiative; an empty "Name:" entry suppresses one.
constexpr std::string_view kUnwantedDefaults[] = {"Accept", "Content-Type", "Expect"};

class OptionSetter {
  public:
    explicit OptionSetter(CURL* easy) : easy_(easy) {}

    template <typename Value>
    OptionSetter& operator()(CURLoption option, Value value) {
        ok_ = ok_ && curl_easy_setopt(easy_, option, value) == CURLE_OK;
        return *this;
    }

    bool ok() const { return ok_; }

  private:
    CURL* easy_;
    bool ok_ = true;
};

std::string headerName(std::string_view line) {
    return toLowerAscii(trimText(line.substr(0, line.find(':'))));
}

// libcurl reads "Name:" as "leave this header out"; "Name;" sends it with an empty value.
std::string curlHeaderEntry(const std::string& line) {
    const auto colon = line.find(':');
    if (trimText(std::string_view(line).substr(colon + 1)).empty()) {
        return line.substr(0, colon) + ";";
    }
    return line;
}

std::vector<std::string> curlHeaderEntries(std::string_view headerBlock) {
    std::vector<std::string> entries;
    std::vector<std::string> names;
    for (const std::string& line : splitText(headerBlock, "\r\n")) {
        if (line.find(':') != std::string::npos) {
            entries.push_back(curlHeaderEntry(line));
            names.push_back(headerName(line));
        }
    }
    for (std::string_view unwanted : kUnwantedDefaults) {
        if (std::find(names.begin(), names.end(), toLowerAscii(unwanted)) == names.end()) {
            entries.push_back(std::string(unwanted) + ":");
        }
    }
    return entries;
}

// libcurl reads 0 as "no limit"; every limit given here is meant to bite.
long curlMilliseconds(std::chrono::milliseconds limit) {
    constexpr long long kLongest = std::numeric_limits<long>::max();
    return static_cast<long>(std::clamp<long long>(limit.count(), 1, kLongest));
}

long stallSeconds(std::chrono::milliseconds stall) {
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(stall).count();
    return static_cast<long>(std::max<decltype(seconds)>(seconds, 1));
}

}  // namespace

struct CurlTransfer::Handles {
    CURL* easy = nullptr;
    CURLU* url = nullptr;
    curl_slist* headers = nullptr;

    ~Handles() {
        curl_easy_cleanup(easy);
        curl_url_cleanup(url);
        curl_slist_free_all(headers);
    }
};

struct CurlTransfer::Reception {
    std::stop_token stop;
    std::string body;
    std::string headers;
    bool headersComplete = false;
    bool headersTooLong = false;

    static std::size_t onBody(char* data, std::size_t size, std::size_t count, void* self) {
        auto& reception = *static_cast<Reception*>(self);
        const std::size_t length = size * count;
        if (reception.body.size() + length > HttpClient::kMaxBodyBytes) {
            return 0;  // libcurl fails the transfer
        }
        reception.body.append(data, length);
        return length;
    }

    // Every response of the exchange (interim answers, redirects) starts a new block; lines
    // after a complete block are trailers and not part of it.
    static std::size_t onHeader(char* data, std::size_t size, std::size_t count, void* self) {
        auto& reception = *static_cast<Reception*>(self);
        const std::string_view line(data, size * count);
        if (startsWith(line, "HTTP/")) {
            reception.headers.clear();
            reception.headersComplete = false;
            reception.headersTooLong = false;
        } else if (reception.headersComplete) {
            return line.size();
        }
        if (reception.headers.size() + line.size() > kHeaderLimit) {
            reception.headersTooLong = true;
        } else {
            reception.headers.append(line);
        }
        reception.headersComplete = line == "\r\n" || line == "\n";
        return line.size();
    }

    static int onProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
        return static_cast<Reception*>(self)->stop.stop_requested() ? 1 : 0;
    }
};

CurlTransfer::CurlTransfer(const TransferSetup& setup)
    : handles_(std::make_unique<Handles>()), reception_(std::make_unique<Reception>()) {
    initialiseCurl();
    reception_->stop = setup.stop;
    ready_ = configure(setup);
}

CurlTransfer::~CurlTransfer() = default;

bool CurlTransfer::configure(const TransferSetup& setup) {
    Handles& h = *handles_;
    h.easy = curl_easy_init();
    h.url = curl_url();
    if (h.easy == nullptr || h.url == nullptr ||
        curl_url_set(h.url, CURLUPART_URL, setup.url.c_str(), CURLU_PATH_AS_IS) != CURLUE_OK) {
        return false;
    }
    OptionSetter set(h.easy);
    set(CURLOPT_CURLU, h.url)(CURLOPT_PATH_AS_IS, 1L)(CURLOPT_NOSIGNAL, 1L);
    set(CURLOPT_PROTOCOLS_STR, "http,https")(CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    set(CURLOPT_FOLLOWLOCATION, setup.followRedirects ? 1L : 0L)(CURLOPT_MAXREDIRS, kMaxRedirects);
    set(CURLOPT_HTTP_VERSION,
        static_cast<long>(setup.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1));
    set(CURLOPT_USERAGENT, setup.userAgent.c_str())(CURLOPT_PROXY, setup.proxy.c_str());
    set(CURLOPT_SSL_VERIFYPEER, 1L)(CURLOPT_SSL_VERIFYHOST, 2L);
    set(CURLOPT_CONNECTTIMEOUT_MS, curlMilliseconds(setup.timeouts.connect));
    set(CURLOPT_TIMEOUT_MS, curlMilliseconds(setup.timeouts.total));
    set(CURLOPT_LOW_SPEED_LIMIT, 1L)(CURLOPT_LOW_SPEED_TIME, stallSeconds(setup.timeouts.stall));
    set(CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(HttpClient::kMaxBodyBytes));
    set(CURLOPT_WRITEFUNCTION, &Reception::onBody)(CURLOPT_WRITEDATA, reception_.get());
    set(CURLOPT_HEADERFUNCTION, &Reception::onHeader)(CURLOPT_HEADERDATA, reception_.get());
    set(CURLOPT_XFERINFOFUNCTION, &Reception::onProgress)(CURLOPT_XFERINFODATA, reception_.get());
    set(CURLOPT_NOPROGRESS, 0L);
    if (setup.cookieStore != nullptr) {
        set(CURLOPT_SHARE, setup.cookieStore)(CURLOPT_COOKIEFILE, "");
    }
    return set.ok();
}

TransferResult CurlTransfer::send(std::string_view verb, std::string_view headerBlock,
                                  const std::string* body) {
    TransferResult result;
    if (!ready_) {
        return result;
    }
    Handles& h = *handles_;
    for (const std::string& entry : curlHeaderEntries(headerBlock)) {
        curl_slist* extended = curl_slist_append(h.headers, entry.c_str());
        if (extended == nullptr) {
            return result;
        }
        h.headers = extended;
    }
    const std::string verbText(verb);
    OptionSetter set(h.easy);
    set(CURLOPT_HTTPHEADER, h.headers);
    if (verb == "GET") {
        set(CURLOPT_HTTPGET, 1L);
    } else if (verb == "HEAD") {
        set(CURLOPT_NOBODY, 1L);
    } else {
        const std::string_view bytes = body != nullptr ? std::string_view(*body) : "";
        if (verb != "POST") {
            set(CURLOPT_CUSTOMREQUEST, verbText.c_str());
        }
        set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
        set(CURLOPT_POSTFIELDS, bytes.data());
    }
    if (!set.ok()) {
        return result;
    }
    result.succeeded = curl_easy_perform(h.easy) == CURLE_OK;
    Reception& r = *reception_;
    if (result.succeeded) {
        result.body = std::move(r.body);
    }
    if (r.headersComplete && !r.headersTooLong) {
        result.headers = std::move(r.headers);
    }
    return result;
}

}  // namespace galewarden
