#include "tests/monitor_client/monitor_fixture.h"

#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "tests/support/run_command.h"

#include <filesystem>

namespace {

using ColetaRetorno = MonitorFixture;

struct CasoNota {
    const char *script; // the fake's rule for every request
    int resultado;      // of ColetaRetorno
    const char *linha;  // STATUS|DES|RESULTADO|MENSAGEM|MENSAGEM_2 afterwards
};

TEST_F(ColetaRetorno, RecordsEveryNoteAnswerInTheStateTable)
{
    const CasoNota casos[] = {
        {"", 2, "2|CONFIRMADA|100||Autorizado o uso da NF-e"},
        {"* reject 204 Duplicidade de NF-e: ja existe", 2, "1|ENVIADA|204|Rejeicao| ja existe"},
        {"* deny 110", 2, "6|ENVIADA|110|Uso denegado| Irregularidade fiscal do emitente"},
        {"* deny 301", 2, "6|ENVIADA|301|Uso denegado| Irregularidade fiscal do emitente"},
        {"* deny 302", 2, "6|ENVIADA|302|Uso denegado| Irregularidade fiscal do emitente"},
        {"* alternate-name", 2, "2|CONFIRMADA|100||Autorizado o uso da NF-e"},
        {"* reject 204 Duplicidade: ja existe\n* mensagem-first", 2, "1|ENVIADA|204||Duplicidade: ja existe"},
        {"* equals-in-mensagem", 2, "2|CONFIRMADA|100||Autorizado o uso da NF-e"},
        {"* utf8", 2, "2|CONFIRMADA|100||Autorizado o uso da NF-e (situação válida, emissão concluída)"},
        {"* not-a-number", 2, "1|ENVIADA|0||Autorizado o uso da NF-e"},
    };
    int numero = 10;
    for (const auto &caso : casos) {
        ++numero;
        roteiro(caso.script);
        linhaDanfe(numero, 1, 1);
        entregaNota(numero, 1);
        EXPECT_EQ(tela->ColetaRetorno("Nota", "a'b@c.com", "t@c.com", numero, 1), caso.resultado)
            << caso.script;
        EXPECT_EQ(linha(numero, 1), caso.linha) << caso.script;
        EXPECT_TRUE(respostas().empty()) << caso.script;
        EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", numero, 1), 0) << caso.script;
    }
    // The accepted note keeps the key, the receipt and the addresses, quote included.
    EXPECT_EQ(linha(11, 1, "EMAIL_ENVIO,EMAIL_TRANSP"), "a'b@c.com|t@c.com");
    EXPECT_EQ(linha(11, 1, "CHAVE_NFE").substr(0, 20), "352612" + cnpj);
    EXPECT_EQ(linha(11, 1, "CHAVE_NFE").size(), 44u);
    // The unreadable code was logged once, naming the value.
    ASSERT_EQ(tela->Ocorrencias.size(), 1u);
    EXPECT_NE(tela->Ocorrencias[0].find("\"ERRO\""), std::string::npos) << tela->Ocorrencias[0];
}

TEST_F(ColetaRetorno, ReadsAnAnswerOnlyOnceComplete)
{
    roteiro("nota001000000031* partial\nnota001000000032* no-final-break");
    linhaDanfe(31, 1, 1);
    linhaDanfe(32, 1, 1);
    entregaNota(32, 1);
    entregaNota(31, 1);
    ASSERT_EQ(respostas().size(), 2u);
    // Half an answer without its line break: not yet; the rest arrives: read.
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 31, 1), 0);
    monitor->processPending();
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 31, 1), 2);
    EXPECT_EQ(linha(31, 1).substr(0, 12), "2|CONFIRMADA");
    // Whole but without a final line break: read once it stayed unchanged for a poll.
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 32, 1), 0);
    EXPECT_EQ(linha(32, 1).substr(0, 9), "1|ENVIADA");
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 32, 1), 2);
    EXPECT_EQ(linha(32, 1).substr(0, 12), "2|CONFIRMADA");
    EXPECT_TRUE(respostas().empty());
    // Local copies of both answers stay.
    EXPECT_TRUE(std::filesystem::exists(dados->path() / "nfe-console" / "monitor" / "-resp" /
                                        ("resp-nota001000000032#" + cnpj + ".txt")));
}

TEST_F(ColetaRetorno, LeavesAnswerAndRowAsTheyWereWhenTheRowIsLocked)
{
    linhaDanfe(41, 1, 1);
    entregaNota(41, 1);
    {
        db::Database outra = db::Database::attach(bancoModulo());
        db::Transaction t(outra);
        db::executeSql(t, "update DANFENFE set MENSAGEM_4 = 'em uso' where NRO_NOTA = 41 and COD_FILIAL = ?",
                       {std::stoi(cnpj.substr(8, 6))});
        EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 41, 1), 0);
        EXPECT_EQ(respostas().size(), 1u);
        t.rollback();
    }
    EXPECT_EQ(linha(41, 1).substr(0, 9), "1|ENVIADA");
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 41, 1), 2);
    EXPECT_EQ(linha(41, 1).substr(0, 12), "2|CONFIRMADA");
    EXPECT_TRUE(respostas().empty());
}

