#include "app/funcoes/adc_funcoes.h"

#include <chrono>
#include <cstdint>

#include <sys/statvfs.h>

#include "foundation/dates/date_time.h"
#include "foundation/files/windows_paths.h"
#include "foundation/numbers/number_date_utils.h"

std::string NumeroSerieVolume(std::string_view raiz)
{
    struct statvfs info {};
    if (statvfs(localPath(raiz).c_str(), &info) != 0)
        return " ";
    const auto id = static_cast<std::uint32_t>(info.f_fsid);
    const std::string bytes = {static_cast<char>(id >> 24), static_cast<char>(id >> 16),
                               static_cast<char>(id >> 8), static_cast<char>(id)};
    return BytesParaHex(bytes);
}

void Aguarda(int milissegundos)
{
    if (milissegundos > 0)
        sleepFor(std::chrono::milliseconds(milissegundos));
}
