// nfe-check monitor-run against the fake document monitor as a program, both
// sharing one module database file, the rows read back with isql-fb.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <csignal>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "app/dados/esquema_base.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/support/child_process.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/tools/nfe_check_paths.h"

namespace fs = std::filesystem;
using testsupport::runCommand;

namespace {

constexpr const char *kCnpj = "11222333000181";

// Checks the mod-11 digit of every access key on standard input, one a line;
// prints the keys that fail.
constexpr const char *kConfereChaves = R"(import sys
for chave in sys.stdin.read().split():
    soma = sum(int(d) * (2 + i % 8) for i, d in enumerate(reversed(chave[:43])))
    dv = 11 - soma % 11
    if len(chave) != 44 or not chave.isdigit() or int(chave[43]) != (0 if dv >= 10 else dv):
        print("chave invalida:", chave)
)";

// A module database with its base schema and one emitter whose exchange
// folder is "C:\Monitor\" on a drive C: of its own, three staged notes of
// that emitter (123, 124, 125, series 1) with the city list beside them.
class NfeCheckMonitorRun : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("isql-fb"))
            GTEST_SKIP() << "isql-fb is not installed";
        testsupport::useTestFirebird();
        {
            db::Database banco = db::Database::create(fdb);
            db::Transaction t(banco);
            criaEsquema(t, esquemaBaseModulo());
            t.commit();
            db::Transaction emitente(banco);
            db::executeSql(
                emitente,
                "INSERT INTO CONFIGNFE (CNPJ_EMI, PATH_COMUNICACAO, NOM_EMI, FAN_EMI, END_EMI, NRO_END_EMI, "
                "BAI_EMI, COD_MUN_EMI, MUN_EMI, COD_UF_EMI, UF_EMI, CEP_EMI, COD_PAIS_EMI, PAIS_EMI, "
                "FONE_EMI, "
                "IE_EMI, TIPO_IMP_DANF, TIPO_EMI, COD_REG_TRIB, NRO_COPIAS1, NRO_COPIAS2, PATH_PRINT_1) "
                "VALUES (?, 'C:\\Monitor\\', 'EMITENTE EXEMPLO LTDA', 'EXEMPLO', 'AV PAULISTA', '1000', "
                "'BELA VISTA', 3550308, 'SAO PAULO', 35, 'SP', '01310-100', 1058, 'BRASIL', "
                "'(11) 4000-1000', '111.111.111.111', '1', 'J', 3, 0, 0, 'HP LaserJet')",
                {std::string(kCnpj)});
            emitente.commit();
        }
        // Brought up to date by the schema updater, as on a fresh machine.
        const auto atualizado = runCommand({nfe_check_test::tool(), "update", fdb});
        ASSERT_EQ(atualizado.exitCode, 0) << atualizado.out << atualizado.err;
        // The exchange folder as a monitor that ran once leaves it.
        for (const char *pasta : {"-fil/done", "-resp"})
            fs::create_directories(drive / "Monitor" / pasta);
        fs::copy_file(testsupport::sourceDir() / "tests/data/monitor_client/Tabela_Cidades_IBGE.txt",
                      dir / "Tabela_Cidades_IBGE.txt");
        auto notas = nlohmann::ordered_json::parse(testsupport::testData("data/monitor_client/envio.json"));
        auto copia = notas;
        for (auto &[tabela, linhas] : notas.items())
            linhas.clear();
        for (int nota = 1; nota <= 3; ++nota)
            for (auto &[tabela, linhas] : copia.items())
                for (auto linha : linhas) {
                    linha["nota"] = nota;
                    if (tabela == "tblNotas") {
                        linha["nro_not"] = std::to_string(122 + nota);
                        linha["cnpj_emitente"] = kCnpj;
                    }
                    notas[tabela].push_back(linha);
                }
        dir.write("notas.json", notas.dump(1));
    }

    std::vector<std::string> ambiente() const
    {
        return {"env", "KVL_DRIVE_C=" + drive.string(), "XDG_DATA_HOME=" + (dir / "dados").string()};
    }
    testsupport::CommandResult roda(const std::string &timeout)
    {
        auto argv = ambiente();
        argv.insert(argv.end(), {nfe_check_test::tool(), "monitor-run", fdb, (dir / "notas.json").string(),
                                 "--copies", "1", "--timeout", timeout});
        return runCommand(argv);
    }
    std::unique_ptr<testsupport::ChildProcess> monitor()
    {
        auto filho = std::make_unique<testsupport::ChildProcess>(
            std::vector<std::string>{(testsupport::binaryDir() / "bin" / "fake-monitor").string(), "--db",
                                     fdb, "--check", "--poll", "100"},
            testsupport::ChildProcess::Environment{{"KVL_DRIVE_C", drive.string()}});
        const std::string pronto = "watching C:\\Monitor\\";
        EXPECT_NE(filho->readUntil(pronto, std::chrono::seconds(60)).find(pronto), std::string::npos)
            << filho->output();
        return filho;
    }
    // "NRO_NOTA SERIE_NOTA STATUS_NFE NRO_ALEAT_ENVIO CHAVE_NFE" per row, by isql-fb.
    std::vector<std::string> linhas()
    {
        const auto r = runCommand({"isql-fb", "-q", "-ch", "UTF8", fdb},
                                  "SET LIST OFF; SET HEADING OFF;\n"
                                  "SELECT NRO_NOTA, TRIM(SERIE_NOTA), STATUS_NFE, NRO_ALEAT_ENVIO, "
                                  "COALESCE(CHAVE_NFE, '-') FROM DANFENFE ORDER BY NRO_NOTA;\n");
        EXPECT_EQ(r.exitCode, 0) << r.err;
        std::vector<std::string> saida;
        std::istringstream texto(r.out);
        for (std::string linha; std::getline(texto, linha);) {
            std::istringstream campos(linha);
            std::string campo, junto;
            while (campos >> campo)
                junto += (junto.empty() ? "" : " ") + campo;
            if (!junto.empty())
                saida.push_back(junto);
        }
        return saida;
    }
    static std::string chave(const std::string &linha) { return linha.substr(linha.rfind(' ') + 1); }
    // The numeric code a key carries must be the one the row keeps.
    static void confereCodigo(const std::string &linha)
    {
        std::istringstream campos(linha);
        std::string nota, serie, estado, codigo, chaveNfe;
        campos >> nota >> serie >> estado >> codigo >> chaveNfe;
        ASSERT_EQ(chaveNfe.size(), 44u) << linha;
        // The key holds the code's last eight digits, after the kind of issue.
        EXPECT_EQ(std::stoi(chaveNfe.substr(35, 8)), std::stoi(codigo) % 100000000) << linha;
        EXPECT_EQ(std::stoi(chaveNfe.substr(25, 9)), std::stoi(nota)) << linha;
    }
    static void chavesConferem(const std::vector<std::string> &rows)
    {
        std::string chaves;
        for (const auto &linha : rows)
            chaves += chave(linha) + "\n";
        const auto r = runCommand({"/usr/bin/python3", "-c", kConfereChaves}, chaves);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "");
    }

    testsupport::TempDir dir;
    const fs::path drive = dir / "drive-c";
    const std::string fdb = (dir / "modulo.fdb").string();
};

