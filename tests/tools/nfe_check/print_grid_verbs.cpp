// Verb "print-grid": the printer grid of the management screen as the bytes
// the printer would get.

#include <charconv>
#include <cstdio>
#include <string>

#include "app/relatorios/frm_rdp.h"
#include "app/relatorios/matriz_impressora.h"
#include "foundation/base/quib_exception.h"
#include "verbs.h"

namespace {

bool inteiro(const std::string &texto, int &numero)
{
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    return !texto.empty() && erro == std::errc() && fim == texto.data() + texto.size();
}

} // namespace

int runPrintGridVerb(std::span<const std::string> args)
{
    if (args.size() != 4) {
        std::fprintf(stderr, "nfe-check print-grid: expected <lines> <lines per inch> <width> <out file>\n");
        return 2;
    }
    int linhas = 0, linhasPorPolegada = 0, largura = 0;
    for (auto [texto, numero] : {std::pair{&args[0], &linhas}, std::pair{&args[1], &linhasPorPolegada},
                                 std::pair{&args[2], &largura}}) {
        if (!inteiro(*texto, *numero)) {
            std::fprintf(stderr, "\"%s\" não é um número inteiro válido\n", texto->c_str());
            return 1;
        }
    }
    try {
        TfrmRdp rdp;
        rdp.RDprint.PortaComunicacao = args[3];
        ImprimeMatrizImpressora(rdp, linhas, linhasPorPolegada, largura, "Matriz de impressoras", false);
        return 0;
    } catch (const ProgramError &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
