// The answer readers on answers as the authority sends them
// (tests/data/answers), field by field.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "nfe/services/ret_adm_csc_nfce.h"
#include "nfe/services/ret_cons_cad.h"
#include "nfe/services/ret_cons_reci_dfe.h"
#include "nfe/services/ret_cons_stat_serv.h"
#include "nfe/services/ret_dist_dfe_int.h"
#include "nfe/services/ret_env_nfe.h"
#include "tests/support/test_data.h"

namespace {

std::string resposta(const std::string &nome)
{
    return testsupport::testData("data/answers/" + nome);
}

TDateTime quando(int ano, int mes, int dia, int hora = 0, int minuto = 0, int segundo = 0)
{
    return encodeDateTime(DateTimeParts{ano, mes, dia, hora, minuto, segundo, 0});
}

std::string trocado(std::string texto, const std::string &de, const std::string &para)
{
    const std::size_t posicao = texto.find(de);
    EXPECT_NE(posicao, std::string::npos) << de;
    return posicao == std::string::npos ? texto : texto.replace(posicao, de.size(), para);
}

TEST(StatusAnswer, ReadsEveryFieldWithTheUtcOffsetIgnored)
{
    TRetConsStatServ ret;
    ret.Leitor.setArquivo(resposta("retConsStatServ.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.versao, "4.00");
    EXPECT_EQ(ret.tpAmb, taHomologacao);
    EXPECT_EQ(ret.verAplic, "SP_NFE_PL009_V4");
    EXPECT_EQ(ret.cStat, 107);
    EXPECT_EQ(ret.xMotivo, "Serviço em Operação");
    EXPECT_EQ(ret.cUF, 35);
    EXPECT_EQ(ret.dhRecbto, quando(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(ret.tMed, 1);
    EXPECT_EQ(ret.dhRetorno, quando(2024, 3, 5, 18, 0, 0));
    EXPECT_EQ(ret.xObs, "Manutenção programada & testes");
}

TEST(BatchAnswer, KeepsTheReceiptWithItsLeadingZeros)
{
    TretEnvNFe ret;
    ret.Leitor.setArquivo(resposta("retEnviNFe.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.versao, "4.00");
    EXPECT_EQ(ret.cStat, 103);
    EXPECT_EQ(ret.cUF, 35);
    EXPECT_EQ(ret.xMotivo, "Lote recebido com sucesso");
    EXPECT_EQ(ret.infRec.nRec, "003500012345678");
    EXPECT_EQ(ret.infRec.dhRecbto, quando(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(ret.infRec.tMed, 3);
}

TEST(ReceiptAnswer, ReadsEachProtocolWithItsElementAsReceived)
{
    const std::string texto = resposta("retConsReciNFe.xml");
    TRetConsReciDFe ret("NFe");
    ret.Leitor.setArquivo(texto);
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.nRec, "003500012345678");
    EXPECT_EQ(ret.cStat, 104);
    EXPECT_EQ(ret.cMsg, 200);
    EXPECT_EQ(ret.xMsg, "Mensagem da SEFAZ <teste>");
    ASSERT_EQ(ret.ProtDFe.count(), 3);

    // Each element exactly as the file holds it, the signature included.
    std::size_t de = 0;
    for (int i = 0; i < 3; ++i) {
        const std::size_t inicio = texto.find("<protNFe", de);
        de = texto.find("</protNFe>", inicio) + 10;
        EXPECT_EQ(ret.ProtDFe.ObterItem(i).ElementoProtocolo, texto.substr(inicio, de - inicio));
    }
    EXPECT_NE(ret.ProtDFe.ObterItem(1).ElementoProtocolo.find("</Signature></protNFe>"), std::string::npos);

    const TProtDFeCollectionItem &assinado = ret.ProtDFe.ObterItem(1);
    EXPECT_EQ(assinado.Id, "ID135240000000002");
    EXPECT_EQ(assinado.tpAmb, taHomologacao);
    EXPECT_EQ(assinado.ChaveAcesso, "35240311222333000181550010000000021000000020");
    EXPECT_EQ(assinado.dhRecbto, quando(2024, 3, 5, 14, 7, 11));
    EXPECT_EQ(assinado.nProt, "135240000000002");
    EXPECT_EQ(assinado.digVal, "b3V0cm9kaWdlc3RvdXRyb2RpZ2U=");
    EXPECT_EQ(assinado.cStat, 100);
    EXPECT_EQ(assinado.cMsg, 1);
    EXPECT_EQ(assinado.xMsg, "Nota com observação");
    const TProtDFeCollectionItem &rejeitado = ret.ProtDFe.ObterItem(2);
    EXPECT_EQ(rejeitado.cStat, 539);
    EXPECT_EQ(rejeitado.nProt, "");
    EXPECT_EQ(rejeitado.Id, "");
}

TEST(ReceiptAnswer, GivesNoProtocolsWhileTheBatchIsNotProcessed)
{
    for (const char *cStat : {"105", "106"}) {
        SCOPED_TRACE(cStat);
        TRetConsReciDFe ret("NFe");
        ret.Leitor.setArquivo(trocado(resposta("retConsReciNFe.xml"), "<cStat>104</cStat>",
                                      std::string("<cStat>") + cStat + "</cStat>"));
        ASSERT_TRUE(ret.LerResposta());
        EXPECT_EQ(ret.ProtDFe.count(), 0);
    }
}

TEST(ReceiptAnswer, KeepsAProtocolWithoutInfProtAsItsElementOnly)
{
    TRetConsReciDFe ret("NFe");
    ret.Leitor.setArquivo("<retConsReciNFe versao=\"4.00\"><cStat>104</cStat>"
                          "<protNFe versao=\"4.00\"><x/></protNFe></retConsReciNFe>");
    ASSERT_TRUE(ret.LerResposta());
    ASSERT_EQ(ret.ProtDFe.count(), 1);
    EXPECT_EQ(ret.ProtDFe.ObterItem(0).ElementoProtocolo, "<protNFe versao=\"4.00\"><x/></protNFe>");
    EXPECT_EQ(ret.ProtDFe.ObterItem(0).cStat, 0);
}

TEST(RegistryAnswer, ReadsEachRegistrationFound)
{
    TRetConsCad ret;
    ret.Leitor.setArquivo(resposta("retConsCad.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.versao, "2.00");
    EXPECT_EQ(ret.cStat, 111);
    EXPECT_EQ(ret.UF, "SP");
    EXPECT_EQ(ret.dhCons, quando(2024, 3, 5, 14, 7, 9));
    EXPECT_EQ(ret.cUF, 35);
    ASSERT_EQ(ret.InfCad.count(), 2);
    const TInfCadCollectionItem &ativo = ret.InfCad.ObterItem(0);
    EXPECT_EQ(ativo.IE, "110042490114");
    EXPECT_EQ(ativo.CNPJ, "11222333000181");
    EXPECT_EQ(ativo.cSit, 1);
    EXPECT_EQ(ativo.indCredCTe, 4);
    EXPECT_EQ(ativo.xNome, "EMPRESA MODELO & FILHOS LTDA");
    EXPECT_EQ(ativo.xRegApur, "NORMAL - REGIME PERIÓDICO DE APURAÇÃO");
    EXPECT_EQ(ativo.CNAE, 4751201);
    EXPECT_EQ(ativo.dIniAtiv, quando(2001, 2, 15));
    EXPECT_EQ(ativo.dBaixa, 0);
    EXPECT_EQ(ativo.xCpl, "SALA 2");
    EXPECT_EQ(ativo.cMun, 3550308);
    EXPECT_EQ(ativo.CEP, 1001000); // a number: the leading zero is gone
    const TInfCadCollectionItem &baixado = ret.InfCad.ObterItem(1);
    EXPECT_EQ(baixado.dBaixa, quando(2010, 10, 20));
    EXPECT_EQ(baixado.IEUnica, "110042490114");
    EXPECT_EQ(baixado.nro, "S/N");
    EXPECT_EQ(baixado.xCpl, "");
}

TEST(RegistryAnswer, CompletesShortDocumentsWithZeros)
{
    TRetConsCad ret;
    ret.Leitor.setArquivo("<retConsCad versao=\"2.00\"><infCons><cStat>111</cStat>"
                          "<infCad><IE>1</IE><CNPJ>1222333000181</CNPJ></infCad>"
                          "<infCad><IE>2</IE><CPF>8765432109</CPF></infCad></infCons></retConsCad>");
    ASSERT_TRUE(ret.LerResposta());
    ASSERT_EQ(ret.InfCad.count(), 2);
    EXPECT_EQ(ret.InfCad.ObterItem(0).CNPJ, "01222333000181");
    EXPECT_EQ(ret.InfCad.ObterItem(1).CPF, "08765432109");
    EXPECT_EQ(ret.InfCad.ObterItem(1).CNPJ, "");
}

TEST(RegistryAnswer, GivesOneEmptyItemWhenNothingWasFound)
{
    TRetConsCad ret;
    ret.Leitor.setArquivo(
        "<retConsCad versao=\"2.00\"><infCons><verAplic>X</verAplic><cStat>259</cStat>"
        "<xMotivo>Rejeicao: CNPJ da consulta nao cadastrado como contribuinte na UF</xMotivo>"
        "<UF>SP</UF><CNPJ>11222333000181</CNPJ><dhCons>2024-03-05T14:07:09-03:00</dhCons>"
        "<cUF>35</cUF></infCons></retConsCad>");
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 259);
    ASSERT_EQ(ret.InfCad.count(), 1);
    EXPECT_EQ(ret.InfCad.ObterItem(0).IE, "");
    EXPECT_EQ(ret.InfCad.ObterItem(0).cSit, 0);
}

TEST(CscAnswer, ReadsEachCode)
{
    TRetAdmCSCNFCe ret;
    ret.Leitor.setArquivo(resposta("retAdmCscNFCe.xml"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.versao, "1.00");
    EXPECT_EQ(ret.indOp, ocs1);
    EXPECT_EQ(ret.cStat, 150);
    ASSERT_EQ(ret.dadosCsc.count(), 2);
    EXPECT_EQ(ret.dadosCsc.ObterItem(1).idCsc, 2);
    EXPECT_EQ(ret.dadosCsc.ObterItem(1).codigoCsc, "I9J8K7L6M5N4O3P2");
}

TEST(CscAnswer, GivesOneItemWithIdZeroWhenThereIsNoCode)
{
    TRetAdmCSCNFCe ret;
    ret.Leitor.setArquivo("<retAdmCscNFCe versao=\"1.00\"><tpAmb>2</tpAmb><indOp>3</indOp><cStat>152</cStat>"
                          "</retAdmCscNFCe>");
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.indOp, ocs3);
    ASSERT_EQ(ret.dadosCsc.count(), 1);
    EXPECT_EQ(ret.dadosCsc.ObterItem(0).idCsc, 0);
}

// Reads an answer of another root with a reader and tells whether it answered
// false with cStat untouched (the field every reader has).
struct CasoOutraRaiz {
    const char *leitor;
    std::function<bool(const std::string &, int &)> le;
};

template <typename Leitor> bool leOutraRaiz(Leitor &ret, const std::string &texto, int &cStat)
{
    ret.cStat = -1;
    ret.Leitor.setArquivo(texto);
    const bool lido = ret.LerResposta();
    cStat = ret.cStat;
    return lido;
}

TEST(AnswerReaders, GiveFalseAndChangeNothingForAnotherRoot)
{
    // clang-format off
    const std::vector<CasoOutraRaiz> casos = {
        {"status", [](const std::string &t, int &c) { TRetConsStatServ r; return leOutraRaiz(r, t, c); }},
        {"batch", [](const std::string &t, int &c) { TretEnvNFe r; return leOutraRaiz(r, t, c); }},
        {"receipt", [](const std::string &t, int &c) { TRetConsReciDFe r("NFe"); return leOutraRaiz(r, t, c); }},
        {"registry", [](const std::string &t, int &c) { TRetConsCad r; return leOutraRaiz(r, t, c); }},
        {"CSC", [](const std::string &t, int &c) { TRetAdmCSCNFCe r; return leOutraRaiz(r, t, c); }},
        {"distribution", [](const std::string &t, int &c) { TRetDistDFeInt r("NFe"); return leOutraRaiz(r, t, c); }},
    };
    // clang-format on
    const std::string outra =
        "<retConsSitNFe versao=\"4.00\"><tpAmb>2</tpAmb><cStat>100</cStat></retConsSitNFe>";
    for (const CasoOutraRaiz &caso : casos) {
        SCOPED_TRACE(caso.leitor);
        int cStat = 0;
        EXPECT_FALSE(caso.le(outra, cStat));
        EXPECT_EQ(cStat, -1);
    }
}

TEST(AnswerReaders, GiveFalseForAMalformedDateKeepingWhatWasRead)
{
    TRetConsStatServ ret;
    ret.Leitor.setArquivo(
        "<retConsStatServ versao=\"4.00\"><cStat>107</cStat><dhRecbto>2024-13-45T99:00:00</dhRecbto>"
        "<tMed>4</tMed></retConsStatServ>");
    EXPECT_FALSE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 107);
    EXPECT_EQ(ret.tMed, 0);
}

} // namespace
