#pragma once

#include <string>
#include <string_view>

// The services INI that points every endpoint at the fake: NFe and NFCe
// sections of every state and of SVRS, SVC-AN, SVC-RS and AN, production and
// homologation, each service at "<base>/<authoriser>/<service key>"; NFC-e
// sections also carry "URL-QRCode" and "URL-ConsultaNFCe". Implemented in
// services_ini.cpp.

namespace testsupport::fakesefaz {

// `baseUrl` is "https://127.0.0.1:<port>".
std::string servicesIni(std::string_view baseUrl);

} // namespace testsupport::fakesefaz
