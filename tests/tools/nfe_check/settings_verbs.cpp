// Verb "settings": reads or writes one row of a company's settings in the
// NF-e module database through the settings store.

#include <cstdio>
#include <string>

#include "app/dados/armazem_configuracao.h"
#include "app/db/database.h"
#include "app/db/db_error.h"
#include "app/db/firebird_root.h"
#include "app/db/transaction.h"
#include "verbs.h"

namespace {

int usage()
{
    std::fprintf(stderr, "nfe-check settings: expected <module db> get <cnpj> <section|-> <key> [column] | "
                         "<module db> set <cnpj> <section|-> <key> <value> [column]\n");
    return 2;
}

} // namespace

int runSettingsVerb(std::span<const std::string> args)
{
    if (args.size() < 5)
        return usage();
    const std::string &acao = args[1];
    const bool grava = acao == "set";
    if ((acao != "get" && !grava) || args.size() > (grava ? 7u : 6u) || (grava && args.size() < 6))
        return usage();
    const std::string &cnpj = args[2];
    const std::string &sessao = args[3];
    const CampoRef chave(args[4]);
    const std::size_t posColuna = grava ? 6 : 5;
    try {
        const ColunaConfig coluna =
            args.size() > posColuna ? colunaConfig(args[posColuna]) : ColunaConfig::Campo_Valor;
        const bool plana = sessao == "-";
        if (plana && coluna != ColunaConfig::Campo_Valor)
            throw db::DatabaseError(db::DbFailure::Other,
                                    "Configurações sem sessão usam só a coluna Campo_Valor.");
        db::prepareFirebirdEnvironment();
        db::Database banco = db::Database::attach(args[0]);
        db::Transaction transacao(banco);
        ArmazemConfiguracao armazem(transacao);
        if (grava) {
            if (plana)
                armazem.Grava_Valor_Referencia(cnpj, chave, args[5]);
            else
                armazem.Grava_Valor_Referencia_Sessao(cnpj, sessao, chave, args[5], coluna);
            transacao.commit();
            return 0;
        }
        const std::string valor = plana ? armazem.Busca_Valor_Referencia(cnpj, chave)
                                        : armazem.Busca_Valor_Referencia_Sessao(cnpj, sessao, chave, coluna);
        transacao.commit();
        std::printf("%s\n", valor.c_str());
        return 0;
    } catch (const db::DatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
