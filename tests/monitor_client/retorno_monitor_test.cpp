#include "monitor_client/retorno_monitor.h"

#include <gtest/gtest.h>

namespace {

struct CasoRetorno {
    const char *tipo;
    const char *texto;
    int resultado;
    const char *mensagem;
    const char *mensagem2;
};

TEST(LeRetornoMonitor, ReadsCodesAndMessagesByKind)
{
    const CasoRetorno casos[] = {
        {"Nota", "RESULTADO=100\r\nMENSAGEM=Autorizado o uso da NF-e\r\n", 100, "",
         "Autorizado o uso da NF-e"},
        {"Nota", "RESULTADO=204\r\nMENSAGEM=Duplicidade de NF-e: ja existe\r\n", 204, "Rejeicao",
         " ja existe"},
        {"Nota", "RESULTADO=539\r\nMENSAGEM=Sem dois pontos\r\n", 539, "", "Sem dois pontos"},
        {"nota", "resultado=999\r\nmensagem=Erro\r\n", 999, "Rejeicao", ""},
        {"Nota", "RESULTADO=110\r\nMENSAGEM=Uso Denegado: Irregular\r\n", 110, "Uso denegado", " Irregular"},
        {"Danfe", "RESULTADO=110\r\nMENSAGEM=Uso Denegado: Irregular\r\n", 110, "",
         "Uso Denegado: Irregular"},
        {"Consulta", "RESULTADO=302\r\nMENSAGEM=Uso Denegado: Destinatario\r\n", 302, "Uso denegado",
         " Destinatario"},
        // MENSAGEM before RESULTADO keeps the whole message without a short one.
        {"Nota", "MENSAGEM=Duplicidade: ja existe\r\nRESULTADO=204\r\n", 204, "", "Duplicidade: ja existe"},
        // A value stops at the next "="; quotes are taken out.
        {"Nota", "RESULTADO=100\r\nMENSAGEM=a 'b' \"c\"=d\r\n", 100, "", "a b c"},
        {"Email", "RESULTADO=204\r\nMENSAGEM=Falha: caixa cheia\r\n", 204, "", "Falha: caixa cheia"},
        {"Nota", "RESULTADO=\r\n", 0, "", ""},
        {"Nota", "RESULTADO= 100 \r\n", 100, "", ""},
    };
    for (const auto &caso : casos) {
        const RetornoMonitor lido = LeRetornoMonitor(caso.tipo, caso.texto);
        EXPECT_EQ(lido.resultado, caso.resultado) << caso.texto;
        EXPECT_FALSE(lido.resultadoInvalido) << caso.texto;
        EXPECT_EQ(lido.mensagem, caso.mensagem) << caso.texto;
        EXPECT_EQ(lido.mensagem2, caso.mensagem2) << caso.texto;
    }
}

TEST(LeRetornoMonitor, ReadsAResultadoThatIsNoNumberAsNotAccepted)
{
    for (const char *valor : {"ERRO", "1O0", "-5", "99999999999"}) {
        const RetornoMonitor lido = LeRetornoMonitor("Nota", std::string("RESULTADO=") + valor + "\r\n");
        EXPECT_TRUE(lido.resultadoInvalido) << valor;
        EXPECT_EQ(lido.resultado, 0) << valor;
        EXPECT_EQ(lido.resultadoLido, valor);
    }
}

TEST(LeRetornoMonitor, ReadsTheNoteFieldsOnlyForTheKindsThatCarryThem)
{
    const std::string texto = "RESULTADO=100\nCHAVENFE=3512\nRECIBO=11\nNUMEROLOTE=22\nNPROTOCOLO=33\n"
                              "PATHPDF=C:\\x.pdf\nOUTRA=1\nsem igual\n";
    const RetornoMonitor nota = LeRetornoMonitor("Nota", texto);
    EXPECT_EQ(nota.chave, "3512");
    EXPECT_EQ(nota.recibo, "11");
    EXPECT_EQ(nota.numeroLote, "22");
    EXPECT_EQ(nota.protocolo, "33");
    EXPECT_EQ(nota.pathPdf, "");
    const RetornoMonitor evento = LeRetornoMonitor("Evento", texto);
    EXPECT_EQ(evento.chave, "");
    EXPECT_EQ(evento.protocolo, "33");
    EXPECT_EQ(LeRetornoMonitor("Danfe", texto).pathPdf, "C:\\x.pdf");
    EXPECT_EQ(LeRetornoMonitor("Email", texto).protocolo, "");
}

TEST(RetornoAceito, AcceptsTheListedCodesAnd135ForLettersAndEvents)
{
    for (int codigo : {100, 101, 102, 111, 112, 4012, 4014, 4016, 4017, 4021, 4024})
        EXPECT_TRUE(RetornoAceito("Nota", codigo)) << codigo;
    for (int codigo : {0, 103, 110, 135, 204, 301, 4013})
        EXPECT_FALSE(RetornoAceito("Danfe", codigo)) << codigo;
    EXPECT_TRUE(RetornoAceito("carta", 135));
    EXPECT_TRUE(RetornoAceito("EVENTO", 135));
    EXPECT_FALSE(RetornoAceito("carta", 100));
}

TEST(TextoDoRetorno, TakesUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(TextoDoRetorno("MENSAGEM=emiss\xC3\xA3o"), "MENSAGEM=emissão");
    EXPECT_EQ(TextoDoRetorno("\xEF\xBB\xBFMENSAGEM=emiss\xC3\xA3o"), "MENSAGEM=emissão");
    EXPECT_EQ(TextoDoRetorno("MENSAGEM=emiss\xE3o"), "MENSAGEM=emissão");
    EXPECT_TRUE(RetornoTerminado("A=1\r\n"));
    EXPECT_FALSE(RetornoTerminado("A=1"));
    EXPECT_FALSE(RetornoTerminado(""));
}

} // namespace
