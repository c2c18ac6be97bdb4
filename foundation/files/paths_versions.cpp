// Folder names, the program's folder, version texts and error codes.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <pwd.h>
#include <unistd.h>

#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

// Digit-only components compare as nine-digit numbers, an empty one as zero.
std::string normalisedComponent(std::string_view component)
{
    component = trimText(component);
    if (component.empty())
        return std::string(9, '0');
    if (SoDigitos(component))
        return CompletaEsquerda(component, 9, '0');
    return std::string(component);
}

} // namespace

std::string IncluiBarraFinal(std::string_view path)
{
    const std::string_view trimmed = trimText(path);
    if (trimmed.empty() || trimmed.back() == '/')
        return std::string(trimmed);
    return std::string(trimmed) + '/';
}

std::string PastaDoPrograma()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return "./";
    return IncluiBarraFinal(program.parent_path().string());
}

namespace {

// "$<variable>/nfe-console/" when the variable holds an absolute path, else
// "<home>/<fallback>/nfe-console/".
std::string pastaXdgDoUsuario(const char *variavelXdg, std::string_view padrao)
{
    const char *valor = std::getenv(variavelXdg);
    if (valor != nullptr && valor[0] == '/')
        return IncluiBarraFinal(valor) + kNomeDoPrograma + "/";
    return PastaPessoalDoUsuario() + std::string(padrao) + "/" + kNomeDoPrograma + "/";
}

} // namespace

std::string PastaPessoalDoUsuario()
{
    std::string home;
    if (const char *variavel = std::getenv("HOME"); variavel != nullptr && variavel[0] != '\0') {
        home = variavel;
    } else {
        std::vector<char> buffer(16384);
        passwd entrada{};
        passwd *achada = nullptr;
        if (getpwuid_r(getuid(), &entrada, buffer.data(), buffer.size(), &achada) == 0 && achada != nullptr)
            home = achada->pw_dir;
    }
    return IncluiBarraFinal(home.empty() ? "." : home);
}

std::string PastaDeConfiguracaoDoUsuario()
{
    return pastaXdgDoUsuario("XDG_CONFIG_HOME", ".config");
}

std::string PastaDeCacheDoUsuario()
{
    return pastaXdgDoUsuario("XDG_CACHE_HOME", ".cache");
}

std::string PastaDeDadosDoUsuario()
{
    return pastaXdgDoUsuario("XDG_DATA_HOME", ".local/share");
}

double ComparaVersoes(std::string_view versaoA, std::string_view versaoB, char separador)
{
    if (trimText(versaoA) == trimText(versaoB))
        return 0;
    const std::string separator(1, separador);
    const int places = std::max(ContaOcorrencias(versaoA, separator), ContaOcorrencias(versaoB, separator));
    std::vector<std::string> componentsA, componentsB;
    DivideTexto(versaoA, separador, componentsA, '\0');
    DivideTexto(versaoB, separador, componentsB, '\0');
    componentsA.resize(static_cast<std::size_t>(places) + 1);
    componentsB.resize(static_cast<std::size_t>(places) + 1);
    double result = 0;
    for (int i = 0; i <= places; ++i) {
        const std::string a = normalisedComponent(componentsA[static_cast<std::size_t>(i)]);
        const std::string b = normalisedComponent(componentsB[static_cast<std::size_t>(i)]);
        if (a == b)
            continue;
        const double weight = std::pow(10.0, places - i);
        result += a > b ? weight : -weight;
    }
    return result;
}

std::string VersaoDoArquivo(std::string_view /*arquivo*/)
{
    return {};
}

std::string CodigoErroHexa(int codigo)
{
    const auto code = static_cast<std::uint32_t>(codigo == 0 ? errno : codigo);
    const std::string bytes = {static_cast<char>(code >> 24), static_cast<char>(code >> 16),
                               static_cast<char>(code >> 8), static_cast<char>(code)};
    return BytesParaHex(bytes);
}
