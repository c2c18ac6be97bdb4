#include "console/config_geral/arvore_nfe.h"

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

// One node per line, two spaces per level.
void escreve(const NoArvore &no, int nivel, std::string &saida)
{
    saida.append(static_cast<std::size_t>(nivel) * 2, ' ').append(no.legenda).append("\n");
    for (const auto &filho : no.filhos)
        escreve(filho, nivel + 1, saida);
}

std::string linhas(const NoArvore &raiz)
{
    std::string saida;
    escreve(raiz, 0, saida);
    return saida;
}

// Compares with a golden under tests/console/data; with NFE_WRITE_GOLDEN set
// the golden is written instead (to be reviewed before committing).
void confereGolden(const NoArvore &raiz, const std::string &nome)
{
    const std::string texto = linhas(raiz);
    if (std::getenv("NFE_WRITE_GOLDEN")) {
        std::ofstream(testsupport::sourceDir() / "tests/console/data" / nome) << texto;
        return;
    }
    EXPECT_EQ(texto, testsupport::testData("console/data/" + nome) + "\n") << nome;
}

const NoArvore *filho(const NoArvore &pai, std::string_view legenda)
{
    for (const auto &f : pai.filhos)
        if (f.legenda == legenda)
            return &f;
    return nullptr;
}

std::vector<std::string> legendas(const NoArvore &no)
{
    std::vector<std::string> saida;
    for (const auto &f : no.filhos)
        saida.push_back(f.legenda);
    return saida;
}

// The complete sample with every conditional group switched on as well.
void preencheTodosOsGrupos(TNFe &nfe)
{
    testsupport::fillCompleteNote(nfe, 1);
    nfe.infNFe.Id = std::string("NFe") + testsupport::kSampleKey;
    nfe.avulsa.CNPJ = "00394460000141";
    nfe.avulsa.xOrgao = "SEFAZ";
    nfe.avulsa.dEmi = encodeDateTime({2024, 5, 2, 0, 0, 0, 0});
    nfe.avulsa.vDAR = Decimal::fromUnits(185000);
    auto &item = nfe.det[0];
    item.prod.comb.ICMSInter.vBCICMSSTDest = 100;
    item.prod.comb.ICMSInter.vICMSSTDest = Decimal::fromUnits(185000);
    item.prod.comb.ICMSCons.vBCICMSSTCons = 50;
    item.prod.comb.ICMSCons.UFCons = "RJ";
    item.imposto.IPI.vBC = 100;
    item.imposto.IPI.pIPI = 10;
    item.imposto.II.vBC = 100;
    item.imposto.PISST.vBC = 100;
    item.imposto.PISST.pPIS = Decimal::fromUnits(16500);
    item.imposto.COFINSST.vBC = 100;
    nfe.exporta.UFEmbarq = "SP";
    nfe.exporta.xLocEmbarq = "SANTOS";
    nfe.compra.xNEmp = "EMP1";
    nfe.compra.xPed = "PED1";
}

TEST(ArvoreNFe, EveryGroupOfACompleteNoteMatchesItsGolden)
{
    TNFe nfe;
    preencheTodosOsGrupos(nfe);
    confereGolden(ArvoreNFe(nfe), "arvore_nfe_completa.txt");
}

TEST(ArvoreNFe, NoteWithoutProtocolAndWithAServiceItemMatchesItsGolden)
{
    TNFe nfe;
    testsupport::fillNoteWithItems(nfe, 1);
    nfe.det[0].imposto.ISSQN.cSitTrib = sisN;
    nfe.det[0].imposto.ISSQN.vBC = 100;
    nfe.det[0].imposto.ISSQN.cListServ = "14.01";
    confereGolden(ArvoreNFe(nfe), "arvore_nfe_servico.txt");
}

TEST(ArvoreNFe, ReferencesAndSealsHangEachUnderTheOneBefore)
{
    TNFe nfe;
    for (int i = 0; i < 3; ++i)
        nfe.ide.NFref.NovoItem().refNFe = testsupport::kSampleKey;
    nfe.transp.vol.NovoItem();
    auto &vol = nfe.transp.vol.NovoItem();
    vol.lacres.NovoItem().nLacre = "L1";
    vol.lacres.NovoItem().nLacre = "L2";
    const NoArvore raiz = ArvoreNFe(nfe);

    const NoArvore *ide = filho(raiz, "Ide");
    ASSERT_NE(ide, nullptr);
    const NoArvore *ref1 = filho(*ide, "NFRef001");
    ASSERT_NE(ref1, nullptr);
    const NoArvore *ref2 = filho(*ref1, "NFRef002");
    ASSERT_NE(ref2, nullptr);
    EXPECT_NE(filho(*ref2, "NFRef003"), nullptr);
    EXPECT_EQ(filho(*ide, "NFRef002"), nullptr);

    const NoArvore *transp = filho(raiz, "Transp");
    ASSERT_NE(transp, nullptr);
    EXPECT_THAT(legendas(*filho(*transp, "Volume001")), Not(Contains("Lacre001001")));
    const NoArvore *volume = filho(*transp, "Volume002");
    ASSERT_NE(volume, nullptr);
    const NoArvore *lacre1 = filho(*volume, "Lacre002001");
    ASSERT_NE(lacre1, nullptr);
    EXPECT_THAT(legendas(*lacre1), ElementsAre("nLacre=L1", "Lacre002002"));
    EXPECT_THAT(legendas(*filho(*lacre1, "Lacre002002")), ElementsAre("nLacre=L2"));
}

