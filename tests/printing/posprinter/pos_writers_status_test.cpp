// Status and information of each printer family's writer, read from scripted
// printers on TCP and on a pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "printing/posprinter/esc_daruma.h"
#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/pty_printer.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::FakePosPrinter;
using testsupport::PtyPrinter;
using Script = std::map<std::string, std::string>;

std::string nul(const char *texto)
{
    return std::string(texto) + '\0';
}

// The Daruma configuration text: character 9 the cutter, 12 the columns, 40
// the code page.
std::string configuracaoDaruma(char colunas)
{
    std::string texto(40, '0');
    texto[8] = '1';
    texto[11] = colunas;
    texto[39] = '2';
    return texto + "\r";
}

Script daruma(const char *modelo, char colunas)
{
    return {{"\x1B\xC7", "v1.2\r"},
            {"\x1B\xC3", std::string(modelo) + "\r"},
            {"\x1B\xE5", configuracaoDaruma(colunas)}};
}

struct EstadoModelo {
    const char *nome;
    TQuibPosPrinterModelo modelo;
    Script script;
    TQuibPosPrinterStatus esperado;
};

// clang-format off
const EstadoModelo kEstados[] = {
    {"bematechPronta",      ppEscBematech, {{"\x1D\xF8\x31", std::string("\x00\x90\x00\x00\x00", 5)}}, {}},
    {"bematechSemPapel",    ppEscBematech, {{"\x1D\xF8\x31", std::string("\x08\x04\x00\x00\x00", 5)}}, {stSemPapel, stGavetaAberta, stOffLine, stTampaAberta}},
    {"bematechRespostaCurta", ppEscBematech, {{"\x1D\xF8\x31", std::string("\x00", 1)}},               {stErroLeitura}},
    {"elginPronta",         ppEscVox,      {{"\x05", "\x09"}},                                         {}},
    {"elginDesligada",      ppEscVox,      {{"\x05", std::string("\x00", 1)}},                         {stOffLine, stTampaAberta}},
    {"elginPapelGaveta",    ppEscVox,      {{"\x05", "\x1F"}},                                         {stPoucoPapel, stSemPapel, stGavetaAberta}},
    {"darumaPronta",        ppEscDaruma,   {{"\x05", "\x10"}, {"\x1D\x05", "\x10"}},                   {}},
    {"darumaEnqProblemas",  ppEscDaruma,   {{"\x05", "\xA9"}, {"\x1D\x05", "\x10"}},                   {stErro, stSemPapel, stImprimindo, stOffLine, stTampaAberta}},
    {"darumaGsEnqProblemas",ppEscDaruma,   {{"\x05", "\x10"}, {"\x1D\x05", "\xCB"}},                   {stErro, stPoucoPapel, stSemPapel, stGavetaAberta, stOffLine, stTampaAberta}},
    {"starPronta",          ppEscPosStar,  {{"\x1D\x72\x01", std::string("\x00", 1)}, {"\x1D\x72\x02", std::string("\x00", 1)}}, {}},
    {"starPoucoPapel",      ppEscPosStar,  {{"\x1D\x72\x01", "\x02"}, {"\x1D\x72\x02", "\x01"}},       {stPoucoPapel, stGavetaAberta}},
    {"starSemPapel",        ppEscPosStar,  {{"\x1D\x72\x01", "\x0C"}, {"\x1D\x72\x02", std::string("\x00", 1)}}, {stSemPapel}},
};
// clang-format on

class PosWritersStatus : public ::testing::TestWithParam<EstadoModelo> {};

TEST_P(PosWritersStatus, ReportsTheScriptedState)
{
    Script script = GetParam().script;
    script.merge(daruma("30000", '0')); // read by the Daruma writer at activation
    FakePosPrinter printer({.answers = script});
    TQuibPosPrinter pos;
    pos.SetModelo(GetParam().modelo);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), StatusParaTexto(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Estados, PosWritersStatus, ::testing::ValuesIn(kEstados),
                         [](const auto &info) { return std::string(info.param.nome); });

struct InfoModelo {
    const char *nome;
    TQuibPosPrinterModelo modelo;
    Script script;
    const char *esperado;
};

