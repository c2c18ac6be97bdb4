#include "printing/posprinter/esc_gprinter.h"

#include "printing/posprinter/detail/command_bytes.h"

TQuibEscGPrinter::TQuibEscGPrinter(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscGPrinter");
    Comandos().Beep = pos_bytes::bytes({0x1B, 0x42, 0x01, 0x03});
}
