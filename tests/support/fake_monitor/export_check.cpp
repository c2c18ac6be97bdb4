#include <exception>
#include <string>
#include <string_view>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "tests/support/fake_monitor/detail/monitor_files.h"

namespace testsupport::monitor {

namespace {

constexpr std::string_view kExportVersion = "2.00";

} // namespace

std::string exportVerdict(std::string_view bytes)
{
    TNFe nfe;
    TNFeRTXT reader(nfe);
    reader.CarregarTexto(bytes);
    try {
        if (!reader.InterpretarArquivo())
            return "TXT recusado: sem cabecalho NOTAFISCAL ou versao de leiaute conhecida";
    } catch (const std::exception &fault) {
        return std::string("TXT recusado: ") + fault.what();
    }
    const std::string version = reader.Layout()->version();
    if (version != kExportVersion)
        return "TXT recusado: leiaute " + version + " (esperado " + std::string(kExportVersion) + ")";
    std::string verdict = "TXT " + version + " lido: nota " + std::to_string(nfe.ide.nNF) + " serie " +
                          std::to_string(nfe.ide.serie) + ", " + std::to_string(nfe.det.count()) +
                          " item(ns)";
    if (!reader.Avisos.empty())
        verdict += ", " + std::to_string(reader.Avisos.size()) + " aviso(s): " + reader.Avisos.front();
    return verdict;
}

} // namespace testsupport::monitor
