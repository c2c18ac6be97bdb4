// The item's PIS and COFINS groups: one procedure over the two sets of
// fields and keys, chosen by the item's kind.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"

#include <cmath>

bool TfrmNFE_2G::CstPisCofinsTributado(int cst)
{
    return cst == 1 || cst == 2 || (cst >= 49 && cst <= 56) || (cst >= 60 && cst <= 66) || cst == 98 ||
           cst == 99;
}

double TfrmNFE_2G::escreveContribuicao(const Contribuicao &c)
{
    const std::string prefixo(c.prefixo);
    const std::string tipo = upperAscii(c.tipo);
    const std::string kind = upperAscii(prefixo);
    const std::string cst = ZerosEsquerda(c.cst, 2);
    const double rateado = Arredonda(c.taxa * c.base / 100, 2);
    const auto secao = [&](std::string_view sufixo) { secaoImposto(6, prefixo + std::string(sufixo)); };
    const auto linha = [&](std::string_view chave, std::string_view valor) { linhaImposto(8, chave, valor); };
    const auto taxaEValor = [&](std::string_view base, std::string_view taxa, std::string_view valor) {
        linha("vbc", base);
        linha(c.chaveAliquota, taxa);
        linha(c.chaveValor, valor);
    };

    if (tipo == kind + "ALIQ") {
        secao("aliq");
        linha("cst", cst);
        taxaEValor(duasCasas(c.base), duasCasas(c.taxa), duasCasas(rateado));
        return rateado;
    }
    if (tipo == kind + "QTDE") {
        secao("qtde");
        linha("cst", "03");
        linha("qbcprod", FtDc(textoReal(c.quantidade), "0000"));
        linha("valiqprod", FtDc(textoReal(c.valorUnidade), "0000"));
        linha(c.chaveValor, duasCasas(Arredonda(c.valorUnidade * c.quantidade, 2)));
        secao("st");
        taxaEValor(duasCasas(c.base), duasCasas(c.taxa), duasCasas(rateado));
        return rateado;
    }
    if (tipo == kind + "OUTR") {
        secao("outr");
        linha("cst", cst);
        if (!CstPisCofinsTributado(c.cst)) {
            taxaEValor("0.00", "0.00", "0.00");
            return 0;
        }
        taxaEValor(rateado > 0 ? duasCasas(c.base) : "0.00", duasCasas(c.taxa), duasCasas(rateado));
        return rateado;
    }
    secao("nt");
    linha("cst", tipo == kind + "NT" ? cst : "07");
    return 0;
}

void TfrmNFE_2G::GeraCofins_Memo()
{
    const LinhaItem &item = itemAtual();
    const double valor = escreveContribuicao({"cofins", "pcofins", "vcofins", item.tipo_cofins,
                                              static_cast<int>(std::lround(item.cofins_cst)), item.cofins_vbc,
                                              item.cofins_aliq, item.cofins_qtdvnd, item.cofins_aliq_real});
    (item.iss_aliq == 0 ? CofinsItem : CofinsServicoItem) += valor;
}

void TfrmNFE_2G::GeraPIS_Memo()
{
    const LinhaItem &item = itemAtual();
    const double valor =
        escreveContribuicao({"pis", "ppis", "vpis", item.tipo_pis, item.pis_cst, item.pis_vbc, item.pis_ppis,
                             item.pis_qtdvnd, item.pis_aliq_real});
    (item.iss_aliq == 0 ? PisItem : PisServicoItem) += valor;
}
