#include "dfe/component/detail/ini_valores.h"

#include "dfe/ssl/base64.h"
#include "foundation/files/file_utils.h"

namespace conf_ini {

std::string senhaParaIni(std::string_view senha, std::string_view chave)
{
    return encodeBase64(EmbaralhaTexto(senha, chave));
}

std::string senhaDoIni(std::string_view valor, std::string_view chave)
{
    return EmbaralhaTexto(decodeBase64(valor), chave);
}

} // namespace conf_ini
