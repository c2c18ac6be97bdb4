#pragma once

#include <string>

#include "nfe/services/nfe_web_service.h"

// Posts a caller-given message (XMLEnvio) to a caller-given endpoint
// (URLEnvio) with the caller's SoapAction, which also names the WSDL
// namespace of the header and body. Processar answers true whenever an
// answer body came back (the envelope's Body under any prefix, "soap:Body"
// first); RespostaXML holds it. Nothing is saved. Errors reach the error path
// with "WebService: <action>..." in front.
//
// Implemented in nfe_envio_web_service.cpp.
class TNFeEnvioWebService : public TNFeWebService {
  public:
    using TNFeWebService::TNFeWebService;

    std::string XMLEnvio;
    std::string URLEnvio;
    // The first "versao" attribute of the message, found while it is sent.
    std::string VersaoEnvio;

    std::string NomeDaClasse() const override { return "TNFeEnvioWebService"; }
    void Limpar() override;

  protected:
    void DefinirServicoEAction() override;
    void DefinirURL() override;
    void DefinirDadosMsg() override;
    bool TratarResposta() override;
    std::string MontarMsgErro(const std::exception &erro) override;
    std::string GerarVersaoDadosSoap() override;
};