TEST_F(ColetaRetorno, SetsAsideALateAnswerForANoteNoLongerWaiting)
{
    roteiro("* reject 204 Duplicidade: ja existe");
    linhaDanfe(51, 1, 3, "ENVIADA P/ IMPRESSAO");
    executaComCommit(bancoModulo(), "update DANFENFE set CHAVE_NFE = 'CHAVE-BOA', NPROTOCOLO = 'P1' where "
                                    "NRO_NOTA = 51 and COD_FILIAL = " +
                                        cnpj.substr(8, 6));
    entregaNota(51, 1);
    EXPECT_EQ(tela->ColetaRetorno("Nota", "", "", 51, 1), 1);
    EXPECT_EQ(linha(51, 1, "STATUS_NFE,CHAVE_NFE,NPROTOCOLO,RESULTADO"), "3|CHAVE-BOA|P1|0");
    EXPECT_TRUE(respostas().empty());
    ASSERT_EQ(tela->Ocorrencias.size(), 1u);
    EXPECT_NE(tela->Ocorrencias[0].find("estado 3"), std::string::npos);
}

TEST_F(ColetaRetorno, RecordsQueriesLettersAndEventsAndLeavesTheOthersToTheirCaller)
{
    linhaDanfe(61, 1, 2, "CONFIRMADA");
    entregaPedido("consulta", 61, 1);
    EXPECT_EQ(tela->ColetaRetorno("Consulta", "", "", 61, 1), 2);
    EXPECT_EQ(linha(61, 1, "STATUS_NFE,DES_STATUS_NFE,RESULTADO,CHAVE_NFE"),
              "5|DANFE IMPRESSO|100|35261211222333000181550010000000011123456780");

    const int serieCarta = 1;
    executaComCommit(bancoModulo(), "insert into CARTA_CORRECAO (NRO_NOTA, SERIE_NOTA) values (62, 1)");
    executaComCommit(bancoModulo(), "insert into EVENTOS_NFE (NRO_NOTA, SERIE_NOTA, NOME_EVENTO) values "
                                    "(63, 1, 'MANIFESTA DESTINATARIO')");
    entregaPedido("carta", 62, serieCarta);
    entregaPedido("evento", 63, 1);
    EXPECT_EQ(tela->ColetaRetorno("carta", "", "", 62, serieCarta), 2);
    EXPECT_EQ(tela->ColetaRetorno("Evento", "", "", 63, 1), 2);
    EXPECT_EQ(consultaExterna(bancoModulo(), "select cast(COD_RESP as integer) from CARTA_CORRECAO where "
                                             "NRO_NOTA = 62"),
              "135");
    EXPECT_EQ(consultaExterna(bancoModulo(), "select COD_RESP from EVENTOS_NFE where NRO_NOTA = 63"), "135");

    // Print, e-mail, cancellation and voiding answers stay until their caller has committed.
    struct Caso {
        const char *pedido;
        const char *tipo;
        int resultado;
    };
    for (const Caso caso :
         {Caso{"danfe", "Danfe", 2}, Caso{"email", "Email", 2}, Caso{"cancel", "Cancelamento", 2},
          Caso{"inutiliza", "inutiliza", 2}, Caso{"impcarta", "impcarta", 1}}) {
        entregaPedido(caso.pedido, 64, 1);
        EXPECT_EQ(tela->ColetaRetorno(caso.tipo, "", "", 64, 1), caso.resultado) << caso.tipo;
        EXPECT_EQ(respostas().size(), std::string(caso.pedido) == "impcarta" ? 0u : 1u) << caso.tipo;
        tela->ConsomeRetorno();
        EXPECT_TRUE(respostas().empty()) << caso.tipo;
    }
}

TEST_F(ColetaRetorno, RowsReadBackWithTheQueryTool)
{
    if (!testsupport::hasProgram("isql-fb"))
        GTEST_SKIP() << "isql-fb is not installed";
    linhaDanfe(71, 1, 1);
    entregaNota(71, 1);
    ASSERT_EQ(tela->ColetaRetorno("Nota", "", "", 71, 1), 2);
    const auto lido = testsupport::runCommand({"isql-fb", "-q", bancoModulo()},
                                              "select 'linha:' || STATUS_NFE || '/' || DES_STATUS_NFE from "
                                              "DANFENFE where NRO_NOTA = 71 and COD_FILIAL = " +
                                                  cnpj.substr(8, 6) + ";\n");
    EXPECT_NE(lido.out.find("linha:2/CONFIRMADA"), std::string::npos) << lido.out << lido.err;
}

} // namespace
