#pragma once

#include <string>

// Reads a file given on the command line as UTF-8 text: a UTF-8 BOM is
// dropped, text that is not UTF-8 is taken as Windows-1252. False when the
// file cannot be read. Implemented in input_file.cpp.
bool lerArquivo(const std::string &caminho, std::string &texto);
