// The fake document monitor: request files in, answer files out, as the
// monitor client expects them.

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sys/wait.h>

#include "foundation/text/text_utils.h"
#include "tests/support/child_process.h"
#include "tests/support/fake_monitor.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace fs = std::filesystem;
using testsupport::FakeMonitor;
using testsupport::FakeMonitorError;
using testsupport::MonitorReply;
using testsupport::TempDir;

namespace {

constexpr const char *kCnpj = "12345678000195";
constexpr const char *kName = "nota001000000123#12345678000195.txt";

std::string toCp1252(const std::string &utf8)
{
    return ConvertePaginaCodigo(utf8, 1252, 65001);
}

// A request line as the client writes it: indent, key padded to 15, " = ".
std::string line(int indent, const std::string &key, const std::string &value)
{
    std::string padded = key;
    if (padded.size() < 15)
        padded.resize(15, ' ');
    return std::string(indent, ' ') + padded + " = " + value + "\r\n";
}

std::string header(const std::string &section)
{
    return "[" + section + "]\r\n";
}

// A note request document (UTF-8 here; written in Windows-1252).
std::string noteRequest(const std::string &emitKey = "cnpj", const std::string &emitValue = kCnpj)
{
    return header("ide") + line(4, "cUF", "35") + line(4, "cnf", "123000123") + line(4, "natop", "VENDA") +
           line(4, "mod", "55") + line(4, "serie", "1") + line(4, "nnf", "123") +
           line(4, "demi", "2026-03-09") + header("emit") + line(4, emitKey, emitValue) +
           line(4, "xnome", "Comércio Ação Ltda") + header("ICMStot") + line(4, "vnf", "150.00");
}

std::map<std::string, std::string> answerLines(const std::string &bytes)
{
    std::map<std::string, std::string> lines;
    std::istringstream in(AnsiParaUTF8(bytes));
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        const auto equals = text.find('=');
        lines[text.substr(0, equals)] = equals == std::string::npos ? "" : text.substr(equals + 1);
    }
    return lines;
}

struct Exchange {
    TempDir temp;
    fs::path folder = temp.path() / "monitor";
    Exchange() { fs::create_directories(folder); }

    FakeMonitor monitor(std::vector<testsupport::MonitorRule> script = {}, bool pdf = false) const
    {
        return FakeMonitor({{folder.string()}, std::move(script), pdf});
    }
    // Writes a request into "-fil" the way the client does: Windows-1252,
    // under a temporary name first.
    void request(const std::string &name, const std::string &utf8Text) const
    {
        fs::create_directories(folder / "-fil");
        const fs::path temporary = folder / "-fil" / (name + ".tmp");
        std::ofstream(temporary, std::ios::binary) << toCp1252(utf8Text);
        fs::rename(temporary, folder / "-fil" / name);
    }
    fs::path answer(const std::string &name) const { return folder / "-resp" / name; }
};

bool modulo11Accepts(const std::string &key)
{
    const auto result =
        testsupport::runCommand({"/usr/bin/python3", "-c",
                                 "import sys\nk=sys.argv[1]\nw=[2,3,4,5,6,7,8,9]\n"
                                 "s=sum(int(c)*w[i%8] for i,c in enumerate(reversed(k[:43])))\nr=s%11\n"
                                 "sys.exit(0 if len(k)==44 and int(k[43])==(0 if r<2 else 11-r) else 1)",
                                 key});
    return result.exitCode == 0;
}

} // namespace

