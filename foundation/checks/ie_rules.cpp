#include "foundation/checks/ie_rules.h"

#include <charconv>
#include <utility>
#include <vector>

#include "foundation/checks/validador.h"
#include "foundation/text/text_utils.h"

namespace {

// Row r, column c: weight of the character at position c from the right.
constexpr int kPesos[14][kPosicoesIE] = {
    {0, 2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5, 6},   // 1
    {0, 0, 2, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5},   // 2
    {2, 0, 3, 4, 5, 6, 7, 8, 9, 2, 3, 4, 5, 6},   // 3
    {0, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0, 0, 0, 0},   // 4
    {0, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0, 0},   // 5
    {0, 2, 3, 4, 5, 6, 7, 0, 0, 8, 9, 0, 0, 0},   // 6
    {0, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 4, 5},   // 7
    {0, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7, 8},   // 8
    {0, 0, 2, 3, 4, 5, 6, 7, 2, 3, 4, 5, 6, 7},   // 9
    {0, 0, 2, 1, 2, 1, 2, 1, 2, 1, 1, 2, 1, 0},   // 10
    {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 2, 3, 0}, // 11
    {0, 0, 0, 0, 10, 8, 7, 6, 5, 4, 3, 1, 0, 0},  // 12
    {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 2, 3, 0, 0},  // 13
    {0, 0, 2, 3, 4, 5, 6, 7, 8, 3, 4, 5, 6, 7},   // 14
};

enum class Quando { sempre, tamanho9, tamanho11, tamanho14, primeiroP };

// One format of a state. The pattern reads from left to right, tokens
// separated by blanks: "d<n>" is n digits, "X" and "Y" the first and second
// check digits, "[..]" a list or range entry, anything else that character.
struct FormatoIE {
    std::string_view uf;
    Quando quando;
    std::string_view padrao;
    TDigitoIE primeiro;
    TDigitoIE segundo;
    int valorPara11 = 0;
};

const FormatoIE kFormatos[] = {
    {"AC", Quando::tamanho9, "0 1 d6 X", {"E", 11, 1}, {}},
    {"AC", Quando::sempre, "0 1 d9 X Y", {"E", 11, 2}, {"E", 11, 1}},
    {"AL", Quando::sempre, "2 4 d6 X", {"BD", 11, 1}, {}},
    {"AP", Quando::sempre, "0 3 d6 X", {"CE", 11, 1}, {}},
    {"AM", Quando::sempre, "d8 X", {"E", 11, 1}, {}},
    {"BA", Quando::sempre, "d7 Y X", {"E", 11, 2}, {"E", 11, 3}},
    {"CE", Quando::sempre, "0 d7 X", {"E", 11, 1}, {}},
    {"DF", Quando::sempre, "0 [7,8] d9 X Y", {"E", 11, 2}, {"E", 11, 1}},
    {"ES", Quando::sempre, "d8 X", {"E", 11, 1}, {}},
    {"GO", Quando::sempre, "[1,2] d7 X", {"E", 11, 1}, {}},
    {"MA", Quando::sempre, "1 2 d6 X", {"E", 11, 1}, {}},
    {"MT", Quando::sempre, "d10 X", {"E", 11, 1}, {}},
    {"MS", Quando::sempre, "2 8 d6 X", {"E", 11, 1}, {}},
    {"MG", Quando::sempre, "d11 X Y", {"AE", 10, 10}, {"E", 11, 11}},
    {"PA", Quando::sempre, "1 5 d6 X", {"E", 11, 1}, {}},
    {"PB", Quando::sempre, "1 6 d6 X", {"E", 11, 1}, {}},
    {"PR", Quando::sempre, "d8 X Y", {"E", 11, 9}, {"E", 11, 8}},
    {"PE", Quando::tamanho14, "1 8 [1-9] d10 X", {"E", 11, 7}, {}, 1},
    {"PE", Quando::sempre, "d7 X Y", {"E", 11, 14}, {"E", 11, 7}},
    {"PI", Quando::sempre, "1 9 d6 X", {"E", 11, 1}, {}},
    {"RJ", Quando::sempre, "[1,7,8,9] d6 X", {"E", 11, 8}, {}},
    {"RN", Quando::tamanho9, "2 0 d6 X", {"BD", 11, 1}, {}},
    {"RN", Quando::sempre, "2 0 d7 X", {"BD", 11, 11}, {}},
    {"RS", Quando::sempre, "d9 X", {"E", 11, 1}, {}},
    {"RO", Quando::tamanho9, "[1-9] d7 X", {"E", 11, 4}, {}, 1},
    {"RO", Quando::sempre, "d13 X", {"E", 11, 1}, {}, 1},
    {"RR", Quando::sempre, "2 4 d6 X", {"D", 9, 5}, {}},
    {"SC", Quando::sempre, "d8 X", {"E", 11, 1}, {}},
    {"SE", Quando::sempre, "d8 X", {"E", 11, 1}, {}},
    {"SP", Quando::primeiroP, "P d8 X d3", {"D", 11, 12}, {}},
    {"SP", Quando::sempre, "d8 X d2 Y", {"D", 11, 12}, {"D", 11, 13}},
    {"TO", Quando::tamanho11, "2 9 [0,9] [1,2,3,9] d6 X", {"E", 11, 6}, {}},
    {"TO", Quando::sempre, "d8 X", {"E", 11, 1}, {}},
};

bool formatoServe(const FormatoIE &formato, std::string_view inscricao)
{
    switch (formato.quando) {
    case Quando::sempre:
        return true;
    case Quando::tamanho9:
        return inscricao.size() == 9;
    case Quando::tamanho11:
        return inscricao.size() == 11;
    case Quando::tamanho14:
        return inscricao.size() == 14;
    case Quando::primeiroP:
        return !inscricao.empty() && inscricao.front() == 'P';
    }
    return false;
}

// The entries of a pattern, from left to right.
std::vector<std::string> entradasDoPadrao(std::string_view padrao)
{
    std::vector<std::string> entradas;
    std::size_t inicio = 0;
    while (inicio < padrao.size()) {
        std::size_t fim = padrao.find(' ', inicio);
        if (fim == std::string_view::npos)
            fim = padrao.size();
        const std::string_view token = padrao.substr(inicio, fim - inicio);
        inicio = fim + 1;
        if (token == "X") {
            entradas.emplace_back("DVX");
        } else if (token == "Y") {
            entradas.emplace_back("DVY");
        } else if (token.front() == '[') {
            entradas.emplace_back(token.substr(1, token.size() - 2));
        } else if (token.front() == 'd') {
            int vezes = 0;
            std::from_chars(token.data() + 1, token.data() + token.size(), vezes);
            entradas.insert(entradas.end(), vezes, "0-9");
        } else {
            entradas.emplace_back(token);
        }
    }
    return entradas;
}

void preencheZeros(std::string &inscricao, std::size_t largura)
{
    inscricao = CompletaEsquerda(inscricao, static_cast<int>(largura), '0');
}

// True when a character satisfies a pattern entry.
bool atendeEntrada(char c, std::string_view entrada)
{
    if (entrada.empty())
        return c == ' ';
    if (entrada == "DVX" || entrada == "DVY")
        return EhDigito(c);
    if (entrada.find(',') != std::string_view::npos)
        return entrada.find(c) != std::string_view::npos;
    if (entrada.find('-') != std::string_view::npos)
        return entrada.size() >= 3 && c >= entrada[0] && c <= entrada[2];
    return entrada.size() == 1 && c == entrada[0];
}

// The two leading characters read as a number; 0 when they are not digits.
int prefixoNumerico(std::string_view inscricao)
{
    int prefixo = 0;
    const std::string_view dois = inscricao.substr(0, 2);
    const auto [fim, erro] = std::from_chars(dois.data(), dois.data() + dois.size(), prefixo);
    return erro == std::errc{} && fim == dois.data() + dois.size() ? prefixo : 0;
}

} // namespace

