// Hand-off of request files to the document monitor and local copies of its
// answers. A request appears in "-fil" only by a rename, so the monitor never
// meets half of one.

#include "monitor_client/frm_nfe_2g.h"

#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"
#include "monitor_client/detail/arquivo_troca.h"
#include "monitor_client/erro_entrega.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string falhaEntrega(const std::string &arquivo, const std::string &motivo)
{
    return "Pedido \"" + arquivo + "\" não entregue ao monitor: " + motivo;
}

} // namespace

void TfrmNFE_2G::EntregaRequisicao(const std::vector<std::string> &linhas)
{
    gravaArquivoLocal(linhas);
    entregaArquivoLocal();
}

void TfrmNFE_2G::gravaArquivoLocal(const std::vector<std::string> &linhas)
{
    std::string texto;
    for (const auto &linha : linhas)
        texto += linha + "\r\n";
    const fs::path local(ArquivoLocal);
    std::error_code erro;
    fs::create_directories(local.parent_path(), erro);
    const fs::path temporario = local.parent_path() / ("~" + local.filename().string() + ".tmp");
    if (const auto falha =
            monitor_detail::gravaPorRenomeacao(local, temporario, ConvertePaginaCodigo(texto, 1252, 65001)))
        throw EEntregaMonitor(falhaEntrega(ArquivoLocal, *falha));
}

void TfrmNFE_2G::entregaArquivoLocal()
{
    const auto bytes = monitor_detail::leArquivo(ArquivoLocal);
    if (!bytes)
        throw EEntregaMonitor(falhaEntrega(ArquivoMonitor, "cópia local " + ArquivoLocal + " ilegível"));
    const fs::path destino(localPath(ArquivoMonitor));
    std::error_code erro;
    if (!fs::is_directory(destino.parent_path(), erro))
        throw EEntregaMonitor(
            falhaEntrega(ArquivoMonitor, "a pasta " + destino.parent_path().string() + " não existe"));
    const fs::path temporario = destino.parent_path() / ("~" + destino.filename().string() + ".tmp");
    if (const auto falha = monitor_detail::gravaPorRenomeacao(destino, temporario, *bytes))
        throw EEntregaMonitor(falhaEntrega(ArquivoMonitor, *falha));
}

void TfrmNFE_2G::copiaRetornoLocal(const std::string *lidos)
{
    const fs::path local(ArquivoLocal);
    std::error_code erro;
    fs::create_directories(local.parent_path(), erro);
    const auto bytes =
        lidos ? std::optional<std::string>(*lidos) : monitor_detail::leArquivo(localPath(ArquivoMonitor));
    const fs::path temporario = local.parent_path() / ("~" + local.filename().string() + ".tmp");
    const auto falha = bytes ? monitor_detail::gravaPorRenomeacao(local, temporario, *bytes, false)
                             : std::optional<std::string>("resposta ilegível");
    if (falha)
        registra("Cópia local da resposta " + ArquivoMonitor + " não feita: " + *falha);
}
