#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"

#include <functional>
#include <string>
#include <vector>

// Hardware tokens (A3 certificates): the PKCS#11 modules registered with
// p11-kit, reached through its proxy module with libp11. Only tokens that ask
// for a login are read (the trust-anchor token of p11-kit is not a user's
// certificate store). Tokens are read once per process, at the first listing.
// Implemented in token_store.cpp. All functions are thread-safe.

namespace dfe::token {

struct TokenCertificate {
    openssl::CertificatePtr certificate; // a copy, owned by the entry
    std::string serial;                  // upper-case hexadecimal
    int token = -1;                      // which token of the process's list
};

// The certificates of every login token; empty when p11-kit or its modules
// are missing.
std::vector<TokenCertificate> listTokenCertificates();

// The PKCS#11 return value of the user login with that PIN (0 when logged in;
// a token already logged in answers 0 without asking again).
unsigned long loginToken(const TokenCertificate &entry, const std::string &pin);

// Ends the user's session on the token; errors are ignored.
void logoutToken(const TokenCertificate &entry);

// The key that matches the certificate, usable with the EVP interface for
// signing and TLS while the process lives; null when the token does not show
// it (not logged in).
openssl::KeyPtr tokenPrivateKey(const TokenCertificate &entry);

// Replaces the login step (tests of PIN states a software token cannot
// reach); an empty function restores the real login.
using LoginFunction = std::function<unsigned long(const TokenCertificate &, const std::string &)>;
void setLoginFunctionForTests(LoginFunction login);

} // namespace dfe::token
