// The send and the answer cutting of the web-service template; declared in
// dfe_web_service.h.

#include "dfe/component/quib_dfe.h"
#include "dfe/ssl/base64.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/dfe_web_service.h"
#include "nfe/services/quib_integrador.h"

namespace {

// The configuration names a certificate that can be checked: one given only
// by URL is not.
bool certificadoConfigurado(const TCertificadosConf &certificados)
{
    return !certificados.NumeroSerie().empty() || !certificados.DadosPFX().empty() ||
           !certificados.ArquivoPFX().empty();
}

// The answer carried by the Integrador's reply items.
std::string respostaDoIntegrador(const std::vector<std::string> &itens)
{
    if (itens.size() >= 7) {
        const std::string &resposta = itens[6];
        return Base64Valido(resposta) ? decodeBase64(resposta) : resposta;
    }
    if (itens.size() >= 3)
        throw EQuibDFeException::CreateSemConversao(itens[2]);
    throw EQuibDFeException("Resposta do Integrador inválida");
}

} // namespace

void TDFeWebService::TransmitirDados()
{
    RespostaXML.clear();
    RetornoSoap.clear();

    TConfiguracoes *configuracoes = Configuracoes();
    TQuibDFe *componente = Componente();
    if (configuracoes != nullptr && componente != nullptr &&
        certificadoConfigurado(configuracoes->Certificados()) &&
        configuracoes->Certificados().VerificarValidade) {
        const TDateTime validade = componente->SSL().DataValidadeDoCertificado();
        if (nowLocal() > validade)
            throw EQuibDFeException("Data de Validade do Certificado já expirou: " + DataFormatoBR(validade));
    }

    if ((MimeType.empty() || lowerAscii(MimeType).find("xml") != std::string::npos) &&
        !EnvelopeSoap.empty() && !TemAssinatura(EnvelopeSoap))
        EnvelopeSoap = GaranteXMLUTF8(EnvelopeSoap);

    bool retentar = true;
    while (retentar) {
        retentar = false;
        bool tratado = false;
        RespostaXML.clear();
        RetornoSoap.clear();
        int codigoHTTP = 0;
        int codigoInterno = 0;
        try {
            if (componente != nullptr && componente->OnTransmit) {
                componente->OnTransmit(EnvelopeSoap, URL, SoapAction, MimeType, RetornoSoap, codigoHTTP,
                                       codigoInterno);
                if (codigoInterno != 0)
                    throw EQuibDFeException("Erro ao Transmitir");
            } else if (TQuibIntegrador *integrador = Integrador()) {
                integrador->SetParametro("dados", encodeBase64(EnvelopeSoap));
                integrador->ExecutarComando(true);
                RetornoSoap = respostaDoIntegrador(integrador->Resposta);
            } else if (componente != nullptr) {
                TDFeSSL &ssl = componente->SSL();
                try {
                    RetornoSoap = ssl.Transmitir(EnvelopeSoap, URL, SoapAction, MimeType,
                                                 CabecalhoAutorizacao, ValidarCodigoHTTP);
                } catch (...) {
                    codigoHTTP = ssl.HTTPResultCode();
                    codigoInterno = ssl.InternalErrorCode();
                    throw;
                }
                codigoHTTP = ssl.HTTPResultCode();
                codigoInterno = ssl.InternalErrorCode();
            }
        } catch (const std::exception &) {
            if (componente != nullptr && componente->OnTransmitError)
                componente->OnTransmitError(codigoHTTP, codigoInterno, URL, EnvelopeSoap, SoapAction,
                                            retentar, tratado);
            if (!retentar && !tratado)
                throw;
            if (!retentar)
                RetornoSoap.clear();
        }
    }
}

std::string TDFeWebService::ExtrairResposta(const std::vector<std::string> &elementos)
{
    RespostaXML = ConteudoPrimeiraTag(elementos, RetornoSoap, false, true, true);
    ExigirResposta();
    return ConverteEntidades(RespostaXML, true, true);
}
