#pragma once

#include <string>

#include "dfe/ssl/tls_credential.h"
#include "foundation/net/http_send.h"

// A TlsContextSetup for HttpSend that installs the credential (certificate,
// key, chain) into each connection's OpenSSL context; it keeps its own
// reference to the credential. Its answer is empty when installed, else the
// reason in the system's words. Implemented in install_tls_credential.cpp.
TlsContextSetup installTlsCredential(TlsCredentialPtr credential);
