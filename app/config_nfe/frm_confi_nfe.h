#pragma once

#include "app/config_nfe/listas_referencia.h"
#include "app/db/data_set.h"
#include "app/db/value.h"
#include "foundation/base/quib_exception.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TdtmGerencia;
// The postal-code import stopped: a line that is not an accepted insert into
// CEP, or a commit that failed; the message names the file and the line.
class ErroImportacaoCep : public ProgramError {
  public:
    using ProgramError::ProgramError;
};

class TdtmNFE_grd;
class TfrmConfigGeral;

// Which buttons of the data-aware button pack are enabled: one function of
// the cursor's state. "Incluir" needs a browsing, writable table; "Eliminar"
// also a current row; "Cancelar" and "Salvar" need a row being edited or
// inserted; the four navigation buttons need a browsing table with rows.
struct EstadoBotoesConfiNFE {
    bool incluir = false;
    bool eliminar = false;
    bool cancelar = false;
    bool salvar = false;
    bool navegacao = false;
    bool operator==(const EstadoBotoesConfiNFE &) const = default;
};
EstadoBotoesConfiNFE estadoBotoesConfiNFE(db::DataSet::State estado, bool somenteLeitura, bool vazia);

// The core of "Configuração da nota fiscal eletrônica": the emitter rows of
// CONFIGNFE (one per issuing company) over the module's `tblConfigNFE`, the
// state, city and country pickers, the seeding of a company's settings
// before the two settings screens open, and the upkeep commands (table
// upgrades with the postal-code import, purge of homologation notes).
//
// The data modules and the NFS-e/CT-e settings screen must outlive the core
// and the module must be connected with CONFIGNFE open (the company-settings
// command, `ConfiguracoesDaEmpresa`, does so). The settings-and-console screen
// and the monitor client's note screens belong to other parts of the program:
// the core reaches them only through the hooks below, which do nothing while
// unset. Message boxes go through dialogos(). Database failures of the seeding
// and of the navigation raise DatabaseError; the save, delete, purge and
// upgrades keep the transaction whole (see each). Main thread only.
// Implemented in frm_confi_nfe.cpp (editor and seeding), frm_confi_nfe_listas.cpp
// (pickers and lists) and frm_confi_nfe_manutencao.cpp (upgrades and purge).
class TfrmConfiNFE {
  public:
    static constexpr const char *kTitulo = "Configuração da nota fiscal eletrônica";
    static constexpr const char *kArquivoCidades = "Tabela_Cidades_IBGE.txt";
    static constexpr const char *kArquivoPaises = "tabela_de_paises.txt";
    static constexpr const char *kArquivoCeps = "cidades.sql";

    struct Grade {
        bool visivel = false;
        int left = 0, top = 0, width = 0, height = 0;
    };
    struct Botao {
        int width = 22;
        std::string caption;
    };
    struct Progresso {
        int max = 100;
        int position = 0;
    };
    // What the last postal-code import did.
    struct ResultadoImportacaoCep {
        int linhasImportadas = 0;
        int commits = 0;
        std::optional<std::string> erro; // the refusal, naming file and line
    };
    enum class ResultadoModal { Nenhum, Ok };

    TfrmConfiNFE(TdtmNFE_grd &modulo, TdtmGerencia &gerencia, TfrmConfigGeral &configGeral,
                 std::string pastaPrograma);
    ~TfrmConfiNFE();
    TfrmConfiNFE(const TfrmConfiNFE &) = delete;
    TfrmConfiNFE &operator=(const TfrmConfiNFE &) = delete;

    // Shows the settings-and-console screen modally (the start-up's screen
    // factory sets it).
    std::function<void()> mostraConfigGeral40;
    // The monitor client's re-print screen: `Criar_Forms` and
    // `Ativa_Modelo_Exportacao`, run in this order when the screen closes.
    std::function<void()> Criar_Forms;
    std::function<void()> Ativa_Modelo_Exportacao;

    ListaReferencia<EstadoIBGE> tblEstados;
    ListaReferencia<CidadeIBGE> tblCidades;
    ListaReferencia<PaisIBGE> tblPaises;
    Grade gridCid, gridUf;
    Botao btnBuscaCidades, btnBuscaEstados;
    bool lblCepVisivel = false;
    Progresso pbar;
    std::string foco;      // the control that has or gets the focus
    bool Recusado = false; // the save steps' refusal flag
    ResultadoModal ModalResult = ResultadoModal::Nenhum;
    ResultadoImportacaoCep ultimaImportacaoCep;

