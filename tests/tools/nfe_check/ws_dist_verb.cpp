// The "ws" operation "dist": the documents of interest to a CNPJ or CPF
// after a last NSU, from the national distribution service.

#include <cstdio>
#include <string>

#include "nfe/services/nfe_distribuicao_dfe.h"
#include "nfe/services/quib_nfe.h"
#include "ws_operacoes.h"

int wsDist(TQuibNFe &nfe, std::span<const std::string> args)
{
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: ws <component.ini> dist <cUFAutor> <CNPJCPF> <ultNSU>\n");
        return 2;
    }
    TDistribuicaoDFe distribuicao(&nfe);
    distribuicao.Limpar();
    if (!wsInteiro(args[0], distribuicao.cUFAutor)) {
        std::fprintf(stderr, "\"%s\" não é um número inteiro válido\n", args[0].c_str());
        return 2;
    }
    distribuicao.CNPJCPF = args[1];
    distribuicao.ultNSU = args[2];
    const bool ok = distribuicao.Processar();
    TRetDistDFeInt &resposta = distribuicao.RetDistDFeInt();
    std::printf("%d %s %s\n", resposta.cStat, resposta.ultNSU.c_str(), resposta.maxNSU.c_str());
    for (int i = 0; i < resposta.docZip.count(); ++i) {
        const TdocZipCollectionItem &documento = resposta.docZip[i];
        const std::string nome = TDistribuicaoDFe::NomeArquivoDocumento(documento);
        std::printf("%s %s\n", documento.NSU.c_str(), nome.empty() ? "-" : nome.c_str());
    }
    if (ok)
        return 0;
    std::fprintf(stderr, "%s\n", distribuicao.MensagemResultado.c_str());
    return 1;
}
