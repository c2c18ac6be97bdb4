#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/dates/fuso_horario.h"
#include "nfe/document/proc_nfe.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/support/xml_checks.h"

namespace {

using testsupport::TempDir;

const std::string kChave = testsupport::kSampleKey;
// The next note of the same series (number 1235), with its own check digit.
const std::string kOutraChave = "35240512345678000195550010000012351000012341";
const std::string kDeclaracao = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
const std::string kInicioProc =
    kDeclaracao + "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">";

std::string nota(const std::string &chave = kChave)
{
    return "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe versao=\"4.00\" Id=\"NFe" + chave +
           "\"><ide><cUF>35</cUF><nNF>1234</nNF></ide></infNFe>"
           "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo/>"
           "<SignatureValue>c2ln</SignatureValue></Signature></NFe>";
}

std::string protocolo(const std::string &chave, const std::string &nProt, int cStat = 100)
{
    return "<protNFe versao=\"4.00\"><infProt Id=\"ID" + nProt +
           "\"><tpAmb>2</tpAmb><verAplic>SP_NFE_PL009_V4</verAplic>"
           "<chNFe>" +
           chave + "</chNFe><dhRecbto>2024-05-17T10:31:02-03:00</dhRecbto><nProt>" + nProt +
           "</nProt><digVal>ZGlnVmFs</digVal><cStat>" + std::to_string(cStat) +
           "</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo></infProt></protNFe>";
}

std::string retornoLote(const std::vector<std::string> &protocolos)
{
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><retConsReciNFe versao=\"4.00\" "
        "xmlns=\"http://www.portalfiscal.inf.br/nfe\"><tpAmb>2</tpAmb><verAplic>SP_NFE_PL009_V4</verAplic>"
        "<nRec>351000000000001</nRec><cStat>104</cStat><xMotivo>Lote processado</xMotivo><cUF>35</cUF>"
        "<dhRecbto>2024-05-17T10:31:05-03:00</dhRecbto>";
    for (const std::string &p : protocolos)
        xml += p;
    return xml + "</retConsReciNFe>";
}

// Checks every built document: one declaration, well-formed, note and protocol in place.
void confereProcBemFormado(const TProcNFe &proc)
{
    const std::string &xml = proc.Gerador.ArquivoFormatoXML;
    EXPECT_EQ(testsupport::xmlDeclarationCount(xml), 1) << xml;
    const std::string inicio =
        kDeclaracao + "<nfeProc versao=\"" + proc.Versao + "\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">";
    EXPECT_EQ(xml.rfind(inicio, 0), 0u) << xml;
    EXPECT_NE(xml.find("</NFe><protNFe"), std::string::npos) << xml;
    EXPECT_EQ(xml.substr(xml.size() - 10), "</nfeProc>");
    if (testsupport::xmllintAvailable()) {
        EXPECT_EQ(testsupport::wellFormedProblem(xml), "") << xml;
    }
}

// An answer or expected protocol kept in the layer's data folder; the note's
// key in them is kSampleKey.
std::string dados(const char *file)
{
    return testsupport::testData(std::string("nfe/document/data/") + file);
}

bool temAlerta(const TProcNFe &proc, const std::string &id, const std::string &mensagem)
{
    for (const std::string &alerta : proc.Gerador.ListaDeAlertas)
        if (alerta.find("ID:" + id + "/") != std::string::npos && alerta.find(mensagem) != std::string::npos)
            return true;
    return false;
}

class ProcNFe : public ::testing::Test {
  protected:
    void SetUp() override
    {
        saved_.Assign(FusoHorarioGlobal());
        FusoHorarioGlobal().SetModoDeteccao(tzPCN);
    }
    void TearDown() override { FusoHorarioGlobal().Assign(saved_); }

