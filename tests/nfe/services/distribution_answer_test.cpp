// The distribution answer: docZips made with the system's gzip and base64,
// each kind of document, and the errors that stop the reading.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/base/quib_exception.h"
#include "nfe/services/ret_dist_dfe_int.h"
#include "tests/support/run_command.h"
#include "tests/support/test_data.h"

namespace {

const std::string kDeclaracao = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

std::string documento(const std::string &nome)
{
    return testsupport::testData("data/answers/documents/" + nome);
}

// Base64 (one line) of the gzip member of the text, by coreutils.
std::string docZipDe(const std::string &texto)
{
    const auto gzip = testsupport::runCommand({"gzip", "-n", "-c"}, texto);
    const auto base64 = testsupport::runCommand({"base64", "-w0"}, gzip.out);
    EXPECT_EQ(gzip.exitCode, 0);
    EXPECT_EQ(base64.exitCode, 0);
    return base64.out;
}

std::string respostaCom(const std::string &docZips, const std::string &cStat = "138")
{
    return "<retDistDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\"><tpAmb>2</tpAmb>"
           "<verAplic>1.5.11</verAplic><cStat>" +
           cStat +
           "</cStat><xMotivo>Documento localizado</xMotivo><dhResp>2024-03-06T10:00:00-03:00</dhResp>"
           "<ultNSU>000000000000004</ultNSU><maxNSU>000000000000009</maxNSU>" +
           (docZips.empty() ? "" : "<loteDistDFeInt>" + docZips + "</loteDistDFeInt>") + "</retDistDFeInt>";
}

std::string docZipElemento(const std::string &nsu, const std::string &schema, const std::string &conteudo)
{
    return "<docZip NSU=\"" + nsu + "\" schema=\"" + schema + "\">" + conteudo + "</docZip>";
}

TDateTime quando(int ano, int mes, int dia, int hora, int minuto, int segundo)
{
    return encodeDateTime(DateTimeParts{ano, mes, dia, hora, minuto, segundo, 0});
}

class DistributionAnswer : public ::testing::Test {
  protected:
    void SetUp() override
    {
        if (!testsupport::hasProgram("gzip") || !testsupport::hasProgram("base64"))
            GTEST_SKIP() << "gzip or base64 missing";
    }
};

TEST_F(DistributionAnswer, ReadsEachKindOfDocument)
{
    const std::vector<std::string> nomes = {"resNFe.xml", "resEvento.xml", "nfeProc.xml",
                                            "procEventoNFe.xml"};
    const std::vector<std::string> esquemas = {"resNFe_v1.01.xsd", "resEvento_v1.01.xsd", "procNFe_v4.00.xsd",
                                               "procEventoNFe_v1.00.xsd"};
    std::string docZips;
    for (std::size_t i = 0; i < nomes.size(); ++i)
        docZips += docZipElemento("00000000000000" + std::to_string(i + 1), esquemas[i],
                                  docZipDe(documento(nomes[i])));

    TRetDistDFeInt ret("NFe");
    ret.Leitor.setArquivo(respostaCom(docZips));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.TextoResposta, respostaCom(docZips));
    EXPECT_EQ(ret.cStat, 138);
    EXPECT_EQ(ret.dhResp, quando(2024, 3, 6, 10, 0, 0));
    EXPECT_EQ(ret.ultNSU, "000000000000004");
    EXPECT_EQ(ret.maxNSU, "000000000000009");
    ASSERT_EQ(ret.docZip.count(), 4);
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(nomes[static_cast<std::size_t>(i)]);
        const TdocZipCollectionItem &item = ret.docZip.ObterItem(i);
        EXPECT_EQ(item.NSU, "00000000000000" + std::to_string(i + 1));
        EXPECT_EQ(item.DocumentoXML, kDeclaracao + documento(nomes[static_cast<std::size_t>(i)]));
    }

    const TdocZipCollectionItem &resumo = ret.docZip.ObterItem(0);
    EXPECT_EQ(resumo.schema, schresNFe);
    EXPECT_EQ(resumo.resDFe.ChaveAcesso, "35240311222333000181550010000000011000000015");
    EXPECT_EQ(resumo.resDFe.CNPJCPF, "11222333000181");
    EXPECT_EQ(resumo.resDFe.xNome, "FORNECEDOR & CIA LTDA");
    EXPECT_EQ(resumo.resDFe.dhEmi, quando(2024, 3, 5, 10, 0, 0));
    EXPECT_EQ(resumo.resDFe.tpNF, tdf1);
    EXPECT_EQ(resumo.resDFe.vNF, *Decimal::parse("1234.56"));
    EXPECT_EQ(resumo.resDFe.nProt, "135240000000001");
    EXPECT_EQ(resumo.resDFe.cSitNFe, srd1);

    const TdocZipCollectionItem &evento = ret.docZip.ObterItem(1);
    EXPECT_EQ(evento.schema, schresEvento);
    EXPECT_EQ(evento.resEvento.cOrgao, 35);
    EXPECT_EQ(evento.resEvento.tpEvento, tevCancelamento);
    EXPECT_EQ(evento.resEvento.nSeqEvento, 1);
    EXPECT_EQ(evento.resEvento.xEvento, "Cancelamento");
    EXPECT_EQ(evento.resEvento.dhRecbto, quando(2024, 3, 6, 9, 15, 3));

    const TdocZipCollectionItem &nota = ret.docZip.ObterItem(2);
    EXPECT_EQ(nota.schema, schprocNFe);
    EXPECT_EQ(nota.resDFe.ChaveAcesso, "35240511222333000181650010000043211123456782");
    EXPECT_EQ(nota.resDFe.CNPJCPF, "11222333000181");
    EXPECT_EQ(nota.resDFe.dhEmi, quando(2024, 5, 17, 10, 30, 0));
    EXPECT_EQ(nota.resDFe.tpNF, tdf1);
    EXPECT_EQ(nota.resDFe.nProt, "135240000000001");
    EXPECT_EQ(nota.resDFe.cSitNFe, srd1);
    EXPECT_NE(nota.resDFe.vNF, Decimal());

    const TdocZipCollectionItem &processado = ret.docZip.ObterItem(3);
    EXPECT_EQ(processado.schema, schprocEventoNFe);
    const TprocEvento &proc = processado.procEvento;
    EXPECT_EQ(proc.Id, "ID1101103524031122233300018155001000000001100000001501");
    EXPECT_EQ(proc.tpEvento, tevCCe);
    EXPECT_EQ(proc.verEvento, "1.00");
    EXPECT_EQ(proc.detEvento.versao, "1.00");
    EXPECT_EQ(proc.detEvento.xCorrecao, "Peso bruto correto: 12,5 kg & volumes 3");
    EXPECT_EQ(proc.RetInfEvento.Id, "ID135240000000011");
    EXPECT_EQ(proc.RetInfEvento.cStat, 135);
    EXPECT_EQ(proc.RetInfEvento.CNPJDest, "99888777000166");
    EXPECT_EQ(proc.RetInfEvento.dhRegEvento, quando(2024, 3, 6, 9, 15, 4));
    EXPECT_EQ(proc.RetInfEvento.nProt, "135240000000011");
}

