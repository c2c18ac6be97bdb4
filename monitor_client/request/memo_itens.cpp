// The item buffer and the tax buffer of the request document, and the item
// loop: each item's share of the note's freight, insurance, discount and
// other expenses, its tax sections, its approximate taxes and the running
// totals of the note.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"

#include <algorithm>
#include <charconv>
#include <limits>

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

// A note amount as the item loop reads it: two decimals, no sign.
double valorDaNota(std::string_view texto)
{
    return TfrmNFE_2G::valorReal(TfrmNFE_2G::FtDc(texto, "00"));
}

// The item's share of a note amount: the rounded proportional share, never
// more than what is still to be shared (so no later item is left with a
// negative amount); the remainder loses it.
double parcela(double valorNota, double proporcao, double &resto)
{
    const double share = std::min(Arredonda(valorNota * proporcao, 2), resto);
    resto = Arredonda(resto - share, 2);
    return share;
}

struct ValoresNota {
    double produtos = 0, frete = 0, seguro = 0, desconto = 0, outras = 0;
    double restoFrete = 0, restoSeguro = 0, restoDesconto = 0, restoOutras = 0;
};

} // namespace

void TfrmNFE_2G::Writeln_memo(std::string_view texto)
{
    escreveNoBuffer(memoprod, texto, [this](const std::string &linha) { escreve(linha); });
}

void TfrmNFE_2G::Writeln_memo_Imp(std::string_view texto)
{
    escreveNoBuffer(memoImp, texto, [this](const std::string &linha) { Writeln_memo(linha); });
}

const LinhaItem &TfrmNFE_2G::itemAtual() const
{
    if (!itemAtual_)
        throw std::logic_error("no item is being written");
    return *itemAtual_;
}

namespace {

// Shares over a products total of 0 cannot be computed: the note is not
// generated rather than carrying infinite or undefined amounts.
double proporcaoDoItem(double totalItem, double produtos)
{
    if (produtos == 0)
        throw ConversionError("O total dos produtos da nota é zero: não há como ratear o frete, o "
                              "seguro, o desconto e as outras despesas entre os itens");
    return Arredonda(totalItem / produtos, 6);
}

struct Rateio {
    double frete = 0, seguro = 0, desconto = 0, outras = 0;
};

// The item's freight, insurance, discount and other expenses: its own, or
// its share of the note's (the last item takes what remains).
Rateio rateia(const LinhaItem &item, bool ultimo, bool haDescontoItem, double totalItem, ValoresNota &v)
{
    Rateio r;
    if (item.vlr_desconto != 0 || haDescontoItem)
        r.desconto = item.vlr_desconto;
    else if (ultimo)
        r.desconto = v.restoDesconto;
    else
        r.desconto = parcela(v.desconto, proporcaoDoItem(totalItem, v.produtos), v.restoDesconto);

    if (item.vlr_frete > 0 || item.vlr_seguro > 0 || item.vlr_outras > 0) {
        r.frete = item.vlr_frete;
        r.seguro = item.vlr_seguro;
        r.outras = item.vlr_outras;
    } else if (ultimo) {
        r.frete = v.restoFrete;
        r.seguro = v.restoSeguro;
        r.outras = v.restoOutras;
    } else {
        const double proporcao = proporcaoDoItem(totalItem, v.produtos);
        r.frete = parcela(v.frete, proporcao, v.restoFrete);
        r.seguro = parcela(v.seguro, proporcao, v.restoSeguro);
        r.outras = parcela(v.outras, proporcao, v.restoOutras);
    }
    return r;
}

// The NCM's digits as the number NcmImposto keys on; 0 when they make no
// number above 0 or one beyond the key's range.
std::int64_t numeroNcm(std::string_view ncm)
{
    std::string digitos = SomenteNumeros(ncm);
    digitos.erase(0, std::min(digitos.find_first_not_of('0'), digitos.size()));
    if (digitos.empty() || digitos.size() > 10)
        return 0;
    std::int64_t numero = 0;
    std::from_chars(digitos.data(), digitos.data() + digitos.size(), numero);
    return numero <= std::numeric_limits<std::int32_t>::max() ? numero : 0;
}

} // namespace

