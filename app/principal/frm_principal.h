#pragma once

#include "app/nivel_menu/item_menu.h"
#include "app/principal/fabrica_telas.h"

#include <functional>

// The core of the main window "Configurador módulo NFE - NFCE - NFSE - KVL
// Informática": its menu tree `MainMenu1` (item names are keys of NIVELMENU)
// and the handlers of the menu and of the two picture buttons. The first
// activation trims the menu by the user's level; an error there is raised
// to the view (the "Erro de sistema" box) and leaves `PrimeiraAtivacao` set,
// so the next activation tries again. A menu action's error stops that
// action and is raised to the view; the tables it opened are closed again.
// Screens of other layers, and the company-settings and management commands
// whole, come from the factory; a command whose data module was not created
// at start-up raises ProgramError first. Boxes go through the
// installed dialogs. Modules and factory must outlive the core.
// Implemented in frm_principal.cpp.
class TfrmPrincipal {
  public:
    static constexpr const char *kTitulo = "Configurador módulo NFE - NFCE - NFSE - KVL Informática";
    static constexpr const char *kPerguntaSair = "Deseja Finalizar o Programa ?";
    static constexpr int kCodigoSistema = 100;

    TfrmPrincipal(ModulosDados &modulos, FabricaTelas &fabrica);

    bool PrimeiraAtivacao = true;
    ItemMenu MainMenu1;
    // Ends the program at once (the view quits the application).
    std::function<void()> encerraPrograma;

    // The main menu as the window is designed, every item visible.
    static ItemMenu menuPrincipal();
    // The item of that name anywhere in the menu, or nullptr.
    ItemMenu *item(std::string_view nome);

    void FormCreate();
    void FormActivate();
    void Configuraesdaempresa1Click();
    void ModulodeGerencia1Click();
    void VerificaAberturadeArquivos1Click();
    void CreateArquivos1Click();
    void Sair1Click();
    void BitBtn1Click() { Sair1Click(); }
    void BitBtn2Click() { Configuraesdaempresa1Click(); }
    // Runs the handler of a menu item by its name; false for an item
    // without one (submenus, separators).
    bool clicaItem(std::string_view nome);

  private:
    TdtmGerencia &gerencia() const;
    TdtmNFE_grd &moduloNFE() const;
    TdtmNFE_2 &moduloNotas() const;

    ModulosDados &modulos_;
    FabricaTelas &fabrica_;
};
