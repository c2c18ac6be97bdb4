// Verb "pos-print": a tag-language file through the POS printer component.

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "pos_modelos.h"
#include "printing/posprinter/pos_printer.h"
#include "verbs.h"

namespace {

bool readPositive(const std::string &text, int &value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value > 0;
}

int usage(const char *problem)
{
    std::fprintf(stderr,
                 "nfe-check pos-print: %s\n"
                 "usage: pos-print <port> <model> <file> [--code-page 437|850|852|860|1252|utf8|none] "
                 "[--columns <n>] [--copies <n>] [--no-tags]\n",
                 problem);
    return 2;
}

} // namespace

int runPosPrintVerb(std::span<const std::string> args)
{
    if (args.size() < 3)
        return usage("expected a port, a model and a file");
    TQuibPosPrinterModelo modelo = ppTexto;
    if (!modeloPosPorNome(args[1], modelo))
        return usage(("unknown model " + args[1]).c_str());
    TQuibPosPaginaCodigo pagina = pc850;
    int colunas = 48;
    int copias = 1;
    bool tags = true;
    for (std::size_t i = 3; i < args.size(); ++i) {
        const std::string &option = args[i];
        if (option == "--no-tags") {
            tags = false;
            continue;
        }
        if (i + 1 >= args.size())
            return usage(("missing value after " + option).c_str());
        const std::string &value = args[++i];
        if (option == "--code-page") {
            if (!paginaPosPorNome(value, pagina))
                return usage(("unknown code page " + value).c_str());
        } else if (option == "--columns") {
            if (!readPositive(value, colunas))
                return usage("--columns takes a number above 0");
        } else if (option == "--copies") {
            if (!readPositive(value, copias))
                return usage("--copies takes a number above 0");
        } else {
            return usage(("unknown option " + option).c_str());
        }
    }
    std::ifstream file(args[2], std::ios::binary);
    if (!file)
        return usage(("cannot read " + args[2]).c_str());
    const std::string texto((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    try {
        TQuibPosPrinter pos;
        pos.SetModelo(modelo);
        pos.SetPorta(args[0]);
        pos.SetPaginaDeCodigo(pagina);
        pos.ColunasFonteNormal = colunas;
        pos.Ativar();
        pos.Imprimir(texto, false, tags, true, copias);
        pos.Desativar();
    } catch (const ProgramError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
