#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/posprinter/escpos_epson.h"
#include "tests/printing/posprinter/hex_bytes.h"

namespace {

class EscPosEpsonTest : public ::testing::Test {
  protected:
    TQuibPosConfig config;
    TQuibEscPosEpson writer{config};
};

TEST_F(EscPosEpsonTest, CommandSetHasTheEscPosBytes)
{
    const TQuibPosComandos &c = writer.Comandos();
    struct Case {
        const char *name;
        const std::string &field;
        const char *hex;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"Beep",              c.Beep,              "1B 28 41 05 00 61 64 01 32 32"},
        {"AlinhadoCentro",    c.AlinhadoCentro,    "1B 61 01"},
        {"AlinhadoDireita",   c.AlinhadoDireita,   "1B 61 02"},
        {"AlinhadoEsquerda",  c.AlinhadoEsquerda,  "1B 61 00"},
        {"CorteParcial",      c.CorteParcial,      "1D 56 01"},
        {"CorteTotal",        c.CorteTotal,        "1D 56 00"},
        {"DesligaModoPagina", c.DesligaModoPagina, "1B 53"},
        {"LigaModoPagina",    c.LigaModoPagina,    "1B 4C"},
        {"ImprimePagina",     c.ImprimePagina,     "1B 0C"},
        {"LigaCondensado",    c.LigaCondensado,    "0F"},
        {"DesligaCondensado", c.DesligaCondensado, "12"},
        {"LigaExpandido",     c.LigaExpandido,     "1D 21 10"},
        {"FonteB",            c.FonteB,            "1B 4D 01"},
        {"LigaItalico",       c.LigaItalico,       ""},
        {"PuloDeLinha",       c.PuloDeLinha,       "0A"},
        {"Zera",              c.Zera,              "1B 40"},
    };
    // clang-format on
    for (const auto &cs : cases)
        EXPECT_EQ(hexBytes(cs.field), cs.hex) << cs.name;
    EXPECT_EQ(writer.ModeloStr(), "EscPosEpson");
    EXPECT_EQ(writer.RazaoColunaFonte().Condensada, 0.75);
    EXPECT_EQ(writer.RazaoColunaFonte().Expandida, 2.0);
    EXPECT_EQ(writer.TagsNaoSuportadas(), (std::set<std::string>{"<msi>", "<i>", "</i>"}));
}

TEST_F(EscPosEpsonTest, FontAttributesCombineIntoOneEscBang)
{
    // "<c>" then "<n>" then "</c>", the component's state following each tag.
    config.EstadoFonte = {afNormal};
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afCondensado, true)), "1B 21 01");
    config.EstadoFonte.Incluir(afCondensado);
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afNegrito, true)), "1B 21 09");
    config.EstadoFonte.Incluir(afNegrito);
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afCondensado, false)), "1B 21 08");

    config.EstadoFonte = {afSublinhado, afAlturaDupla, afInvertido};
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afExpandido, true)), "1B 21 B0 1D 42 01");
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afInvertido, false)), "1D 42 00");
    EXPECT_EQ(hexBytes(writer.ComandoFonte(afFonteB, false)), "1B 4D 00");
    EXPECT_EQ(writer.ComandoFonte(afNormal, true), "");
}

TEST_F(EscPosEpsonTest, InitialisationSelectsSpacingAndCodePage)
{
    struct Case {
        TQuibPosPaginaCodigo pagina;
        const char *hex;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {pc437, "1B 33 1E 1B 74 00"}, {pc850, "1B 33 1E 1B 74 02"}, {pc852, "1B 33 1E 1B 74 12"},
        {pc860, "1B 33 1E 1B 74 03"}, {pc1252, "1B 33 1E 1B 74 10"},
        {pcUTF8, "1B 33 1E"},         {pcNone, "1B 33 1E"},
    };
    // clang-format on
    config.EspacoEntreLinhas = 30;
    for (const auto &c : cases) {
        config.PaginaDeCodigo = c.pagina;
        EXPECT_EQ(hexBytes(writer.ComandoInicializa()), c.hex) << int(c.pagina);
    }
    config.EspacoEntreLinhas = 0;
    config.PaginaDeCodigo = pc850;
    EXPECT_EQ(hexBytes(writer.ComandoInicializa()), "1B 32 1B 74 02");
}

