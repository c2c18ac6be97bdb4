#include "monitor_client/frm_nfe_2g.h"

#include <stdexcept>

TfrmNFE_2G::TfrmNFE_2G() = default;

TfrmNFE_2G::TfrmNFE_2G(TdtmNFE_grd &modulo) : modulo_(&modulo) {}

TdtmNFE_grd &TfrmNFE_2G::modulo()
{
    if (!modulo_)
        throw std::logic_error("TfrmNFE_2G sem o banco do módulo NF-e");
    return *modulo_;
}

void TfrmNFE_2G::registra(const std::string &ocorrencia)
{
    Ocorrencias.push_back(ocorrencia);
    if (OnGerarLog)
        OnGerarLog(ocorrencia);
}
