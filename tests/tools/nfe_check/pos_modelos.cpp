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
