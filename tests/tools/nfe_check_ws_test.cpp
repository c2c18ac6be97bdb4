#include <gtest/gtest.h>

#include <string>

#include "foundation/files/mem_ini_file.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/fake_sefaz.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"
#include "tests/tools/nfe_check_paths.h"

namespace {

using testsupport::runCommand;
using testsupport::fakesefaz::ScriptedAnswer;

// The fake on a free port, its services INI and a component INI with the
// test e-CNPJ for SP in homologation, written by the component itself.
class NfeCheckWs : public ::testing::Test {
  protected:
    NfeCheckWs()
    {
        const auto servicos = pasta.write("servicos.ini", fake.servicesIni());
        TQuibNFe nfe;
        auto &cfg = nfe.Configuracoes();
        cfg.Geral().SetSSLLib(libOpenSSL);
        cfg.Certificados().SetArquivoPFX(testPki().ecnpj.pfxAes);
        cfg.Certificados().SetSenha(testPki().ecnpj.password);
        cfg.WebServices().SetUF("SP");
        cfg.WebServices().Ambiente = taHomologacao;
        cfg.Arquivos().SetIniServicos(servicos.string());
        cfg.Arquivos().SetPathSalvar((pasta / "salvos").string());
        cfg.Arquivos().SetPathSchemas(testsupport::officialSchemaDir().string() + "/");
        cfg.WebServices().Salvar = true;
        MemIniFile ini(componente);
        cfg.SalvarNoIni(ini);
        ini.UpdateFile();
    }

    testsupport::FakeSefaz fake;
    testsupport::TempDir pasta;
    std::string componente = (pasta / "componente.ini").string();
};

} // namespace

TEST_F(NfeCheckWs, StatusPrintsTheAnswerAndExitsByItsMeaning)
{
    auto resultado = runCommand({nfe_check_test::tool(), "ws", componente, "status"});
    EXPECT_EQ(resultado.exitCode, 0) << resultado.err;
    EXPECT_EQ(resultado.out, "107 Serviço em Operação\n");
    EXPECT_EQ(fake.exchanges().size(), 1U);
    EXPECT_TRUE(std::filesystem::exists(pasta / "salvos"));

    fake.script("consStatServ", {ScriptedAnswer{.cStat = 108}});
    resultado = runCommand({nfe_check_test::tool(), "ws", componente, "status"});
    EXPECT_EQ(resultado.exitCode, 1);
    EXPECT_TRUE(resultado.out.starts_with("108 ")) << resultado.out;
    EXPECT_FALSE(resultado.err.empty());
}

TEST_F(NfeCheckWs, AnyErrorExitsWithTwoAndTheMessage)
{
    fake.script("consStatServ", {ScriptedAnswer{.http500 = true}});
    auto resultado = runCommand({nfe_check_test::tool(), "ws", componente, "status"});
    EXPECT_EQ(resultado.exitCode, 2);
    EXPECT_TRUE(resultado.err.starts_with("WebService Consulta Status serviço:")) << resultado.err;

    resultado = runCommand({nfe_check_test::tool(), "ws", (pasta / "ausente.ini").string(), "status"});
    EXPECT_EQ(resultado.exitCode, 2);
    EXPECT_NE(resultado.err.find("ausente.ini"), std::string::npos);
}

TEST_F(NfeCheckWs, SendCollectsTheProtocolAndQueryFindsIt)
{
    TQuibNFe gerador;
    NotaFiscal &nota = gerador.Notas().AdicionarNota();
    testsupport::fillNoteWithItems(nota.NFe(), 1);
    nota.NFe().ide.tpAmb = taHomologacao;
    nota.NFe().ide.cNF = 12345678;
    const std::string xml = nota.GerarTextoXML();
    const std::string chave = nota.ChaveNota();
    const auto arquivo = pasta.write("nota.xml", xml);

    auto resultado =
        runCommand({nfe_check_test::tool(), "ws", componente, "send", "1", "0", arquivo.string()});
    ASSERT_EQ(resultado.exitCode, 0) << resultado.err;
    ASSERT_TRUE(resultado.out.starts_with(chave + " 100 ")) << resultado.out;
    const std::string nProt = resultado.out.substr(chave.size() + 5, 15);

    resultado = runCommand({nfe_check_test::tool(), "ws", componente, "query", chave});
    EXPECT_EQ(resultado.exitCode, 0) << resultado.err;
    EXPECT_EQ(resultado.out, "100 Autorizado o uso da NF-e\nprotocol=" + nProt + "\n");

    // The sent file now holds the authorised document; a fresh copy of the note is refused.
    EXPECT_NE(testsupport::readFile(arquivo).find("<nfeProc"), std::string::npos);
    fake.scriptLine("enviNFe 225");
    const auto outra = pasta.write("outra.xml", xml);
    resultado = runCommand({nfe_check_test::tool(), "ws", componente, "send", "2", "1", outra.string()});
    EXPECT_EQ(resultado.exitCode, 2) << resultado.out;
    EXPECT_NE(resultado.err.find("Falha no Schema"), std::string::npos) << resultado.err;
}
