#pragma once

#include <cstddef>
#include <string_view>

// Substring searches for the XML reader, which looks for the same few tags
// over and over in long texts.

// Position of the first occurrence of `agulha` in `texto` at or after
// `inicio`; npos when absent.
std::size_t buscaExata(std::string_view texto, std::string_view agulha, std::size_t inicio = 0);

// The same, comparing ASCII letters without regard to case; `agulha` must
// already be upper-cased.
std::size_t buscaSemCaixa(std::string_view texto, std::string_view agulha, std::size_t inicio = 0);
