#include "tests/monitor_client/request/nota_fixture.h"

#include "foundation/base/quib_exception.h"
#include "tests/support/test_data.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ItensNota : public NotaFixture {
  protected:
    // A note of the emitter with the items, its request document built;
    // the fields not set keep the tables' new-row defaults.
    std::vector<std::string> monta(LinhaNota nota, const std::vector<LinhaItem> &itens,
                                   const char *emitente = kEmitenteProducao)
    {
        tabelas.OpenFile();
        nota.nota = 1;
        nota.nro_not = "10";
        nota.Dat_emi_not = "07/03/2024";
        tabelas.posta(nota);
        for (LinhaItem item : itens) {
            item.nota = 1;
            tabelas.posta(item);
        }
        selecionaEmitente(emitente);
        tela->selecionaNota(0);
        return tela->MontaDocumentoNota();
    }

    LinhaNota nota(const char *produtos) const
    {
        LinhaNota n = tabelas.tblNotas.nova();
        n.vlr_tot_pro_not = produtos;
        return n;
    }

    LinhaItem item(const char *total, const char *stPro = "041") const
    {
        LinhaItem i = tabelas.tblItens.nova();
        i.qtd_pro = "1";
        i.vlr_uni_pro = i.sub_tot_pro = total;
        i.icm_pro = "18";
        i.st_pro = stPro;
        return i;
    }
};

// The value of the key at the indent in each item block (from "[Prod]" to
// the next), "-" where the block has no such line.
std::vector<std::string> porItem(const std::vector<std::string> &linhas, int indent, const std::string &chave)
{
    const std::string prefixo = TfrmNFE_2G::Sp(indent, chave);
    std::vector<std::string> valores;
    for (const auto &linha : linhas) {
        if (linha == "[Prod]")
            valores.emplace_back("-");
        else if (!valores.empty() && linha.rfind(prefixo, 0) == 0 && valores.back() == "-")
            valores.back() = linha.substr(prefixo.size());
    }
    return valores;
}

// The value of the first line of the key at the indent after the header.
std::string valorNaSecao(const std::vector<std::string> &linhas, const std::string &secao, int indent,
                         const std::string &chave)
{
    bool dentro = false;
    for (const auto &linha : linhas) {
        if (!linha.empty() && linha.find('[') != std::string::npos)
            dentro = linha.find("[" + secao + "]") != std::string::npos;
        else if (dentro && linha.rfind(TfrmNFE_2G::Sp(indent, chave), 0) == 0)
            return linha.substr(TfrmNFE_2G::Sp(indent, chave).size());
    }
    return "<none>";
}

bool temSecao(const std::vector<std::string> &linhas, const std::string &secao)
{
    for (const auto &linha : linhas)
        if (linha.find("[" + secao + "]") != std::string::npos)
            return true;
    return false;
}

// Each golden is Windows-1252 with CR LF and passes the fake monitor's check.
TEST_F(ItensNota, MatchesTheItemGoldens)
{
    carregaNotas("data/monitor_client/notas_itens.json");
    const struct {
        int nota;
        const char *golden;
    } casos[] = {
        {11, "itens_marcadores_lotes"},
        {12, "itens_nota_importacao"},
        {13, "itens_servico_pis_cofins"},
        {14, "itens_cst_regime_normal"},
        {15, "itens_csosn_simples"},
        {16, "itens_ipi_ncm_imposto"},
        {17, "itens_ipi_is"},
    };
    for (const auto &caso : casos)
        confereGolden(caso.nota, caso.golden);
}

