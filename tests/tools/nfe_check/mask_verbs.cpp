// Verb "mask": the printed form of a document number.

#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/checks/mascaras.h"
#include "verbs.h"

int runMaskVerb(std::span<const std::string> args)
{
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[0] != "fone")) {
        std::fprintf(stderr,
                     "nfe-check mask: expected <kind> <value> (fone also takes a default area code)\n");
        return 2;
    }
    const std::string_view kind = args[0];
    const std::string &value = args[1];
    std::string masked;
    if (kind == "cpf") {
        masked = MascaraCPF(value);
    } else if (kind == "cnpj") {
        masked = MascaraCNPJ(value);
    } else if (kind == "cep") {
        masked = MascaraCEP(value);
    } else if (kind == "fone") {
        masked = MascaraTelefone(value, args.size() == 3 ? std::string_view(args[2]) : std::string_view());
    } else if (kind.starts_with("ie:")) {
        masked = MascaraInscricaoEstadual(value, kind.substr(3));
    } else {
        std::fprintf(stderr, "nfe-check mask: unknown kind \"%s\" (cpf, cnpj, cep, fone, ie:<UF>)\n",
                     args[0].c_str());
        return 2;
    }
    std::printf("%s\n", masked.c_str());
    return 0;
}
