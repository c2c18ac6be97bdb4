#include "app/acesso/acesso.h"

#include "app/cipher/vex_encryption.h"
#include "app/dados/esquema_base.h"
#include "app/db/cursor.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/funcoes/splash.h"
#include "app/regional/formatos_processo.h"
#include "app/regional/localiza_ini.h"
#include "app/shell_constants.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/ini_file.h"
#include "tests/app/firebird/sonda_falsa.h"
#include "tests/support/firebird_test_env.h"
#include "tests/support/firebird_test_server.h"
#include "tests/support/scripted_dialogs.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string cifra(const std::string &senha)
{
    return TVexEncryption::Crypt(senha, kChaveCifraSenha, true);
}

// What MsgAtencao shows.
std::string aviso(const std::string &texto)
{
    return "atencao: ATENÇÃO ! ...  \r\n" + texto;
}

std::string textoDe(const std::string &arquivo)
{
    std::ifstream in(arquivo);
    return {std::istreambuf_iterator<char>(in), {}};
}

// One management database with the base schema for the whole program; each
// test empties USUARIO and gets an INI folder of its own pointing at it.
class Acesso : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        testsupport::useTestFirebird();
        pasta_ = new testsupport::TempDir();
        db::Database banco = db::Database::create(banco_());
        db::Transaction t(banco);
        criaEsquema(t, esquemaBaseGerencia());
        t.commit();
    }
    static void TearDownTestSuite()
    {
        delete pasta_;
        pasta_ = nullptr;
    }
    static std::string banco_() { return (pasta_->path() / "GERENCIA.KVL").string(); }

    void SetUp() override
    {
        executa("DELETE FROM USUARIO");
        auto scripted = std::make_unique<testsupport::ScriptedDialogs>();
        dialogos = scripted.get();
        instalaDialogos(std::move(scripted));
        escreveIni("PATH IB", banco_());
        escreveIni("CONVERTE PONTO VIRUGLA", "NAO");
        restauraFormatosDoProcesso();
    }
    void TearDown() override
    {
        instalaDialogos(nullptr);
        restauraFormatosDoProcesso();
    }

    static void executa(const std::string &sql, const std::vector<db::Value> &parametros = {})
    {
        db::Database banco = db::Database::attach(banco_());
        db::Transaction t(banco);
        db::executeSql(t, sql, parametros);
        t.commit();
    }
    static void usuario(const std::string &username, const std::string &senhaCifrada, int nivel,
                        int sistema = 100)
    {
        executa("INSERT INTO USUARIO (USUARIO, USERNAME, SENHA, NIVEL, SISTEMA) VALUES (?, ?, ?, ?, ?)",
                {db::Value(username), db::Value(username), db::Value(senhaCifrada), db::Value(nivel),
                 db::Value(sistema)});
    }
    // "USERNAME SISTEMA NIVEL senha" of every row, the password deciphered.
    static std::vector<std::string> usuarios()
    {
        db::Database banco = db::Database::attach(banco_());
        db::Transaction t(banco);
        db::Statement s(t, "SELECT USERNAME, SISTEMA, NIVEL, SENHA FROM USUARIO ORDER BY USERNAME, SISTEMA");
        db::Cursor c = s.open();
        std::vector<std::string> linhas;
        while (c.next())
            linhas.push_back(c.at(0).asString() + " " + c.at(1).asString() + " " + c.at(2).asString() + " " +
                             TVexEncryption::Crypt(c.at(3).asString(), kChaveCifraSenha, false));
        return linhas;
    }

    std::string ini() const { return (pastaIni_.path() / std::string(kArquivoIniAplicacao)).string(); }
    void escreveIni(const char *chave, const std::string &valor) const
    {
        IniFile(ini()).WriteString("IBGERENCIA", chave, valor);
    }
    TfrmAcesso::Ambiente ambiente() const
    {
        TfrmAcesso::Ambiente a;
        a.pastaIni = [this] { return pastaIni_.path().string() + "/"; };
        return a;
    }
    std::unique_ptr<TfrmAcesso> entra(TfrmAcesso::Ambiente a)
    {
        auto tela = std::make_unique<TfrmAcesso>(std::move(a));
        tela->FormActivate();
        return tela;
    }
    std::unique_ptr<TfrmAcesso> entra() { return entra(ambiente()); }
    static void tenta(TfrmAcesso &tela, const std::string &username, const std::string &senha)
    {
        tela.edtUsuario = username;
        tela.edtSenha = senha;
        tela.edtSenhaKeyDown(TfrmAcesso::Tecla::Enter);
    }

    testsupport::TempDir pastaIni_;
    testsupport::ScriptedDialogs *dialogos = nullptr;
    static testsupport::TempDir *pasta_;
};

testsupport::TempDir *Acesso::pasta_ = nullptr;

