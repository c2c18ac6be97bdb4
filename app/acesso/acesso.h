#pragma once

#include "app/cipher/vex_encryption.h"
#include "app/db/credentials.h"
#include "app/db/data_set.h"
#include "app/db/database.h"
#include "app/db/transaction.h"
#include "app/firebird/gerenciador_firebird.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

class SplashCore;

// The core of the login screen "Solicitação de Acesso", run modally before
// any other window. Creating it reads the application INI and connects to
// the management database: a failed connection shows the splash's notice,
// gets the Firebird server running as an application (for a server address)
// and tries again; a second failure asks for the database address and tries
// a third time, whose failure is shown in plain words and leaves the screen
// up with no connection. Activating it makes sure the support account
// exists. The operator types user name and password; the password check
// compares the typed password with the stored one deciphered.
//
// The core never ends the program: Escape, the third wrong password and a
// close without acceptance set `encerraPrograma()`, which the start-up reads.
// A stored password that is not a cipher text raises ConversionError out of
// the check (the screen's error box shows it) and nothing else changes.
// Implemented in acesso.cpp.
class TfrmAcesso {
  public:
    static constexpr const char *kTitulo = "Solicitação de Acesso";

    // What the screen reaches outside itself; tests replace any of it.
    struct Ambiente {
        std::function<std::string()> pastaIni; // LocalizaIni when empty
        SondaFirebird *sonda = nullptr;        // no server controllers when null
        SplashCore *splash = nullptr;          // no notice when null
        std::function<void()> pedeEndereco;    // the address dialog, shown modally
        std::function<std::string()> hoje;     // today in the short date format
        db::Credentials credenciais = db::Credentials::shell();
    };

    enum class Tecla { Enter, Escape };
    enum class Campo { Data, Usuario, Senha };

    // FormCreate.
    explicit TfrmAcesso(Ambiente ambiente);
    ~TfrmAcesso();
    TfrmAcesso(const TfrmAcesso &) = delete;
    TfrmAcesso &operator=(const TfrmAcesso &) = delete;

    int CodigoSistema = 100;
    int NivelUsuario = 0;
    bool AcessoLiberado = false;
    int TentativasSenha = 0;

    std::string edtData;
    std::string edtUsuario;
    std::string edtSenha;
    std::string statusBar;
    Campo foco = Campo::Data;
    bool textoSelecionado = false;

    void FormActivate();
    void FormClose();
    void conectpathbanco();
    void NewUser();
    void edtDataEnter();
    void edtSenhaExit();
    void FechaFiles();
    void edtDataKeyDown(Tecla tecla);
    void edtUsuarioKeyDown(Tecla tecla);
    void edtSenhaKeyDown(Tecla tecla);

    bool conectado() const { return ibtGerencia_ != nullptr; }
    // The database name the connection uses (path + file name).
    const std::string &nomeDoBanco() const { return nomeDoBanco_; }
    // The error of the last failed connection, empty when connected.
    const std::string &erroConexao() const { return erroConexao_; }
    // The password was accepted: the screen closes.
    bool fechada() const { return AcessoLiberado; }
    // The program must end (Escape, third wrong password, closed unaccepted).
    bool encerraPrograma() const { return encerra_; }

    TFirebirdService *servico() const { return servico_.get(); }
    TFirebirdApplication *aplicacao() const { return aplicacao_.get(); }

  private:
    void FormCreate();
    bool conecta();
    void restauraServidor();
    std::string cifraSuporte();
    void acrescentaSuporte();
    void encerra();

    Ambiente ambiente_;
    std::unique_ptr<TFirebirdService> servico_;
    std::unique_ptr<TFirebirdApplication> aplicacao_;
    std::string nomeDoBanco_;
    std::string erroConexao_;
    std::unique_ptr<db::Database> dtbGerencia_;
    std::unique_ptr<db::Transaction> ibtGerencia_;
    std::unique_ptr<db::DataSet> tblUsuarios_;
    TVexEncryption tmeSenha_;
    bool encerra_ = false;
};
