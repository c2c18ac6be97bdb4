#pragma once

#include "app/dados/configuracao_empresa.h"
#include "console/config_geral/chaves_configuracao.h"
#include "console/config_geral/exibicao_resposta.h"
#include "console/config_geral/janela_console.h"
#include "dfe/mail/quib_mail.h"
#include "foundation/base/quib_exception.h"
#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/posprinter/pos_printer.h"

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

class TdtmNFE_grd;
class TDFeWebService;

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
// The screen owns the NF-e component `QuibNFe1` through which every console
// operation runs, with the mailer `QuibMail1` linked as its MAIL and no DANFE
// report. The reader applies each group of keys to the component as soon as
// the group is read; the library lists, their presets and "Aplicar
// Protocolos" act at once. The component's back-ends come from the registry
// the program fills at start-up (RegistraBackendsDFe).
//
// The module must outlive the screen and be connected for the settings
// operations. Nothing here commits but the save button. Implemented in
// frm_config_geral40.cpp (controls, writer, reader, buttons) and
// aplicacao_componente.cpp (the component's settings, library lists,
// presets and protocols) and frm_config_geral40_respostas.cpp (set-up at
// creation and the answer displays).
class TfrmConfigGeral40 : public ConfiguracaoEmpresa {
  public:
    struct Controle {
        TipoControle tipo = TipoControle::Edit;
        std::string texto;
        // A list's items, filled when the screen is created.
        std::vector<std::string> itens;
        int indice = -1;
        bool marcado = false;
        bool habilitado = true;
    };
    enum class ResultadoModal { Nenhum, Ok };
    // The embedded browser: the file it was last sent to.
    struct Navegador {
        std::string arquivo;
    };
    // The answer pages, in the order of `pgRespostas`.
    enum PaginaResposta { pgResp, pgXMLResposta, pgLog, pgNFe, pgRetornoWS, pgDados, pgRetornoConsulta };

    static constexpr std::string_view kTitulo = "QuibNFe - Demonstração";
    static constexpr std::string_view kArquivoTemporario = "temp.xml";

    // `pastaPrograma` is the program's folder ending with its separator.
    // Creation fills the lists (the enumeration lists with their value
    // names in ordinal order, each on its first item), shows the "NF-e"
    // operations and the "Log" answer page and sets the component's
    // `WebServices.Salvar`; no settings row is read or written until the
    // screen is activated.
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
    // Store to controls in the reader's order, each section's group applied
    // to QuibNFe1 once read: certificate and libraries, general options, web
    // services with proxy and TLS type, folders (the DANFE keys would reach
    // an attached DANFE report; none is attached). A stored integer that is
    // not one, or a wait, attempts or interval edit that is not a whole
    // number of zero or more, raises ConversionError naming section, key and
    // the text: the groups and steps before it stay applied, the controls and
    // properties after it keep their values. A list index outside its
    // enumeration leaves that property as it is and the list without a choice
    // (the library lists then show what the component uses).
    void LerConfiguracoes();
    // The screen became the active form: the reader runs.
    void FormActivate() { LerConfiguracoes(); }
    // The reader's application of one group's controls to QuibNFe1, in step
    // order: certificate and libraries (then the lists are resynchronised),
    // general options, web services with proxy and the facade's TLS type,
    // folders, DANFE (only with a report attached). An empty wait, attempts
    // or interval edit is filled from the component.
    void aplicaCertificado();
    void aplicaGeral();
    void aplicaWebService();
    void aplicaArquivos();
    void aplicaDanfe();

    // The library lists' change handlers (the operator's choice): with a
    // choice, the matching library of the component is set; then, also when
    // that raised (xsXmlSec), the lists are resynchronised and the error
    // passes on.
    void cbSSLLibChange();
    void cbCryptLibChange();
    void cbHttpLibChange();
    void cbXmlSignLibChange();
    // With a choice, the facade's TLS type.
    void cbSSLTypeChange();
    // The four library lists from the component's choices; enables the TLS
    // type list.
    void SincronizarCombosBibliotecas();
    // Presets "Ativa Capicom", "Ativa OpenSSL", "Ativa WinCrypt": the four
    // library lists, the TLS type list and the five protocol boxes; the
    // component is not touched.
    void btnAtivaCapicomClick();
    void btnAtivaOpenSSLClick();
    void btnAtivaWinCryptClick();
    // "Aplicar Protocolos": the ticked protocol boxes' mask as "SecureProtocols"
    // of the current user's Internet settings in the registry file; nothing
    // without a ticked box or when the file cannot be written. The settings
    // store is not touched.
    void Button6Click();

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

