#pragma once

#include <curl/curl.h>

#include <array>
#include <mutex>

namespace galewarden {

// A cookie store that the transfers of one client share, as a browser's would be. Transfers
// may run on several threads at once; the store locks itself.
class CookieShare {
  public:
    CookieShare();
    ~CookieShare();
    CookieShare(const CookieShare&) = delete;
    CookieShare& operator=(const CookieShare&) = delete;

    // Null when libcurl could not create the share; transfers then keep cookies to themselves.
    CURLSH* handle() const { return share_; }

  private:
    static void lock(CURL* easy, curl_lock_data data, curl_lock_access access, void* self);
    static void unlock(CURL* easy, curl_lock_data data, void* self);

    CURLSH* share_ = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks_;
};

}  // namespace galewarden
