// Verb "monitor-answer": one answer file of the document monitor, read as the
// note screen reads the answer of that kind.

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "monitor_client/nomes_monitor.h"
#include "monitor_client/retorno_monitor.h"
#include "verbs.h"

int runMonitorAnswerVerb(std::span<const std::string> args)
{
    if (args.size() != 2 || TipoResposta(args[0]).empty()) {
        std::cerr << "uso: nfe-check monitor-answer <Nota|Danfe|Email|Cancelamento|Consulta|inutiliza|carta|"
                     "impcarta|Evento> <arquivo>\n";
        return 2;
    }
    std::ifstream entrada(args[1], std::ios::binary);
    if (!entrada) {
        std::cerr << "Arquivo de retorno não localizado: " << args[1] << "\n";
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(entrada)), std::istreambuf_iterator<char>());
    const RetornoMonitor lido = LeRetornoMonitor(args[0], TextoDoRetorno(bytes));
    if (lido.resultadoInvalido)
        std::cerr << "RESULTADO \"" << lido.resultadoLido << "\" não é um número: lido como código 0\n";
    const bool aceito = RetornoAceito(args[0], lido.resultado);
    std::cout << "RESULTADO=" << lido.resultado << "\nMENSAGEM=" << lido.mensagem
              << "\nMENSAGEM_2=" << lido.mensagem2 << "\nCHAVENFE=" << lido.chave
              << "\nRECIBO=" << lido.recibo << "\nNUMEROLOTE=" << lido.numeroLote
              << "\nNPROTOCOLO=" << lido.protocolo << "\naceito=" << (aceito ? "sim" : "nao") << "\n";
    return aceito ? 0 : 1;
}
