// Building access keys: the random numeric code, the 44 digits and their
// printed form in blocks.

#include <string>

#include "foundation/checks/validador.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/fiscal/random_source.h"
#include "foundation/text/text_utils.h"

int SorteiaCodigoNumerico(int numero, int digitos)
{
    if (digitos != 7 && digitos != 8)
        throw EQuibDFeException(
            "Código numérico deve ter 7 ou 8 dígitos (pedido: " + std::to_string(digitos) + ")");
    const std::int64_t noves = digitos == 7 ? 9'999'999 : 99'999'999;
    for (;;) {
        const std::int64_t codigo = randomBelow(noves);
        if (CodigoNumericoValido(codigo, numero, digitos))
            return static_cast<int>(codigo);
    }
}

std::string MontaChaveAcesso(int cUF, std::string_view cnpjCpf, int serie, TDateTime dataEmissao, int numero,
                             int tipoEmissao, int codigo, int modelo, int digitoAdicional)
{
    if (codigo == -1)
        codigo = 0;
    if (codigo == 0)
        codigo = SorteiaCodigoNumerico(numero, 8);
    else if (codigo < -1)
        codigo = 0;

    const DateTimeParts emissao = decodeDateTime(dataEmissao);
    std::string chave = InteiroComZeros(cUF, 2) + InteiroComZeros(emissao.year % 100, 2) +
                        InteiroComZeros(emissao.month, 2) + TextoComZeros(SomenteDigitos(cnpjCpf), 14) +
                        InteiroComZeros(modelo, 2) + InteiroComZeros(serie, 3) + InteiroComZeros(numero, 9) +
                        InteiroComZeros(tipoEmissao, 1);
    if (digitoAdicional == -1)
        chave += InteiroComZeros(codigo, 8);
    else
        chave += InteiroComZeros(digitoAdicional, 1) + InteiroComZeros(codigo, 7);

    TQuibCalcDigito calculo;
    calculo.Documento = chave;
    calculo.CalculaDigito();
    return chave + std::to_string(calculo.Digito);
}

std::string FormataChaveEmBlocos(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    std::string resultado;
    for (std::size_t i = 0; i < digitos.size(); i += 4) {
        if (i > 0)
            resultado += ' ';
        resultado += digitos.substr(i, 4);
    }
    return resultado;
}
