#include "input_file.h"

#include <fstream>
#include <sstream>
#include <string_view>

#include "foundation/text/text_utils.h"

bool lerArquivo(const std::string &caminho, std::string &texto)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo)
        return false;
    std::ostringstream bruto;
    bruto << arquivo.rdbuf();
    if (arquivo.bad())
        return false;
    std::string_view conteudo = bruto.view();
    if (conteudo.starts_with("\xEF\xBB\xBF"))
        conteudo.remove_prefix(3);
    texto = AnsiParaUTF8(conteudo);
    return true;
}
