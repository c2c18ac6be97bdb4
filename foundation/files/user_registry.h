#pragma once

#include <string>
#include <string_view>

// The current user's registry, the place Windows programs keep per-user
// settings: here the INI file "registry.ini" in the user's settings folder
// ($XDG_CONFIG_HOME/nfe-console/, see PastaDeConfiguracaoDoUsuario), one
// section per key path as Windows writes it ("Control Panel\International"),
// string values only. Read and written through IniFile (ini_file.h), so key
// paths and value names compare without regard to case and every write
// replaces the file whole.

// The file that holds the registry.
std::string registryFile();

// The string value; the default when the key or the value is missing.
std::string registryReadString(std::string_view keyPath, std::string_view name,
                               std::string_view defaultValue);

// Writes the string value, creating the settings folder and the key when
// missing. False, with nothing changed, when the file cannot be written (as a
// key that cannot be opened): the registry is a convenience, never a reason
// to stop.
bool registryWriteString(std::string_view keyPath, std::string_view name, std::string_view value);