    TempDir dir_;
    TTimeZoneConf saved_;
};

TEST_F(ProcNFe, GivenXmlKeepsOnlyTheWritersDeclaration)
{
    TProcNFe proc;
    proc.Versao = "4.00";
    proc.XmlNFe = kDeclaracao + "<nfeProc>" + nota() + "</nfeProc>";
    proc.XmlProtNFe = kDeclaracao + protocolo(kChave, "135240000000001");
    EXPECT_TRUE(proc.MontarXml());
    EXPECT_EQ(proc.Gerador.ArquivoFormatoXML,
              kInicioProc + nota() + protocolo(kChave, "135240000000001") + "</nfeProc>");
    confereProcBemFormado(proc);
}

TEST_F(ProcNFe, IndentedDocumentPutsTheFrameOnLinesOfItsOwn)
{
    TProcNFe proc;
    proc.Gerador.Opcoes.IdentarXML = true;
    proc.Versao = "4.00";
    proc.XmlNFe = nota();
    proc.XmlProtNFe = protocolo(kChave, "135240000000001");
    EXPECT_TRUE(proc.MontarXml());
    const std::string &xml = proc.Gerador.ArquivoFormatoXML;
    EXPECT_EQ(xml.rfind(kDeclaracao +
                            "\r\n<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">\r\n",
                        0),
              0u)
        << xml;
    EXPECT_NE(xml.find(nota() + protocolo(kChave, "135240000000001") + "</nfeProc>\r\n"), std::string::npos)
        << xml;
    if (testsupport::xmllintAvailable()) {
        EXPECT_EQ(testsupport::wellFormedProblem(xml), "");
    }
}

TEST_F(ProcNFe, NothingToAssembleIsAFailureWithAnEmptyOutput)
{
    struct Caso {
        const char *name;
        std::string xmlNFe;
        std::string xmlProt;
        std::string alertId;
    };
    const std::vector<Caso> cases = {
        {"only the protocol", "", protocolo(kChave, "1"), "XR04"},
        {"only the note", nota(), "", "XR06"},
        {"a note without its NFe element", "<nfeProc/>", protocolo(kChave, "1"), "XR04"},
        {"a blank protocol", nota(), "  ", "XR06"},
    };
    for (const Caso &c : cases) {
        TProcNFe proc;
        proc.Versao = "4.00";
        // A good document first: its output must not survive the failed call.
        proc.XmlNFe = nota();
        proc.XmlProtNFe = protocolo(kChave, "1");
        ASSERT_TRUE(proc.MontarXml());
        ASSERT_FALSE(proc.Gerador.ArquivoFormatoXML.empty());

        proc.XmlNFe = c.xmlNFe;
        proc.XmlProtNFe = c.xmlProt;
        EXPECT_FALSE(proc.MontarXml()) << c.name;
        EXPECT_EQ(proc.Gerador.ArquivoFormatoXML, "") << c.name;
        ASSERT_EQ(proc.Gerador.ListaDeAlertas.size(), 1u) << c.name;
        EXPECT_NE(proc.Gerador.ListaDeAlertas[0].find("ID:" + c.alertId + "/"), std::string::npos)
            << c.name << ": " << proc.Gerador.ListaDeAlertas[0];
    }
}

TEST_F(ProcNFe, BatchResultTakesTheProtocolOfThisNote)
{
    TProcNFe proc;
    proc.Versao = "4.00";
    proc.PathNFe = dir_.write("nota.xml", kDeclaracao + nota()).string();
    proc.PathRetornoLote = dir_.write("lote.xml", retornoLote({protocolo(kOutraChave, "135240000000007"),
                                                               protocolo(kChave, "135240000000008"),
                                                               protocolo(kOutraChave, "135240000000009")}))
                               .string();
    EXPECT_TRUE(proc.MontarXml());
    EXPECT_TRUE(proc.Gerador.ListaDeAlertas.empty());
    EXPECT_EQ(proc.chNFe, kChave);
    EXPECT_EQ(proc.nProt, "135240000000008");
    EXPECT_EQ(proc.XmlProtNFe, protocolo(kChave, "135240000000008"));
    confereProcBemFormado(proc);
    EXPECT_EQ(proc.Gerador.ArquivoFormatoXML,
              kInicioProc + nota() + protocolo(kChave, "135240000000008") + "</nfeProc>");

    // A second call only reassembles from the texts it kept.
    std::remove(proc.PathRetornoLote.c_str());
    EXPECT_TRUE(proc.MontarXml());
    confereProcBemFormado(proc);
}

TEST_F(ProcNFe, BatchResultWithoutThisNoteFails)
{
    TProcNFe proc;
    proc.Versao = "4.00";
    // A number already held from elsewhere must not attach another note's protocol.
    proc.nProt = "135240000000001";
    proc.PathNFe = dir_.write("nota.xml", nota()).string();
    proc.PathRetornoLote = dir_.write("lote.xml", retornoLote({protocolo(kOutraChave, "135240000000007"),
                                                               protocolo(kOutraChave, "135240000000009")}))
                               .string();
    EXPECT_FALSE(proc.MontarXml());
    EXPECT_EQ(proc.Gerador.ListaDeAlertas.size(), 2u);
    EXPECT_TRUE(temAlerta(proc, "XR01", "Nenhum valor informado"));
    EXPECT_EQ(proc.Gerador.ArquivoFormatoXML, "");
}

TEST_F(ProcNFe, MissingFilesAreReported)
{
    struct Caso {
        const char *name;
        bool notaExiste;
        std::string lote;
        std::string consulta;
        std::string alertId;
        std::string tag;
    };
    const std::vector<Caso> cases = {
        {"note file", false, "", "", "XR04", "NFE"},
        {"batch-result file", true, "ausente.xml", "", "XR06", "PROTOCOLO"},
        {"query-answer file", true, "", "ausente.xml", "XR06", "SITUAÇÃO"},
        {"both answer files given", true, "ausente.xml", "ausente2.xml", "XR06", "PROTOCOLO"},
    };
    for (const Caso &c : cases) {
        TProcNFe proc;
        proc.Versao = "4.00";
        proc.PathNFe =
            c.notaExiste ? dir_.write("nota.xml", nota()).string() : (dir_ / "sem-nota.xml").string();
        if (!c.lote.empty())
            proc.PathRetornoLote = (dir_ / c.lote).string();
        if (!c.consulta.empty())
            proc.PathRetornoConsulta = (dir_ / c.consulta).string();
        if (!c.notaExiste)
            proc.nProt = "135240000000001";
        EXPECT_FALSE(proc.MontarXml()) << c.name;
        EXPECT_EQ(proc.Gerador.ArquivoFormatoXML, "") << c.name;
        bool found = false;
        for (const std::string &alerta : proc.Gerador.ListaDeAlertas)
            found = found || alerta.find("ID:" + c.alertId + "/" + c.tag + "(") != std::string::npos;
        EXPECT_TRUE(found) << c.name;
    }
}

TEST_F(ProcNFe, QueryAnswerBuildsTheProtocol)
{
    // Each answer holds the note's authorisation; cancellations add their
    // own protocol number, as infCanc (3.10) or as an event (4.00).
    struct Caso {
        const char *name;
        const char *answer;
        const char *expected;
    };
    // clang-format off
    const std::vector<Caso> cases = {
        {"authorised, layout 4.00",                "proc_sit_authorised.xml",    "proc_prot_authorised.xml"},
        {"cancelled, layout 3.10 with infCanc",    "proc_sit_cancelled_310.xml", "proc_prot_cancelled_310.xml"},
        {"cancelled, layout 4.00 without infCanc", "proc_sit_cancelled_400.xml", "proc_prot_cancelled_400.xml"},
        {"with a message of the authority",        "proc_sit_message.xml",       "proc_prot_message.xml"},
    };
    // clang-format on
    for (const Caso &c : cases) {
        TProcNFe proc;
        proc.Versao = "4.00";
        proc.PathNFe = dir_.write("nota.xml", nota()).string();
        proc.PathRetornoConsulta = dir_.write("sit.xml", dados(c.answer)).string();
        EXPECT_TRUE(proc.MontarXml()) << c.name;
        EXPECT_EQ(proc.XmlProtNFe, dados(c.expected)) << c.name;
        confereProcBemFormado(proc);
    }
}

TEST_F(ProcNFe, OwnFieldsBuildAnEscapedProtocol)
{
    TProcNFe proc;
    proc.Versao = "4.00";
    proc.PathNFe = dir_.write("nota.xml", nota()).string();
    proc.tpAmb = taHomologacao;
    proc.verAplic = "SP_NFE_PL_009";
    proc.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 2, 0});
    proc.nProt = "ID135240000000008";
    proc.digVal = "ZGlnVmFs";
    proc.cStat = 302;
    proc.xMotivo = "Uso Denegado: \"irregular\" & <pendente>";
    EXPECT_TRUE(proc.MontarXml());
    EXPECT_EQ(proc.XmlProtNFe, dados("proc_prot_own_fields.xml"));
    confereProcBemFormado(proc);
}

