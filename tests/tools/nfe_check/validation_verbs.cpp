// Verbs "doc" and "ie": identifier checks as the validator reports them.

#include <cstdio>
#include <string>
#include <string_view>

#include "foundation/checks/validador.h"
#include "verbs.h"

namespace {

struct KindName {
    std::string_view name;
    TQuibValTipoDocto kind;
};

constexpr KindName kKinds[] = {
    {"cpf", docCPF},
    {"cnpj", docCNPJ},
    {"pis", docPIS},
    {"gtin", docGTIN},
    {"cep", docCEP},
    {"suframa", docSuframa},
    {"renavam", docRenavam},
    {"cnh", docCNH},
    {"cns", docCNS},
    {"email", docEmail},
    {"placa", docPlacaMercosul},
    {"caepf", docCAEPF},
};

// Prints the message (nothing when valid); 0 when valid, 1 when not.
int report(const std::string &message)
{
    if (message.empty())
        return 0;
    std::printf("%s\n", message.c_str());
    return 1;
}

} // namespace

int runDocVerb(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "nfe-check doc: expected <kind> <value>\n");
        return 2;
    }
    for (const KindName &entry : kKinds) {
        if (args[0] == entry.name)
            return report(VerificaDocumento(entry.kind, args[1]));
    }
    std::fprintf(stderr, "nfe-check doc: unknown kind \"%s\"\n", args[0].c_str());
    return 2;
}

int runIeVerb(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "nfe-check ie: expected <UF> <value>\n");
        return 2;
    }
    return report(VerificaIE(args[1], args[0]));
}
