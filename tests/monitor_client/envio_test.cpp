#include "tests/monitor_client/envio_fixture.h"

#include "app/dados/dtm_nfe_grd.h"

#include <filesystem>
#include <functional>

namespace {

class Envio : public EnvioFixture {
  protected:
    LinhaNota &nota() { return tabelas.tblNotas.linhas().front(); }
    LinhaItem &item() { return tabelas.tblItens.linhas().front(); }
    std::string cnf(const testsupport::MonitorRequest &requisicao) const
    {
        return requisicao.value("cnf", "ide").value_or("");
    }
};

struct CasoValidacao {
    const char *nome;
    std::function<void(LinhaNota &, LinhaItem &, std::string &cnpj)> muda;
    const char *erro; // "" when the note passes
};

TEST_F(Envio, ValidationListsEveryFailingNoteAndHandsNothingOver)
{
    const CasoValidacao casos[] = {
        {"sample passes", [](LinhaNota &, LinhaItem &, std::string &) {}, ""},
        {"foreign recipient ignores CFOP, document, city and state",
         [](LinhaNota &n, LinhaItem &, std::string &) {
             n.cod_pais = 2496;
             n.cfop_not = "7101";
             n.uf_not = "EX";
             n.cnpj_not = "";
             n.IE_not = "";
             n.mun_not = "PARIS";
         },
         ""},
        {"foreign recipient without district",
         [](LinhaNota &n, LinhaItem &, std::string &) {
             n.cod_pais = 2496;
             n.bai_not = "";
         },
         "Bairro / "},
        {"CFOP 5 to another state", [](LinhaNota &n, LinhaItem &, std::string &) { n.uf_not = "RJ"; },
         "CFOP 5102 Invalido p/ UF= RJ"},
        {"CFOP 6 inside the state", [](LinhaNota &n, LinhaItem &, std::string &) { n.cfop_not = "6102"; },
         "CFOP 6102 Invalido p/ UF= SP"},
        {"IE isento in lower case", [](LinhaNota &n, LinhaItem &, std::string &) { n.IE_not = "isento"; },
         ""},
        {"no IE", [](LinhaNota &n, LinhaItem &, std::string &) { n.IE_not = "IE"; }, "IE / "},
        {"unknown city",
         [](LinhaNota &n, LinhaItem &, std::string &) {
             n.mun_not = "Xique Xique";
             n.cep_not = "99999-999";
         },
         "Cidade Xique Xique do Estado SP não foi Localizada na tabela do IBGE /"},
        {"delivery place without street",
         [](LinhaNota &n, LinhaItem &, std::string &) {
             n.cnpj_ent = "12345678000195";
             n.bai_ent = "Centro";
             n.cid_ent = "São Paulo";
             n.uf_ent = "SP";
         },
         "Endereco Entrega / "},
        {"NCM of two digits", [](LinhaNota &, LinhaItem &i, std::string &) { i.cod_ncm = "84"; }, ""},
        {"NCM of seven digits", [](LinhaNota &, LinhaItem &i, std::string &) { i.cod_ncm = "8471301"; },
         "NCM : 8471301 = Pão Inconsistente  / "},
        {"NCM of zeros", [](LinhaNota &, LinhaItem &i, std::string &) { i.cod_ncm = "0000"; },
         "NCM : Pão nao Informado  / "},
        {"PIS kind left as PIS", [](LinhaNota &, LinhaItem &i, std::string &) { i.tipo_pis = "PIS"; },
         "Tipo de Pis do produto: Pão nao Informado  / "},
        {"series of three digits", [](LinhaNota &n, LinhaItem &, std::string &) { n.serie_not = "100"; },
         "Serie 100 com mais de 2 digitos / "},
        {"emitter not registered",
         [](LinhaNota &n, LinhaItem &, std::string &) { n.cnpj_emitente = "99.888.777/0001-66"; },
         "Emitente CNPJ nao cadastrado / "},
    };
    const LinhaNota notaOriginal = nota();
    const LinhaItem itemOriginal = item();
    for (const CasoValidacao &caso : casos) {
        SCOPED_TRACE(caso.nome);
        nota() = notaOriginal;
        item() = itemOriginal;
        caso.muda(nota(), item(), cnpj);
        tela->PainelErroVisivel = false;
        const bool passa = tela->ValidarNotas();
        EXPECT_EQ(passa, std::string(caso.erro).empty()) << tela->memoerro;
        EXPECT_EQ(tela->PainelErroVisivel, !passa);
        if (!passa) {
            EXPECT_NE(tela->memoerro.find("Nota fiscal : 000123  " + nota().serie_not +
                                          "         /          ERROS ENCONTRADOS   OU   CAMPOS NAO "
                                          "INFORMADOS: \r\n"),
                      std::string::npos)
                << tela->memoerro;
            EXPECT_NE(tela->memoerro.find(caso.erro), std::string::npos) << tela->memoerro;
        }
    }

    // A run whose validation fails hands nothing over and never closes by itself.
    nota().serie_not = "100";
    tela->EnviaNotas();
    tela->AbreGrades();
    monitor->processPending();
    EXPECT_TRUE(monitor->requests().empty());
    EXPECT_EQ(linha(123, 10), "<none>");
    EXPECT_TRUE(tela->PainelErroInteiro);
    tela->Panel2Click();
    tela->TimerEmailTimer();
    EXPECT_EQ(tela->lblConcluido, "Nota fiscal eletrônica não enviada");
    EXPECT_FALSE(tela->TimerFechaAtivo);
}

TEST_F(Envio, FirstHandOffThenResendKeepsTheNumericCodeAndKey)
{
    roteiro("nota* never");
    tela->EnviaNotas();
    monitor->processPending();
    ASSERT_EQ(quantosPedidos("nota"), 1);
    const std::string codigo = cnf(*pedido("nota"));
    EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE,RESULTADO,NRO_ALEAT_ENVIO"),
              "1|ENVIADA|0|" + std::to_string(std::stoi(codigo)));
    EXPECT_TRUE(std::filesystem::exists(troca->path() / "-fil/done" / ("nota001000000123#" + cnpj + ".txt")));

