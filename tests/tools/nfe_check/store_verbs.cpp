// Verb "store": the user's certificate store ("My": the folder store and the
// tokens) through the store back-ends.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "dfe/backends.h"
#include "dfe/crypto/certificate_store_admin.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/codes/enum_names.h"
#include "foundation/numbers/number_date_utils.h"
#include "input_file.h"
#include "verbs.h"

namespace {

constexpr const char *kUso = "nfe-check store: expected list | cert <serial> [<pin>] | "
                             "sign <xml> <serial> [<pin>] [--capicom]\n";

void carregar(TDFeSSL &ssl, const std::vector<std::string> &args, std::size_t serie, bool capicom)
{
    RegistraBackendsDFe();
    applySslLib(ssl, capicom ? libCapicom : libWinCrypt);
    ssl.SetNumeroSerie(args[serie]);
    if (args.size() > serie + 1)
        ssl.SetSenha(args[serie + 1]);
    ssl.GarantirCertificadoCarregado();
}

int listar()
{
    RegistraBackendsDFe();
    TDFeSSL ssl;
    ssl.SetSSLCryptLib(cryWinCrypt);
    ssl.LerCertificadosStore();
    for (int i = 0; i < ssl.ListaCertificados().Count(); ++i)
        std::printf("%s\n", LinhaDaListaDeCertificados(ssl.ListaCertificados().ObterItem(i)).c_str());
    return 0;
}

int mostrar(const std::vector<std::string> &args)
{
    TDFeSSL ssl;
    carregar(ssl, args, 0, false);
    printCertificateData(ssl.DadosCertificado());
    return 0;
}

int assinar(std::vector<std::string> args)
{
    bool capicom = false;
    std::erase_if(args, [&](const std::string &arg) { return arg == "--capicom" && (capicom = true); });
    if (args.size() < 2 || args.size() > 3) {
        std::fputs(kUso, stderr);
        return 2;
    }
    std::string xml;
    if (!lerArquivo(args[0], xml)) {
        std::fprintf(stderr, "nfe-check store: não foi possível ler o arquivo %s\n", args[0].c_str());
        return 1;
    }
    TDFeSSL ssl;
    carregar(ssl, args, 1, capicom);
    const std::string assinado = ssl.Assinar(xml, "NFe", "infNFe");
    std::fwrite(assinado.data(), 1, assinado.size(), stdout);
    return 0;
}

} // namespace

int runStoreVerb(std::span<const std::string> spanArgs)
{
    std::vector<std::string> args(spanArgs.begin(), spanArgs.end());
    if (args.empty()) {
        std::fputs(kUso, stderr);
        return 2;
    }
    const std::string acao = args.front();
    args.erase(args.begin());
    try {
        if (acao == "list" && args.empty())
            return listar();
        if (acao == "cert" && (args.size() == 1 || args.size() == 2))
            return mostrar(args);
        if (acao == "sign")
            return assinar(args);
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    std::fputs(kUso, stderr);
    return 2;
}
