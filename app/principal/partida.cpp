#include "app/principal/partida.h"

int ExecutaPartida(PassosPartida &passos)
{
    try {
        passos.criaBancos();
    } catch (const std::exception &erro) {
        passos.mostraErro(erro);
        return 1;
    }
    passos.mostraSplash(PassosPartida::kPrograma, PassosPartida::kVersao, PassosPartida::kMaximoProgresso);
    const std::optional<int> nivel = passos.login();
    if (!nivel) {
        passos.fechaSplash();
        return 0;
    }
    passos.repintaSplash();
    passos.inicializa();
    for (const PassosPartida::Criacao &criacao : passos.criacoes()) {
        try {
            criacao.cria();
        } catch (const std::exception &erro) {
            passos.mostraErro(erro);
        }
    }
    passos.entregaNivel(*nivel);
    passos.fechaSplash();
    return passos.executaLaco();
}
