#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "printing/posprinter/pos_status.h"
#include "printing/posprinter/pos_types.h"

// The model writer of the POS printer component: it knows the command bytes
// of one printer family. This base class is also the writer of the plain text
// model ("Texto"): its command set is empty but for the line and page feeds,
// so barcodes and QR codes print as their text and font tags as nothing.
//
// A writer reads the component's settings through the TQuibPosConfig it is
// given (not owned, must outlive the writer) and owns its command set, column
// ratios, unsupported-tag list and information list. Building a command has
// no side effects; the logo operations of the writers raise
// EPosPrinterException for key codes they cannot use.

// The fixed command strings of a printer family; an empty field makes its tag
// produce nothing.
struct TQuibPosComandos {
    std::string Beep;
    std::string AlinhadoCentro;
    std::string AlinhadoDireita;
    std::string AlinhadoEsquerda;
    std::string CorteParcial;
    std::string DesligaAlturaDupla;
    std::string DesligaInvertido;
    std::string DesligaModoPagina;
    std::string EspacoEntreLinhasPadrao;
    std::string ImprimePagina;
    std::string LigaAlturaDupla;
    std::string LigaInvertido;
    std::string FonteNormal;
    std::string LigaCondensado;
    std::string CorteTotal;
    std::string EspacoLinhas; // the spacing byte follows
    std::string LigaExpandido;
    std::string DesligaCondensado;
    std::string DesligaExpandido;
    std::string DesligaItalico;
    std::string DesligaNegrito;
    std::string DesligaSublinhado;
    std::string FonteA;
    std::string FonteB;
    std::string LigaItalico;
    std::string LigaModoPagina;
    std::string LigaNegrito;
    std::string LigaSublinhado;
    std::string PuloDeLinha = "\n";
    std::string PuloDePagina = "\f";
    std::string Zera;
};

// How many normal-font characters one condensed or expanded character is
// worth in width; the component divides its normal column count by them.
struct TQuibPosRazaoColunaFonte {
    double Condensada = 1.0;
    double Expandida = 1.0;
};

// A point in page mode, in dots.
struct TQuibPosPonto {
    int X = 0;
    int Y = 0;
};

// What a writer needs of its component to talk to the printer: the
// query-and-answer exchange, the activity switch, the cached cheque
// capability and, for the writers that configure the printer when it is
// activated, the port kind, a raw send and the normal column count. The
// component implements it and outlives its writer.
class TQuibPosLeitor {
  public:
    // Sends `comando` and reads the answer: with esperarTerminador up to the
    // byte n (not included), otherwise n bytes (0: what arrives in time). A
    // time-out of 0 is the device's. Device errors pass through.
    virtual std::string TxRx(const std::string &comando, int n, bool esperarTerminador, int timeOut) = 0;
    virtual void DefinirAtivo(bool valor) = 0;
    virtual int CapacidadeCheque() = 0;
    // True for the ports that answer at once: serial, TCP and hook.
    virtual bool PortaConversa() const = 0;
    // Sends bytes straight through the device: no initialisation, no event.
    virtual void EnviarDireto(const std::string &bytes) = 0;
    virtual void DefinirColunasFonteNormal(int colunas) = 0;

  protected:
    ~TQuibPosLeitor() = default;
};

class TQuibPosPrinterClass {
  public:
    explicit TQuibPosPrinterClass(const TQuibPosConfig &config) : config_(&config) {}
    TQuibPosPrinterClass(const TQuibPosPrinterClass &) = delete;
    TQuibPosPrinterClass &operator=(const TQuibPosPrinterClass &) = delete;
    virtual ~TQuibPosPrinterClass() = default;

    const std::string &ModeloStr() const { return modeloStr_; }
    TQuibPosComandos &Comandos() { return comandos_; }
    const TQuibPosComandos &Comandos() const { return comandos_; }
    TQuibPosRazaoColunaFonte &RazaoColunaFonte() { return razao_; }
    const TQuibPosRazaoColunaFonte &RazaoColunaFonte() const { return razao_; }
    // Tags the writer cannot translate, in their matching form ("<i>").
    const std::set<std::string> &TagsNaoSuportadas() const { return tagsNaoSuportadas_; }
    // Name = value pairs of the printer's information.
    const std::map<std::string, std::string> &Info() const { return info_; }
    const TQuibPosConfig &Config() const { return *config_; }
    // The component the reading operations talk through (not owned).
    void Leitor(TQuibPosLeitor *leitor) { leitor_ = leitor; }

