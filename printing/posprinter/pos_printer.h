#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "printing/device/device.h"
#include "printing/device/printer_hook.h"
#include "printing/device/tag_parser.h"
#include "printing/posprinter/pos_printer_class.h"
#include "printing/posprinter/pos_status.h"
#include "printing/posprinter/pos_types.h"

// The POS printer component: turns text written in the printer tag language
// into the command bytes of the chosen model and sends them through its own
// device. A caller fills the line buffer (or passes a text) and calls
// Imprimir; the first send after activation carries the model's
// initialisation.
//
// Owns the device, the tag parser with the printer tag table, the model
// writer and the settings (TQuibPosConfig, read by the writer). Text is taken
// as UTF-8 and recoded to PaginaDeCodigo before tags are translated; on a
// single-byte page padding and cutting count bytes, on UTF-8 characters.
// Failures raise EPosPrinterException (texts in docs/conventions.md); the
// device's and the writer's own errors pass through.
//
// Implemented in pos_printer.cpp (lifecycle, printing, sending),
// pos_printer_status.cpp (status, information, the exchange and the log),
// pos_printer_hook.cpp (the vendor-library hook),
// pos_printer_tags.cpp (the tag table and its translation) and
// pos_printer_layout.cpp (columns, heights, barcode content, code pages) and
// pos_printer_modelos.cpp (the writer of each model).

class ConversorPaginaCodigo;

enum TQuibPosPrinterModelo : std::uint8_t {
    ppTexto,
    ppEscPosEpson,
    ppEscBematech,
    ppEscDaruma,
    ppEscVox,
    ppEscDiebold,
    ppEscEpsonP2,
    ppCustomPos,
    ppEscPosStar,
    ppEscZJiang,
    ppEscGPrinter,
    ppEscDatecs,
    ppEscSunmi,
    ppExterno
};

// The capabilities read from the printer's information: -2 not read yet, -1
// the port cannot be read, otherwise the value read (0 when missing).
struct TQuibPosCapacidades {
    int Guilhotina = -2;
    int Cheque = -2;
    int Autenticacao = -2;
    int MICR = -2;
};

class TQuibPosPrinter : private TQuibPosLeitor {
  public:
    // Receives each log line and may set `tratado` to keep it out of ArqLOG.
    using GravarLogEvent = std::function<void(const std::string &linha, bool &tratado)>;
    // Takes over sending when set: receives each command and sets `tratado`.
    using EnviarStringDeviceEvent = std::function<void(const std::string &cmd, bool &tratado)>;

    TQuibPosPrinter();
    TQuibPosPrinter(const TQuibPosPrinter &) = delete;
    TQuibPosPrinter &operator=(const TQuibPosPrinter &) = delete;
    ~TQuibPosPrinter();

    // ---- Settings ---------------------------------------------------------
    TQuibPosPrinterModelo Modelo() const { return modelo_; }
    // Replaces the writer (deactivating first when active); the font,
    // alignment and page-mode state are kept. Each model has its writer
    // (pos_printer_modelos.cpp); ppExterno raises "Nenhum Modelo Externo atribuído".
    void SetModelo(TQuibPosPrinterModelo valor);
    const std::string &Porta() const { return device_.Porta(); }
    void SetPorta(std::string_view valor) { device_.SetPorta(valor); }
    TQuibDevice &Device() { return device_; }

    TQuibPosConfig &Config() { return config_; }
    const TQuibPosConfig &Config() const { return config_; }
    TQuibPosPaginaCodigo PaginaDeCodigo() const { return config_.PaginaDeCodigo; }
    void SetPaginaDeCodigo(TQuibPosPaginaCodigo valor) { config_.PaginaDeCodigo = valor; }
    std::uint8_t EspacoEntreLinhas() const { return config_.EspacoEntreLinhas; }
    void SetEspacoEntreLinhas(std::uint8_t valor) { config_.EspacoEntreLinhas = valor; }

    int ColunasFonteNormal = 48;
    int LinhasEntreCupons = 21;
    bool CortaPapel = true;
    TQuibPosTipoCorte TipoCorte = ctTotal;
    // Printed as soon as the buffer holds more lines than this (0: never).
    int LinhasBuffer = 0;
    // Opens the device for each send and closes it afterwards.
    bool ControlePorta = false;
    bool TraduzirTags() const { return tags_.TraduzirTags(); }
    void SetTraduzirTags(bool valor) { tags_.TraduzirTags(valor); }
    bool IgnorarTags() const { return tags_.IgnorarTags(); }
    void SetIgnorarTags(bool valor) { tags_.IgnorarTags(valor); }
    EnviarStringDeviceEvent OnEnviarStringDevice;
    // Imprimir reads the status first and refuses a printer in trouble.
    bool VerificarImpressora = false;
    // Log file (empty: none); its write errors are ignored.
    std::string ArqLOG;
    GravarLogEvent OnGravarLog;

    // ---- State ------------------------------------------------------------
    bool Ativo() const { return ativo_; }
    bool Inicializada() const { return inicializada_; }
    bool EmModoPagina() const { return emModoPagina_; }
    const TQuibPosEstadoFonte &EstadoFonte() const { return config_.EstadoFonte; }
    TQuibPosAlinhamento Alinhamento() const { return config_.Alinhamento; }
    TQuibPosPrinterClass &ModeloAtual() { return *modelo_atual_; }
    const TQuibTags &Tags() const { return tags_.Tags(); }

