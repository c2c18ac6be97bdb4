// The voiding request: its Id, its alerts, its schema once signed, and a
// processed voiding read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/fiscal/dfe_util.h"
#include "nfe/services/inut_nfe.h"
#include "tests/support/test_data.h"
#include "tests/support/xml_checks.h"

namespace {

const std::string kCNPJ = "11222333000181";

void preenche(TinutNFe &pedido, int cUF, int ano, const std::string &documento)
{
    pedido.versao = "4.00";
    pedido.tpAmb = taHomologacao;
    pedido.cUF = cUF;
    pedido.ano = ano;
    pedido.CNPJ = documento;
    pedido.modelo = 55;
    pedido.serie = 1;
    pedido.nNFIni = 10;
    pedido.nNFFin = 20;
    pedido.xJust = "Numeracao pulada por falha no sistema";
}

bool temAlerta(const TinutNFe &pedido, const std::string &trecho)
{
    for (const std::string &linha : pedido.Gerador.ListaDeAlertas)
        if (linha.find(trecho) != std::string::npos)
            return true;
    return false;
}

TEST(VoidingRequest, BuildsTheIdFromStateYearDocumentModelSeriesAndRange)
{
    struct Caso {
        int cUF;
        int ano;
        std::string documento;
        std::string id;
        std::string elemento;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {35, 2024, kCNPJ,         "ID3524" + kCNPJ + "55001000000010000000020",          "<CNPJ>11222333000181</CNPJ>"},
        {35, 24,   kCNPJ,         "ID3524" + kCNPJ + "55001000000010000000020",          "<CNPJ>11222333000181</CNPJ>"},
        {51, 2024, "52998224725", "ID512400052998224725" "55001000000010000000020",      "<CPF>52998224725</CPF>"},
        {51, 24,   kCNPJ,         "ID5124" + kCNPJ + "55001000000010000000020",          "<CNPJ>11222333000181</CNPJ>"},
    };
    // clang-format on
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.id);
        TinutNFe pedido;
        preenche(pedido, caso.cUF, caso.ano, caso.documento);
        EXPECT_TRUE(pedido.GerarInutNFe()) << pedido.Gerador.ListaDeAlertas.front();
        EXPECT_EQ(pedido.ID, caso.id);
        EXPECT_EQ(pedido.ID.size(), 43u);
        EXPECT_EQ(pedido.ano, 24);
        const std::string &xml = pedido.Gerador.ArquivoFormatoXML;
        EXPECT_NE(xml.find("<infInut Id=\"" + caso.id + "\">"), std::string::npos) << xml;
        EXPECT_NE(xml.find("<ano>24</ano>"), std::string::npos);
        EXPECT_NE(xml.find(caso.elemento), std::string::npos) << xml;
    }
}

TEST(VoidingRequest, RecordsTheAlertsAndStillWritesTheRequest)
{
    TinutNFe invertido;
    preenche(invertido, 35, 2024, kCNPJ);
    invertido.nNFIni = 20;
    invertido.nNFFin = 10;
    EXPECT_FALSE(invertido.GerarInutNFe());
    EXPECT_TRUE(temAlerta(invertido,
                          "ID:DP13/nNFFin(Numero final) - O numero final não pode ser menor que o inicial."));
    EXPECT_NE(invertido.Gerador.ArquivoFormatoXML.find("<nNFIni>20</nNFIni><nNFFin>10</nNFFin>"),
              std::string::npos);

    TinutNFe curta;
    preenche(curta, 35, 2024, kCNPJ);
    curta.xJust = "Falha sistema.";
    EXPECT_FALSE(curta.GerarInutNFe());
    EXPECT_TRUE(temAlerta(curta, "ID:CP14/xJust(Justificativa) - Tamanho menor que o mínimo permitido"));

    TinutNFe semDocumento;
    preenche(semDocumento, 35, 2024, "");
    EXPECT_FALSE(semDocumento.GerarInutNFe());
    EXPECT_TRUE(temAlerta(semDocumento, "ID:DP04/ID() - ID de inutilização inválido."));
}

TEST(VoidingRequest, WritesTheJustificationOnOneLine)
{
    TinutNFe pedido;
    preenche(pedido, 35, 2024, kCNPJ);
    pedido.xJust = "Numeracao pulada\r\npor falha & queda de energia";
    ASSERT_TRUE(pedido.GerarInutNFe());
    EXPECT_NE(pedido.Gerador.ArquivoFormatoXML.find(
                  "<xJust>Numeracao pulada;por falha &amp; queda de energia</xJust>"),
              std::string::npos)
        << pedido.Gerador.ArquivoFormatoXML;
}