TEST_F(NfeCheckMonitorRun, ThreeNotesGoThroughTheMonitorToTheEndOfTheirRoad)
{
    auto fake = monitor();
    const auto r = roda("120");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err << fake->output();
    for (const char *nota : {"123 1 5 ", "124 1 5 ", "125 1 5 "})
        EXPECT_NE(r.out.find(nota), std::string::npos) << r.out;
    EXPECT_TRUE(r.out.ends_with("Nota fiscal eletrônica enviada com sucesso\n")) << r.out;

    const auto rows = linhas();
    ASSERT_EQ(rows.size(), 3u) << ::testing::PrintToString(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i]);
        EXPECT_TRUE(rows[i].starts_with(std::to_string(123 + i) + " 1 5 "));
        confereCodigo(rows[i]);
    }
    chavesConferem(rows);
    fake->stop(SIGTERM);
}

TEST_F(NfeCheckMonitorRun, NotesWaitForAStoppedMonitorAndKeepTheirKeysWhenItReturns)
{
    auto r = roda("5");
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_EQ(r.out.find("sucesso"), std::string::npos) << r.out;
    for (const char *nota : {"nota 123 1 1 ENVIADA", "nota 124 1 1 ENVIADA", "nota 125 1 1 ENVIADA"})
        EXPECT_NE(r.err.find(std::string("aguardando: ") + nota), std::string::npos) << r.err;
    const auto antes = linhas();
    ASSERT_EQ(antes.size(), 3u) << ::testing::PrintToString(antes);

    auto fake = monitor();
    r = roda("120");
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err << fake->output();
    const auto depois = linhas();
    ASSERT_EQ(depois.size(), 3u);
    for (std::size_t i = 0; i < depois.size(); ++i) {
        SCOPED_TRACE(depois[i]);
        std::istringstream a(antes[i]), d(depois[i]);
        std::string nota, serie, estadoA, estadoD, codigoA, codigoD;
        a >> nota >> serie >> estadoA >> codigoA;
        d >> nota >> serie >> estadoD >> codigoD;
        EXPECT_EQ(estadoA, "1");
        EXPECT_EQ(estadoD, "5");
        EXPECT_EQ(codigoD, codigoA);
        confereCodigo(depois[i]);
    }
    chavesConferem(depois);
    fake->stop(SIGTERM);
}