double TfrmNFE_2G::tributosAproximados(const LinhaItem &item)
{
    if (const std::int64_t ncm = numeroNcm(item.cod_ncm); ncm > 0) {
        auto achado = ncmImposto_.find(ncm);
        if (achado == ncmImposto_.end()) {
            std::optional<std::pair<double, double>> aliquotas;
            if (modulo_.SelectFile("1", "NcmImposto", "nro_ncm=?", {db::Value(ncm)}))
                aliquotas.emplace(modulo_.qrySelect1.campo("Aliq_Nac").asFloat(),
                                  modulo_.qrySelect1.campo("Aliq_imp").asFloat());
            achado = ncmImposto_.emplace(ncm, aliquotas).first;
        }
        if (achado->second) {
            const double base = valorReal("0" + FtDc(item.sub_tot_pro, "00"));
            const bool importado = !item.st_pro.empty() && item.st_pro.front() != '0';
            const double aliquota = importado ? achado->second->second : achado->second->first;
            return Arredonda(aliquota * base / 100, 2);
        }
    }
    return Arredonda(PisItem + CofinsItem + PisServicoItem + CofinsServicoItem + IssItem + IpiItem +
                         IcmsItem + IcmsStItem,
                     2);
}

void TfrmNFE_2G::GeraProdutos_Memo()
{
    const LinhaNota &nota = notaAtual();
    const auto itens = tabelas_.tblItens.daNota(nota.nota);
    ValoresNota v;
    v.produtos = valorDaNota(nota.vlr_tot_pro_not);
    v.restoFrete = v.frete = valorDaNota(nota.vlr_fre_not);
    v.restoSeguro = v.seguro = valorDaNota(nota.vlr_seg_not);
    v.restoDesconto = v.desconto = valorDaNota(nota.vlr_desc_not);
    v.restoOutras = v.outras = valorDaNota(nota.vlr_out_not);
    Writeln_memo("ZERA_MEMO");
    HaDescontoItem =
        std::any_of(itens.begin(), itens.end(), [](const LinhaItem *i) { return i->vlr_desconto > 0; });
    TotalTributos = BaseIcmsDeduzir = IcmsDeduzir = TotalServicos = 0;
    TotalPis = TotalCofins = TotalIss = TotalPisServicos = TotalCofinsServicos = 0;
    PisServicoItem = CofinsServicoItem = 0;
    importacao_ = DadosImportacao{};
    const bool regimeNormal = emitente("COD_REG_TRIB") == "3";

    struct Solta {
        const LinhaItem *&item;
        ~Solta() { item = nullptr; }
    } solta{itemAtual_};
    for (std::size_t p = 0; p < itens.size(); ++p) {
        const LinhaItem &item = *itens[p];
        itemAtual_ = &item;
        const Rateio r =
            rateia(item, p + 1 == itens.size(), HaDescontoItem, valorDaNota(item.sub_tot_pro), v);
        FreteItem = r.frete;
        SeguroItem = r.seguro;
        DescontoItem = r.desconto;
        OutrasItem = r.outras;

        PisItem = CofinsItem = PisServicoItem = CofinsServicoItem = IssItem = IpiItem = IcmsItem =
            IcmsStItem = 0;
        AliquotaCota = BaseCota = IcmsCota = 0;
        Writeln_memo_Imp("ZERA_MEMO");
        GeraCofins_Memo();
        GeraPIS_Memo();
        if (regimeNormal)
            GeraICMS_ISS_RN_Memo();
        else
            GeraICMS_ISS_Simples_Memo();
        GeraIPI_Memo();

        TributosItem = tributosAproximados(item);
        TotalTributos = Arredonda(TotalTributos + TributosItem, 2);
        TotalPis = Arredonda(TotalPis + PisItem, 2);
        TotalPisServicos = Arredonda(TotalPisServicos + PisServicoItem, 2);
        TotalCofins = Arredonda(TotalCofins + CofinsItem, 2);
        TotalCofinsServicos = Arredonda(TotalCofinsServicos + CofinsServicoItem, 2);
        TotalIss = Arredonda(TotalIss + IssItem, 2);

        escreveProduto(item);
        std::string textoLotes;
        if (item.printAdc)
            escreveMarcadores(item, textoLotes);
        if (nota.desc_senar == "IE")
            escreveImportacao(item);
        Writeln_memo_Imp("GRAVA_PARA_TXT");
        escreveAdicional(item, textoLotes);
    }
    Writeln_memo("");
}
