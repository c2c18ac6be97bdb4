// Verb "servico": one endpoint lookup in the services INI.

#include <cstdio>
#include <exception>
#include <string>

#include "dfe/component/quib_dfe.h"
#include "verbs.h"

int runServicoVerb(std::span<const std::string> args)
{
    std::vector<std::string> posicionais;
    std::string ini = "/dev/null/sem-arquivo.ini"; // the embedded services INI
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--ini" && i + 1 < args.size())
            ini = args[++i];
        else
            posicionais.push_back(args[i]);
    }
    if (posicionais.size() < 4 || posicionais.size() > 5 ||
        (posicionais[2] != "P" && posicionais[2] != "H")) {
        std::fprintf(
            stderr,
            "uso: servico <NFe|NFCe> <UF ou autorizador> <P|H> <serviço> [<versão>] [--ini <arquivo>]\n");
        return 2;
    }
    try {
        TQuibDFe dfe;
        dfe.Configuracoes().WebServices().NomeRecursoServicos = "QuibNFeServicos";
        dfe.Configuracoes().Arquivos().SetIniServicos(ini);
        double versao = posicionais.size() == 5 ? dfe.TextoParaVersao(posicionais[4]) : 0;
        std::string url, wsdl, soapAction;
        dfe.BuscarServico(posicionais[0], posicionais[1], posicionais[2] == "P" ? taProducao : taHomologacao,
                          posicionais[3], versao, url, wsdl, soapAction);
        std::printf("URL=%s\nversao=%s\nWSDL=%s\nSoapAction=%s\n", url.c_str(),
                    dfe.VersaoParaTexto(versao).c_str(), wsdl.c_str(), soapAction.c_str());
        return 0;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
