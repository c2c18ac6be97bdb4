// The command bytes each printer family's writer gives for the tags of the
// printer tag language, through the component as a caller meets them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"

namespace {

struct Caso {
    TQuibPosPrinterModelo modelo;
    const char *texto;
    const char *hex;
};

std::string traduzir(TQuibPosPrinterModelo modelo, const std::string &texto)
{
    TQuibPosPrinter pos;
    pos.SetModelo(modelo);
    pos.LinhasEntreCupons = 0;
    return pos.DecodificarTags(texto);
}

// clang-format off
const Caso kCasos[] = {
    // Dot-matrix: fonts only; alignment blocks and barcodes print their
    // content as it stands.
    {ppEscEpsonP2,  "<n></n><e></e><c></c><i></i>",             "1B 47 1B 48 1B 57 31 1B 57 30 0F 12 1B 34 1B 35"},
    {ppEscEpsonP2,  "</fb></fa></fn></zera>",                    "0F 12 0F 1B 40 0F 1B 32"},
    {ppEscEpsonP2,  "<ce>AB</ce><ean13>789</ean13>",             "41 42 37 38 39"},
    {ppEscEpsonP2,  "</corte_total></corte_parcial></corte></beep></abre_gaveta><mp></ae>", ""},
    {ppEscEpsonP2,  "<qrcode>AB</qrcode><abre_gaveta>2</abre_gaveta>", "41 42 32"},
    // ESC/Bema: condensed and font B are the same command.
    {ppEscBematech, "<c></fb></fa></c>",                         "1B 0F 1B 0F 1B 48 1B 48"},
    {ppEscBematech, "</fn><n></n><a></a><i></i><e></e>",         "1B 21 00 1B 48 1B 35 1B 45 1B 46 1B 64 01 1B 64 00 1B 34 1B 35 1B 57 01 1B 57 00"},
    {ppEscBematech, "</ce></corte_total></corte_parcial></beep>", "1B 61 01 1B 77 1B 6D 1B 28 41 04 00 01 02 01 00"},
    {ppEscBematech, "</abre_gaveta><abre_gaveta>2</abre_gaveta>", "1B 76 C8 1B 80 C8"},
    {ppEscBematech, "<code128a>AB</code128a><code128b>{BC</code128b>", "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 02 41 42 1D 77 02 1D 68 32 1D 48 00 1D 6B 49 01 43"},
    {ppEscBematech, "<code128c>1-2-3</code128c><msi>12</msi><mp>", "31 2D 32 2D 33 31 32"},
    {ppEscBematech, "<qrcode_error>2</qrcode_error><qrcode>AB</qrcode>", "1D 6B 51 02 08 00 01 02 00 41 42"},
    {ppEscBematech, "</logo><logo_kc1>49</logo_kc1><logo_kc2>50</logo_kc2><logo_fatorx>2</logo_fatorx></logo>", "1C 70 01 00 1C 70 0C 01"},
    // Elgin: its own QR and drawer; the rest is ESC/Bema.
    {ppEscVox,      "</abre_gaveta><abre_gaveta>2</abre_gaveta>", "1B 76 6E C8 1B 76 6E C8"},
    {ppEscVox,      "<qrcode_error>3</qrcode_error><qrcode>AB</qrcode>", "1D 6F 00 04 00 02 1D 6B 0B 48 41 2C 41 42 00"},
    {ppEscVox,      "<code128>AB</code128><c>",                  "1D 77 02 1D 68 32 1D 48 00 1D 6B 49 02 41 42 1B 0F"},
    // Daruma: ESC j, ESC w, ESC b barcodes ended by NUL, ESC 0x81 QR.
    {ppEscDaruma,   "</ce><a></a></fa></fb><i></i></beep>",      "1B 6A 01 1B 77 01 1B 77 00 14 1B 0F 1B 34 01 1B 34 00 07"},
    {ppEscDaruma,   "</corte></corte_parcial></abre_gaveta><abre_gaveta>2</abre_gaveta></logo>", "1B 6D 1B 6D 1B 70 1B 70 16 08 16 09"},
    {ppEscDaruma,   "<ean13>789012345678</ean13>",               "1B 62 01 02 32 00 37 38 39 30 31 32 33 34 35 36 37 38 00"},
    {ppEscDaruma,   "<barra_largura>9</barra_largura><barra_altura>10</barra_altura><barra_mostrar>1</barra_mostrar><code39>AB</code39>", "1B 62 06 05 32 01 41 42 00"},
    {ppEscDaruma,   "<barra_largura>1</barra_largura><barra_altura>900</barra_altura><code11>12</code11><msi>3</msi>", "1B 62 0B 02 C8 00 31 32 00 1B 62 0A 02 C8 00 33 00"},
    {ppEscDaruma,   "<code128b>AB</code128b><upce>123</upce><code128c>45</code128c>", "1B 62 05 02 32 00 41 42 00 31 32 33 34 35"},
    {ppEscDaruma,   "<qrcode>AB</qrcode><qrcode_error>2</qrcode_error><qrcode_largura>9</qrcode_largura><qrcode>C</qrcode>", "1B 81 04 00 04 00 41 42 1B 81 03 00 07 51 43"},
    // Diebold: ESC/POS but italic, Code 128 without code set, ESC ( k QR.
    {ppEscDiebold,  "<i></i></e><code128a>AB</code128a><code128c>1</code128c>", "1B 34 1B 35 1B 21 00 1D 77 02 1D 68 32 1D 48 00 1D 6B 49 02 41 42 31"},
    {ppEscDiebold,  "<qrcode>AB</qrcode>",                       "1B 28 6B 03 00 31 42 30 1B 28 6B 03 00 31 43 04 1B 28 6B 03 00 31 45 30 1B 28 6B 05 00 31 50 30 41 42 1B 28 6B 03 00 31 51 30"},
    {ppEscDiebold,  "</ce><qrcode_largura>3</qrcode_largura><qrcode_error>1</qrcode_error><qrcode>A</qrcode>", "1B 61 01 1B 28 6B 03 00 31 42 31 1B 28 6B 03 00 31 43 03 1B 28 6B 03 00 31 45 31 1B 28 6B 04 00 31 50 30 41 1B 28 6B 03 00 31 51 30"},
    {ppEscDiebold,  "<logo_kc1>48</logo_kc1><logo_kc2>55</logo_kc2></logo><logo_kc1>49</logo_kc1></logo><logo_kc2>0</logo_kc2></logo>", "1D 30 39 07 1D 30 39 09 1D 30 39 00"},
    // CustomPos: ESC ! with italic, its own cuts and QR, no page mode or beep.
    {ppCustomPos,   "<c><i></c></i><in>",                        "1B 21 01 1B 21 41 1B 21 40 1B 21 00 1D 42 01"},
    {ppCustomPos,   "</corte_total></corte_parcial></beep><mp></mp_imprimir></mp>", "1B 69 1B 6D"},
    {ppCustomPos,   "<qrcode>AB</qrcode>",                       "1D 28 6B 03 00 31 41 00 1D 28 6B 03 00 31 42 04 1D 28 6B 03 00 31 45 00 1D 28 6B 05 00 31 50 31 41 42 1D 28 6B 03 00 31 51 31"},
    {ppCustomPos,   "<qrcode_tipo>1</qrcode_tipo><qrcode_largura>1</qrcode_largura><qrcode_error>3</qrcode_error><qrcode>A</qrcode>", "1D 28 6B 03 00 31 41 01 1D 28 6B 03 00 31 42 02 1D 28 6B 03 00 31 45 03 1D 28 6B 04 00 31 50 31 41 1D 28 6B 03 00 31 51 31"},
    // Star: its beep and drawer; FS . before the code page.
    {ppEscPosStar,  "</beep></abre_gaveta><abre_gaveta>2</abre_gaveta>", "1B 1D 07 01 02 05 10 14 01 00 06 10 14 01 00 06"},
    {ppEscPosStar,  "</zera>",                                   "1B 40 1B 32 1C 2E 1B 74 02"},
    {ppEscPosStar,  "<qrcode>AB</qrcode>",                       "1D 28 6B 04 00 31 41 32 00 1D 28 6B 03 00 31 43 04 1D 28 6B 03 00 31 45 30 1D 28 6B 05 00 31 50 30 41 42 1D 28 6B 03 00 31 51 30"},
    // ZJiang: both cuts alike, ESC B beep, ESC Z QR with modules up to 8.
    {ppEscZJiang,   "</corte_total></corte_parcial></beep><mp></mp>", "1D 56 01 1D 56 01 1B 42 01 03"},
    {ppEscZJiang,   "<qrcode_largura>16</qrcode_largura><qrcode_error>1</qrcode_error><qrcode>AB</qrcode>", "1B 5A 00 4D 08 02 00 41 42"},
    {ppEscGPrinter, "</beep></corte_total><qrcode_largura>16</qrcode_largura><qrcode>A</qrcode>", "1B 42 01 03 1D 56 00 1D 28 6B 04 00 31 41 32 00 1D 28 6B 03 00 31 43 10 1D 28 6B 03 00 31 45 30 1D 28 6B 04 00 31 50 30 41 1D 28 6B 03 00 31 51 30"},
    // Datecs: BEL beep, GS Q QR with modules up to 14.
    {ppEscDatecs,   "</beep><qrcode_largura>16</qrcode_largura><qrcode_error>3</qrcode_error><qrcode>AB</qrcode>", "07 1D 53 00 1D 51 06 0E 04 02 00 41 42"},
    // Sunmi: ESC ! for every attribute, font B as condensed, no italic tags
    // and no logos.
    {ppEscSunmi,    "<c></fb></c><i><in>",                       "1B 21 01 1B 21 01 1B 21 01 1D 42 01"},
    {ppEscSunmi,    "</zera></beep></logo>",                     "1B 40 1B 4D 00 1B 32 1C 2E 1B 74 02 1B 1D 07 31 02 05"},
    {ppEscSunmi,    "<qrcode>AB</qrcode>",                       "1D 28 6B 04 00 31 41 00 00 1D 28 6B 03 00 31 43 04 1D 28 6B 03 00 31 45 30 1D 28 6B 05 00 31 50 30 41 42 1D 28 6B 03 00 31 51 30"},
};
// clang-format on

TEST(PosWritersTest, TagsGiveEachFamilysCommandBytes)
{
    for (const Caso &c : kCasos)
        EXPECT_EQ(hexBytes(traduzir(c.modelo, c.texto)), c.hex)
            << static_cast<int>(c.modelo) << " " << c.texto;
}

TEST(PosWritersTest, EachModelHasItsWriterNameAndRatios)
{
    struct Modelo {
        TQuibPosPrinterModelo modelo;
        const char *nome;
        double condensada;
    };
    // clang-format off
    const std::vector<Modelo> modelos = {
        {ppTexto, "Texto", 1.0},              {ppEscPosEpson, "EscPosEpson", 0.75}, {ppEscBematech, "EscBematech", 0.75},
        {ppEscDaruma, "EscDaruma", 0.8421},   {ppEscVox, "EscElgin", 0.75},         {ppEscDiebold, "EscDiebold", 0.75},
        {ppEscEpsonP2, "EscEpsonP2", 0.75},   {ppCustomPos, "EscCustomPos", 0.75},  {ppEscPosStar, "EscPosStar", 0.75},
        {ppEscZJiang, "EscZJiang", 0.75},     {ppEscGPrinter, "EscGPrinter", 0.75}, {ppEscDatecs, "EscDatecs", 0.75},
        {ppEscSunmi, "EscSunmi", 0.75},
    };
    // clang-format on
    TQuibPosPrinter pos;
    for (const Modelo &m : modelos) {
        pos.SetModelo(m.modelo);
        EXPECT_EQ(pos.ModeloAtual().ModeloStr(), m.nome);
        EXPECT_EQ(pos.ModeloAtual().RazaoColunaFonte().Condensada, m.condensada) << m.nome;
    }
}

TEST(PosWritersTest, BarcodesWithoutCodeSetFillTheWholeLengthByte)
{
    for (TQuibPosPrinterModelo modelo : {ppEscBematech, ppEscVox, ppEscDiebold}) {
        // 255 characters are what the content keeps; no code set eats into them.
        const std::string comando = traduzir(modelo, "<code128>" + std::string(300, 'X') + "</code128>");
        ASSERT_EQ(comando.size(), 13U + 255U);
        EXPECT_EQ(static_cast<unsigned char>(comando[12]), 255);
        EXPECT_EQ(comando.substr(13), std::string(255, 'X'));
    }
}

TEST(PosWritersTest, DarumaLargeQrRaisesTheModuleForLaterCodes)
{
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscDaruma);
    pos.Config().ConfigQRCode.LarguraModulo(3);
    pos.Config().ConfigQRCode.ErrorLevel(0);
    const std::string comando = pos.DecodificarTags("<qrcode>" + std::string(300, 'Q') + "</qrcode>");
    EXPECT_EQ(hexBytes(comando.substr(0, 6)), "1B 81 2E 01 03 4D");
    EXPECT_EQ(pos.Config().ConfigQRCode.LarguraModulo(), 4);
    EXPECT_EQ(pos.Config().ConfigQRCode.ErrorLevel(), 0);
}