TEST(FakeMonitor, AnswersANoteRequestWithTheKeyOfItsFields)
{
    Exchange exchange;
    exchange.request(kName, noteRequest());
    auto monitor = exchange.monitor();
    const auto replies = monitor.processPending();

    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].answer, std::string("resp-") + kName);
    EXPECT_EQ(replies[0].resultado, "100");
    const std::string bytes = testsupport::readFile(exchange.answer(std::string("resp-") + kName));
    EXPECT_TRUE(bytes.starts_with("RESULTADO=100\r\nMENSAGEM=Autorizado o uso da NF-e\r\n")) << bytes;
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    const auto lines = answerLines(bytes);
    const std::string key = lines.at("CHAVENFE");
    EXPECT_EQ(key.substr(0, 43),
              std::string("35") + "2603" + kCnpj + "55" + "001" + "000000123" + "1" + "23000123");
    EXPECT_TRUE(modulo11Accepts(key)) << key;
    EXPECT_EQ(lines.at("RECIBO").size(), 15u);
    EXPECT_EQ(lines.at("NPROTOCOLO").size(), 15u);
    EXPECT_NE(lines.at("RECIBO"), lines.at("NPROTOCOLO"));
    EXPECT_FALSE(lines.at("NUMEROLOTE").empty());

    // The request is recorded, decoded from Windows-1252, and moved aside.
    ASSERT_EQ(monitor.requests().size(), 1u);
    EXPECT_EQ(monitor.requests()[0].value("xnome", "emit"), "Comércio Ação Ltda");
    EXPECT_EQ(monitor.requests()[0].sections, (std::vector<std::string>{"ide", "emit", "ICMStot"}));
    EXPECT_FALSE(fs::exists(exchange.folder / "-fil" / kName));
    EXPECT_TRUE(fs::exists(exchange.folder / "-fil" / "done" / kName));
    EXPECT_TRUE(monitor.processPending().empty());
}

TEST(FakeMonitor, AKeyOfAPersonEmitterPadsTheCpfAndHonoursTpemis)
{
    Exchange exchange;
    exchange.request(kName, noteRequest("cpf", "12345678909") + "[ide]\r\n" + line(4, "tpemis", "9"));
    auto monitor = exchange.monitor();
    monitor.processPending();
    const auto key =
        answerLines(testsupport::readFile(exchange.answer(std::string("resp-") + kName))).at("CHAVENFE");
    EXPECT_EQ(key.substr(6, 14), "00012345678909");
    EXPECT_EQ(key[34], '9');
    EXPECT_TRUE(modulo11Accepts(key)) << key;
}

TEST(FakeMonitor, ANoteRequestWithoutItsKeyFieldsIsRejectedWith999)
{
    Exchange exchange;
    exchange.request(kName, header("ide") + line(4, "cUF", "35"));
    auto monitor = exchange.monitor();
    ASSERT_EQ(monitor.processPending().at(0).resultado, "999");
    const auto lines = answerLines(testsupport::readFile(exchange.answer(std::string("resp-") + kName)));
    EXPECT_TRUE(lines.at("MENSAGEM").starts_with("Rejeicao: ")) << lines.at("MENSAGEM");
}

TEST(FakeMonitor, AnswersEveryShortRequestKindAsTheClientReadsIt)
{
    const std::string key = "35260312345678000195550010000001231230001235";
    struct Case {
        std::string name;
        std::string resultado;
        std::vector<std::string> keys;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"danfe001000000123#12345678000195.txt",   "100", {"RESULTADO", "MENSAGEM"}},
        {"ImpCarta001000123#12345678000195.txt",   "100", {"RESULTADO", "MENSAGEM"}},
        {"email001000000123#12345678000195.txt",   "100", {"RESULTADO", "MENSAGEM"}},
        {"cancel001000000123#12345678000195.txt",  "101", {"RESULTADO", "MENSAGEM"}},
        {"Carta001000123#12345678000195.txt",      "135", {"RESULTADO", "MENSAGEM", "NPROTOCOLO"}},
        {"EVENTO001000123#12345678000195.txt",     "135", {"RESULTADO", "MENSAGEM", "NPROTOCOLO"}},
        {"inutiliza10-12#12345678000195.txt",      "102", {"RESULTADO", "MENSAGEM"}},
        // The cancellation above (handled first, by name) voided the key.
        {"consulta001000000124#12345678000195.txt", "101",
            {"RESULTADO", "MENSAGEM", "CHAVENFE", "RECIBO", "NUMEROLOTE", "NPROTOCOLO"}},
    };
    // clang-format on
    Exchange exchange;
    for (const auto &c : cases)
        exchange.request(c.name, line(0, "ChaveNFE", key));
    auto monitor = exchange.monitor();
    const auto replies = monitor.processPending();
    ASSERT_EQ(replies.size(), cases.size());
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string bytes = testsupport::readFile(exchange.answer("resp-" + c.name));
        EXPECT_TRUE(bytes.starts_with("RESULTADO=" + c.resultado + "\r\n")) << bytes;
        std::vector<std::string> keys;
        for (const auto &[k, v] : answerLines(bytes))
            keys.push_back(k);
        auto expected = c.keys;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(keys, expected);
    }
    EXPECT_EQ(answerLines(testsupport::readFile(exchange.answer("resp-" + cases.back().name))).at("CHAVENFE"),
              key);
}

