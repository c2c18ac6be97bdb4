#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_2.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/primeira_partida.h"
#include "app/db/cursor.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/regional/localiza_ini.h"
#include "tests/support/child_process.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/run_command.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The first value a select gives, read by a connection of its own.
std::string consulta(const std::string &banco, const std::string &sql)
{
    db::Database conexao = db::Database::attach(banco);
    db::Transaction t(conexao);
    db::Statement comando(t, sql);
    std::string valor = "<none>";
    {
        db::Cursor linhas = comando.open();
        if (linhas.next())
            valor = linhas.at(0).asString();
    }
    t.commit();
    return valor;
}

// Every file under `pasta` with its size and time of last change.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> retrato(const fs::path &pasta)
{
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> arquivos;
    for (const auto &entrada : fs::recursive_directory_iterator(pasta))
        if (entrada.is_regular_file())
            arquivos[entrada.path().string()] = {entrada.file_size(), entrada.last_write_time()};
    return arquivos;
}

// Files of a creation that did not end ("…criando…").
std::vector<std::string> temporarios(const fs::path &pasta)
{
    std::vector<std::string> achados;
    for (const auto &entrada : fs::recursive_directory_iterator(pasta))
        if (entrada.path().filename().string().find(".criando") != std::string::npos)
            achados.push_back(entrada.path().string());
    return achados;
}

} // namespace

class PrimeiraPartidaTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        testsupport::useTestFirebird();
        instalaDialogos(std::make_unique<testsupport::ScriptedDialogs>());
    }
    void TearDown() override { instalaDialogos(nullptr); }

    fs::path driveKvl() const { return casa.path() / "DriveKVL"; }
    std::string ini() const { return (driveKvl() / "KVLAplic.ini").string(); }
    std::string gerencia() const { return (driveKvl() / "KVLWin/BancoFB20/Gerencia/GERENCIA.KVL").string(); }
    std::string modulo() const { return (driveKvl() / "KVLWin/BancoFB20/NFE/DanfeNFE.kvl").string(); }

    // What a database under its real name must hold: a complete creation.
    void esperaCompletos() const
    {
        if (fs::exists(modulo())) {
            EXPECT_EQ(consulta(modulo(), "SELECT GEN_ID(CONTROLA_ATUALIZACAO_NFE_40, 0) FROM RDB$DATABASE"),
                      "97");
        }
        if (fs::exists(gerencia())) {
            EXPECT_EQ(consulta(gerencia(),
                               "SELECT ALIAS_IB || '|' || SERVIDOR_IB || '|' || PATH_IB || '|' || "
                               "COD_EMP FROM PATHIB"),
                      "IB_DANFE_NFE|localHost:|C:\\DriveKVL\\KVLWin\\BancoFB20\\NFE\\|0");
        }
        if (fs::exists(ini())) {
            EXPECT_TRUE(fs::exists(modulo()));
            EXPECT_TRUE(fs::exists(gerencia()));
        }
    }

    testsupport::TempDir casa;
    testsupport::ScopedEnv driveC{"KVL_DRIVE_C", casa.path().string()};
};

TEST_F(PrimeiraPartidaTest, AnEmptyHomeGetsBothDatabasesTheModulesConnectAndASecondRunDoesNothing)
{
    const BancosPrimeiraPartida bancos = CriaBancosPrimeiraPartida();
    EXPECT_TRUE(bancos.criados);
    EXPECT_EQ(bancos.ini, ini());
    EXPECT_EQ(bancos.gerencia, gerencia());
    EXPECT_EQ(bancos.modulo, modulo());
    esperaCompletos();
    EXPECT_EQ(consulta(gerencia(), "SELECT COUNT(*) FROM USUARIO"), "0");
    EXPECT_EQ(consulta(modulo(), "SELECT RDB$CHARACTER_SET_NAME FROM RDB$DATABASE"), "WIN1252");
    EXPECT_EQ(temporarios(casa.path()), std::vector<std::string>{});

    if (testsupport::hasProgram("python3")) {
        const auto lido = testsupport::runCommand(
            {"python3", "-c",
             "import configparser,sys\nc=configparser.ConfigParser()\nc.read(sys.argv[1])\n"
             "print(c['IBGERENCIA']['PATH IB'])",
             ini()});
        EXPECT_EQ(lido.out, "localHost:C:\\DriveKVL\\KVLWin\\BancoFB20\\Gerencia\\\n") << lido.err;
    }

    // As the start-up reaches them: INI, management module, location row.
    {
        TdtmGerencia dadosGerencia(LocalizaIni());
        TdtmNFE_grd dadosModulo(dadosGerencia);
        ASSERT_TRUE(dadosModulo.dtmConectBanco(true));
        dadosModulo.dtmNFEOpen({"All"});
        EXPECT_TRUE(dadosModulo.tblConfigNFE->active());
        EXPECT_TRUE(dadosModulo.tblCep->active());
        TdtmNFE_2 notas(dadosModulo);
        notas.dtmNFEOpen({"All"});
        for (const auto &tabela : TdtmNFE_2::tabelas())
            EXPECT_NE(notas.tabela(tabela.componente), nullptr) << tabela.componente;
    }

    const auto antes = retrato(driveKvl());
    EXPECT_FALSE(CriaBancosPrimeiraPartida().criados);
    EXPECT_EQ(retrato(driveKvl()), antes);
}

