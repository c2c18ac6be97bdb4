// The item buffer and the tax buffer of the request document, and the
// preparation of the item blocks.

#include "monitor_client/frm_nfe_2g.h"

namespace {

void escreveNoBuffer(std::vector<std::string> &buffer, std::string_view texto,
                     const std::function<void(const std::string &)> &grava)
{
    if (texto == "ZERA_MEMO") {
        buffer.clear();
    } else if (texto == "GRAVA_PARA_TXT") {
        for (const auto &linha : buffer)
            grava(linha);
    } else {
        buffer.emplace_back(texto);
    }
}

} // namespace

void TfrmNFE_2G::Writeln_memo(std::string_view texto)
{
    escreveNoBuffer(memoprod, texto, [this](const std::string &linha) { escreve(linha); });
}

void TfrmNFE_2G::Writeln_memo_Imp(std::string_view texto)
{
    escreveNoBuffer(memoImp, texto, [this](const std::string &linha) { Writeln_memo(linha); });
}

void TfrmNFE_2G::GeraProdutos_Memo()
{
    TotalTributos = BaseIcmsDeduzir = IcmsDeduzir = TotalServicos = 0;
    TotalPis = TotalCofins = TotalIss = TotalPisServicos = TotalCofinsServicos = 0;
    PisServicoItem = CofinsServicoItem = 0;
    Writeln_memo("ZERA_MEMO");
}
