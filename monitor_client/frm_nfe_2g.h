#pragma once

#include "app/db/value.h"
#include "foundation/dates/date_time.h"
#include "monitor_client/grade_danfe.h"
#include "monitor_client/tabelas_notas.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TdtmNFE_grd;

// The core of the note screen: it turns a staged note into the document
// monitor's request document and follows the monitor's answers. No Qt.
//
// The request document is built as lines in memory (`Requisicao`, UTF-8,
// no line ends) by the section writers, which read the current row of
// `tblNotas` (see selecionaNota), the related rows of the other tables and
// the emitter's row of the module's CONFIGNFE table (the current row of
// tblConfigNFE, which must be open). The file edge writes the lines in
// Windows-1252 with CR LF (request/arquivo_requisicao.cpp).
//
// Writers raise ConversionError naming the field for a text that holds no
// number where one is read, or no date where one is read; nothing is then
// written to a file. Database failures of the municipality lookup raise
// DatabaseError. Numbers never go through the process locale; the numeric
// code and the dated rules read the clock of foundation/dates/date_time.h.
// Main thread only.
//
// Implemented in frm_nfe_2g.cpp and in the sources of request/: values.cpp
// (line prefix, value formats, text cleaner), municipio.cpp (municipality
// codes), emitente.cpp ([ide], [emit], [enderEmit]), destinatario.cpp
// ([dest], [enderDest], [NFREF], [entrega]), transporte.cpp ([transp],
// [transporta], [Veictransp], [Vol]), info_adicional.cpp ([infadic]),
// totais.cpp ([ICMStot], [ISSQNTOT]), exporta_fatura.cpp ([exporta],
// [dup]), memo_itens.cpp (the item and tax buffers, the item loop with its
// shares of the note amounts and approximate taxes), produto_item.cpp
// ([Prod], the marker groups, [det]), importacao_item.cpp (the import
// note's [DI], [ADI], [II]), linhas_imposto.cpp (what the tax writers
// share), pis_cofins.cpp, icms_normal.cpp, icms_simples.cpp, issqn_ipi.cpp
// (the tax sections), documento_nota.cpp (the document in order) and arquivo_requisicao.cpp
// (the file edge).
//
// The exchange with the monitor is split by area:
// frm_nfe_2g_nomes.cpp (emitter choice and file names),
// frm_nfe_2g_entrega.cpp (hand-off of requests),
// frm_nfe_2g_retorno.cpp (reading and recording answers),
// frm_nfe_2g_penduradas.cpp (answers left over from earlier runs),
// frm_nfe_2g_danfenfe.cpp (every statement on DANFENFE, Carta_Correcao and
// Eventos_Nfe) and frm_nfe_2g_timers.cpp (activation, ticks, bounded polls,
// completion and the message panel).
//
// Values reach the database only as bound parameters. An answer file is
// deleted only after what it recorded is committed; while a tick or an
// operation runs, another tick returns at once. Main thread only.
class TfrmNFE_2G {
  public:
    static constexpr const char *kNomeHomologacao =
        "NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL";
    static constexpr const char *kMarcadorVeiculo = "123 KVL E VEICULO 123";
    static constexpr const char *kMarcadorCombustivel = "123 KVL E COMBUSTIVEL 123";
    static constexpr const char *kMarcadorImportacao = "123 KVL [DI] [ADI] 123";
    static constexpr const char *kMarcadorLotes = "123 KVL [LOTES VENDA] 123";

    // The module, the tables and the program's folder (where the city list
    // "Tabela_Cidades_IBGE.txt" is) must outlive the core.
    TfrmNFE_2G(TdtmNFE_grd &modulo, TabelasNotas &tabelas, std::string pastaPrograma);

    // The note whose request is written: the row at `indice` of tblNotas
    // (std::out_of_range beyond the rows).
    void selecionaNota(std::size_t indice);
    const LinhaNota &notaAtual() const;

