#include "foundation/checks/validador.h"

#include "foundation/text/text_utils.h"

// GTIN barcodes (GTIN-8, 12, 13 and 14) and their GS1 prefix.

namespace {

struct FaixaPrefixo {
    int de;
    int ate;
};

// Prefixes the GS1 allocations accept, restricted-circulation, coupon, ISSN and
// ISBN ranges included.
constexpr FaixaPrefixo kPrefixosAceitos[] = {
    {0, 139},   {200, 380}, {383, 383}, {385, 385}, {387, 387}, {389, 389}, {400, 440}, {450, 471},
    {474, 509}, {520, 521}, {528, 531}, {535, 535}, {539, 549}, {560, 560}, {569, 579}, {590, 590},
    {594, 594}, {599, 601}, {603, 604}, {608, 609}, {611, 611}, {613, 613}, {615, 616}, {618, 629},
    {640, 649}, {690, 709}, {729, 746}, {750, 750}, {754, 755}, {759, 771}, {773, 773}, {775, 775},
    {777, 780}, {784, 784}, {786, 786}, {789, 790}, {800, 850}, {858, 860}, {865, 865}, {867, 880},
    {884, 885}, {888, 888}, {890, 890}, {893, 893}, {896, 896}, {899, 919}, {930, 951}, {955, 955},
    {958, 958}, {960, 969}, {977, 984}, {990, 999},
};

bool prefixoAceito(int prefixo)
{
    for (const FaixaPrefixo &faixa : kPrefixosAceitos) {
        if (prefixo >= faixa.de && prefixo <= faixa.ate)
            return true;
    }
    return false;
}

int numeroDosDigitos(std::string_view digitos)
{
    int numero = 0;
    for (char c : digitos)
        numero = numero * 10 + (c - '0');
    return numero;
}

} // namespace

std::string CalculaDigitoGTIN(std::string_view digitos)
{
    const std::string codigo = CompletaEsquerda(digitos, 13, '0');
    int soma = 0;
    for (std::size_t i = 0; i < codigo.size(); ++i) {
        const int digito = EhDigito(codigo[i]) ? codigo[i] - '0' : 0;
        soma += i % 2 == 0 ? digito * 3 : digito; // positions 1, 3, ... 13 weigh 3
    }
    return std::to_string((10 - soma % 10) % 10);
}

void TQuibValidador::ValidarGTIN()
{
    if (!SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "Código GTIN inválido, o código GTIN deve conter somente números.";
        return;
    }
    const std::size_t tamanho = documentoLimpo_.size();
    if (tamanho != 8 && tamanho != 12 && tamanho != 13 && tamanho != 14) {
        mensagemErro_ = "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres.";
        return;
    }
    digitoDaUltimaValidacao_ = CalculaDigitoGTIN(std::string_view(documentoLimpo_).substr(0, tamanho - 1));
    if (documentoLimpo_.substr(tamanho - 1) != digitoDaUltimaValidacao_)
        falhaComDigito("Código GTIN inválido.", " Dígito calculado: ");
}

void TQuibValidador::ValidarPrefixoGTIN()
{
    ValidarGTIN();
    if (!mensagemErro_.empty())
        return;
    const std::string gtin = CompletaEsquerda(trimText(documentoLimpo_), 14, '0');
    const std::string_view g = gtin;
    // A GTIN-8 (six leading zeros once padded) is judged by its own first digits.
    const int prefixo =
        numeroDosDigitos(numeroDosDigitos(g.substr(0, 6)) != 0 ? g.substr(1, 3) : g.substr(6, 3));
    if (prefixoAceito(prefixo))
        return;
    mensagemErro_ =
        "Prefixo \"" + std::to_string(prefixo) + "\" do GTIN \"" + documento_ + "\" informado inválido";
}
