#include "foundation/xml/detail/indice_de_tags.h"

#include <algorithm>
#include <stdexcept>

namespace {

unsigned char maiuscula(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

std::uint32_t hashMaiusculo(std::string_view texto)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : texto) {
        hash ^= maiuscula(static_cast<unsigned char>(c));
        hash *= 16777619u;
    }
    return hash;
}

bool iguaisSemCaixa(std::string_view texto, std::string_view maiusculo)
{
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (maiuscula(static_cast<unsigned char>(texto[i])) != static_cast<unsigned char>(maiusculo[i]))
            return false;
    }
    return true;
}

} // namespace

IndiceDeTags::IndiceDeTags(std::string_view texto) : texto_(texto)
{
    if (texto.size() >= UINT32_MAX)
        throw std::length_error("Texto grande demais para o índice de tags");
    // Each ">" closes the token that starts at the last "<" before it, when
    // no other ">" lies between them. The token's hash is made on the way.
    struct Achada {
        Tag tag;
        std::uint32_t hash;
    };
    std::vector<Achada> achadas;
    achadas.reserve(texto.size() / 16);
    constexpr std::uint32_t kSemAbertura = UINT32_MAX;
    std::uint32_t abre = kSemAbertura;
    std::uint32_t hash = 0;
    const auto tamanho = static_cast<std::uint32_t>(texto.size());
    for (std::uint32_t i = 0; i < tamanho; ++i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        if (c == '<') {
            abre = i;
            hash = 2166136261u;
        } else if (c == '>') {
            if (abre != kSemAbertura)
                achadas.push_back(Achada{Tag{abre, i - abre - 1}, hash});
            abre = kSemAbertura;
        } else {
            hash = (hash ^ maiuscula(c)) * 16777619u;
        }
    }

    // Filed by name in one counting pass: each name's tags stay in text order.
    // The table of names grows with the names, not with the tags.
    nomes_.assign(64, Nome{});
    std::size_t usados = 0;
    for (const Achada &achada : achadas) {
        Nome *nome = &nomes_[slot(achada.hash)];
        if (nome->fim == 0) {
            if (++usados * 2 > nomes_.size()) {
                std::vector<Nome> antigos(nomes_.size() * 2, Nome{});
                antigos.swap(nomes_);
                for (const Nome &antigo : antigos) {
                    if (antigo.fim != 0)
                        nomes_[slot(antigo.hash)] = antigo;
                }
                nome = &nomes_[slot(achada.hash)];
            }
            nome->hash = achada.hash;
        }
        ++nome->fim; // the count, for now
    }
    std::uint32_t proximo = 0;
    for (Nome &nome : nomes_) {
        if (nome.fim == 0)
            continue;
        nome.inicio = proximo;
        proximo += nome.fim;
        nome.fim = nome.inicio; // filled up to here
    }
    tags_.resize(achadas.size());
    for (const Achada &achada : achadas)
        tags_[nomes_[slot(achada.hash)].fim++] = achada.tag;
}

std::size_t IndiceDeTags::slot(std::uint32_t hash) const
{
    const std::size_t mascara = nomes_.size() - 1;
    std::size_t i = hash & mascara;
    while (nomes_[i].fim != 0 && nomes_[i].hash != hash)
        i = (i + 1) & mascara;
    return i;
}

bool IndiceDeTags::tokenValido(std::string_view token)
{
    for (const char c : token) {
        if (c == '<' || c == '>')
            return false;
    }
    return true;
}

std::size_t IndiceDeTags::busca(std::string_view tokenMaiusculo, std::size_t inicio, std::size_t fim) const
{
    return primeira(tokenMaiusculo, inicio, fim, [](std::string_view achado, std::string_view token) {
        return iguaisSemCaixa(achado, token);
    });
}

std::size_t IndiceDeTags::buscaComCaixa(std::string_view token, std::size_t inicio, std::size_t fim) const
{
    return primeira(token, inicio, fim,
                    [](std::string_view achado, std::string_view procurado) { return achado == procurado; });
}

template <typename Iguais>
std::size_t IndiceDeTags::primeira(std::string_view token, std::size_t inicio, std::size_t fim,
                                   Iguais iguais) const
{
    fim = std::min(fim, texto_.size());
    if (inicio >= fim || nomes_.empty())
        return npos;
    const Nome &nome = nomes_[slot(hashMaiusculo(token))];
    if (nome.fim == 0)
        return npos;
    const auto primeira = tags_.begin() + nome.inicio;
    const auto ultima = tags_.begin() + nome.fim;
    auto tag = std::lower_bound(primeira, ultima, inicio,
                                [](const Tag &t, std::size_t posicao) { return t.posicao < posicao; });
    for (; tag != ultima; ++tag) {
        // Tags do not overlap: once one ends past the range, so do the rest.
        if (tag->posicao + std::size_t{tag->tamanho} + 2 > fim)
            return npos;
        if (tag->tamanho == token.size() && iguais(texto_.substr(tag->posicao + 1, tag->tamanho), token))
            return tag->posicao;
    }
    return npos;
}