    // ---- Buffer -----------------------------------------------------------
    const std::vector<std::string> &Buffer() const { return buffer_; }
    // Appends a line; prints the buffer when it outgrows LinhasBuffer.
    void AdicionarLinha(std::string linha);
    void LimparBuffer() { buffer_.clear(); }

    // ---- Operations -------------------------------------------------------
    void Ativar();
    void Desativar();
    // Prints the buffer joined by line feeds, followed by `texto`, `copias`
    // times. Raises "Não está Ativo" when neither active nor ControlePorta.
    // The buffer is emptied once joined, whatever fails later.
    void Imprimir(std::string_view texto = {}, bool pulaLinha = false, bool decodificarTags = true,
                  bool codificarPagina = true, int copias = 1);
    // ---- Reading the printer (pos_printer_status.cpp) --------------------
    // Sends `comando` and reads the answer: with esperarTerminador up to the
    // byte n, otherwise n bytes (0: what arrives in time). A time-out of 0 is
    // the device's, at least 1500 ms on TCP. The device's time-out and send
    // interval are restored whatever happens; device errors pass through.
    std::string TxRx(const std::string &comando, int n = 0, bool esperarTerminador = false,
                     int timeOut = 0) override;
    // Up to `tentativas` reads (at least one) until one has no
    // stErroLeitura; [stApenasEscrita] without a word sent when the port
    // cannot be read. Never raises for a printer that does not answer.
    TQuibPosPrinterStatus LerStatusImpressora(int tentativas = 1);
    // The writer's name=value lines. Raises "Leitura de Informações não
    // disponível na porta: <type>" when the port cannot be read; the activity
    // is what it was before, also after a failure.
    std::string LerInfoImpressora();
    void LerCapacidades();
    int CapacidadeCheque() override;
    const TQuibPosCapacidades &Capacidades() const { return capacidades_; }
    bool PortaPermiteLeitura() const;
    void ExigirLeitura() const;
    // Writes the line to OnGravarLog or ArqLOG; never raises.
    void GravarLog(std::string_view texto, bool traduz = false, bool prefixoHora = false);

    void DefinirAtivo(bool valor) override;
    bool PortaConversa() const override;
    void EnviarDireto(const std::string &bytes) override;
    void DefinirColunasFonteNormal(int colunas) override { ColunasFonteNormal = colunas; }

    // ---- Vendor-library hook (pos_printer_hook.cpp) -----------------------
    // For a hook port ("DLL", "DLL:<brand>") picks the registered hook of the
    // brand, or of the first library present, adopts its model and binds the
    // device's hooks to it; for any other port removes the hook. Raises
    // "Nenhuma biblioteca de modo USB encontrada" or "Marca <brand>, não tem
    // suporte em modo USB" before the device is touched. Run by Ativar.
    void ConfigurarHookUSB();
    void LiberarHookUSB();
    TQuibPosPrinterHook *HookUSB() { return hookUSB_.get(); }

    // Sends raw bytes, the initialisation in front on the first send.
    void EnviarStringDevice(const std::string &cmd);
    std::string DecodificarTags(std::string_view texto);
    std::string CodificarPaginaDeCodigo(std::string_view texto) const;

    int Colunas() const;
    int ColunasCondensadas() const;
    int ColunasExpandidas() const;
    const std::set<std::string> &TagsNaoSuportadas() const { return modelo_atual_->TagsNaoSuportadas(); }
    int AlturaLinhasEmPontos(int linhas) const;
    // Dots to reserve for a QR code of the text; raises "QRCode muito grande"
    // from 600 characters on.
    static int AlturaQRCode(std::string_view texto);
    std::string ConfigurarRegiaoModoPagina(int esquerda, int topo, int altura, int largura,
                                           int direcao) const;
    static std::string AjustarCodigoBarras(std::string_view conteudo, std::string_view tag);

  private:
    // The writer of a model; the plain text writer for ppTexto.
    std::unique_ptr<TQuibPosPrinterClass> CriarModelo(TQuibPosPrinterModelo modelo);
    void CarregarTags();
    std::string TraduzirTag(const std::string &tag);
    std::string TraduzirTagBloco(const std::string &tag, const std::string &conteudo);
    std::string TraduzirTagGenerica(const std::string &tag);
    std::string TraduzirBlocoGenerico(const std::string &tag, const std::string &conteudo);
    std::string TraduzirBlocoBMP(const std::string &conteudo);
    void AtualizarEstadoFonte(const std::string &tag);
    std::string Alinhar(const std::string &tag, const std::string &conteudo) const;
    std::string Corte(bool parcial) const;
    void AbrirPorta();
    void FecharPorta();
    // Raises "Impressora Sem Papel"... for a status that forbids printing.
    static void RecusarImpressoraComProblema(TQuibPosPrinterStatus status);

    TQuibDevice device_;
    TQuibPosConfig config_;
    TQuibTagProcessor tags_;
    std::unique_ptr<TQuibPosPrinterClass> modelo_atual_;
    TQuibPosPrinterModelo modelo_ = ppTexto;
    std::vector<std::string> buffer_;
    // One conversion handle per code page, opened on first use.
    mutable std::map<TQuibPosPaginaCodigo, std::unique_ptr<ConversorPaginaCodigo>> conversores_;
    bool ativo_ = false;
    bool inicializada_ = false;
    bool emModoPagina_ = false;
    bool imprimindoBuffer_ = false;
    TQuibPosCapacidades capacidades_;
    std::unique_ptr<TQuibPosPrinterHook> hookUSB_;
};
