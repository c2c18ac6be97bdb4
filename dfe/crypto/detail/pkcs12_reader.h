#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"

#include <string>
#include <string_view>

// Opening PKCS#12 (PFX) data with the linked OpenSSL library.

namespace dfe::openssl {

struct Pkcs12Contents {
    KeyPtr key;                      // may be empty when the file holds none
    CertificatePtr certificate;      // the certificate matching the key
    CertificateStackPtr authorities; // the other certificates of the file (may be empty)
};

// Decodes the PFX bytes and opens them with the password. False (and the
// library's error queue emptied) when the data is not PKCS#12, the password
// is wrong or the file holds no certificate; `contents` is then left empty.
bool readPkcs12(std::string_view pfx, const std::string &password, Pkcs12Contents &contents);

} // namespace dfe::openssl