TEST(FakeMonitor, AQueryOfACancelledKeyAnswers101)
{
    const std::string key = "35260312345678000195550010000001231230001235";
    Exchange exchange;
    auto monitor = exchange.monitor();
    exchange.request("cancel001000000123#12345678000195.txt", line(0, "ChaveNFE", key) +
                                                                  line(0, "nProtocolo", "1") +
                                                                  line(0, "Justificativa", "Erro"));
    monitor.processPending();
    exchange.request("consulta001000000123#12345678000195.txt", line(0, "ChaveNFE", key));
    const auto replies = monitor.processPending();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].resultado, "101");
}

TEST(FakeMonitor, LeavesTemporaryNamesAndUnknownKindsAlone)
{
    Exchange exchange;
    const std::vector<std::string> names = {"nota001000000123#1.tmp", "~nota001.txt.part", "relatorio.txt",
                                            "nota.txt", "nota_12-1.txt"};
    for (const auto &name : names)
        exchange.request(name, "x\r\n");
    auto monitor = exchange.monitor();
    EXPECT_TRUE(monitor.processPending().empty());
    for (const auto &name : names)
        EXPECT_TRUE(fs::exists(exchange.folder / "-fil" / name)) << name;
    EXPECT_TRUE(fs::is_empty(exchange.folder / "-resp"));
}

TEST(FakeMonitor, RecordsContingencyAndExportFilesWithoutAnswering)
{
    Exchange exchange;
    exchange.request("contingencia.txt", line(0, "modalidade", "2") + line(0, "cnpj", kCnpj));
    std::ofstream(exchange.folder / "nota_123-1.txt", std::ios::binary)
        << testsupport::testBytes("tools/data/exportacao_nota_200.txt");
    auto monitor = exchange.monitor();
    const auto replies = monitor.processPending();
    ASSERT_EQ(replies.size(), 2u);
    for (const auto &reply : replies)
        EXPECT_TRUE(reply.answer.empty()) << reply.request;
    ASSERT_EQ(monitor.requests().size(), 2u);
    EXPECT_EQ(monitor.requests()[0].kind, "contingencia");
    EXPECT_EQ(monitor.requests()[0].value("modalidade"), "2");
    EXPECT_EQ(monitor.requests()[1].kind, "export");
    EXPECT_EQ(replies[1].verdict, "TXT 2.00 lido: nota 123 serie 1, 1 item(ns)");
    EXPECT_TRUE(fs::is_empty(exchange.folder / "-resp"));
    EXPECT_TRUE(fs::exists(exchange.folder / "done" / "nota_123-1.txt"));
}

