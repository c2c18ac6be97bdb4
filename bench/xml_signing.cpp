// Signing (through the facade, with a PFX of the test PKI) and validating
// notes in process must take at most half the time of running xmlsec1 --sign
// and xmllint --noout --schema on each of the same notes: compare the two
// benchmarks below (50 notes each).

#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "dfe/backends.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_util.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

namespace {

constexpr int kNotas = 50;

const std::filesystem::path kFonte = NFE_SOURCE_DIR;

// 50 notes of the TXT sample, numbered 1 to 50, as the NF-e writer writes them.
const std::vector<std::string> &notas()
{
    static const std::vector<std::string> escritas = [] {
        std::vector<std::string> xmls;
        for (int numero = 1; numero <= kNotas; ++numero) {
            TNFe nfe;
            TNFeRTXT leitor(nfe);
            leitor.CarregarArquivo((kFonte / "tests/tools/data/nfe_400.txt").string());
            leitor.InterpretarArquivo();
            nfe.ide.nNF = numero;
            TNFeW escritor(nfe);
            escritor.MontarXml();
            xmls.push_back(escritor.Gerador.ArquivoFormatoXML);
        }
        return xmls;
    }();
    return escritas;
}

const std::filesystem::path kEsquema = kFonte / "schemas/PL_009_V4/nfe_v4.00.xsd";

void BM_AssinarEValidar50Notas(benchmark::State &state)
{
    RegistraBackendsDFe();
    TDFeSSL ssl;
    applySslLib(ssl, libOpenSSL);
    ssl.SetArquivoPFX(testsupport::testPki().ecnpj.pfxAes);
    ssl.SetSenha(testsupport::testPki().ecnpj.password);
    int invalidas = 0;
    for (auto _ : state) {
        invalidas = 0;
        for (const std::string &nota : notas()) {
            const std::string assinada = ssl.Assinar(nota, "NFe", "infNFe");
            std::string msgErro;
            invalidas += ssl.Validar(assinada, kEsquema.string(), msgErro) ? 0 : 1;
        }
    }
    state.counters["invalidas"] = invalidas;
}
BENCHMARK(BM_AssinarEValidar50Notas)->Unit(benchmark::kMillisecond);

void BM_Xmlsec1EXmllint50Notas(benchmark::State &state)
{
    const testsupport::TestCert &chave = testsupport::testPki().ecnpj;
    testsupport::TempDir pasta;
    std::vector<std::string> arquivos;
    for (const std::string &nota : notas()) {
        const std::string id = ValorIdParaAssinatura(nota, "NFe", "");
        const std::string modelo =
            nota.substr(0, nota.rfind("</NFe>")) + ModeloAssinaturaXML(id, true, "", dgstSHA1) + "</NFe>";
        arquivos.push_back(pasta.write("nota" + std::to_string(arquivos.size()) + ".xml", modelo).string());
    }
    const std::string assinada = (pasta.path() / "assinada.xml").string();
    int invalidas = 0;
    for (auto _ : state) {
        invalidas = 0;
        for (const std::string &arquivo : arquivos) {
            testsupport::runCommand({"xmlsec1", "--sign", "--privkey-pem", chave.keyPem + "," + chave.certPem,
                                     "--id-attr:Id", "infNFe", "--output", assinada, arquivo});
            const testsupport::CommandResult validacao =
                testsupport::runCommand({"xmllint", "--noout", "--schema", kEsquema.string(), assinada});
            invalidas += validacao.exitCode == 0 ? 0 : 1;
        }
    }
    state.counters["invalidas"] = invalidas;
}
BENCHMARK(BM_Xmlsec1EXmllint50Notas)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