    tela->TimerEnvio = "3700";
    tela->EnviaNotas();
    monitor->processPending();
    ASSERT_EQ(quantosPedidos("nota"), 2);
    EXPECT_EQ(cnf(monitor->requests().back()), codigo);
    EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE,TIMER_ENVIO"), "1|REENVIADA|3700");
    EXPECT_FALSE(tela->EnvioIncompleto);
}

TEST_F(Envio, NotesHandedOverBeforeArePrintedAgainUnderTheirOwnName)
{
    for (int estado : {2, 3, 4, 5, 6}) {
        SCOPED_TRACE(estado);
        executaComCommit(bancoModulo(), "delete from DANFENFE where NRO_NOTA = 123");
        linhaDanfe(123, 1, estado, "CONFIRMADA");
        executaComCommit(bancoModulo(),
                         "update DANFENFE set CHAVE_NFE = '3526121122233300018155001000000123100000001', "
                         "TIMER_ENVIO = 1 where NRO_NOTA = 123");
        // Another note's row sits in select query "2", as the re-print screen leaves it.
        modulo->SelectFile("2", "DANFENFE", "NRO_NOTA = ?", {123});
        const std::size_t antes = monitor->requests().size();
        tela->EnviaNotas();
        monitor->processPending();
        ASSERT_EQ(monitor->requests().size(), antes + 1);
        const auto &requisicao = monitor->requests().back();
        EXPECT_EQ(requisicao.name, "danfe001000000123#" + cnpj + ".txt");
        EXPECT_EQ(requisicao.value("ChaveNFE"), "3526121122233300018155001000000123100000001");
        EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE,TIMER_ENVIO"), "3|ENVIADA P/ IMPRESSAO|3600");
    }
}

TEST_F(Envio, VoidedNotesAreNeverIssuedAgainNotEvenAsExports)
{
    int exportadas = 0;
    tela->ExportaNotaTxt = [&](int, int) { ++exportadas; };
    for (bool exporta : {false, true}) {
        SCOPED_TRACE(exporta);
        caixas->shown.clear();
        executaComCommit(bancoModulo(), "delete from DANFENFE where NRO_NOTA = 123");
        linhaDanfe(123, 1, 7, "INUTILIZADA");
        tela->ModoExportacao = exporta;
        tela->EnviaNotas();
        monitor->processPending();
        EXPECT_TRUE(monitor->requests().empty());
        EXPECT_EQ(exportadas, 0);
        EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE"), "7|INUTILIZADA");
        ASSERT_FALSE(caixas->shown.empty());
        EXPECT_EQ(caixas->shown.front(), std::string(TfrmNFE_2G::kTitulo) +
                                             ": Esta nota fiscal foi inutilizada\r\nno dia 11/12/2026");
    }
}

TEST_F(Envio, AFailedHandOffLeavesNoRowAndSaysWhy)
{
    std::filesystem::remove_all(troca->path() / "-fil");
    tela->EnviaNotas();
    EXPECT_EQ(linha(123, 1), "<none>");
    ASSERT_EQ(caixas->shown.size(), 1u);
    EXPECT_TRUE(caixas->shown[0].starts_with(std::string(TfrmNFE_2G::kTitulo) +
                                             ": Nota Fiscal 000123 nao Gerada\r\nPedido \""))
        << caixas->shown[0];
    EXPECT_NE(caixas->shown[0].find("não existe"), std::string::npos) << caixas->shown[0];
    EXPECT_TRUE(tela->EnvioIncompleto);

    // A resend whose hand-off fails keeps the row as it was.
    linhaDanfe(123, 1, 1, "ENVIADA");
    executaComCommit(bancoModulo(), "update DANFENFE set MENSAGEM_2 = 'antes', NRO_ALEAT_ENVIO = 7 "
                                    "where NRO_NOTA = 123");
    tela->EnviaNotas();
    EXPECT_EQ(linha(123, 1, "STATUS_NFE,DES_STATUS_NFE,MENSAGEM_2,TIMER_ENVIO"), "1|ENVIADA|antes|3600")
        << caixas->shown.back();
}

TEST_F(Envio, CopiesAreAskedForWithTheirDigitsOnly)
{
    emitente("NRO_COPIAS1 = 100");
    const struct {
        std::optional<std::string> resposta;
        int copias;
    } casos[] = {{"2 copias", 2}, {"nenhuma", 0}, {std::nullopt, 0}};
    for (const auto &caso : casos) {
        tela->NumeroCopias = 0;
        caixas->inputs = {caso.resposta};
        tela->ProcessaNotas_para_Enviar();
        EXPECT_EQ(tela->NumeroCopias, caso.copias);
    }
    EXPECT_EQ(caixas->shown.front(), "entrada: Cópias de nota: Número de copias para nota fiscal");
}

} // namespace
