#include "foundation/checks/mascaras.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_dfe_danfe_report.h"

namespace {

constexpr std::string_view kQuebra = "\r\n";

std::string trocarPontoEVirgula(std::string_view texto, std::string_view separador)
{
    std::string resultado;
    for (const char c : texto) {
        if (c == ';')
            resultado += separador;
        else
            resultado += c;
    }
    return resultado;
}

// "campo: texto;campo: texto; " (empty for no entries).
template <typename Lista> std::string observacoes(const Lista &lista)
{
    std::string resultado;
    for (int i = 0; i < lista.count(); ++i) {
        if (i > 0)
            resultado += ";";
        resultado += lista[i].xCampo + ": " + lista[i].xTexto;
    }
    if (!resultado.empty())
        resultado += "; ";
    return resultado;
}

bool itemValido(const TNFe &nfe, int item)
{
    return item >= 0 && item < nfe.det.count();
}

} // namespace

std::string TQuibDFeDANFeReport::SeparadorDetalhe() const
{
    return QuebraLinhaEmDetalhamentos ? std::string(kQuebra) : std::string(" - ");
}

std::string TQuibDFeDANFeReport::CodigoProdutoExibido(std::string_view cEAN, std::string_view cProd) const
{
    const std::string_view ean = trimText(cEAN);
    if (ImprimeCodigoEan && !ean.empty() && ean != "SEM GTIN")
        return std::string(ean);
    return std::string(trimText(cProd));
}

std::string TQuibDFeDANFeReport::NomeEmitenteExibido(std::string_view xNome, std::string_view xFant) const
{
    return std::string(ImprimeNomeFantasia && !xFant.empty() ? xFant : xNome);
}

std::string TQuibDFeDANFeReport::UnirComQuebra(std::string_view primeiro, std::string_view segundo) const
{
    std::string resultado(trimText(primeiro));
    if (const std::string_view resto = trimText(segundo); !resto.empty())
        resultado += std::string(kQuebra) + std::string(resto);
    return resultado;
}

std::string TQuibDFeDANFeReport::QtdeComTributavel(Decimal qCom, Decimal qTrib) const
{
    std::string resultado = FormatarQtdeItem(qCom, true);
    if (qTrib > Decimal())
        resultado += std::string(kQuebra) + FormatarQtdeItem(qTrib, true);
    return resultado;
}

std::string TQuibDFeDANFeReport::VlrUnitComTributavel(double vUnCom, double vUnTrib) const
{
    std::string resultado = FormatarVlrUnit(vUnCom);
    if (vUnTrib > 0)
        resultado += std::string(kQuebra) + FormatarVlrUnit(vUnTrib);
    return resultado;
}

std::string TQuibDFeDANFeReport::TextoInfAdFisco(const TNFe &nfe) const
{
    std::string resultado = nfe.infAdic.infAdFisco;
    if (!resultado.empty() && !nfe.infAdic.infCpl.empty() && !resultado.ends_with(';'))
        resultado += "; ";
    return resultado;
}

std::string TQuibDFeDANFeReport::DocumentoFormatado(std::string_view documento) const
{
    if (documento.empty())
        return {};
    return (documento.size() == 14 ? " CNPJ: " : " CPF: ") + MascaraCNPJouCPF(documento);
}

std::string TQuibDFeDANFeReport::InfAdProdExibida(const TNFe &nfe, int item) const
{
    if (ExibeInforAdicProduto != infDescricao || !itemValido(nfe, item))
        return {};
    const std::string texto = trocarPontoEVirgula(trimText(nfe.det[item].infAdProd), SeparadorDetalhe());
    return texto.empty() ? texto : SeparadorDetalhe() + texto;
}

std::string TQuibDFeDANFeReport::PedidoItemExibido(const TNFe &nfe, int item) const
{
    if (!ImprimeXPedNItemPed || !itemValido(nfe, item))
        return {};
    const TProd &prod = nfe.det[item].prod;
    if (prod.xPed.empty() && prod.nItemPed.empty())
        return {};
    return trocarPontoEVirgula(";N.Pedido = " + prod.xPed + "  " + "N.Item = " + prod.nItemPed,
                               SeparadorDetalhe());
}

std::string TQuibDFeDANFeReport::DescricaoProdutoCompleta(const TNFe &nfe, int item) const
{
    if (!itemValido(nfe, item))
        return {};
    return nfe.det[item].prod.xProd + InfAdProdExibida(nfe, item) + PedidoItemExibido(nfe, item);
}

std::string TQuibDFeDANFeReport::TextoInfCpl(const TNFe &nfe) const
{
    return nfe.infAdic.infCpl;
}

std::string TQuibDFeDANFeReport::TextoObsCont(const TNFe &nfe) const
{
    return ImprimeInfContr ? observacoes(nfe.infAdic.obsCont) : std::string();
}

std::string TQuibDFeDANFeReport::TextoObsFisco(const TNFe &nfe) const
{
    return observacoes(nfe.infAdic.obsFisco);
}

std::string TQuibDFeDANFeReport::TextoProcRef(const TNFe &nfe) const
{
    const auto &lista = nfe.infAdic.procRef;
    std::string resultado;
    for (int i = 0; i < lista.count(); ++i) {
        if (i > 0)
            resultado += ";";
        resultado += "PROCESSO OU ATO CONCESSÓRIO Nº: " + lista[i].nProc +
                     " - ORIGEM: " + OrigemProcessoDescricao(lista[i].indProc);
    }
    if (!resultado.empty())
        resultado += "; ";
    return resultado;
}

std::string TQuibDFeDANFeReport::ValorTotalExibido(Decimal bruto, Decimal desconto) const
{
    return FormataNumeroBrasil(ImprimeTotalLiquido ? bruto - desconto : bruto);
}

std::string TQuibDFeDANFeReport::TextoCSTCSOSN(bool regimeNormal, TpcnSitSimplesNacional csosn,
                                               TpcnSitTributariaICMS cst) const
{
    return regimeNormal ? SitTributariaICMSParaCodigo(cst) : SitSimplesNacionalParaCodigo(csosn);
}

std::string TQuibDFeDANFeReport::TributosItemExibido(Decimal vTotTrib) const
{
    return FormataNumeroBrasil(ExibeTotalTributosItem ? vTotTrib : Decimal());
}
