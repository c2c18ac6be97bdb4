#include "tests/dfe/http/transport_peers.h"

#include <chrono>

#include "dfe/backends.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

using testsupport::HttpTestRequest;
using testsupport::HttpTestResponse;

namespace transporttest {

const std::string kEnvelope = "<soap12:Envelope><soap12:Body><consStatServ>1</consStatServ></soap12:Body>"
                              "</soap12:Envelope>";

HttpTestResponse soapAnswer(const HttpTestRequest &request)
{
    return HttpTestResponse::text(200, "OK", "<retorno>" + std::to_string(request.body.size()) + "</retorno>",
                                  "application/soap+xml; charset=utf-8");
}

HttpTestResponse silent(const HttpTestRequest &request)
{
    HttpTestResponse response = soapAnswer(request);
    response.delay = std::chrono::seconds(20);
    return response;
}

std::unique_ptr<TDFeSSL> facadeWithECnpj(TSSLHttpLib httpLib)
{
    RegistraBackendsDFe();
    auto ssl = std::make_unique<TDFeSSL>();
    ssl->SetSSLCryptLib(cryOpenSSL);
    ssl->SetDadosPFX(testsupport::readFile(testPki().ecnpj.pfxAes));
    ssl->SetSenha(testPki().ecnpj.password);
    ssl->SetSSLHttpLib(httpLib);
    return ssl;
}

void useProxy(TDFeSSL &ssl, int port, const std::string &user, const std::string &password)
{
    ssl.ProxyHost = "127.0.0.1";
    ssl.ProxyPort = std::to_string(port);
    ssl.ProxyUser = user;
    ssl.ProxyPass = password;
}

} // namespace transporttest
