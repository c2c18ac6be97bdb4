#pragma once

#include <string>
#include <string_view>

#include "dfe/http/quib_win_req_resp.h"

// The WinINet personality of the request engine: user agent "WinINet
// Quib/1.0", the proxy credentials given with the connection, SSLType
// ignored (every TLS version the library allows by default), and the header
// text added to the request before the body is sent.
class TQuibWinINetReqResp : public TQuibWinReqResp {
  public:
    static constexpr std::string_view kUserAgent = "WinINet Quib/1.0";

    bool DoOpenSession() override;
    bool DoOpenConnection() override;
    bool SetConnectionSecurityFlags() override;
    bool SetHeaderReq() override;
    bool SendData(const std::string &body) override;

  private:
    std::string headerText_; // added by SetHeaderReq
};
