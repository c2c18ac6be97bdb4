#pragma once

#include <string>
#include <string_view>

class TdtmNFE_grd;

// The typed settings operations of the NF-e console, named like INI-file
// operations: sectioned rows of the settings store for the company held in
// `CnpjEmpresa` of the module at the moment of each call. Integers are
// written as decimal text, booleans as "TRUE"/"FALSE", texts unchanged (long
// texts in Campo_memo, the rest in Campo_Valor). A read gives the default
// for an empty text or a missing row; a boolean is true only for "TRUE";
// an integer that is not one raises ConversionError. Nothing commits: the
// caller calls dtmNFECommit. Database failures raise DatabaseError. Needs no
// screen, so the schema updater uses it as the console does.
// Implemented in configuracao_empresa.cpp.
class ConfiguracaoEmpresa {
  public:
    explicit ConfiguracaoEmpresa(TdtmNFE_grd &modulo) : modulo_(modulo) {}

    void Ini_WriteInteger(std::string_view sessao, std::string_view chave, int valor);
    void Ini_WriteString(std::string_view sessao, std::string_view chave, std::string_view texto);
    void Ini_WriteStringMemo(std::string_view sessao, std::string_view chave, std::string_view texto);
    void Ini_WriteBool(std::string_view sessao, std::string_view chave, bool valor);

    int Ini_ReadInteger(std::string_view sessao, std::string_view chave, int padrao);
    std::string Ini_ReadString(std::string_view sessao, std::string_view chave, std::string_view padrao);
    std::string Ini_ReadStringMemo(std::string_view sessao, std::string_view chave, std::string_view padrao);
    bool Ini_ReadBool(std::string_view sessao, std::string_view chave, bool padrao);

  private:
    TdtmNFE_grd &modulo_;
};
