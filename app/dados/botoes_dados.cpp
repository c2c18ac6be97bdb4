#include "app/dados/botoes_dados.h"

BotoesDados estadoBotoes(db::DataSet::State estado, bool vazia, bool primeira, bool ultima)
{
    using State = db::DataSet::State;
    if (estado == State::Inactive)
        return {};
    const bool editando = estado == State::Edit || estado == State::Insert;
    BotoesDados botoes;
    botoes.incluir = !editando;
    botoes.eliminar = !editando && !vazia;
    botoes.salvar = editando;
    botoes.cancelar = editando;
    botoes.anterior = !editando && !vazia && !primeira;
    botoes.proximo = !editando && !vazia && !ultima;
    return botoes;
}

BotoesDados estadoBotoes(const db::DataSet *tabela)
{
    if (!tabela || !tabela->active())
        return {};
    return estadoBotoes(tabela->state(), tabela->isEmpty(), tabela->bof(), tabela->eof());
}
