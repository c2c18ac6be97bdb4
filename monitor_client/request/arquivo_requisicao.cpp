// The request document at the file edge: Windows-1252 with CR LF.

#include "monitor_client/frm_nfe_2g.h"

#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"

std::string bytesDoDocumento(const std::vector<std::string> &linhas)
{
    std::string bytes;
    for (const auto &linha : linhas)
        bytes += ConvertePaginaCodigo(linha, 1252, 65001) + "\r\n";
    return bytes;
}

void gravaDocumento(const std::string &arquivo, const std::vector<std::string> &linhas)
{
    GravaTextoEmArquivo(arquivo, bytesDoDocumento(linhas), false, false, false);
}
