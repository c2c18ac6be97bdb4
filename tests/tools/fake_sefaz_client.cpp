#include "tests/tools/fake_sefaz_client.h"

#include <regex>
#include <stdexcept>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"
#include "tests/support/xml_checks.h"

namespace fakesefaztest {

using testsupport::runCommand;
using testsupport::TempDir;

std::string envelope(const std::string &wsdl, const std::string &payload, const std::string &bodyElement)
{
    return "<soap12:Envelope xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"><soap12:Body><" +
           bodyElement + " xmlns=\"" + kNs + "/wsdl/" + wsdl + "\">" + payload + "</" + bodyElement +
           "></soap12:Body></soap12:Envelope>";
}

std::string batch(const std::string &note, const std::string &indSinc)
{
    return envelope("NFeAutorizacao4", "<enviNFe xmlns=\"" + kNs +
                                           "\" versao=\"4.00\"><idLote>1</idLote><indSinc>" + indSinc +
                                           "</indSinc>" + note + "</enviNFe>");
}

std::string distribution(const std::string &ultNSU)
{
    return envelope("NFeDistribuicaoDFe",
                    "<nfeDadosMsg><distDFeInt xmlns=\"" + kNs +
                        "\" versao=\"1.01\"><tpAmb>1</tpAmb><CNPJ>11444777000161</CNPJ><distNSU><ultNSU>" +
                        ultNSU + "</ultNSU></distNSU></distDFeInt></nfeDadosMsg>",
                    "nfeDistDFeInteresse");
}

Reply post(const std::string &url, const std::string &body, const TestCert *client)
{
    TempDir folder;
    const auto file = folder.write("request.xml", body);
    std::vector<std::string> argv{"curl",
                                  "-s",
                                  "--max-time",
                                  "20",
                                  "--cacert",
                                  testPki().root.certPem,
                                  "-H",
                                  "Content-Type: application/soap+xml; charset=utf-8",
                                  "--data-binary",
                                  "@" + file.string(),
                                  url};
    if (client != nullptr) {
        argv.insert(argv.begin() + 1,
                    {"--cert-type", "P12", "--cert", client->pfxAes + ":" + client->password});
    }
    const auto result = runCommand(argv);
    return {result.exitCode, result.out};
}

std::string result(const std::string &answer)
{
    const std::size_t open = answer.find("nfeResultMsg");
    if (open == std::string::npos)
        return {};
    const std::size_t start = answer.find('>', open) + 1;
    const std::size_t close = answer.rfind("</", answer.rfind("nfeResultMsg>"));
    return answer.substr(start, close - start);
}

std::vector<int> cStatsOf(const std::string &xml)
{
    static const std::regex cStat("<cStat>([0-9]+)</cStat>");
    std::vector<int> found;
    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), cStat); it != std::sregex_iterator(); ++it)
        found.push_back(std::stoi((*it)[1]));
    return found;
}

int cStatOf(const std::string &xml)
{
    const std::vector<int> found = cStatsOf(xml);
    return found.empty() ? 0 : found.front();
}

std::string validate(const std::string &xml, const std::string &schema)
{
    return testsupport::schemaProblems(xml, testsupport::officialSchemaDir() / schema);
}

std::string signWithTestKey(const std::string &unsignedText, const std::string &idElement)
{
    TempDir folder;
    const auto file = folder.write("unsigned.xml", unsignedText);
    const auto output = folder / "signed.xml";
    const TestCert &cert = testPki().ecnpj;
    const auto run = runCommand({"xmlsec1", "--sign", "--privkey-pem", cert.keyPem + "," + cert.certPem,
                                 "--id-attr:Id", idElement, "--output", output.string(), file.string()});
    if (run.exitCode != 0)
        throw std::runtime_error(run.err);
    std::string text = testsupport::readFile(output);
    if (text.starts_with("<?xml"))
        text.erase(0, text.find("?>") + 2);
    while (!text.empty() && (text.front() == '\n'))
        text.erase(0, 1);
    while (!text.empty() && (text.back() == '\n'))
        text.pop_back();
    return text;
}

std::string signedNote(const std::string &changeAfterSigning)
{
    std::string note =
        signWithTestKey(testsupport::testData("tools/data/nfe_400_modelo_assinatura.xml"), "infNFe");
    if (!changeAfterSigning.empty())
        note.replace(note.find("EMPRESA DE TESTE"), 16, changeAfterSigning);
    return note;
}

std::vector<DistributedDocument> distributedDocuments(const std::string &answer)
{
    static const std::regex docZip("<docZip NSU=\"[0-9]+\" schema=\"([^\"]+)\">([^<]+)</docZip>");
    std::vector<DistributedDocument> found;
    for (auto it = std::sregex_iterator(answer.begin(), answer.end(), docZip); it != std::sregex_iterator();
         ++it) {
        const auto zipped = runCommand({"base64", "-d"}, (*it)[2].str());
        found.push_back({(*it)[1].str(), runCommand({"gunzip"}, zipped.out).out});
    }
    return found;
}

} // namespace fakesefaztest