TEST(PosWritersTest, LogoKeyCodesTheFamiliesRefuse)
{
    struct Recusa {
        TQuibPosPrinterModelo modelo;
        const char *mensagem;
    };
    // clang-format off
    const std::vector<Recusa> recusas = {
        {ppCustomPos,  "Custom apenas aceitas KeyCode1=1, KeyCode2=0"},
        {ppEscZJiang,  "EscZJiang apenas aceitas KeyCode1=1, KeyCode2=0"},
        {ppEscDatecs,  "EscDatecs apenas aceitas KeyCode1=1, KeyCode2=0"},
    };
    // clang-format on
    for (const Recusa &r : recusas) {
        TQuibPosPrinter pos;
        pos.SetModelo(r.modelo);
        try {
            pos.DecodificarTags("</logo>");
            ADD_FAILURE() << r.mensagem;
        } catch (const EPosPrinterException &e) {
            EXPECT_STREQ(e.what(), r.mensagem);
        }
        // The legacy store prints.
        pos.Config().ConfigLogo.KeyCode1 = '1';
        pos.Config().ConfigLogo.KeyCode2 = 0;
        EXPECT_EQ(hexBytes(pos.DecodificarTags("</logo>")), "1C 70 01 00");
    }

    TQuibPosPrinter bematech;
    bematech.SetModelo(ppEscBematech);
    EXPECT_THROW(
        {
            try {
                bematech.ModeloAtual().ComandoGravarLogoRasterStr(std::string(1, '\xFF'), 8, 1);
            } catch (const EPosPrinterException &e) {
                EXPECT_STREQ(e.what(), "Bematech apenas aceitas KeyCode1=1, KeyCode2=0");
                throw;
            }
        },
        EPosPrinterException);
    bematech.Config().ConfigLogo.KeyCode1 = 1;
    bematech.Config().ConfigLogo.KeyCode2 = 0;
    EXPECT_EQ(hexBytes(bematech.ModeloAtual().ComandoApagarLogo().substr(0, 7)), "1C 71 01 01 00 01 00");

    TQuibPosPrinter custom;
    custom.SetModelo(ppCustomPos);
    EXPECT_THROW(custom.ModeloAtual().ComandoApagarLogo(), EPosPrinterException);
    EXPECT_THROW(custom.ModeloAtual().ComandoGravarLogoRasterStr("", 0, 0), EPosPrinterException);
}

