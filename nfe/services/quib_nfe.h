#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dfe/component/quib_dfe.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/decimal.h"
#include "nfe/services/configuracoes_nfe.h"
#include "nfe/services/env_evento_nfe.h"
#include "nfe/services/inut_nfe.h"

class TQuibDFeDANFeReport;
class TNotasFiscais;
class TWebServices;

// Refusals of the NF-e component and of its DANFE reports.
class EQuibNFeException : public EQuibDFeException {
  public:
    using EQuibDFeException::EQuibDFeException;
};

// The step a service call is in; reported through OnStatusChange.
enum TEtapaNFe : std::uint8_t {
    etOcioso = 0,
    etConsultandoStatus = 1,
    etEnviandoLote = 2,
    etRecebendoLote = 3,
    etConsultandoNFe = 4,
    etCancelando = 5,
    etInutilizando = 6,
    etConsultandoRecibo = 7,
    etConsultandoCadastro = 8,
    etEnviandoEmail = 9,
    etEnviandoCCe = 10,
    etEnviandoEvento = 11,
    etAdministrandoCSC = 14,
    etDistribuicaoDFe = 15,
    etEnvioGenerico = 16,
};

// A second event batch kept for correction letters.
struct TCartaCorrecao {
    TEventoNFe EventoCCe;
};

// The NF-e / NFC-e component: the base component with the NF-e settings tree,
// the owned event batch, correction-letter holder and voiding request, the
// link to a DANFE report, the services-INI lookups of a layout, the NFC-e QR
// code and the step indicator.
//
// DANFE link: each side holds a plain pointer to the other; setting either
// side links both and unlinks the previous partners. Freeing a report clears
// DANFE only when it is the linked one (and freeing a component clears the
// report's QuibNFe only when it is the linked one). Nothing is owned across
// the link.
//
// Errors: refusals go through LancarErro (EQuibDFeException unless OnGerarLog
// handles them). The QR-code operations never raise by themselves; a missing
// address is what BuscarServico's lookup gives.
//
// Operations: each runs services of Servicos on Notas or LoteEventos and
// blocks until they answer; refusals go through LancarErro ("ERRO: ..."),
// and the operation goes on with its next step when the log handler marks
// them handled; errors of signing, validation, transport and reading pass
// out unchanged.
//
// Implemented in quib_nfe.cpp (life cycle, link, steps, lookups),
// quib_nfe_qrcode.cpp (QR code and consultation address) and
// quib_nfe_operacoes.cpp (operations).
class TQuibNFe : public TQuibDFe {
  public:
    TQuibNFe();
    ~TQuibNFe() override;

    TConfiguracoesNFe &Configuracoes() { return static_cast<TConfiguracoesNFe &>(TQuibDFe::Configuracoes()); }

    TQuibDFeDANFeReport *DANFE() const { return danfe_; }
    void SetDANFE(TQuibDFeDANFeReport *value);

    // The loaded notes (notas_fiscais.h); owned, kept between operations.
    TNotasFiscais &Notas() { return *notas_; }

    // One object of every NF-e service (web_services.h); owned.
    TWebServices &Servicos() { return *servicos_; }

    TCartaCorrecao CartaCorrecaoNFe;
    TEventoNFe LoteEventos;
    TinutNFe PedidoInutilizacao;

    TEtapaNFe Etapa() const { return etapa_; }
    // Stores the step and calls OnStatusChange; nothing for the current step.
    void DefinirEtapa(TEtapaNFe etapa);

    static bool CStatAutorizado(int cStat);
    static bool CStatComProtocolo(int cStat);
    static bool CStatDeCancelamento(int cStat);

