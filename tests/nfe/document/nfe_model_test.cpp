#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "tests/support/sample_notes.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#define NFE_HAS_LEAK_CHECK 1
#endif

namespace {

TEST(NFeModel, NewDocumentDefaults)
{
    TNFe nfe;
    EXPECT_EQ(nfe.infNFe.versao, 0);
    EXPECT_EQ(nfe.infNFe.VersaoOuPadrao(), 2.0);
    EXPECT_EQ(nfe.infNFe.AtributoVersao(), "versao=\"2.00\"");
    EXPECT_EQ(nfe.emit.CRT, crt3);
    EXPECT_EQ(nfe.ide.tpAmb, taProducao);
    EXPECT_EQ(nfe.ide.indIntermed, itmNenhum);

    EXPECT_EQ(nfe.emit.enderEmit.cPais, 1058);
    EXPECT_EQ(nfe.emit.enderEmit.xPais, "BRASIL");
    EXPECT_EQ(nfe.dest.enderDest.cPais, 1058);
    EXPECT_EQ(nfe.dest.enderDest.xPais, "BRASIL");
    EXPECT_EQ(nfe.retirada.cPais, 0);
    EXPECT_EQ(nfe.retirada.xPais, "");
    EXPECT_EQ(nfe.entrega.cPais, 0);
    EXPECT_EQ(nfe.entrega.xPais, "");

    EXPECT_EQ(nfe.det.count(), 0);
    EXPECT_EQ(nfe.pag.count(), 0);
    EXPECT_TRUE(nfe.pag.vTroco.isZero());
    EXPECT_EQ(nfe.procNFe.nProt, "");
    EXPECT_EQ(nfe.Signature.DigestValue, "");
}

TEST(NFeModel, VersionAttributeAndFallback)
{
    struct Case {
        double versao;
        double expectedVersion;
        const char *expectedAttribute;
    };
    const Case cases[] = {
        {0, 2.0, "versao=\"2.00\""},   {-1, 2.0, "versao=\"2.00\""}, {4, 4.0, "versao=\"4.00\""},
        {3.1, 3.1, "versao=\"3.10\""}, {2, 2.0, "versao=\"2.00\""},
    };
    for (const Case &c : cases) {
        TInfNFe inf;
        inf.versao = c.versao;
        EXPECT_EQ(inf.VersaoOuPadrao(), c.expectedVersion) << c.versao;
        EXPECT_EQ(inf.AtributoVersao(), c.expectedAttribute) << c.versao;
    }
}

TEST(NFeModel, NewPaymentLeavesOptionalCodesEmpty)
{
    TNFe nfe;
    TpagCollectionItem &pag = nfe.pag.NovoItem();
    EXPECT_EQ(pag.indPag, ifpVazio);
    EXPECT_EQ(pag.tBand, bdVazio);
    EXPECT_EQ(static_cast<int>(pag.tBand), 255);
    EXPECT_EQ(IndFormaPagamentoParaCodigo(pag.indPag), "");
    EXPECT_EQ(BandeiraOperadoraParaCodigo(pag.tBand), "");
    EXPECT_TRUE(nfe.pag.vTroco.isZero());
}

TEST(NFeModel, NewItemDefaults)
{
    TNFe nfe;
    const TDetCollectionItem &det = nfe.det.NovoItem();
    EXPECT_EQ(det.prod.indTot, ist1);
    EXPECT_EQ(det.prod.indEscala, epNenhum);
    EXPECT_EQ(det.prod.comb.cProdANP, 0);
    EXPECT_EQ(det.prod.veicProd.chassi, "");
    EXPECT_EQ(det.prod.DI.count() + det.prod.NVE.count() + det.prod.detExport.count() +
                  det.prod.rastro.count() + det.prod.med.count() + det.prod.arma.count() +
                  det.prod.comb.origComb.count(),
              0);
    EXPECT_EQ(det.imposto.ISSQN.cSitTrib, sisVazio);
    EXPECT_EQ(det.imposto.ISSQN.cListServ, "");
    EXPECT_EQ(det.imposto.ICMS.orig, opr0);
    EXPECT_EQ(det.imposto.ICMS.CST, sti00);
    EXPECT_EQ(det.imposto.ICMS.CSOSN, ssnVazio);
    EXPECT_EQ(det.imposto.ICMS.modBCST, mbs0);
    // The reason starts at its first value, not at the empty one.
    EXPECT_EQ(det.imposto.ICMS.motDesICMS, mdi1);
    EXPECT_EQ(det.imposto.ICMS.motDesICMSST, mdi1);
    EXPECT_EQ(det.imposto.ICMS.motRedAdRem, mraTransporteColetivo);
}

TEST(NFeModel, CfopIsStoredUnchanged)
{
    TProd prod;
    prod.SetCFOP(" 5.102 ");
    EXPECT_EQ(prod.CFOP, " 5.102 ");
}

TEST(NFeModel, ObterItemOutsideTheListIsAnIndexError)
{
    TNFe nfe;
    EXPECT_THROW(nfe.det.ObterItem(0), std::out_of_range);
    EXPECT_EQ(nfe.det.count(), 0) << "no item is created implicitly";

    nfe.pag.NovoItem();
    EXPECT_NO_THROW(nfe.pag.ObterItem(0));
    EXPECT_THROW(nfe.pag.ObterItem(1), std::out_of_range);
    EXPECT_THROW(nfe.pag.ObterItem(-1), std::out_of_range);
    const TNFe &constNfe = nfe;
    EXPECT_THROW(constNfe.pag.ObterItem(1), std::out_of_range);
    EXPECT_EQ(nfe.pag.count(), 1);
}

TEST(NFeModel, ItemReferencesStayValidWhileTheListGrows)
{
    TNFe nfe;
    TDetCollectionItem &first = nfe.det.NovoItem();
    first.prod.cProd = "FIRST";
    TDetCollectionItem &second = nfe.det.AdicionarItem();
    for (int i = 0; i < 1000; ++i)
        nfe.det.NovoItem();
    first.prod.xProd = "still here";
    EXPECT_EQ(&nfe.det.ObterItem(0), &first);
    EXPECT_EQ(&nfe.det.ObterItem(1), &second);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.xProd, "still here");
    EXPECT_EQ(nfe.det.count(), 1002);
}

