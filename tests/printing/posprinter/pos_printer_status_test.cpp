#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/pty_printer.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::FakePosPrinter;
using testsupport::PtyPrinter;
using Script = std::map<std::string, std::string>;

const std::string kDleEot1 = "\x10\x04\x01";
const std::string kDleEot2 = "\x10\x04\x02";
const std::string kDleEot4 = "\x10\x04\x04";

// An Epson printer that answers its information (no cheque station) and the
// three status queries with the given bytes.
Script epson(char printer, char offline, char paper)
{
    return {{"\x1D\x49\x42", std::string("_EPSON\0", 7)},
            {"\x1D\x49\x41", std::string("_1.07\0", 6)},
            {"\x1D\x49\x43", std::string("_TM-Q\0", 6)},
            {"\x1D\x49\x44", std::string("_X1\0", 4)},
            {"\x1D\x49\x32", "\x02"},
            {kDleEot1, std::string(1, printer)},
            {kDleEot2, std::string(1, offline)},
            {kDleEot4, std::string(1, paper)}};
}

struct Estado {
    const char *nome;
    Script script;
    TQuibPosPrinterStatus esperado;
};

// Fixed bits of the real-time status bytes: 0x12 (bits 1 and 4); bit 2 of
// the printer byte is the drawer's closed signal.
// clang-format off
const Estado kEstados[] = {
    {"pronta",        epson(0x16, 0x12, 0x12), {}},
    {"desligada",     epson(0x1E, 0x12, 0x12), {stOffLine}},
    {"poucoPapel",    epson(0x16, 0x12, 0x1E), {stPoucoPapel}},
    {"semPapel",      epson(0x1E, 0x32, 0x72), {stSemPapel, stOffLine}},
    {"tampaAberta",   epson(0x1E, 0x16, 0x12), {stOffLine, stTampaAberta}},
    {"gavetaAberta",  epson(0x12, 0x12, 0x12), {stGavetaAberta}},
    {"erro",          epson(0x36, 0x52, 0x12), {stErro}},
};
// clang-format on

class PosPrinterStatusTcp : public ::testing::TestWithParam<Estado> {};

TEST_P(PosPrinterStatusTcp, ReportsTheScriptedState)
{
    FakePosPrinter printer({.answers = GetParam().script});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), StatusParaTexto(GetParam().esperado));
    EXPECT_FALSE(pos.Ativo());
}

INSTANTIATE_TEST_SUITE_P(Estados, PosPrinterStatusTcp, ::testing::ValuesIn(kEstados),
                         [](const auto &info) { return std::string(info.param.nome); });

class PosPrinterStatusSerial : public ::testing::TestWithParam<Estado> {};

TEST_P(PosPrinterStatusSerial, ReportsTheScriptedState)
{
    PtyPrinter printer(GetParam().script);
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta(printer.path());
    EXPECT_EQ(StatusParaTexto(pos.LerStatusImpressora(1)), StatusParaTexto(GetParam().esperado));
}

INSTANTIATE_TEST_SUITE_P(Estados, PosPrinterStatusSerial, ::testing::ValuesIn(kEstados),
                         [](const auto &info) { return std::string(info.param.nome); });

TEST(PosPrinterStatus, InvertedDrawerSignalTogglesOnlyARealAnswer)
{
    FakePosPrinter fechada({.answers = epson(0x16, 0x12, 0x12)});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.Config().ConfigGaveta.SinalInvertido = true;
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(fechada.port()));
    EXPECT_EQ(pos.LerStatusImpressora(1), (TQuibPosPrinterStatus{stGavetaAberta}));

    // A printer that never answers says nothing of its drawer.
    FakePosPrinter muda;
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(muda.port()));
    pos.Device().SetTimeOutMilissegundos(100);
    EXPECT_EQ(pos.LerStatusImpressora(1), (TQuibPosPrinterStatus{stErroLeitura}));
}

