// The "ws" operations "cancel" (a cancellation event of one note) and "void"
// (the voiding of a range of numbers).

#include <cstdio>
#include <string>

#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/nfe_env_evento.h"
#include "nfe/services/nfe_inutilizacao.h"
#include "nfe/services/quib_nfe.h"
#include "ws_operacoes.h"

int wsCancel(TQuibNFe &nfe, std::span<const std::string> args)
{
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: ws <component.ini> cancel <chave> <nProt> <justificativa>\n");
        return 2;
    }
    const std::string chave = SomenteDigitos(args[0]);
    if (chave.size() != 44) {
        std::fprintf(stderr, "Chave de acesso inválida: %s\n", args[0].c_str());
        return 2;
    }
    TEventoNFe lote;
    TInfEvento &evento = lote.Eventos.NovoItem().InfEvento;
    evento.tpAmb = nfe.Configuracoes().WebServices().Ambiente;
    evento.CNPJ = chave.substr(6, 14); // the issuer in the key
    evento.chNFe = chave;
    evento.dhEvento = nowLocal();
    evento.tpEvento = tevCancelamento;
    evento.nSeqEvento = 1;
    evento.detEvento.nProt = args[1];
    evento.detEvento.xJust = args[2];

    TNFeEnvEvento envio(&nfe, lote);
    envio.Limpar();
    envio.idLote = 1;
    envio.Processar();
    const TRetInfEvento &resposta = lote.Eventos[0].RetInfEvento;
    std::printf("%d %d %s\n", envio.cStat, resposta.cStat, resposta.nProt.c_str());
    if (resposta.cStat == 135 || resposta.cStat == 136 || resposta.cStat == 155)
        return 0;
    std::fprintf(stderr, "%s\n", resposta.cStat != 0 ? resposta.xMotivo.c_str() : envio.xMotivo.c_str());
    return 1;
}

int wsVoid(TQuibNFe &nfe, std::span<const std::string> args)
{
    if (args.size() != 7) {
        std::fprintf(stderr, "uso: ws <component.ini> void <CNPJ> <ano> <modelo> <série> <inicial> <final> "
                             "<justificativa>\n");
        return 2;
    }
    TNFeInutilizacao inutilizacao(&nfe);
    inutilizacao.Limpar();
    int *numeros[] = {&inutilizacao.Ano, &inutilizacao.Modelo, &inutilizacao.Serie,
                      &inutilizacao.NumeroInicial, &inutilizacao.NumeroFinal};
    for (int i = 0; i < 5; ++i) {
        if (!wsInteiro(args[i + 1], *numeros[i])) {
            std::fprintf(stderr, "\"%s\" não é um número inteiro válido\n", args[i + 1].c_str());
            return 2;
        }
    }
    inutilizacao.CNPJ = SomenteDigitos(args[0]);
    inutilizacao.SetJustificativa(args[6]);
    const bool ok = inutilizacao.Processar();
    std::printf("%d %s\n", inutilizacao.cStat, inutilizacao.xMotivo.c_str());
    if (ok)
        return 0;
    std::fprintf(stderr, "%s\n", inutilizacao.MensagemResultado.c_str());
    return 1;
}
