// Checks of foreign-trade and product numbers: export registration,
// drawback act, RECOPI number and NVE code.

#include "foundation/checks/validador.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/text_utils.h"

namespace {

// The last two digits of the current year (from the injectable clock).
int anoCorrenteDoisDigitos()
{
    return decodeDateTime(nowLocal()).year % 100;
}

int doisPrimeiros(std::string_view digitos)
{
    return (digitos[0] - '0') * 10 + (digitos[1] - '0');
}

bool anoPerto(std::string_view digitos, int margem)
{
    const int yy = anoCorrenteDoisDigitos();
    const int ano = doisPrimeiros(digitos);
    return ano >= yy - margem && ano <= yy + margem;
}

} // namespace

bool RegistroExportacaoValido(std::string_view numero)
{
    if (numero.empty() || numero == "000000000000")
        return true;
    if (numero.size() != 12 || !SoDigitos(numero) || !anoPerto(numero, 1))
        return false;
    return numero.substr(9) != "000";
}

bool AtoDrawbackValido(std::string_view numero)
{
    std::string digitos = SomenteDigitos(numero);
    if (digitos.size() == 11)
        digitos.erase(0, 2);
    if (digitos.size() != 9 || !anoPerto(digitos, 2))
        return false;
    return DigitoMod11ComPesos(digitos.substr(0, 8), 2, 9) == digitos.substr(8, 1);
}

bool NumeroRECOPIValido(std::string_view numero)
{
    const std::string digitos = SomenteDigitos(numero);
    if (digitos.size() != 20)
        return false;
    return DigitoMod11ComPesos(digitos.substr(0, 18), 1, 18) == digitos.substr(18, 1) &&
           DigitoMod11ComPesos(digitos.substr(0, 19), 1, 19) == digitos.substr(19, 1);
}

bool CodigoNVEValido(std::string_view codigo)
{
    if (codigo.size() != 6)
        return false;
    const auto letra = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    const auto digito = [](char c) { return c >= '0' && c <= '9'; };
    return letra(codigo[0]) && letra(codigo[1]) && digito(codigo[2]) && digito(codigo[3]) &&
           digito(codigo[4]) && digito(codigo[5]);
}
