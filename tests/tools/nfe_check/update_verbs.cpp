// Verb "update": one run of the schema updater on an NF-e module database,
// as the button of its screen does.

#include <cstdio>
#include <string>

#include "app/dados/frm_create_file.h"
#include "app/db/db_error.h"
#include "modulo_avulso.h"
#include "verbs.h"

int runUpdateVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check update: expected <module db>\n");
        return 2;
    }
    try {
        ModuloAvulso avulso(args[0]);
        TfrmCreateFile tela(avulso.modulo());
        tela.Executa_as_Atiualizacao();
        std::printf("Atualizacoes executadas = %s\n", tela.AtualizacoesExecutadas.c_str());
        if (tela.Falha) {
            std::fprintf(stderr, "step %02d: %s\n", tela.Falha->numero, tela.Falha->mensagem.c_str());
            return 1;
        }
        return 0;
    } catch (const db::DatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