    // --- State of one document ---
    int CodigoNumerico = 0; // 0: a new code is computed
    bool ModoExportacao = false;
    double TotalTributos = 0, BaseIcmsDeduzir = 0, IcmsDeduzir = 0, TotalServicos = 0, TotalPis = 0,
           TotalCofins = 0, TotalIss = 0, TotalPisServicos = 0, TotalCofinsServicos = 0;
    double PisServicoItem = 0, CofinsServicoItem = 0;
    // The open request document's lines, and the item and tax buffers.
    std::vector<std::string> Requisicao;
    std::vector<std::string> memoprod;
    std::vector<std::string> memoImp;

    // --- Line format and values ---
    // `indent` spaces, the key padded to 15 characters (a longer key whole)
    // and " = "; an empty key gives only the spaces.
    static std::string Sp(int indent, std::string_view chave);
    // "yyyy-mm-dd".
    static std::string AjData(TDateTime data);
    // "hh:mm:00" from "h:m..." (each part reduced to its digits).
    static std::string AjHora(std::string_view hora);
    // The amount text (either separator; the last one met is the decimal
    // point, the sign dropped) with the decimals of `casas` ("00", "000"...;
    // none when empty), "." as decimal point.
    static std::string FtDc(std::string_view valor, std::string_view casas);
    // The amount text without "," as a real; ConversionError naming `campo`
    // when it is no number.
    static double valorReal(std::string_view valor, std::string_view campo = {});
    // The text cleaner of names and addresses.
    static std::string ChrEsp(std::string_view texto);
    static std::string BuscaSerieNota(std::string_view texto);
    // A "dd/mm/yyyy" field as a date; ConversionError naming the field.
    static TDateTime dataDoCampo(std::string_view texto, std::string_view campo);
    // A whole-number field; ConversionError naming the field.
    static int inteiroDoCampo(std::string_view texto, std::string_view campo);

    // The municipality code of a city of a state: the city list first, then
    // the CEP table's names for the CEP; "0" when neither knows it.
    std::string BuscaCidade_IBGE(std::string_view cidade, std::string_view uf, std::string_view cep);
    bool TemParcela(std::string_view nota) const;

    // --- Section writers, in document order ---
    void GeraEmitente();
    void GeraDestinatario();
    void GeraTransportadorVolumes();
    void GeraProdutos_Memo();
    void GeraInfoADC();
    void GeraICMSTotal_com_VtotTrib();
    void GeraExporta();
    void GeraFatura();
    // "ZERA_MEMO" empties the buffer, "GRAVA_PARA_TXT" passes its lines on
    // (the item buffer to the document, the tax buffer to the item buffer),
    // any other text is appended.
    void Writeln_memo(std::string_view texto);
    void Writeln_memo_Imp(std::string_view texto);

    // --- Item blocks ---
    // The current item's shares of the note's amounts and its tax amounts
    // (after GeraProdutos_Memo they hold the last item's values).
    double FreteItem = 0, SeguroItem = 0, DescontoItem = 0, OutrasItem = 0;
    double PisItem = 0, CofinsItem = 0, IssItem = 0, IpiItem = 0, IcmsItem = 0, IcmsStItem = 0,
           TributosItem = 0;
    // The accessory-expense ICMS rate, base and amount of the current item
    // (normal regime).
    double AliquotaCota = 0, BaseCota = 0, IcmsCota = 0;
    bool HaDescontoItem = false;
    bool ImprimeCeanTrib = false; // copied from the re-print screen
    // The item's tax sections, written into the tax buffer for the item
    // that GeraProdutos_Memo is at: PIS/COFINS groups, the ICMS group of the
    // normal regime (COD_REG_TRIB 3) or of the Simples regime with [ISSQN],
    // and [IPI]. They raise ConversionError naming the field when a rate or
    // total read as a number holds none (also when empty).
    void GeraCofins_Memo();
    void GeraPIS_Memo();
    void GeraICMS_ISS_RN_Memo();
    void GeraICMS_ISS_Simples_Memo();
    void GeraIPI_Memo();
    // The PIS/COFINS situation codes that carry a rate amount.
    static bool CstPisCofinsTributado(int cst);

    // The current note's request document, every writer in order, as lines.
    // Raises what the writers raise; `Requisicao` is then incomplete.
    std::vector<std::string> MontaDocumentoNota();

