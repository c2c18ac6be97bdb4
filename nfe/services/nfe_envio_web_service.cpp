#include "nfe/services/nfe_envio_web_service.h"

#include "foundation/xml/xml_text_utils.h"

namespace {

// The value of the first versao="..." attribute of the text; empty when none.
std::string primeiraVersao(std::string_view xml)
{
    for (const char aspas : {'"', '\''}) {
        const std::string marca = std::string("versao=") + aspas;
        const std::size_t inicio = xml.find(marca);
        if (inicio == std::string_view::npos)
            continue;
        const std::size_t valor = inicio + marca.size();
        const std::size_t fim = xml.find(aspas, valor);
        if (fim != std::string_view::npos)
            return std::string(xml.substr(valor, fim - valor));
    }
    return {};
}

} // namespace

void TNFeEnvioWebService::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etEnvioGenerico;
    VersaoEnvio.clear();
}

void TNFeEnvioWebService::DefinirURL()
{
    URL = URLEnvio;
}

void TNFeEnvioWebService::DefinirServicoEAction()
{
    Servico = SoapAction;
}

void TNFeEnvioWebService::DefinirDadosMsg()
{
    VersaoEnvio = primeiraVersao(XMLEnvio);
    DadosMsg = XMLEnvio;
}

std::string TNFeEnvioWebService::GerarVersaoDadosSoap()
{
    return "<versaoDados>" + VersaoEnvio + "</versaoDados>";
}

bool TNFeEnvioWebService::TratarResposta()
{
    // A SOAP 1.2 answer may name its envelope with any prefix.
    RespostaXML = ConteudoDaTag(RetornoSoap, "soap:Body", false, false, true);
    if (RespostaXML.empty())
        RespostaXML = ConteudoDaTag(RetornoSoap, "Body", false, true, true);
    ExigirResposta();
    return true;
}

std::string TNFeEnvioWebService::MontarMsgErro(const std::exception &)
{
    return "WebService: " + Servico + "\r\n- Inativo ou Inoperante tente novamente.";
}
