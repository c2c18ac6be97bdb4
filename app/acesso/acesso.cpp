#include "app/acesso/acesso.h"

#include "app/db/cursor.h"
#include "app/db/database_address.h"
#include "app/db/db_error.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/splash.h"
#include "app/funcoes/ufuncoes.h"
#include "app/regional/formatos_processo.h"
#include "app/regional/localiza_ini.h"
#include "app/shell_constants.h"
#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/ini_file.h"

#include <cstdio>
#include <ctime>

namespace {

constexpr const char *kSecao = "IBGERENCIA";
constexpr int kLimiteServidorSegundos = 30;

std::string hojeNoFormatoCurto()
{
    const std::time_t agora = std::chrono::system_clock::to_time_t(currentTimePoint());
    std::tm local{};
    localtime_r(&agora, &local);
    char texto[40];
    std::snprintf(texto, sizeof texto, "%02d/%02d/%04d", local.tm_mday, local.tm_mon + 1,
                  local.tm_year + 1900);
    return texto;
}

// An address the embedded engine opens (or one that names nothing).
bool abreNoProcesso(const std::string &endereco)
{
    try {
        return db::resolveAddress(endereco).inProcess;
    } catch (const db::DatabaseError &) {
        return true;
    }
}

int inteiro(const db::Value &valor)
{
    return valor.isNull() ? -1 : valor.asInteger();
}

} // namespace

TfrmAcesso::TfrmAcesso(Ambiente ambiente) : ambiente_(std::move(ambiente))
{
    if (!ambiente_.pastaIni)
        ambiente_.pastaIni = [] { return LocalizaIni(); };
    if (!ambiente_.hoje)
        ambiente_.hoje = hojeNoFormatoCurto;
    tmeSenha_.SetKey(kChaveCifraSenha);
    tmeSenha_.SetAction(atDecryption);
    FormCreate();
}

TfrmAcesso::~TfrmAcesso()
{
    FechaFiles();
}

void TfrmAcesso::FormCreate()
{
    if (ambiente_.sonda && VersaoWindows() != "WIN98") {
        servico_ = std::make_unique<TFirebirdService>(*ambiente_.sonda, true);
        aplicacao_ = std::make_unique<TFirebirdApplication>(*ambiente_.sonda, true);
    }
    formatosDoProcesso().formatoDataCurta = "dd/mm/yyyy";
    TentativasSenha = 0;
    conectpathbanco();
    if (!conecta()) {
        if (ambiente_.splash)
            ambiente_.splash->mostraBanco(true);
        restauraServidor();
        if (!conecta()) {
            if (ambiente_.pedeEndereco)
                ambiente_.pedeEndereco();
            conectpathbanco();
            if (!conecta())
                dialogos().mensagem(erroConexao_, "Erro");
        }
        if (ambiente_.splash)
            ambiente_.splash->mostraBanco(false);
    }
}

void TfrmAcesso::conectpathbanco()
{
    IniFile ini(ambiente_.pastaIni() + std::string(kArquivoIniAplicacao));
    const std::string path = ini.ReadString(kSecao, "PATH IB", "");
    const std::string converte = ini.ReadString(kSecao, "CONVERTE PONTO VIRUGLA", "");
    if (converte.empty()) {
        // Takes effect from the next start; an INI that cannot be written
        // is no reason to keep the operator out.
        try {
            ini.WriteString(kSecao, "CONVERTE PONTO VIRUGLA", "SIM");
        } catch (const FileWriteError &) {
        }
    }
    if (converte == "SIM")
        AjustaRegional();
    const std::string extensao = ExtensaoArquivo(path);
    const bool arquivo = extensao == ".GDB" || extensao == ".KVL";
    FechaFiles();
    nomeDoBanco_ = path + (arquivo ? "" : "GERENCIA.KVL");
}

bool TfrmAcesso::conecta()
{
    FechaFiles();
    try {
        dtbGerencia_ =
            std::make_unique<db::Database>(db::Database::attach(nomeDoBanco_, ambiente_.credenciais));
        ibtGerencia_ = std::make_unique<db::Transaction>(*dtbGerencia_);
        tblUsuarios_ = std::make_unique<db::DataSet>(*ibtGerencia_, "USUARIO");
        tblUsuarios_->open();
        erroConexao_.clear();
        return true;
    } catch (const db::DatabaseError &erro) {
        FechaFiles();
        erroConexao_ = erro.what();
        return false;
    }
}

// A database that opens in-process has no server to restart.
void TfrmAcesso::restauraServidor()
{
    if (!aplicacao_ || abreNoProcesso(nomeDoBanco_))
        return;
    if (aplicacao_->IsRunning())
        aplicacao_->Stop(kLimiteServidorSegundos);
    if (servico_->IsRunning())
        servico_->Stop(kLimiteServidorSegundos);
    aplicacao_->Start(kLimiteServidorSegundos);
}

void TfrmAcesso::FormActivate()
{
    NewUser();
    statusBar = " Código do Sistema: W-" + std::to_string(CodigoSistema);
    foco = Campo::Data;
}

