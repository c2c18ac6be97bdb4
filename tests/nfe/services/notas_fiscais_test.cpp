#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "foundation/fiscal/dfe_util.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "tests/nfe/services/notas_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"

namespace {

using testsupport::ComponenteAssinador;
using testsupport::TempDir;
namespace fs = std::filesystem;

// What xmlsec1 says of the signed note: empty when the signature verifies
// against the test CA.
std::string problemasDaAssinatura(const std::string &xml)
{
    TempDir pasta;
    const auto arquivo = pasta.write("nota.xml", xml);
    const auto r = testsupport::runCommand({"xmlsec1", "--verify", "--trusted-pem", testPki().root.certPem,
                                            "--trusted-pem", testPki().intermediate.certPem, "--id-attr:Id",
                                            "infNFe", arquivo.string()});
    return r.exitCode == 0 ? std::string() : r.out + r.err;
}

std::string sha1PelaFerramenta(const std::string &texto)
{
    const auto r = testsupport::runCommand({"openssl", "sha1", "-r"}, texto);
    std::string hash = r.out.substr(0, 40);
    std::transform(hash.begin(), hash.end(), hash.begin(), ::toupper);
    return hash;
}

fs::path xsdDaNota()
{
    return testsupport::sourceDir() / "schemas/PL_009_V4/nfe_v4.00.xsd";
}

} // namespace

TEST(NotaFiscalAssinar, AnNFeSignedWithTheTestPfxVerifiesAndMatchesTheSchema)
{
    ComponenteAssinador c(55);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.AssinarNota();
    const std::string xml = nota.TextoXMLAssinado();

    EXPECT_EQ(problemasDaAssinatura(xml), "");
    EXPECT_EQ(testsupport::schemaProblems(xml, xsdDaNota()), "");
    EXPECT_EQ(xml.find("infNFeSupl"), std::string::npos);
    EXPECT_EQ(nota.TextoXML(), xml);
    EXPECT_FALSE(nota.NFe().Signature.DigestValue.empty());
    EXPECT_EQ(nota.NFe().Signature.URI, "#" + nota.NFe().infNFe.Id);
    EXPECT_NO_THROW(nota.ValidarNota());
    EXPECT_TRUE(nota.ConferirAssinatura()) << nota.MsgErroValidacao;
}

TEST(NotaFiscalAssinar, AnNFCeCarriesItsQrCodeWhoseHashTheToolRecomputes)
{
    ComponenteAssinador c(65);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.AssinarNota();
    const std::string xml = nota.TextoXMLAssinado();

    EXPECT_EQ(problemasDaAssinatura(xml), "");
    EXPECT_EQ(testsupport::schemaProblems(xml, xsdDaNota()), "");
    const std::string qr = nota.NFe().infNFeSupl.qrCode;
    ASSERT_EQ(qr.rfind("https://sp.example/qrcode?p=", 0), 0u) << qr;
    const std::string parametros = qr.substr(qr.find("?p=") + 3);
    const std::size_t ultimaBarra = parametros.rfind('|');
    EXPECT_EQ(parametros.substr(ultimaBarra + 1),
              sha1PelaFerramenta(parametros.substr(0, ultimaBarra) + "TESTE-CSC-0123456789"));
    EXPECT_EQ(nota.NFe().infNFeSupl.urlChave, "https://sp.example/consulta");
    EXPECT_NE(xml.find("<qrCode>"), std::string::npos);
}

TEST(NotaFiscalAssinar, AnNFCeOfLayout310GetsTheQrCodeOnly)
{
    ComponenteAssinador c(65);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.NFe().infNFe.versao = 3.10;
    nota.AssinarNota();
    EXPECT_FALSE(nota.NFe().infNFeSupl.qrCode.empty());
    EXPECT_EQ(nota.NFe().infNFeSupl.urlChave, "");
}

TEST(NotaFiscalAssinar, ADifferentEmitterIsRefusedBeforeSigning)
{
    ComponenteAssinador c(55);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.NFe().emit.CNPJCPF = "11444777000161";
    EXPECT_THROW(nota.AssinarNota(), EQuibDFeException);
    EXPECT_EQ(nota.TextoXMLAssinadoAtual(), "");
}

