#include "foundation/checks/validador.h"

#include "foundation/text/text_utils.h"

// State abbreviations and postal codes (CEP) with the ranges of each state.

namespace {

constexpr std::string_view kSiglasUF =
    ",AC,AL,AP,AM,BA,CE,DF,ES,GO,MA,MT,MS,MG,PA,PB,PR,PE,PI,RJ,RN,RS,RO,RR,SC,SP,SE,TO,EX,";

struct FaixaCEP {
    std::string_view de;
    std::string_view ate;
    std::string_view uf;
};

// Tried in this order; the first range that holds the CEP (and matches the
// state, when one is given) wins.
constexpr FaixaCEP kFaixasCEP[] = {
    {"01000000", "19999999", "SP"}, {"20000000", "28999999", "RJ"}, {"29000000", "29999999", "ES"},
    {"30000000", "39999999", "MG"}, {"40000000", "48999999", "BA"}, {"49000000", "49999999", "SE"},
    {"50000000", "56999999", "PE"}, {"57000000", "57999999", "AL"}, {"58000000", "58999999", "PB"},
    {"59000000", "59999999", "RN"}, {"60000000", "63999999", "CE"}, {"64000000", "64999999", "PI"},
    {"65000000", "65999999", "MA"}, {"66000000", "68899999", "PA"}, {"68900000", "68999999", "AP"},
    {"69000000", "69299999", "AM"}, {"69300000", "69399999", "RR"}, {"69400000", "69899999", "AM"},
    {"69900000", "69999999", "AC"}, {"70000000", "72799999", "DF"}, {"72800000", "72999999", "GO"},
    {"73000000", "73699999", "DF"}, {"73700000", "76799999", "GO"}, {"77000000", "77999999", "TO"},
    {"78000000", "78899999", "MT"}, {"76800000", "76999999", "RO"}, {"79000000", "79999999", "MS"},
    {"80000000", "87999999", "PR"}, {"88000000", "89999999", "SC"}, {"90000000", "99999999", "RS"},
};

} // namespace

void TQuibValidador::ValidarUF(std::string_view uf)
{
    // Exactly one abbreviation: a text such as "AC,AL" is not a state.
    const bool conhecida =
        uf.size() == 2 && kSiglasUF.find("," + std::string(uf) + ",") != std::string_view::npos;
    if (!conhecida)
        mensagemErro_ = "UF inválido: " + std::string(uf);
}

void TQuibValidador::ValidarCEP()
{
    if (AjustarTamanho)
        documentoLimpo_ = CompletaEsquerda(trimText(documentoLimpo_), 8, '0');
    if (documentoLimpo_.size() != 8 || !SoDigitos(documentoLimpo_)) {
        mensagemErro_ = "CEP deve ter 8 dígitos. (Apenas números)";
        return;
    }
    Complemento = std::string(trimText(Complemento));
    if (!Complemento.empty()) {
        ValidarUF(Complemento);
        if (!mensagemErro_.empty())
            return;
    }
    for (const FaixaCEP &faixa : kFaixasCEP) {
        if (documentoLimpo_ >= faixa.de && documentoLimpo_ <= faixa.ate &&
            (Complemento.empty() || Complemento == faixa.uf))
            return;
    }
    mensagemErro_ =
        Complemento.empty() ? std::string("CEP inválido !") : "CEP inválido para " + Complemento + " !";
}
