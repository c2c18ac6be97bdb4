#include "nfe/document/detail/nfe_reader_walk.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace nfe_reader {

namespace {

// Every group that the reader extracts when present, and the lists it walks.
constexpr auto kGrupos = std::to_array<std::string_view>({
    // Header and closing groups
    "ide",
    "NFref",
    "emit",
    "enderEmit",
    "avulsa",
    "dest",
    "enderDest",
    "retirada",
    "entrega",
    "autXML",
    "total",
    "ICMSTot",
    "ISSQNtot",
    "retTrib",
    "transp",
    "transporta",
    "retTransp",
    "veicTransp",
    "reboque",
    "vol",
    "lacres",
    "cobr",
    "fat",
    "dup",
    "pag",
    "detPag",
    "card",
    "infIntermed",
    "infAdic",
    "obsCont",
    "obsFisco",
    "procRef",
    "exporta",
    "compra",
    "cana",
    "forDia",
    "deduc",
    "infRespTec",
    "infNFeSupl",
    "protNFe",
    // Item groups
    "prod",
    "NVE",
    "DI",
    "adi",
    "detExport",
    "exportInd",
    "rastro",
    "veicProd",
    "med",
    "arma",
    "comb",
    "origComb",
    "CIDE",
    "encerrante",
    "ICMSComb",
    "ICMSInter",
    "ICMSCons",
    "imposto",
    "ICMS",
    "ICMSPart",
    "ICMSST",
    "ICMSUFDest",
    "IPI",
    "IPITrib",
    "IPINT",
    "II",
    "PIS",
    "PISST",
    "COFINS",
    "COFINSST",
    "ISSQN",
    "impostoDevol",
    "obsItem",
});

// For each first character, the names of kGrupos that begin with it.
struct PorInicial {
    std::array<std::array<std::uint8_t, 16>, 128> indices{};
    std::array<std::uint8_t, 128> quantos{};
};

const PorInicial &gruposPorInicial()
{
    static const PorInicial tabela = [] {
        PorInicial t;
        for (std::size_t i = 0; i < kGrupos.size(); ++i) {
            const auto c = static_cast<unsigned char>(kGrupos[i].front());
            if (c >= t.indices.size() || t.quantos[c] == t.indices[c].size())
                throw std::logic_error("Tabela de grupos do leitor de NF-e mal formada");
            t.indices[c][t.quantos[c]++] = static_cast<std::uint8_t>(i);
        }
        return t;
    }();
    return tabela;
}

// The position of a group name in kGrupos, or -1.
int indiceDoGrupo(std::string_view nome)
{
    const PorInicial &porInicial = gruposPorInicial();
    const auto inicial = static_cast<unsigned char>(nome.empty() ? 0 : nome.front());
    if (inicial >= porInicial.quantos.size())
        return -1;
    for (std::uint8_t k = 0; k < porInicial.quantos[inicial]; ++k) {
        const std::uint8_t i = porInicial.indices[inicial][k];
        if (kGrupos[i] == nome)
            return i;
    }
    return -1;
}

} // namespace

GruposPresentes::GruposPresentes(std::string_view texto) : conhecido_(true)
{
    static_assert(kGrupos.size() <= kMaximo);
    const PorInicial &porInicial = gruposPorInicial();
    const char *const fim = texto.data() + texto.size();
    for (const char *p = texto.data(); p < fim;) {
        const auto *menor = static_cast<const char *>(std::memchr(p, '<', static_cast<std::size_t>(fim - p)));
        if (menor == nullptr)
            break;
        p = menor + 1;
        const auto inicial = static_cast<unsigned char>(p < fim ? *p : 0);
        if (inicial >= 128 || porInicial.quantos[inicial] == 0)
            continue;
        // The name runs up to the first character that ends an opening tag
        // for the reader (">", " " or ":"); another "<" ends it unmatched.
        const char *q = p;
        while (q < fim && *q != '>' && *q != ' ' && *q != ':' && *q != '<')
            ++q;
        if (q == fim || *q == '<')
            continue;
        const int i = indiceDoGrupo(std::string_view(p, static_cast<std::size_t>(q - p)));
        if (i >= 0)
            abertos_.set(static_cast<std::size_t>(i));
    }
}

bool GruposPresentes::podeConter(std::string_view nome) const
{
    if (!conhecido_)
        return true;
    const int i = indiceDoGrupo(nome);
    return i < 0 || abertos_.test(static_cast<std::size_t>(i));
}

LeitorNFe::LeitorNFe(TLeitor &leitor) : leitor_(leitor), presentes_(leitor.Arquivo()) {}

void LeitorNFe::setArquivo(std::string texto)
{
    presentes_ = GruposPresentes(texto);
    leitor_.setArquivo(std::move(texto));
}

void LeitorNFe::setArquivo(std::string texto, const GruposPresentes &presentes)
{
    presentes_ = presentes;
    leitor_.setArquivo(std::move(texto));
}

void LeitorNFe::setTrecho(std::size_t inicio, std::size_t tamanho, const GruposPresentes &presentes)
{
    presentes_ = presentes;
    leitor_.setTrechoDoArquivo(inicio, tamanho);
}

bool LeitorNFe::extrai(int nivel, std::string_view tag)
{
    return !extraiItem(nivel, tag, 1).empty();
}

std::string LeitorNFe::extraiItem(int nivel, std::string_view tag, int item)
{
    if (!presentes_.podeConter(tag)) {
        leitor_.setGrupo({});
        return {};
    }
    return leitor_.ExtraiGrupo(nivel, tag, "", item);
}

} // namespace nfe_reader
