#pragma once

#include <QDialog>

#include <map>
#include <string>

class QButtonGroup;
class QFormLayout;
class QLabel;
class QTabWidget;
class TfrmConfigGeral;

// "Configurações Gerais do Sistema" over its core (the caller owns the core):
// seven pages of the core's controls, each widget named after its control,
// and the buttons "Confirmar" and "Cancelar". Showing it activates the core
// (the company's values are loaded); "Confirmar" closes it with Accepted only
// when the core stored and committed, an error leaves it open; "Cancelar"
// and the close box store nothing. Implemented in frm_config_geral_view.cpp.
class TfrmConfigGeralView : public QDialog {
  public:
    explicit TfrmConfigGeralView(TfrmConfigGeral &core, QWidget *parent = nullptr);

  protected:
    void showEvent(QShowEvent *event) override;

  private:
    void criaControles();
    void clique(const std::string &botao);
    void mostra();

    TfrmConfigGeral &core_;
    QTabWidget *PageControl1;
    QLabel *lblCertificado;
    std::map<std::string, QWidget *> widgets_;
    std::map<std::string, QButtonGroup *> grupos_;
    std::map<std::string, QFormLayout *> formularios_;
    bool mostrando_ = false;
};

// Makes the core's modal run show this view (instalaConfigGeral).
void instalaConfigGeralQt();
