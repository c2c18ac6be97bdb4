#pragma once

#include <string>

// Shared pieces of the store back-end tests: a private user data folder for
// the folder store, and a SoftHSM2 token registered with p11-kit for this
// test program, holding the test PKI's "ecnpjPrintable" certificate and key.
namespace storetest {

// Points XDG_DATA_HOME at a fresh folder (for the life of the program) and
// empties the user's "My" store.
void freshUserStore();

// Made once per program before any token is read: SOFTHSM2_CONF names a
// private token folder, HOME a folder whose p11-kit module file names
// SoftHSM2. The token's PIN is kTokenPin.
struct SoftToken {
    std::string serial; // NumeroSerie of the certificate on the token
};
const SoftToken &softToken();
inline constexpr const char *kTokenPin = "4321";

// Empty when xmlsec1 accepts the signature (test root trusted, intermediate
// given), otherwise its report.
std::string xmlsecRejects(const std::string &signedXml);

// A small NF-e of tests/dfe/data.
std::string sampleNFe();

} // namespace storetest