TEST(NFeModel, ListsOwnTheirItemsAndClearingEmptiesThem)
{
    TNFe nfe;
    testsupport::fillCompleteNote(nfe, 3);
    ASSERT_EQ(nfe.det.count(), 3);
    EXPECT_EQ(nfe.det.ObterItem(2).prod.DI.ObterItem(0).adi.count(), 2);
    EXPECT_EQ(nfe.transp.vol.ObterItem(0).lacres.ObterItem(1).nLacre, "LACRE2");

    nfe.det.remove(1);
    EXPECT_EQ(nfe.det.count(), 2);
    EXPECT_EQ(nfe.det.ObterItem(1).prod.cProd, "P3");

    // A document can be filled again after clearing its lists.
    nfe.det.clear();
    EXPECT_EQ(nfe.det.count(), 0);
    nfe.det.NovoItem().prod.cProd = "NEW";
    EXPECT_EQ(nfe.det.ObterItem(0).prod.cProd, "NEW");
    EXPECT_TRUE(nfe.det.ObterItem(0).prod.DI.empty());
}

TEST(NFeModel, FreeingAFullyPopulatedNoteLeaksNothing)
{
    {
        TNFe nfe;
        testsupport::fillCompleteNote(nfe, 50);
        nfe.det.remove(10);
        nfe.transp.vol.ObterItem(0).lacres.clear();
    }
#ifdef NFE_HAS_LEAK_CHECK
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
    GTEST_SKIP() << "built without AddressSanitizer";
#endif
}

} // namespace
