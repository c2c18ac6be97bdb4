// nfe-check xml2txt, and notes written by other programs through "xml" and
// "xml2txt" | "txt": what comes back, what is named, what is refused.
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nfe_check_paths.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/text_edit.h"
#include "tests/support/xml_checks.h"

using nfe_check_test::dataFile;
using nfe_check_test::tool;
using testsupport::CommandResult;
using testsupport::readFile;
using testsupport::runCommand;

namespace {

// An NFC-e as another program files it: XML declaration, line breaks between
// the parts, an Id on infProt, offsets other than this machine's, an
// intermediary, a card payment with tpIntegra 2 and its description, and a
// "|" inside a text.
const char *const kOutroEmissor = "nfce_400_outro_emissor.xml";

// Every leaf element "tag=value" of a text, in order (attributes aside).
std::multimap<std::string, std::string> folhas(const std::string &xml)
{
    static const std::regex folha("<([A-Za-z0-9_]+)(?: [^>]*)?>([^<]*)</\\1>");
    std::multimap<std::string, std::string> resultado;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), folha); it != std::sregex_iterator(); ++it)
        resultado.emplace((*it)[1].str(), (*it)[2].str());
    return resultado;
}

// The text without the element `grupo`.
std::string semGrupo(std::string texto, const std::string &grupo)
{
    const std::size_t inicio = texto.find("<" + grupo);
    const std::size_t fim = texto.find("</" + grupo + ">");
    EXPECT_TRUE(inicio != std::string::npos && fim != std::string::npos) << grupo;
    if (inicio != std::string::npos && fim != std::string::npos)
        texto.erase(inicio, fim + grupo.size() + 3 - inicio);
    return texto;
}

// Read and written back, the note keeps every leaf value (date-time offsets
// included) and still passes the schema.
TEST(NfeCheckOutroEmissor, XmlKeepsEveryLeafAndSchemaValidity)
{
    const std::string original = readFile(dataFile(kOutroEmissor));
    const CommandResult escrita = runCommand({tool(), "xml", dataFile(kOutroEmissor)});
    EXPECT_EQ(escrita.exitCode, 0) << escrita.err;
    EXPECT_EQ(folhas(escrita.out), folhas(original));
    EXPECT_NE(escrita.out.find("<dhRecbto>2024-05-17T09:31:05-04:00</dhRecbto>"), std::string::npos);

    const auto esquemas = testsupport::officialSchemaDir();
    if (esquemas.empty() || !testsupport::hasProgram("xmllint"))
        GTEST_SKIP() << "esquemas ou xmllint ausentes";
    EXPECT_EQ(testsupport::schemaProblems(escrita.out, esquemas / "procNFe_v4.00.xsd"), "");
}