TEST_F(ItensNota, SharesTheNoteAmountsWithoutNegativeItems)
{
    const struct {
        const char *produtos, *frete, *seguro, *desconto, *outras;
        std::vector<const char *> totais;
        std::vector<std::string> fretes, seguros, descontos, outros;
    } casos[] = {
        // Three equal items: the last takes the remainder.
        {"30.00",
         "10.00",
         "",
         "",
         "",
         {"10.00", "10.00", "10.00"},
         {"3.33", "3.33", "3.34"},
         {"-", "-", "-"},
         {"-", "-", "-"},
         {"-", "-", "-"}},
        // Rounded shares that overshoot: no item is given more than remains.
        {"100.00",
         "0.05",
         "0.05",
         "0.05",
         "0.05",
         std::vector<const char *>(10, "10.00"),
         {"0.01", "0.01", "0.01", "0.01", "0.01", "-", "-", "-", "-", "-"},
         {"0.01", "0.01", "0.01", "0.01", "0.01", "-", "-", "-", "-", "-"},
         {"0.01", "0.01", "0.01", "0.01", "0.01", "-", "-", "-", "-", "-"},
         {"0.01", "0.01", "0.01", "0.01", "0.01", "-", "-", "-", "-", "-"}},
        // Unequal items.
        {"100.00",
         "7.00",
         "1.00",
         "2.00",
         "",
         {"50.00", "25.00", "25.00"},
         {"3.50", "1.75", "1.75"},
         {"0.50", "0.25", "0.25"},
         {"1.00", "0.50", "0.50"},
         {"-", "-", "-"}},
        // One item takes the remainders without dividing, even over a zero total.
        {"0.00", "5.00", "", "", "", {"0.00"}, {"5.00"}, {"-"}, {"-"}, {"-"}},
    };
    for (const auto &caso : casos) {
        LinhaNota n = nota(caso.produtos);
        n.vlr_fre_not = caso.frete;
        n.vlr_seg_not = caso.seguro;
        n.vlr_desc_not = caso.desconto;
        n.vlr_out_not = caso.outras;
        std::vector<LinhaItem> itens;
        for (const char *total : caso.totais)
            itens.push_back(item(total));
        const auto linhas = monta(n, itens);
        EXPECT_EQ(porItem(linhas, 4, "vFrete"), caso.fretes) << caso.frete;
        EXPECT_EQ(porItem(linhas, 4, "vseg"), caso.seguros) << caso.frete;
        EXPECT_EQ(porItem(linhas, 4, "vdesc"), caso.descontos) << caso.frete;
        EXPECT_EQ(porItem(linhas, 4, "voutro"), caso.outros) << caso.frete;
    }

    // An item with its own discount: every item keeps its own, none shared.
    LinhaNota n = nota("30.00");
    n.vlr_desc_not = "5.00";
    std::vector<LinhaItem> itens(3, item("10.00"));
    itens[1].vlr_desconto = 2;
    EXPECT_EQ(porItem(monta(n, itens), 4, "vdesc"), (std::vector<std::string>{"-", "2.00", "-"}));
}

TEST_F(ItensNota, ZeroProductsTotalStopsTheNoteInsteadOfInfiniteShares)
{
    LinhaNota n = nota("0,00");
    n.vlr_fre_not = "10.00";
    try {
        monta(n, {item("0.00"), item("0.00")});
        ADD_FAILURE() << "no error";
    } catch (const ConversionError &erro) {
        EXPECT_NE(std::string(erro.what()).find("total dos produtos da nota é zero"), std::string::npos);
    }
}

TEST_F(ItensNota, WritesUnitPriceTotalMarkerAndBarcodes)
{
    const struct {
        const char *qtd, *unitario, *total, *stPro, *adc3, *barras;
        const char *vuncom, *indtot, *cean;
    } casos[] = {
        {"3", "3.33", "10.00", "000", "", "12345678", "3.3333", "1", ""},
        {"3000", "0.0033", "10.00", "000", "", "789123456789", "0.0033333333", "1", "789123456789"},
        {"2", "5.00", "10.00", "099", "", "78912345678901", "5.0000", "0", "78912345678901"},
        {"1", "10.00", "10.00", "098", "TOTALIZA", "", "10.0000", "1", ""},
        {"1", "10.00", "10.00", "098", "", "123456789012345", "10.0000", "0", ""},
    };
    for (const auto &caso : casos) {
        LinhaItem i = item(caso.total, caso.stPro);
        i.qtd_pro = caso.qtd;
        i.vlr_uni_pro = caso.unitario;
        i.adc3 = caso.adc3;
        i.cod_bar = caso.barras;
        const auto linhas = monta(nota(caso.total), {i});
        EXPECT_EQ(porItem(linhas, 4, "vuncom").at(0), caso.vuncom) << caso.qtd;
        EXPECT_EQ(porItem(linhas, 4, "vuntrib").at(0), caso.vuncom) << caso.qtd;
        EXPECT_EQ(porItem(linhas, 4, "indtot").at(0), caso.indtot) << caso.stPro;
        EXPECT_EQ(porItem(linhas, 4, "cean").at(0), caso.cean) << caso.barras;
    }
}

TEST_F(ItensNota, MarkerGroupsAndAdditionalText)
{
    // Lots marker without lot rows: no [MED], no [det].
    LinhaItem lotes = item("10.00");
    lotes.printAdc = true;
    lotes.adc10 = TfrmNFE_2G::kMarcadorLotes;
    auto linhas = monta(nota("10.00"), {lotes});
    EXPECT_FALSE(temSecao(linhas, "MED"));
    EXPECT_FALSE(temSecao(linhas, "det"));

    // No marker, no observation, no additional field: an empty "infadprod".
    LinhaItem vazio = item("10.00");
    vazio.printAdc = true;
    linhas = monta(nota("10.00"), {vazio});
    EXPECT_EQ(valorNaSecao(linhas, "det", 4, "infadprod"), "");

    // A DI marker whose date is not a date stops the note.
    LinhaItem di = item("10.00");
    di.printAdc = true;
    di.adc10 = TfrmNFE_2G::kMarcadorImportacao;
    di.adc1 = "123^";
    di.adc3 = "SP^05/02/2024";
    EXPECT_THROW(monta(nota("10.00"), {di}), ConversionError);
}

