#pragma once

#include <string>
#include <string_view>

#include "dfe/http/quib_win_req_resp.h"

// The WinHTTP personality of the request engine: user agent "WinHTTP
// Quib/1.0", a named proxy bypassed for "localhost", and the TLS versions
// pinned by SSLType (LT_TLSv1, LT_TLSv1_1, LT_TLSv1_2 each alone; LT_all,
// LT_TLSv1_3 and LT_SSHv2 every version the TLS library allows; LT_SSLv2 and
// LT_SSLv3 fail the TLS step). The header text goes with the body.
class TQuibWinHTTPReqResp : public TQuibWinReqResp {
  public:
    static constexpr std::string_view kUserAgent = "WinHTTP Quib/1.0";

    bool DoOpenSession() override;
    bool SetConnectionSSL() override;
    bool SendData(const std::string &body) override;
};
