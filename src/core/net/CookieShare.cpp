#include "core/net/CookieShare.h"

#include "core/net/CurlLibrary.h"

namespace galewarden {

CookieShare::CookieShare() {
    initialiseCurl();
    share_ = curl_share_init();
    if (share_ == nullptr) {
        return;
    }
    const bool configured =
        curl_share_setopt(share_, CURLSHOPT_LOCKFUNC, &CookieShare::lock) == CURLSHE_OK &&
        curl_share_setopt(share_, CURLSHOPT_UNLOCKFUNC, &CookieShare::unlock) == CURLSHE_OK &&
        curl_share_setopt(share_, CURLSHOPT_USERDATA, this) == CURLSHE_OK &&
        curl_share_setopt(share_, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE) == CURLSHE_OK;
    if (!configured) {
        curl_share_cleanup(share_);
        share_ = nullptr;
    }
}

CookieShare::~CookieShare() {
    if (share_ != nullptr) {
        curl_share_cleanup(share_);
    }
}

void CookieShare::lock(CURL*, curl_lock_data data, curl_lock_access, void* self) {
    static_cast<CookieShare*>(self)->locks_[static_cast<std::size_t>(data)].lock();
}

void CookieShare::unlock(CURL*, curl_lock_data data, void* self) {
    static_cast<CookieShare*>(self)->locks_[static_cast<std::size_t>(data)].unlock();
}

}  // namespace galewarden
