#include "console/config_geral/exibicao_resposta.h"

#include <gmock/gmock.h>

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

} // namespace