// Through the TXT layout and back, every value either comes back or is named
// on standard error.
TEST(NfeCheckOutroEmissor, Xml2TxtKeepsWhatTheLayoutHoldsAndNamesTheRest)
{
    testsupport::TempDir pasta;
    const CommandResult txt = runCommand({tool(), "xml2txt", dataFile(kOutroEmissor)});
    ASSERT_EQ(txt.exitCode, 0) << txt.err;
    EXPECT_TRUE(
        txt.out.starts_with("NOTA FISCAL|1\r\nA|4.00|NFe35240511222333000181650010000043211123456782\r\n"));
    EXPECT_NE(txt.out.find("H|1|CAF\xC9 &amp; A\xC7\xDA"
                           "CAR - PACOTE 500 G\r\n"),
              std::string::npos); // Windows-1252
    EXPECT_EQ(txt.out.find('\n'), txt.out.find("\r\n") + 1);

    const CommandResult lida = runCommand({tool(), "txt", pasta.write("nota.txt", txt.out).string()});
    ASSERT_EQ(lida.exitCode, 0) << lida.err;
    EXPECT_EQ(lida.err.find("ignorada"), std::string::npos) << lida.err;
    // A line the layout does not have is named with its number; the note is still read.
    const CommandResult comLinhaEstranha = runCommand(
        {tool(), "txt",
         pasta.write("estranha.txt", testsupport::replacedOnce(txt.out, "\r\nB|", "\r\nBA19|1\r\nB|"))
             .string()});
    EXPECT_EQ(comLinhaEstranha.exitCode, 0);
    EXPECT_NE(comLinhaEstranha.err.find("Linha 3 ignorada"), std::string::npos) << comLinhaEstranha.err;
    EXPECT_EQ(comLinhaEstranha.out, lida.out);
    const CommandResult direta = runCommand({tool(), "xml", dataFile(kOutroEmissor)});
    // The signature and the protocol are named as a whole ("Signature:", "protNFe:").
    const std::string nota = semGrupo(semGrupo(direta.out, "Signature"), "protNFe");
    const auto viaTxt = folhas(lida.out);
    for (const auto &[tag, valor] : folhas(nota)) {
        bool voltou = false;
        const auto [de, ate] = viaTxt.equal_range(tag);
        for (auto it = de; it != ate; ++it)
            voltou = voltou || it->second == valor;
        if (!voltou) {
            EXPECT_NE(txt.err.find("/" + tag + "("), std::string::npos)
                << tag << "=" << valor << " sem alerta";
        }
    }
    for (const char *nomeado : {"/indIntermed(", "/xPag(", "/tpIntegra(", "/idCadIntTran(", "/qrCode(",
                                "/urlChave(", "/infAdProd(", "protNFe:", "Signature:"})
        EXPECT_NE(txt.err.find(nomeado), std::string::npos) << nomeado;
}

// A note cut short, or whose identifiers disagree, is refused by both verbs;
// xml2txt then writes nothing.
TEST(NfeCheckOutroEmissor, InconsistentOrTruncatedNotesAreRefused)
{
    testsupport::TempDir pasta;
    const std::string nota = readFile(dataFile(kOutroEmissor));
    struct Caso {
        const char *nome;
        std::string texto;
        const char *mensagem;
    };
    const Caso casos[] = {
        {"cortada.xml", nota.substr(0, 3000), "Documento incompleto"},
        {"cdv.xml", testsupport::replacedOnce(nota, "<cDV>2</cDV>", "<cDV>7</cDV>"), "cDV"},
        {"nnf.xml", testsupport::replacedOnce(nota, "<nNF>4321</nNF>", "<nNF>4322</nNF>"), "difere da lida"},
        {"uri.xml", testsupport::replacedOnce(nota, "URI=\"#NFe352405", "URI=\"#NFe352406"),
         "assinatura se refere"},
        {"protocolo.xml",
         testsupport::replacedOnce(nota, "<chNFe>35240511222333000181650010000043211123456782",
                                   "<chNFe>35240511222333000181650010000043221123456782"),
         "protocolo se refere"},
        {"vnf.xml", testsupport::replacedOnce(nota, "<vNF>10.00</vNF>", "<vNF>10.00.00</vNF>"), "<vNF>"},
    };
    for (const Caso &caso : casos) {
        const std::string arquivo = pasta.write(caso.nome, caso.texto).string();
        for (const char *verbo : {"xml", "xml2txt"}) {
            const CommandResult resultado = runCommand({tool(), verbo, arquivo});
            EXPECT_EQ(resultado.exitCode, 1) << verbo << " " << caso.nome;
            EXPECT_NE(resultado.err.find(caso.mensagem), std::string::npos)
                << verbo << " " << caso.nome << ": " << resultado.err;
            if (std::string(verbo) == "xml2txt") {
                EXPECT_EQ(resultado.out, "") << caso.nome;
            }
        }
    }
    EXPECT_EQ(runCommand({tool(), "xml2txt"}).exitCode, 2);
}

} // namespace