TEST(FakeMonitor, AnExportFileTheTxtReaderRefusesGetsAVerdictSayingWhy)
{
    const std::string good = testsupport::testBytes("tools/data/exportacao_nota_200.txt");
    const auto replace = [&](const std::string &from, const std::string &to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"",                                        "TXT recusado: sem cabecalho NOTAFISCAL"},
        {"NOTAFISCAL|1\r\nA|4.00|NFe|\r\n",          "TXT recusado: leiaute 4.00 (esperado 2.00)"},
        {replace("|UN|2.0000|", "|UN|dois|"),       "TXT recusado: Erro ao ler o campo"},
        {replace("A|2.00|NFe|\r\n", ""),            "TXT recusado: "},
    };
    // clang-format on
    for (const auto &[bytes, verdict] : cases) {
        SCOPED_TRACE(verdict);
        Exchange exchange;
        std::ofstream(exchange.folder / "NOTA_7-2.TXT", std::ios::binary) << bytes;
        auto monitor = exchange.monitor();
        const auto replies = monitor.processPending();
        ASSERT_EQ(replies.size(), 1u);
        EXPECT_TRUE(replies[0].verdict.starts_with(verdict)) << replies[0].verdict;
        EXPECT_EQ(monitor.requests().at(0).verdict, replies[0].verdict);
    }
}

TEST(FakeMonitor, DanfeWithPdfNamesASmallPdfInTheExchangeFolder)
{
    Exchange exchange;
    exchange.request("danfe001000000123#12345678000195.txt", line(0, "ChaveNFE", "1"));
    auto monitor = exchange.monitor({}, true);
    monitor.processPending();
    const auto lines =
        answerLines(testsupport::readFile(exchange.answer("resp-danfe001000000123#12345678000195.txt")));
    const fs::path pdf = lines.at("PATHPDF");
    EXPECT_EQ(pdf.parent_path(), exchange.folder);
    EXPECT_TRUE(testsupport::readFile(pdf).starts_with("%PDF-"));
}

TEST(FakeMonitor, WatchesAStoredWindowsFolderMappedLikeTheClientDoes)
{
    TempDir drive;
    fs::create_directories(drive.path() / "Monitor" / "-FIL");
    testsupport::ScopedEnv mapped("KVL_DRIVE_C", drive.path().string());
    FakeMonitor monitor({{"C:\\monitor\\"}, {}, false});
    std::ofstream(drive.path() / "Monitor" / "-FIL" / kName, std::ios::binary) << toCp1252(noteRequest());
    ASSERT_EQ(monitor.processPending().size(), 1u);
    EXPECT_TRUE(fs::exists(drive.path() / "Monitor" / "-resp" / (std::string("resp-") + kName)));
}

TEST(FakeMonitor, AMissingExchangeFolderIsRefused)
{
    TempDir temp;
    EXPECT_THROW(FakeMonitor({{(temp.path() / "nao-existe").string()}, {}, false}), FakeMonitorError);
    testsupport::ScopedEnv unmapped("KVL_DRIVE_Q", std::nullopt);
    EXPECT_THROW(FakeMonitor({{"Q:\\Monitor\\"}, {}, false}), FakeMonitorError);
}

