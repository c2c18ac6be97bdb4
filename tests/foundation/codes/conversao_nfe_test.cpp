#include <gtest/gtest.h>

#include "foundation/codes/conversao_nfe.h"

namespace {

TEST(NFeCodes, ServicesAndTheirSchemas)
{
    bool ok = false;
    EXPECT_EQ(NomeParaServicoNFe("RecepcaoEvento", ok), srvRecepcaoEventoAN);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NomeParaServicoNFe("nfeautorizacao", ok), srvNfeAutorizacao);
    EXPECT_TRUE(ok);
    EXPECT_EQ(NomeParaServicoNFe("Outro", ok), srvNfeRecepcao);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ServicoNFeParaNome(srvRecepcaoEventoA), "RecepcaoEvento");

    EXPECT_EQ(ServicoNFeParaSchema(srvNfeRetAutorizacao), schretEnviNFe);
    EXPECT_EQ(ServicoNFeParaSchema(srvNfeRetRecepcao), schconsReciNFe);
    EXPECT_EQ(ServicoNFeParaSchema(srvNfeAutorizacao), schNfe);
    EXPECT_EQ(ServicoNFeParaSchema(srvEventoEPEC), scheventoEPEC);
    EXPECT_EQ(ServicoNFeParaSchema(static_cast<TpcnServicoNFe>(17)), schErro);

    EXPECT_EQ(SchemaNFeParaNome(schNfe), "Nfe");
    EXPECT_EQ(SchemaNFeParaNome(schconsSitNFe), "consSitNFe");
    EXPECT_EQ(SchemaNFeParaNome(schErro), "Erro");
    EXPECT_EQ(SchemaEventoParaNome(schNfe), "");
    EXPECT_EQ(SchemaEventoParaNome(schCancSubst), "e110112");
    EXPECT_EQ(SchemaEventoParaNome(schEnvCCe), "e110110");
}

TEST(NFeCodes, ModelAndVersions)
{
    bool ok = true;
    EXPECT_EQ(CodigoParaModeloDF("57", ok), moNFe);
    EXPECT_FALSE(ok);
    EXPECT_EQ(ModeloDFParaSigla(moNFe), "NFe");
    EXPECT_EQ(ModeloDFParaSigla(moNFCe), "NFCe");
    EXPECT_EQ(ModeloDFParaSigla(static_cast<TpcnModeloDF>(9)), "NFe");

    struct Caso {
        double numero;
        TpcnVersaoDF versao;
    };
    const Caso casos[] = {{0, ve200},   {2.99, ve200}, {3, ve300}, {3.09, ve300},
                          {3.1, ve310}, {3.99, ve310}, {4, ve400}, {4.5, ve400}};
    for (const auto &caso : casos) {
        ok = false;
        EXPECT_EQ(NumeroParaVersaoDF(caso.numero, ok), caso.versao) << caso.numero;
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(VersaoDFParaCodigo(ve310), "3.10");
    EXPECT_EQ(VersaoDFParaNumero(static_cast<TpcnVersaoDF>(7)), 0);
    EXPECT_EQ(VersaoQrCodeParaNumero(static_cast<TpcnVersaoQrCode>(7)), 0);
}

TEST(NFeCodes, ListedEmptyCodesAndEventCodes)
{
    bool ok = false;
    EXPECT_EQ(CodigoParaEscalaProducao("", ok), epNenhum);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodigoParaEscalaProducao("n", ok), epNaoRelevante);
    EXPECT_TRUE(ok);

    ok = true;
    EXPECT_EQ(CodigoParaTipoEventoNFe("110113", ok), tevNaoMapeado);
    EXPECT_FALSE(ok);
    EXPECT_EQ(CodigoParaTipoEventoNFe("110112", ok), tevCancelamentoPorSubstituicao);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodigoParaTipoEventoNFe("-99999", ok), tevNaoMapeado);
    EXPECT_TRUE(ok);
}

} // namespace
