// The digest named by a signature's SignatureMethod algorithm.

#include <string>
#include <string_view>

#include "dfe/xmlsign/detail/signature_method.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/ssl_dgst.h"
#include "foundation/text/text_utils.h"

TSSLDgst digestOfSignatureMethod(std::string_view algorithm)
{
    constexpr std::string_view kXmlDsig = "http://www.w3.org/2000/09/xmldsig#";
    constexpr std::string_view kXmlDsigMore = "http://www.w3.org/2001/04/xmldsig-more#";
    std::string_view method;
    if (algorithm.starts_with(kXmlDsig))
        method = algorithm.substr(kXmlDsig.size());
    else if (algorithm.starts_with(kXmlDsigMore))
        method = algorithm.substr(kXmlDsigMore.size());
    const std::string name = lowerAscii(method);
    if (name.empty())
        throw EQuibDFeException("Não foi possivel recuperar o \"Digest Algorithm\" do XML");
    if (name == "rsa-sha1")
        return dgstSHA1;
    if (name == "rsa-sha256")
        return dgstSHA256;
    if (name == "rsa-sha512")
        return dgstSHA512;
    throw EQuibDFeException("Digest Algorithm, \"" + name + "\" não suportado");
}
