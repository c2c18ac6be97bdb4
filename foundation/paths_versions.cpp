// Folder names, the program's folder and version texts.

#include <cmath>
#include <filesystem>
#include <string>
#include <system_error>

#include "foundation/file_utils.h"
#include "foundation/text_utils.h"

namespace {

// The index-th component of a version text (0-based); empty when missing.
std::string_view versionComponent(std::string_view version, char separator, int index)
{
    for (int i = 0; i < index; ++i) {
        const std::size_t next = version.find(separator);
        if (next == std::string_view::npos)
            return {};
        version.remove_prefix(next + 1);
    }
    return version.substr(0, version.find(separator));
}

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

double ComparaVersoes(std::string_view versaoA, std::string_view versaoB, char separador)
{
    if (trimText(versaoA) == trimText(versaoB))
        return 0;
    const std::string separator(1, separador);
    const int places = std::max(ContaOcorrencias(versaoA, separator), ContaOcorrencias(versaoB, separator));
    double result = 0;
    for (int i = 0; i <= places; ++i) {
        const std::string a = normalisedComponent(versionComponent(versaoA, separador, i));
        const std::string b = normalisedComponent(versionComponent(versaoB, separador, i));
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
