// Verb "ws": one web-service operation of the NF-e component, with the
// component's settings read from an INI file.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "foundation/files/mem_ini_file.h"
#include "foundation/files/windows_paths.h"
#include "nfe/services/nfe_status_servico.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "nfe/services/web_services.h"
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

// Signs, validates and sends the notes as one batch, then prints one line
// per note: "<key> <cStat> <nProt>".
int send(TQuibNFe &nfe, std::span<const std::string> args)
{
    if (args.size() < 3 || (args[1] != "0" && args[1] != "1")) {
        std::fprintf(stderr, "uso: ws <component.ini> send <lote> <0|1> <nota.xml>...\n");
        return 2;
    }
    for (std::size_t i = 2; i < args.size(); ++i)
        if (!nfe.Notas().CarregarArquivo(localPath(args[i]))) {
            std::fprintf(stderr, "Nenhuma NF-e encontrada em: %s\n", args[i].c_str());
            return 2;
        }
    std::string erro;
    try {
        nfe.TransmitirLote(args[0], false, args[1] == "1");
    } catch (const std::exception &e) {
        erro = e.what();
    }
    bool todasConfirmadas = true;
    bool algumaResposta = false;
    for (int i = 0; i < nfe.Notas().Count(); ++i) {
        NotaFiscal &nota = nfe.Notas()[i];
        std::printf("%s %d %s\n", nota.ChaveNota().c_str(), nota.CodigoStatus(),
                    nota.NFe().procNFe.nProt.c_str());
        todasConfirmadas = todasConfirmadas && nota.Processada();
        algumaResposta = algumaResposta || nota.CodigoStatus() != 0;
    }
    if (!erro.empty())
        std::fprintf(stderr, "%s\n", erro.c_str());
    else if (!todasConfirmadas)
        std::fprintf(stderr, "%s\n", nfe.Servicos().ServicoRetRecepcao.MensagemResultado.c_str());
    if (todasConfirmadas && erro.empty())
        return 0;
    return algumaResposta ? 1 : 2;
}

// The situation of a note: "<cStat> <xMotivo>", then "protocol=<Protocolo>".
int query(TQuibNFe &nfe, std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "uso: ws <component.ini> query <chave>\n");
        return 2;
    }
    nfe.ConsultarSituacao(args[0]);
    const TNFeConsulta &consulta = nfe.Servicos().ServicoConsulta;
    std::printf("%d %s\nprotocol=%s\n", consulta.cStat, consulta.xMotivo.c_str(), consulta.Protocolo.c_str());
    if (TQuibNFe::CStatComProtocolo(consulta.cStat) || TQuibNFe::CStatDeCancelamento(consulta.cStat))
        return 0;
    std::fprintf(stderr, "%s\n", consulta.MensagemResultado.c_str());
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
        if (args[1] == "send")
            return send(nfe, args.subspan(2));
        if (args[1] == "query")
            return query(nfe, args.subspan(2));
        std::fprintf(stderr, "operação desconhecida: %s\n", args[1].c_str());
        return 2;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 2;
    }
}