    // The emitter table (the module's tblConfigNFE).
    db::DataSet &tabela() const;
    EstadoBotoesConfiNFE estadoBotoes() const;
    // The current row's field; null when the table has no row.
    db::Value campo(std::string_view nome) const;
    // Typing into a field's edit: a browsing table goes into edit mode (an
    // empty one inserts); the integer columns take a whole number or null.
    // ConversionError for a code that is not a number.
    void defineCampo(std::string_view nome, std::string_view texto);
    // The boxes and the list of the editor.
    void defineTipoEmissor(std::string_view tipo);
    void defineRegime(int codigo);        // 1 or 3
    void defineHomologacao(bool marcado); // NRO_COPIAS2 100 or 0
    void defineCnpjAtivo(bool marcado);   // "T" or "F"

    void btnSairClick() { ModalResult = ResultadoModal::Ok; }
    void btnNewClick();
    // "Salvar": refuses an empty name ("Nome não informado", the row stays
    // in edit mode, nothing written); else writes the flat "rgtipoAmb",
    // posts and commits together. A post the database refuses undoes the
    // flat write too and raises; the row keeps its typed values.
    void dbBBtnSaveClick();
    void AntesdeSalvarProdutos();
    void DepoisdeSalvarProdutos();
    // "Eliminar": after the confirmation, deletes the row and then every
    // settings row of its CNPJ digits, one commit for both. A refused delete
    // leaves both untouched.
    void btnDeleteClick();
    void btnCancelClick();
    void dbBBtnFirstClick();
    void dbBBtnPriorClick();
    void dbBBtnNextClick();
    void dbBBtnLastClick();

    void btnBuscaCidadesClick();
    void btnBuscaEstadosClick();
    void edtcodufExit();
    // Seeds the sectioned settings of the current row's company, commits and
    // shows the settings-and-console screen.
    void btnConfigNfe40Click();
    // Seeds the flat NFS-e/CT-e settings, commits and shows that screen.
    void brnConfigNFEClick();
    // Fills the current row from the management module's selected company
    // and saves it as "Salvar" does.
    void Importarcadastrodegerenci1Click();
    void AlteraoesaseremExecutadas1Click();
    void SpeedButton1Click();
    void FormClose();
    void FormDestroy();

    // The public operations the monitor client uses.
    void CreateFileEstadoCidade();
    void CreateFilePais();
    std::string BuscaEstado(int codigo, std::string_view sigla) const { return ::BuscaEstado(codigo, sigla); }
    std::string Modulo11NFE(std::string_view digitos) const { return ::Modulo11NFE(digitos); }
    void CreatListPrint() {}

    // The upgrade command's steps.
    void createCep();
    void createSped1();
    void createSped2();
    // Imports "cidades.sql" into CEP (see ultimaImportacaoCep). Raises
    // ErroImportacaoCep for a refused line or a failed commit; the commits
    // made before stay.
    void ImportCidadeSql();

    // The CNPJ digits of the current row.
    std::string cnpjDigitos() const;

  private:
    void editaSeNavegando();
    void salvaLinha();
    void alteracao(int numero, const std::function<void()> &passo);
    bool tabelaExiste(std::string_view tabela);
    void createSped(int numero, std::string_view tabela, const std::vector<std::string> &ddl);

    TdtmNFE_grd &modulo_;
    TdtmGerencia &gerencia_;
    TfrmConfigGeral &configGeral_;
    std::string pastaPrograma_;
};

// The main window's command "Configurações da empresa": opens CONFIGNFE,
// creates the emitter screen with the two settings screens, shows it
// through the installed view, and closes CONFIGNFE. `preparaTela` sets the
// hooks of the screen (the start-up's factory); it runs before showing.
void ConfiguracoesDaEmpresa(TdtmNFE_grd &modulo, TdtmGerencia &gerencia, const std::string &pastaPrograma,
                            const std::function<void(TfrmConfiNFE &)> &preparaTela);

// Installs the modal view of the emitter screen (an empty function removes
// it; then showing does nothing).
using MostraConfiNFE = std::function<void(TfrmConfiNFE &)>;
void instalaConfiNFE(MostraConfiNFE mostra);
// Shows the screen through the installed view.
void mostraConfiNFE(TfrmConfiNFE &tela);
