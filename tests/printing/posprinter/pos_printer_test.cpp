#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"
#include "tests/support/fake_pos_printer.h"

namespace {

using testsupport::FakePosPrinter;

// An Epson-model component on a network printer that records the bytes.
class PosPrinterTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        pos.SetModelo(ppEscPosEpson);
        pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    }
    // Everything the component sent, captured at the send.
    void capturar()
    {
        pos.OnEnviarStringDevice = [this](const std::string &cmd, bool &tratado) {
            envios.push_back(cmd);
            tratado = true;
        };
    }
    FakePosPrinter printer;
    TQuibPosPrinter pos;
    std::vector<std::string> envios;
};

constexpr const char *kInicializa = "\x1B\x32\x1B\x74\x02"; // ESC 2, ESC t 2

TEST_F(PosPrinterTest, PrintingNeedsAnActiveComponentOrPortControl)
{
    pos.AdicionarLinha("x");
    try {
        pos.Imprimir();
        FAIL() << "printed while inactive";
    } catch (const EPosPrinterException &e) {
        EXPECT_STREQ(e.what(), "Não está Ativo");
    }
    EXPECT_EQ(pos.Buffer().size(), 1U); // a refusal keeps the buffer
}

TEST_F(PosPrinterTest, BufferLinesGoOutAfterTheInitialisationOnlyOnce)
{
    pos.Ativar();
    pos.AdicionarLinha("linha 1");
    pos.AdicionarLinha("linha 2");
    pos.Imprimir({}, true);
    pos.Imprimir("fim");
    const std::string esperado = std::string(kInicializa) + "linha 1\nlinha 2\nfim";
    EXPECT_EQ(hexBytes(printer.waitForBytes(esperado.size(), 2000)), hexBytes(esperado));
    EXPECT_TRUE(pos.Buffer().empty());
}

TEST_F(PosPrinterTest, EmptyTextSendsNothingNotEvenTheInitialisation)
{
    capturar();
    pos.Ativar();
    pos.Imprimir({}, false);
    EXPECT_TRUE(envios.empty());
    EXPECT_FALSE(pos.Inicializada());
}

TEST_F(PosPrinterTest, TextHoldingTheInitialisationIsNotPrefixedAgain)
{
    capturar();
    pos.Ativar();
    pos.Imprimir(std::string(kInicializa) + "a", false, false, false);
    ASSERT_EQ(envios.size(), 1U);
    EXPECT_EQ(envios[0], std::string(kInicializa) + "a");
    EXPECT_TRUE(pos.Inicializada());
}

TEST_F(PosPrinterTest, CopiesRepeatTheTextAndPortControlReinitialisesEachCopy)
{
    capturar();
    pos.Ativar();
    pos.Imprimir("x", false, true, true, 3);
    EXPECT_EQ(envios, (std::vector<std::string>{std::string(kInicializa) + "x", "x", "x"}));

    pos.Desativar();
    envios.clear();
    pos.ControlePorta = true;
    pos.Imprimir("y", false, true, true, 2);
    EXPECT_EQ(envios,
              (std::vector<std::string>{std::string(kInicializa) + "y", std::string(kInicializa) + "y"}));
    EXPECT_FALSE(pos.Device().Ativo());
}

TEST_F(PosPrinterTest, LineEndsBecomeLineFeedsButTheCrTagSurvives)
{
    capturar();
    pos.Ativar();
    pos.Imprimir("a\r\nb\rc\nd</cr>e");
    ASSERT_EQ(envios.size(), 1U);
    EXPECT_EQ(envios[0], std::string(kInicializa) + "a\nb\nc\nd\re");
}

TEST_F(PosPrinterTest, AlignmentBlocksPadOrCutToTheColumns)
{
    struct Case {
        const char *texto;
        std::string esperado;
    };
    const std::vector<Case> cases = {
        {"<ce>ABC</ce>", std::string(22, ' ') + "ABC" + std::string(23, ' ')},
        {"<ce>01234567890123456789012345678901234567890123456789</ce>",
         "012345678901234567890123456789012345678901234567"},
        {"<ad>AB</ad>", std::string(46, ' ') + "AB"},
        {"<ae>AB</ae>", "AB" + std::string(46, ' ')},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pos.DecodificarTags(c.texto), c.esperado) << c.texto;
}

TEST_F(PosPrinterTest, CutsFeedLinesAndCutOnlyWhenAllowed)
{
    pos.LinhasEntreCupons = 2;
    EXPECT_EQ(hexBytes(pos.DecodificarTags("</corte>")), "20 0A 20 0A 1D 56 00");
    pos.TipoCorte = ctParcial;
    EXPECT_EQ(hexBytes(pos.DecodificarTags("</corte>")), "20 0A 20 0A 1D 56 01");
    pos.CortaPapel = false;
    EXPECT_EQ(hexBytes(pos.DecodificarTags("</corte_total>")), "20 0A 20 0A");
}

