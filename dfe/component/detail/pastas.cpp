#include "dfe/component/detail/pastas.h"

#include <filesystem>
#include <system_error>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/text/text_utils.h"

namespace pastas {

std::string semBrancos(std::string_view pasta)
{
    return std::string(trimText(pasta));
}

std::string comSeparadorFinal(std::string_view pasta)
{
    std::string texto = semBrancos(pasta);
    if (texto.empty() || texto.back() == '/' || texto.back() == '\\')
        return texto;
    const bool windows = driveLetterOf(texto) != '\0' || texto.starts_with("\\\\");
    return texto + (windows ? '\\' : '/');
}

std::string juntar(std::string_view pasta, std::string_view subpasta)
{
    return comSeparadorFinal(pasta) + std::string(subpasta);
}

void garantirPasta(std::string_view pasta)
{
    const std::string local = localPath(pasta);
    std::error_code erro;
    if (std::filesystem::is_directory(local, erro))
        return;
    std::filesystem::create_directories(local, erro);
    if (erro)
        throw FileWriteError("Não foi possível criar a pasta " + std::string(pasta) + ": " + erro.message());
}

} // namespace pastas
