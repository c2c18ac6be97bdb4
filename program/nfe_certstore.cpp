// nfe-certstore: puts company certificates into the folder store that the
// store back-ends read, and lists or removes them.
//   nfe-certstore import <pfx> <password> [--store <StoreName>]
//   nfe-certstore list [--store <StoreName>]
//   nfe-certstore remove <serial> [--store <StoreName>]
// Exit 0 on success, 1 with a plain message on standard error.

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dfe/backends.h"
#include "dfe/crypto/certificate_store_admin.h"
#include "dfe/ssl/dfe_ssl.h"

namespace {

constexpr const char *kUso = "Uso: nfe-certstore import <pfx> <senha> [--store <StoreName>]\n"
                             "     nfe-certstore list [--store <StoreName>]\n"
                             "     nfe-certstore remove <serie> [--store <StoreName>]\n";

int falha(const std::string &mensagem)
{
    std::fprintf(stderr, "%s\n", mensagem.c_str());
    return 1;
}

int importar(const std::vector<std::string> &args, const std::string &store)
{
    std::ifstream arquivo(args[0], std::ios::binary);
    if (!arquivo)
        return falha("Arquivo: " + args[0] + " não encontrado");
    std::ostringstream dados;
    dados << arquivo.rdbuf();
    const std::string serie = ImportarPFXNoStore(dados.str(), args[1], store);
    std::printf("Certificado %s importado no store %s\n", serie.c_str(), store.c_str());
    return 0;
}

int listar(const std::string &store)
{
    RegistraBackendsDFe();
    TDFeSSL ssl;
    ssl.SetSSLCryptLib(cryWinCrypt);
    ssl.StoreName = store;
    ssl.LerCertificadosStore();
    for (int i = 0; i < ssl.ListaCertificados().Count(); ++i)
        std::printf("%s\n", LinhaDaListaDeCertificados(ssl.ListaCertificados().ObterItem(i)).c_str());
    return 0;
}

int remover(const std::string &serie, const std::string &store)
{
    if (!RemoverDoStore(serie, store))
        return falha("Certificado Série: \"" + serie + "\", não encontrado!");
    std::printf("Certificado %s removido do store %s\n", serie.c_str(), store.c_str());
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string store = "My";
    if (args.size() >= 2 && args[args.size() - 2] == "--store") {
        store = args.back();
        args.resize(args.size() - 2);
    }
    if (args.empty() || store.empty())
        return falha(kUso);
    const std::string comando = args.front();
    args.erase(args.begin());
    try {
        if (comando == "import" && args.size() == 2)
            return importar(args, store);
        if (comando == "list" && args.empty())
            return listar(store);
        if (comando == "remove" && args.size() == 1)
            return remover(args[0], store);
    } catch (const std::exception &erro) {
        return falha(erro.what());
    }
    return falha(kUso);
}
