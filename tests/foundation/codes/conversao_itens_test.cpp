#include <gtest/gtest.h>

#include "foundation/codes/conversao_itens.h"

namespace {

TEST(ItemCodes, IcmsReadCodesThatAreWrittenWithTheBaseCode)
{
    bool ok = false;
    EXPECT_EQ(CodigoParaSitTributariaICMS("91", ok), sti91);
    EXPECT_TRUE(ok);
    EXPECT_EQ(SitTributariaICMSParaCodigo(sti91), "90");
    EXPECT_EQ(CodigoParaSitTributariaICMS("90"), sti90);
    EXPECT_EQ(CodigoParaSitTributariaICMS("10Part", ok), sti10Part);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodigoParaSitTributariaICMS("60REP", ok), sti60Rep);
    EXPECT_TRUE(ok);
    EXPECT_EQ(CodigoParaSitTributariaICMS("99", ok), stiVazio);
    EXPECT_FALSE(ok);
}

TEST(ItemCodes, GroupIdsAndSuffixes)
{
    EXPECT_EQ(SitTributariaICMSParaIdLayout(sti00), "02");
    EXPECT_EQ(SitTributariaICMSParaIdLayout(sti90Part), "10a");
    EXPECT_EQ(SitTributariaICMSParaIdLayout(sti60Rep), "10b");
    EXPECT_EQ(SitTributariaICMSParaIdLayout(sti61), "16");
    for (auto semGrupo : {sti45, stiVazio, sti91, stiSN})
        EXPECT_EQ(SitTributariaICMSParaIdLayout(semGrupo), "") << EnumValueName(semGrupo);

    EXPECT_EQ(SitSimplesNacionalParaGrupo(ssn300), "102");
    EXPECT_EQ(SitSimplesNacionalParaGrupo(ssn203), "202");
    EXPECT_EQ(SitSimplesNacionalParaIdLayout(ssn203), "10f");
    EXPECT_EQ(SitSimplesNacionalParaIdLayout(ssn900), "10h");
    EXPECT_EQ(SitSimplesNacionalParaGrupo(ssnVazio), "");
    EXPECT_EQ(SitSimplesNacionalParaIdLayout(ssnVazio), "");
    EXPECT_EQ(SitSimplesNacionalParaGrupo(static_cast<TpcnSitSimplesNacional>(99)), "");
}

TEST(ItemCodes, FallbacksAreTheFirstRowNotTheEmptyValue)
{
    bool ok = true;
    EXPECT_EQ(CodigoParaModalidadeBCICMS("7", ok), mbc0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaIndSomaTotal("2", ok), ist0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaRegimeEspecialISSQN("7", ok), rei0);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaSitTributariaPIS("1", ok), stp01);
    EXPECT_FALSE(ok);
    ok = false;
    EXPECT_EQ(CodigoParaSitTributariaISSQN("n", ok), sisN);
    EXPECT_TRUE(ok);
}

TEST(ItemCodes, EmptyValuesAtOrdinal255)
{
    EXPECT_EQ(ModalidadeBCICMSSTParaCodigo(mbsVazio), "");
    EXPECT_EQ(MotivoDesoneracaoParaCodigo(mdiVazio), "");
    bool ok = false;
    EXPECT_EQ(static_cast<int>(CodigoParaModalidadeBCICMSST("", ok)), 255);
    EXPECT_TRUE(ok);
    ok = false;
    EXPECT_EQ(static_cast<int>(CodigoParaMotivoDesoneracao("", ok)), 255);
    EXPECT_TRUE(ok);
    EXPECT_EQ(MotivoDesoneracaoParaCodigo(mdi12), "12");
    EXPECT_EQ(MotivoDesoneracaoParaCodigo(mdi16), "16");
}

} // namespace
