#pragma once

// File steps of the exchange folder. Implemented in detail/arquivo_troca.cpp.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace monitor_detail {

// Writes the bytes to `temporario` (same folder as `destino`), flushes them
// to disk when `sincroniza` (files another program reads) and renames it
// over `destino`, so a reader of the folder sees the file whole or not at
// all. The reason of a failure in the system's words, with the temporary
// file removed; nullopt on success.
std::optional<std::string> gravaPorRenomeacao(const std::filesystem::path &destino,
                                              const std::filesystem::path &temporario, std::string_view bytes,
                                              bool sincroniza = true);

// The whole file; nullopt when it cannot be read.
std::optional<std::string> leArquivo(const std::filesystem::path &arquivo);

// Case-insensitive match of a name with a mask of "*" and "?" (ASCII letters).
bool nomeCombina(std::string_view nome, std::string_view mascara);

std::string minusculas(std::string_view texto);

} // namespace monitor_detail
