#include "dfe/backends.h"

#include <mutex>

#include "dfe/crypto/dfe_capicom.h"
#include "dfe/crypto/dfe_openssl.h"
#include "dfe/crypto/dfe_wincrypt.h"
#include "dfe/http/dfe_http_indy.h"
#include "dfe/http/dfe_http_openssl.h"
#include "dfe/http/dfe_http_win_http.h"
#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"
#include "dfe/xmlsign/dfe_ssl_xml_sign_msxml.h"

void RegistraBackendsDFe()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // One line per back-end of this build.
        registerOpenSslCryptBackend();
        registerWinCryptBackend();
        registerCapicomBackend();
        registerLibXml2XmlSignBackend();
        registerMsXmlXmlSignBackends();
        registerOpenSslHttpBackend();
        registerWinHttpBackend();
        registerIndyHttpBackend();
    });
}
