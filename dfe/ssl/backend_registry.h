#pragma once

#include <functional>
#include <memory>

#include "dfe/ssl/dfe_ssl_crypt_class.h"
#include "dfe/ssl/dfe_ssl_http_class.h"
#include "dfe/ssl/dfe_ssl_xml_sign_class.h"
#include "dfe/ssl/ssl_types.h"

class TDFeSSL;

// Which back-end class the facade creates for each library choice. Filled by
// explicit calls at start-up (RegistraBackendsDFe, dfe/backends.h); a choice
// without a registered factory creates the base class of its family.
// Registering again replaces the factory; a null factory removes it.
// Thread-safe.

using CryptBackendFactory = std::function<std::unique_ptr<TDFeSSLCryptClass>(TDFeSSL &)>;
using HttpBackendFactory = std::function<std::unique_ptr<TDFeSSLHttpClass>(TDFeSSL &)>;
using XmlSignBackendFactory = std::function<std::unique_ptr<TDFeSSLXmlSignClass>(TDFeSSL &)>;

void registerCryptBackend(TSSLCryptLib lib, CryptBackendFactory factory);
void registerHttpBackend(TSSLHttpLib lib, HttpBackendFactory factory);
void registerXmlSignBackend(TSSLXmlSignLib lib, XmlSignBackendFactory factory);

// The registered factory; null when none.
CryptBackendFactory cryptBackendFactory(TSSLCryptLib lib);
HttpBackendFactory httpBackendFactory(TSSLHttpLib lib);
XmlSignBackendFactory xmlSignBackendFactory(TSSLXmlSignLib lib);

// A new back-end for the choice (the base class when none is registered).
std::unique_ptr<TDFeSSLCryptClass> createCryptBackend(TSSLCryptLib lib, TDFeSSL &ssl);
std::unique_ptr<TDFeSSLHttpClass> createHttpBackend(TSSLHttpLib lib, TDFeSSL &ssl);
std::unique_ptr<TDFeSSLXmlSignClass> createXmlSignBackend(TSSLXmlSignLib lib, TDFeSSL &ssl);