TEST_F(PrimeiraPartidaTest, WithTheIniPresentAMissingDatabaseIsToldByNameAndNothingIsCreated)
{
    CriaBancosPrimeiraPartida();
    fs::remove(modulo());
    {
        TdtmGerencia dadosGerencia(LocalizaIni());
        TdtmNFE_grd dadosModulo(dadosGerencia);
        auto &caixas = dynamic_cast<testsupport::ScriptedDialogs &>(dialogos());
        EXPECT_FALSE(dadosModulo.dtmConectBanco(true));
        ASSERT_EQ(caixas.shown.size(), 1u);
        EXPECT_NE(caixas.shown[0].find("DanfeNFE.kvl"), std::string::npos) << caixas.shown[0];
    }
    EXPECT_FALSE(CriaBancosPrimeiraPartida().criados);
    EXPECT_FALSE(fs::exists(modulo()));

    fs::remove(gerencia());
    try {
        TdtmGerencia dadosGerencia(LocalizaIni());
        ADD_FAILURE() << "connected to a management database that does not exist";
    } catch (const db::DatabaseError &erro) {
        EXPECT_NE(std::string(erro.what()).find("GERENCIA.KVL"), std::string::npos) << erro.what();
    }
    EXPECT_FALSE(fs::exists(gerencia()));
}

// A folder the databases cannot go to: the message names it, the management
// database built meanwhile is removed, no INI is written, and once the cause
// is gone the next run succeeds.
TEST_F(PrimeiraPartidaTest, AFolderThatCannotBeMadeLeavesNoIniAndNoTemporaryFile)
{
    struct Caso {
        const char *nome;
        bool semPermissao; // a read-only folder (the owner of root ignores modes)
    };
    for (const Caso caso : {Caso{"a file where the module's folder goes", false},
                            Caso{"a folder that cannot be written", true}}) {
        SCOPED_TRACE(caso.nome);
        if (caso.semPermissao && geteuid() == 0)
            continue;
        const fs::path banco = driveKvl() / "KVLWin/BancoFB20";
        fs::create_directories(banco / "Gerencia");
        if (caso.semPermissao)
            fs::permissions(banco, fs::perms::owner_read | fs::perms::owner_exec);
        else
            std::ofstream(banco / "NFE") << "x";
        try {
            CriaBancosPrimeiraPartida();
            ADD_FAILURE() << "created into a folder that cannot hold it";
        } catch (const ErroPrimeiraPartida &erro) {
            EXPECT_NE(std::string(erro.what()).find((banco / "NFE").string()), std::string::npos)
                << erro.what();
        }
        EXPECT_FALSE(fs::exists(ini()));
        EXPECT_FALSE(fs::exists(gerencia()));
        EXPECT_EQ(temporarios(casa.path()), std::vector<std::string>{});

        fs::permissions(banco, fs::perms::owner_all);
        fs::remove(banco / "NFE");
        EXPECT_TRUE(CriaBancosPrimeiraPartida().criados);
        esperaCompletos();
        fs::remove_all(driveKvl());
    }
}

// A first start killed at random moments: never an INI without both
// databases, never an incomplete database under a real name; the next run
// completes and removes what the killed ones left.
TEST_F(PrimeiraPartidaTest, AStartKilledAtRandomMomentsIsCompletedByTheNextRun)
{
    const unsigned semente = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(semente));
    std::mt19937 aleatorio(semente);
    std::uniform_int_distribution<int> pausa(0, 3500);
    const std::string nfeCheck = (testsupport::binaryDir() / "bin" / "nfe-check").string();
    for (int morte = 0; morte < 4; ++morte) {
        testsupport::ChildProcess filho({nfeCheck, "first-start"}, {{"TMPDIR", casa.path().string()}});
        std::this_thread::sleep_for(std::chrono::milliseconds(pausa(aleatorio)));
        const int estado = filho.stop(SIGKILL, std::chrono::milliseconds(0));
        SCOPED_TRACE(filho.readToEnd(std::chrono::seconds(1)));
        esperaCompletos();
        if (!WIFSIGNALED(estado)) {
            // It ended before the signal: start over on an empty home.
            EXPECT_TRUE(fs::exists(ini()));
            fs::remove_all(driveKvl());
        }
    }
    EXPECT_TRUE(CriaBancosPrimeiraPartida().criados);
    esperaCompletos();
    EXPECT_TRUE(fs::exists(ini()));
    EXPECT_EQ(temporarios(driveKvl()), std::vector<std::string>{});
}
