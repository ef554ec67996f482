#include "SelfSignedCertificate.h"

#include <openssl/x509v3.h>

#include <stdexcept>

namespace galewarden::test {
namespace {

bool addAddressName(X509* certificate) {
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION* extension =
        X509V3_EXT_conf_nid(nullptr, &context, NID_subject_alt_name, "IP:127.0.0.1");
    const bool added = extension != nullptr && X509_add_ext(certificate, extension, -1) == 1;
    X509_EXTENSION_free(extension);
    return added;
}

bool fill(X509* certificate, EVP_PKEY* key) {
    X509_NAME* name = X509_get_subject_name(certificate);
    const auto* commonName = reinterpret_cast<const unsigned char*>("127.0.0.1");
    return X509_set_version(certificate, 2) == 1 &&
           ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1) == 1 &&
           X509_gmtime_adj(X509_getm_notBefore(certificate), -3600) != nullptr &&
           X509_gmtime_adj(X509_getm_notAfter(certificate), 24 * 3600) != nullptr &&
           X509_set_pubkey(certificate, key) == 1 &&
           X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, commonName, -1, -1, 0) == 1 &&
           X509_set_issuer_name(certificate, name) == 1 && addAddressName(certificate) &&
           X509_sign(certificate, key, EVP_sha256()) > 0;
}

// EVP_EC_gen's expansion casts the curve's name to char*; its function takes a writable name.
EVP_PKEY* newEcKey() {
    char curve[] = "P-256";
    return EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", curve);
}

}  // namespace

SelfSignedCertificate::SelfSignedCertificate() : key_(newEcKey()), certificate_(X509_new()) {
    if (key_ == nullptr || certificate_ == nullptr || !fill(certificate_, key_)) {
        X509_free(certificate_);
        EVP_PKEY_free(key_);
        throw std::runtime_error("cannot make a test certificate");
    }
}

SelfSignedCertificate::~SelfSignedCertificate() {
    X509_free(certificate_);
    EVP_PKEY_free(key_);
}

}  // namespace galewarden::test
