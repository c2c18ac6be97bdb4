#include "dfe/xmlsign/xmldsig_libxml2.h"

#include <gtest/gtest.h>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/dfe_util.h"
#include "tests/dfe/xmlsign/signing_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/xml_checks.h"

namespace {

using xmlsigntest::elementText;
using xmlsigntest::PemKeyCrypto;
using xmlsigntest::sample;
using xmlsigntest::xmlsecRejects;

std::size_t occurrences(const std::string &text, std::string_view what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class XmlSigner : public testing::Test {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("openssl"))
            GTEST_SKIP() << "xmlsec1 ou openssl ausente";
    }
    std::string sign(std::string_view xml, std::string_view docElement, std::string_view infElement,
                     TSSLDgst digest = dgstSHA1)
    {
        return signXml({xml, docElement, infElement, "", "", digest}, crypto);
    }
    PemKeyCrypto crypto;
};

struct SignCase {
    const char *file;
    const char *docElement;
    const char *infElement;
    TSSLDgst digest;
    const char *methodSuffix;
};

class XmlSignerDocuments : public XmlSigner, public testing::WithParamInterface<SignCase> {};

// clang-format off
const SignCase kSignCases[] = {
    {"nfe_400.xml",             "NFe",     "infNFe",    dgstSHA1,   "xmldsig#rsa-sha1"},
    {"nfe_400.xml",             "NFe",     "infNFe",    dgstSHA256, "xmldsig-more#rsa-sha256"},
    {"nfe_400.xml",             "NFe",     "infNFe",    dgstSHA512, "xmldsig-more#rsa-sha512"},
    {"nfce_400.xml",            "NFe",     "infNFe",    dgstSHA1,   "xmldsig#rsa-sha1"},
    {"nfce_400.xml",            "NFe",     "infNFe",    dgstSHA256, "xmldsig-more#rsa-sha256"},
    {"evento_cancelamento.xml", "evento",  "infEvento", dgstSHA1,   "xmldsig#rsa-sha1"},
    {"evento_cancelamento.xml", "evento",  "infEvento", dgstSHA512, "xmldsig-more#rsa-sha512"},
    {"inutilizacao.xml",        "inutNFe", "infInut",   dgstSHA1,   "xmldsig#rsa-sha1"},
    {"inutilizacao.xml",        "inutNFe", "infInut",   dgstSHA256, "xmldsig-more#rsa-sha256"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, XmlSignerDocuments, testing::ValuesIn(kSignCases));

TEST_P(XmlSignerDocuments, SignatureVerifiesWithXmlsec)
{
    const SignCase &c = GetParam();
    const std::string original = sample(c.file);
    const std::string assinado = sign(original, c.docElement, c.infElement, c.digest);

    EXPECT_EQ(xmlsecRejects(assinado, c.infElement), "") << assinado;
    EXPECT_EQ(occurrences(assinado, "<Signature "), 1u);
    EXPECT_NE(assinado.find(c.methodSuffix), std::string::npos);
    const std::string id = ValorIdParaAssinatura(original, c.docElement, "");
    EXPECT_NE(assinado.find("<Reference URI=\"#" + id + "\">"), std::string::npos);
    EXPECT_TRUE(assinado.ends_with("</Signature></" + std::string(c.docElement) + ">"));

    std::string msgErro = "antes";
    EXPECT_TRUE(verifyXmlSignature(assinado, msgErro, c.infElement, crypto)) << msgErro;
    EXPECT_EQ(msgErro, "");
}

TEST_F(XmlSigner, SigningAgainReplacesTheSignature)
{
    const std::string uma = sign(sample("nfe_400.xml"), "NFe", "infNFe");
    const std::string duas = sign(uma, "NFe", "infNFe", dgstSHA256);
    EXPECT_EQ(occurrences(duas, "<Signature "), 1u);
    EXPECT_EQ(xmlsecRejects(duas, "infNFe"), "");
}

TEST_F(XmlSigner, WithoutIdTheEmptyUriCoversTheWholeDocument)
{
    const std::string semId = "<lote xmlns=\"urn:teste\"><item>1</item><item>2 &amp; 3</item></lote>";
    const std::string assinado = sign(semId, "", "");
    EXPECT_NE(assinado.find("<Reference URI=\"\">"), std::string::npos);
    EXPECT_EQ(xmlsecRejects(assinado, "lote"), "") << assinado;
    std::string msgErro;
    EXPECT_TRUE(verifyXmlSignature(assinado, msgErro, "", crypto)) << msgErro;
}

TEST_F(XmlSigner, ValuesAreTheBytesXmlsecWritesIntoTheSameTemplate)
{
    for (TSSLDgst digest : {dgstSHA1, dgstSHA256, dgstSHA512}) {
        const std::string nota = sample("nfe_400.xml");
        const std::string id = ValorIdParaAssinatura(nota, "NFe", "");
        const std::string modelo =
            nota.substr(0, nota.rfind("</NFe>")) + ModeloAssinaturaXML(id, true, "", digest) + "</NFe>";
        const std::string deles = xmlsigntest::xmlsecSigned(modelo, "infNFe");
        const std::string nosso = sign(nota, "NFe", "infNFe", digest);
        EXPECT_EQ(elementText(nosso, "DigestValue"), elementText(deles, "DigestValue"))
            << static_cast<int>(digest);
        // xmlsec1 breaks a Base64 value after 64 characters, so its SHA-512
        // DigestValue carries a line break into the SignedInfo it signs.
        if (digest != dgstSHA512) {
            EXPECT_EQ(elementText(nosso, "SignatureValue"), elementText(deles, "SignatureValue"))
                << static_cast<int>(digest);
        }
    }
}

// A note whose free texts hold accents, markup characters and line breaks,
// and the same kind of note written with indentation.
TEST_F(XmlSigner, LineBreaksAndSpecialCharactersSurviveSigning)
{
    const std::filesystem::path esquema = xmlsigntest::schemaFile("nfe_v4.00.xsd");
    std::string especial = sample("nfe_400.xml");
    const std::string infCpl =
        "<infCpl>Observação: água &amp; óleo &lt;frágil&gt; d'água\r\nlinha 2\nlinha 3</infCpl>";
    const std::size_t inicio = especial.find("<infCpl>");
    ASSERT_NE(inicio, std::string::npos);
    especial.replace(inicio, especial.find("</infCpl>") - inicio + 9, infCpl);
    const std::size_t xProd = especial.find("<xProd>") + 7;
    especial.insert(xProd, "Pão &amp; Açúcar 'Ñ'\r\n ");

    std::string indentado;
    for (std::size_t i = 0; i < especial.size(); ++i) {
        if (especial[i] == '<' && i > 0 && especial[i + 1] != '/' && especial[i - 1] == '>')
            indentado += "\r\n  ";
        indentado += especial[i];
    }

    for (const std::string &nota : {especial, indentado}) {
        const std::string assinado = sign(nota, "NFe", "infNFe");
        EXPECT_EQ(assinado.find_first_of("\r\n"), std::string::npos);
        EXPECT_NE(assinado.find("Observação: água &amp; óleo &lt;frágil&gt; d'água"), std::string::npos);
        EXPECT_EQ(xmlsecRejects(assinado, "infNFe"), "") << assinado;
        EXPECT_EQ(testsupport::schemaProblems(assinado, esquema), "") << assinado;
    }
}

TEST_F(XmlSigner, LineBreakGivenAsCharacterReferenceStaysOne)
{
    const std::string nota = "<doc><inf Id=\"X1\">linha 1&#10;linha 2&#13;</inf></doc>";
    const std::string assinado = sign(nota, "doc", "inf");
    EXPECT_NE(assinado.find("linha 1&#10;linha 2&#13;"), std::string::npos) << assinado;
    EXPECT_EQ(xmlsecRejects(assinado, "inf"), "");
}

struct DeclarationCase {
    const char *before;
    const char *after;
};

TEST_F(XmlSigner, DeclarationsAndEmptyElements)
{
    // clang-format off
    const DeclarationCase cases[] = {
        {"",                                                      ""},
        {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
        {"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n",        "<?xml version=\"1.0\" encoding=\"utf-8\"?>"},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>",       ""},
    };
    // clang-format on
    const std::string corpo = "<doc><inf Id=\"X1\"><vazio/><nome>José</nome><outro></outro></inf></doc>";
    for (const DeclarationCase &c : cases) {
        const std::string assinado = sign(std::string(c.before) + corpo, "doc", "inf");
        EXPECT_TRUE(assinado.starts_with(std::string(c.after) +
                                         "<doc><inf Id=\"X1\"><vazio></vazio><nome>José</nome>"))
            << assinado;
        EXPECT_EQ(assinado.find("/>"), std::string::npos);
        EXPECT_EQ(xmlsecRejects(assinado, "inf"), "");
    }
}

TEST_F(XmlSigner, FailuresRaiseTheBackEndMessages)
{
    // clang-format off
    const struct { const char *xml; const char *docElement; const char *infElement; const char *message; } cases[] = {
        {"<doc><inf Id=\"X1\">", "doc", "inf",   "Erro: Falha ao interpretar o XML \"xmlParseDoc\" --> "},
        {"<doc><inf Id=\"X1\"/></doc>", "outro", "inf", "Nenhum elemento encontrado"},
        {"<doc><inf Id=\"X1\"/></doc>", "doc", "falta", "Erro: Falha ao localizar o nó de Assinatura"},
        {"<doc><inf Id='X1\"/></doc>", "doc", "inf", "Não encontrei inicio do URI: aspas final"},
    };
    // clang-format on
    for (const auto &c : cases) {
        try {
            sign(c.xml, c.docElement, c.infElement);
            ADD_FAILURE() << c.xml;
        } catch (const EQuibDFeException &e) {
            EXPECT_TRUE(std::string(e.what()).starts_with(c.message)) << e.what();
        }
    }
}

TEST_F(XmlSigner, VerifyingReportsChangesAndReleasesTheCertificate)
{
    const std::string assinado = sign(sample("nfe_400.xml"), "NFe", "infNFe");
    std::string alterado = assinado;
    alterado.replace(alterado.find("<nNF>4321</nNF>"), 15, "<nNF>4322</nNF>");
    std::string msgErro;
    EXPECT_FALSE(verifyXmlSignature(alterado, msgErro, "infNFe", crypto));
    EXPECT_EQ(msgErro, "DigestValue não confere. Conteúdo de \"infNFe\" foi alterado");

    std::string assinaturaTrocada = assinado;
    const std::size_t valor = assinaturaTrocada.find("<SignatureValue>") + 16;
    assinaturaTrocada[valor] = assinaturaTrocada[valor] == 'A' ? 'B' : 'A';
    const int antes = crypto.releases();
    EXPECT_FALSE(verifyXmlSignature(assinaturaTrocada, msgErro, "infNFe", crypto));
    EXPECT_EQ(msgErro, "");
    EXPECT_EQ(crypto.releases(), antes + 1);
    EXPECT_FALSE(crypto.publicCertificateLoaded());

    // clang-format off
    const struct { const char *xml; const char *message; } unreadable[] = {
        {"<NFe>",                   "Erro: Falha ao interpretar o XML \"xmlParseDoc\" --> "},
        {"<NFe><infNFe/></NFe>",    "Erro: Falha ao localizar o nó de Assinatura"},
    };
    // clang-format on
    for (const auto &c : unreadable) {
        EXPECT_FALSE(verifyXmlSignature(c.xml, msgErro, "infNFe", crypto));
        EXPECT_TRUE(msgErro.starts_with(c.message)) << msgErro;
    }
}

} // namespace
