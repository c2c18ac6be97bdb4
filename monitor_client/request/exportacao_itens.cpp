// The TXT-layout export's item records (H, I, M and the item's tax records)
// with each item's share of the note's freight, insurance, discount and
// other expenses, and the totals W/W02.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"
#include "monitor_client/request/detail/registro_txt.h"

#include <algorithm>

namespace {

double valorDaNota(std::string_view texto)
{
    return TfrmNFE_2G::valorReal(TfrmNFE_2G::FtDc(texto, "00"));
}

// An amount of the item, empty when not above 0.
std::string sePositivo(double valor, const std::string &texto)
{
    return valor > 0 ? texto : std::string();
}

bool numeroAcimaDeZero(std::string_view texto)
{
    return SomenteNumeros(texto).find_first_not_of('0') != std::string::npos;
}

} // namespace

void TfrmNFE_2G::GeraProdutos_File_Sefaz()
{
    const LinhaNota &nota = notaAtual();
    const auto itens = tabelas_.tblItens.daNota(nota.nota);
    const double produtos = valorDaNota(nota.vlr_tot_pro_not);
    const double frete = valorDaNota(nota.vlr_fre_not), seguro = valorDaNota(nota.vlr_seg_not),
                 desconto = valorDaNota(nota.vlr_desc_not), outras = valorDaNota(nota.vlr_out_not);
    double restoFrete = frete, restoSeguro = seguro, restoDesconto = desconto, restoOutras = outras;
    // The rounded share, never more than what is still to be shared, so no
    // later item is left with a negative amount.
    const auto parcela = [](double valorNota, double proporcao, double &resto) {
        const double share = std::min(Arredonda(valorNota * proporcao, 2), resto);
        resto = Arredonda(resto - share, 2);
        return share;
    };

    for (std::size_t posicao = 1; posicao <= itens.size(); ++posicao) {
        const LinhaItem &item = *itens[posicao - 1];
        itemAtual_ = &item;
        const double total = valorDaNota(item.sub_tot_pro);
        if (!(item.vlr_frete > 0) && !(item.vlr_desconto > 0) && !(item.vlr_seguro > 0) &&
            !(item.vlr_outras > 0)) {
            if (posicao == itens.size()) {
                FreteItem = restoFrete;
                SeguroItem = restoSeguro;
                DescontoItem = restoDesconto;
                OutrasItem = restoOutras;
            } else {
                if (produtos == 0)
                    throw ConversionError("O total dos produtos da nota é zero: não há como ratear o frete, "
                                          "o seguro, o desconto e as outras despesas entre os itens");
                const double r = Arredonda(total / produtos, 6);
                FreteItem = parcela(frete, r, restoFrete);
                SeguroItem = parcela(seguro, r, restoSeguro);
                DescontoItem = parcela(desconto, r, restoDesconto);
                OutrasItem = parcela(outras, r, restoOutras);
            }
        } else {
            FreteItem = item.vlr_frete;
            SeguroItem = item.vlr_seguro;
            DescontoItem = item.vlr_desconto;
            OutrasItem = item.vlr_outras;
        }

        std::string adicional;
        if (item.printAdc)
            adicional = NormalizaTexto(item.adc1 + " " + item.adc2 + " " + item.adc3 + " " + item.adc4 + " " +
                                       item.adc5 + " " + item.adc6 + " " + item.adc7 + " " + item.adc8 + " " +
                                       item.adc9 + " " + item.adc10);
        Exportacao.push_back(registroTxt("H", {std::to_string(posicao), adicional}));

        const double q = valorReal(item.qtd_pro, "qtd_pro");
        const double t = valorReal(item.sub_tot_pro, "sub_tot_pro");
        double u = valorReal(item.vlr_uni_pro, "vlr_uni_pro");
        if (Arredonda(u * q, 4) != Arredonda(t, 4)) {
            u = Arredonda(Divide(t, q), 4);
            if (Arredonda(u * q, 2) != Arredonda(t, 2))
                u = Arredonda(Divide(t, q), 10);
        }
        const std::size_t tamanhoEan = item.cod_bar.size();
        const std::string cfopItem = SomenteNumeros(item.cfop_item);
        const std::string cfop = numeroAcimaDeZero(cfopItem) ? cfopItem : SomenteNumeros(nota.cfop_not);
        const std::string ncm = SomenteNumeros(item.cod_ncm);
        const std::string quantidade = FtDc(item.qtd_pro, "0000");
        const std::string unitario = FtDc(textoReal(u), "0000000000");
        Exportacao.push_back(
            registroTxt("I", {SomenteNumeros(item.cod_pro),
                              tamanhoEan >= 12 && tamanhoEan <= 14 ? item.cod_bar : std::string(),
                              NormalizaTexto(ChrEsp(item.nom_pro)),
                              numeroAcimaDeZero(ncm) ? ncm : std::string(),
                              "",
                              cfop,
                              item.un_pro,
                              quantidade,
                              unitario,
                              FtDc(item.sub_tot_pro, "00"),
                              "",
                              item.un_pro,
                              quantidade,
                              unitario,
                              sePositivo(FreteItem, duasCasas(FreteItem)),
                              sePositivo(SeguroItem, duasCasas(SeguroItem)),
                              sePositivo(DescontoItem, duasCasas(DescontoItem)),
                              sePositivo(OutrasItem, duasCasas(OutrasItem)),
                              "1",
                              "",
                              ""}));

        Exportacao.push_back("M|");
        if (emitente("COD_REG_TRIB") == "3")
            GeraICMS_ISS_File_Sefaz_RN();
        else
            GeraICMS_ISS_File_Sefaz_Simples();
        GeraIPI_File_Sefaz();
        GeraPis_File_Sefaz();
        GeraCofins_File_Sefaz();
    }
    itemAtual_ = nullptr;
}

void TfrmNFE_2G::GeraICMSTotal_File_Sefaz()
{
    const LinhaNota &nota = notaAtual();
    double pis = 0, cofins = 0;
    for (const LinhaItem *item : tabelas_.tblItens.daNota(nota.nota)) {
        const std::string tipoPis = upperAscii(item->tipo_pis), tipoCofins = upperAscii(item->tipo_cofins);
        if (tipoPis == "PISALIQ" || tipoPis == "PISOUTR")
            pis += Arredonda(item->pis_ppis * item->pis_vbc / 100, 2);
        if (tipoCofins == "COFINSALIQ" || tipoCofins == "COFINSOUTR")
            cofins += Arredonda(item->cofins_aliq * item->cofins_vbc / 100, 2);
    }
    Exportacao.push_back("W|");
    Exportacao.push_back(registroTxt(
        "W02",
        {FtDc(nota.base_icm_not, "00"), FtDc(nota.vlr_icm_not, "00"), FtDc(nota.base_icm_s_not, "00"),
         FtDc(nota.vlr_imc_s_not, "00"), FtDc(nota.vlr_tot_pro_not, "00"), FtDc(nota.vlr_fre_not, "00"),
         FtDc(nota.vlr_seg_not, "00"), FtDc(nota.vlr_desc_not, "00"), "0.00", FtDc(nota.vlr_ipi_not, "00"),
         duasCasas(pis), duasCasas(cofins), FtDc(nota.vlr_out_not, "00"), FtDc(nota.vlr_total_not, "00")}));
}
