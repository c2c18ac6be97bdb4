#include <gtest/gtest.h>

#include <filesystem>

#include "nfe/services/nfe_consulta_cadastro.h"
#include "nfe/services/nfe_inutilizacao.h"
#include "tests/nfe/services/servicos_fixture.h"
#include "tests/support/test_data.h"

namespace {

namespace fs = std::filesystem;
using testsupport::fakesefaz::ScriptedAnswer;

class InutilizacaoNaFake : public ServicoNaFake {
  protected:
    InutilizacaoNaFake()
    {
        nfe.Configuracoes().Arquivos().PathInu = (pasta / "inu").string();
        inutilizacao.Limpar();
        inutilizacao.CNPJ = "11222333000181";
        inutilizacao.Modelo = 55;
        inutilizacao.Serie = 1;
        inutilizacao.Ano = 2026;
        inutilizacao.NumeroInicial = 10;
        inutilizacao.NumeroFinal = 12;
        inutilizacao.SetJustificativa("  numeracao pulada por falha  ");
    }

    TNFeInutilizacao inutilizacao{&nfe};
};

TEST_F(InutilizacaoNaFake, GrantedVoidingSavesTheSignedProcessedDocument)
{
    ASSERT_TRUE(inutilizacao.Processar());
    EXPECT_EQ(inutilizacao.cStat, 102);
    EXPECT_FALSE(inutilizacao.Protocolo.empty());
    EXPECT_EQ(inutilizacao.MensagemResultado, inutilizacao.xMotivo);
    ASSERT_EQ(fake.exchanges().size(), 1U);
    EXPECT_EQ(fake.exchanges()[0].path, "/SP/NfeInutilizacao");

    const std::string digitos = inutilizacao.ID.substr(2);
    EXPECT_EQ(fs::path(inutilizacao.NomeArquivo).filename().string(), digitos + "-procInutNFe.xml");
    ASSERT_TRUE(fs::exists(inutilizacao.NomeArquivo)) << inutilizacao.NomeArquivo;
    EXPECT_NE(inutilizacao.NomeArquivo.find("Inu"), std::string::npos);
    const std::string salvo = testsupport::readFile(inutilizacao.NomeArquivo);
    EXPECT_EQ(problemasDeSchema(salvo, "procInutNFe_v4.00.xsd"), "");
    EXPECT_EQ(problemasDaAssinatura(salvo, "infInut"), "");
}

TEST_F(InutilizacaoNaFake, AnAlreadyVoidedRangeIsSavedButAnswersFalse)
{
    fake.script("inutNFe", {ScriptedAnswer{.cStat = 563}});
    EXPECT_FALSE(inutilizacao.Processar());
    EXPECT_EQ(inutilizacao.cStat, 563);
    EXPECT_TRUE(fs::exists(inutilizacao.NomeArquivo));

    fake.script("inutNFe", {ScriptedAnswer{.cStat = 241}});
    inutilizacao.NomeArquivo.clear();
    EXPECT_FALSE(inutilizacao.Processar());
    EXPECT_TRUE(inutilizacao.NomeArquivo.empty());
}

TEST_F(InutilizacaoNaFake, JustificationNeedsFifteenCharactersAfterTrimming)
{
    EXPECT_NO_THROW(inutilizacao.SetJustificativa(" 123456789012345 "));
    EXPECT_EQ(inutilizacao.Justificativa(), "123456789012345");
    try {
        inutilizacao.SetJustificativa(" 12345678901234 ");
        ADD_FAILURE() << "a 14-character justification was accepted";
    } catch (const EQuibDFeException &erro) {
        EXPECT_NE(std::string(erro.what()).find("deve ter no minimo 15 caracteres"), std::string::npos);
    }
    try {
        inutilizacao.SetJustificativa("   ");
        ADD_FAILURE() << "an empty justification was accepted";
    } catch (const EQuibDFeException &erro) {
        EXPECT_NE(std::string(erro.what()).find("Informar uma Justificativa"), std::string::npos);
    }
}

TEST_F(InutilizacaoNaFake, AnInvalidModelIsRefusedBeforeAnyTraffic)
{
    inutilizacao.Modelo = 57;
    EXPECT_EQ(erroDe(inutilizacao), "Modelo Inválido: 57");
    EXPECT_TRUE(fake.exchanges().empty());
}

class CadastroNaFake : public ServicoNaFake {
  protected:
    CadastroNaFake() { cadastro.Limpar(); }
    TNFeConsultaCadastro cadastro{&nfe};
};

TEST_F(CadastroNaFake, OneOrSeveralTaxpayersFound)
{
    cadastro.UF = "PR";
    cadastro.SetCNPJ("11222333000181");
    ASSERT_TRUE(cadastro.Processar());
    EXPECT_EQ(cadastro.cStat, 111);
    EXPECT_EQ(cadastro.RetConsCad().InfCad.count(), 1);
    EXPECT_EQ(fake.exchanges().back().path, "/PR/NfeConsultaCadastro");
    EXPECT_EQ(problemasDeSchema(cadastro.DadosMsg, "consCad_v2.00.xsd"), "");

    fake.script("ConsCad", {ScriptedAnswer{.cStat = 112}});
    cadastro.Limpar();
    ASSERT_TRUE(cadastro.Processar());
    EXPECT_EQ(cadastro.RetConsCad().InfCad.count(), 2);

    fake.script("ConsCad", {ScriptedAnswer{.cStat = 259}});
    cadastro.Limpar();
    EXPECT_FALSE(cadastro.Processar());
    EXPECT_EQ(cadastro.MensagemResultado, cadastro.xMotivo);
}

TEST_F(CadastroNaFake, MatoGrossoAtLayout400WrapsTheMessage)
{
    cadastro.UF = "mt";
    cadastro.IE = "130000019";
    ASSERT_TRUE(cadastro.Processar()) << cadastro.cStat << " " << cadastro.xMotivo;
    EXPECT_NE(cadastro.EnvelopeSoap.find("<consultaCadastro xmlns=\"http://www.portalfiscal.inf.br/nfe/wsdl/"
                                         "CadConsultaCadastro4\"><nfeDadosMsg><ConsCad"),
              std::string::npos)
        << cadastro.EnvelopeSoap;
    EXPECT_EQ(cadastro.ElementoCorpo, "nfeDadosMsg");
}

TEST_F(CadastroNaFake, EmptyStateAsksTheConfiguredOne)
{
    cadastro.SetCPF("12345678909");
    ASSERT_TRUE(cadastro.Processar());
    EXPECT_EQ(cadastro.UF, "SP");
    EXPECT_EQ(fake.exchanges().back().path, "/SP/NfeConsultaCadastro");
}

TEST(ConsultaCadastroIdentificadores, ANonEmptyIdentifierClearsTheOthers)
{
    TNFeConsultaCadastro cadastro(nullptr);
    cadastro.IE = "123";
    cadastro.SetCNPJ("11222333000181");
    EXPECT_EQ(cadastro.IE, "");
    cadastro.SetCPF("");
    EXPECT_EQ(cadastro.CNPJ(), "11222333000181");
    cadastro.SetCPF("12345678909");
    EXPECT_EQ(cadastro.CNPJ(), "");
}

} // namespace
