#include <gtest/gtest.h>

#include <filesystem>

#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "tests/nfe/services/notas_fixture.h"
#include "tests/support/sample_notes.h"

namespace {

using testsupport::ComponenteAssinador;
namespace fs = std::filesystem;

// The XML of a bare sample NFe numbered `nNF`, without its declaration.
std::string nfeNua(int nNF)
{
    ComponenteAssinador c(55);
    NotaFiscal &nota = c.notaDeExemplo(1);
    nota.NFe().ide.nNF = nNF;
    return RetiraDeclaracaoXML(nota.GerarTextoXML(), false);
}

} // namespace

TEST(NotasFiscaisCarregar, SplitsTheTextIntoItsDocuments)
{
    const std::string processada = RetiraDeclaracaoXML(testsupport::authorisedNoteXml(2), false);
    struct Caso {
        const char *nome;
        std::string texto;
        std::vector<int> numeros;
    };
    const Caso casos[] = {
        {"two bare notes", nfeNua(11) + "\r\n" + nfeNua(12), {11, 12}},
        {"one authorised note", processada, {1234}},
        // A bare note first: its piece ends at its own </NFe>, not at the
        // authorised note's </nfeProc>, so neither is lost.
        {"bare then authorised", nfeNua(21) + "\n" + processada, {21, 1234}},
        {"authorised then bare", processada + "\n" + nfeNua(22), {1234, 22}},
    };
    for (const Caso &caso : casos) {
        ComponenteAssinador c(55);
        const std::string texto = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + caso.texto;
        EXPECT_TRUE(c.nfe.Notas().CarregarTexto(texto, false)) << caso.nome;
        ASSERT_EQ(c.nfe.Notas().Count(), static_cast<int>(caso.numeros.size())) << caso.nome;
        for (int i = 0; i < c.nfe.Notas().Count(); ++i)
            EXPECT_EQ(c.nfe.Notas()[i].NFe().ide.nNF, caso.numeros[i]) << caso.nome;
    }
}

TEST(NotasFiscaisCarregar, AnAuthorisedNoteKeepsItsProtocol)
{
    ComponenteAssinador c(55);
    ASSERT_TRUE(c.nfe.Notas().CarregarTexto(testsupport::authorisedNoteXml(1)));
    NotaFiscal &nota = c.nfe.Notas()[0];
    EXPECT_EQ(nota.ChaveNota(), testsupport::kSampleKey);
    EXPECT_EQ(nota.NFe().procNFe.chNFe, testsupport::kSampleKey);
    EXPECT_EQ(nota.CodigoStatus(), 100);
    EXPECT_TRUE(nota.Confirmada());
}

TEST(NotasFiscaisCarregar, AFileWithoutDeclarationIsReadAsUtf8)
{
    ComponenteAssinador c(55);
    NotaFiscal &origem = c.notaDeExemplo(1);
    origem.NFe().emit.xFant = "AÇÚCAR E CAFÉ";
    c.nfe.Configuracoes().Geral().RetirarAcentos = false;
    const std::string xml = RetiraDeclaracaoXML(origem.GerarTextoXML(), false);
    const fs::path arquivo = c.pasta.write("sem-declaracao.xml", xml);
    c.nfe.Notas().Clear();

    ASSERT_TRUE(c.nfe.Notas().CarregarArquivo(arquivo.string(), false));
    ASSERT_EQ(c.nfe.Notas().Count(), 1);
    EXPECT_EQ(c.nfe.Notas()[0].NFe().emit.xFant, "AÇÚCAR E CAFÉ");
    EXPECT_EQ(c.nfe.Notas()[0].ArquivoXML, arquivo.string());
}

TEST(NotasFiscaisCarregar, AnUnreadableFileIsAnErrorAndATextWithoutNotesLoadsNothing)
{
    ComponenteAssinador c(55);
    EXPECT_THROW(c.nfe.Notas().CarregarArquivo((c.pasta / "nao-existe.xml").string()), EQuibException);
    EXPECT_FALSE(c.nfe.Notas().CarregarTexto("<outro>texto</outro>"));
    EXPECT_EQ(c.nfe.Notas().Count(), 0);
}

TEST(NotasFiscaisGravarTXT, WritesEveryNoteUnderTheDefaultNameInWindows1252)
{
    ComponenteAssinador c(55);
    EXPECT_FALSE(c.nfe.Notas().GravarArquivoTXT());
    EXPECT_FALSE(fs::exists(c.pasta / "NFe.TXT"));

    c.notaDeExemplo(1).NFe().emit.xFant = "CAFÉ";
    c.notaDeExemplo(1);
    c.nfe.Configuracoes().Geral().RetirarAcentos = false;
    ASSERT_TRUE(c.nfe.Notas().GravarArquivoTXT());
    const std::string bytes = testsupport::readFile(c.pasta / "NFe.TXT");
    EXPECT_EQ(bytes.rfind("NOTA FISCAL|2\r\n", 0), 0u);
    EXPECT_NE(bytes.find("CAF\xC9"), std::string::npos);  // É in Windows-1252
    EXPECT_EQ(bytes.find("\xC3\x89"), std::string::npos); // no UTF-8 left
    EXPECT_EQ(bytes.find("\r\r"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}
