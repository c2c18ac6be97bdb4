// What the tax writers share: their lines into the tax buffer, the strict
// reading of rate texts and the substitution (ST) lines.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"

#include <charconv>

void TfrmNFE_2G::linhaImposto(int indent, std::string_view chave, std::string_view valor)
{
    Writeln_memo_Imp(Sp(indent, chave) + std::string(valor));
}

void TfrmNFE_2G::secaoImposto(int indent, std::string_view secao)
{
    Writeln_memo_Imp(Sp(indent, "") + "[" + std::string(secao) + "]");
}

double TfrmNFE_2G::numeroDoCampo(std::string_view texto, std::string_view campo)
{
    while (!texto.empty() && texto.front() == ' ')
        texto.remove_prefix(1);
    while (!texto.empty() && texto.back() == ' ')
        texto.remove_suffix(1);
    double numero = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        throw ConversionError("'" + std::string(texto) + "' não é um número válido (" + std::string(campo) +
                              ")");
    return numero;
}

void TfrmNFE_2G::escreveIcmsProprio(const LinhaItem &item, double base, double valor, bool reducao)
{
    linhaImposto(8, "modbc", "3");
    if (reducao)
        linhaImposto(8, "predbc", duasCasas(item.perc_red_icms));
    linhaImposto(8, "vbc", duasCasas(base));
    linhaImposto(8, "picms", FtDc(item.icm_pro, "00"));
    linhaImposto(8, "vicms", duasCasas(valor));
    IcmsItem += valor;
}

void TfrmNFE_2G::escreveLinhasSt(const LinhaItem &item, TaxaSt taxa, bool reducaoSt)
{
    linhaImposto(8, "modbcst", item.cf_pro == "T" ? "5" : "4");
    linhaImposto(8, "pmvast", duasCasas(item.perc_adc_icms_subts));
    if (reducaoSt)
        linhaImposto(8, "predbcSt", duasCasas(item.perc_red_icms));
    linhaImposto(8, "vbcst", duasCasas(item.bc_icms_s));
    // The item's own ST rate, or (unless only the ST rate counts) its ICMS rate.
    const bool propria = taxa == TaxaSt::SomenteSt || item.icm_pro_st > 0;
    linhaImposto(8, "picmsst", propria ? duasCasas(item.icm_pro_st) : FtDc(item.icm_pro, "00"));
    double valorSt = item.vlr_icms_St;
    if (!(valorSt > 0)) {
        const double aliquota = propria ? item.icm_pro_st : numeroDoCampo(item.icm_pro, "icm_pro");
        valorSt = Arredonda(item.bc_icms_s * aliquota / 100, 2);
    }
    linhaImposto(8, "vicmsst", duasCasas(valorSt));
    IcmsStItem += valorSt;
}