TEST_F(EscPosEpsonTest, BarcodesFollowTheirTagAndSettings)
{
    struct Case {
        const char *name;
        const char *tag;
        std::string content;
        TQuibECFConfigBarras barras;
        const char *hex;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"code128 gets set B",     "<code128>",  "ABC",   {}, "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 05 7B 42 41 42 43"},
        {"already prefixed",       "<code128>",  "{AAB",  {}, "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 04 7B 41 41 42"},
        {"code128a",               "<code128a>", "A",     {}, "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 03 7B 41 41"},
        {"code128c packs digits",  "<code128c>", "1-23",  {}, "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 04 7B 43 01 17"},
        {"ean13 shown, clamped",   "<ean13>",    "789",   {true, 300, 9, 0}, "1D 77 04 1D 68 FF 1D 48 02 1D 6B 43 03 37 38 39"},
        {"low clamps",             "<ean8>",     "1",     {false, -5, -1, 0}, "1D 77 01 1D 68 01 1D 48 00 1D 6B 44 01 31"},
        {"unknown prints as text", "<code11>",   "123",   {}, "31 32 33"},
    };
    // clang-format on
    for (const auto &c : cases) {
        config.ConfigBarras = c.barras;
        EXPECT_EQ(hexBytes(writer.ComandoCodigoBarras(c.tag, c.content)), c.hex) << c.name;
    }
}

TEST_F(EscPosEpsonTest, BarcodeDataIsCutToWhatItsLengthByteCounts)
{
    const std::string result = writer.ComandoCodigoBarras("<code128>", std::string(255, 'X'));
    ASSERT_EQ(result.size(), 13U + 255U);
    EXPECT_EQ(static_cast<unsigned char>(result[12]), 255);
    EXPECT_EQ(result.substr(13, 3), "{BX");
}

TEST_F(EscPosEpsonTest, BarcodeWithoutCodeSetDropsThePrefix)
{
    EXPECT_EQ(
        hexBytes(TQuibEscPosEpson::ComandoCodigoBarrasEscPosSemPrefixo("<code128c>", "ABC", false, 0, 0)),
        "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 03 41 42 43");
    EXPECT_EQ(
        hexBytes(TQuibEscPosEpson::ComandoCodigoBarrasEscPosSemPrefixo("<code128>", "{AX", false, 0, 0)),
        "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 01 58");
}

TEST_F(EscPosEpsonTest, QrCodeIsSentFunctionByFunction)
{
    config.ConfigQRCode.Tipo(1);
    config.ConfigQRCode.LarguraModulo(4);
    config.ConfigQRCode.ErrorLevel(1);
    EXPECT_EQ(hexBytes(writer.ComandoQRCode("AB")), "1D 28 6B 04 00 31 41 31 00 "
                                                    "1D 28 6B 03 00 31 43 04 "
                                                    "1D 28 6B 03 00 31 45 31 "
                                                    "1D 28 6B 05 00 31 50 30 41 42 "
                                                    "1D 28 6B 03 00 31 51 30");
}

TEST_F(EscPosEpsonTest, DrawerAndPageModeCommands)
{
    EXPECT_EQ(hexBytes(writer.ComandoGaveta(1)), "1B 70 00 32 C8");
    EXPECT_EQ(hexBytes(writer.ComandoGaveta(2)), "1B 70 01 32 C8");

    config.ConfigModoPagina = {512, 300, 10, 20, dirTopoParaBaixo, 0};
    EXPECT_EQ(hexBytes(writer.ComandoConfigurarModoPagina()), "1B 54 03 1B 32 1B 57 0A 00 14 00 00 02 2C 01");
    EXPECT_EQ(hexBytes(writer.ComandoPosicaoModoPagina({300, 2})), "1B 24 2C 01 1D 24 02 00");
}

TEST_F(EscPosEpsonTest, StoredLogoCommands)
{
    config.ConfigLogo = {false, '1', 0, 1, 1};
    EXPECT_EQ(hexBytes(writer.ComandoImprimirLogo()), "1C 70 01 00");
    config.ConfigLogo.FatorX = 2;
    config.ConfigLogo.FatorY = 2;
    EXPECT_EQ(hexBytes(writer.ComandoImprimirLogo()), "1C 70 01 03");

    config.ConfigLogo = {false, 32, 33, 2, 1};
    EXPECT_EQ(hexBytes(writer.ComandoImprimirLogo()), "1D 28 4C 06 00 30 45 20 21 02 01");
    EXPECT_EQ(hexBytes(writer.ComandoApagarLogo()), "1D 28 4C 04 00 30 42 20 21");
    EXPECT_EQ(hexBytes(writer.ComandoGravarLogoRasterStr(std::string("\xF0", 1), 8, 1)),
              "1D 28 4C 0C 00 30 43 30 20 21 01 08 00 01 00 31 F0");
}

