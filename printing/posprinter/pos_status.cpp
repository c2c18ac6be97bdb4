#include "printing/posprinter/pos_status.h"

#include <array>

const char *NomeTipoStatus(TQuibPosTipoStatus tipo)
{
    // clang-format off
    static constexpr std::array<const char *, kQuantidadeTiposStatus> nomes = {
        "stErro",  "stApenasEscrita", "stPoucoPapel", "stSemPapel",       "stGavetaAberta",
        "stImprimindo", "stOffLine",  "stTampaAberta", "stErroLeitura",   "stSlip",
        "stMICR",  "stAguardandoSlip", "stTOF",       "stBOF"};
    // clang-format on
    return tipo < nomes.size() ? nomes[tipo] : "";
}

std::string StatusParaTexto(TQuibPosPrinterStatus status)
{
    std::string texto;
    for (int i = 0; i < kQuantidadeTiposStatus; ++i) {
        const auto tipo = static_cast<TQuibPosTipoStatus>(i);
        if (status.Contem(tipo)) {
            texto += NomeTipoStatus(tipo);
            texto += ", ";
        }
    }
    return texto;
}
