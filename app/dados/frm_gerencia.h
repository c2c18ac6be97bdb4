#pragma once

#include "app/cipher/vex_encryption.h"
#include "app/dados/botoes_dados.h"
#include "app/dados/dados_antigos.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class TdtmGerencia;
class TfrmPathIB;
class TfrmRdp;

// The core of the management module screen "Módulo de gerência": users of
// the system `CodigoSistema`, companies, the company the system uses by
// default, the footer of reports, the settings for mailing reports, the
// database-location editor and the management database's address dialog,
// a printer grid for lining up dot-matrix printers, the company column of
// the location table and the upgrade of the suite's older data.
//
// It works on the management data module's tables (`tblUsuarios`,
// `tblEmpresaHD`, `tblRegistro`), which its creator opens before and closes
// after; each post commits. Passwords are stored enciphered (key "3582") and
// an empty one as the encipherment of the default password. Every value
// reaches SQL as a parameter. Boxes go through the installed dialogs; other
// screens through `Ambiente`. Database errors raise DatabaseError to the
// caller (the view reports them). Main thread only. Implemented in
// frm_gerencia.cpp (screen, users and companies) and
// frm_gerencia_opcoes.cpp (additional options).
class TfrmGerencia {
  public:
    static constexpr const char *kTitulo = "Módulo de gerência";
    static constexpr const char *kPaginas[] = {"Cadastro de usuários", "Cadastro da empresa", "Configurações",
                                               "Opções Adicionais"};
    enum class Pagina { Usuarios, Empresa, Configuracoes, Opcoes };
    enum class Porta { P25, P587, Outra };

    // What the screen reaches outside itself.
    struct Ambiente {
        TfrmPathIB *pathIb = nullptr;         // the database-location editor
        std::function<void()> configGerencia; // the management address dialog, modal
        TfrmRdp *rdp = nullptr;               // the report object (frmRdp() when null)
        LeitorDadosAntigos dadosAntigos;      // the older data; none: not available
        std::function<std::string()> hoje;    // today as text (the grid's title)
    };

    // FormCreate: reads the report e-mail settings.
    TfrmGerencia(TdtmGerencia &gerencia, Ambiente ambiente);

    int CodigoSistema = 100;
    std::string statusBar = "Acesso Total";
    std::string lblcodigo;
    Pagina pagina = Pagina::Usuarios;
    std::string foco; // name of the control with the focus
    bool semDados = false;

    // Users page boxes that are not bound to the table.
    std::string edtSenha, edtConfirma;
    // Report e-mail settings.
    std::string edtEMail_, edtSMTP, edtPassword, edtPathtmpEmail, edtPrintPdf, edtNOutraPort;
    Porta porta = Porta::Outra;
    // Additional options.
    std::string edtsenup;
    int PorcentoMax = 0, PorcentoPos = 0;
    std::string edtLin = "66", edtLpol = "6", edtComp = "135";
    std::function<void()> aoProgredir; // after each step of the progress bar

    // Screen events.
    void FormActivate();
    void FormClose();
    void btnSairClick() {}

    // Typed values of the bound boxes (the row goes into edit when browsing;
    // upper-case boxes are upper-cased).
    void defineCampoUsuario(std::string_view campo, std::string_view valor);
    void defineCampoEmpresa(std::string_view campo, std::string_view valor);

    // Users page.
    void UsuariosIncluir();
    void UsuariosEliminar();
    void UsuariosSalvar();
    void UsuariosCancelar();
    void edtSenhaEnter();
    void edtConfirmaExit();
    void edtNivelExit();
    void dtsuserDataChange();

    // Company page (Salvar and Cancelar also serve the configurations page).
    void EmpresaIncluir();
    void EmpresaEliminar();
    void EmpresaSalvar();
    void EmpresaCancelar();
    void edtCnpjExit();
    void btnEmpresaPadraoClick();
    void btnPathIbEmpresaClick();
    void ConfiguracoesSalvar();

    // Additional options.
    void btnCodEmpClick();
    void btnUpgradeClick();
    void btnImprimirMatrizClick();
    void btnPathIbClick();
    void btnConfigGerenciaClick();
    void btnSalvarEmailClick();

    std::string HabilitaDesabilita(std::string_view texto, int flag);
    void gravaConfigEmail();
    void UpUsuarios(const TabelaAntiga &linhas);
    void UpPathIB(const TabelaAntiga &linhas);
    void UpEmpresa(const TabelaAntiga &linhas);

    BotoesDados botoesUsuarios() const;
    BotoesDados botoesEmpresa() const;
    TdtmGerencia &gerencia() { return gerencia_; }

  private:
    // The open tables; DatabaseError while the module is disconnected.
    db::DataSet &tabela(const std::unique_ptr<db::DataSet> &aberta);
    db::DataSet &usuarios();
    db::DataSet &empresas();
    db::DataSet &registro();
    void leConfigEmail();
    std::string valorPorta() const;
    void copia(const TabelaAntiga &linhas, const std::function<void(const LinhaAntiga &)> &copiaLinha);

    TdtmGerencia &gerencia_;
    Ambiente ambiente_;
    TVexEncryption tmeSenha;
};
