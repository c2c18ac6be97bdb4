#include "foundation/checks/validador.h"

#include "foundation/text/text_utils.h"

// Checks of the numbered personal, company and vehicle documents.

namespace {

int valorDigito(char c)
{
    return c - '0';
}

bool todosIguais(std::string_view texto)
{
    return texto.find_first_not_of(texto.front()) == std::string_view::npos;
}

} // namespace

void TQuibValidador::ValidarCPF()
{
    ajustaTamanho(11);
    if (documentoLimpo_.size() != 11 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "CPF deve ter 11 dígitos. (Apenas números)";
        return;
    }
    if (todosIguais(documentoLimpo_)) {
        mensagemErro_ = "CPF inválido !";
        return;
    }
    calcDigito_.MultiplicadorInicial = 2;
    calcDigito_.MultiplicadorFinal = 11;
    calcDigito_.Documento = documentoLimpo_.substr(0, 9);
    calcDigito_.CalculaDigito();
    digitoDaUltimaValidacao_ = std::to_string(calcDigito_.Digito);
    calcDigito_.Documento += digitoDaUltimaValidacao_;
    calcDigito_.CalculaDigito();
    digitoDaUltimaValidacao_ += std::to_string(calcDigito_.Digito);

    if (documentoLimpo_.substr(9, 2) != digitoDaUltimaValidacao_)
        falhaComDigito("CPF inválido.", ".. Dígito calculado: ");
}

std::string TQuibValidador::digitosCNPJ()
{
    calcDigito_.Reinicia();
    calcDigito_.Documento = documentoLimpo_.substr(0, 12);
    calcDigito_.CalculaDigito();
    std::string digitos = std::to_string(calcDigito_.Digito);
    calcDigito_.Documento += digitos;
    calcDigito_.CalculaDigito();
    return digitos + std::to_string(calcDigito_.Digito);
}

void TQuibValidador::ValidarCNPJ()
{
    ajustaTamanho(14);
    if (documentoLimpo_.size() != 14 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "CNPJ deve ter 14 dígitos. (Apenas números)";
        return;
    }
    if (documentoLimpo_ == "00000000000000") {
        mensagemErro_ = "CNPJ inválido.";
        return;
    }
    digitoDaUltimaValidacao_ = digitosCNPJ();
    if (documentoLimpo_.substr(12, 2) != digitoDaUltimaValidacao_)
        falhaComDigito("CNPJ inválido.", ".. Digito calculado: ");
}

void TQuibValidador::ValidarCAEPF()
{
    ajustaTamanho(14);
    if (documentoLimpo_.size() != 14 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "CAEPF deve ter 14 dígitos. (Apenas números)";
        return;
    }
    if (documentoLimpo_ == "00000000000000") {
        mensagemErro_ = "CAEPF inválido.";
        return;
    }
    const std::string pares = digitosCNPJ();
    int valor = valorDigito(pares[0]) * 10 + valorDigito(pares[1]) + 12;
    if (valor > 99)
        valor -= 100;
    digitoDaUltimaValidacao_ = CompletaEsquerda(std::to_string(valor), 2, '0');
    if (documentoLimpo_.substr(12, 2) != digitoDaUltimaValidacao_)
        falhaComDigito("CAEPF inválido.", ".. Digito calculado: ");
}

void TQuibValidador::ValidarPIS()
{
    ajustaTamanho(11);
    if (documentoLimpo_.size() != 11 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "PIS deve ter 11 dígitos. (Apenas números)";
        return;
    }
    calcDigito_.Reinicia();
    calcDigito_.Documento = documentoLimpo_.substr(0, 10);
    calcDigito_.CalculaDigito();
    digitoDaUltimaValidacao_ = std::to_string(calcDigito_.Digito);
    if (documentoLimpo_.substr(10, 1) != digitoDaUltimaValidacao_)
        falhaComDigito("PIS inválido.", ".. Dígito calculado: ");
}

void TQuibValidador::ValidarCheque()
{
    if (!SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "Digite apenas os números do Cheque";
        return;
    }
    calcDigito_.Reinicia();
    calcDigito_.Documento = documentoLimpo_.substr(0, documentoLimpo_.size() - 1);
    calcDigito_.CalculaDigito();
    digitoDaUltimaValidacao_ = std::to_string(calcDigito_.Digito);
    if (documentoLimpo_.substr(documentoLimpo_.size() - 1) != digitoDaUltimaValidacao_)
        falhaComDigito("Número de Cheque inválido.", ".. Dígito correto: ");
}

void TQuibValidador::ValidarSuframa()
{
    if (documentoLimpo_.size() < 9 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "Código SUFRAMA deve ter no mínimo 9 dígitos. (Apenas números)";
        return;
    }
    calcDigito_.Reinicia();
    calcDigito_.Documento = documentoLimpo_.substr(0, 8);
    calcDigito_.CalculaDigito();
    digitoDaUltimaValidacao_ = std::to_string(calcDigito_.Digito);
    if (documentoLimpo_.substr(8, 1) != digitoDaUltimaValidacao_)
        falhaComDigito("Número SUFRAMA inválido.", " Dígito calculado: ");
}