// The expense ICMS at the note's rate, positive and negative, as far as the
// note's totals.
TEST_F(ItensNota, ExpenseIcmsReachesTheItemGroupAndTheTotals)
{
    const struct {
        const char *stPro;
        double desconto;
        const char *secao, *vbc, *picms, *vicms, *totalVbc, *totalVicms;
        double baseDeduzir, icmsDeduzir;
    } casos[] = {
        {"000", 0, "ICMS00", "110.00", "17.00", "18.20", "100.00", "17.00", 0, 0},
        {"040", 0, "ICMS90", "10.00", "12.00", "1.20", "100.00", "17.00", 0, 0},
        {"030", 0, "ICMS10", "10.00", "12.00", "1.20", "100.00", "17.00", 0, 0},
        // A discount above the freight: a negative expense ICMS.
        {"000", 20, "ICMS00", "90.00", "17.00", "15.80", "100.00", "17.00", 0, 0},
        {"090", 20, "ICMS90", "90.00", "17.00", "16.80", "100.00", "17.00", 0, 0},
        {"040", 20, "ICMS40", "<none>", "<none>", "<none>", "110.00", "18.20", -10, -1.2},
        {"060", 20, "ICMS60", "<none>", "<none>", "<none>", "110.00", "18.20", -10, -1.2},
    };
    for (const auto &caso : casos) {
        LinhaNota n = nota("100.00");
        n.desc_porc_cota = "12,00";
        n.base_icm_not = "100.00";
        n.vlr_icm_not = "17.00";
        LinhaItem i = item("100.00", caso.stPro);
        i.icm_pro = "17";
        i.bc_icms = 100;
        i.Aliq_Cred_Icms = 18;
        i.vlr_frete = 10;
        i.vlr_desconto = caso.desconto;
        const auto linhas = monta(n, {i});
        ASSERT_TRUE(temSecao(linhas, caso.secao)) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, caso.secao, 8, "vbc"), caso.vbc) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, caso.secao, 8, "picms"), caso.picms) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, caso.secao, 8, "vicms"), caso.vicms) << caso.stPro;
        EXPECT_DOUBLE_EQ(tela->BaseIcmsDeduzir, caso.baseDeduzir) << caso.stPro;
        EXPECT_DOUBLE_EQ(tela->IcmsDeduzir, caso.icmsDeduzir) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, "ICMStot", 4, "vbc"), caso.totalVbc) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, "ICMStot", 4, "vicms"), caso.totalVicms) << caso.stPro;
    }
    // The CST 00 item's approximate taxes are its ICMS with the expense ICMS.
    LinhaNota n = nota("100.00");
    n.desc_porc_cota = "12,00";
    LinhaItem i = item("100.00", "000");
    i.icm_pro = "17";
    i.bc_icms = 100;
    i.vlr_frete = 10;
    EXPECT_EQ(valorNaSecao(monta(n, {i}), "ICMStot", 4, "vtottrib"), "18.20");
}

TEST_F(ItensNota, ChoosesTheIcmsGroupByTheSituationCode)
{
    const struct {
        const char *emitente, *stPro, *secao, *orig, *codigoChave, *codigo;
    } casos[] = {
        {kEmitenteProducao, "", "ICMS00", "0", "cst", "00"},
        {kEmitenteProducao, "60", "ICMS60", "0", "cst", "60"},
        {kEmitenteProducao, "0202", "", "", "", ""},
        {kEmitenteProducao, "12345", "", "", "", ""}, // keeps "345": origin 3, CST 45
        {kEmitenteHomologacao, "101", "ICMSSN101", "0", "csosn", "101"},
        {kEmitenteHomologacao, "0202", "ICMSSN202", "0", "csosn", "202"},
        {kEmitenteHomologacao, "2500", "ICMSSN500", "2", "csosn", "500"},
    };
    for (const auto &caso : casos) {
        const auto linhas = monta(nota("10.00"), {item("10.00", caso.stPro)}, caso.emitente);
        bool algum = false;
        for (const auto &linha : linhas)
            algum = algum || linha.rfind(TfrmNFE_2G::Sp(6, "") + "[ICMS", 0) == 0;
        if (*caso.secao == '\0') {
            EXPECT_FALSE(algum) << caso.stPro;
            continue;
        }
        EXPECT_EQ(valorNaSecao(linhas, caso.secao, 8, "orig"), caso.orig) << caso.stPro;
        EXPECT_EQ(valorNaSecao(linhas, caso.secao, 8, caso.codigoChave), caso.codigo) << caso.stPro;
    }
}

