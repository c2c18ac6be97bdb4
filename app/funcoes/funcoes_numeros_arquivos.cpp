// Number, list, file and system functions of funcoes_kvl.h.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

namespace fs = std::filesystem;

double Arredonda(double valor, int casas)
{
    for (int i = 0; i < casas; ++i)
        valor *= 10;
    valor = std::nearbyint(valor);
    for (int i = 0; i < casas; ++i)
        valor /= 10;
    return valor;
}

int FloatParaInteiro(double valor)
{
    const double integral = std::trunc(valor);
    if (!(integral >= std::numeric_limits<int>::min() && integral <= std::numeric_limits<int>::max()))
        throw ConversionError("O valor " + std::to_string(valor) + " não cabe num inteiro");
    return static_cast<int>(integral);
}

double Divide(double x, double y)
{
    return x == 0 || y == 0 ? 0 : x / y;
}

ResultadoLista ProcuraNaLista(const std::vector<std::string> &lista, std::string_view nome,
                              std::string_view tipoResultado)
{
    const std::string wanted = upperAscii(nome);
    int hit = -1;
    for (std::size_t i = 0; i < lista.size() && hit < 0; ++i) {
        const std::string entry = upperAscii(lista[i]);
        if (entry == wanted || entry == "ALL")
            hit = static_cast<int>(i);
    }
    if (tipoResultado == "Boolean")
        return hit >= 0;
    if (tipoResultado == "Integer")
        return hit;
    return std::monostate{};
}

namespace {

// Writes a copy of the source under a temporary name beside the target and
// renames it over the target; the target stays as it was on any failure.
bool replaceWithCopy(const fs::path &source, const fs::path &target)
{
    std::ifstream in(source, std::ios::binary);
    if (!in)
        return false;
    std::string temporary = target.string() + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0)
        return false;
    close(fd);
    bool ok = true;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        char block[2048];
        while (ok && in) {
            in.read(block, sizeof block);
            if (in.gcount() > 0)
                ok = static_cast<bool>(out.write(block, in.gcount()));
        }
        ok = ok && in.eof() && static_cast<bool>(out.flush());
    }
    std::error_code error;
    if (ok) {
        fs::last_write_time(temporary, fs::last_write_time(source, error), error);
        fs::permissions(temporary, fs::status(source, error).permissions(), error);
        fs::rename(temporary, target, error);
        ok = !error;
    }
    if (!ok)
        fs::remove(temporary, error);
    return ok;
}

} // namespace

bool CopiaArquivo(std::string_view origem, std::string_view destino)
{
    if (origem == destino)
        return false;
    const fs::path source = localPath(origem);
    const fs::path target = localPath(destino);
    std::error_code error;
    if (!fs::is_regular_file(source, error))
        return false;
    if (fs::equivalent(source, target, error))
        return false; // the same file under another name: copying would destroy it
    return replaceWithCopy(source, target);
}

std::string VersaoWindows()
{
    return {};
}
