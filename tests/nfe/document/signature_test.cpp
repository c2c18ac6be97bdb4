#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/fiscal/dfe_util.h"
#include "nfe/document/signature.h"
#include "tests/support/sample_notes.h"
#include "tests/support/xml_checks.h"

namespace {

const std::string kUri = std::string("#NFe") + testsupport::kSampleKey;

const std::string kNaoAssinado =
    "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo>"
    "<CanonicalizationMethod Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/>"
    "<SignatureMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#rsa-sha1\"/>"
    "<Reference URI=\"\"><Transforms>"
    "<Transform Algorithm=\"http://www.w3.org/2000/09/xmldsig#enveloped-signature\"/>"
    "<Transform Algorithm=\"http://www.w3.org/TR/2001/REC-xml-c14n-20010315\"/></Transforms>"
    "<DigestMethod Algorithm=\"http://www.w3.org/2000/09/xmldsig#sha1\"/>"
    "<DigestValue></DigestValue></Reference></SignedInfo><SignatureValue></SignatureValue>"
    "<KeyInfo><X509Data><X509Certificate></X509Certificate></X509Data></KeyInfo></Signature>";

std::string textoBase64(std::size_t length)
{
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[(i * 7) % alphabet.size()];
    return text;
}

// The SignedInfo element of a canonical Signature document.
std::string signedInfoDe(const std::string &canonicalXml)
{
    const auto start = canonicalXml.find("<SignedInfo");
    const auto end = canonicalXml.find("</SignedInfo>");
    if (start == std::string::npos || end == std::string::npos)
        return "no SignedInfo in: " + canonicalXml;
    return canonicalXml.substr(start, end + 13 - start);
}

std::string substituiUmaVez(std::string text, const std::string &from, const std::string &to)
{
    const auto at = text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST(Signature, UnsignedBlockIsCompleteWithEmptyValues)
{
    TSignature signature;
    EXPECT_TRUE(signature.MontarXml());
    EXPECT_EQ(signature.Gerador.ArquivoFormatoXML, kNaoAssinado);
    EXPECT_TRUE(signature.Gerador.ListaDeAlertas.empty());

    // Each call starts from an empty output.
    EXPECT_TRUE(signature.MontarXml());
    EXPECT_EQ(signature.Gerador.ArquivoFormatoXML, kNaoAssinado);
}

TEST(Signature, SignedValuesAreWrittenUnchanged)
{
    TSignature signature;
    signature.URI = kUri;
    signature.DigestValue = textoBase64(28);
    signature.SignatureValue = textoBase64(344);
    signature.X509Certificate = textoBase64(999);
    EXPECT_TRUE(signature.MontarXml());

    std::string expected = substituiUmaVez(kNaoAssinado, "URI=\"\"", "URI=\"" + kUri + "\"");
    expected = substituiUmaVez(expected, "<DigestValue></DigestValue>",
                               "<DigestValue>" + textoBase64(28) + "</DigestValue>");
    expected = substituiUmaVez(expected, "<SignatureValue></SignatureValue>",
                               "<SignatureValue>" + textoBase64(344) + "</SignatureValue>");
    expected = substituiUmaVez(expected, "<X509Certificate></X509Certificate>",
                               "<X509Certificate>" + textoBase64(999) + "</X509Certificate>");
    EXPECT_EQ(signature.Gerador.ArquivoFormatoXML, expected);
}

TEST(Signature, OverlongCertificateIsWrittenWithOneAlert)
{
    TSignature signature;
    signature.X509Certificate = textoBase64(1500);
    EXPECT_FALSE(signature.MontarXml());
    ASSERT_EQ(signature.Gerador.ListaDeAlertas.size(), 1u);
    EXPECT_NE(signature.Gerador.ListaDeAlertas[0].find("XS21"), std::string::npos);
    EXPECT_NE(signature.Gerador.ListaDeAlertas[0].find("Tamanho maior que o máximo permitido"),
              std::string::npos);
    EXPECT_NE(signature.Gerador.ArquivoFormatoXML.find(textoBase64(1500)), std::string::npos);

    // The alert list is the caller's to clear: it keeps the next answer false.
    signature.X509Certificate = textoBase64(20);
    EXPECT_FALSE(signature.MontarXml());
    signature.Gerador.ListaDeAlertas.clear();
    EXPECT_TRUE(signature.MontarXml());
}

TEST(Signature, IndentedBlockHasOneElementPerLine)
{
    TSignature signature;
    signature.Gerador.Opcoes.IdentarXML = true;
    signature.URI = kUri;
    EXPECT_TRUE(signature.MontarXml());
    const std::string &xml = signature.Gerador.ArquivoFormatoXML;
    EXPECT_EQ(xml.find("<Signature xmlns"), 0u);
    EXPECT_EQ(xml.substr(xml.size() - 14), "</Signature>\r\n");
    // Every start tag, self-closing tag, field and end tag on a line of its
    // own, indented by the writer's depth rules: a self-closing tag deepens
    // like a start tag, and the listed tags step back one level first.
    const std::vector<int> expectedIndent = {0, 3, 6, 6, 6, 9, 12, 12, 9, 9, 12, 6, 3, 3, 3, 6, 9, 6, 3, 0};
    std::vector<int> indent;
    for (std::size_t start = 0, end; (end = xml.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = xml.substr(start, end - start);
        indent.push_back(static_cast<int>(line.find('<')));
    }
    EXPECT_EQ(indent, expectedIndent);
    if (testsupport::xmllintAvailable()) {
        EXPECT_EQ(testsupport::wellFormedProblem(xml), "");
    }
}

TEST(Signature, EveryBuildStartsFromACleanWriter)
{
    // Indented and not, a block written again from the same values is the
    // same block: the writer's depth and its path of open groups (which the
    // alerts quote) do not carry over from one build to the next.
    for (const bool indented : {false, true}) {
        TSignature signature;
        signature.Gerador.Opcoes.IdentarXML = indented;
        signature.URI = kUri;
        signature.X509Certificate = textoBase64(1000);
        EXPECT_FALSE(signature.MontarXml());
        const std::string first = signature.Gerador.ArquivoFormatoXML;
        const std::vector<std::string> firstAlerts = signature.Gerador.ListaDeAlertas;
        for (int build = 2; build <= 3; ++build) {
            signature.Gerador.ListaDeAlertas.clear();
            EXPECT_FALSE(signature.MontarXml());
            EXPECT_EQ(signature.Gerador.ArquivoFormatoXML, first)
                << "indented " << indented << ", build " << build;
            EXPECT_EQ(signature.Gerador.ListaDeAlertas, firstAlerts) << "indented " << indented;
        }
        EXPECT_EQ(signature.Gerador.Opcoes.ProfundidadeAtual, 0);
    }
}

TEST(Signature, SignedInfoCanonicalisesLikeTheSigningTemplate)
{
    if (!testsupport::xmllintAvailable())
        GTEST_SKIP() << "xmllint not installed";

    struct Caso {
        std::string uri;
        std::string digest;
    };
    const Caso cases[] = {{"", ""}, {kUri, textoBase64(28)}};
    for (const Caso &c : cases) {
        TSignature signature;
        signature.URI = c.uri;
        signature.DigestValue = c.digest;
        signature.SignatureValue = textoBase64(344);
        ASSERT_TRUE(signature.MontarXml());

        // The template takes the Id without "#" and leaves the values empty
        // for the signer; put the same digest where the signer would.
        const std::string id = c.uri.empty() ? "" : c.uri.substr(1);
        std::string model = ModeloAssinaturaXML(id, true, "", dgstSHA1);
        model = substituiUmaVez(model, "<DigestValue></DigestValue>",
                                "<DigestValue>" + c.digest + "</DigestValue>");

        const std::string ours = signedInfoDe(testsupport::canonicalXml(signature.Gerador.ArquivoFormatoXML));
        const std::string theirs = signedInfoDe(testsupport::canonicalXml(model));
        EXPECT_EQ(ours, theirs) << "uri " << c.uri;
    }
}

TEST(Signature, AssignCopiesTheValuesAndKeepsTheOwnWriter)
{
    TSignature source;
    source.URI = kUri;
    source.DigestValue = "ZGlnZXN0";
    source.SignatureValue = "c2lnbmF0dXJl";
    source.X509Certificate = "Y2VydA==";
    source.Gerador.ArquivoFormatoXML = "source output";

    TSignature target;
    target.Gerador.Opcoes.IdentarXML = true;
    target.Gerador.ArquivoFormatoXML = "target output";
    target.Assign(source);
    EXPECT_EQ(target.URI, source.URI);
    EXPECT_EQ(target.DigestValue, source.DigestValue);
    EXPECT_EQ(target.SignatureValue, source.SignatureValue);
    EXPECT_EQ(target.X509Certificate, source.X509Certificate);
    EXPECT_TRUE(target.Gerador.Opcoes.IdentarXML);
    EXPECT_EQ(target.Gerador.ArquivoFormatoXML, "target output");
}

} // namespace
