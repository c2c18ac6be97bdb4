#include "nfe/document/detail/nfe_writer_txt.h"

#include <span>
#include <string>

#include "nfe/document/layout_txt.h"

namespace {

// A record and the group id the writer produces it under.
struct GrupoDoEscritor {
    std::string_view registro;
    std::string_view grupo;
};

// The records of 3.10 and 4.00 whose layout group differs from the writer's.
// The producer's note (BA10, BA13, BA14) goes with the reference itself:
// refCTe is a field of BA10 that the writer puts straight into NFref, and the
// refNFP group, which has no line of its own, fills its parent's lines. The
// ICMS90 record (N10) is the writer's group N12 in every version.
constexpr GrupoDoEscritor kGruposDesde310[] = {
    {"BA02", "B12A"}, {"BA03", "B14"},  {"BA10", "B12A"}, {"BA13", "B12A"}, {"BA14", "B12A"},
    {"BA20", "B20J"}, {"I05A", "I01"},  {"I05C", "I01"},  {"L", "L00"},     {"LA", "L01"},
    {"LA07", "L105"}, {"LB", "I01"},    {"NA", "NA01"},   {"UA", "U50"},    {"W04C", "W02"},
    {"W04E", "W02"},  {"W04G", "W02"},  {"X25A", "X01"},  {"X25B", "X01"},  {"X33", "X33"},
    {"YA", "YA01"},   {"YA09", "YA01"}, {"ZA", "ZA01"},   {"ZB", "ZB01"},   {"ZC", "ZC01"},
    {"ZD01", "#081"}, {"ZD07", "#081"}, {"N10", "N12"},
};

// Before 3.10 the layout uses the writer's ids but for the producer's
// document, which the writer puts into refNFP, the CT-e key, which it puts
// straight into NFref, and ICMS90.
constexpr GrupoDoEscritor kGruposAte200[] = {
    {"B20D", "B20A"},
    {"B20E", "B20A"},
    {"B20I", "B12A"},
    {"N10", "N12"},
};

// Before 4.00 the card's integration type is the field "card" of the payment
// record; the writer fills it from its element tpIntegra.
constexpr std::string_view kRegistroDoCartao310 = "YA";
constexpr std::string_view kCampoDoCartao310 = "CARD";

std::string_view grupoDoEscritor(const TxtLayoutRecord &registro, bool desde310)
{
    const auto tabela = desde310 ? std::span<const GrupoDoEscritor>(kGruposDesde310)
                                 : std::span<const GrupoDoEscritor>(kGruposAte200);
    for (const GrupoDoEscritor &g : tabela) {
        if (g.registro == registro.name)
            return g.grupo;
    }
    return registro.groupId;
}

} // namespace

std::vector<TxtTemplate::Linha> modeloTXTDoEscritor(std::string_view versao)
{
    std::vector<TxtTemplate::Linha> linhas;
    const TxtLayout *layout = txtLayout(versao);
    if (layout == nullptr)
        return linhas;
    const bool desde310 = versao == "3.10" || versao == "4.00";
    linhas.reserve(layout->records().size());
    for (const TxtLayoutRecord &registro : layout->records()) {
        TxtTemplate::Linha linha;
        linha.grupo = grupoDoEscritor(registro, desde310);
        linha.campos = registro.fields;
        if (versao == "3.10" && registro.name == kRegistroDoCartao310) {
            for (std::string &campo : linha.campos) {
                if (campo == kCampoDoCartao310)
                    campo = "TPINTEGRA";
            }
        }
        linha.trechos.assign(registro.fields.size() + 1, std::string());
        linha.trechos.front() = registro.name;
        linha.trechos.back() += registro.tail;
        linhas.push_back(std::move(linha));
    }
    return linhas;
}
