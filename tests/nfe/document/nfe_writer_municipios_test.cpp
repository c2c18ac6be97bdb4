// The city adjustment of the writer's addresses with NormatizarMunicipios on,
// answered from a cache file of the city directory (never the network: the
// service address points at a closed local port).

#include "nfe/document/nfe_writer.h"

#include <string>

#include <gtest/gtest.h>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/dfe_municipios.h"
#include "foundation/xml/xml_text_utils.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "writer_fixture.h"

namespace {

const char *const kStates[][5] = {
    {"11", "RO", "Rondônia", "N", "Norte"},
    {"12", "AC", "Acre", "N", "Norte"},
    {"13", "AM", "Amazonas", "N", "Norte"},
    {"14", "RR", "Roraima", "N", "Norte"},
    {"15", "PA", "Pará", "N", "Norte"},
    {"16", "AP", "Amapá", "N", "Norte"},
    {"17", "TO", "Tocantins", "N", "Norte"},
    {"21", "MA", "Maranhão", "NE", "Nordeste"},
    {"22", "PI", "Piauí", "NE", "Nordeste"},
    {"23", "CE", "Ceará", "NE", "Nordeste"},
    {"24", "RN", "Rio Grande do Norte", "NE", "Nordeste"},
    {"25", "PB", "Paraíba", "NE", "Nordeste"},
    {"26", "PE", "Pernambuco", "NE", "Nordeste"},
    {"27", "AL", "Alagoas", "NE", "Nordeste"},
    {"28", "SE", "Sergipe", "NE", "Nordeste"},
    {"29", "BA", "Bahia", "NE", "Nordeste"},
    {"31", "MG", "Minas Gerais", "SE", "Sudeste"},
    {"32", "ES", "Espírito Santo", "SE", "Sudeste"},
    {"33", "RJ", "Rio de Janeiro", "SE", "Sudeste"},
    {"35", "SP", "São Paulo", "SE", "Sudeste"},
    {"41", "PR", "Paraná", "S", "Sul"},
    {"42", "SC", "Santa Catarina", "S", "Sul"},
    {"43", "RS", "Rio Grande do Sul", "S", "Sul"},
    {"50", "MS", "Mato Grosso do Sul", "CO", "Centro-Oeste"},
    {"51", "MT", "Mato Grosso", "CO", "Centro-Oeste"},
    {"52", "GO", "Goiás", "CO", "Centro-Oeste"},
    {"53", "DF", "Distrito Federal", "CO", "Centro-Oeste"},
};

// Every state, so that nothing is downloaded, and a few municipalities.
std::string cacheFixture()
{
    std::string cache;
    for (const auto &state : kStates)
        cache += std::string(state[0]) + "|" + state[1] + "|" + state[2] + "|" + state[3] + "|" + state[4] +
                 "|0|0\r\n";
    cache += "3304557|Rio de Janeiro|33|RJ|0|0\r\n"
             "3509502|Campinas|35|SP|0|0\r\n"
             "3550308|São Paulo|35|SP|0|0\r\n";
    return cache;
}

class NFeWriterMunicipios : public NFeWriterTest {
  protected:
    void SetUp() override
    {
        NFeWriterTest::SetUp();
        LiberaDiretorioMunicipios();
        TQuibIBGE &directory = DiretorioMunicipios(folder.path().string());
        directory.serviceAddress = "http://127.0.0.1:9";
        directory.TimeOut = 2000;
    }
    void TearDown() override
    {
        LiberaDiretorioMunicipios();
        NFeWriterTest::TearDown();
    }

    testsupport::TempDir folder;
};

TEST_F(NFeWriterMunicipios, AMissingCodeOrNameIsCompletedFromTheDirectory)
{
    folder.write("QuibIBGE.txt", cacheFixture());
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.emit.enderEmit.cMun = 0;
    nfe.emit.enderEmit.xMun = "Campinas";
    nfe.dest.enderDest.cMun = 3304557;
    nfe.dest.enderDest.xMun.clear();
    nfe.dest.enderDest.UF.clear();
    TNFeW writer(nfe);
    writer.Opcoes.NormatizarMunicipios = true;
    writer.Opcoes.PathArquivoMunicipios = folder.path().string();

    EXPECT_TRUE(writer.MontarXml()) << ::testing::PrintToString(writer.Gerador.ListaDeAlertas);
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_NE(ConteudoDaTag(xml, "enderEmit", false, false, false)
                  .find("<cMun>3509502</cMun><xMun>Campinas</xMun><UF>SP</UF>"),
              std::string::npos);
    EXPECT_NE(ConteudoDaTag(xml, "enderDest", false, false, false)
                  .find("<cMun>3304557</cMun><xMun>Rio de Janeiro</xMun><UF>RJ</UF>"),
              std::string::npos);
    // The document keeps what the caller gave.
    EXPECT_EQ(nfe.emit.enderEmit.cMun, 0);
    EXPECT_TRUE(nfe.dest.enderDest.xMun.empty());

    writer.Opcoes.NormatizarMunicipios = false;
    EXPECT_FALSE(writer.MontarXml());
    EXPECT_NE(writer.Gerador.ArquivoFormatoXML.find("<cMun>0</cMun><xMun>Campinas</xMun>"),
              std::string::npos);
}

TEST_F(NFeWriterMunicipios, AFailedLookupOfANameByCodeStopsTheRun)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.dest.enderDest.xMun.clear();
    TNFeW writer(nfe);
    writer.Opcoes.NormatizarMunicipios = true;
    writer.Opcoes.PathArquivoMunicipios = folder.path().string();
    EXPECT_THROW(writer.MontarXml(), EQuibDFeException);
}

} // namespace
