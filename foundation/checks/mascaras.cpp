#include "foundation/checks/mascaras.h"

#include <vector>

#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

struct MascaraIE {
    std::string_view ufs;
    std::string_view mascara;
};

// States whose mask does not depend on the registration's length.
constexpr MascaraIE kMascarasIE[] = {
    {"AC", "**.***.***/***-**"}, {"AL,AP,ES,MA,PI", "*********"}, {"AM,GO,MS,SE", "**.***.***-*"},
    {"BA", "*******-**"},        {"CE,PB,RR", "********-*"},      {"DF", "***********-**"},
    {"MT", "**********-*"},      {"MG", "***.***.***/****"},      {"PA", "**-******-*"},
    {"PR", "***.*****-**"},      {"RJ", "**.***.**-*"},           {"RS", "***/*******"},
    {"SC", "***.***.***"},
};

std::string mascaraTelefonePorTamanho(std::size_t n, bool comecaComZero, std::string_view digitos)
{
    if (n == 9)
        return "*****-****";
    if (n == 10)
        return comecaComZero && digitos.substr(1, 2) == "00" ? "****-***-****" : "(**)****-****";
    if (n == 11)
        return "(**)*****-****";
    if (n == 12)
        return "+**(**)****-****";
    if (n > 12)
        return "+**(**)*****-****";
    return "****-****";
}

} // namespace

std::string AplicaMascaraNumerica(std::string_view valor, std::string_view mascara)
{
    const std::vector<std::string_view> caracteresValor = utf8Chars(trimText(valor));
    const std::vector<std::string_view> caracteresMascara = utf8Chars(mascara);
    std::vector<std::string_view> saida(caracteresMascara.size());
    auto proximo = caracteresValor.rbegin();
    for (std::size_t i = caracteresMascara.size(); i-- > 0;) {
        if (caracteresMascara[i] != "*") {
            saida[i] = caracteresMascara[i];
        } else if (proximo != caracteresValor.rend()) {
            saida[i] = *proximo++;
        } else {
            saida[i] = "0";
        }
    }
    std::string resultado;
    for (const std::string_view caractere : saida)
        resultado += caractere;
    return resultado;
}

std::string MascaraTelefone(std::string_view telefone, std::string_view dddPadrao)
{
    std::string digitos = SomenteDigitos(telefone);
    const bool comecaComZero = !digitos.empty() && digitos.front() == '0';
    digitos = RetiraZerosEsquerda(digitos);
    if (digitos.empty() || digitos == "0")
        return {};
    if (digitos.size() <= 9 && TextoPreenchido(dddPadrao))
        digitos = std::string(dddPadrao.substr(0, 2)) + digitos;
    if (digitos.size() > 12)
        digitos = digitos.substr(0, 2) + RetiraZerosEsquerda(digitos.substr(2));
    return AplicaMascaraNumerica(digitos, mascaraTelefonePorTamanho(digitos.size(), comecaComZero, digitos));
}

std::string MascaraCPF(std::string_view texto)
{
    const std::string d = CompletaEsquerda(SomenteDigitos(texto), 11, '0');
    return d.substr(0, 3) + "." + d.substr(3, 3) + "." + d.substr(6, 3) + "-" + d.substr(9, 2);
}

std::string MascaraCNPJ(std::string_view texto)
{
    const std::string d = CompletaEsquerda(SomenteDigitos(texto), 14, '0');
    return d.substr(0, 2) + "." + d.substr(2, 3) + "." + d.substr(5, 3) + "/" + d.substr(8, 4) + "-" +
           d.substr(12, 2);
}

std::string MascaraCNPJouCPF(std::string_view texto)
{
    const std::string d = SomenteDigitos(texto);
    if (d.empty())
        return {};
    return d.size() == 14 ? MascaraCNPJ(d) : MascaraCPF(d);
}

std::string PadraoIEdaUF(std::string_view inscricao, std::string_view uf)
{
    const std::string sigla = upperAscii(uf);
    const std::size_t tamanho = utf8Length(inscricao);
    for (const MascaraIE &linha : kMascarasIE) {
        for (std::size_t i = 0; i + 2 <= linha.ufs.size(); i += 3) {
            if (linha.ufs.substr(i, 2) == sigla)
                return std::string(linha.mascara);
        }
    }
    if (sigla == "PE")
        return tamanho > 9 ? "**.*.***.*******-*" : "*******-**";
    if (sigla == "RN")
        return tamanho > 9 ? "**.*.***.***-*" : "**.***.***-*";
    if (sigla == "RO")
        return tamanho > 13 ? "*************-*" : "***.*****-*";
    if (sigla == "SP")
        return tamanho >= 2 && inscricao.front() == 'P' ? "*-********.*/***" : "***.***.***.***";
    if (sigla == "TO")
        return tamanho == 11 ? "**.**.******-*" : "**.***.***-*";
    return std::string(tamanho, '*');
}

std::string MascaraInscricaoEstadual(std::string_view inscricao, std::string_view uf)
{
    if (upperAscii(trimText(inscricao)) == "ISENTO")
        return std::string(inscricao);
    return AplicaMascaraNumerica(SomenteLetrasEDigitos(inscricao), PadraoIEdaUF(inscricao, uf));
}

std::string MascaraCEP(std::string_view texto)
{
    std::string d = SomenteDigitos(texto);
    if (d.size() < 5)
        d = CompletaEsquerda(d, 5, '0');
    d = d.size() == 5 ? CompletaDireita(d, 8, '0') : CompletaEsquerda(d, 8, '0');
    return d.substr(0, 5) + "-" + d.substr(5, 3);
}

std::string MascaraCEPNumerico(std::int64_t cep)
{
    return MascaraCEP(std::to_string(cep));
}