TEST(PosWritersTest, StarDrawerFollowsTheInvertedSignal)
{
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosStar);
    pos.Config().ConfigGaveta.SinalInvertido = true;
    pos.Config().ConfigGaveta.TempoOFF = 100;
    EXPECT_EQ(hexBytes(pos.DecodificarTags("</abre_gaveta>")), "10 14 01 01 03");
}

TEST(PosWritersTest, InitialisationOfEachFamily)
{
    // clang-format off
    const std::vector<std::pair<TQuibPosPrinterModelo, const char *>> casos = {
        {ppEscBematech, "1D F9 20 00 1B 33 1E 1B 74 02"},
        {ppEscVox,      "1D F9 20 00 1B 33 1E 1B 74 02"},
        {ppEscEpsonP2,  "1B 30 1E"},
        {ppEscPosStar,  "1B 33 1E 1C 2E 1B 74 02"},
        {ppEscSunmi,    "1B 33 1E 1C 2E 1B 74 02"},
    };
    // clang-format on
    for (const auto &[modelo, hex] : casos) {
        TQuibPosPrinter pos;
        pos.SetModelo(modelo);
        pos.SetEspacoEntreLinhas(30);
        EXPECT_EQ(hexBytes(pos.ModeloAtual().ComandoInicializa()), hex) << static_cast<int>(modelo);
    }
    TQuibPosPrinter bematech;
    bematech.SetModelo(ppEscBematech);
    for (const auto &[pagina, hex] : std::vector<std::pair<TQuibPosPaginaCodigo, const char *>>{
             {pc437, "1B 74 03"}, {pc860, "1B 74 04"}, {pcUTF8, "1B 74 08"}, {pc1252, ""}, {pc852, ""}})
        EXPECT_EQ(hexBytes(bematech.ModeloAtual().ComandoPaginaDeCodigo(pagina)), hex);
}

} // namespace