TEST(FakeMonitor, ScriptActionsShapeTheAnswerOfTheRequestsTheyMatch)
{
    const std::string answerName = std::string("resp-") + kName;
    using Check = std::function<void(const Exchange &, FakeMonitor &)>;
    const auto answer = [&](const Exchange &exchange) {
        return testsupport::readFile(exchange.answer(answerName));
    };
    const auto firstLine = [&](const Exchange &exchange) {
        const std::string bytes = answer(exchange);
        return bytes.substr(0, bytes.find("\r\n"));
    };
    struct Case {
        std::string script;
        Check check;
    };
    const std::vector<Case> cases = {
        {"danfe* never", [&](const Exchange &e, FakeMonitor &) { EXPECT_EQ(firstLine(e), "RESULTADO=100"); }},
        {"NOTA* accept", [&](const Exchange &e, FakeMonitor &) { EXPECT_EQ(firstLine(e), "RESULTADO=100"); }},
        // Written in Windows-1252 like every answer but the "utf8" ones.
        {"nota* reject 204 Duplicidade de NF-e: Já existe nota com esta chave",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_TRUE(
                 answer(e).starts_with("RESULTADO=204\r\nMENSAGEM=Duplicidade de NF-e: J\xE1 existe nota com "
                                       "esta chave\r\n"));
         }},
        {"nota* deny 302",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_TRUE(answer(e).starts_with("RESULTADO=302\r\nMENSAGEM=Uso Denegado: "));
         }},
        {"nota* delay 2",
         [&](const Exchange &e, FakeMonitor &monitor) {
             EXPECT_FALSE(fs::exists(e.answer(answerName)));
             EXPECT_TRUE(monitor.processPending().empty());
             EXPECT_FALSE(fs::exists(e.answer(answerName)));
             EXPECT_EQ(monitor.processPending().size(), 1u);
             EXPECT_EQ(firstLine(e), "RESULTADO=100");
         }},
        {"nota* delay 600s",
         [&](const Exchange &e, FakeMonitor &monitor) {
             monitor.processPending();
             EXPECT_FALSE(fs::exists(e.answer(answerName)));
         }},
        {"nota* never",
         [&](const Exchange &e, FakeMonitor &monitor) {
             monitor.processPending();
             EXPECT_TRUE(fs::is_empty(e.folder / "-resp"));
         }},
        {"nota* partial",
         [&](const Exchange &e, FakeMonitor &monitor) {
             const std::string half = answer(e);
             EXPECT_FALSE(half.empty());
             EXPECT_EQ(half.find("NPROTOCOLO"), std::string::npos);
             monitor.processPending();
             EXPECT_TRUE(answer(e).starts_with(half));
             EXPECT_NE(answer(e).find("NPROTOCOLO="), std::string::npos);
             EXPECT_TRUE(answer(e).ends_with("\r\n"));
         }},
        {"nota* no-final-break",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_FALSE(answer(e).ends_with("\n"));
             EXPECT_NE(answer(e).find("\r\nNPROTOCOLO="), std::string::npos);
         }},
        {"nota* not-a-number",
         [&](const Exchange &e, FakeMonitor &) { EXPECT_EQ(firstLine(e), "RESULTADO=ERRO"); }},
        {"nota* no-resultado",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_EQ(answer(e).find("RESULTADO"), std::string::npos);
         }},
        {"nota* mensagem-first",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_TRUE(answer(e).starts_with("MENSAGEM=Autorizado o uso da NF-e\r\nRESULTADO=100\r\n"));
         }},
        {"nota* equals-in-mensagem",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_TRUE(answerLines(answer(e)).at("MENSAGEM").starts_with("Autorizado o uso da NF-e="));
         }},
        {"nota* alternate-name",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_FALSE(fs::exists(e.answer(answerName)));
             EXPECT_TRUE(fs::exists(e.answer("resp-nota000000123#12345678000195.txt")));
         }},
        {"nota* utf8",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_NE(answer(e).find("situa\xC3\xA7\xC3\xA3o"), std::string::npos) << answer(e);
         }},
        {"nota* stray-other-cnpj",
         [&](const Exchange &e, FakeMonitor &) {
             EXPECT_EQ(firstLine(e), "RESULTADO=100");
             EXPECT_TRUE(fs::exists(e.answer("resp-nota001000000123#99999999000191.txt")));
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.script);
        Exchange exchange;
        exchange.request(kName, noteRequest());
        auto monitor = exchange.monitor(testsupport::readMonitorScript(c.script));
        monitor.processPending();
        c.check(exchange, monitor);
    }
}

TEST(FakeMonitor, ABadScriptLineIsRefusedWithItsLineNumber)
{
    for (const std::string line : {"nota*", "nota* explode", "nota* reject 100", "nota* reject",
                                   "nota* deny 204", "nota* delay", "nota* delay x", "nota* never now"}) {
        SCOPED_TRACE(line);
        try {
            testsupport::readMonitorScript("# comment\r\n\r\n" + line + "\n");
            ADD_FAILURE() << "accepted";
        } catch (const FakeMonitorError &error) {
            EXPECT_TRUE(std::string(error.what()).starts_with("roteiro, linha 3: ")) << error.what();
        }
    }
}

namespace {

std::string fakeMonitorProgram()
{
    return (testsupport::binaryDir() / "bin" / "fake-monitor").string();
}

} // namespace