// clang-format off
const InfoModelo kInfos[] = {
    {"bematech", ppEscBematech, {{std::string("\x1D\xF9\x27\x00", 4), "MP-4200 TH"}, {"\x1D\xF9\x27\x01", "SER123"}, {"\x1D\xF9\x27\x03", "012"},
                                 {"\x1D\xF8\x31", std::string("\x00\x90\x00\x00\x00", 5)}},
     "Modelo=MP-4200 TH\nSerial=SER123\nFirmware=012\nGuilhotina=1\n"},
    {"bematechSemGuilhotina", ppEscBematech, {{std::string("\x1D\xF9\x27\x00", 4), "MP-2500 TH"}, {"\x1D\xF9\x27\x01", "SER9"}, {"\x1D\xF9\x27\x03", "013"},
                                 {"\x1D\xF8\x31", std::string("\x00\x90\x04\x00\x00", 5)}},
     "Modelo=MP-2500 TH\nSerial=SER9\nFirmware=013\nGuilhotina=0\n"},
    {"darumaColunas52", ppEscDaruma, daruma("30000", '1'),
     "Fabricante=Daruma\nFirmware=v1.2\nModelo=30000\nGuilhotina=1\nColunas=52\nCodPage=2\n"},
    {"darumaColunas34", ppEscDaruma, daruma("700", '2'),
     "Fabricante=Daruma\nFirmware=v1.2\nModelo=700\nGuilhotina=1\nColunas=34\nCodPage=2\n"},
    {"darumaColunas48", ppEscDaruma, daruma("700", '0'),
     "Fabricante=Daruma\nFirmware=v1.2\nModelo=700\nGuilhotina=1\nColunas=48\nCodPage=2\n"},
    {"customQ3X", ppCustomPos, {{"\x1D\x49\x03", "1.05"}, {"\x1D\x49\x01", "\xFF"}, {"\x1D\x49\xFF", "\x02\x29"}, {"\x1D\x49\x02", "\x02"}},
     "Fabricante=CUSTOM\nFirmware=1.05\nModelo=Q3X\nGuilhotina=1\n"},
    {"customK3", ppCustomPos, {{"\x1D\x49\x03", "1.05"}, {"\x1D\x49\x01", "\x8E"}, {"\x1D\x49\xFF", "\x02\x0A"}, {"\x1D\x49\x02", std::string("\x00", 1)}},
     "Fabricante=CUSTOM\nFirmware=1.05\nModelo=K3\nGuilhotina=0\n"},
    {"customKube", ppCustomPos, {{"\x1D\x49\x03", "2.00"}, {"\x1D\x49\x01", "e"}, {"\x1D\x49\x05", "\xBC"}, {"\x1D\x49\x02", "\x02"}},
     "Fabricante=CUSTOM\nFirmware=2.00\nModelo=KUBE II\nGuilhotina=1\n"},
    {"customDesconhecida", ppCustomPos, {{"\x1D\x49\x03", "2.00"}, {"\x1D\x49\x01", "_"}, {"\x1D\x49\x05", "\x91"}, {"\x1D\x49\x02", "\x02"}},
     "Fabricante=CUSTOM\nFirmware=2.00\nModelo=[145]\nGuilhotina=1\n"},
    {"star", ppEscPosStar, {{"\x1D\x49\x41", nul("1.0")}, {"\x1D\x49\x42", nul("STAR")}, {"\x1D\x49\x43", nul("TSP100")},
                            {"\x1D\x49\x44", nul("S1")}, {"\x1D\x49\x32", "\x0A"}},
     "Firmware=1.0\nFabricante=STAR\nModelo=TSP100\nSerial=S1\nGuilhotina=1\nCheque=1\n MICR=1\n"},
    {"starSemFirmware", ppEscPosStar, {{"\x1D\x49\x41", nul("")}, {"\x1D\x49\x42", nul("STAR")}}, ""},
    {"datecs", ppEscDatecs, {{"\x1B\x5A", "DPP-250               1.2"}, {"\x1B\x4E", " SN9 "}},
     "Fabricante=Datecs\nFirmware=1.2\nModelo=DPP-250\nSerial=SN9\nGuilhotina=0\n"},
    {"sunmiComGuilhotina", ppEscSunmi, {{"\x1D\x49\x41", nul("1.0")}, {"\x1D\x49\x42", nul("SUNMI")}, {"\x1D\x49\x43", nul("Nt311")},
                                        {"\x1D\x49\x44", nul("X9")}},
     "Firmware=1.0\nFabricante=SUNMI\nModelo=Nt311\nSerial=X9\nGuilhotina=1\n"},
    {"sunmiSemGuilhotina", ppEscSunmi, {{"\x1D\x49\x41", nul("1.0")}, {"\x1D\x49\x42", nul("sunmi")}, {"\x1D\x49\x43", nul("V2")},
                                        {"\x1D\x49\x44", nul("X9")}},
     "Firmware=1.0\nFabricante=sunmi\nModelo=V2\nSerial=X9\nGuilhotina=0\n"},
    {"diebold", ppEscDiebold, {}, "Fabricante=Diebold\n"},
};
// clang-format on

