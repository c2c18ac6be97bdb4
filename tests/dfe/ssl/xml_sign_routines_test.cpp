#include <gtest/gtest.h>

#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/dfe_util.h"

namespace {

TEST(InserirTemplateAssinatura, PutsTheTemplateBeforeTheLastEndTag)
{
    TDFeSSL ssl;
    ssl.SSLDgst = dgstSHA256;
    TDFeSSLXmlSignClass sign(ssl);
    const std::string xml = "<NFe><infNFe Id=\"NFe123\"><x/></infNFe></NFe>";
    EXPECT_EQ(sign.InserirTemplateAssinatura(xml, true, "NFe", "", ""),
              "<NFe><infNFe Id=\"NFe123\"><x/></infNFe>" +
                  ModeloAssinaturaXML("NFe123", true, "", dgstSHA256) + "</NFe>");
    EXPECT_EQ(sign.InserirTemplateAssinatura("<a chave=\"k1\"></a>", false, "a", " Id=\"S\"", "chave"),
              "<a chave=\"k1\">" + ModeloAssinaturaXML("k1", false, " Id=\"S\"", dgstSHA256) + "</a>");
    try {
        sign.InserirTemplateAssinatura(xml, true, "evento", "", "");
        FAIL();
    } catch (const EQuibDFeException &e) {
        EXPECT_STREQ(e.what(), "Não encontrei final do elemento: </evento>");
    }
}

TEST(AcertarXMLAssinado, TidiesTheSignedDocument)
{
    struct Case {
        const char *name;
        const char *input;
        const char *certificate;
        const char *output;
    };
    // clang-format off
    const Case cases[] = {
        {"three certificates, none given",
         "<?xml version=\"1.0\"?>\r\n<a><SignatureValue>AB CD</SignatureValue><KeyInfo><X509Data><X509Certificate>1</X509Certificate>\n<X509Certificate>2</X509Certificate><X509Certificate>3</X509Certificate></X509Data></KeyInfo></a>",
         "",
         "<a><SignatureValue>ABCD</SignatureValue><KeyInfo><X509Data><X509Certificate>3</X509Certificate></X509Data></KeyInfo></a>"},
        {"certificate replaces the X509Data content",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a><SignatureValue>AB</SignatureValue><KeyInfo><X509Data><X509Certificate>old</X509Certificate></X509Data></KeyInfo></a>",
         "NEW",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?><a><SignatureValue>AB</SignatureValue><KeyInfo><X509Data><X509Certificate>NEW</X509Certificate></X509Data></KeyInfo></a>"},
        {"certificate fills an empty KeyInfo",
         "<a><SignatureValue>A B</SignatureValue><KeyInfo> </KeyInfo></a>",
         "NEW",
         "<a><SignatureValue>AB</SignatureValue><KeyInfo><X509Data><X509Certificate>NEW</X509Certificate></X509Data></KeyInfo></a>"},
        {"no signature value: only line breaks go",
         "<a>\r\n <b/>\n</a>", "", "<a> <b/></a>"},
    };
    // clang-format on
    for (const auto &c : cases)
        EXPECT_EQ(TDFeSSLXmlSignClass::AcertarXMLAssinado(c.input, c.certificate), c.output) << c.name;
}

TEST(DigestDoSignatureMethod, ReadsTheAlgorithm)
{
    const auto metodo = [](std::string_view algorithm) {
        return "<Signature><SignedInfo><SignatureMethod Algorithm=\"" + std::string(algorithm) +
               "\"/></SignedInfo></Signature>";
    };
    EXPECT_EQ(
        TDFeSSLXmlSignClass::DigestDoSignatureMethod(metodo("http://www.w3.org/2000/09/xmldsig#rsa-sha1")),
        dgstSHA1);
    EXPECT_EQ(TDFeSSLXmlSignClass::DigestDoSignatureMethod(
                  metodo("http://www.w3.org/2001/04/xmldsig-more#RSA-SHA256")),
              dgstSHA256);
    EXPECT_EQ(TDFeSSLXmlSignClass::DigestDoSignatureMethod(
                  metodo("http://www.w3.org/2001/04/xmldsig-more#rsa-sha512")),
              dgstSHA512);
    const auto error = [](const std::string &xml) {
        try {
            TDFeSSLXmlSignClass::DigestDoSignatureMethod(xml);
        } catch (const EQuibDFeException &e) {
            return std::string(e.what());
        }
        return std::string("(no exception)");
    };
    EXPECT_EQ(error(metodo("http://www.w3.org/2000/09/xmldsig#dsa-sha1")),
              "Digest Algorithm, \"dsa-sha1\" não suportado");
    EXPECT_EQ(error("<Signature/>"), "Não foi possivel recuperar o \"Digest Algorithm\" do XML");
}

} // namespace