TEST(FakeMonitorProgram, AnswersByRenameAndEndsCleanlyOnSigterm)
{
    if (!testsupport::hasProgram("inotifywait"))
        GTEST_SKIP() << "inotifywait (inotify-tools) is not installed";
    Exchange exchange;
    fs::create_directories(exchange.folder / "-resp");
    testsupport::ChildProcess watch(
        {"inotifywait", "-m", "-e", "close_write,moved_to", (exchange.folder / "-resp").string()});
    watch.readUntil("Watches established", std::chrono::seconds(10));
    // A delayed answer is written later, by the same rename.
    std::ofstream(exchange.temp.path() / "roteiro.txt") << "danfe* delay 3\n";
    testsupport::ChildProcess monitor({fakeMonitorProgram(), "--folder", exchange.folder.string(), "--poll",
                                       "20", "--check", "--script",
                                       (exchange.temp.path() / "roteiro.txt").string()});
    ASSERT_NE(
        monitor.readUntil("watching", std::chrono::seconds(10)).find("watching " + exchange.folder.string()),
        std::string::npos);

    // Written by hand the way the client writes it: Windows-1252, CR LF,
    // renamed into "-fil" once complete.
    const auto encoded = testsupport::runCommand({"iconv", "-f", "UTF-8", "-t", "CP1252"}, noteRequest());
    ASSERT_EQ(encoded.exitCode, 0);
    std::ofstream(exchange.folder / "pronta.tmp", std::ios::binary) << encoded.out;
    fs::rename(exchange.folder / "pronta.tmp", exchange.folder / "-fil" / kName);

    const std::string expected = std::string(kName) + " -> resp-" + kName + " 100";
    EXPECT_NE(monitor.readUntil(expected, std::chrono::seconds(10)).find(expected), std::string::npos);
    const std::string events =
        watch.readUntil(std::string("MOVED_TO resp-") + kName, std::chrono::seconds(10));
    EXPECT_NE(events.find(std::string("MOVED_TO resp-") + kName), std::string::npos) << events;
    EXPECT_EQ(events.find(std::string("CLOSE_WRITE,CLOSE resp-") + kName), std::string::npos) << events;
    const auto decoded = testsupport::runCommand(
        {"iconv", "-f", "CP1252", "-t", "UTF-8", exchange.answer(std::string("resp-") + kName).string()});
    EXPECT_TRUE(decoded.out.starts_with("RESULTADO=100\r\n")) << decoded.out;

    const std::vector<std::string> shortRequests = {
        "danfe001000000123#12345678000195.txt", "cancel001000000123#12345678000195.txt",
        "Carta001000123#12345678000195.txt", "inutiliza10-12#12345678000195.txt"};
    for (const auto &name : shortRequests)
        exchange.request(name, line(0, "ChaveNFE", "35260312345678000195550010000001231230001235"));
    for (const auto &name : shortRequests) {
        SCOPED_TRACE(name);
        const std::string moved = "MOVED_TO resp-" + name;
        EXPECT_NE(watch.readUntil(moved, std::chrono::seconds(10)).find(moved), std::string::npos);
        EXPECT_EQ(watch.output().find("CLOSE_WRITE,CLOSE resp-" + name), std::string::npos);
    }

    const int status = monitor.stop(SIGTERM);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    watch.stop(SIGTERM);
}

TEST(FakeMonitorProgram, BadArgumentsAndMissingFoldersEndWith2)
{
    TempDir temp;
    const std::string folder = temp.path().string();
    for (const std::vector<std::string> &args : std::vector<std::vector<std::string>>{
             {},
             {"--folder"},
             {"--folder", (temp.path() / "nao-existe").string()},
             {"--folder", folder, "--poll", "rapido"},
             {"--folder", folder, "--script", (temp.path() / "sem-roteiro").string()},
             {"--folder", folder, "--desconhecida"}}) {
        std::vector<std::string> argv = {fakeMonitorProgram()};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto result = testsupport::runCommand(argv);
        EXPECT_EQ(result.exitCode, 2) << result.err;
        EXPECT_NE(result.err.find("fake-monitor: "), std::string::npos) << result.err;
    }
}

