// State codes and the parts, check digit and validation of the access key.

#include <algorithm>
#include <array>
#include <charconv>

#include "foundation/checks/validador.h"
#include "foundation/codes/conversao.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

constexpr std::size_t kDigitosChave = 44;

// The digits from the 1-based position `inicio`, at most `quantidade` of
// them, as a number; 0 when there are none there.
int numeroEm(std::string_view digitos, std::size_t inicio, std::size_t quantidade)
{
    if (inicio < 1 || inicio > digitos.size())
        return 0;
    const std::string_view parte = digitos.substr(inicio - 1, quantidade);
    int valor = 0;
    std::from_chars(parte.data(), parte.data() + parte.size(), valor);
    return valor;
}

std::string textoEm(std::string_view digitos, std::size_t inicio, std::size_t quantidade)
{
    if (inicio < 1 || inicio > digitos.size())
        return {};
    return std::string(digitos.substr(inicio - 1, quantidade));
}

int modeloDosDigitos(std::string_view digitos)
{
    return numeroEm(digitos, 21, 2);
}

// The forbidden numeric codes of 7 and of 8 digits.
constexpr std::array<std::int64_t, 20> kCodigosProibidos7 = {
    0,       1111111, 2222222, 3333333, 4444444, 5555555, 6666666, 7777777, 8888888, 9999999,
    1234567, 2345678, 3456789, 4567890, 5678901, 6789012, 7890123, 8901234, 9012345, 123456};
constexpr std::array<std::int64_t, 20> kCodigosProibidos8 = {
    0,        11111111, 22222222, 33333333, 44444444, 55555555, 66666666, 77777777, 88888888, 99999999,
    12345678, 23456789, 34567890, 45678901, 56789012, 67890123, 78901234, 89012345, 90123456, 1234567};

} // namespace

// ---- State codes ---------------------------------------------------------------

std::string SiglaUFDoCodigo(int codigo)
{
    if (codigo == 90 || codigo == 91)
        return "DF";
    return CUFParaSiglaUF(codigo);
}

int CodigoDaSiglaUF(std::string_view sigla)
{
    return std::max(SiglaUFParaCUF(sigla), 0);
}

bool CodigoUFValido(int codigo)
{
    return !SiglaUFDoCodigo(codigo).empty();
}

bool SiglaUFValida(std::string_view sigla)
{
    return sigla == "EX" || SiglaUFParaCUF(sigla) > 0;
}

// ---- Access key --------------------------------------------------------------------

bool DigitoChaveAcesso(int &digito, std::string_view texto)
{
    const std::string digitos = SomenteDigitos(texto);
    if (digitos.size() != kDigitosChave - 1)
        return false;
    TQuibCalcDigito calculo;
    calculo.Documento = digitos;
    calculo.CalculaDigito();
    digito = calculo.Digito;
    return true;
}

std::string accessKeyProblem(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    if (digitos.size() != kDigitosChave)
        return "Chave de acesso deve ter 44 dígitos (tem " + std::to_string(digitos.size()) + ")";

    int digito = -1;
    DigitoChaveAcesso(digito, std::string_view(digitos).substr(0, kDigitosChave - 1));
    if (digito != DigitoDaChave(digitos))
        return "Dígito verificador inválido: calculado " + std::to_string(digito) + ", informado " +
               digitos.substr(kDigitosChave - 1);

    if (!CodigoUFValido(UFDaChave(digitos)))
        return "Código da UF inválido: " + digitos.substr(0, 2);

    if (!AnoMesValido(digitos.substr(2, 4)))
        return "Ano e mês de emissão inválidos: " + digitos.substr(2, 4);

    const std::string emitente = CNPJouCPFDaChave(digitos);
    if (emitente.size() == 11) {
        if (!CPFValido(emitente))
            return "CPF do emitente inválido: " + emitente;
    } else if (!CNPJValido(emitente)) {
        return "CNPJ do emitente inválido: " + emitente;
    }
    return {};
}

bool ChaveAcessoValida(std::string_view chave)
{
    return accessKeyProblem(chave).empty();
}

bool AnoMesValido(std::string_view texto)
{
    if (texto.size() != 4 || !SoDigitos(texto))
        return false;
    const int mes = (texto[2] - '0') * 10 + (texto[3] - '0');
    return mes >= 1 && mes <= 12;
}

std::string ModeloDaChave(std::string_view chave)
{
    const std::string_view resto = chave.substr(utf8Offset(chave, 20));
    return std::string(utf8Prefix(resto, 2));
}

int UFDaChave(std::string_view chave)
{
    return numeroEm(SomenteDigitos(chave), 1, 2);
}

std::string CNPJouCPFDaChave(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    const std::string cpf = textoEm(digitos, 10, 11);
    const std::string cnpj = textoEm(digitos, 7, 14);
    const int serie = SerieDaChave(digitos);
    const int tipoEmissao = TipoEmissaoDaChave(digitos);

    switch (modeloDosDigitos(digitos)) {
    case 55:
    case 65:
        if (tipoEmissao == 3)
            return textoEm(digitos, 30, 1) == "2" ? cpf : cnpj;
        return serie >= 910 && serie <= 969 ? cpf : cnpj;
    case 57:
        return tipoEmissao == 3 ? cpf : cnpj;
    case 58:
        return serie >= 920 && serie <= 969 ? cpf : cnpj;
    default:
        return cnpj;
    }
}

int SerieDaChave(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    return numeroEm(digitos, 23, modeloDosDigitos(digitos) == 59 ? 9 : 3);
}

int CodigoNumericoDaChave(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    switch (modeloDosDigitos(digitos)) {
    case 59:
        return numeroEm(digitos, 38, 6);
    case 66:
        return numeroEm(digitos, 37, 7);
    default:
        return numeroEm(digitos, 36, 8);
    }
}

int TipoEmissaoDaChave(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    if (modeloDosDigitos(digitos) == 59)
        return 0;
    return numeroEm(digitos, 35, 1);
}

int DigitoDaChave(std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    return digitos.empty() ? 0 : digitos.back() - '0';
}

bool CodigoNumericoValido(std::int64_t codigo, std::int64_t numero, int digitos)
{
    if (codigo == numero)
        return false;
    const std::array<std::int64_t, 20> *proibidos = nullptr;
    if (digitos == 7)
        proibidos = &kCodigosProibidos7;
    else if (digitos == 8)
        proibidos = &kCodigosProibidos8;
    else
        return false;
    return std::find(proibidos->begin(), proibidos->end(), codigo) == proibidos->end();
}
