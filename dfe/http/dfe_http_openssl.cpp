#include "dfe/http/dfe_http_openssl.h"

#include <exception>

#include <openssl/crypto.h>
#include <openssl/ssl.h>

#include "dfe/http/detail/install_tls_credential.h"
#include "dfe/ssl/backend_registry.h"
#include "foundation/codes/enum_names.h"
#include "foundation/fiscal/dfe_exception.h"

namespace {

// How each SSLType reaches the TLS layer: the version offered, whether it is
// the only one, and whether this OpenSSL still has that protocol at all.
struct ProtocoloTls {
    TlsMinimum versao;
    bool exato;
    bool disponivel;
};

ProtocoloTls protocoloDe(TSSLType tipo)
{
    switch (tipo) {
    case LT_SSLv2:
    case LT_SSLv3:
        return {TlsMinimum::platformDefault, true, false};
    case LT_TLSv1:
        return {TlsMinimum::tls1_0, true, true};
    case LT_TLSv1_1:
        return {TlsMinimum::tls1_1, true, true};
    case LT_TLSv1_2:
        return {TlsMinimum::tls1_2, true, true};
    case LT_TLSv1_3:
#ifdef TLS1_3_VERSION
        return {TlsMinimum::tls1_3, true, true};
#else
        return {TlsMinimum::tls1_3, true, false};
#endif
    case LT_all:
    case LT_SSHv2:
        break;
    }
    return {TlsMinimum::platformDefault, false, true};
}

} // namespace

TDFeHttpOpenSSL::TDFeHttpOpenSSL(TDFeSSL &SSL) : TDFeSSLHttpClass(SSL) {}

std::string_view TDFeHttpOpenSSL::NomeClasse() const
{
    return "TDFeHttpOpenSSL";
}

void TDFeHttpOpenSSL::ConfigurarConexao()
{
    TDFeSSLHttpClass::ConfigurarConexao();
    ClienteHTTP.clear();
    UltimoErroTransporte.clear();
    HttpConnectionSettings settings;
    try {
        settings = connectionSettings(); // may load the certificate
    } catch (const std::exception &erro) {
        UltimoErroTransporte = erro.what();
        throw;
    }

    ClienteHTTP.proxyHost = settings.ProxyHost;
    ClienteHTTP.proxyPort = settings.ProxyPort;
    ClienteHTTP.proxyUser = settings.ProxyUser;
    ClienteHTTP.proxyPass = settings.ProxyPass;
    ClienteHTTP.proxyFromEnvironment = false;

    if (!SoapAction.empty())
        ClienteHTTP.requestHeaders.add("SOAPAction: \"" + SoapAction + "\"");
    for (int i = 0; i < CabecalhosEnvio.count(); ++i)
        ClienteHTTP.requestHeaders.add(CabecalhosEnvio.line(i));
    if (!MimeType.empty())
        ClienteHTTP.requestHeaders.add("Content-Type: " + MimeType);
    ClienteHTTP.requestHeaders.add("User-Agent: " + std::string(kUserAgent));
    ClienteHTTP.hostWithoutPort = true;

    ClienteHTTP.clientPkcs12.clear();
    ClienteHTTP.clientPkcs12Password.clear();
    ClienteHTTP.tlsContextSetup = nullptr;
    if (settings.UseCertificateHTTP && settings.credential)
        ClienteHTTP.tlsContextSetup = installTlsCredential(settings.credential);

    const ProtocoloTls protocolo = protocoloDe(settings.SSLType);
    if (!protocolo.disponivel)
        Falhar(std::string(OpenSSL_version(OPENSSL_VERSION)) + ", não suporta " +
               std::string(EnumValueName(settings.SSLType)));
    ClienteHTTP.tlsMinimum = protocolo.versao;
    ClienteHTTP.tlsExact = protocolo.exato;
    ClienteHTTP.verifyServer = false;

    ClienteHTTP.connectTimeoutMs = settings.TimeOut;
    ClienteHTTP.idleTimeoutMs = settings.TimeOut;

    ClienteHTTP.requestBody = DadosEnvio;
}

std::string TDFeHttpOpenSSL::TextoUltimoErro()
{
    return ClienteHTTP.errorDetail.empty() ? UltimoErroTransporte : ClienteHTTP.errorDetail;
}

void TDFeHttpOpenSSL::Executar()
{
    TDFeSSLHttpClass::Executar();
    const bool respondeu = ClienteHTTP.execute(Metodo, URL);
    HTTPResultCode = ClienteHTTP.resultCode;
    InternalErrorCode = ClienteHTTP.osErrorCode != 0 ? ClienteHTTP.osErrorCode : ClienteHTTP.socketErrorCode;
    if (!respondeu)
        Falhar("Erro Interno: " + std::to_string(InternalErrorCode) + "\r\nErro HTTP: " +
               std::to_string(HTTPResultCode) + "\r\nURL: " + URL + "\r\n" + TextoUltimoErro());
    DadosResposta = ClienteHTTP.responseBody;
    CabecalhosResposta = ClienteHTTP.responseHeaders;
}

void TDFeHttpOpenSSL::Interromper()
{
    ClienteHTTP.abort();
}

void TDFeHttpOpenSSL::Falhar(const std::string &texto)
{
    UltimoErroTransporte = texto;
    throw EQuibDFeException::CreateSemConversao(texto);
}

void registerOpenSslHttpBackend()
{
    registerHttpBackend(httpOpenSSL, [](TDFeSSL &ssl) { return std::make_unique<TDFeHttpOpenSSL>(ssl); });
}
