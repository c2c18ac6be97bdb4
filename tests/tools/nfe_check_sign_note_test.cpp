#include <gtest/gtest.h>

#include <algorithm>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

namespace {

using testsupport::runCommand;

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

// The sample note of the model as its writer lays it out; the emitter is the
// test certificate's company.
std::string notaDeExemplo(int modelo, const std::string &cnpjEmitente = "")
{
    TNFe nfe;
    testsupport::fillNoteWithItems(nfe, 2, modelo);
    nfe.ide.tpAmb = taHomologacao;
    if (!cnpjEmitente.empty())
        nfe.emit.CNPJCPF = cnpjEmitente;
    TNFeW escritor(nfe);
    escritor.MontarXml();
    return escritor.Gerador.ArquivoFormatoXML;
}

// What xmlsec1 and xmllint say of the signed note: empty when both accept it.
std::string problemasDosJuizes(const std::string &arquivo)
{
    const auto &pki = testsupport::testPki();
    const auto xmlsec = runCommand({"xmlsec1", "--verify", "--trusted-pem", pki.root.certPem, "--trusted-pem",
                                    pki.intermediate.certPem, "--id-attr:Id", "infNFe", arquivo});
    const auto xmllint =
        runCommand({"xmllint", "--noout", "--schema",
                    (testsupport::sourceDir() / "schemas/PL_009_V4/nfe_v4.00.xsd").string(), arquivo});
    return (xmlsec.exitCode == 0 ? "" : xmlsec.err) + (xmllint.exitCode == 0 ? "" : xmllint.err);
}

std::string conteudoDe(const std::string &xml, const std::string &campo)
{
    const std::size_t inicio = xml.find("<" + campo + ">");
    if (inicio == std::string::npos)
        return "";
    const std::size_t valor = inicio + campo.size() + 2;
    return xml.substr(valor, xml.find("</" + campo + ">", valor) - valor);
}

} // namespace

TEST(NfeCheckSignNote, SignedNotesPassXmlsecAndTheSchema)
{
    if (!testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("xmllint"))
        GTEST_SKIP() << "xmlsec1 ou xmllint ausentes";
    const auto &pki = testsupport::testPki();
    testsupport::TempDir pasta;

    const auto nfe = runCommand({tool(), "sign-note", pasta.write("nfe.xml", notaDeExemplo(55)).string(),
                                 pki.ecnpj.pfxAes, pki.ecnpj.password});
    ASSERT_EQ(nfe.exitCode, 0) << nfe.err;
    EXPECT_EQ(problemasDosJuizes(pasta.write("nfe_assinada.xml", nfe.out).string()), "");
    EXPECT_EQ(nfe.out.find("infNFeSupl"), std::string::npos);

    const auto nfce =
        runCommand({tool(), "sign-note", pasta.write("nfce.xml", notaDeExemplo(65)).string(),
                    pki.ecnpj.pfxAes, pki.ecnpj.password, "--csc", "1", "TESTE-CSC-0123456789"});
    ASSERT_EQ(nfce.exitCode, 0) << nfce.err;
    EXPECT_EQ(problemasDosJuizes(pasta.write("nfce_assinada.xml", nfce.out).string()), "");
    // The QR code's last parameter is the SHA-1 of the others and the CSC.
    std::string qr = conteudoDe(nfce.out, "qrCode");
    if (qr.rfind("<![CDATA[", 0) == 0)
        qr = qr.substr(9, qr.size() - 12);
    ASSERT_NE(qr.find("?p="), std::string::npos) << nfce.out;
    const std::string parametros = qr.substr(qr.find("?p=") + 3);
    const std::size_t barra = parametros.rfind('|');
    std::string hash =
        runCommand({"openssl", "sha1", "-r"}, parametros.substr(0, barra) + "TESTE-CSC-0123456789")
            .out.substr(0, 40);
    std::transform(hash.begin(), hash.end(), hash.begin(), ::toupper);
    EXPECT_EQ(parametros.substr(barra + 1), hash);
    EXPECT_NE(conteudoDe(nfce.out, "urlChave"), "");
}

TEST(NfeCheckSignNote, RefusalsAndBadArgumentsHaveTheirExitCodes)
{
    const auto &pki = testsupport::testPki();
    testsupport::TempDir pasta;
    const std::string nfe = pasta.write("nfe.xml", notaDeExemplo(55)).string();
    const std::string outroEmitente = pasta.write("outro.xml", notaDeExemplo(55, "11444777000161")).string();
    const std::string falta = (pasta.path() / "falta.xml").string();
    std::string gtinInvalido = notaDeExemplo(55);
    gtinInvalido.replace(gtinInvalido.find("<cEAN>SEM GTIN</cEAN>"), 21, "<cEAN>123</cEAN>");
    const std::string foraDoEsquema = pasta.write("fora.xml", gtinInvalido).string();
    const std::string lixo = pasta.write("lixo.xml", "isto não é uma nota").string();
    // clang-format off
    const struct { std::vector<std::string> args; int exitCode; std::string err; } casos[] = {
        {{nfe, pki.ecnpj.pfxAes, "senha errada"}, 1, ""},
        {{outroEmitente, pki.ecnpj.pfxAes, pki.ecnpj.password}, 1, "CNPJ"},
        {{foraDoEsquema, pki.ecnpj.pfxAes, pki.ecnpj.password}, 1, "cEAN"},
        {{falta, pki.ecnpj.pfxAes, pki.ecnpj.password}, 2, "não foi possível ler o arquivo " + falta},
        {{lixo, pki.ecnpj.pfxAes, pki.ecnpj.password}, 2, "lixo.xml"},
        {{nfe, falta, pki.ecnpj.password}, 2, "não foi possível ler o arquivo " + falta},
        {{nfe, pki.ecnpj.pfxAes}, 2, "expected"},
        {{nfe, pki.ecnpj.pfxAes, pki.ecnpj.password, "--csc", "1"}, 2, "expected"},
    };
    // clang-format on
    for (const auto &c : casos) {
        std::vector<std::string> argv = {tool(), "sign-note"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto r = runCommand(argv);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args[0] << " " << c.args.back() << "\n" << r.err;
        EXPECT_EQ(r.out, "") << c.args.back();
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_FALSE(r.err.empty());
    }
}