    // The answer XML without its signatures as the tree
    // `TreeViewRetornoConsulta`. A text that is not well-formed raises
    // ErroXMLResposta and the tree keeps its items.
    void ExibirArvoreResposta(std::string_view xml);
    // The answer XML made UTF-8 with a declaration, written to "temp.xml" in
    // the program's folder (replaced by rename) and the browser sent to it;
    // with a loaded note, the line "Empresa: " + the first note's emitter
    // name is appended to `MemoResp`. A file that cannot be written raises
    // FileWriteError before the browser or the memo is touched.
    void ExibirXMLNoNavegador(std::string_view xml, Navegador &navegador);

    // "Importar TXT/XML": a note file chosen in the note dialog (TXT files
    // listed too, starting at PathSalvar) imported into QuibNFe1's notes
    // (ImportarNotas) and shown field by field in `trvwNFe`, switching to
    // the "NFe" page when a note was loaded. A failed XML load shows
    // "Arquivo NFe Inválido" and keeps the tree. Implemented in
    // importacao_nota.cpp.
    void btnImportarXMLClick();
    // ---- The operations console ----
    // One handler per button, each run as one operation: while one runs,
    // another does nothing (EmOperacao). Inputs come through the prompts
    // (Cancel ends the operation with nothing called and nothing shown),
    // answers go to the panes; an error of the component passes on with the
    // panes as they were. Field lists are appended to `MemoDados` as an
    // empty line, a title and one "label: value" line per field (numbers
    // locale-free, date-times "dd/mm/yyyy hh:nn:ss", empty when not set).
    //
    // " Status de Serviço": the stored settings read and applied again
    // (unsaved edits are replaced), the status query; answer, SOAP answer,
    // the SOAP answer in the browser, page 1, the list "Status Serviço".
    void btnStatusServClick();
    // "Consultar carregando XML": the note dialog, the file's notes loaded
    // in place of the collection's and each queried; the last answer's
    // protocol in a box, answer, SOAP answer, browser and tree. A file
    // without notes raises the component's "nothing to query" error.
    void btnConsultarClick();
    // "Consultar pela Chave": the typed key (digits only, checked by the
    // service before any request) queried with the collection emptied.
    void btnConsultarChaveClick();
    // "Consultar Recibo Lote": the receipt as typed; page 1, the list
    // "Consultar Recibo".
    void btnConsultarReciboClick();
    // "Consulta Cadastro": the state as typed and a document reduced to its
    // digits: under 12 digits a CPF, else a CNPJ; page 1, the list
    // "Consulta Cadastro".
    void btnConsCadClick();
    // "Distribuição Documentos Fiscais": author state (an integer; anything
    // else raises ConversionError before any request), interested party,
    // last NSU, specific NSU; the answer element in the browser.
    void btnDistribuicaoDFeClick();
    // Whether an operation is running (read from any thread).
    bool EmOperacao() const { return emOperacao_; }

    // The component's step changed: the pop-up follows it (PassoDoStatus).
    void QuibNFe1StatusChange();
    // A log line of the component added to `memoLog`; `Tratado` is left as
    // it is. Bound to nothing, as the form is designed.
    void QuibNFe1GerarLog(std::string_view ALogLine, bool &Tratado);
    // The project links: a label's font while the pointer is over it, and
    // the pages opened through the shell. Bound to no control.
    struct FonteRotulo {
        bool negrito = true;
        bool sublinhado = false;
    };
    static void lblMouseEnter(FonteRotulo &fonte);
    static void lblMouseLeave(FonteRotulo &fonte);
    void lblColaboradorClick();
    void lblPatrocinadorClick();
    void lblDoar1Click();

