#include "app/funcoes/ufuncoes.h"

#include <vector>

#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

int checkDigit(std::string_view digits, const std::vector<int> &weights)
{
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += (digits[i] - '0') * weights[i];
    const int rest = sum % 11;
    return rest < 2 ? 0 : 11 - rest;
}

bool validDigits(std::string_view digits, const std::vector<int> &first, const std::vector<int> &second)
{
    const std::size_t n = second.size();
    if (digits.size() < n + 1)
        return false;
    return checkDigit(digits, first) == digits[n - 1] - '0' && checkDigit(digits, second) == digits[n] - '0';
}

} // namespace

bool MsgAtencao(std::string_view texto)
{
    return dialogos().atencao("ATENÇÃO ! ...  \r\n" + std::string(texto));
}

bool MsgConfirmacao(std::string_view texto)
{
    return dialogos().confirmacao(texto);
}

bool ValidaCnpjCpf(std::string_view numero, std::string_view tipo, bool mostraMensagem)
{
    const std::string digits = SomenteNumeros(numero);
    if (digits.empty())
        return true;
    const bool cpf = tipo == "F";
    const bool valid =
        cpf ? validDigits(digits, {10, 9, 8, 7, 6, 5, 4, 3, 2}, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2})
            : validDigits(digits, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2},
                          {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    if (!valid && mostraMensagem)
        MsgAtencao(cpf ? "CPF Inválido" : "CNPJ Inválido");
    return valid;
}

std::string ApenasNumeros(std::string_view texto)
{
    return SomenteNumeros(texto);
}

std::string ExtensaoArquivo(std::string_view arquivo)
{
    const std::size_t length = utf8Length(arquivo);
    const std::size_t from = length > 4 ? utf8Offset(arquivo, length - 4) : 0;
    return upperAscii(arquivo.substr(from));
}