class PosWritersInfo : public ::testing::TestWithParam<InfoModelo> {};

TEST_P(PosWritersInfo, ReadsTheScriptedInformation)
{
    FakePosPrinter printer({.answers = GetParam().script});
    TQuibPosPrinter pos;
    pos.SetModelo(GetParam().modelo);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    EXPECT_EQ(pos.LerInfoImpressora(), GetParam().esperado);
}

INSTANTIATE_TEST_SUITE_P(Modelos, PosWritersInfo, ::testing::ValuesIn(kInfos),
                         [](const auto &info) { return std::string(info.param.nome); });

std::string esperarBytes(const PtyPrinter &printer, std::size_t quantidade)
{
    for (int i = 0; i < 250 && printer.received().size() < quantidade; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return printer.received();
}

TEST(PosWritersDaruma, FilePortConfiguresThePrinterAheadOfEachInitialisation)
{
    const testsupport::TempDir dir;
    const std::string arquivo = (dir / "daruma.prn").string();
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscDaruma);
    pos.SetPorta("FILE:" + arquivo);
    pos.Ativar();
    EXPECT_FALSE(dynamic_cast<TQuibEscDaruma &>(pos.ModeloAtual()).Configurada());
    pos.Imprimir("A");
    pos.Desativar();
    EXPECT_EQ(testsupport::readFile(arquivo), TQuibEscDaruma::ComandoConfiguracao('1') + "\x1B\x32"
                                                                                         "A");
    EXPECT_EQ(hexBytes(TQuibEscDaruma::ComandoConfiguracao('1').substr(30, 4)), "58 58 31 58");
    EXPECT_EQ(pos.ModeloAtual().RazaoColunaFonte().Condensada, 0.8421);
}

TEST(PosWritersDaruma, SerialPortConfiguresANewModelAtActivation)
{
    PtyPrinter printer(daruma("30000", '1'));
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscDaruma);
    pos.SetPorta(printer.path());
    pos.Ativar();
    const std::string configuracao = TQuibEscDaruma::ComandoConfiguracao('0');
    const std::string consultas = "\x1B\xC7\x1B\xC3\x1B\xE5";
    EXPECT_EQ(esperarBytes(printer, consultas.size() + configuracao.size()), consultas + configuracao);
    EXPECT_TRUE(dynamic_cast<TQuibEscDaruma &>(pos.ModeloAtual()).Configurada());
    EXPECT_EQ(pos.ModeloAtual().RazaoColunaFonte().Condensada, 0.75);
    EXPECT_EQ(pos.ColunasFonteNormal, 52);
    EXPECT_EQ(pos.ColunasCondensadas(), 69);

    // Printing sends no second configuration.
    pos.Imprimir("A");
    EXPECT_EQ(esperarBytes(printer, consultas.size() + configuracao.size() + 3), consultas + configuracao +
                                                                                     "\x1B\x32"
                                                                                     "A");
}

TEST(PosWritersDaruma, OlderModelKeepsTheWiderCondensedFont)
{
    PtyPrinter printer(daruma("2000", '2'));
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscDaruma);
    pos.SetPorta(printer.path());
    pos.Ativar();
    EXPECT_TRUE(esperarBytes(printer, 6 + 42).ends_with(TQuibEscDaruma::ComandoConfiguracao('1')));
    EXPECT_EQ(pos.ModeloAtual().RazaoColunaFonte().Condensada, 0.8421);
    EXPECT_EQ(pos.ColunasFonteNormal, 34);
}

TEST(PosWritersDaruma, SilentPrinterIsConfiguredAtTheFirstInitialisation)
{
    FakePosPrinter printer;
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscDaruma);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    pos.Ativar();
    EXPECT_TRUE(pos.Ativo());
    EXPECT_FALSE(dynamic_cast<TQuibEscDaruma &>(pos.ModeloAtual()).Configurada());
    pos.Imprimir("A");
    const std::string esperado = TQuibEscDaruma::ComandoConfiguracao('1') + "\x1B\x32"
                                                                            "A";
    EXPECT_TRUE(printer.waitForBytes(6 + esperado.size(), 5000).ends_with(esperado));
}

} // namespace
