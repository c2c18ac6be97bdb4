#pragma once

#include <QDialog>
#include <map>
#include <memory>
#include <string>

#include "app/dados/frm_gerencia.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;

// The management module screen "Módulo de gerência" over its core: status
// bar ("Acesso Total"), top panel with `lblcodigo` and `btnSair`, and the
// pages "Cadastro de usuários", "Cadastro da empresa", "Configurações" and
// "Opções Adicionais" with the controls of their names. Boxes bound to the
// tables write the current row as they are typed; Enter in any control moves
// to the next one. Activation runs FormActivate, closing FormClose. Errors
// of the handlers are reported and the screen stays. Implemented in
// frm_gerencia_view.cpp.
class FrmGerenciaView : public QDialog {
  public:
    FrmGerenciaView(TdtmGerencia &gerencia, TfrmGerencia::Ambiente ambiente, QWidget *parent = nullptr);

    TfrmGerencia &core() { return core_; }

  protected:
    void showEvent(QShowEvent *event) override;
    void done(int resultado) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

  private:
    QPushButton *botao(const char *nome, const QString &texto, std::function<void()> tratador);
    QLineEdit *caixaUsuario(const char *nome, const char *campo);
    QLineEdit *caixaEmpresa(const char *nome, const char *campo);
    QLineEdit *caixaNucleo(const char *nome, std::string TfrmGerencia::*campo);
    QWidget *paginaUsuarios();
    QWidget *paginaEmpresa();
    QWidget *paginaConfiguracoes();
    QWidget *paginaOpcoes();
    void executa(const std::function<void()> &tratador);
    void mostra();

    TdtmGerencia &gerencia_;
    TfrmGerencia core_;
    bool ativado_ = false;
    QLabel *lblcodigo;
    QLabel *statusBar;
    QTabWidget *paginas;
    QTableWidget *grdUsuarios;
    QCheckBox *chkGerente;
    QRadioButton *edtport25;
    QRadioButton *edtport587;
    QRadioButton *edtPortOutra;
    QProgressBar *Porcento;
    std::map<QLineEdit *, std::pair<char, std::string>> ligadas_; // box -> (table, field)
    std::map<QLineEdit *, std::string TfrmGerencia::*> nucleo_;   // box -> core field
    std::map<std::string, QPushButton *> botoesDados_;
};
