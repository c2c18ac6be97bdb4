#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/support/fake_pos_printer.h"
#include "tests/support/pty_printer.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include <regex>

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

// A ready printer that sends bytes which are not a status after each status
// byte: only the byte asked for is read, the rest is discarded before the
// next query.
Script comLixo()
{
    Script script = epson(0x16, 0x12, 0x12);
    for (const std::string &consulta : {kDleEot1, kDleEot2, kDleEot4})
        script[consulta] += "\xFF\x7Flixo";
    return script;
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
    {"lixo",          comLixo(),               {}},
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

TEST(PosPrinterStatus, LateAnswersGiveReadErrorWithinTheAttempts)
{
    using namespace std::chrono_literals;
    // Over TCP each query waits at least 1500 ms; on the terminal the device's time-out.
    FakePosPrinter rede({.answers = epson(0x16, 0x12, 0x12), .answerDelay = 1800ms});
    PtyPrinter terminal(epson(0x16, 0x12, 0x12), 400ms);
    for (const auto &[porta, limite] : {std::pair{"TCP:127.0.0.1:" + std::to_string(rede.port()), 6000ms},
                                        std::pair{terminal.path(), 2000ms}}) {
        TQuibPosPrinter pos;
        pos.SetModelo(ppEscPosEpson);
        pos.SetPorta(porta);
        pos.Device().SetTimeOutMilissegundos(150);
        const auto inicio = std::chrono::steady_clock::now();
        EXPECT_EQ(pos.LerStatusImpressora(2), (TQuibPosPrinterStatus{stErroLeitura})) << porta;
        EXPECT_LT(std::chrono::steady_clock::now() - inicio, limite) << porta;
        EXPECT_FALSE(pos.Ativo());
    }
}

TEST(PosPrinterStatus, ImprimirPrintsWhenTheStatusCannotBeRead)
{
    FakePosPrinter lenta(
        {.answers = epson(0x16, 0x12, 0x12), .answerDelay = std::chrono::milliseconds(1800)});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(lenta.port()));
    pos.VerificarImpressora = true;
    pos.ControlePorta = true;
    pos.Imprimir("cupom");
    EXPECT_TRUE(pos.Buffer().empty());
    const auto prazo = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (lenta.received().find("cupom") == std::string::npos && std::chrono::steady_clock::now() < prazo)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_NE(lenta.received().find("cupom"), std::string::npos);
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

TEST(PosPrinterInfo, EpsonInformationLinesFromTheAnswers)
{
    PtyPrinter printer(epson(0x16, 0x12, 0x12));
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta(printer.path());
    EXPECT_EQ(pos.LerInfoImpressora(), "Fabricante=EPSON\nFirmware=1.07\nModelo=TM-Q\nSerial=X1\n"
                                       "Guilhotina=1\nCheque=0\n MICR=0\nAutenticacao=0\n");
    EXPECT_FALSE(pos.Ativo());
}

TEST(PosPrinterInfo, SerialNumberWithoutTerminatorIsAskedAgain)
{
    Script script = epson(0x16, 0x12, 0x12);
    script["\x1D\x49\x44"] = "X9";
    PtyPrinter printer(script);
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta(printer.path());
    pos.LerInfoImpressora();
    EXPECT_EQ(pos.ModeloAtual().Info().at("Serial"), "X9");
}

TEST(PosPrinterInfo, CapabilitiesAreCachedUntilActivationChanges)
{
    FakePosPrinter printer({.answers = epson(0x16, 0x12, 0x12)});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    EXPECT_EQ(pos.Capacidades().Cheque, -2);
    pos.Ativar();
    EXPECT_EQ(pos.CapacidadeCheque(), 0);
    EXPECT_EQ(pos.Capacidades().Guilhotina, 1);
    const std::size_t enviados = printer.waitForBytes(15, 2000).size();
    EXPECT_EQ(pos.CapacidadeCheque(), 0);
    EXPECT_EQ(printer.received().size(), enviados); // not asked again
    pos.Desativar();
    EXPECT_EQ(pos.Capacidades().Cheque, -2);

    TQuibPosPrinter arquivo;
    testsupport::TempDir dir;
    arquivo.SetPorta((dir / "saida.prn").string());
    EXPECT_EQ(arquivo.CapacidadeCheque(), -1);
}

TEST(PosPrinterStatus, SlipStationIsAskedOnlyOfAChequePrinter)
{
    Script script = epson(0x16, 0x12, 0x12);
    script["\x1D\x49\x32"] = "\x08";     // cheque station
    script["\x10\x04\x05"] = "\x64";     // slip present, top and bottom of form seen
    script["\x10\x04\x08\x01"] = "\x60"; // no MICR document
    FakePosPrinter printer({.answers = script});
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(printer.port()));
    EXPECT_EQ(pos.LerStatusImpressora(1), (TQuibPosPrinterStatus{stMICR}));
    EXPECT_NE(printer.received().find("\x10\x04\x08\x01"), std::string::npos);

    FakePosPrinter simples({.answers = epson(0x16, 0x12, 0x12)});
    pos.SetPorta("TCP:127.0.0.1:" + std::to_string(simples.port()));
    pos.LerStatusImpressora(1);
    EXPECT_EQ(simples.received().find("\x10\x04\x05"), std::string::npos);
}

TEST(PosPrinterLog, StatusReadLinesMatchTheGolden)
{
    testsupport::TempDir dir;
    PtyPrinter printer(epson(0x1E, 0x32, 0x72));
    TQuibPosPrinter pos;
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta(printer.path());
    pos.ArqLOG = (dir / "pos.log").string();
    pos.LerStatusImpressora(1);
    const std::string log = testsupport::readFile(pos.ArqLOG);
    const std::regex hora("^-- \\d\\d/\\d\\d \\d\\d:\\d\\d:\\d\\d:\\d\\d\\d - ", std::regex::multiline);
    std::string mascarado = std::regex_replace(log, hora, "-- dd/mm hh:nn:ss:zzz - ");
    std::erase(mascarado, '\r');
    EXPECT_EQ(mascarado, testsupport::testData("printing/posprinter/data/status_log.txt") + "\n");
}

} // namespace
