#pragma once

#include "app/dados/configuracao_empresa.h"
#include "console/config_geral/chaves_configuracao.h"
#include "foundation/base/quib_exception.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

class TdtmNFE_grd;

// A settings key that could not be written; names the section and the key.
class ErroGravacaoConfiguracao : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// The core of the NF-e settings screen: one value per control (an edit's
// text, a list's index with -1 for no choice, a box's tick), the typed
// settings operations `Ini_*` of the company in the module's `CnpjEmpresa`
// (inherited: the schema updater uses the same class with no screen), the
// settings writer and reader driven by the key table, and the screen's
// buttons. A view binds its widgets to the controls by name.
//
// The module must outlive the screen and be connected for the settings
// operations. Nothing here commits but the save button. Implemented in
// frm_config_geral40.cpp.
class TfrmConfigGeral40 : public ConfiguracaoEmpresa {
  public:
    struct Controle {
        TipoControle tipo = TipoControle::Edit;
        std::string texto;
        int indice = -1;
        bool marcado = false;
    };
    enum class ResultadoModal { Nenhum, Ok };

    // `pastaPrograma` is the program's folder ending with its separator.
    TfrmConfigGeral40(TdtmNFE_grd &modulo, std::string pastaPrograma);

    // The controls by name; std::out_of_range for a name the screen lacks.
    Controle &controle(std::string_view nome);
    const std::map<std::string, Controle, std::less<>> &controles() const { return controles_; }
    // The names of the settings controls, each once, in the reader's order.
    std::vector<std::string> controlesEmOrdemDeLeitura() const;

    // Controls to store, every key in the table's order; neither reads nor
    // commits. A key that cannot be written (a text over its column, a
    // margin or time-out that is not a number) raises
    // ErroGravacaoConfiguracao naming it; the keys before it stay written in
    // the open transaction (the save button undoes them).
    void GravarConfiguracoes();
    // Store to controls in the reader's order. A stored integer that is not
    // one raises ConversionError naming section and key; the controls after
    // it keep their values.
    void LerConfiguracoes();

    // "Salvar Configurações": the writer inside a savepoint, the commit, then
    // closes with OK. A failed write is rolled back to the savepoint (nothing
    // of this save remains) and its message shown; a failed commit shows the
    // module's message. Either way the screen stays open with its edits.
    void btnSalvarConfigClick();
    // "Margens default": the four margin edits to 0.60, 0.75, 0.80, 2.00.
    void btnMargensDefaultClick();
    // "Dados default KVL": after a Yes to "Carregar dados default KVL ?",
    // the SMTP host, port, user and password edits get the suite's default
    // mail account (app/shell_constants.h).
    void btnDadosDefaultKVLClick();
    // The pickers fill their edit with the chosen path, as chosen; a cancel
    // keeps it. Certificate and logo files start at the program's folder;
    // the folder buttons (`edtPathLogs`, `edtPathSchemas`, `edtPathNFe`,
    // `edtPathCan`, `edtPathCCe`, `edtPathInu`, `edtPathDPEC`,
    // `edtPathEvento`) at the edit's folder, a stored Windows one mapped,
    // or the program's folder when the edit is empty.
    void sbtnCaminhoCertClick();
    void sbtnLogoMarcaClick();
    void btnPastaClick(std::string_view edit);

    ResultadoModal ModalResult = ResultadoModal::Nenhum;

  private:
    void grava(const ChaveConfiguracao &chave);
    void le(const ChaveConfiguracao &chave);
    std::string padrao(const ChaveConfiguracao &chave) const;

    TdtmNFE_grd &modulo_;
    std::string pastaPrograma_;
    std::map<std::string, Controle, std::less<>> controles_;
};
