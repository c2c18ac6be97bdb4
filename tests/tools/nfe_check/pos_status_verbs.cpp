// Verb "pos-status": the status (and information) of a POS printer.

#include <charconv>
#include <cstdio>
#include <string>

#include "pos_modelos.h"
#include "printing/posprinter/pos_printer.h"
#include "verbs.h"

namespace {

bool readNumber(const std::string &text, int &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 0;
}

int usage(const std::string &problem)
{
    std::fprintf(stderr,
                 "nfe-check pos-status: %s\n"
                 "usage: pos-status <port> <model> [--attempts <n>] [--timeout <ms>] [--inverted-drawer] "
                 "[--info]\n",
                 problem.c_str());
    return 2;
}

} // namespace

int runPosStatusVerb(std::span<const std::string> args)
{
    if (args.size() < 2)
        return usage("expected a port and a model");
    TQuibPosPrinterModelo modelo = ppTexto;
    if (!modeloPosPorNome(args[1], modelo))
        return usage("unknown model " + args[1]);
    int tentativas = 1;
    int timeOut = 0;
    bool invertida = false;
    bool info = false;
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string &option = args[i];
        if (option == "--inverted-drawer") {
            invertida = true;
        } else if (option == "--info") {
            info = true;
        } else if (option == "--attempts" || option == "--timeout") {
            if (i + 1 >= args.size())
                return usage("missing value after " + option);
            if (!readNumber(args[++i], option == "--attempts" ? tentativas : timeOut))
                return usage(option + " takes a number");
        } else {
            return usage("unknown option " + option);
        }
    }

    try {
        TQuibPosPrinter pos;
        pos.SetModelo(modelo);
        pos.SetPorta(args[0]);
        if (timeOut > 0)
            pos.Device().SetTimeOutMilissegundos(timeOut);
        pos.Config().ConfigGaveta.SinalInvertido = invertida;
        std::printf("%s\n", StatusParaTexto(pos.LerStatusImpressora(tentativas)).c_str());
        if (info)
            std::printf("%s", pos.LerInfoImpressora().c_str());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
