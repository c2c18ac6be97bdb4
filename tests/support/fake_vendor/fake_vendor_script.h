#pragma once

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>

// Shared by the stand-in vendor libraries of the USB printer hooks (built as
// shared libraries, never installed). A test scripts their results in the
// file named by NFE_FAKE_VENDOR_SCRIPT, one "key=value" line each, and reads
// every call they received, one line each, from the file named by
// NFE_FAKE_VENDOR_LOG. Both are read or written at each call, so a test can
// change the script between calls. Header only.

namespace fake_vendor {

inline std::string valor(std::string_view chave, const std::string &padrao)
{
    const char *arquivo = std::getenv("NFE_FAKE_VENDOR_SCRIPT");
    if (arquivo == nullptr)
        return padrao;
    std::ifstream entrada(arquivo);
    std::string linha;
    while (std::getline(entrada, linha)) {
        if (linha.size() > chave.size() && linha.compare(0, chave.size(), chave) == 0 &&
            linha[chave.size()] == '=')
            return linha.substr(chave.size() + 1);
    }
    return padrao;
}

inline int resultado(std::string_view funcao, int padrao)
{
    const std::string texto = valor(funcao, {});
    return texto.empty() ? padrao : std::atoi(texto.c_str());
}

inline void registra(const std::string &linha)
{
    const char *arquivo = std::getenv("NFE_FAKE_VENDOR_LOG");
    if (arquivo == nullptr)
        return;
    if (std::FILE *saida = std::fopen(arquivo, "a")) {
        std::fprintf(saida, "%s\n", linha.c_str());
        std::fclose(saida);
    }
}

inline std::string hex(const unsigned char *bytes, std::size_t tamanho)
{
    // Not a static local: that would pin the library in memory (unique symbol).
    const char *digitos = "0123456789ABCDEF";
    std::string texto;
    for (std::size_t i = 0; i < tamanho; ++i) {
        texto += digitos[bytes[i] >> 4];
        texto += digitos[bytes[i] & 0x0F];
    }
    return texto;
}

inline std::string deHex(std::string_view texto)
{
    std::string bytes;
    for (std::size_t i = 0; i + 1 < texto.size(); i += 2)
        bytes += static_cast<char>(std::stoi(std::string(texto.substr(i, 2)), nullptr, 16));
    return bytes;
}

// Writes the scripted text over a buffer of blanks, never past its blanks.
inline void preencheBuffer(char *buffer, const std::string &texto)
{
    const std::size_t capacidade = std::strlen(buffer);
    std::memcpy(buffer, texto.data(), texto.size() < capacidade ? texto.size() : capacidade);
}

} // namespace fake_vendor
