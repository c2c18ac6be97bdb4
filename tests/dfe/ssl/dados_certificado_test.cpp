#include "dfe/ssl/dados_certificado.h"

#include <gtest/gtest.h>

namespace {

struct SubjectCase {
    const char *subject;
    const char *razaoSocial;
    const char *cnpj;
};

// clang-format off
const SubjectCase kSubjects[] = {
    {"C=BR, O=ICP-Brasil, CN=EMPRESA TESTE LTDA:11222333000181", "EMPRESA TESTE LTDA", "11222333000181"},
    {"CN=FULANO DE TAL:52998224725, OU=AC", "FULANO DE TAL", "52998224725"},
    {"CN=EMPRESA TESTE LTDA:11222333000182", "EMPRESA TESTE LTDA", ""},       // wrong check digit
    {"CN=EMPRESA SEM NUMERO, O=ICP-Brasil", "EMPRESA SEM NUMERO", ""},
    {"CN=SEM FIM ", "SEM FIM ", ""},
    {"O=ICP-Brasil, OU=sem nome", "", ""},
};
// clang-format on

TEST(TDadosCertificado, SubjectGivesHolderNameAndCnpj)
{
    for (const auto &c : kSubjects) {
        TDadosCertificado dados;
        dados.SetSubjectName(c.subject);
        EXPECT_EQ(dados.RazaoSocial, c.razaoSocial) << c.subject;
        EXPECT_EQ(dados.CNPJ, c.cnpj) << c.subject;
    }
}

TEST(TDadosCertificado, IssuerGivesAuthority)
{
    TDadosCertificado dados;
    dados.SetIssuerName("C=BR, CN=AC TESTE RFB v5, O=ICP-Brasil");
    EXPECT_EQ(dados.AutoridadeCertificadora, "AC TESTE");
    dados.SetIssuerName("CN= AC SOLUTI Multipla , O=ICP");
    EXPECT_EQ(dados.AutoridadeCertificadora, "AC SOLUTI Multipla");
}

TEST(TDadosCertificado, SameSubjectRecomputesNothingAndLimparKeepsThumbprint)
{
    TDadosCertificado dados;
    dados.SetSubjectName("CN=EMPRESA:11222333000181");
    dados.CNPJ = "trocado pelo back-end";
    dados.SetSubjectName("CN=EMPRESA:11222333000181");
    EXPECT_EQ(dados.CNPJ, "trocado pelo back-end");

    dados.HashSHA1 = "ABCD";
    dados.NumeroSerie = "01";
    dados.Limpar();
    EXPECT_EQ(dados.HashSHA1, "ABCD");
    EXPECT_EQ(dados.NumeroSerie, "");
    EXPECT_EQ(dados.SubjectName(), "");
    EXPECT_EQ(dados.CNPJ, "");
}

TEST(TListaCertificados, OwnsItsItems)
{
    TListaCertificados lista;
    lista.Novo().NumeroSerie = "1";
    auto item = std::make_unique<TDadosCertificado>();
    item->NumeroSerie = "2";
    EXPECT_EQ(lista.AdicionarItem(std::move(item)), 1);
    EXPECT_EQ(lista.ObterItem(1).NumeroSerie, "2");
    EXPECT_THROW(lista.ObterItem(2), std::out_of_range);
}

} // namespace
