#include "printing/posprinter/pos_printer.h"

#include "printing/posprinter/esc_bematech.h"
#include "printing/posprinter/esc_custom_pos.h"
#include "printing/posprinter/esc_daruma.h"
#include "printing/posprinter/esc_datecs.h"
#include "printing/posprinter/esc_diebold.h"
#include "printing/posprinter/esc_elgin.h"
#include "printing/posprinter/esc_epson_p2.h"
#include "printing/posprinter/esc_gprinter.h"
#include "printing/posprinter/esc_sunmi.h"
#include "printing/posprinter/esc_zjiang.h"
#include "printing/posprinter/escpos_epson.h"
#include "printing/posprinter/escpos_star.h"

std::unique_ptr<TQuibPosPrinterClass> TQuibPosPrinter::CriarModelo(TQuibPosPrinterModelo modelo)
{
    switch (modelo) {
    case ppEscPosEpson:
        return std::make_unique<TQuibEscPosEpson>(config_);
    case ppEscBematech:
        return std::make_unique<TQuibEscBematech>(config_);
    case ppEscDaruma:
        return std::make_unique<TQuibEscDaruma>(config_);
    case ppEscVox:
        return std::make_unique<TQuibEscElgin>(config_);
    case ppEscDiebold:
        return std::make_unique<TQuibEscDiebold>(config_);
    case ppEscEpsonP2:
        return std::make_unique<TQuibEscEpsonP2>(config_);
    case ppCustomPos:
        return std::make_unique<TQuibEscCustomPos>(config_);
    case ppEscPosStar:
        return std::make_unique<TQuibEscPosStar>(config_);
    case ppEscZJiang:
        return std::make_unique<TQuibEscZJiang>(config_);
    case ppEscGPrinter:
        return std::make_unique<TQuibEscGPrinter>(config_);
    case ppEscDatecs:
        return std::make_unique<TQuibEscDatecs>(config_);
    case ppEscSunmi:
        return std::make_unique<TQuibEscSunmi>(config_);
    case ppTexto:
    case ppExterno:
        break;
    }
    return std::make_unique<TQuibPosPrinterClass>(config_);
}