TEST_F(NfeCheckMonitorRun, AMissingExchangeFolderLeavesTheNotesNotGeneratedAndNoRow)
{
    fs::remove_all(drive / "Monitor");
    const auto r = roda("3");
    EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
    EXPECT_EQ(r.out.find("sucesso"), std::string::npos) << r.out;
    for (const char *nota : {"123", "124", "125"})
        EXPECT_NE(r.err.find(std::string("Nota Fiscal ") + nota + " nao Gerada\r\nPedido \""),
                  std::string::npos)
            << r.err;
    EXPECT_NE(r.err.find("não existe"), std::string::npos) << r.err;
    EXPECT_TRUE(linhas().empty());
}

// stage-notes shows the note screen (offscreen) over the same notes: the send
// run starts with the window, which closes by itself once the notes are done.
TEST_F(NfeCheckMonitorRun, StageNotesShowsTheNoteScreenThatClosesAfterASuccessfulRun)
{
    auto fake = monitor();
    testsupport::ChildProcess tela({(testsupport::binaryDir() / "bin" / "stage-notes").string(), "--db", fdb,
                                    (dir / "notas.json").string()},
                                   {{"QT_QPA_PLATFORM", "offscreen"},
                                    {"KVL_DRIVE_C", drive.string()},
                                    {"XDG_DATA_HOME", (dir / "dados").string()}});
    const std::string &saida = tela.readToEnd(std::chrono::seconds(120));
    const int estado = tela.stop(SIGTERM);
    ASSERT_TRUE(WIFEXITED(estado)) << saida;
    EXPECT_EQ(WEXITSTATUS(estado), 0) << saida;
    EXPECT_NE(saida.find("Nota fiscal eletrônica enviada com sucesso\n"), std::string::npos) << saida;
    const auto rows = linhas();
    ASSERT_EQ(rows.size(), 3u) << ::testing::PrintToString(rows);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(rows[i].starts_with(std::to_string(123 + i) + " 1 5 ")) << rows[i];
    fake->stop(SIGTERM);
}

TEST(StageNotes, WrongArgumentsExitTwo)
{
    const std::string programa = (testsupport::binaryDir() / "bin" / "stage-notes").string();
    for (const auto &argumentos :
         std::vector<std::vector<std::string>>{{}, {"--db"}, {"a.json", "b.json"}, {"--copies", "a.json"}}) {
        std::vector<std::string> argv = {programa};
        argv.insert(argv.end(), argumentos.begin(), argumentos.end());
        const auto r = runCommand(argv);
        EXPECT_EQ(r.exitCode, 2) << ::testing::PrintToString(argumentos);
        EXPECT_EQ(r.err, "uso: stage-notes [--db BANCO] NOTAS.json\n");
    }
}

} // namespace