TEST_F(Acesso, TheSupportAccountIsMadeOrResetOnActivation)
{
    struct Caso {
        const char *nome;
        std::function<void()> antes;
        std::vector<std::string> depois;
    };
    // clang-format off
    const std::vector<Caso> casos = {
        {"empty table", [] {}, {"MASTERKVL 100 0 40719358"}},
        {"another level", [] { usuario("MASTERKVL", cifra("velha"), 3); },
         {"MASTERKVL 100 0 40719358"}},
        {"level 0 keeps its password", [] { usuario("MASTERKVL", cifra("propria"), 0); },
         {"MASTERKVL 100 0 propria"}},
        {"only another system", [] { usuario("MASTERKVL", cifra("x"), 0, 20); },
         {"MASTERKVL 20 0 x", "MASTERKVL 100 0 40719358"}},
        {"system rows without support", [] { usuario("ANA", cifra("a"), 2); },
         {"ANA 100 2 a", "MASTERKVL 100 0 40719358"}},
    };
    // clang-format on
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        executa("DELETE FROM USUARIO");
        caso.antes();
        auto tela = entra();
        EXPECT_EQ(usuarios(), caso.depois);
        EXPECT_EQ(tela->statusBar, " Código do Sistema: W-100");
    }
}

TEST_F(Acesso, TheUserNameIsBoundSoQuotesAreJustCharacters)
{
    usuario("D'AVILA", cifra("segredo"), 4);
    auto tela = entra();
    tenta(*tela, "A'OR'1'='1", "segredo");
    tenta(*tela, "X' OR '1'='1", "segredo"); // longer than the column
    EXPECT_EQ(dialogos->shown, (std::vector<std::string>(2, aviso("Usuário não localizado"))));
    EXPECT_EQ(tela->foco, TfrmAcesso::Campo::Usuario);
    tenta(*tela, "D'AVILA", "segredo");
    EXPECT_TRUE(tela->AcessoLiberado);
    EXPECT_TRUE(tela->fechada());
    EXPECT_EQ(tela->NivelUsuario, 4);
    tela->FormClose();
    EXPECT_FALSE(tela->encerraPrograma());
}

TEST_F(Acesso, AnEmptyPasswordStandsForTheDefaultOne)
{
    usuario("PADRAO", cifra(std::string(kSenhaPadrao)), 1);
    usuario("VAZIA", "", 1);
    auto tela = entra();
    tenta(*tela, "VAZIA", "");
    EXPECT_FALSE(tela->AcessoLiberado);
    tenta(*tela, "padrao", ""); // names are compared as stored
    EXPECT_EQ(dialogos->shown.back(), aviso("Usuário não localizado"));
    tenta(*tela, "PADRAO", "");
    EXPECT_TRUE(tela->AcessoLiberado);
}

TEST_F(Acesso, TheThirdWrongPasswordEndsTheRunAcrossUserNames)
{
    usuario("ANA", cifra("a"), 1);
    usuario("BIA", cifra("b"), 1);
    auto tela = entra();
    tenta(*tela, "ANA", "x");
    tenta(*tela, "NINGUEM", "x"); // not counted
    tenta(*tela, "BIA", "x");
    EXPECT_FALSE(tela->encerraPrograma());
    EXPECT_EQ(tela->TentativasSenha, 2);
    tenta(*tela, "ANA", "y");
    EXPECT_TRUE(tela->encerraPrograma());
    EXPECT_FALSE(tela->AcessoLiberado);
    EXPECT_FALSE(tela->conectado());
    EXPECT_EQ(dialogos->shown, (std::vector<std::string>{aviso("Sua senha não confere, tente novamente."),
                                                         aviso("Usuário não localizado"),
                                                         aviso("Sua senha não confere, tente novamente."),
                                                         aviso("Sua senha não confere.")}));
}

TEST_F(Acesso, AStoredPasswordThatIsNoCipherRaisesAndTheLoginStaysOpen)
{
    usuario("ANA", "NAO-E-CIFRA", 1);
    auto tela = entra();
    tela->edtUsuario = "ANA";
    tela->edtSenha = "a";
    EXPECT_THROW(tela->edtSenhaKeyDown(TfrmAcesso::Tecla::Enter), ConversionError);
    EXPECT_EQ(tela->TentativasSenha, 0);
    EXPECT_FALSE(tela->encerraPrograma());
    EXPECT_TRUE(tela->conectado());
}

TEST_F(Acesso, EscapeInAnyFieldAndAnUnacceptedCloseEndTheRun)
{
    for (auto tecla :
         {&TfrmAcesso::edtDataKeyDown, &TfrmAcesso::edtUsuarioKeyDown, &TfrmAcesso::edtSenhaKeyDown}) {
        auto tela = entra();
        ((*tela).*tecla)(TfrmAcesso::Tecla::Escape);
        EXPECT_TRUE(tela->encerraPrograma());
    }
    auto tela = entra();
    tela->edtDataKeyDown(TfrmAcesso::Tecla::Enter);
    EXPECT_EQ(tela->foco, TfrmAcesso::Campo::Usuario);
    tela->FormClose();
    EXPECT_TRUE(tela->encerraPrograma());
}