TEST(FakeMonitor, CheckModeAnswers999NamingTheFirstFaultyLine)
{
    const std::string good = noteRequest();
    const auto replace = [&](const std::string &from, const std::string &to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    struct Case {
        std::string what;
        std::string bytes; // as written to disk
        std::string mensagem;
    };
    // clang-format off
    const std::vector<Case> cases = {
        {"comma decimal", toCp1252(replace("150.00", "150,00")),
         "Rejeicao: linha 13: numero \"150,00\" fora do formato (ponto decimal, sem milhar)"},
        {"thousands",     toCp1252(replace("150.00", "1.150.00")),
         "Rejeicao: linha 13: numero \"1.150.00\" fora do formato (ponto decimal, sem milhar)"},
        {"unpadded key",  toCp1252(replace("    nnf             = ", "    nnf = ")),
         "Rejeicao: linha 7: chave \"nnf\" sem preenchimento a 15 caracteres"},
        {"UTF-8 request", good,
         "Rejeicao: linha 11: texto em UTF-8 (esperado Windows-1252)"},
        {"LF only",       toCp1252(replace("\r\n[emit]", "\n[emit]")),
         "Rejeicao: linha 8: linha sem CR LF no fim"},
        {"section order", toCp1252(header("emit") + line(4, "cnpj", kCnpj) + header("ide") + line(4, "cUF", "35")),
         "Rejeicao: linha 3: secao [ide] fora de ordem"},
        {"key indent",    toCp1252(replace("    nnf ", "  nnf   ")),
         "Rejeicao: linha 7: chave \"nnf\" com recuo de 2 espacos (esperado 4)"},
        {"header indent", toCp1252(replace("[emit]", "  [emit]")),
         "Rejeicao: linha 9: secao [emit] com recuo de 2 espacos (esperado 0)"},
        {"item section",  toCp1252(good + "\r\n" + header("Prod") + line(4, "cprod", "1") + "    [ICMS00]\r\n"),
         "Rejeicao: linha 17: secao [ICMS00] com recuo de 4 espacos (esperado 6 ou 10)"},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Exchange exchange;
        fs::create_directories(exchange.folder / "-fil");
        std::ofstream(exchange.folder / "-fil" / kName, std::ios::binary) << c.bytes;
        FakeMonitor monitor({{exchange.folder.string()}, {}, false, true});
        ASSERT_EQ(monitor.processPending().at(0).resultado, "999");
        const auto lines = answerLines(testsupport::readFile(exchange.answer(std::string("resp-") + kName)));
        EXPECT_EQ(lines.at("MENSAGEM"), c.mensagem);
    }
}

TEST(FakeMonitor, CheckModeAcceptsEveryIndentTheClientWrites)
{
    std::string note = noteRequest();
    note.insert(note.find("[ICMStot]"), header("NFREF") + "  [REFNFP]\r\n" + line(4, "cUF", "35"));
    // clang-format off
    const std::map<std::string, std::string> requests = {
        {kName, note + "\r\n" + header("Prod") + line(4, "cprod", "1") + "      [IPI]\r\n" + line(8, "cenq", "999") +
                "          [IPITRIB]\r\n" + line(12, "vipi", "1.50") + header("det") + line(4, "infadprod", "x")},
        {"Carta001000123#12345678000195.txt",
         line(0, "chavenfe", "1") + header("campo") + line(5, "nomecampo", "xCpl") + line(5, "ordem", "1")},
        {"inutiliza10-12#12345678000195.txt",
         line(0, "codigouf", "35") + line(4, "cnpj", kCnpj) + line(0, "numeroinicialformulario", "1")},
    };
    // clang-format on
    Exchange exchange;
    for (const auto &[name, text] : requests)
        exchange.request(name, text);
    FakeMonitor monitor({{exchange.folder.string()}, {}, false, true});
    for (const auto &reply : monitor.processPending())
        EXPECT_NE(reply.resultado, "999")
            << reply.request << ": " << testsupport::readFile(exchange.answer(reply.answer));
}
