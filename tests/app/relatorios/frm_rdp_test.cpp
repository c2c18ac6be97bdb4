#include "app/relatorios/frm_rdp.h"

#include "app/funcoes/funcoes_kvl.h"
#include "app/relatorios/matriz_impressora.h"
#include "printing/device/device_errors.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/private_cups.h"
#include "tests/support/run_command.h"

#include <cups/cups.h>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

// The printed lines of ESC/P bytes, read independently of the engine: escape
// sequences and pitch controls dropped, pages split at the form feed.
std::vector<std::vector<std::string>> paginasImpressas(const std::string &bytes)
{
    std::vector<std::vector<std::string>> paginas(1);
    std::string linha;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == 27) {
            i += bytes[i + 1] == 'C' ? 2 : 1;
        } else if (c == 18 || c == 15) {
            continue;
        } else if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            paginas.back().push_back(linha);
            linha.clear();
            ++i;
        } else if (c == 12) {
            paginas.emplace_back();
        } else {
            linha += c;
        }
    }
    paginas.pop_back(); // after the last form feed
    return paginas;
}

std::string linhaDaMatriz(int i, int largura)
{
    std::string linha = ZerosEsquerda(i, 2) + "_";
    for (int j = 4; j <= largura; ++j)
        linha += std::to_string(j % 10);
    return linha;
}

class TextReport : public ::testing::Test {
  protected:
    TextReport()
    {
        rdp.RDprint.envia = [this](std::string_view dados) { bytes = dados; };
    }
    TfrmRdp rdp;
    std::string bytes;
};

TEST_F(TextReport, ColumnsScaleToTheEightyColumnGrid)
{
    // clang-format off
    const struct { int largura; int coluna; int posicao; } casos[] = {
        {135, 135, 80}, {135, 1, 1}, {135, 0, 1}, {135, 68, 40}, {80, 40, 40}, {0, 5, 1}, {40, 20, 40},
    };
    // clang-format on
    for (const auto &caso : casos) {
        rdp.CodigoLargura = caso.largura;
        EXPECT_EQ(rdp.ColunaParaPosicao(caso.coluna), caso.posicao) << caso.largura << "/" << caso.coluna;
    }
}

TEST_F(TextReport, PrinterGridOf66By135ParsesBackToItsLines)
{
    ImprimeMatrizImpressora(rdp, 66, 6, 135, "11/12/2026", false);
    const std::string inicio = {27, '@', 27, '2', 27, 'C', 66, 27, 'P', 27, 15};
    EXPECT_EQ(bytes.substr(0, inicio.size()), inicio);
    const auto paginas = paginasImpressas(bytes);
    ASSERT_EQ(paginas.size(), 1u);
    ASSERT_EQ(paginas[0].size(), 66u);
    for (int i = 1; i <= 66; ++i)
        EXPECT_EQ(paginas[0][static_cast<std::size_t>(i - 1)], linhaDaMatriz(i, 135)) << i;
}

TEST_F(TextReport, EightLinesPerInchAndOtherPitches)
{
    ImprimeMatrizImpressora(rdp, 3, 8, 80, "t", false);
    EXPECT_EQ(bytes.substr(0, 4), std::string({27, '@', 27, '0'}));
    EXPECT_NE(bytes.find(std::string({18, 27, 'P'}) + "01_4567"), std::string::npos);
    EXPECT_THAT(paginasImpressas(bytes)[0],
                ElementsAre(linhaDaMatriz(1, 80), linhaDaMatriz(2, 80), linhaDaMatriz(3, 80)));
}

