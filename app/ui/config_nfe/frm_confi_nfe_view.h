#pragma once

#include <QDialog>

#include <map>
#include <string>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QWidget;
class TfrmConfiNFE;

// "Configuração da nota fiscal eletrônica" over its core (the caller owns the
// core): the emitter row's edits named after their controls, the button
// pack, the state and city pickers as grids laid over the form at the
// core's positions, the two settings buttons, the purge button, the two
// menus and the postal-code progress panel. Clicks run the core's handler
// and then show the core again; typing writes the core's field at once.
// Closing runs the core's FormClose. Implemented in frm_confi_nfe_view.cpp.
class TfrmConfiNFEView : public QDialog {
  public:
    explicit TfrmConfiNFEView(TfrmConfiNFE &core, QWidget *parent = nullptr);
    ~TfrmConfiNFEView() override;

    void done(int resultado) override;

  private:
    QPushButton *botao(const char *nome, const QString &texto, void (TfrmConfiNFE::*tratador)());
    QWidget *criaCampos();
    QWidget *criaBotoes();
    void criaMenus();
    void criaGrades();
    void clique(void (TfrmConfiNFE::*tratador)());
    void mostra();
    void mostraGrades();
    void atualizaBotoes();

    TfrmConfiNFE &core_;
    std::map<std::string, QLineEdit *> edits_;   // control name -> edit
    std::map<std::string, std::string> colunas_; // control name -> column
    std::map<std::string, QPushButton *> botoes_;
    QComboBox *dbTipoEmissor = nullptr;
    QButtonGroup *edtREgimetrib = nullptr;
    QCheckBox *edtHomologacao = nullptr;
    QCheckBox *chkCnpjAtivo = nullptr;
    QTableWidget *gridCid = nullptr;
    QTableWidget *gridUf = nullptr;
    QWidget *painelCep = nullptr;
    QLabel *lblCep = nullptr;
    QProgressBar *pbar = nullptr;
    bool mostrando_ = false;
};

// Makes the core's modal run show this view (instalaConfiNFE).
void instalaConfiNFEQt();
