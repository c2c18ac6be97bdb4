// Verb "first-start": the databases and INI a first start creates, for the
// current user (home and KVL_DRIVE_* as set).

#include <cstdio>
#include <string>

#include "app/dados/primeira_partida.h"
#include "app/db/firebird_root.h"
#include "verbs.h"

int runFirstStartVerb(std::span<const std::string> args)
{
    if (!args.empty()) {
        std::fprintf(stderr, "nfe-check first-start: expected no argument\n");
        return 2;
    }
    try {
        db::prepareFirebirdEnvironment();
        const BancosPrimeiraPartida bancos = CriaBancosPrimeiraPartida();
        if (!bancos.criados) {
            std::printf("nothing to do\n");
            return 0;
        }
        std::printf("%s\n%s\n%s\n", bancos.ini.c_str(), bancos.gerencia.c_str(), bancos.modulo.c_str());
        return 0;
    } catch (const ProgramError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
