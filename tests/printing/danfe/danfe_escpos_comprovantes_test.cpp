// The event and voiding receipts in the cases their goldens do not show.

#include <gtest/gtest.h>

#include <string>

#include "danfe_bancada.h"
#include "foundation/text/text_utils.h"
#include "tests/support/test_data.h"

namespace {

using testsupport::DanfeBancada;

bool contem(const std::string &texto, const std::string &trecho)
{
    return texto.find(trecho) != std::string::npos;
}

TEST(DanfeEscPosComprovantes, EventBatchWithoutEventsPrintsNoIdentificationAndNoReason)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    bancada.somenteTags();
    bancada.danfe.ImprimirEVENTO();
    const std::string &texto = bancada.enviado;
    EXPECT_TRUE(contem(texto, "<n>EMPRESA DE TESTE LTDA</n>"));
    EXPECT_TRUE(contem(texto, "CONSUMIDOR - CPF 123.456.789-09"));
    EXPECT_TRUE(contem(texto, "<qrcode>"));
    EXPECT_TRUE(texto.ends_with("</corte>"));
    EXPECT_FALSE(contem(texto, "EVENTO"));
    EXPECT_FALSE(contem(texto, "JUSTIFICATIVA"));
}

TEST(DanfeEscPosComprovantes, OnlyTheFirstEventPrintsAndItsJustificationWinsOverTheCorrection)
{
    DanfeBancada bancada;
    bancada.carregar("autorizada");
    ASSERT_TRUE(bancada.nfe.LoteEventos.LerTexto(testsupport::testData("data/printing/danfe/evento.xml")));
    ASSERT_TRUE(bancada.nfe.LoteEventos.LerTexto(testsupport::testData("data/answers/procEventoNFe.xml")));
    bancada.nfe.LoteEventos.Eventos.ObterItem(0).InfEvento.detEvento.xCorrecao = "Texto da correção";
    bancada.somenteTags();
    bancada.danfe.ImprimirEVENTO();
    const std::string &texto = bancada.enviado;
    EXPECT_TRUE(contem(texto, "Evento:    110111\n"));
    EXPECT_FALSE(contem(texto, "110110"));
    EXPECT_TRUE(contem(texto, "</fn></ae>Cliente desistiu da compra após o pagamento"));
    EXPECT_FALSE(contem(texto, "CORREÇÃO"));

    // Without a justification the correction is the reason.
    bancada.nfe.LoteEventos.Eventos.ObterItem(0).InfEvento.detEvento.xJust.clear();
    bancada.enviado.clear();
    bancada.danfe.ImprimirEVENTO();
    EXPECT_TRUE(contem(bancada.enviado, "</fn></ce><n>CORREÇÃO</n>\n</fn></ae>Texto da correção\n"));
}

TEST(DanfeEscPosComprovantes, VoidingWithoutNoteOrKnownEnvironment)
{
    DanfeBancada bancada;
    ASSERT_TRUE(bancada.nfe.PedidoInutilizacao.LerTexto(
        testsupport::testData("data/printing/danfe/inutilizacao.xml")));
    bancada.nfe.PedidoInutilizacao.RetInutNFe.tpAmb = static_cast<TpcnTipoAmbiente>(7);
    bancada.somenteTags();
    bancada.danfe.ImprimirINUTILIZACAO();
    const std::string &texto = bancada.enviado;
    EXPECT_TRUE(contem(texto, "\n" + CompletaDireita("AMBIENTE:", 18) + "\n")) << texto;
    EXPECT_FALSE(contem(texto, "</zera>"));
    EXPECT_FALSE(contem(texto, "CNPJ"));
    EXPECT_TRUE(contem(texto, "NUM. INUTILIZADA: 130 a 140\n"));
}

} // namespace
