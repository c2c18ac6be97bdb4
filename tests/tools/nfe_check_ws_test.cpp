#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

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
        cfg.Arquivos().SalvarEvento = true;
        MemIniFile ini(componente);
        cfg.SalvarNoIni(ini);
        ini.UpdateFile();
    }

    // The files under the save folder whose names end with the suffix.
    std::vector<std::filesystem::path> salvos(const std::string &sufixo) const
    {
        std::vector<std::filesystem::path> achados;
        if (std::filesystem::exists(pasta / "salvos"))
            for (const auto &e : std::filesystem::recursive_directory_iterator(pasta / "salvos"))
                if (e.is_regular_file() && e.path().filename().string().ends_with(sufixo))
                    achados.push_back(e.path());
        std::sort(achados.begin(), achados.end());
        return achados;
    }

    testsupport::CommandResult ws(std::vector<std::string> argumentos) const
    {
        argumentos.insert(argumentos.begin(), {nfe_check_test::tool(), "ws", componente});
        return runCommand(argumentos);
    }

    testsupport::FakeSefaz fake;
    testsupport::TempDir pasta;
    std::string componente = (pasta / "componente.ini").string();
};

const std::string kChave = testsupport::accessKey("3526031122233300018155001000000002100000002");

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

TEST_F(NfeCheckWs, CancelFilesTheEventAndDistListsItsDocuments)
{
    auto resultado = ws({"dist", "35", "11222333000181", "0"});
    EXPECT_EQ(resultado.exitCode, 0) << resultado.err;
    EXPECT_TRUE(resultado.out.starts_with("137 ")) << resultado.out;

    resultado = ws({"cancel", kChave, "135260000000001", "Pedido cancelado pelo cliente"});
    ASSERT_EQ(resultado.exitCode, 0) << resultado.err;
    EXPECT_TRUE(std::regex_match(resultado.out, std::regex("128 135 [0-9]{15}\n"))) << resultado.out;
    const auto eventos = salvos("-procEventoNFe.xml");
    ASSERT_EQ(eventos.size(), 1U);
    EXPECT_EQ(testsupport::schemaProblems(testsupport::readFile(eventos[0]),
                                          testsupport::officialSchemaDir() / "procEventoNFe_v1.00.xsd"),
              "");

    resultado = ws({"dist", "35", "11222333000181", "0"});
    ASSERT_EQ(resultado.exitCode, 0) << resultado.err;
    const std::regex linhas("138 [0-9]{15} [0-9]{15}\n"
                            "[0-9]{15} 110111" +
                            kChave + "01-resEventoNFe.xml\n[0-9]{15} [0-9]{52}-procEventoNFe.xml\n");
    EXPECT_TRUE(std::regex_match(resultado.out, linhas)) << resultado.out;
    EXPECT_EQ(salvos("-resEventoNFe.xml").size(), 1U);

    fake.script("envEvento", {ScriptedAnswer{.eventStatus = 573}});
    resultado = ws({"cancel", kChave, "135260000000001", "Pedido cancelado pelo cliente"});
    EXPECT_EQ(resultado.exitCode, 1);
    EXPECT_TRUE(resultado.out.starts_with("128 573 ")) << resultado.out;
}

TEST_F(NfeCheckWs, VoidSavesTheProcessedVoidingAndRefusesBadArguments)
{
    auto resultado =
        ws({"void", "11222333000181", "2026", "55", "1", "10", "20", "Numeracao pulada por falha"});
    ASSERT_EQ(resultado.exitCode, 0) << resultado.err;
    EXPECT_TRUE(resultado.out.starts_with("102 ")) << resultado.out;
    const auto arquivos = salvos("-procInutNFe.xml");
    ASSERT_EQ(arquivos.size(), 1U);
    EXPECT_EQ(testsupport::schemaProblems(testsupport::readFile(arquivos[0]),
                                          testsupport::officialSchemaDir() / "procInutNFe_v4.00.xsd"),
              "");

    fake.script("inutNFe", {ScriptedAnswer{.cStat = 563}});
    resultado = ws({"void", "11222333000181", "2026", "55", "1", "10", "20", "Numeracao pulada por falha"});
    EXPECT_EQ(resultado.exitCode, 1);
    EXPECT_TRUE(resultado.out.starts_with("563 ")) << resultado.out;

    const std::size_t trocas = fake.exchanges().size();
    for (const std::vector<std::string> &errados : {
             std::vector<std::string>{"void", "11222333000181", "2026", "57", "1", "10", "20",
                                      "Justificativa longa"},
             std::vector<std::string>{"void", "11222333000181", "dois", "55", "1", "10", "20",
                                      "Justificativa longa"},
             std::vector<std::string>{"void", "11222333000181", "2026", "55", "1", "10", "20", "Curta"},
             std::vector<std::string>{"cancel", "123", "135260000000001", "Pedido cancelado pelo cliente"},
         }) {
        resultado = ws(errados);
        EXPECT_EQ(resultado.exitCode, 2) << errados[2] << errados.back();
        EXPECT_FALSE(resultado.err.empty());
    }
    EXPECT_EQ(fake.exchanges().size(), trocas);
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
