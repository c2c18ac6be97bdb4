#include "dfe/http/quib_win_inet_req_resp.h"

bool TQuibWinINetReqResp::DoOpenSession()
{
    return TQuibWinReqResp::DoOpenSession() && openSession(kUserAgent, "");
}

bool TQuibWinINetReqResp::DoOpenConnection()
{
    if (!TQuibWinReqResp::DoOpenConnection() || !IsSessionOpen())
        return false;
    session()->proxyUser = ProxyUser;
    session()->proxyPass = ProxyPass;
    return true;
}

bool TQuibWinINetReqResp::SetConnectionSecurityFlags()
{
    checkAborted();
    return TQuibWinReqResp::SetConnectionSecurityFlags();
}

bool TQuibWinINetReqResp::SetHeaderReq()
{
    if (!TQuibWinReqResp::SetHeaderReq())
        return false;
    headerText_ = HeaderText();
    return true;
}

bool TQuibWinINetReqResp::SendData(const std::string &body)
{
    return TQuibWinReqResp::SendData(body) && transmit(headerText_, body);
}
