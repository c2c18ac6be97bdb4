#include "foundation/files/user_registry.h"

#include <filesystem>
#include <system_error>

#include "foundation/files/file_utils.h"
#include "foundation/files/ini_file.h"

std::string registryFile()
{
    return PastaDeConfiguracaoDoUsuario() + "registry.ini";
}

std::string registryReadString(std::string_view keyPath, std::string_view name, std::string_view defaultValue)
{
    return IniFile(registryFile()).ReadString(keyPath, name, defaultValue);
}

bool registryWriteString(std::string_view keyPath, std::string_view name, std::string_view value)
{
    std::error_code error;
    std::filesystem::create_directories(PastaDeConfiguracaoDoUsuario(), error);
    try {
        IniFile(registryFile()).WriteString(keyPath, name, value);
        return true;
    } catch (const FileWriteError &) {
        return false;
    }
}