TEST_F(Acesso, AMissingRegionalKeyIsWrittenAndAppliedFromTheNextStart)
{
    std::filesystem::remove(ini());
    escreveIni("PATH IB", banco_());
    entra();
    EXPECT_EQ(IniFile(ini()).ReadString("IBGERENCIA", "CONVERTE PONTO VIRUGLA", ""), "SIM");
    EXPECT_EQ(formatosDoProcesso().separadorDecimal, ',');
    entra();
    EXPECT_EQ(formatosDoProcesso().separadorDecimal, '.');
}

TEST_F(Acesso, AFileAddressIsUsedWholeAndAFolderGetsTheDefaultName)
{
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"/srv/dados/Base.gdb", "/srv/dados/Base.gdb"},
        {"/srv/dados/base.KVL", "/srv/dados/base.KVL"},
        {"/srv/dados/",         "/srv/dados/GERENCIA.KVL"},
        {"/srv/dados",          "/srv/dadosGERENCIA.KVL"},
    };
    // clang-format on
    auto tela = entra();
    for (const auto &[path, nome] : casos) {
        escreveIni("PATH IB", path);
        tela->conectpathbanco();
        EXPECT_EQ(tela->nomeDoBanco(), nome);
    }
    escreveIni("PATH IB", pasta_->path().string() + "/");
    EXPECT_TRUE(entra()->conectado());
}

TEST_F(Acesso, AServerAddressRestartsTheServerThenAsksForTheAddress)
{
    SondaFalsa sonda;
    sonda.registros["SOFTWARE\\Firebird Project\\Firebird Server\\Instances|DefaultInstance"] = "/opt/fb";
    sonda.arquivos.insert("/opt/fb/bin/fbguard");
    sonda.guarda = 11;
    sonda.portaAberta = true;
    sonda.estadoDoServico = 4;
    SplashCore splash;
    std::vector<bool> aviso;
    splash.aoMudar = [&] { aviso.push_back(splash.pnlBancoVisivel); };
    escreveIni("PATH IB", "127.0.0.1/1:/srv/gerencia.kvl"); // nobody listens on port 1
    int perguntas = 0;

    auto a = ambiente();
    a.sonda = &sonda;
    a.splash = &splash;
    a.pedeEndereco = [&] {
        ++perguntas;
        EXPECT_EQ(sonda.pedidos, (std::vector<std::string>{
                                     "stop service firebird3.0", "stop application",
                                     "start application /opt/fb/bin/fbguard -forever FIREBIRD=/opt/fb/"}));
        escreveIni("PATH IB", banco_());
    };
    auto tela = entra(a);
    EXPECT_EQ(perguntas, 1);
    EXPECT_TRUE(tela->conectado());
    EXPECT_EQ(aviso, (std::vector<bool>{true, false}));
    EXPECT_TRUE(dialogos->shown.empty());
}

TEST_F(Acesso, AnInProcessAddressRetriesAtOnceWithoutTouchingTheServer)
{
    SondaFalsa sonda;
    escreveIni("PATH IB", (pastaIni_.path() / "nada.kvl").string());
    auto a = ambiente();
    a.sonda = &sonda;
    a.pedeEndereco = [] {};
    auto tela = entra(a);
    EXPECT_FALSE(tela->conectado());
    EXPECT_TRUE(sonda.pedidos.empty());
    EXPECT_EQ(sonda.agora, 0);
}

TEST_F(Acesso, TheThirdFailureShowsTheDatabaseLayersMessageAndWritesNothing)
{
    if (!testsupport::FirebirdTestServer::available())
        GTEST_SKIP() << "no Firebird server installed";
    testsupport::FirebirdTestServer servidor;
    const std::string noServidor = servidor.address(servidor.dataDir() / "gerencia.kvl");
    {
        db::Database criado = db::Database::create(noServidor);
    }
    struct Caso {
        const char *nome;
        std::string endereco;
        db::Credentials credenciais;
    };
    const std::vector<Caso> casos = {
        {"missing file", (pastaIni_.path() / "falta.kvl").string(), db::Credentials::shell()},
        {"wrong password", noServidor, {"SYSDBA", "errada"}},
        {"stopped server", noServidor, db::Credentials::shell()},
    };
    for (const auto &caso : casos) {
        SCOPED_TRACE(caso.nome);
        if (std::string(caso.nome) == "stopped server")
            servidor.stop();
        escreveIni("PATH IB", caso.endereco);
        const std::string antes = textoDe(ini());
        std::string esperado;
        try {
            db::Database::attach(caso.endereco, caso.credenciais);
        } catch (const db::DatabaseError &erro) {
            esperado = erro.what();
        }
        ASSERT_FALSE(esperado.empty());
        dialogos->shown.clear();
        auto a = ambiente();
        a.credenciais = caso.credenciais;
        auto tela = entra(a);
        EXPECT_FALSE(tela->conectado());
        EXPECT_EQ(dialogos->shown, (std::vector<std::string>{"Erro: " + esperado}));
        EXPECT_EQ(textoDe(ini()), antes);
        tenta(*tela, "MASTERKVL", std::string(kSenhaSuporte));
        EXPECT_FALSE(tela->AcessoLiberado);
    }
}

} // namespace
