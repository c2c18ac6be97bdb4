#include "foundation/checks/validador.h"

#include <algorithm>

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

// The validator component: normalisation, dispatch by kind, the message and
// exception rules, and the free functions that run one check. The checks
// themselves live in validador_*.cpp and ie_rules.cpp.

namespace {

constexpr std::array<std::string_view, 17> kNomesTipoDocto = {
    "CPF",
    "CNPJ",
    "UF",
    "Inscrição Estadual",
    "Número de Cheque",
    "PIS",
    "CEP",
    "Número de Cartão",
    "SUFRAMA",
    "GTIN",
    "Renavam",
    "E-Mail",
    "Carteira Nacional de Habilitação",
    "Prefixo do Código GTIN",
    "CAEPF",
    "Placa",
    "Número Cartão Nacional do SUS",
};
static_assert(kNomesTipoDocto.size() == EnumCount<TQuibValTipoDocto>());

constexpr std::string_view kValidarNaoChamada = "Função Validar não foi chamada";

} // namespace

void TQuibCalcDigito::Reinicia()
{
    MultiplicadorInicial = 2;
    MultiplicadorFinal = 9;
}

void TQuibCalcDigito::CalculaDigito()
{
    Soma = 0;
    Resto = 0;
    Digito = 0;
    const bool crescente = MultiplicadorFinal >= MultiplicadorInicial;
    int multiplicador = MultiplicadorInicial;
    for (auto it = Documento.rbegin(); it != Documento.rend(); ++it) {
        const int valor = EhDigito(*it) ? *it - '0' : 0;
        Soma += valor * multiplicador;
        if (crescente) {
            if (++multiplicador > MultiplicadorFinal)
                multiplicador = MultiplicadorInicial;
        } else {
            if (--multiplicador < MultiplicadorFinal)
                multiplicador = MultiplicadorInicial;
        }
    }
    Resto = Soma % 11;
    Digito = Resto <= 1 ? 0 : 11 - Resto;
}

std::string_view NomeTipoDocto(TQuibValTipoDocto tipo)
{
    const auto ordinal = static_cast<std::size_t>(tipo);
    return ordinal < kNomesTipoDocto.size() ? kNomesTipoDocto[ordinal] : std::string_view{};
}

void TQuibValidador::SetDocumento(std::string_view documento)
{
    if (documento == documento_)
        return;
    documento_ = documento;
    mensagemErro_ = kValidarNaoChamada;
    digitoDaUltimaValidacao_.clear();
    documentoLimpo_ = LimpaDocumento(documento_);
}

std::string TQuibValidador::LimpaDocumento(std::string_view documento) const
{
    if (TipoDocto == docEmail)
        return std::string(trimText(documento));
    std::string limpo;
    limpo.reserve(documento.size());
    // Codes are ASCII as a rule (the writers check one per item): byte by
    // byte then, without splitting the text into characters.
    if (std::all_of(documento.begin(), documento.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (const char c : documento) {
            if (IgnorarChar.find(c) == std::string::npos)
                limpo += c;
        }
    } else {
        for (const std::string_view caractere : utf8Chars(documento)) {
            if (IgnorarChar.find(caractere) == std::string::npos)
                limpo += caractere;
        }
    }
    return std::string(trimText(upperAscii(limpo)));
}

bool TQuibValidador::Validar()
{
    mensagemErro_.clear();
    documentoLimpo_ = LimpaDocumento(documento_);
    digitoDaUltimaValidacao_.clear();

    if (documentoLimpo_.empty()) {
        if (PermiteVazio)
            return true;
        mensagemErro_ = std::string(NomeTipoDocto(TipoDocto)) + " não pode ser vazio.";
    } else {
        despacha();
    }

    if (mensagemErro_.empty())
        return true;
    if (OnMsgErro)
        OnMsgErro(mensagemErro_);
    if (RaiseExcept)
        throw EQuibException(TextoNativo(mensagemErro_));
    return false;
}

std::string TQuibValidador::MensagemDeErro() const
{
    return TextoNativo(mensagemErro_);
}

void TQuibValidador::despacha()
{
    switch (TipoDocto) {
    case docCPF:
        ValidarCPF();
        break;
    case docCNPJ:
        ValidarCNPJ();
        break;
    case docUF:
        ValidarUF(documentoLimpo_);
        break;
    case docInscEst:
        ValidarIE();
        break;
    case docNumCheque:
        ValidarCheque();
        break;
    case docPIS:
        ValidarPIS();
        break;
    case docCEP:
        ValidarCEP();
        break;
    case docCartaoCredito:
        ValidarCartaoCredito();
        break;
    case docSuframa:
        ValidarSuframa();
        break;
    case docGTIN:
        ValidarGTIN();
        break;
    case docRenavam:
        ValidarRenavam();
        break;
    case docEmail:
        ValidarEmail();
        break;
    case docCNH:
        ValidarCNH();
        break;
    case docPrefixoGTIN:
        ValidarPrefixoGTIN();
        break;
    case docCAEPF:
        ValidarCAEPF();
        break;
    case docPlacaMercosul:
        ValidarPlaca();
        break;
    case docCNS:
        ValidarCNS();
        break;
    }
}

void TQuibValidador::ajustaTamanho(int largura)
{
    if (AjustarTamanho)
        documentoLimpo_ = CompletaEsquerda(documentoLimpo_, largura, '0');
}

void TQuibValidador::falhaComDigito(std::string_view mensagem, std::string_view rotulo)
{
    mensagemErro_ = mensagem;
    if (ExibeDigitoCorreto) {
        mensagemErro_ += rotulo;
        mensagemErro_ += digitoDaUltimaValidacao_;
    }
}

std::string VerificaDocumento(TQuibValTipoDocto tipo, std::string_view documento,
                              std::string_view complemento)
{
    TQuibValidador validador;
    validador.RaiseExcept = false;
    validador.PermiteVazio = false;
    validador.TipoDocto = tipo;
    validador.SetDocumento(documento);
    validador.Complemento = complemento;
    if (validador.Validar())
        return {};
    return validador.MensagemDeErro();
}

std::string VerificaCPF(std::string_view documento)
{
    return VerificaDocumento(docCPF, documento);
}

std::string VerificaCNPJ(std::string_view documento)
{
    return VerificaDocumento(docCNPJ, documento);
}

std::string VerificaIE(std::string_view inscricao, std::string_view uf)
{
    return VerificaDocumento(docInscEst, inscricao, uf);
}

std::string VerificaGTIN(std::string_view codigo)
{
    return VerificaDocumento(docGTIN, codigo);
}

std::string VerificaPrefixoGTIN(std::string_view codigo)
{
    return VerificaDocumento(docPrefixoGTIN, codigo);
}

std::string VerificaCNPJouCPF(std::string_view documento)
{
    if (SomenteDigitos(documento).size() >= 12)
        return VerificaCNPJ(documento);
    return VerificaCPF(documento);
}

std::string DigitoMod11ComPesos(std::string_view digitos, int multiplicadorInicial, int multiplicadorFinal)
{
    TQuibCalcDigito calculo;
    calculo.Documento = digitos;
    calculo.MultiplicadorInicial = multiplicadorInicial;
    calculo.MultiplicadorFinal = multiplicadorFinal;
    calculo.CalculaDigito();
    return std::to_string(calculo.Digito);
}