    std::string NomeSchemaDoServico(std::string_view NomeServico) const override;
    std::string NomeDoModeloDFe() const override;
    std::string NameSpaceURIDocumento() const override;
    // Runs the base mail send under etEnviandoEmail; etOcioso afterwards, also
    // when it fails.
    void EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                        const std::vector<std::string> *sMensagem = nullptr,
                        const std::vector<std::string> *sCC = nullptr,
                        const std::vector<std::string> *Anexos = nullptr, std::istream *StreamNFe = nullptr,
                        std::string_view NomeArq = "", const std::vector<std::string> *sReplyTo = nullptr,
                        const std::vector<std::string> *sBCC = nullptr) override;

    // The endpoint of a layout's service: the authoriser is "SVC-AN" or
    // "SVC-RS" for those emission types, else the configured state; Versao
    // becomes the version under which it was found.
    void LocalizarServico(TpcnServicoNFe layout, double &Versao, std::string &URL, std::string &Servico,
                          std::string &SoapAction);
    // The service's version in the services INI, "4.00".
    std::string VersaoServicoDosParams(TpcnServicoNFe layout);
    // True for ve310 and later, except an NFC-e of ve310 of state 13.
    static bool ServicoEhAutorizacao(TpcnVersaoDF versao, TpcnModeloDF modelo, int cUF);
    // Full path of the request schema of a layout (empty when the service has
    // no schema or no file of that version or below exists).
    std::string ArquivoSchemaDoLayout(TpcnServicoNFe layout, double Versao);
    // PathSchemas + event schema name (+ model name for EPEC) + "_v0.00.xsd";
    // empty for version 0. The file is not checked.
    std::string ArquivoSchemaPorVersao(TSchemaNFe schema, double Versao);

    // ---- Operations ----
    // Signs, validates and sends the 1 to 50 notes of Notas as one batch and
    // collects their protocols; prints the confirmed notes when asked and a
    // DANFE is attached. True when it returns.
    bool TransmitirLote(std::string_view Lote, bool Imprimir = true, bool Sincrono = false,
                        bool Zipado = false);
    bool TransmitirLoteNum(std::int64_t ALote, bool Imprimir = true, bool Sincrono = false,
                           bool Zipado = false);
    // Sends the 1 to 20 events of LoteEventos, completing each from its
    // loaded note (key, CNPJ, and a cancellation's protocol, asked of the
    // authority when the note has none). The event service's result.
    bool TransmitirEventos(std::int64_t idLote);
    // Queries the key (emptying Notas first) or, without a key, each loaded
    // note. Always true; the answers act on the notes as the query does.
    bool ConsultarSituacao(std::string_view AChave = "", bool AExtrairEventos = false);
    bool ConsultarDistribuicao(int AcUFAutor, std::string_view ACNPJCPF, std::string_view AultNSU,
                               std::string_view ANSU, std::string_view AchNFe = "");
    bool PedirDistribuicaoDFe(int AcUFAutor, std::string_view ACNPJCPF, std::string_view AultNSU,
                              std::string_view ANSU, std::string_view AchNFe = "");
    // Through the attached DANFE; "Componente DANFE não associado." without.
    void ImprimirComprovanteEvento();
    void ImprimirComprovanteInutilizacao();

    // ---- NFC-e QR code ----
    static TpcnVersaoQrCode VersaoQRCodeEfetiva(TpcnVersaoQrCode configurada, TpcnVersaoDF layout);
    std::string EnderecoConsultaNFCe(int cUF, TpcnTipoAmbiente tpAmb, double versaoLayout);
    std::string MontarQRCodeNFCe(int cUF, TpcnTipoAmbiente tpAmb, std::string_view chave,
                                 std::string_view destinatario, TDateTime dhEmi, Decimal vNF, Decimal vICMS,
                                 std::string_view digestValue, double versaoLayout);

  protected:
    std::unique_ptr<TConfiguracoes> CriarConfiguracoes() override;

  private:
    friend class TQuibDFeDANFeReport;
    // Called by a report that is going away or linking elsewhere.
    void esquecerDANFE(const TQuibDFeDANFeReport *report);

    std::unique_ptr<TNotasFiscais> notas_;
    // After the notes: the services refer to them and go first.
    std::unique_ptr<TWebServices> servicos_;
    TQuibDFeDANFeReport *danfe_ = nullptr;
    TEtapaNFe etapa_ = etOcioso;
};