int PesoIE(int linha, int posicao)
{
    if (linha < 1 || linha > 14 || posicao < 0 || posicao >= kPosicoesIE)
        return 0;
    return kPesos[linha - 1][posicao];
}

TRegraIE RegraIEdaUF(std::string &inscricao, std::string_view uf)
{
    TRegraIE regra;
    if (uf == "BA") {
        if (inscricao.size() < 9)
            preencheZeros(inscricao, 9);
    } else if (uf == "MT") {
        if (inscricao.size() == 9)
            preencheZeros(inscricao, 11);
    }

    const FormatoIE *formato = nullptr;
    for (const FormatoIE &candidato : kFormatos) {
        if (candidato.uf == uf && formatoServe(candidato, inscricao)) {
            formato = &candidato;
            break;
        }
    }
    if (formato == nullptr)
        return regra; // no rule ("EX"): length 0

    const std::vector<std::string> entradas = entradasDoPadrao(formato->padrao);
    regra.Tamanho = static_cast<int>(entradas.size());
    for (std::size_t i = 0; i < entradas.size(); ++i)
        regra.Padrao[entradas.size() - 1 - i] = entradas[i];
    regra.PrimeiroDigito = formato->primeiro;
    regra.SegundoDigito = formato->segundo;
    regra.ValorPara11 = formato->valorPara11;

    if (uf == "BA") {
        // Both digits are modulo 10 when the second character is one of these.
        const int modulo = std::string_view("0123458").find(inscricao[1]) != std::string_view::npos ? 10 : 11;
        regra.PrimeiroDigito.Modulo = modulo;
        regra.SegundoDigito.Modulo = modulo;
    } else if (uf == "AP") {
        if (inscricao >= "030170010" && inscricao <= "030190229")
            regra.ValorPara11 = 1;
        else if (inscricao >= "030190230")
            regra.PrimeiroDigito.Letras = "E";
    } else if (uf == "GO") {
        if (inscricao >= "101031050" && inscricao <= "101199979")
            regra.ValorPara10 = 1;
    }
    return regra;
}

