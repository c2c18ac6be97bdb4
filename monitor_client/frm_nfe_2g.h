#pragma once

#include "monitor_client/grade_danfe.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TdtmNFE_grd;

// The core of the note screen: it turns a staged note into the document
// monitor's request document and follows the monitor's answers. No Qt.
// Implemented in frm_nfe_2g.cpp and in the sources of request/ (one per
// group of request sections).
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
    TfrmNFE_2G();
    // The core over the module database, which must outlive it.
    explicit TfrmNFE_2G(TdtmNFE_grd &modulo);

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
    int CodigoNumerico = 0; // numeric code of the note being written
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
    bool ModoExportacao = false;

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

    // Steps other areas of the screen plug in: the send run, the print
    // request of every loaded note in state 2 (true when one was made), the
    // e-mail request and the opening of a PDF the monitor reports. Unset steps
    // do nothing.
    std::function<void()> NotaEletronica;
    std::function<bool()> PedePrintDanfe;
    std::function<void(const std::string &chave, const std::string &emailNfe, const std::string &emailNfe2,
                       const std::string &emailTransp)>
        PedeEmail;
    std::function<void(const std::string &caminho)> OpenPdf;

    // Notes the ticks follow: the loaded notes (set by the screen's owner).
    struct NotaAcompanhada {
        int numero = 0;
        int serie = 0;
        std::string cnpjEmitente;
        std::string emailNfe, emailNfe2, emailTransp;
    };
    std::vector<NotaAcompanhada> NotasAcompanhadas;

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
    TdtmNFE_grd &modulo();
    void registra(const std::string &ocorrencia);

    // frm_nfe_2g_entrega.cpp
    void entregaArquivoLocal();
    void copiaRetornoLocal();

    // frm_nfe_2g_retorno.cpp
    bool retornoCompleto(const std::filesystem::path &arquivo, std::string &bytes);
    bool existeNaListagem(const std::string &caminho);
    void apagaRetorno(const std::string &caminho);
    int gravaRetornoLido(std::string_view kind, std::string_view emailEnvio, std::string_view emailTransp,
                         int numero, int serie);

    // frm_nfe_2g_timers.cpp
    void mostraPainelRecusa(GradeDanfe &grade, int numero, int serie);
    void preenchePainel(const GradeDanfe &grade);

    // frm_nfe_2g_danfenfe.cpp
    int codFilial() const;
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

    TdtmNFE_grd *modulo_ = nullptr;
    bool ocupado_ = false;
    std::string retornoPendente_; // read, to be deleted by ConsomeRetorno
    // Size and time of answers seen incomplete, by local path.
    std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>> selos_;
    // The "-resp" listings of the current tick, by local folder (lower-case names).
    bool listandoNoTick_ = false;
    std::map<std::string, std::map<std::string, std::string>> listagens_;
    std::vector<std::string> jaRegistradas_;
};
