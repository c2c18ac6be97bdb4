#include "pos_modelos.h"

#include <utility>
#include <vector>

bool modeloPosPorNome(std::string_view nome, TQuibPosPrinterModelo &modelo)
{
    // clang-format off
    static const std::vector<std::pair<std::string_view, TQuibPosPrinterModelo>> modelos = {
        {"Texto", ppTexto},               {"EscPosEpson", ppEscPosEpson}, {"EscBematech", ppEscBematech},
        {"EscDaruma", ppEscDaruma},       {"EscElgin", ppEscVox},         {"EscDiebold", ppEscDiebold},
        {"EscEpsonP2", ppEscEpsonP2},     {"EscCustomPos", ppCustomPos},  {"EscPosStar", ppEscPosStar},
        {"EscZJiang", ppEscZJiang},       {"EscGPrinter", ppEscGPrinter}, {"EscDatecs", ppEscDatecs},
        {"EscSunmi", ppEscSunmi},
    };
    // clang-format on
    for (const auto &[texto, valor] : modelos)
        if (texto == nome) {
            modelo = valor;
            return true;
        }
    return false;
}

bool paginaPosPorNome(std::string_view nome, TQuibPosPaginaCodigo &pagina)
{
    // clang-format off
    static const std::vector<std::pair<std::string_view, TQuibPosPaginaCodigo>> paginas = {
        {"437", pc437}, {"850", pc850}, {"852", pc852}, {"860", pc860}, {"1252", pc1252}, {"utf8", pcUTF8},
        {"none", pcNone},
    };
    // clang-format on
    for (const auto &[texto, valor] : paginas)
        if (texto == nome) {
            pagina = valor;
            return true;
        }
    return false;
}