TEST_F(PosPrinterTest, FontTagsFollowTheTrackedState)
{
    EXPECT_EQ(hexBytes(pos.DecodificarTags("<c><n></c>")), "1B 21 01 1B 21 09 1B 21 08");
    EXPECT_EQ(hexBytes(pos.DecodificarTags("<i>x</i>")), "78"); // unsupported: dropped
    pos.DecodificarTags("<c>");
    EXPECT_EQ(pos.DecodificarTags("</linha_simples>"), std::string(64, '-'));
    pos.DecodificarTags("</fn>");
    EXPECT_EQ(pos.DecodificarTags("</linha_dupla>"), std::string(48, '='));

    pos.DecodificarTags("<n>");
    pos.SetModelo(ppTexto); // a model change keeps the font state
    EXPECT_TRUE(pos.EstadoFonte().Contem(afNegrito));
}

TEST_F(PosPrinterTest, SettingBlocksStoreClampedValues)
{
    EXPECT_EQ(pos.DecodificarTags("<qrcode_largura>20</qrcode_largura><qrcode_tipo>0</qrcode_tipo>"), "");
    EXPECT_EQ(pos.Config().ConfigQRCode.LarguraModulo(), 16);
    EXPECT_EQ(pos.Config().ConfigQRCode.Tipo(), 1);
    pos.DecodificarTags(
        "<barra_mostrar>true</barra_mostrar><logo_imprimir>0</logo_imprimir><logo_kc1>304</logo_kc1>");
    EXPECT_TRUE(pos.Config().ConfigBarras.MostrarCodigo);
    EXPECT_TRUE(pos.Config().ConfigLogo.IgnorarLogo);
    EXPECT_EQ(pos.Config().ConfigLogo.KeyCode1, 304 & 0xFF);
    EXPECT_EQ(pos.DecodificarTags("</logo>"), "");
}

TEST_F(PosPrinterTest, UnsupportedBarcodePrintsItsDigits)
{
    EXPECT_EQ(pos.DecodificarTags("<msi>12a3</msi>"), "12a3");
    pos.SetModelo(ppTexto);
    EXPECT_EQ(pos.DecodificarTags("<code128c>12a3</code128c>"), "123");
}

TEST_F(PosPrinterTest, HeightsForQrCodesAndLines)
{
    struct Case {
        std::size_t tamanho;
        int pontos;
    };
    for (const Case &c : std::vector<Case>{{19, 248}, {20, 280}, {60, 312}, {61, 344}, {599, 696}})
        EXPECT_EQ(TQuibPosPrinter::AlturaQRCode(std::string(c.tamanho, 'A')), c.pontos) << c.tamanho;
    EXPECT_THROW(TQuibPosPrinter::AlturaQRCode(std::string(600, 'A')), EPosPrinterException);

    EXPECT_EQ(pos.AlturaLinhasEmPontos(3), 186);
    pos.SetEspacoEntreLinhas(30);
    EXPECT_EQ(pos.AlturaLinhasEmPontos(3), 96);
}

TEST_F(PosPrinterTest, BufferPrintsItselfWhenItOutgrowsItsLimit)
{
    capturar();
    pos.Ativar();
    pos.LinhasBuffer = 2;
    pos.AdicionarLinha("a");
    pos.AdicionarLinha("b");
    EXPECT_TRUE(envios.empty());
    pos.AdicionarLinha("c");
    EXPECT_EQ(envios, (std::vector<std::string>{std::string(kInicializa) + "a\nb\nc"}));
    EXPECT_TRUE(pos.Buffer().empty());
}

TEST_F(PosPrinterTest, CodePagesRecodeUtf8Text)
{
    pos.SetPaginaDeCodigo(pc850);
    EXPECT_EQ(hexBytes(pos.CodificarPaginaDeCodigo("ção€")), "87 C6 6F 3F");
    pos.SetPaginaDeCodigo(pcNone);
    EXPECT_EQ(pos.CodificarPaginaDeCodigo("ção"), "cao");
    pos.SetPaginaDeCodigo(pcUTF8);
    EXPECT_EQ(pos.CodificarPaginaDeCodigo("ção"), "ção");
    // On UTF-8 alignment counts characters and never cuts inside one.
    pos.ColunasFonteNormal = 3;
    EXPECT_EQ(pos.DecodificarTags("<ae>ção!</ae>"), "ção");
}

TEST_F(PosPrinterTest, ModelChangeDeactivatesAndExternalNeedsAWriter)
{
    pos.Ativar();
    pos.SetModelo(ppEscPosEpson);
    EXPECT_TRUE(pos.Ativo());
    pos.SetModelo(ppTexto);
    EXPECT_FALSE(pos.Ativo());
    EXPECT_EQ(pos.ModeloAtual().ModeloStr(), "Texto");
    EXPECT_THROW(pos.SetModelo(ppExterno), EPosPrinterException);
    EXPECT_EQ(pos.Modelo(), ppTexto);
}

TEST_F(PosPrinterTest, TagTableHasItsEntries)
{
    EXPECT_EQ(pos.Tags().count(), 78);
    EXPECT_EQ(pos.Tags()[51].Tag(), "<qrcode>");
    EXPECT_EQ(pos.Tags()[56].Tag(), "<qrcode>");
    EXPECT_EQ(pos.Tags()[77].Tag(), "<ignorar_tags>");
}

} // namespace
