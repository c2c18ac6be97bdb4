#include <gtest/gtest.h>

#include "foundation/codes/conversao.h"

namespace {

TEST(DocumentCodes, UnknownOrMalformedCodesFallBackWithOkFalse)
{
    bool ok = true;
    EXPECT_EQ(CodigoParaTipoAmbiente("3", ok), taProducao);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaTipoAmbiente("", ok), taProducao);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaTipoEmissao("0", ok), teNormal);
    EXPECT_FALSE(ok);
    EXPECT_EQ(TipoEmissaoParaCodigo(teOffLine), "9");

    ok = false;
    EXPECT_EQ(CodigoParaModeloECF("2b", ok), mecf2B);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodigoParaModeloECF(" 2B", ok), mecfVazio);
    EXPECT_FALSE(ok);
}

TEST(DocumentCodes, EmptyRegimeReadsAsRegimeNormalWhichIsWrittenThree)
{
    bool ok = false;
    EXPECT_EQ(CodigoParaRegimeTributario("", ok), crt3);
    EXPECT_TRUE(ok);
    EXPECT_EQ(RegimeTributarioParaCodigo(crt3), "3");
    EXPECT_EQ(CodigoParaRegimeTributario("4", ok), crt3);
    EXPECT_FALSE(ok);
}

TEST(DocumentCodes, StateCodesAreExactLookupsBothWays)
{
    EXPECT_EQ(SiglaUFParaCUF("SP"), 35);
    EXPECT_EQ(SiglaUFParaCUF("AC"), 12);
    EXPECT_EQ(SiglaUFParaCUF("TO"), 17);
    EXPECT_EQ(SiglaUFParaCUF("sp"), -1);
    EXPECT_EQ(SiglaUFParaCUF("EX"), -1);
    EXPECT_EQ(SiglaUFParaCUF("SPX"), -1);
    EXPECT_EQ(SiglaUFParaCUF(""), -1);
    EXPECT_EQ(CUFParaSiglaUF(53), "DF");
    EXPECT_EQ(CUFParaSiglaUF(11), "RO");
    EXPECT_EQ(CUFParaSiglaUF(99), "");
    EXPECT_EQ(CUFParaSiglaUF(-35), "");
    EXPECT_EQ(CUFParaSiglaUF(1000), "");

    int estados = 0;
    for (int codigo = 0; codigo < 100; ++codigo) {
        const std::string sigla = CUFParaSiglaUF(codigo);
        if (sigla.empty())
            continue;
        ++estados;
        EXPECT_EQ(SiglaUFParaCUF(sigla), codigo) << sigla;
    }
    EXPECT_EQ(estados, 27);
}

} // namespace
