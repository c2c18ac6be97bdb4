#include "app/dados/texto_sql.h"

#include "app/db/data_set.h"
#include "app/db/db_error.h"
#include "app/db/transaction.h"

std::string semAspasNemVirgulas(std::string_view valor, bool tambemAspasDuplas)
{
    std::string texto(valor);
    for (char &c : texto) {
        if (c == ',')
            c = '.';
        else if (c == '\'' || (tambemAspasDuplas && c == '"'))
            c = ' ';
    }
    return texto;
}

db::Transaction &transacaoConectada(db::Transaction *transacao, std::string_view nomeBanco)
{
    if (!transacao)
        throw db::DatabaseError(db::DbFailure::Other,
                                "O banco de dados " + std::string(nomeBanco) + " não está conectado.");
    return *transacao;
}

bool commitRetendo(db::Transaction &transacao, db::DataSet *tabela,
                   const std::function<void(const std::string &)> &avisa)
{
    try {
        if (tabela &&
            (tabela->state() == db::DataSet::State::Edit || tabela->state() == db::DataSet::State::Insert))
            tabela->post();
        transacao.commitRetaining();
        return true;
    } catch (const std::exception &) {
        try {
            transacao.rollbackRetaining();
        } catch (const std::exception &) {
            // The message below still tells the operator to try again.
        }
        avisa(kMensagemCommitFalhou);
        return false;
    }
}
