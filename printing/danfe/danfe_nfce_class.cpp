#include "printing/danfe/danfe_nfce_class.h"

#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_payment.h"

void TQuibNFeDANFCEClass::SetImprimeEmUmaLinha(bool valor)
{
    imprimeEmUmaLinha_ = valor;
    if (valor)
        imprimeEmDuasLinhas_ = false;
}

void TQuibNFeDANFCEClass::SetImprimeEmDuasLinhas(bool valor)
{
    imprimeEmDuasLinhas_ = valor;
    if (valor)
        imprimeEmUmaLinha_ = false;
}

std::string TQuibNFeDANFCEClass::DescricaoPagamento(const TpagCollectionItem &pagamento) const
{
    std::string bandeira;
    std::string autorizacao;
    const bool cartao = pagamento.tPag == mpCartaoCredito || pagamento.tPag == mpCartaoDebito;
    if (cartao && (pagamento.tpIntegra == ipg1 || !pagamento.cAut.empty())) {
        bandeira = BandeiraOperadoraDescricao(pagamento.tBand);
        autorizacao = "- Aut: " + pagamento.cAut;
    }
    std::string texto;
    if (DescricaoPagamentos.contains(icaTipo))
        texto += MeioPagamentoDescricao(pagamento.tPag, pagamento.xPag) + " ";
    if (DescricaoPagamentos.contains(icaBandeira))
        texto += bandeira + " ";
    if (DescricaoPagamentos.contains(icaAutorizacao))
        texto += autorizacao;
    return texto;
}
