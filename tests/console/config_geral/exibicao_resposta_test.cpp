#include "console/config_geral/exibicao_resposta.h"

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

#include <gmock/gmock.h>

#include <filesystem>

namespace {

const std::string kNbsp = "\xC2\xA0";

NoArvore no(const std::string &nome, std::vector<NoArvore> filhos = {})
{
    return {kNbsp + nome, std::move(filhos)};
}

struct CasoSubstituicao {
    const char *texto;
    const char *antigo;
    const char *novo;
    const char *esperado;
};

TEST(SubstituirTexto, EndsForEveryInputAndRescansOnlyWhenThatEnds)
{
    // clang-format off
    const CasoSubstituicao casos[] = {
        {"aXa",       "X",  "XX",  "aXXa"},     // the new text holds the old one
        {"XX",        "X",  "aXb", "aXbaXb"},
        {"abc",       "",   "z",   "abc"},      // empty old text
        {"",          "a",  "b",   ""},
        {"aab",       "ab", "b",   "b"},        // a replacement makes a new occurrence
        {"a<s>b<s>c", "<s>", "",   "abc"},
        {"xyz",       "q",  "r",   "xyz"},
    };
    // clang-format on
    for (const auto &c : casos)
        EXPECT_EQ(SubstituirTexto(c.texto, c.antigo, c.novo), c.esperado) << c.texto << " / " << c.antigo;
}

TEST(RemoverElementoXML, RemovesEveryClosedElementAndStopsAtAnUnclosedOne)
{
    EXPECT_EQ(RemoverElementoXML("<r><a/><Signature x=\"1\"><v>1</v></Signature><b/>"
                                 "<Signature><v>2</v></Signature></r>",
                                 "Signature"),
              "<r><a/><b/></r>");
    const std::string aberta = "<r><Signature><v>1</v></r>";
    EXPECT_EQ(RemoverElementoXML(aberta, "Signature"), aberta);
    EXPECT_EQ(RemoverElementoXML("<r><Signature/>x</Signature><Signature>", "Signature"), "<r><Signature>");
}

TEST(ArvoreDoXML, ShowsNamesTextsCdataAndCommentsButNoAttributesOrBlankText)
{
    const auto arvore = ArvoreDoXML("<?xml version=\"1.0\"?>\n<retConsSitNFe versao=\"4.00\">\n"
                                    "  <cStat>100</cStat>\n  <!--nota-->\n  <obs><![CDATA[a<b]]></obs>\n"
                                    "  <vazio/>\n</retConsSitNFe>");
    EXPECT_EQ(arvore, no("retConsSitNFe",
                         {no("cStat", {no("100")}), no("nota"), no("obs", {no("a<b")}), no("vazio")}));
}

TEST(ArvoreDoXML, RaisesForTextThatIsNotWellFormed)
{
    for (const char *texto : {"<a><b></a>", "", "texto", "<a>&x;</a>"})
        EXPECT_THROW(ArvoreDoXML(texto), ErroXMLResposta) << texto;
}

TEST(ArvoreDoXML, NeverReadsAnExternalEntity)
{
    EXPECT_EQ(ArvoreDoXML("<!DOCTYPE a [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><a>&x;</a>"), no("a"));
}

// The tree's nodes one a line as "<depth>\t<caption>", in document order.
void listaNos(const NoArvore &no, int nivel, std::string &saida)
{
    saida += std::to_string(nivel) + "\t" + no.legenda + "\n";
    for (const auto &filho : no.filhos)
        listaNos(filho, nivel + 1, saida);
}

TEST(ArvoreDoXML, ShowsTheNodesPythonsXmlEtreeFindsLessTheSignatures)
{
    if (!std::filesystem::exists("/usr/bin/python3"))
        GTEST_SKIP() << "/usr/bin/python3 is not installed";
    const std::string script = (testsupport::sourceDir() / "tests/support/arvore_etree.py").string();
    std::vector<std::string> textos = {
        // Mixed content, a comment, entities, text after each of two signatures.
        "<?xml version=\"1.0\"?>\n<r xmlns=\"urn:x\">antes<a>1 &amp; 2</a>\n <!-- c --> meio<b/>"
        "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><v>1</v></Signature>depois"
        "<c><Signature><v>2</v></Signature></c>&#233;fim</r>",
    };
    for (const auto &arquivo :
         std::filesystem::recursive_directory_iterator(testsupport::sourceDir() / "tests/data/answers"))
        if (arquivo.path().extension() == ".xml")
            textos.push_back(testsupport::testBytes(
                std::filesystem::relative(arquivo.path(), testsupport::sourceDir() / "tests").string()));
    for (const auto &texto : textos) {
        std::string nossos;
        listaNos(ArvoreDoXML(RemoverElementoXML(texto, "Signature")), 0, nossos);
        const auto python = testsupport::runCommand({"/usr/bin/python3", script}, texto);
        ASSERT_EQ(python.exitCode, 0) << python.err;
        EXPECT_EQ(nossos, python.out) << texto.substr(0, 200);
    }
}

} // namespace
