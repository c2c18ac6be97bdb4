// The tag text of the NFC-e DANFE and its receipts, compared with goldens in
// tests/data/printing/danfe/. A text that differs is also written to
// <temp>/danfe-goldens/ so it can be read and, once judged right, copied over.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "danfe_bancada.h"
#include "tests/support/sample_nfce_notes.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::DanfeBancada;

void compararComGolden(const std::string &texto, const std::string &nome)
{
    std::string golden;
    try {
        golden = testsupport::testData("data/printing/danfe/" + nome + ".txt");
    } catch (const std::runtime_error &) {
        golden = "(missing golden)";
    }
    // testData drops the line break that ends the file.
    if (texto == golden || texto == golden + "\n")
        return;
    const auto pasta = std::filesystem::temp_directory_path() / "danfe-goldens";
    std::filesystem::create_directories(pasta);
    std::ofstream(pasta / (nome + ".txt"), std::ios::binary) << texto;
    ADD_FAILURE() << nome << " differs; the text printed now is in " << (pasta / (nome + ".txt")).string();
}

struct Largura {
    const char *sufixo;
    int colunas;
    bool condensado;
};

// N = 64 (condensed 48 columns) and N = 42 (normal font, 42 columns).
const std::vector<Largura> kLarguras = {{"64", 48, true}, {"42", 42, false}};

TEST(DanfeEscPosGolden, EveryFixtureAtBothWidths)
{
    for (const Largura &largura : kLarguras)
        for (const std::string &fixture : testsupport::nfceFixtureNames()) {
            SCOPED_TRACE(fixture + " at " + largura.sufixo);
            DanfeBancada bancada(largura.colunas, largura.condensado);
            bancada.carregar(fixture);
            bancada.somenteTags();
            bancada.danfe.ImprimirDANFE();
            compararComGolden(bancada.enviado, fixture + "_" + largura.sufixo);
        }
}

TEST(DanfeEscPosGolden, ItemsInOneLineAtBothWidths)
{
    for (const Largura &largura : kLarguras) {
        SCOPED_TRACE(largura.sufixo);
        DanfeBancada bancada(largura.colunas, largura.condensado);
        bancada.carregar("autorizada");
        bancada.danfe.SetImprimeEmUmaLinha(true);
        bancada.somenteTags();
        bancada.danfe.ImprimirDANFE();
        compararComGolden(bancada.enviado, std::string("autorizada_uma_linha_") + largura.sufixo);
    }
}

TEST(DanfeEscPosGolden, LogoAndQrCodeBesideTheText)
{
    DanfeBancada bancada;
    bancada.carregar("homologacao");
    bancada.danfe.ImprimeQRCodeLateral = true;
    bancada.danfe.ImprimeLogoLateral = true;
    bancada.danfe.ImprimeNomeFantasia = true;
    bancada.somenteTags();
    bancada.danfe.ImprimirDANFE();
    compararComGolden(bancada.enviado, "homologacao_lateral_64");
}

TEST(DanfeEscPosGolden, EventAndVoidingReceipts)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    ASSERT_TRUE(bancada.nfe.LoteEventos.LerTexto(testsupport::testData("data/printing/danfe/evento.xml")));
    ASSERT_TRUE(bancada.nfe.PedidoInutilizacao.LerTexto(
        testsupport::testData("data/printing/danfe/inutilizacao.xml")));
    bancada.somenteTags();
    bancada.danfe.ImprimirEVENTO();
    compararComGolden(bancada.enviado, "evento_64");
    bancada.enviado.clear();
    bancada.danfe.ImprimirINUTILIZACAO();
    compararComGolden(bancada.enviado, "inutilizacao_64");
}

} // namespace
