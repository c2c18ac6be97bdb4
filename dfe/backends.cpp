#include "dfe/backends.h"

#include <mutex>

#include "dfe/xmlsign/dfe_ssl_xml_sign_libxml2.h"

void RegistraBackendsDFe()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // One line per back-end of this build.
        registerLibXml2XmlSignBackend();
    });
}
