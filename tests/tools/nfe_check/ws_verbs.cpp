// Verb "ws": one web-service operation of the NF-e component, with the
// component's settings read from an INI file.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "foundation/files/mem_ini_file.h"
#include "foundation/files/windows_paths.h"
#include "nfe/services/nfe_status_servico.h"
#include "nfe/services/quib_nfe.h"
#include "verbs.h"
#include "ws_operacoes.h"

namespace {

int status(TQuibNFe &nfe)
{
    TNFeStatusServico servico(&nfe);
    servico.Limpar();
    const bool ok = servico.Processar();
    std::printf("%d %s\n", servico.cStat, servico.xMotivo.c_str());
    if (ok)
        return 0;
    std::fprintf(stderr, "%s\n", servico.MensagemResultado.c_str());
    return 1;
}

} // namespace

int runWsVerb(std::span<const std::string> args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "uso: ws <component.ini> <operação> [argumentos]\n");
        return 2;
    }
    if (!std::filesystem::is_regular_file(localPath(args[0]))) {
        std::fprintf(stderr, "Arquivo de configuração não encontrado: %s\n", args[0].c_str());
        return 2;
    }
    try {
        TQuibNFe nfe;
        nfe.Configuracoes().CarregarDoIni(MemIniFile(args[0]));
        if (args[1] == "status")
            return status(nfe);
        if (args[1] == "cancel")
            return wsCancel(nfe, args.subspan(2));
        if (args[1] == "void")
            return wsVoid(nfe, args.subspan(2));
        if (args[1] == "dist")
            return wsDist(nfe, args.subspan(2));
        std::fprintf(stderr, "operação desconhecida: %s\n", args[1].c_str());
        return 2;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 2;
    }
}