TEST(ArvoreNFe, ImportDeclarationsStopAtTheFirstWithoutNumber)
{
    TNFe nfe;
    auto &prod = nfe.det.AdicionarItem().prod;
    prod.DI.NovoItem().nDI = "111";
    prod.DI.NovoItem();
    prod.DI.NovoItem().nDI = "333";
    const NoArvore raiz = ArvoreNFe(nfe);
    const NoArvore *produto = filho(raiz, "Produto001");
    ASSERT_NE(produto, nullptr);
    EXPECT_NE(filho(*produto, "DI001"), nullptr);
    EXPECT_EQ(filho(*produto, "DI002"), nullptr);
    EXPECT_EQ(filho(*produto, "DI003"), nullptr);
}

struct CasoContribuicao {
    TpcnSitTributariaPIS pis;
    TpcnSitTributariaCOFINS cofins;
    std::vector<std::string> folhasPIS, folhasCOFINS;
};

TEST(ArvoreNFe, PISAndCOFINSShowTheFieldsOfTheirCST)
{
    // clang-format off
    const CasoContribuicao casos[] = {
        {stp01, stc01, {"CST=01", "vBC=100", "pPIS=1.65", "vPIS=1.65"},
                       {"CST=01", "vBC=100", "pCOFINS=7.6", "vCOFINS=7.6"}},
        {stp03, stc03, {"CST=03", "qBCProd=2", "vAliqProd=0.5", "vPIS=1.65"},
                       {"CST=03", "qBCProd=2", "vAliqProd=0.5", "vCOFINS=7.6"}},
        {stp04, stc04, {"CST=04"}, {"CST=04"}},
        {stp99, stc99, {"CST=99", "vBC=100", "pPIS=1.65", "qBCProd=2", "vAliqProd=0.5", "vPIS=1.65"},
                       {"CST=99", "vBC=100", "pCOFINS=7.6", "qBCProd=2", "vAliqProd=0.5", "vCOFINS=7.6"}},
    };
    // clang-format on
    for (const auto &c : casos) {
        TNFe nfe;
        auto &imposto = nfe.det.AdicionarItem().imposto;
        imposto.PIS = {
            c.pis, 100, Decimal::fromUnits(16500), Decimal::fromUnits(16500), 2, Decimal::fromUnits(5000)};
        imposto.COFINS = {
            c.cofins, 100, Decimal::fromUnits(76000), Decimal::fromUnits(76000), Decimal::fromUnits(5000), 2};
        const NoArvore raiz = ArvoreNFe(nfe);
        const NoArvore &impostos = *filho(*filho(raiz, "Produto001"), "Imposto");
        EXPECT_EQ(legendas(*filho(impostos, "PIS")), c.folhasPIS);
        EXPECT_EQ(legendas(*filho(impostos, "COFINS")), c.folhasCOFINS);
    }
}

TEST(ArvoreNFe, ATimeOfExitShowsAsATimeAndUnsetDatesAsEmpty)
{
    TNFe nfe;
    nfe.infNFe.versao = 2.0;
    nfe.ide.hSaiEnt = encodeDateTime({1899, 12, 30, 8, 15, 0, 0});
    nfe.ide.dSaiEnt = encodeDateTime({2011, 3, 4, 0, 0, 0, 0});
    nfe.procNFe.dhRecbto = encodeDateTime({2011, 3, 4, 9, 5, 7, 0});
    const NoArvore raiz = ArvoreNFe(nfe);
    const auto ide = legendas(*filho(raiz, "Ide"));
    EXPECT_THAT(ide, Contains("hSaiEnt= 08:15:00"));
    EXPECT_THAT(ide, Contains("dSaiEnt= 04/03/2011"));
    EXPECT_THAT(ide, Contains("dEmi= "));
    EXPECT_THAT(ide, Contains("dhCont= "));
    EXPECT_THAT(legendas(*filho(raiz, "procNFe")), Contains("dhRecbto= 04/03/2011 09:05:07"));
}

} // namespace
