#pragma once

#include <string>
#include <utility>
#include <vector>

class TfrmConfigGeral40;

namespace testsupport {

// What the settings screen's reader applies to its NF-e component, one
// (property, value) pair per property in the reader's step order, named as
// reached from the component ("Configuracoes.WebServices.AguardarConsultaRet",
// "SSL.SSLType"): enumerations by value name, booleans "TRUE"/"FALSE", times
// in milliseconds, passwords "(set)" or empty. Then the four library lists'
// indexes ("cbSSLLib"...). Implemented in console_aplicado.cpp.
std::vector<std::pair<std::string, std::string>> propriedadesAplicadas(TfrmConfigGeral40 &tela);

} // namespace testsupport