    // The window's prompts and panes; until a window installs its own the
    // screen writes its own panes and asks through the installed dialogs
    // (where an input box answers Cancel). The installed objects must
    // outlive the screen or be removed with nullptr.
    void DefinirPerguntas(PerguntasConsole *perguntas) { perguntas_ = perguntas; }
    void DefinirPaineis(PaineisConsole *paineis) { paineis_ = paineis; }
    PerguntasConsole &perguntas();
    PaineisConsole &paineis() { return paineis_ ? *paineis_ : *paineisProprios_; }
    // The screen's own panes: the answer views below, the pop-up's state.
    PaineisConsole &paineisProprios() { return *paineisProprios_; }

    // The status pop-up `frmStatus` as shown: made on the first step with a
    // text and kept from then on.
    struct EstadoStatus {
        bool criado = false;
        bool visivel = false;
        std::string texto;
    };
    EstadoStatus frmStatus;

    ResultadoModal ModalResult = ResultadoModal::Nenhum;

    // The operations page (0 "NF-e", 1 "NFC-e") and the answer page shown.
    int PageControl3 = 0;
    int pgRespostas = pgLog;
    // The answer views; texts use CR LF between lines as the memos do.
    std::string MemoResp;
    std::string memoLog;
    std::string memoRespWS;
    std::string MemoDados;
    Navegador WBResposta;
    std::vector<NoArvore> trvwNFe;
    std::vector<NoArvore> TreeViewRetornoConsulta;
    // Called after the core changed its answer views by itself, so that a
    // view can show them.
    std::function<void()> aoMudar;

    // Declared before the component, which holds it as MAIL.
    TQuibMail QuibMail1;
    TQuibNFe QuibNFe1;
    // The thermal printer of the screen, set as the form is designed
    // (Epson commands, "COM9", line spacing 30, QR model 2, module 4, level
    // 0, 5 lines between coupons).
    TQuibPosPrinter QuibPosPrinter1;
    // The thermal DANFE printing on QuibPosPrinter1; attached to no NF-e
    // component, so the component's own print operations find no DANFE.
    // Declared after the printer, which must outlive it.
    TQuibNFeDANFeESCPOS QuibNFeDANFeESCPOS1;

  private:
    struct Preset;
    class PaineisDaTela;
    class PerguntasDosDialogos;
    // The own panes and default prompts, and the status-change binding.
    void criaJanelaPropria();
    // Runs one console operation unless one is running.
    void operacao(const std::function<void()> &corpo);
    // The standard display of a service's answer: answer and SOAP answer as
    // text, `xmlNavegador` in the browser.
    void exibicaoPadrao(const TDFeWebService &servico, std::string_view xmlNavegador);
    void acrescentaCampos(std::string_view titulo,
                          std::initializer_list<std::pair<std::string_view, std::string>> campos);
    // The shared file dialog set for a note XML.
    DialogoArquivo dialogoNota();
    void grava(const ChaveConfiguracao &chave);
    void le(const ChaveConfiguracao &chave);
    // The component's state as the form is designed.
    void configuraComponente();
    void preencheListas();
    void configuraImpressora();
    void avisaMudanca();
    // Applies the group of keys closed by the section just read.
    void aplicaGrupo(std::string_view sessao);
    void aplicaPreset(const Preset &preset);
    // Runs a library handler's setter, then resynchronises the lists.
    template <typename E> void aplicaBiblioteca(std::string_view lista, void (TGeralConf::*setter)(E));
    std::string padrao(const ChaveConfiguracao &chave) const;

    TdtmNFE_grd &modulo_;
    std::string pastaPrograma_;
    std::map<std::string, Controle, std::less<>> controles_;
    std::unique_ptr<PaineisConsole> paineisProprios_;
    std::unique_ptr<PerguntasConsole> perguntasPadrao_;
    PaineisConsole *paineis_ = nullptr;
    PerguntasConsole *perguntas_ = nullptr;
    std::atomic<bool> emOperacao_ = false;
};
