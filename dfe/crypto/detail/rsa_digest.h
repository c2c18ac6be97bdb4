#pragma once

#include "foundation/fiscal/ssl_dgst.h"

#include <openssl/evp.h>

#include <istream>
#include <string>
#include <string_view>

// Digests and RSA (PKCS #1 v1.5) signatures of a stream's bytes through the
// EVP interface of the linked OpenSSL library. The stream is read from its
// start in chunks of 32768 bytes.

namespace dfe::openssl {

// The library's name of a digest: "md2", "md4", "md5", "rmd160", "sha",
// "sha1", "sha256", "sha512"; empty for any other value.
std::string digestName(TSSLDgst digest);

// The raw digest of the stream, or, with a key, the raw RSA signature of it
// (its size is the key's). Raises EQuibDFeException "Erro ao carregar
// Digest: " + name when the library does not offer the digest, and
// EQuibDFeException with the library's reason when signing fails.
std::string digestOrSign(std::istream &stream, TSSLDgst digest, EVP_PKEY *signingKey);

// True when the raw digest of the stream occurs anywhere inside `expected`.
bool digestContained(std::istream &stream, TSSLDgst digest, std::string_view expected);

// True when `signature` is a good RSA signature of the stream under the
// public key.
bool signatureValid(std::istream &stream, TSSLDgst digest, std::string_view signature, EVP_PKEY *publicKey);

} // namespace dfe::openssl