    // ---- TXT-layout export (layout 2.00) ----
    // Implemented in request/exportacao_nota.cpp (switch, names, frame and
    // note records), request/exportacao_itens.cpp (items and totals) and
    // request/exportacao_impostos.cpp (the item tax records). The records
    // are built as lines in `Exportacao` (UTF-8, no line ends) from the
    // current note and the emitter's current CONFIGNFE row; the file edge is
    // bytesDoDocumento/gravaDocumento. Writers raise ConversionError naming
    // the field as the request writers do, and a products total of 0 when
    // the note's amounts must be shared out.

    std::vector<std::string> Exportacao;
    std::string ArquivoExportacao;      // in the exchange folder, lower case
    std::string ArquivoExportacaoLocal; // in the local folder, lower case
    // ModoExportacao = TIPO_EMISSOR of the current CONFIGNFE row is
    // "NFE SEFAZ" (opening the table when closed).
    void Ativa_Modelo_Exportacao();
    // The current note's export lines, every record in order.
    std::vector<std::string> MontaExportacaoNota();
    // Writes the current note's export file to ArquivoExportacaoLocal
    // (through a temporary name; FileWriteError when it cannot). Only for
    // kind "NOTA" while TIPO_EMISSOR is "NFE SEFAZ": false, with no name set
    // and nothing written, otherwise.
    bool Gera_File_Sefaz(std::string_view tipo, int serie, int numero);
    // Names the export files of a kind ("NOTA", "EMITENTE", "CLIENTE",
    // "PRODUTO"; any case): the exchange folder's and the local one, both
    // lower case. Other kinds change nothing.
    void Nome_dos_arquivos_Sefaz(std::string_view tipo, int serie, int numero);
    void GeraProdutos_File_Sefaz();
    void GeraICMSTotal_File_Sefaz();
    void GeraInfoADC_File_Sefaz();
    void GeraICMS_ISS_File_Sefaz_RN();
    void GeraICMS_ISS_File_Sefaz_Simples();
    void GeraIPI_File_Sefaz();
    void GeraPis_File_Sefaz();
    void GeraCofins_File_Sefaz();

    // ---- Exchange with the document monitor ----

    // Screen state of the exchange.
    std::string DataEnvio;  // the run's date, "MM/DD/AAAA"
    std::string TimerEnvio; // the run's time tag, seconds since midnight
    std::string ArquivoMonitor;
    std::string ArquivoMonitorAlternativo;
    std::string ArquivoLocal;
    std::string PastaComunicacao; // PATH_COMUNICACAO as stored, with a final separator
    // Base of the local copies: the user's data folder + "monitor/".
    std::string PastaLocal;
    std::string CnpjEmitente;
    std::string CodFilial = "0";
    std::string RetChave, RetMensagem, RetMensagem2, RetRecibo, RetNumeroLote, RetProtocolo;
    int RetResultado = 0;
    bool VerificarPenduradas = false;
    std::vector<std::string> ListFile;

    // Selects the emitter of the next operations among the CONFIGNFE rows
    // (opened here when closed): the row whose CNPJ digits equal the
    // argument's; an empty or zero argument takes the current row.
    void AjustaCnpj_do_Emitente(std::string_view cnpj);

    // Names ArquivoMonitor, ArquivoLocal and ArquivoMonitorAlternativo for a
    // kind and a sub-folder ("-fil" or "-resp"), creating the local folder.
    // "COPIAR" hands ArquivoLocal over as ArquivoMonitor (EEntregaMonitor on
    // failure); "COPIAR_RETORNO" keeps a local copy of ArquivoMonitor (a
    // failure is logged). For "inutiliza" serie is the last number of the
    // range and numero the first.
    void Nome_dos_arquivos(std::string_view tipo, std::string_view subpasta, int serie, int numero);

    // Writes the request lines to ArquivoLocal (Windows-1252, CR LF, through a
    // temporary name) and hands it over; EEntregaMonitor names the file and
    // the reason when either step fails.
    void EntregaRequisicao(const std::vector<std::string> &linhas);