TEST(NotaFiscalAssinar, ANoteChangedAfterSigningFailsTheSignatureCheck)
{
    ComponenteAssinador c(55);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.AssinarNota();
    std::string xml = nota.TextoXMLAssinado();
    const std::string natOp = "<natOp>" + nota.NFe().ide.natOp + "</natOp>";
    ASSERT_NE(xml.find(natOp), std::string::npos);
    xml.replace(xml.find(natOp), natOp.size(), "<natOp>OUTRA OPERACAO</natOp>");
    nota.SetTextoXML(xml);

    EXPECT_FALSE(nota.ConferirAssinatura());
    EXPECT_EQ(
        nota.MsgErroValidacao.rfind(
            "Falha na validação da assinatura da nota: " + std::to_string(nota.NFe().ide.nNF) + "\r\n", 0),
        0u)
        << nota.MsgErroValidacao;
    std::string erros;
    EXPECT_FALSE(c.nfe.Notas().ConferirAssinaturas(erros));
    EXPECT_EQ(erros, nota.MsgErroValidacao + "\r\n");
}

TEST(NotaFiscalAssinar, SavesTheSignedNoteUnderItsKeyUnlessOnlyProcessedNotesAreSaved)
{
    for (const bool apenasProcessadas : {false, true}) {
        ComponenteAssinador c(55);
        c.nfe.Configuracoes().Arquivos().Salvar = true;
        c.nfe.Configuracoes().Arquivos().SalvarApenasNFeProcessadas = apenasProcessadas;
        NotaFiscal &nota = c.notaDeExemplo();
        nota.AssinarNota();
        const fs::path esperado = fs::path(nota.PastaPadrao()) / (nota.ChaveNota() + "-nfe.xml");
        EXPECT_EQ(fs::exists(esperado), !apenasProcessadas) << esperado;
        if (!apenasProcessadas)
            EXPECT_EQ(testsupport::readFile(esperado), nota.TextoXMLAssinado());
        EXPECT_EQ(fs::path(nota.PastaPadrao()).parent_path().string().rfind((c.pasta / "notas").string(), 0),
                  0u);
    }
}

TEST(NotaFiscalValidar, SchemaFailureRaisesTheShortOrDetailedMessage)
{
    for (const bool detalhada : {true, false}) {
        ComponenteAssinador c(55);
        c.nfe.Configuracoes().Geral().ExibirErroSchema = detalhada;
        NotaFiscal &nota = c.notaDeExemplo();
        nota.NFe().emit.xNome.clear(); // required: the writer alerts and the schema refuses
        nota.GerarTextoXML();
        ASSERT_FALSE(nota.AlertasGeracao.empty());
        try {
            nota.ValidarNota();
            FAIL() << "no error";
        } catch (const EQuibNFeException &e) {
            const std::string curta =
                "Falha na validação dos dados da nota: " + std::to_string(nota.NFe().ide.nNF) + "\r\n" +
                nota.AlertasGeracao;
            EXPECT_EQ(nota.MsgErroValidacao, curta);
            EXPECT_GT(nota.MsgErroValidacaoDetalhada.size(), curta.size() + 2);
            EXPECT_EQ(std::string(e.what()), detalhada ? nota.MsgErroValidacaoDetalhada : curta);
        }
    }
}

TEST(NotaFiscal, ChaveConfereFailsWhenOnlyTheSeriesDiffers)
{
    ComponenteAssinador c(55);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.GerarTextoXML();
    EXPECT_TRUE(nota.ChaveConfere());
    nota.NFe().ide.serie += 1;
    EXPECT_FALSE(nota.ChaveConfere());
    nota.NFe().infNFe.Id.clear();
    EXPECT_FALSE(nota.ChaveConfere());
}

TEST(NotaFiscal, PrintingAndMailNeedTheirComponents)
{
    ComponenteAssinador c(65);
    NotaFiscal &nota = c.notaDeExemplo();
    nota.GerarTextoXML();
    try {
        nota.ImprimirNota();
        FAIL();
    } catch (const EQuibNFeException &e) {
        EXPECT_STREQ(e.what(), "Componente DANFCe não associado.");
    }
    EXPECT_THROW(c.nfe.Notas().ImprimirNotas(), EQuibNFeException);
    try {
        nota.EnviarPorEmail("a@b.com", "assunto");
        FAIL();
    } catch (const EQuibNFeException &e) {
        EXPECT_STREQ(e.what(), "Componente QuibMail não associado");
    }
}
