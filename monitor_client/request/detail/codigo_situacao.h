#pragma once

// The origin and the tax situation code of an item's `st_pro`, as the ICMS
// writers split it. Header only.

#include "app/funcoes/funcoes_kvl.h"

#include <algorithm>
#include <string>
#include <string_view>

struct CodigoSituacao {
    std::string origem; // one digit
    int codigo = 0;     // CST (two digits) or CSOSN (three)
};

// The digits of `st_pro` as a number written with `largura` digits (3 under
// the normal regime, 4 under Simples; a longer number keeps its rightmost
// ones): the first is the origin, the rest the code.
inline CodigoSituacao codigoSituacao(std::string_view stPro, int largura)
{
    std::string digitos = SomenteNumeros(stPro);
    digitos.erase(0, std::min(digitos.find_first_not_of('0'), digitos.size()));
    if (digitos.size() < static_cast<std::size_t>(largura))
        digitos.insert(0, largura - digitos.size(), '0');
    digitos = digitos.substr(digitos.size() - largura);
    int codigo = 0;
    for (const char digito : digitos.substr(1))
        codigo = codigo * 10 + (digito - '0');
    return {digitos.substr(0, 1), codigo};
}