    // Hooks around the tag translation of a text; the base does nothing.
    virtual void PreProcessarTexto(std::string &text);
    virtual void ProcessarTrecho(const std::string &piece);
    virtual void PosProcessarTexto(std::string &text);
    // A model's own translation of a tag or block; false leaves it to the
    // component.
    virtual bool TraduzirTagModelo(const std::string &tag, std::string &result);
    virtual bool TraduzirTagBlocoModelo(const std::string &tag, const std::string &content,
                                        std::string &result);

    virtual std::string ComandoCodigoBarras(const std::string &tag, const std::string &content);
    virtual std::string ComandoQRCode(const std::string &content);
    // n = 0: the default spacing; otherwise EspacoLinhas and the byte n
    // (nothing when the model has no EspacoLinhas).
    std::string ComandoEspacoEntreLinhas(std::uint8_t n) const;
    virtual std::string ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina);
    virtual std::string ComandoGaveta(int gaveta);
    // The spacing and code page the component is set to.
    virtual std::string ComandoInicializa();
    // n lines, each a space and a line feed.
    std::string ComandoPularLinhas(int n) const;
    virtual std::string ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar);
    virtual std::string ComandoConfigurarModoPagina();
    virtual std::string ComandoPosicaoModoPagina(TQuibPosPonto ponto);
    // Cheque commands (read-MICR or wait seconds × 10); empty in the base.
    virtual std::string ComandoIniciarCheque(bool lerMICR, std::uint8_t espera);
    virtual std::string ComandoFinalizarCheque();
    virtual std::string ComandoLerMICR(std::uint8_t espera);
    // A picture given as raster rows (printing/device/raster_image.h).
    virtual std::string ComandoImagemRaster(const std::string &raster, int width, int height);
    // The picture as ESC/POS column bands 24 dots high (ESC * 33), each
    // followed by a line feed when asked, between a 16-unit line spacing and
    // the component's own. Pictures whose width is not a multiple of 8 are
    // sent with the padded width, the pad dots blank.
    std::string ComandoImagemColunasEscPos(const std::string &raster, int width, int height,
                                           bool pularLinha) const;
    virtual std::string ComandoImprimirLogo();
    virtual std::string ComandoGravarLogoRasterStr(const std::string &raster, int width, int height);
    virtual std::string ComandoApagarLogo();

    // Runs right after the component's activation; the base does nothing.
    virtual void AposAtivar();
    // Adds what the printer reports to `status`; never raises: a failed
    // read adds stErroLeitura. The base reads nothing.
    virtual void LerStatus(TQuibPosPrinterStatus &status);
    // Fills Info from the printer and returns it as name=value lines; the
    // base reads nothing.
    virtual std::string LerInfo();
    // Info as "name=value" lines in the order they were stored.
    std::string InfoTexto() const;
    void LimparInfo();

    // Stores the trimmed value, without one leading ":" or "_", under the
    // name; an empty value stores nothing.
    void AdicionarInfo(const std::string &nome, std::string_view valor);
    void AdicionarInfoBool(const std::string &nome, bool valor);

  protected:
    void ModeloStr(std::string value) { modeloStr_ = std::move(value); }
    std::set<std::string> &TagsNaoSuportadasMut() { return tagsNaoSuportadas_; }
    // Adds a group of tags (an array of pos_tag_arrays.h, or a list) to the
    // unsupported ones.
    template <typename Tags> void NaoSuportar(const Tags &tags)
    {
        for (std::string_view tag : tags)
            tagsNaoSuportadas_.emplace(tag);
    }
    void NaoSuportar(std::initializer_list<std::string_view> tags) { NaoSuportar<>(tags); }
    std::map<std::string, std::string> &InfoMut() { return info_; }
    // Raises std::logic_error when no component was given.
    TQuibPosLeitor &Leitor() const;

  private:
    void guardarInfo(const std::string &nome, std::string valor);

    const TQuibPosConfig *config_;
    std::string modeloStr_ = "Texto";
    TQuibPosComandos comandos_;
    TQuibPosRazaoColunaFonte razao_;
    std::set<std::string> tagsNaoSuportadas_;
    std::map<std::string, std::string> info_;
    std::vector<std::string> ordemInfo_;
    TQuibPosLeitor *leitor_ = nullptr;
};