int DigitoVerificadorIE(std::string_view inscricaoPreenchida, const TDigitoIE &digito, const TRegraIE &regra)
{
    const bool a = digito.Letras.find('A') != std::string::npos;
    const bool b = digito.Letras.find('B') != std::string::npos;
    const bool c = digito.Letras.find('C') != std::string::npos;
    const bool e = digito.Letras.find('E') != std::string::npos;

    int soma = 0;
    int somaDezenas = 0;
    const int ultima = static_cast<int>(inscricaoPreenchida.size()) - 1;
    for (int i = 0; i <= ultima; ++i) {
        const char caractere = inscricaoPreenchida[static_cast<std::size_t>(i)];
        if (!EhDigito(caractere))
            continue; // padding blanks and the "P" of the SP producer form
        const int produto = (caractere - '0') * PesoIE(digito.LinhaPesos, ultima - i);
        soma += produto;
        if (a)
            somaDezenas += produto / 10;
    }
    if (a)
        soma += somaDezenas;
    else if (b)
        soma *= 10;
    else if (c)
        soma += 5 + 4 * regra.ValorPara11;

    const int resto = soma % digito.Modulo;
    const int resultado = e ? digito.Modulo - resto : resto;
    if (resultado == 10)
        return regra.ValorPara10;
    if (resultado == 11)
        return regra.ValorPara11;
    return resultado;
}

void TQuibValidador::ValidarIE()
{
    std::string inscricao = documentoLimpo_;
    if (upperAscii(trimText(inscricao)) == "ISENTO")
        return;
    if (Complemento.empty()) {
        mensagemErro_ = "Informe a UF no campo Complemento";
        return;
    }
    ValidarUF(Complemento);
    if (!mensagemErro_.empty())
        return;
    if (inscricao.size() < 2 || !SoDigitos(std::string_view(inscricao).substr(1)) ||
        !(EhDigito(inscricao.front()) || inscricao.front() == 'P')) {
        mensagemErro_ = "Caracteres inválidos na Inscrição Estadual";
        return;
    }

    std::string mensagem;
    const TRegraIE regra = RegraIEdaUF(inscricao, Complemento);
    if (Complemento == "GO") {
        const int prefixo = prefixoNumerico(inscricao);
        if (prefixo != 10 && prefixo != 11 && (prefixo < 20 || prefixo > 29))
            mensagem = TextoNativo("Prefixo IE Inválido 10 ou 11 / 20 a 29");
    }
    // A state without a rule keeps the registration as typed, so the size
    // message reports what was typed.
    if (AjustarTamanho && regra.Tamanho > 0)
        preencheZeros(inscricao, static_cast<std::size_t>(regra.Tamanho));

    const int tamanho = static_cast<int>(inscricao.size());
    if (regra.Tamanho == 0 || tamanho != regra.Tamanho) {
        mensagem = "Tamanho inválido: Esperado " + std::to_string(regra.Tamanho) +
                   " caracteres, mas foram digitados somente " + std::to_string(tamanho) + " caracteres.";
    } else {
        const std::string preenchida = CompletaEsquerda(inscricao, kPosicoesIE, ' ');
        char informadoX = ' ';
        char informadoY = ' ';
        bool posicoesOk = true;
        for (int c = kPosicoesIE - 1; c >= 0; --c) {
            const char caractere = preenchida[static_cast<std::size_t>(kPosicoesIE - 1 - c)];
            const std::string &entrada = regra.Padrao[static_cast<std::size_t>(c)];
            if (!atendeEntrada(caractere, entrada)) {
                mensagem = "Dígito " + std::to_string(regra.Tamanho - c) + " deveria ser " + entrada + " ";
                posicoesOk = false;
                break;
            }
            if (entrada == "DVX")
                informadoX = caractere;
            else if (entrada == "DVY")
                informadoY = caractere;
        }
        if (posicoesOk && regra.PrimeiroDigito.LinhaPesos != 0) {
            const std::pair<const TDigitoIE *, char> digitos[] = {{&regra.PrimeiroDigito, informadoX},
                                                                  {&regra.SegundoDigito, informadoY}};
            for (const auto &[digito, informado] : digitos) {
                if (digito->LinhaPesos == 0)
                    break;
                digitoDaUltimaValidacao_ = std::to_string(DigitoVerificadorIE(preenchida, *digito, regra));
                if (digitoDaUltimaValidacao_.front() != informado) {
                    mensagem = "Dígito verificador inválido.";
                    if (ExibeDigitoCorreto)
                        mensagem += ".. Calculado: " + digitoDaUltimaValidacao_;
                    break;
                }
            }
        }
    }

    documentoLimpo_ = std::string(trimText(inscricao));
    if (!mensagem.empty())
        mensagemErro_ = "Insc.Estadual inválida para " + Complemento + " " + mensagem;
}
