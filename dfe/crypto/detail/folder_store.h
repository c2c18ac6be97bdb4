#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/ssl/ssl_types.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The folder certificate store that stands in for the platform's certificate
// stores: one folder per store name, and in it one pair of files per
// certificate, "<serial>.crt" (the certificate, PEM) and "<serial>.key" (its
// unencrypted PKCS#8 key, PEM), both 0600 in a 0700 folder. Implemented in
// folder_store.cpp.

namespace dfe::store {

// Raised when a store folder exists but cannot be read; the caller turns it
// into its own message.
class StoreOpenError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// "/var/lib/nfe-console/certstore/<StoreName>/" for slLocalMachine, the
// user's "<data folder>/certstore/<StoreName>/" for every other location.
std::string storeFolder(TSSLStoreLocation location, std::string_view storeName);

struct StoredCertificate {
    openssl::CertificatePtr certificate;
    std::string serial;  // upper-case hexadecimal, as TDadosCertificado shows it
    std::string keyPath; // empty when the entry has no key file
};

// The store's certificates in file-name order. A missing folder is an empty
// store; an unreadable one raises StoreOpenError. Files that do not read as
// certificates are skipped.
std::vector<StoredCertificate> readStore(const std::string &folder);

// The entry's private key; null when it has none or it does not read.
openssl::KeyPtr readStoredKey(const StoredCertificate &entry);

// True when the serial asked for names the stored one, with or without the
// leading "00" sign byte that serials saved on Windows may carry; blanks and
// letter case are ignored.
bool sameSerial(std::string_view stored, std::string_view wanted);

// Writes the certificate and its key into the folder (created 0700 when
// missing), replacing an entry of the same serial. Each file is written under
// a temporary name and renamed, so a failure leaves the store as it was.
// Raises std::runtime_error with the system's reason.
void addToStore(const std::string &folder, X509 *certificate, EVP_PKEY *key);

// Removes the entry of that serial; false when the store holds none.
bool removeFromStore(const std::string &folder, std::string_view serial);

} // namespace dfe::store