TEST_F(EscPosEpsonTest, BadLogoKeyCodesAreRefusedBeforeAnyByte)
{
    struct Case {
        std::uint8_t kc1, kc2;
        const char *message;
    };
    const std::vector<Case> cases = {{20, 40, "KeyCode1 deve estar entre 32 a 126"},
                                     {127, 20, "KeyCode1 deve estar entre 32 a 126"},
                                     {40, 127, "KeyCode2 deve estar entre 32 a 126"}};
    for (const auto &c : cases) {
        config.ConfigLogo.KeyCode1 = c.kc1;
        config.ConfigLogo.KeyCode2 = c.kc2;
        for (auto op : {+[](TQuibEscPosEpson &w) { w.ComandoImprimirLogo(); },
                        +[](TQuibEscPosEpson &w) { w.ComandoApagarLogo(); },
                        +[](TQuibEscPosEpson &w) { w.ComandoGravarLogoRasterStr("", 8, 1); }}) {
            try {
                op(writer);
                ADD_FAILURE() << "no error for " << int(c.kc1) << "/" << int(c.kc2);
            } catch (const EPosPrinterException &e) {
                EXPECT_STREQ(e.what(), c.message);
            }
        }
    }
}

TEST_F(EscPosEpsonTest, LegacyLogoStoreCountsWidthInByteColumns)
{
    // 10 dots wide, 9 high: 2 width units, 2 bytes per column, 2 × 8 × 2 bytes.
    std::string raster(2 * 9, '\0');
    raster[0] = static_cast<char>(0x80); // top-left dot
    config.ConfigLogo = {false, '1', 0, 1, 1};
    const std::string result = writer.ComandoGravarLogoRasterStr(raster, 10, 9);
    ASSERT_EQ(result.size(), 7U + 32U);
    EXPECT_EQ(hexBytes(result.substr(0, 9)), "1C 71 01 02 00 02 00 80 00");
    EXPECT_EQ(result.find_first_not_of('\0', 8), std::string::npos);

    EXPECT_EQ(hexBytes(writer.ComandoApagarLogo()), "1C 71 01 01 00 01 00 00 00 00 00 00 00 00 00");
    config.ConfigLogo.KeyCode1 = '2';
    EXPECT_THROW(writer.ComandoApagarLogo(), EPosPrinterException);
}

TEST_F(EscPosEpsonTest, LargeGraphicBlocksSwitchToTheLongForm)
{
    const std::string at65535 = TQuibEscPosEpson::ComandoGraficoEscPos(std::string(65535, 'x'));
    EXPECT_EQ(hexBytes(at65535.substr(0, 5)), "1D 28 4C FF FF");
    EXPECT_EQ(at65535.size(), 65535U + 5U);
    const std::string at65536 = TQuibEscPosEpson::ComandoGraficoEscPos(std::string(65536, 'x'));
    EXPECT_EQ(hexBytes(at65536.substr(0, 7)), "1D 38 4C 00 00 01 00");
    EXPECT_EQ(at65536.size(), 65536U + 7U);
}

TEST_F(EscPosEpsonTest, RasterPictureUsesBufferedGraphics)
{
    const std::string result = writer.ComandoImagemRaster(std::string("\xFF\x80", 2), 9, 1);
    EXPECT_EQ(hexBytes(result), "1D 28 4C 0C 00 30 70 30 01 01 31 09 00 01 00 FF 80 1D 28 4C 02 00 30 32");
}

TEST_F(EscPosEpsonTest, ColumnPictureDeclaresThePaddedWidthOfItsBands)
{
    // 12 dots wide, 2 rows: one 24-dot band of 16 columns × 3 bytes.
    config.ConfigLogo.KeyCode2 = 0;
    config.EspacoEntreLinhas = 30;
    const std::string raster("\xFF\xF0\x80\x00", 4);
    const std::string result = writer.ComandoImagemRaster(raster, 12, 2);
    ASSERT_EQ(result.size(), 3U + 5U + 48U + 1U + 3U);
    EXPECT_EQ(hexBytes(result.substr(0, 8)), "1B 33 10 1B 2A 21 10 00");
    EXPECT_EQ(hexBytes(result.substr(8, 6)), "C0 00 00 80 00 00"); // two columns: both rows, top row
    EXPECT_EQ(hexBytes(result.substr(8 + 11 * 3, 15)), "80 00 00 00 00 00 00 00 00 00 00 00 00 00 00");
    EXPECT_EQ(hexBytes(result.substr(56)), "0A 1B 33 1E");
}

TEST_F(EscPosEpsonTest, ChequeCommands)
{
    EXPECT_EQ(hexBytes(writer.ComandoFinalizarCheque()), "10 05 03 18 1B 53 1C 61 32 0C");
    EXPECT_EQ(hexBytes(writer.ComandoIniciarCheque(false, 3)),
              "1B 3D 01 1B 66 00 1E 1B 4A 00 1D 28 47 02 00 30 04 1D 28 47 02 00 54 01");
    EXPECT_EQ(hexBytes(writer.ComandoLerMICR(0)),
              "1B 3D 01 1B 66 00 00 1B 4A 00 1C 28 66 08 00 00 FF 01 01 02 01 03 00 1C 61 30 01");
}

} // namespace