TEST_F(DistributionAnswer, GivesAnEmptyListWhenNothingWasFound)
{
    TRetDistDFeInt ret("NFe");
    ret.Leitor.setArquivo(respostaCom("", "137"));
    ASSERT_TRUE(ret.LerResposta());
    EXPECT_EQ(ret.cStat, 137);
    EXPECT_EQ(ret.docZip.count(), 0);
}

TEST_F(DistributionAnswer, RaisesForADocZipItCannotReadKeepingTheItemsBefore)
{
    const std::string bom =
        docZipElemento("000000000000001", "resNFe_v1.01.xsd", docZipDe(documento("resNFe.xml")));
    struct Caso {
        const char *nome;
        std::string docZip;
        const char *mensagem;
    };
    const std::vector<Caso> casos = {
        {"invalid Base64", docZipElemento("000000000000002", "resNFe_v1.01.xsd", "H4sI*AAA"),
         "Base64 inválido"},
        {"unknown schema",
         docZipElemento("000000000000002", "resXYZ_v1.01.xsd", docZipDe(documento("resNFe.xml"))),
         "não é um valor TSchemaDFe válido"},
        {"not compressed", docZipElemento("000000000000002", "resNFe_v1.01.xsd", "PHJlc05GZT48L3Jlc05GZT4="),
         ""},
    };
    for (const Caso &caso : casos) {
        SCOPED_TRACE(caso.nome);
        TRetDistDFeInt ret("NFe");
        ret.Leitor.setArquivo(respostaCom(bom + caso.docZip));
        try {
            ret.LerResposta();
            ADD_FAILURE() << "no exception";
        } catch (const ProgramError &erro) {
            EXPECT_NE(std::string(erro.what()).find(caso.mensagem), std::string::npos) << erro.what();
        }
        ASSERT_EQ(ret.docZip.count(), 2);
        EXPECT_EQ(ret.docZip.ObterItem(0).resDFe.nProt, "135240000000001");
    }
}

} // namespace