class ProcessedVoiding : public ::testing::Test {
  protected:
    void SetUp() override
    {
        esquemas_ = testsupport::officialSchemaDir();
        if (!testsupport::xmllintAvailable() || esquemas_.empty())
            GTEST_SKIP() << "xmllint or the official schemas are missing";
        preenche(pedido_, 35, 2024, kCNPJ);
        ASSERT_TRUE(pedido_.GerarInutNFe());
        assinado_ = testsupport::signWithThrowAwayKey(pedido_.Gerador.ArquivoFormatoXML,
                                                      ModeloAssinaturaXML(pedido_.ID, true, "", dgstSHA1),
                                                      "</inutNFe>", "infInut");
    }

    std::filesystem::path esquemas_;
    TinutNFe pedido_;
    std::string assinado_;
};

TEST_F(ProcessedVoiding, TheSignedRequestPassesItsSchema)
{
    EXPECT_EQ(testsupport::schemaProblems(assinado_, esquemas_ / "inutNFe_v4.00.xsd"), "") << assinado_;
}

TEST_F(ProcessedVoiding, ReadsBackTheRequestTheSignatureAndTheAnswer)
{
    std::string resposta = testsupport::testData("data/answers/retInutNFe.xml");
    resposta.erase(0, resposta.find("<retInutNFe"));
    const std::string processado = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ProcInutNFe versao=\"4.00\" "
                                   "xmlns=\"http://www.portalfiscal.inf.br/nfe\">" +
                                   assinado_ + resposta + "</ProcInutNFe>";
    EXPECT_EQ(testsupport::schemaProblems(processado, esquemas_ / "procInutNFe_v4.00.xsd"), "");

    TinutNFe lido;
    ASSERT_TRUE(lido.LerTexto(processado));
    EXPECT_EQ(lido.ID, pedido_.ID);
    EXPECT_EQ(lido.versao, "4.00");
    EXPECT_EQ(lido.tpAmb, taHomologacao);
    EXPECT_EQ(lido.cUF, 35);
    EXPECT_EQ(lido.ano, 24);
    EXPECT_EQ(lido.CNPJ, kCNPJ);
    EXPECT_EQ(lido.modelo, 55);
    EXPECT_EQ(lido.serie, 1);
    EXPECT_EQ(lido.nNFIni, 10);
    EXPECT_EQ(lido.nNFFin, 20);
    EXPECT_EQ(lido.xJust, pedido_.xJust);
    EXPECT_EQ(lido.Signature.URI, "#" + pedido_.ID);
    EXPECT_FALSE(lido.Signature.SignatureValue.empty());
    EXPECT_FALSE(lido.Signature.X509Certificate.empty());
    EXPECT_EQ(lido.RetInutNFe.cStat, 102);
    EXPECT_EQ(lido.RetInutNFe.nProt, "135240000000301");
    EXPECT_EQ(lido.RetInutNFe.Id, pedido_.ID);
    EXPECT_EQ(lido.RetInutNFe.xJust, pedido_.xJust);
    EXPECT_EQ(lido.TextoXML, processado);

    // Written again from what was read, the request keeps its signature.
    lido.Gerador.ListaDeAlertas.clear();
    ASSERT_TRUE(lido.GerarInutNFe());
    EXPECT_EQ(testsupport::schemaProblems(lido.Gerador.ArquivoFormatoXML, esquemas_ / "inutNFe_v4.00.xsd"),
              "");
}

TEST(VoidingRead, AMissingFileRaisesWithItsNameAndATextWithoutRequestKeepsTheFields)
{
    TinutNFe pedido;
    EXPECT_THROW(
        {
            try {
                pedido.LerArquivo("/nao/existe/inut.xml");
            } catch (const std::exception &erro) {
                EXPECT_NE(std::string(erro.what()).find("/nao/existe/inut.xml"), std::string::npos);
                throw;
            }
        },
        std::exception);

    pedido.xJust = "anterior";
    EXPECT_FALSE(pedido.LerTexto("<outro/>"));
    EXPECT_EQ(pedido.xJust, "anterior");
    EXPECT_TRUE(pedido.LerTexto(testsupport::testData("data/answers/retInutNFe.xml")));
    EXPECT_EQ(pedido.RetInutNFe.cStat, 102);
    EXPECT_EQ(pedido.RetInutNFe.nProt, "135240000000301");
}

} // namespace