TEST(PosPrinterStatus, SilentPrinterGivesReadErrorAfterEachBoundedAttempt)
{
    FakePosPrinter muda;
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(muda.port()));
    pos.Device().SetTimeOutMilissegundos(300);
    const auto inicio = std::chrono::steady_clock::now();
    EXPECT_EQ(pos.LerStatusImpressora(2), (TQuibPosPrinterStatus{stErroLeitura}));
    const auto gasto = std::chrono::steady_clock::now() - inicio;
    // Each attempt waits the TCP minimum of 1500 ms for its first answer.
    EXPECT_GE(gasto, std::chrono::milliseconds(3000));
    EXPECT_LT(gasto, std::chrono::milliseconds(6000));
    // The first query of each attempt went out, and nothing more.
    EXPECT_EQ(muda.received(), kDleEot1 + kDleEot1);
}

TEST(PosPrinterStatus, ZeroAttemptsMakeOne)
{
    FakePosPrinter muda;
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(muda.port()));
    EXPECT_EQ(pos.LerStatusImpressora(0), (TQuibPosPrinterStatus{stErroLeitura}));
    EXPECT_EQ(muda.received(), kDleEot1);
}

TEST(PosPrinterStatus, WriteOnlyPortsAreNotAskedAnything)
{
    testsupport::TempDir dir;
    const std::string arquivo = (dir / "saida.prn").string();
    for (const std::string &porta : {arquivo, std::string("RAW:NaoExiste")}) {
        TQuibPosPrinter pos;
        pos.SetModelo(ppEscPosEpson);
        pos.SetPorta(porta);
        EXPECT_EQ(pos.LerStatusImpressora(1), (TQuibPosPrinterStatus{stApenasEscrita})) << porta;
        EXPECT_FALSE(pos.Ativo());
    }
    EXPECT_FALSE(std::filesystem::exists(arquivo));
}

TEST(PosPrinterStatus, InformationOnARawPortIsRefusedAndActivityKept)
{
    TQuibPosPrinter pos;
    pos.SetPorta("RAW:NaoExiste");
    try {
        pos.LerInfoImpressora();
        FAIL() << "no error";
    } catch (const EPosPrinterException &e) {
        EXPECT_STREQ(e.what(), "Leitura de Informações não disponível na porta: dtRawPrinter");
    }
    EXPECT_FALSE(pos.Ativo());
}

class PosPrinterImprimirVerificando : public ::testing::TestWithParam<std::pair<Estado, const char *>> {};

TEST_P(PosPrinterImprimirVerificando, RefusesAPrinterInTroubleAndKeepsTheBuffer)
{
    const auto &[estado, mensagem] = GetParam();
    FakePosPrinter printer({.answers = estado.script});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    pos.VerificarImpressora = true;
    pos.ControlePorta = true;
    pos.AdicionarLinha("cupom");
    try {
        pos.Imprimir();
        FAIL() << "printed";
    } catch (const EPosPrinterException &e) {
        EXPECT_STREQ(e.what(), mensagem);
    }
    EXPECT_EQ(pos.Buffer(), std::vector<std::string>{"cupom"});
    EXPECT_EQ(printer.received().find("cupom"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Problemas, PosPrinterImprimirVerificando,
                         ::testing::Values(std::pair{kEstados[1], "Impressora Desligada"},
                                           std::pair{kEstados[3], "Impressora Sem Papel"},
                                           std::pair{kEstados[4], "Impressora com Tampa Aberta"},
                                           std::pair{kEstados[6], "Impressora em Erro"}));

TEST(PosPrinterStatus, ImprimirGoesOnForAReadyOrUnreadablePrinter)
{
    FakePosPrinter printer({.answers = epson(0x16, 0x12, 0x12)});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    pos.VerificarImpressora = true;
    pos.ControlePorta = true;
    pos.Imprimir("cupom");
    EXPECT_NE(printer.waitForBytes(34, 3000).find("cupom"), std::string::npos);
}

} // namespace