std::string TfrmAcesso::cifraSuporte()
{
    tmeSenha_.SetAction(atEncryption);
    tmeSenha_.SetInput(kSenhaSuporte);
    tmeSenha_.Execute();
    tmeSenha_.SetAction(atDecryption);
    return tmeSenha_.Output();
}

void TfrmAcesso::acrescentaSuporte()
{
    auto &tabela = *tblUsuarios_;
    tabela.insert();
    tabela.setField("USUARIO", db::Value(std::string(kNomeContaSuporte)));
    tabela.setField("USERNAME", db::Value(std::string(kContaSuporte)));
    tabela.setField("SISTEMA", db::Value(CodigoSistema));
    tabela.setField("NIVEL", db::Value(0));
    tabela.setField("SENHA", db::Value(cifraSuporte()));
    tabela.post();
    ibtGerencia_->commitRetaining();
}

void TfrmAcesso::NewUser()
{
    if (!conectado())
        return;
    auto &tabela = *tblUsuarios_;
    auto doSuporte = [&] {
        return tabela.field("USERNAME").asString() == kContaSuporte &&
               inteiro(tabela.field("SISTEMA")) == CodigoSistema;
    };
    bool doSistema = false;
    bool suporteNivelZero = false;
    for (tabela.first(); !tabela.eof(); tabela.next()) {
        doSistema |= inteiro(tabela.field("SISTEMA")) == CodigoSistema;
        suporteNivelZero |= doSuporte() && inteiro(tabela.field("NIVEL")) == 0;
    }
    if (!doSistema) {
        acrescentaSuporte();
        return;
    }
    if (suporteNivelZero)
        return;
    bool achou = false;
    for (tabela.first(); !tabela.eof(); tabela.next()) {
        if (!doSuporte())
            continue;
        tabela.edit();
        tabela.setField("NIVEL", db::Value(0));
        tabela.setField("SENHA", db::Value(cifraSuporte()));
        tabela.post();
        ibtGerencia_->commitRetaining();
        achou = true;
    }
    if (!achou)
        acrescentaSuporte();
}

void TfrmAcesso::edtDataEnter()
{
    edtData = ambiente_.hoje();
}

void TfrmAcesso::edtSenhaExit()
{
    if (!conectado()) {
        dialogos().mensagem(erroConexao_, "Erro");
        return;
    }
    // The user name is a parameter: a quote in it is only a character.
    // A name longer than the column names no one.
    db::Statement consulta(*ibtGerencia_, "Select * From USUARIO Where (USERNAME = ?) AND (Sistema = ?)");
    std::optional<db::Cursor> linhas;
    try {
        linhas.emplace(consulta.open({db::Value(edtUsuario), db::Value(CodigoSistema)}));
    } catch (const db::DatabaseError &erro) {
        if (erro.failure() != db::DbFailure::TextTooLong)
            throw;
    }
    if (!linhas || !linhas->next()) {
        MsgAtencao("Usuário não localizado");
        foco = Campo::Usuario;
        textoSelecionado = true;
        return;
    }
    const int nivel = inteiro(linhas->field("Nivel"));
    const std::string guardada = linhas->field("Senha").asString();
    linhas->close();
    NivelUsuario = nivel;
    tmeSenha_.SetAction(atDecryption);
    tmeSenha_.SetInput(guardada);
    tmeSenha_.Execute();
    const std::string digitada = edtSenha.empty() ? std::string(kSenhaPadrao) : edtSenha;
    if (tmeSenha_.Output() == digitada) {
        AcessoLiberado = true;
        FechaFiles();
        return;
    }
    if (TentativasSenha >= 2) {
        MsgAtencao("Sua senha não confere.");
        encerra();
        return;
    }
    MsgAtencao("Sua senha não confere, tente novamente.");
    ++TentativasSenha;
    foco = Campo::Senha;
    textoSelecionado = true;
}

void TfrmAcesso::FechaFiles()
{
    tblUsuarios_.reset();
    ibtGerencia_.reset(); // an open transaction is rolled back; every change was committed
    if (dtbGerencia_)
        dtbGerencia_->detach();
    dtbGerencia_.reset();
}

void TfrmAcesso::encerra()
{
    FechaFiles();
    encerra_ = true;
}

void TfrmAcesso::edtDataKeyDown(Tecla tecla)
{
    if (tecla == Tecla::Escape)
        encerra();
    else
        foco = Campo::Usuario;
}

void TfrmAcesso::edtUsuarioKeyDown(Tecla tecla)
{
    if (tecla == Tecla::Escape)
        encerra();
    else
        foco = Campo::Senha;
}

void TfrmAcesso::edtSenhaKeyDown(Tecla tecla)
{
    if (tecla == Tecla::Escape)
        encerra();
    else
        edtSenhaExit();
}

void TfrmAcesso::FormClose()
{
    FechaFiles();
    if (!AcessoLiberado)
        encerra_ = true;
}
