// Verb "monitor-export": the TXT-layout export files of staged notes.

#include "monitor_client/frm_nfe_2g.h"
#include "monitor_notas_verb.h"

#include <span>
#include <string>

int runMonitorExportVerb(std::span<const std::string> args)
{
    return runSobreNotasEncenadas(args, "monitor-export", [](TfrmNFE_2G &tela) {
        return bytesDoDocumento(tela.MontaExportacaoNota());
    });
}
