#pragma once

#include "app/nivel_menu/item_menu.h"

#include <string>
#include <string_view>
#include <vector>

class TdtmGerencia;

// Menu levels ("Nivel de Menu de usuario"): users of a level of 1 or more
// see only the main-menu items that table NIVELMENU of the management
// database releases for their level and the system; an item without a row
// counts as released there. Two sides share this core:
//   - the trimming the main window runs once (`AjustaNivelUsuario`), and the
//     single-option checks `TestaNivelUsuario`/`TestaOrdemOpcao`;
//   - the editor, which lists every item of `Menu` for one level with its
//     released flag (`tblNivel`) and writes the list back.
// Every name, level, system and ORDEM code reaches the database as a bound
// value. Lookups and writes go through the management module's builders and
// raise DatabaseError to the caller (the view shows it in the "Erro de
// sistema" box); the trimming then stops at the item that failed. Boxes go
// through the installed dialogs. The management module and the menu must
// outlive the core. Implemented in frm_nivel_menu.cpp.
class TfrmNivelMenu {
  public:
    static constexpr const char *kTitulo = "Nivel de Menu de usuario";
    static constexpr const char *kNaoLiberada = "Opção não liberada para o usuário...";

    // One row of the editor's list.
    struct LinhaNivel {
        int cod_sistema = 0;
        int cod_nivel = 0;
        std::string name;    // through TiraAcento
        std::string caption; // captions from the top level, " -> ", through TiraAcento
        std::string liberado = "T";
        std::string ordem;
    };

    explicit TfrmNivelMenu(TdtmGerencia &gerencia) : gerencia_(gerencia) { FormCreate(); }

    int CodigoSistema = 0;
    ItemMenu *Menu = nullptr;

    // The editor's controls.
    std::vector<LinhaNivel> tblNivel;
    int edtNivel = 0;
    std::string lblcodigo = "Código do sistema = 0";
    bool btnSelectEnabled = true;
    bool btnDeleteEnabled = true;
    bool fechada = false;

    // Hides every item of `Menu`, six levels deep, that the user's level
    // does not release; nothing below level 1.
    void AjustaNivelUsuario();
    // The new visibility of an item: a hidden item stays hidden without a
    // lookup; a visible one stays visible unless its row says "F".
    bool AtivaOpcao(std::string_view nome, bool visivel);
    // Whether the current user may use the option: level 0 or below may;
    // otherwise a released row is needed and no enclosing entry may be
    // withheld. A refusal shows kNaoLiberada when `mensagem` is "T". The
    // system and level texts must be whole numbers (ConversionError).
    bool TestaNivelUsuario(std::string_view opcao, std::string_view sistema, std::string_view mensagem);
    // Whether no enclosing entry of the ORDEM code (each shorter prefix
    // left by dropping two characters at a time) has a row saying "F".
    bool TestaOrdemOpcao(std::string_view ordem, std::string_view sistema, std::string_view mensagem,
                         std::string_view nivel);
    // Keeps A-Z, a-z, digits, "-", ">" and blanks; accented vowels and "ç"
    // become their plain capital letter, "ª" and "º" become "o"; anything
    // else (quotes, "&", "/") is dropped.
    static std::string TiraAcento(std::string_view texto);

    // Editor.
    void AdicionaOpcao(std::string_view nome, std::string_view caminho, std::string_view ordem);
    // Replaces the stored rows of the list's level and system by the list
    // and commits; an empty list deletes level 0 of system 0. Empties the list
    // once committed; a failed write or commit leaves both the stored rows and
    // the list as they were.
    void GravaNivel();
    void FormCreate();
    void FormActivate();
    void FormClose();
    void btnSelectClick();
    void btnDeleteClick();
    void SpeedButton2Click();
    void btnSairClick();

  private:
    int nivelUsuario() const;

    TdtmGerencia &gerencia_;
};