TEST_F(ProcNFe, OwnFieldsReceiptOffsetFollowsVersionAndAuthoriser)
{
    struct Caso {
        std::string versao;
        std::string verAplic;
        std::string chave;
        std::string dhRecbto;
    };
    // The same note issued in Amazonas: the state code changes the check digit.
    const std::string manausKey = "13" + kChave.substr(2, 41) + "7";
    const std::vector<Caso> cases = {
        {"2.00", "SP_NFE_PL_009", kChave, "2024-05-17T10:31:02"},
        {"4.00", "SP_NFE_PL_009", kChave, "2024-05-17T10:31:02-03:00"},
        {"3.10", "AM3.10", kChave, "2024-05-17T10:31:02-04:00"},
        {"4.00", "SVRS202405171031", manausKey, "2024-05-17T10:31:02-04:00"},
    };
    for (const Caso &c : cases) {
        TProcNFe proc;
        proc.Versao = c.versao;
        proc.PathNFe = dir_.write("nota.xml", nota(c.chave)).string();
        proc.verAplic = c.verAplic;
        proc.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 2, 0});
        proc.nProt = "135240000000008";
        EXPECT_TRUE(proc.MontarXml()) << c.versao << " " << c.verAplic;
        EXPECT_NE(proc.XmlProtNFe.find("<dhRecbto>" + c.dhRecbto + "</dhRecbto>"), std::string::npos)
            << c.versao << " " << c.verAplic << ": " << proc.XmlProtNFe;
        EXPECT_NE(proc.XmlProtNFe.find("<infProt Id=\"ID135240000000008\">"), std::string::npos);
        // No message from the authority: the optional pair stays out.
        EXPECT_EQ(proc.XmlProtNFe.find("<cMsg>"), std::string::npos);
        confereProcBemFormado(proc);
    }
}

TEST_F(ProcNFe, OwnFieldsWriteTheMessagePairWhenItSaysSomething)
{
    TProcNFe proc;
    proc.Versao = "4.00";
    proc.PathNFe = dir_.write("nota.xml", nota()).string();
    proc.nProt = "135240000000008";
    proc.cMsg = 0;
    proc.xMsg = "Aviso < importante";
    EXPECT_TRUE(proc.MontarXml());
    EXPECT_NE(proc.XmlProtNFe.find("<cMsg>0</cMsg><xMsg>Aviso &lt; importante</xMsg></infProt>"),
              std::string::npos)
        << proc.XmlProtNFe;
    confereProcBemFormado(proc);
}

TEST_F(ProcNFe, ExtrairGrupoGivesAnEmptyElementWhenAbsent)
{
    EXPECT_EQ(TProcNFe::ExtrairGrupo("nProt", "<a><nProt>123</nProt><nProt>9</nProt></a>"),
              "<nProt>123</nProt>");
    EXPECT_EQ(TProcNFe::ExtrairGrupo("cMsg", "<a><nProt>123</nProt></a>"), "<cMsg></cMsg>");
}

} // namespace
