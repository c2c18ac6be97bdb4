// What the thermal DANFE refuses, and what it leaves behind when printing
// fails: nothing in the printer's buffer that the next receipt would carry.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "danfe_bancada.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/notas_fiscais.h"
#include "printing/posprinter/pos_types.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::DanfeBancada;

TEST(DanfeEscPosFalhas, MissingObjectsAreRefusedBeforeAnythingReachesThePrinter)
{
    struct Caso {
        const char *nome;
        std::function<void(DanfeBancada &)> preparar;
        std::function<void(DanfeBancada &)> imprimir;
        const char *mensagem;
    };
    const auto semImpressora = [](DanfeBancada &b) { b.danfe.SetPosPrinter(nullptr); };
    const auto semComponente = [](DanfeBancada &b) { b.danfe.SetQuibNFe(nullptr); };
    const auto semNotas = [](DanfeBancada &b) { b.nfe.Notas().Clear(); };
    const auto danfe = [](DanfeBancada &b) { b.danfe.ImprimirDANFE(); };
    const auto resumido = [](DanfeBancada &b) { b.danfe.ImprimirDANFEResumido(); };
    const auto evento = [](DanfeBancada &b) { b.danfe.ImprimirEVENTO(); };
    const auto eventoDaNota = [](DanfeBancada &b) {
        TNFe nota;
        b.danfe.ImprimirEVENTO(&nota);
    };
    const auto inutilizacao = [](DanfeBancada &b) { b.danfe.ImprimirINUTILIZACAO(); };
    const char *kImpressora = "Componente PosPrinter não associado";
    const char *kComponente = "Componente QuibNFe não atribuído";
    const char *kXML = "XML da NFe não informado, obrigatório para o modelo ESCPOS";
    const std::vector<Caso> casos = {
        {"DANFE without printer", semImpressora, danfe, kImpressora},
        {"DANFE without component", semComponente, danfe, kComponente},
        {"DANFE without notes", semNotas, danfe, kXML},
        {"summary without printer", semImpressora, resumido, kImpressora},
        {"summary without notes", semNotas, resumido, kXML},
        {"event without component", semComponente, evento, kComponente},
        {"event of a given note without component", semComponente, eventoDaNota, kComponente},
        {"event without notes", semNotas, evento, kXML},
        {"event without printer", semImpressora, evento, kImpressora},
        {"voiding without component", semComponente, inutilizacao, kComponente},
        {"voiding without printer", semImpressora, inutilizacao, kImpressora},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        DanfeBancada bancada;
        bancada.carregar("autorizada");
        caso.preparar(bancada);
        try {
            caso.imprimir(bancada);
            ADD_FAILURE() << "nothing was refused";
        } catch (const EQuibNFeException &erro) {
            EXPECT_STREQ(erro.what(), caso.mensagem);
        }
        EXPECT_TRUE(bancada.pos.Buffer().empty());
        EXPECT_FALSE(bancada.pos.Ativo());
        EXPECT_EQ(bancada.envios, 0);
    }
}

TEST(DanfeEscPosFalhas, SummaryLeavesOutItemsAndRestoresThemAlsoWhenPrintingFails)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    bancada.somenteTags();
    bancada.danfe.ImprimirDANFEResumido();
    EXPECT_EQ(bancada.enviado.find("Descrição"), std::string::npos);
    EXPECT_NE(bancada.enviado.find("Qtde. total de itens"), std::string::npos);
    EXPECT_TRUE(bancada.danfe.ImprimeItens);

    bancada.pos.OnEnviarStringDevice = [](const std::string &, bool &) {
        throw EPosPrinterException("Impressora Sem Papel");
    };
    EXPECT_THROW(bancada.danfe.ImprimirDANFEResumido(), EPosPrinterException);
    EXPECT_TRUE(bancada.danfe.ImprimeItens);
}

TEST(DanfeEscPosFalhas, QrCodeTooLargeLeavesTheBufferAsItWas)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    bancada.nfe.Notas().ObterNota(0).NFe().infNFeSupl.qrCode = std::string(600, 'A');
    bancada.danfe.ImprimeQRCodeLateral = true;
    bancada.pos.Ativar();
    bancada.pos.AdicionarLinha("linha de outro cupom");
    try {
        bancada.danfe.ImprimirDANFE();
        ADD_FAILURE() << "a 600-character QR code was printed beside the text";
    } catch (const EPosPrinterException &erro) {
        EXPECT_STREQ(erro.what(), "QRCode muito grande");
    }
    EXPECT_EQ(bancada.pos.Buffer(), std::vector<std::string>{"linha de outro cupom"});
    EXPECT_EQ(bancada.envios, 0);

    // The next receipt comes out whole, after the line that was waiting.
    bancada.danfe.ImprimeQRCodeLateral = false;
    bancada.somenteTags();
    bancada.danfe.ImprimirDANFE();
    EXPECT_TRUE(bancada.enviado.starts_with("linha de outro cupom\n</zera>")) << bancada.enviado;
    EXPECT_EQ(bancada.enviado.find("Protocolo de Autorização"),
              bancada.enviado.rfind("Protocolo de Autorização"));
}

TEST(DanfeEscPosFalhas, OneLineItemWiderThanTheCouponKeepsNoDescription)
{
    DanfeBancada bancada(42, false);
    bancada.carregar("autorizada");
    TProd &prod = bancada.nfe.Notas().ObterNota(0).NFe().det.ObterItem(0).prod;
    prod.cProd = std::string(60, '7');
    bancada.danfe.SetImprimeEmUmaLinha(true);
    bancada.somenteTags();
    bancada.danfe.ImprimirDANFE();
    EXPECT_NE(bancada.enviado.find("</ae>001 " + prod.cProd + "  1 UN X 2,59 2,59\n"), std::string::npos)
        << bancada.enviado;
}

TEST(DanfeEscPosFalhas, CancelledPrintThroughTheBasePrintsTheEventReceiptOnce)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    ASSERT_TRUE(bancada.nfe.LoteEventos.LerTexto(testsupport::testData("data/printing/danfe/evento.xml")));
    bancada.somenteTags();
    bancada.danfe.TQuibDFeDANFeReport::ImprimirDANFEComoCancelada();
    EXPECT_FALSE(bancada.danfe.ImprimindoCancelada());
    EXPECT_EQ(bancada.envios, 1);
    EXPECT_NE(bancada.enviado.find("<n>EVENTO</n>"), std::string::npos);
}

TEST(DanfeEscPosFalhas, SideBySideOnlyWhereThePrinterHasPageMode)
{
    for (int modelo = ppTexto; modelo <= ppEscSunmi; ++modelo) {
        SCOPED_TRACE(modelo);
        DanfeBancada bancada;
        bancada.pos.SetModelo(static_cast<TQuibPosPrinterModelo>(modelo));
        bancada.carregar("autorizada");
        bancada.danfe.ImprimeQRCodeLateral = true;
        bancada.somenteTags();
        bancada.danfe.ImprimirDANFE();
        EXPECT_EQ(bancada.enviado.find("<mp>") != std::string::npos,
                  !bancada.pos.TagsNaoSuportadas().contains("<mp>"));
    }
}

} // namespace
