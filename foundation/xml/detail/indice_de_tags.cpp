#include "foundation/xml/detail/indice_de_tags.h"

#include <algorithm>
#include <cstring>

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
    // Each ">" closes the token that starts at the last "<" before it, when
    // no other ">" lies between them.
    const char *inicio = texto.data();
    const char *fim = inicio + texto.size();
    const char *abre = nullptr;
    for (const char *p = inicio; p < fim;) {
        const char *marca = static_cast<const char *>(std::memchr(p, abre == nullptr ? '<' : '>', fim - p));
        if (marca == nullptr)
            break;
        if (abre == nullptr) {
            abre = marca;
            p = marca + 1;
            continue;
        }
        // The last "<" before this ">".
        const char *ultimoAbre = abre;
        for (const char *q = marca - 1; q > abre; --q) {
            if (*q == '<') {
                ultimoAbre = q;
                break;
            }
        }
        const std::string_view token(ultimoAbre + 1, static_cast<std::size_t>(marca - ultimoAbre - 1));
        tags_.push_back(Tag{static_cast<std::uint32_t>(ultimoAbre - inicio),
                            static_cast<std::uint32_t>(token.size()), hashMaiusculo(token)});
        abre = nullptr;
        p = marca + 1;
    }
}

bool IndiceDeTags::tokenValido(std::string_view token)
{
    return token.find_first_of("<>") == std::string_view::npos;
}

std::size_t IndiceDeTags::busca(std::string_view tokenMaiusculo, std::size_t inicio) const
{
    const std::uint32_t hash = hashMaiusculo(tokenMaiusculo);
    auto tag = std::lower_bound(tags_.begin(), tags_.end(), inicio,
                                [](const Tag &t, std::size_t posicao) { return t.posicao < posicao; });
    for (; tag != tags_.end(); ++tag) {
        if (tag->hash == hash && tag->tamanho == tokenMaiusculo.size() &&
            iguaisSemCaixa(texto_.substr(tag->posicao + 1, tag->tamanho), tokenMaiusculo))
            return tag->posicao;
    }
    return npos;
}
