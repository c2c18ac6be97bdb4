#include "dfe/http/quib_win_http_req_resp.h"

#include "dfe/http/detail/win_inet_errors.h"
#include "foundation/codes/enum_names.h"

bool TQuibWinHTTPReqResp::DoOpenSession()
{
    return TQuibWinReqResp::DoOpenSession() && openSession(kUserAgent, "localhost");
}

bool TQuibWinHTTPReqResp::SetConnectionSSL()
{
    if (!TQuibWinReqResp::SetConnectionSSL())
        return false;
    if (!UseSSL())
        return true;
    HttpSend &http = *session();
    http.tlsExact = true;
    switch (SSLType) {
    case LT_SSLv2:
    case LT_SSLv3:
        return fail(kWinInetCanalSeguro, std::string(EnumValueName(SSLType)) + " não é oferecido");
    case LT_TLSv1:
        http.tlsMinimum = TlsMinimum::tls1_0;
        return true;
    case LT_TLSv1_1:
        http.tlsMinimum = TlsMinimum::tls1_1;
        return true;
    case LT_TLSv1_2:
        http.tlsMinimum = TlsMinimum::tls1_2;
        return true;
    case LT_all:
    case LT_TLSv1_3:
    case LT_SSHv2:
        break;
    }
    http.tlsMinimum = TlsMinimum::platformDefault;
    http.tlsExact = false;
    return true;
}

bool TQuibWinHTTPReqResp::SendData(const std::string &body)
{
    return TQuibWinReqResp::SendData(body) && transmit(HeaderText(), body);
}
