// Verb "key": checks an access key and lists its parts.

#include <cstdio>
#include <string>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "verbs.h"

namespace {

std::string digitsAt(const std::string &digits, std::size_t position, std::size_t count)
{
    return position <= digits.size() ? digits.substr(position - 1, count) : std::string();
}

} // namespace

int runKeyVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check key: expected <key>\n");
        return 2;
    }
    const std::string &key = args[0];
    const std::string digits = SomenteDigitos(key);
    const std::string model = ModeloDaChave(digits);
    const bool sat = model == "59";
    const int codeWidth = sat ? 6 : model == "66" ? 7 : 8;

    const std::string problem = accessKeyProblem(key);
    std::printf("%s\n", problem.empty() ? "valid" : problem.c_str());
    std::printf("cUF=%s\n", digitsAt(digits, 1, 2).c_str());
    std::printf("AAMM=%s\n", digitsAt(digits, 3, 4).c_str());
    std::printf("CNPJCPF=%s\n", CNPJouCPFDaChave(digits).c_str());
    std::printf("mod=%s\n", model.c_str());
    std::printf("serie=%s\n", InteiroEmNDigitos(SerieDaChave(digits), sat ? 9 : 3).c_str());
    std::printf("nNF=%s\n", (sat ? digitsAt(digits, 32, 6) : digitsAt(digits, 26, 9)).c_str());
    std::printf("tpEmis=%d\n", TipoEmissaoDaChave(digits));
    std::printf("cNF=%s\n", InteiroEmNDigitos(CodigoNumericoDaChave(digits), codeWidth).c_str());
    std::printf("cDV=%d\n", DigitoDaChave(digits));
    return problem.empty() ? 0 : 1;
}
