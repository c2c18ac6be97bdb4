#include "printing/danfe/detail/texto_cupom.h"

#include <algorithm>

#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace danfe_texto {

std::string Quebrar(std::string_view texto, int largura)
{
    return QuebraPorPalavras(texto, std::max(largura, 1), ' ');
}

std::string Justificar(std::string_view texto, int largura)
{
    return JustificaTexto(texto, std::max(largura, 1), "|", " ", true);
}

std::string Dinheiro(Decimal valor, std::string_view mascara)
{
    return FormataNumeroBrasil(valor, mascara);
}

std::string Digitos(std::int64_t numero, int casas)
{
    return InteiroComZeros(numero, casas);
}

std::string DataHora(TDateTime valor)
{
    return valor == kDataNaoInformada ? std::string() : DataHoraFormatoBR(valor);
}

std::string PontoEVirgulaEmQuebra(std::string_view texto)
{
    return replaceAll(texto, ";", "\r\n");
}

std::string Juntar(const std::vector<std::string> &entradas)
{
    std::string result;
    for (std::size_t i = 0; i < entradas.size(); ++i) {
        if (i > 0)
            result += '\n';
        result += entradas[i];
    }
    return result;
}

std::vector<std::string> Linhas(const std::vector<std::string> &entradas)
{
    std::vector<std::string> result;
    for (const std::string &entrada : entradas) {
        std::vector<std::string> partes = splitLines(entrada);
        if (partes.empty())
            partes.emplace_back();
        result.insert(result.end(), partes.begin(), partes.end());
    }
    return result;
}

bool EmBranco(std::string_view texto)
{
    return trimText(texto).empty();
}

} // namespace danfe_texto