    // Reads the answer of a kind for a note: 0 while there is none or it is
    // not complete yet (or could not be recorded: it stays for the next
    // poll); otherwise 2 when accepted, else 1 ("Nota": 2 whenever it was
    // recorded). "Nota", "Consulta", "carta" and "Evento" are recorded and
    // committed here and the answer deleted; for "Danfe", "Email",
    // "Cancelamento" and "inutiliza" the caller records and commits, then
    // calls ConsomeRetorno(). For "inutiliza" numero is the first number of
    // the range and serie the last.
    int ColetaRetorno(std::string_view tipo, std::string_view emailEnvio, std::string_view emailTransp,
                      int numero, int serie);
    // Deletes the answer the last ColetaRetorno read and left for its caller.
    void ConsomeRetorno();
    bool AnalizaResultado() const;

    // Up to `tentativas` calls of ColetaRetorno, each followed by a wait of
    // `intervaloMs` (Aguarda), stopping at the first answer; 0 when none came.
    // Runs as an operation: ticks return at once meanwhile.
    int AguardaRetorno(std::string_view tipo, std::string_view emailEnvio, std::string_view emailTransp,
                       int numero, int serie, int tentativas = 100, int intervaloMs = 500);

    // The hanging-note check: re-queues notes whose answers an earlier run
    // left behind and clears out answers nobody will read.
    void Verifica_Notas_Penduradas();
    // Entries of the folder (a stored path) matching the mask ("*" and "?",
    // any case); bare names unless comPasta. Empty when the folder cannot be
    // read.
    static std::vector<std::string> GetFileList(std::string_view pasta, std::string_view mascara,
                                                bool comPasta);

    // ---- Note states (DANFENFE) ----

    // STATUS_NFE of the note's row, -1 when there is none.
    int EstadoDaNota(int numero, int serie);
    // The SERIE_NOTA text of a series: its decimal text cut to the column's
    // two characters, in rows written and in conditions alike.
    static std::string SerieDaLinha(int serie);

    // ---- Activation, ticks and the message panel ----

    GradeDanfe qryEnviadas{GradeDanfe::Enviadas};
    GradeDanfe qryDanfe{GradeDanfe::Danfe};
    GradeDanfe qryImpresso_Email{GradeDanfe::ImpressoEmail};

    bool TimerNotaAtivo = false, TimerDanfeAtivo = false, TimerEmailAtivo = false, TimerFechaAtivo = false;
    int TimerFechaIntervalo = 5000;
    int ModalResult = 0;
    bool PainelErroVisivel = false;
    std::string memoerro;
    bool ConcluidoVisivel = false;
    std::string lblConcluido;

    void FormActivate();
    void FormClose();
    void TimerNotaTimer();
    void TimerDanfeTimer();
    void TimerEmailTimer();
    void TimerFechaTimer();
    void btnSairClick() { ModalResult = 1; }
    // Toggle the message panel with the messages of the grid's current row.
    void gridEnviadasDblClick();
    void gridDanfeDblClick();
    void gridImpressaDblClick();
    void Panel2Click();
    // Reopens the three grids with the run filter.
    void AbreGrades();

    // The steps the ticks and the activation call: the send run, the print
    // request of every loaded note in state 2 (true when one was made), the
    // e-mail request and the opening of a PDF the monitor reports. The
    // constructor plugs in EnviaNotas, EnviarPrintDanfe(""), EnviarEmail and
    // AbrePdf; unset steps do nothing.
    std::function<void()> NotaEletronica;
    std::function<bool()> PedePrintDanfe;
    std::function<void(const std::string &chave, const std::string &emailNfe, const std::string &emailNfe2,
                       const std::string &emailTransp)>
        PedeEmail;
    std::function<void(const std::string &caminho)> OpenPdf;

    // ---- Send run (frm_nfe_2g_envio.cpp, frm_nfe_2g_validacao.cpp) ----

    static constexpr const char *kTitulo = "Nota Fiscal Eletronica - 2G";

    int NumeroCopias = 0;
    bool ListaImpressorasCriada = false;
    // The validation panel fills the whole window (a grid's toggle puts it
    // back in its normal place).
    bool PainelErroInteiro = false;
    // Set by a run that handed over less than it was given (a failed
    // validation, a note not generated): its end reads "Nota fiscal
    // eletrônica não enviada" and the window does not close by itself.
    bool EnvioIncompleto = false;

