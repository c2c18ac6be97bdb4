#include "dfe/http/dfe_http_win_http.h"

#include "dfe/http/quib_win_http_req_resp.h"
#include "dfe/http/quib_win_inet_req_resp.h"
#include "dfe/ssl/backend_registry.h"

TDFeHttpWinHttp::TDFeHttpWinHttp(TDFeSSL &SSL, TSSLHttpLib Motor) : TDFeSSLHttpClass(SSL)
{
    if (Motor == httpWinINet)
        motor_ = std::make_unique<TQuibWinINetReqResp>();
    else
        motor_ = std::make_unique<TQuibWinHTTPReqResp>();
}

std::string_view TDFeHttpWinHttp::NomeClasse() const
{
    return "TDFeHttpWinHttp";
}

void TDFeHttpWinHttp::ConfigurarConexao()
{
    TDFeSSLHttpClass::ConfigurarConexao();
    TQuibWinReqResp &motor = *motor_;
    motor.Clear();
    const HttpConnectionSettings settings = connectionSettings(); // may load the certificate
    motor.ProxyHost = settings.ProxyHost;
    motor.ProxyPort = settings.ProxyPort;
    motor.ProxyUser = settings.ProxyUser;
    motor.ProxyPass = settings.ProxyPass;
    motor.SetURL(URL);
    motor.SetMethod(Metodo);
    motor.MimeType = MimeType;
    motor.SOAPAction = SoapAction;
    for (int i = 0; i < CabecalhosEnvio.count(); ++i)
        motor.RequestHeaders.add(CabecalhosEnvio.line(i));
    motor.CertContext = settings.UseCertificateHTTP ? settings.credential : nullptr;
    motor.SSLType = settings.SSLType;
    motor.TimeOut = settings.TimeOut;
    motor.Data = DadosEnvio;
}

std::string TDFeHttpWinHttp::TextoUltimoErro()
{
    return motor_->GetErrorText(static_cast<std::uint32_t>(InternalErrorCode));
}

void TDFeHttpWinHttp::Executar()
{
    TDFeSSLHttpClass::Executar();
    struct Codes {
        TDFeHttpWinHttp &back;
        ~Codes()
        {
            back.HTTPResultCode = back.motor_->HttpResultCode;
            back.InternalErrorCode = static_cast<int>(back.motor_->LastErrorCode);
        }
    } codes{*this};
    motor_->Execute(DadosResposta);
    CabecalhosResposta = motor_->ResponseHeaders;
}

void TDFeHttpWinHttp::Interromper()
{
    motor_->Abort();
}

void registerWinHttpBackend()
{
    for (const TSSLHttpLib motor : {httpWinHttp, httpWinINet})
        registerHttpBackend(motor,
                            [motor](TDFeSSL &ssl) { return std::make_unique<TDFeHttpWinHttp>(ssl, motor); });
}
