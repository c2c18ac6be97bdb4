#include "tests/support/fake_sefaz/services_ini.h"

#include <array>

#include "tests/support/fake_sefaz/states.h"

namespace testsupport::fakesefaz {

namespace {

struct IniService {
    std::string_view key;
    std::string_view version;
};

// clang-format off
constexpr std::array kIniServices{
    IniService{"NfeStatusServico",     "4.00"},
    IniService{"NFeAutorizacao",       "4.00"},
    IniService{"NFeRetAutorizacao",    "4.00"},
    IniService{"NfeConsultaProtocolo", "4.00"},
    IniService{"NfeInutilizacao",      "4.00"},
    IniService{"NfeConsultaCadastro",  "4.00"},
    IniService{"RecepcaoEvento",       "4.00"},
    IniService{"RecepcaoEvento",       "1.00"},
    IniService{"EventoEPEC",           "1.00"},
    IniService{"NFeDistribuicaoDFe",   "1.01"},
    IniService{"AdministrarCSCNFCe",   "1.00"},
};
// clang-format on

void section(std::string &ini, std::string_view base, std::string_view model, std::string_view authoriser,
             char environment)
{
    const std::string prefix = std::string(base) + "/" + std::string(authoriser) + "/";
    ini += "[" + std::string(model) + "_" + std::string(authoriser) + "_" + environment + "]\n";
    for (const IniService &service : kIniServices)
        ini += std::string(service.key) + "_" + std::string(service.version) + "=" + prefix +
               std::string(service.key) + "\n";
    if (model == "NFCe") {
        for (const char *suffix : {"", "_2.00"}) {
            ini += std::string("URL-QRCode") + suffix + "=" + prefix + "qrcode\n";
            ini += std::string("URL-ConsultaNFCe") + suffix + "=" + prefix + "consulta\n";
        }
    }
    ini += "\n";
}

} // namespace

std::string servicesIni(std::string_view baseUrl)
{
    std::string ini = "; Endpoints of the local fake tax authority at " + std::string(baseUrl) + "\n\n";
    for (std::string_view model : {"NFe", "NFCe"})
        for (char environment : {'P', 'H'}) {
            for (const State &state : kStates)
                section(ini, baseUrl, model, state.uf, environment);
            for (std::string_view authoriser : kVirtualAuthorisers)
                section(ini, baseUrl, model, authoriser, environment);
        }
    return ini;
}

} // namespace testsupport::fakesefaz