TEST_F(TextReport, RollFormGrowsOneLinePerText)
{
    rdp.IniciaRelatorio(false, 6, 55, 1, 66, "cupom");
    EXPECT_EQ(rdp.RDprint.linhasPagina(), 1);
    for (int linha = 1; linha <= 3; ++linha) {
        rdp.ImprimeNaPosicao(linha, 1, linha == 2, "e", "linha " + std::to_string(linha));
        EXPECT_EQ(rdp.RDprint.linhasPagina(), linha + 1);
    }
    rdp.ImprimeNaPosicao(4, 1, false, "X", "alinhamento desconhecido");
    rdp.FinalizaRelatorio();
    const auto paginas = paginasImpressas(bytes);
    ASSERT_EQ(paginas.size(), 1u);
    EXPECT_THAT(paginas[0], ElementsAre("linha 1", "linha 2", "linha 3"));
    EXPECT_NE(bytes.find(std::string({27, 'E'}) + "linha 2" + std::string({27, 'F'})), std::string::npos);
}

TEST_F(TextReport, UnknownWidthPrintsNothingAndPagesCount)
{
    rdp.IniciaRelatorio(false, 6, 100, 5, 2, "t");
    rdp.PosicionaTexto(3, "abc", "E");
    rdp.ImprimeLinha(1);
    rdp.NovaPagina();
    EXPECT_EQ(rdp.Pagina, 6);
    rdp.FinalizaRelatorio();
    EXPECT_THAT(paginasImpressas(bytes), ElementsAre(ElementsAre("", ""), ElementsAre("", "")));
}

TEST_F(TextReport, PositionedTextsAndTheirAlignments)
{
    rdp.IniciaRelatorio(false, 6, 80, 1, 1, "t");
    rdp.PosicionaTexto(1, "esq", "E");
    rdp.PosicionaTexto(20, "dir", "D");
    rdp.PosicionaTexto(40, "meio", "C");
    rdp.ImprimeLinha(1);
    EXPECT_EQ(rdp.Linha, std::string(80, ' '));
    rdp.FinalizaRelatorio();
    const std::string esperada = "esq" + std::string(14, ' ') + "dir" + std::string(18, ' ') + "meio";
    EXPECT_THAT(paginasImpressas(bytes)[0], ElementsAre(esperada + std::string(80 - esperada.size(), ' ')));
}

TEST_F(TextReport, PreviewGetsTheReportInsteadOfThePrinter)
{
    std::vector<std::string> vistas;
    rdp.RDprint.visualiza = [&vistas](const RelatorioTexto &relatorio) { vistas = relatorio.linhasTexto(0); };
    ImprimeMatrizImpressora(rdp, 2, 6, 95, "t", true);
    EXPECT_TRUE(bytes.empty());
    EXPECT_THAT(vistas, ElementsAre(linhaDaMatriz(1, 95), linhaDaMatriz(2, 95)));
}

TEST_F(TextReport, TextOutsideThePageIsAnError)
{
    rdp.IniciaRelatorio(false, 6, 80, 1, 2, "t");
    EXPECT_THROW(rdp.ImprimeLinha(3), ProgramError);
}

// Points the scheduler client of this thread at the test's scheduler.
class SchedulerServer {
  public:
    explicit SchedulerServer(const std::string &server) { cupsSetServer(server.c_str()); }
    ~SchedulerServer() { cupsSetServer(nullptr); }
};

TEST(TextReportPrinting, GoesAsARawJobToTheDefaultQueue)
{
    auto &cups = testsupport::PrivateCups::instance();
    if (!cups.running())
        GTEST_SKIP() << "no private print scheduler: " << cups.whyNot();
    SchedulerServer servidor(cups.socketPath());
    testsupport::FakePosPrinter impressora;
    ASSERT_EQ(cups.addRawQueue("MATRICIAL", impressora.port()), "");
    ASSERT_EQ(testsupport::runCommand({"/usr/sbin/lpadmin", "-d", "MATRICIAL"}).exitCode, 0);

    TfrmRdp rdp;
    ImprimeMatrizImpressora(rdp, 4, 6, 80, "matriz", false);
    const std::string esperado = rdp.RDprint.bytesEscP();
    EXPECT_EQ(impressora.waitForBytes(esperado.size(), 10000), esperado);
}

} // namespace
