#include "dfe/component/quib_dfe.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

std::string TQuibDFe::NomeSchemaDoServico(std::string_view) const
{
    return {};
}

std::string TQuibDFe::VersaoDoNomeArquivoSchema(std::string_view NomeArquivo) const
{
    const std::size_t inicio = NomeArquivo.find(prefixoVersaoSchema_);
    if (inicio == std::string_view::npos)
        return {};
    const std::size_t primeiro = inicio + prefixoVersaoSchema_.size();
    std::size_t fim = NomeArquivo.find(".xsd", primeiro);
    if (fim == std::string_view::npos)
        fim = NomeArquivo.empty() ? primeiro : std::max(primeiro, NomeArquivo.size() - 1);
    return std::string(NomeArquivo.substr(primeiro, fim - primeiro));
}

std::string TQuibDFe::VersaoParaTexto(double Versao) const
{
    if (!(Versao > 0) || !std::isfinite(Versao))
        return {};
    char texto[400];
    const auto [fim, erro] = std::to_chars(texto, texto + sizeof texto, Versao, std::chars_format::fixed, 2);
    return erro == std::errc() ? std::string(texto, fim) : std::string();
}

double TQuibDFe::TextoParaVersao(std::string_view Texto) const
{
    Texto = trimText(Texto);
    double valor = 0;
    const auto [fim, erro] = std::from_chars(Texto.data(), Texto.data() + Texto.size(), valor);
    // "inf" and "nan" parse but are no version.
    const bool numero = erro == std::errc() && fim == Texto.data() + Texto.size() && !Texto.empty();
    return numero && std::isfinite(valor) ? valor : 0;
}

namespace {

bool igualSemCaixa(std::string_view a, std::string_view b)
{
    return upperWithAccents(a) == upperWithAccents(b);
}

} // namespace

std::string TQuibDFe::BuscarArquivoSchema(std::string_view NomeSchema, double &Versao)
{
    if (NomeSchema.empty())
        return {};
    const std::string pasta = Configuracoes().Arquivos().PathSchemas();
    if (pasta != pastaDosSchemas_) {
        listaDeSchemas_.clear();
        pastaDosSchemas_ = pasta;
    }
    if (listaDeSchemas_.empty()) {
        ListaArquivos(pasta + "*.xsd", listaDeSchemas_, false, 2, 1);
        if (listaDeSchemas_.empty())
            throw EQuibDFeException("Nenhum arquivo de Schema encontrado na pasta: \r\n" + pasta);
    }

    const std::string nome(NomeSchema);
    const std::string exato =
        nome + (Versao != 0 ? prefixoVersaoSchema_ + VersaoParaTexto(Versao) : std::string()) + ".xsd";
    std::string achado;
    for (const std::string &arquivo : listaDeSchemas_)
        if (igualSemCaixa(arquivo, exato))
            achado = arquivo;

    if (achado.empty()) {
        double melhor = 0;
        if (Versao > 0) {
            const std::string prefixo = nome + prefixoVersaoSchema_;
            for (const std::string &arquivo : listaDeSchemas_) {
                if (!arquivo.starts_with(prefixo))
                    continue;
                const double versao = TextoParaVersao(VersaoDoNomeArquivoSchema(arquivo));
                if (versao > 0 && versao > melhor && versao <= Versao) {
                    melhor = versao;
                    achado = arquivo;
                }
            }
        }
        Versao = melhor;
    }
    return achado.empty() ? std::string() : pasta + achado;
}