    // The whole run over the loaded notes: validation, copies, hand-off and
    // the hanging-note check. Boxes go through the installed dialogs.
    void EnviaNotas();
    // True when no loaded note has an error; otherwise memoerro lists every
    // failing note and the message panel is shown.
    bool ValidarNotas();
    // The hand-off of every loaded note; always false.
    bool ProcessaNotas_para_Enviar();
    // Writes the current note's request locally, records it in DANFENFE
    // (insert when novo, else reset to "REENVIADA") and commits, then hands it
    // over; a failed hand-off undoes the row. Any failure shows "Nota Fiscal N
    // nao Gerada" with the reason; nothing is left half done.
    void EnviarNotaEletronica(bool novo);

    // The TXT-layout export of the current note in export mode (series,
    // number), plugged in by the export; raises what it cannot write. Unset:
    // the note is not generated.
    std::function<void(int serie, int numero)> ExportaNotaTxt;
    // Shows the printer list (NRO_COPIAS1 = 101) modally over
    // TdtmNFE_grd::tblListPrint; unset, the list is used as it stands.
    std::function<void()> MostraListaImpressoras;
    // Opens a file with the desktop's default program; AbreNoShell unless
    // replaced.
    std::function<void(const std::string &arquivo)> AbreArquivoNoShell;

    // ---- Print, e-mail and PDF requests (frm_nfe_2g_pedidos.cpp) ----

    // The folder PDFs are copied to before they are opened, as stored.
    static constexpr const char *kPastaTemporaria = "c:\\drivekvl\\temp\\";

    // An empty key: a print request for every loaded note in state 2 (true
    // when one was made). A key: the DANFE print request named from select
    // query "2"'s row; the rows of the key go to state 3 only once it is
    // handed over (a failure is warned about and answers false).
    bool EnviarPrintDanfe(const std::string &chave);
    // The correction-letter print of the key's emitter, its answer awaited
    // and shown; always true.
    bool EnviarPrintCCe(const std::string &chave, int numero, int serie);
    // The DANFE print of a cancelled note on one printer; no state change.
    bool EnviarPrintDanfeCancelada(const std::string &chave, const std::string &numero,
                                   const std::string &serie);
    // The e-mail request of the key, named from select query "2"'s row; the
    // rows go to state 5 only once it is handed over. False when nothing was
    // asked for or the hand-off failed.
    bool EnviarEmail(const std::string &chave, const std::string &emailEnvio, const std::string &emailEnvio2,
                     const std::string &emailTransp, bool enviar);
    // The XML export of the key by e-mail, its answer awaited up to 60 s;
    // always false.
    bool ExportXML(const std::string &chave, const std::string &destinatario, int numero, int serie);
    // Copies a PDF the monitor reports (a stored path) into
    // kPastaTemporaria, created when missing, and opens the copy; anything
    // else (no ".pdf", a copy that failed) is warned about and not opened.
    void AbrePdf(const std::string &caminho);

    // What the exchange noticed and the operator need not be asked about
    // (unreadable codes, answers set aside, failed copies), one line each.
    std::vector<std::string> Ocorrencias;
    std::function<void(const std::string &)> OnGerarLog;

    // Marks a tick or an operation as running for its lifetime.
    class Ocupado {
      public:
        explicit Ocupado(TfrmNFE_2G &tela) : tela_(tela), livre_(!tela.ocupado_) { tela_.ocupado_ = true; }
        ~Ocupado()
        {
            if (livre_)
                tela_.ocupado_ = false;
        }
        Ocupado(const Ocupado &) = delete;
        Ocupado &operator=(const Ocupado &) = delete;
        bool livre() const { return livre_; } // nothing else was running

      private:
        TfrmNFE_2G &tela_;
        bool livre_;
    };
    bool ocupado() const { return ocupado_; }

