#pragma once

#include <string_view>

#include "foundation/fiscal/ssl_dgst.h"

// The digest of an XML-DSig or RFC 4051 RSA signature-method identifier
// (rsa-sha1, rsa-sha256, rsa-sha512, in any letter case). Raises
// EQuibDFeException for an empty or another method. Implemented in
// signature_method.cpp.
TSSLDgst digestOfSignatureMethod(std::string_view algorithm);
