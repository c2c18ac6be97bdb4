#include "app/dados/configuracao_empresa.h"

#include "app/dados/dtm_nfe_grd.h"
#include "foundation/base/quib_exception.h"

#include <charconv>

void ConfiguracaoEmpresa::Ini_WriteInteger(std::string_view sessao, std::string_view chave, int valor)
{
    Ini_WriteString(sessao, chave, std::to_string(valor));
}

void ConfiguracaoEmpresa::Ini_WriteString(std::string_view sessao, std::string_view chave,
                                          std::string_view texto)
{
    modulo_.Grava_Valor_Referencia_Sessao(modulo_.CnpjEmpresa, sessao, CampoRef(chave), texto,
                                          ColunaConfig::Campo_Valor);
}

void ConfiguracaoEmpresa::Ini_WriteStringMemo(std::string_view sessao, std::string_view chave,
                                              std::string_view texto)
{
    modulo_.Grava_Valor_Referencia_Sessao(modulo_.CnpjEmpresa, sessao, CampoRef(chave), texto,
                                          ColunaConfig::Campo_memo);
}

void ConfiguracaoEmpresa::Ini_WriteBool(std::string_view sessao, std::string_view chave, bool valor)
{
    Ini_WriteString(sessao, chave, valor ? "TRUE" : "FALSE");
}

int ConfiguracaoEmpresa::Ini_ReadInteger(std::string_view sessao, std::string_view chave, int padrao)
{
    const std::string texto = Ini_ReadString(sessao, chave, {});
    if (texto.empty())
        return padrao;
    int valor = 0;
    const char *fim = texto.data() + texto.size();
    const auto [ate, erro] = std::from_chars(texto.data(), fim, valor);
    if (erro != std::errc() || ate != fim)
        throw ConversionError("'" + texto + "' não é um valor inteiro válido (" + std::string(sessao) + ", " +
                              std::string(chave) + ").");
    return valor;
}

std::string ConfiguracaoEmpresa::Ini_ReadString(std::string_view sessao, std::string_view chave,
                                                std::string_view padrao)
{
    std::string texto = modulo_.Busca_Valor_Referencia_Sessao(modulo_.CnpjEmpresa, sessao, CampoRef(chave),
                                                              ColunaConfig::Campo_Valor);
    return texto.empty() ? std::string(padrao) : texto;
}

std::string ConfiguracaoEmpresa::Ini_ReadStringMemo(std::string_view sessao, std::string_view chave,
                                                    std::string_view padrao)
{
    std::string texto = modulo_.Busca_Valor_Referencia_Sessao(modulo_.CnpjEmpresa, sessao, CampoRef(chave),
                                                              ColunaConfig::Campo_memo);
    return texto.empty() ? std::string(padrao) : texto;
}

bool ConfiguracaoEmpresa::Ini_ReadBool(std::string_view sessao, std::string_view chave, bool padrao)
{
    const std::string texto = Ini_ReadString(sessao, chave, {});
    return texto.empty() ? padrao : texto == "TRUE";
}