  private:
    // A real as the shortest text that reads back as it, with "." and no
    // exponent.
    static std::string textoReal(double valor);
    // The approximate taxes are written from 1 June 2013 on (the clock's date).
    static bool vigeTributosAproximados();
    void escreve(std::string linha) { Requisicao.push_back(std::move(linha)); }
    void escreve(int indent, std::string_view chave, std::string_view valor);
    std::string emitente(std::string_view coluna) const;
    bool homologacao() const;
    bool destinatarioEstrangeiro() const;
    // The "cpf"/"cnpj" line of a document text.
    void escreveDocumento(int indent, std::string_view documento);
    void escreveReferencias();
    void escreveEntrega();
    void carregaCidades();

    // Item blocks (memo_itens.cpp, produto_item.cpp, importacao_item.cpp).
    const LinhaItem &itemAtual() const;
    double tributosAproximados(const LinhaItem &item);
    void escreveProduto(const LinhaItem &item);
    void escreveMarcadores(const LinhaItem &item, std::string &textoLotes);
    void escreveImportacao(const LinhaItem &item);
    void escreveAdicional(const LinhaItem &item, const std::string &textoLotes);
    // Tax lines (linhas_imposto.cpp, issqn_ipi.cpp).
    void linhaImposto(int indent, std::string_view chave, std::string_view valor);
    void secaoImposto(int indent, std::string_view secao);
    enum class TaxaSt { PropriaOuIcms, SomenteSt };
    void escreveLinhasSt(const LinhaItem &item, TaxaSt taxa, bool reducaoSt = false);
    void escreveIssqn(const LinhaItem &item);
    // "modbc" 3, "predbc" (when `reducao`), "vbc", "picms" (the item's
    // rate), "vicms"; the amount goes to IcmsItem.
    void escreveIcmsProprio(const LinhaItem &item, double base, double valor, bool reducao = false);
    // One PIS or COFINS group (pis_cofins.cpp); gives the rate amount that
    // the item's accumulator takes.
    struct Contribuicao {
        std::string_view prefixo, chaveAliquota, chaveValor; // "pis", "ppis", "vpis"...
        std::string_view tipo;
        int cst = 0;
        double base = 0, taxa = 0, quantidade = 0, valorUnidade = 0;
    };
    double escreveContribuicao(const Contribuicao &c);
    // A text read as a number the way the tax amounts read it: "." as
    // decimal point, nothing else; ConversionError naming the field.
    static double numeroDoCampo(std::string_view texto, std::string_view campo);
    // A computed or stored real with two decimals.
    static std::string duasCasas(double valor) { return FtDc(textoReal(valor), "00"); }

    const LinhaItem *itemAtual_ = nullptr;
    // Import-note values, empty per note, carried from item to item.
    struct DadosImportacao {
        std::string ndi, ddi, dDesemb, nAdicao, nSeqAdic, xLocDesemb, ufDesemb, cExportador, cFabricante;
    } importacao_;
    // NcmImposto rates per NCM (national, imported), read once; no row: none.
    std::map<std::int64_t, std::optional<std::pair<double, double>>> ncmImposto_;

    TdtmNFE_grd &modulo_;
    TabelasNotas &tabelas_;
    std::string pastaPrograma_;
    std::size_t notaAtual_ = 0;
    bool cidadesCarregadas_ = false;
    // Normalised city name to code, per state code.
    std::map<int, std::map<std::string, std::string>> cidadesPorEstado_;

    // TXT-layout export (request/exportacao_*.cpp).
    void escreveTransporteTxt();
    void escreveCobrancaTxt();
    // The expense rate, base and amount of the current item (normal regime).
    void calculaCotaTxt(const LinhaItem &item);
    void escreveIssqnTxt(const LinhaItem &item);
    // One PIS or COFINS record group: "Q" or "S", kind prefix "PIS" or
    // "COFINS".
    struct ContribuicaoTxt {
        std::string_view registro, prefixo, tipo;
        int cst = 0;
        double base = 0, taxa = 0, quantidade = 0, valorUnidade = 0;
    };
    void escreveContribuicaoTxt(const ContribuicaoTxt &c);

    // ---- Exchange with the document monitor ----
    TdtmNFE_grd &modulo();
    void registra(const std::string &ocorrencia);

