#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/xml/gerador.h"

class TQuibDFe;
class TConfiguracoes;
class TQuibIntegrador;

// Shows a message of a service to the operator (the application installs it;
// none by default, and then nothing is shown).
using TDFeWebServiceMensagem = std::function<void(std::string_view Mensagem)>;

// The base of every call to a tax-authority SOAP web service. A service is a
// subclass that fills in the virtual steps; Processar runs one call: endpoint,
// request message, SOAP 1.2 envelope, saved request files, certificate expiry
// check, send (through the component's facade, its OnTransmit handler or a
// linked Integrador), answer cut out of the SOAP body, read, logged, saved.
//
// Two-phase creation: a C++ constructor cannot reach a subclass's Limpar, so
// the owner calls Limpar() right after constructing a service.
//
// Ownership: the component, its configuration and the Integrador are
// referenced, never owned. A service runs one call at a time on the caller's
// thread; the outputs (RespostaXML, RetornoSoap, EnvelopeSoap, DadosMsg,
// MensagemResultado, URL) stay until the next call.
//
// Errors: refusals reach the caller as EQuibDFeException through the
// component's LancarErro, unless its OnGerarLog marks the "ERRO: " line
// handled; then Processar answers false. Errors raised while preparing the
// endpoint or building and saving the request pass out unchanged.
//
// Implemented in dfe_web_service.cpp (template, envelope, files) and
// dfe_web_service_transmitir.cpp (send and answer cutting).
class TDFeWebService {
  public:
    explicit TDFeWebService(TQuibDFe *componente);
    virtual ~TDFeWebService();
    TDFeWebService(const TDFeWebService &) = delete;
    TDFeWebService &operator=(const TDFeWebService &) = delete;

    // The message box of RegistrarLog; process-wide, set by the application.
    static TDFeWebServiceMensagem &ExibirMensagem();

    TQuibDFe *Componente() const { return componente_; }
    TConfiguracoes *Configuracoes() const { return configuracoes_; }

    std::string VersaoSoap = "soap12";
    std::string AtributosEnvelope;
    std::string ElementoCabecalho = "nfeCabecMsg";
    std::string ElementoCorpo = "nfeDadosMsg";
    std::string DadosMsg;
    std::string EnvelopeSoap;
    std::string RetornoSoap;
    std::string RespostaXML;
    std::string MensagemResultado;
    std::string URL;
    std::string VersaoDados;
    std::string Servico;
    std::string SoapAction;
    std::string SufixoEnvio;
    std::string SufixoResposta;
    std::string MimeType;
    std::string CabecalhoAutorizacao;
    bool ValidarCodigoHTTP = true;

    // The run-time class name of the concrete service ("TNFeStatusServico").
    virtual std::string NomeDaClasse() const { return "TDFeWebService"; }

    virtual void Limpar();
    // Runs one call; true when the answer meant success for the service.
    virtual bool Processar();

    bool UsaIntegrador() const { return Integrador() != nullptr; }
    // The Integrador linked to the component, when it is one.
    TQuibIntegrador *Integrador() const;
    // Copies the writer options of the configuration into a message writer
    // and the time-zone setting into the process-wide one.
    void AplicarOpcoesGerador(TGeradorOpcoes &opcoes);

    virtual void RegistrarLog(std::string_view Mensagem, bool Exibir = false);
    virtual void LancarErro(std::string_view Mensagem, const std::exception *E = nullptr);

  protected:
    virtual void PrepararServico();
    virtual void DefinirServicoEAction();
    virtual void DefinirURL();
    virtual void DefinirDadosMsg();
    virtual void PrepararIntegrador();
    virtual void MontarEnvelopeSoap();
    virtual void GravarEnvio();
    virtual void TransmitirDados();
    virtual bool TratarResposta();
    virtual void GravarResposta();
    virtual void ConcluirServico() {}
    // Raises "Erro ao obter resposta do webservice." (+ CR LF + RetornoSoap)
    // when RespostaXML is empty.
    virtual void ExigirResposta();
    virtual std::string UrlBaseWsdl();
    virtual void AssinarDocumento(std::string_view XML, std::string_view docElement,
                                  std::string_view infElement, std::string_view MsgErro,
                                  std::string_view SignatureNode = "",
                                  std::string_view SelectionNamespaces = "",
                                  std::string_view IdSignature = "");
    virtual std::string MontarMsgLog() { return {}; }
    virtual std::string MontarMsgErro(const std::exception &) { return {}; }
    virtual std::string MontarCabecalhoSoap();
    virtual std::string GerarVersaoDadosSoap();
    virtual std::string MontarUFSoap();
    virtual std::string PrefixoArquivoData();

    // RespostaXML := the trimmed content of the first of the elements found
    // in RetornoSoap (any case, with or without a namespace prefix); then
    // ExigirResposta. Answers the entity-decoded message for the reader.
    std::string ExtrairResposta(const std::vector<std::string> &elementos);

  private:
    void salvar(const std::string &nome, const std::string &conteudo, bool jaUTF8);

    TQuibDFe *componente_;
    TConfiguracoes *configuracoes_;
};

// True when the lower-cased text contains "<signature".
bool TemAssinatura(std::string_view xml);
