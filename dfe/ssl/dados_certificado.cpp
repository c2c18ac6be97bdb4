#include "dfe/ssl/dados_certificado.h"

#include <stdexcept>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

// The text from `inicio` up to the first of the markers found from there
// (tried in order), or to the end.
std::string_view ateMarcador(std::string_view texto, std::size_t inicio,
                             std::initializer_list<std::string_view> marcadores, std::size_t busca)
{
    for (const auto marcador : marcadores) {
        const auto fim = texto.find(marcador, busca);
        if (fim != std::string_view::npos)
            return texto.substr(inicio, fim >= inicio ? fim - inicio : 0);
    }
    return texto.substr(inicio);
}

} // namespace

std::string RazaoSocialDoSubject(std::string_view subjectName)
{
    const auto cn = subjectName.find("CN=");
    if (cn == std::string_view::npos)
        return {};
    return std::string(ateMarcador(subjectName, cn + 3, {":", ","}, cn));
}

std::string CNPJDoSubject(std::string_view subjectName)
{
    const auto cn = subjectName.find("CN=");
    if (cn == std::string_view::npos)
        return {};
    const auto doisPontos = subjectName.find(':', cn);
    if (doisPontos == std::string_view::npos)
        return {};
    const auto digitos = SomenteDigitos(subjectName.substr(doisPontos + 1, 14));
    return CNPJouCPFValido(digitos) ? digitos : std::string();
}

std::string AutoridadeDoIssuer(std::string_view issuerName)
{
    const auto cn = issuerName.find("CN=");
    if (cn == std::string_view::npos)
        return {};
    return std::string(trimText(ateMarcador(issuerName, cn + 3, {"RFB", ","}, cn)));
}

void TDadosCertificado::SetSubjectName(std::string_view value)
{
    if (value == subjectName_)
        return;
    subjectName_ = value;
    RazaoSocial = RazaoSocialDoSubject(subjectName_);
    CNPJ = CNPJDoSubject(subjectName_);
}

void TDadosCertificado::SetIssuerName(std::string_view value)
{
    if (value == issuerName_)
        return;
    issuerName_ = value;
    AutoridadeCertificadora = AutoridadeDoIssuer(issuerName_);
}

void TDadosCertificado::Limpar()
{
    const std::string hash = std::move(HashSHA1);
    *this = TDadosCertificado{};
    HashSHA1 = hash;
}

TDadosCertificado &TListaCertificados::Novo()
{
    items_.push_back(std::make_unique<TDadosCertificado>());
    return *items_.back();
}

TDadosCertificado &TListaCertificados::ObterItem(int index)
{
    if (index < 0 || index >= Count())
        throw std::out_of_range("Índice da lista de certificados fora dos limites");
    return *items_[static_cast<std::size_t>(index)];
}

const TDadosCertificado &TListaCertificados::ObterItem(int index) const
{
    return const_cast<TListaCertificados *>(this)->ObterItem(index);
}

int TListaCertificados::AdicionarItem(std::unique_ptr<TDadosCertificado> item)
{
    items_.push_back(std::move(item));
    return Count() - 1;
}