void TQuibValidador::ValidarRenavam()
{
    ajustaTamanho(11);
    if (documentoLimpo_.size() != 11 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "RENAVAM deve ter 11 dígitos. (Apenas números)";
        return;
    }
    constexpr std::string_view pesos = "3298765432";
    int soma = 0;
    for (std::size_t i = 0; i < pesos.size(); ++i)
        soma += valorDigito(documentoLimpo_[i]) * valorDigito(pesos[i]);
    int digito = soma * 10 % 11;
    if (digito == 10)
        digito = 0;
    digitoDaUltimaValidacao_ = std::to_string(digito);
    if (documentoLimpo_.substr(10, 1) != digitoDaUltimaValidacao_)
        falhaComDigito("RENAVAM inválido.", ".. Dígito calculado: ");
}

void TQuibValidador::ValidarCNH()
{
    if (documentoLimpo_.size() != 11 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "C.N.H. deve ter 11 dígitos. (Apenas números)";
        return;
    }
    if (todosIguais(documentoLimpo_)) {
        mensagemErro_ = "C.N.H. não deve conter números repetidos !";
        return;
    }
    int soma1 = 0;
    int soma2 = 0;
    for (int i = 1; i <= 9; ++i) {
        const int digito = valorDigito(documentoLimpo_[i - 1]);
        soma1 += digito * (10 - i);
        soma2 += digito * i;
    }
    const int resto1 = soma1 % 11;
    const int ajuste = resto1 == 10 ? -2 : 0;
    const int digito1 = resto1 > 9 ? 0 : resto1;
    int digito2 = soma2 % 11 + ajuste;
    if (digito2 < 0)
        digito2 += 11;
    if (digito2 > 9)
        digito2 = 0;
    if (documentoLimpo_.substr(9, 2) != std::to_string(digito1) + std::to_string(digito2))
        mensagemErro_ = "C.N.H. Inválida !!";
}

void TQuibValidador::ValidarCNS()
{
    ajustaTamanho(15);
    if (documentoLimpo_.size() != 15) {
        mensagemErro_ = "O número do Cartão Nacional do SUS deve ter 15 dígitos";
        return;
    }
    // A card number is made of digits only: a letter must not pass as a 0.
    bool valido = false;
    switch (SoDigitos(documentoLimpo_) ? documentoLimpo_.front() : 'X') {
    case '1':
    case '2': { // definitive card
        const std::string prefixo = documentoLimpo_.substr(0, 11);
        calcDigito_.MultiplicadorInicial = 5;
        calcDigito_.MultiplicadorFinal = 15;
        calcDigito_.Documento = prefixo;
        calcDigito_.CalculaDigito();
        const std::string esperado = calcDigito_.Resto == 1
                                         ? prefixo + "001" + std::to_string(11 - (calcDigito_.Soma + 2) % 11)
                                         : prefixo + "000" + std::to_string(calcDigito_.Digito);
        valido = documentoLimpo_ == esperado;
        break;
    }
    case '7':
    case '8':
    case '9': // provisional card
        calcDigito_.MultiplicadorInicial = 1;
        calcDigito_.MultiplicadorFinal = 15;
        calcDigito_.Documento = documentoLimpo_;
        calcDigito_.CalculaDigito();
        valido = calcDigito_.Resto == 0;
        break;
    default:
        break;
    }
    if (!valido)
        mensagemErro_ = "O número do Cartão Nacional do SUS informado é inválido!";
}

void TQuibValidador::ValidarCartaoCredito()
{
    if (!SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "Cartão deve ter apenas Números";
        return;
    }
    // Luhn: from the digit left of the check digit, weights 2, 1, 2, ...
    // towards the left, so numbers of any length are weighed alike.
    const std::size_t corpo = documentoLimpo_.size() - 1;
    int soma = 0;
    for (std::size_t i = 0; i < corpo; ++i) {
        const int peso = (corpo - 1 - i) % 2 == 0 ? 2 : 1;
        const int produto = valorDigito(documentoLimpo_[i]) * peso;
        soma += produto / 10 + produto % 10;
    }
    digitoDaUltimaValidacao_ = std::to_string((10 - soma % 10) % 10);
    if (documentoLimpo_.substr(corpo) != digitoDaUltimaValidacao_)
        falhaComDigito("Numero do Cartão Inválido.", ".. Dígito calculado: ");
}

void TQuibValidador::ValidarPlaca()
{
    const bool letrasEDigitos = SoLetrasEDigitos(documentoLimpo_);
    if (documentoLimpo_.size() != 7 || !letrasEDigitos)
        mensagemErro_ = "Placa deve ter 7 dígitos. (Somente letras e números)";
}
