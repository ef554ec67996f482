#pragma once

#include <openssl/evp.h>
#include <openssl/x509.h>

namespace galewarden::test {

// A fresh key and a certificate for 127.0.0.1 that signs itself, so that nobody trusts it.
class SelfSignedCertificate {
  public:
    SelfSignedCertificate();
    ~SelfSignedCertificate();
    SelfSignedCertificate(const SelfSignedCertificate&) = delete;
    SelfSignedCertificate& operator=(const SelfSignedCertificate&) = delete;

    X509* certificate() const { return certificate_; }
    EVP_PKEY* key() const { return key_; }

  private:
    EVP_PKEY* key_ = nullptr;
    X509* certificate_ = nullptr;
};

}  // namespace galewarden::test