// Each case: an item, the sections it must and must not have and the item
// accumulators it feeds.
TEST_F(ItensNota, FeedsTheItemAccumulators)
{
    struct Caso {
        const char *nome;
        void (*prepara)(LinhaItem &);
        std::vector<std::string> com, sem;
        double pis, pisServico, iss, ipi, icms, icmsSt;
    };
    const Caso casos[] = {
        {"servico",
         [](LinhaItem &i) {
             i.iss_aliq = 5;
             i.iss_vbc = 10;
             i.tipo_pis = "PISALIQ";
             i.pis_vbc = 10;
             i.pis_ppis = 1.65;
         },
         {"ISSQN", "pisaliq"},
         {"ICMS40"},
         0,
         0.16,
         0.5,
         0,
         0,
         0},
        {"pisqtde sem base",
         [](LinhaItem &i) {
             i.tipo_pis = "pisqtde";
             i.pis_qtdvnd = 10;
             i.pis_aliq_real = 0.5;
         },
         {"pisqtde", "pisst"},
         {},
         0,
         0,
         0,
         0,
         0,
         0},
        {"pisqtde com base",
         [](LinhaItem &i) {
             i.tipo_pis = "PISQTDE";
             i.pis_qtdvnd = 10;
             i.pis_aliq_real = 0.5;
             i.pis_vbc = 10;
             i.pis_ppis = 1.65;
         },
         {"pisqtde", "pisst"},
         {},
         0.16,
         0,
         0,
         0,
         0,
         0},
        {"ipi 52",
         [](LinhaItem &i) {
             i.ipi_vlr = 3;
             i.cst_IPI = 52;
         },
         {"IPI", "IPINT"},
         {"IPITRIB"},
         0,
         0,
         0,
         0,
         0,
         0},
        {"ipi 50",
         [](LinhaItem &i) {
             i.ipi_vlr = 3;
             i.ipi_aliq = 30;
         },
         {"IPI", "IPITRIB"},
         {"IPINT"},
         0,
         0,
         0,
         3,
         0,
         0},
        {"sem ipi", [](LinhaItem &) {}, {"ICMS40"}, {"IPI"}, 0, 0, 0, 0, 0, 0},
        {"iss negativo", [](LinhaItem &i) { i.iss_aliq = -1; }, {}, {"ICMS40", "ISSQN"}, 0, 0, 0, 0, 0, 0},
        {"cst 60 retido",
         [](LinhaItem &i) {
             i.st_pro = "060";
             i.bc_icms_s = 10;
         },
         {"ICMS60"},
         {},
         0,
         0,
         0,
         0,
         0,
         0},
        {"cst 10",
         [](LinhaItem &i) {
             i.st_pro = "010";
             i.bc_icms = 10;
             i.bc_icms_s = 20;
         },
         {"ICMS10"},
         {},
         0,
         0,
         0,
         0,
         1.8,
         3.6},
        {"cst 99",
         [](LinhaItem &i) {
             i.st_pro = "099";
             i.bc_icms = 4.5;
         },
         {"ICMS90"},
         {},
         0,
         0,
         0,
         0,
         4.5,
         0},
    };
    for (const auto &caso : casos) {
        LinhaItem i = item("10.00", "040");
        caso.prepara(i);
        const auto linhas = monta(nota("10.00"), {i});
        for (const auto &secao : caso.com)
            EXPECT_TRUE(temSecao(linhas, secao)) << caso.nome << " " << secao;
        for (const auto &secao : caso.sem)
            EXPECT_FALSE(temSecao(linhas, secao)) << caso.nome << " " << secao;
        EXPECT_DOUBLE_EQ(tela->PisItem, caso.pis) << caso.nome;
        EXPECT_DOUBLE_EQ(tela->PisServicoItem, caso.pisServico) << caso.nome;
        EXPECT_DOUBLE_EQ(tela->IssItem, caso.iss) << caso.nome;
        EXPECT_DOUBLE_EQ(tela->IpiItem, caso.ipi) << caso.nome;
        EXPECT_DOUBLE_EQ(tela->IcmsItem, caso.icms) << caso.nome;
        EXPECT_DOUBLE_EQ(tela->IcmsStItem, caso.icmsSt) << caso.nome;
    }
}

TEST_F(ItensNota, ARateReadAsANumberMustHoldOne)
{
    for (const char *aliquota : {"", "12,5", "x"}) {
        LinhaItem i = item("10.00", "000");
        i.icm_pro = aliquota;
        try {
            monta(nota("10.00"), {i});
            ADD_FAILURE() << aliquota;
        } catch (const ConversionError &erro) {
            EXPECT_NE(std::string(erro.what()).find("icm_pro"), std::string::npos) << erro.what();
        }
    }
}

} // namespace
