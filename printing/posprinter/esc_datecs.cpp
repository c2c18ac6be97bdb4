#include "printing/posprinter/esc_datecs.h"

#include <algorithm>
#include <exception>

#include "printing/posprinter/detail/command_bytes.h"

using namespace pos_bytes;

TQuibEscDatecs::TQuibEscDatecs(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscDatecs");
    Comandos().Beep = bytes({0x07});
}

std::string TQuibEscDatecs::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    const std::string data = content.substr(0, 0xFFFF);
    return bytes({0x1D, 0x53, 0x00, 0x1D, 0x51, 0x06, std::min(q.LarguraModulo(), 14), q.ErrorLevel() + 1}) +
           le2(data.size()) + data;
}

std::string TQuibEscDatecs::LerInfo()
{
    LimparInfo();
    TQuibPosLeitor &leitor = Leitor();
    AdicionarInfo("Fabricante", "Datecs");
    // Characters 1 to 22 name the model, 23 to 25 the firmware.
    const std::string identificacao = leitor.TxRx(bytes({0x1B, 0x5A}), 0, false, 0);
    if (identificacao.size() > 22)
        AdicionarInfo("Firmware", identificacao.substr(22, 3));
    AdicionarInfo("Modelo", identificacao.substr(0, 22));
    std::string serial;
    try {
        serial = leitor.TxRx(bytes({0x1B, 0x4E}), 0, false, 0);
    } catch (const std::exception &) {
        serial.clear();
    }
    AdicionarInfo("Serial", serial);
    AdicionarInfoBool("Guilhotina", false);
    return InfoTexto();
}

void TQuibEscDatecs::VerificarKeyCodes()
{
    ExigirKeyCodesLegado(ModeloStr());
}
