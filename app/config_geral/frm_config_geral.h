#pragma once

#include "app/config_geral/chaves_config_geral.h"
#include "foundation/base/quib_exception.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TdtmNFE_grd;
class TQuibNFe;

// A key of the NFS-e/CT-e settings that could not be written; names the key.
class ErroGravacaoConfigGeral : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

// The core of "Configurações Gerais do Sistema", the document monitor's
// NFS-e and CT-e settings of one company (`CnpjEmpresa`), kept as flat rows
// of the settings store named after the controls (chaves_config_geral.h).
//
// Callers (the emitter configuration screen, the schema updater) set
// `CnpjEmpresa` and either show the screen (ShowModal, which activates it)
// or use only the four settings-store operations, which touch nothing of
// the screen and need no view.
//
// The module must outlive the screen and be connected. Only "Confirmar"
// commits. A stored index that is not a whole number raises ConversionError
// out of the load; the controls after it keep their defaults. Database
// failures raise DatabaseError. Implemented in frm_config_geral.cpp
// (controls, load, store) and frm_config_geral_acoes.cpp (the buttons).
class TfrmConfigGeral {
  public:
    static constexpr const char *kTitulo = "Configurações Gerais do Sistema";
    static constexpr const char *kTextoCertificado = "Informe o número de série do certificado\r"
                                                     "Disponível no Internet Explorer no menu\r"
                                                     "Ferramentas - Opções da Internet - Conteúdo \r"
                                                     "Certificados - Exibir - Detalhes - \r"
                                                     "Número do certificado";

    struct Controle {
        TipoControleNfse tipo = TipoControleNfse::Edit;
        std::string texto; // an edit's text; a combo box's shown text
        int indice = -1;   // a list's chosen item, -1 for none
        bool marcado = false;
        bool visivel = true;
    };
    enum class ResultadoModal { Nenhum, Ok, Cancelar };

    // `pastaPrograma` is where the file dialogs start.
    TfrmConfigGeral(TdtmNFE_grd &modulo, std::string pastaPrograma);
    ~TfrmConfigGeral();
    TfrmConfigGeral(const TfrmConfigGeral &) = delete;
    TfrmConfigGeral &operator=(const TfrmConfigGeral &) = delete;

    std::string CnpjEmpresa;
    ResultadoModal ModalResult = ResultadoModal::Nenhum;
    int paginaAtual = 0;
    std::string lblCertificado;

    // The controls by name; std::out_of_range for a name the screen lacks.
    Controle &controle(std::string_view nome);
    const Controle &controle(std::string_view nome) const;
    // Chooses a list's item (clamped to the list; a combo box shows its text).
    void escolhe(std::string_view nome, int indice);

    // Loads `CnpjEmpresa`: every control back to the screen's defaults, then
    // the stored rows. Keys the company has no row for show the defaults,
    // never the values of the company shown before.
    void FormActivate();
    // Every key with its value as "Confirmar" stores it, in the store's order.
    std::vector<std::pair<std::string, std::string>> valoresParaGravar() const;
    // Sets the key's control from a stored value, as the load reads it.
    // ConversionError for an index that is not a whole number.
    void aplicaValor(const ChaveNfse &chave, std::string_view valor);
    // Stores every key for `CnpjEmpresa` and commits, then closes with OK. A
    // key the store refuses undoes this store's writes and raises
    // ErroGravacaoConfigGeral naming it; a failed commit was already told
    // by the module. Either way the screen stays open with its values.
    void ConfirmarClick();
    void CancelarClick() { ModalResult = ResultadoModal::Cancelar; }

    // The settings-store operations of the module (dtm_nfe_grd.h), with the
    // column given by name ("Campo_Valor" or "Campo_memo").
    void Grava_Valor_Referencia(std::string_view cnpj, std::string_view chave, std::string_view valor);
    std::string Busca_Valor_Referencia(std::string_view cnpj, std::string_view chave);
    void Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao, std::string_view chave,
                                       std::string_view valor, std::string_view coluna);
    std::string Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                              std::string_view chave, std::string_view coluna);

    // The file buttons fill their edit with the chosen file; a cancel keeps
    // it. The dialogs start in the program's folder.
    void sbtnCaminhoCertClick();
    void sbtnLogoMarcaClick();
    void btnLogoPrefClick();
    void btnLogoPrestClick();
    // The certificate choice of the user's store (through the installed
    // picker); the chosen serial number goes to `edtNumSerie`, a cancel
    // keeps it. Store failures raise EQuibDFeException.
    void sbtnGetCertClick();
    // "Dados default KVL": after a Yes to "Carregar dados default KVL ?" the
    // SMTP edits get the suite's mail account (app/shell_constants.h).
    void SpeedButton1Click();
    // "Testar envio de email": one short message from the sender address to
    // itself through the screen's server, port, SSL (implicit on port 465,
    // STARTTLS on any other) and, when authentication is ticked, user and
    // password. The mailer's answer is shown; nothing raises.
    void btntestaemailClick();

    // The screen's NF-e component, made on first use; its certificates come
    // from the user's certificate store.
    TQuibNFe &QuibNFe1();

    // Shows the screen modally through the installed view; true with OK.
    // With no view installed nothing is shown and the answer is false.
    bool ShowModal();

  private:
    void padroes();
    void carregaLinhas();
    void abreArquivo(std::string_view edit, std::string_view filtro);

    TdtmNFE_grd &modulo_;
    std::string pastaPrograma_;
    std::map<std::string, Controle, std::less<>> controles_;
    std::unique_ptr<TQuibNFe> quibNFe_;
};

// Installs the modal view of the screen (an empty function removes it).
using MostraConfigGeral = std::function<void(TfrmConfigGeral &)>;
void instalaConfigGeral(MostraConfigGeral mostra);