    // frm_nfe_2g_entrega.cpp
    // Writes the lines to ArquivoLocal (through a temporary name).
    void gravaArquivoLocal(const std::vector<std::string> &linhas);
    void entregaArquivoLocal();
    // The answer's bytes when read already, else ArquivoMonitor is read.
    void copiaRetornoLocal(const std::string *lidos = nullptr);

    // frm_nfe_2g_retorno.cpp
    bool retornoCompleto(const std::filesystem::path &arquivo, std::string &bytes);
    // The local path of the file as listed (any case), nullopt when absent.
    std::optional<std::string> existeNaListagem(const std::string &caminho);
    void apagaRetorno(const std::string &caminho);
    int gravaRetornoLido(std::string_view kind, std::string_view emailEnvio, std::string_view emailTransp,
                         int numero, int serie);

    // frm_nfe_2g_timers.cpp
    void mostraPainelRecusa(GradeDanfe &grade, int numero, int serie);
    void preenchePainel(const GradeDanfe &grade);

    // frm_nfe_2g_penduradas.cpp: appends a re-queued note to tblNotas
    // unless it is loaded already.
    void seguePendurada(int numero, int serie);

    // frm_nfe_2g_envio.cpp
    // The emitter of the note is the one selected (its CNPJ is registered).
    bool emitenteDaNota(const LinhaNota &nota) const;

    // frm_nfe_2g_pedidos.cpp
    // The "Impressora" lines by NRO_COPIAS1; with perguntaCopias the copies
    // (100) and the printer list (101) are asked for first.
    std::vector<std::string> linhasImpressoras(bool perguntaCopias);
    // Names the request, writes and hands it over; the reason on failure.
    std::optional<std::string> entregaPedido(std::string_view tipo, int serie, int numero,
                                             const std::vector<std::string> &linhas);
    bool pedeImpressao(const std::string &chave, int numero, int serie);
    // Series and number of select query "2"'s row.
    std::pair<int, int> notaSelecionada() const;

    // frm_nfe_2g_danfenfe.cpp
    int codFilial() const;
    // The note's row as it was before a reset, for undoing it.
    std::vector<db::Value> linhaAntesDoEnvio(int numero, int serie);
    void desfazEnvio(bool novo, int numero, int serie, const std::vector<db::Value> &antes);
    void marcaEnvio(bool novo, int numero, int serie);
    void marcaReimpressao(int numero, int serie);
    void marcaEstadoDaChave(const std::string &chave, int estado, const std::string &descricao,
                            const std::string &emailEnvio = {}, const std::string &emailTransp = {});
    void gravaNotaRespondida(int numero, int serie, bool aceito, std::string_view emailEnvio,
                             std::string_view emailTransp);
    void gravaConsultaRespondida(int numero, int serie, bool aceito);
    void gravaCartaRespondida(int numero, int serie);
    void gravaEventoRespondido(int numero, int serie);
    void gravaImpressaoRespondida(int numero, int serie, bool aceito);
    void gravaEmailRespondido(int numero, int serie);
    void reenfileiraNota(int numero, int serie);
    std::optional<std::string> chaveEmEstado(int numero, int serie, int estado);
    std::vector<std::string> cnpjsEmitentes();
    void abreGrade(GradeDanfe &grade);
    bool commit();

    bool ocupado_ = false;
    std::string retornoPendente_; // read, to be deleted by ConsomeRetorno
    // Size and time of answers seen incomplete, by local path.
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> selos_;
    // The "-resp" listings of the current tick, by local folder (lower-case names).
    bool listandoNoTick_ = false;
    std::map<std::string, std::map<std::string, std::string>> listagens_;
    std::vector<std::string> jaRegistradas_;
};

// The request document's bytes: each line in Windows-1252 ("?" for a
// character that page lacks) ended by CR LF.
std::string bytesDoDocumento(const std::vector<std::string> &linhas);
// Writes the bytes to `arquivo` through a temporary name in its folder;
// FileWriteError when it cannot be written (the old file stays whole).
void gravaDocumento(const std::string &arquivo, const std::vector<std::string> &linhas);
