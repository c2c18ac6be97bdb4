#include "printing/posprinter/esc_elgin.h"

#include <exception>

#include "printing/posprinter/detail/command_bytes.h"

using namespace pos_bytes;

TQuibEscElgin::TQuibEscElgin(const TQuibPosConfig &config) : TQuibEscBematech(config)
{
    ModeloStr("EscElgin");
}

std::string TQuibEscElgin::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    // GS k 11 takes the data up to its NUL.
    const std::string data = content.substr(0, content.find('\0'));
    return bytes({0x1D, 0x6F, 0x00, q.LarguraModulo(), 0x00, q.Tipo()}) +
           bytes({0x1D, 0x6B, 0x0B, "LMQH"[q.ErrorLevel()], 0x41, 0x2C}) + data + bytes({0x00});
}

std::string TQuibEscElgin::ComandoGaveta(int)
{
    return bytes({0x1B, 0x76, 0x6E, TempoGaveta()});
}

void TQuibEscElgin::LerStatus(TQuibPosPrinterStatus &status)
{
    try {
        const std::string r = Leitor().TxRx(bytes({0x05}), 1, false, 0);
        if (r.empty())
            return;
        const char b = r.front();
        // clang-format off
        if (!bitLigado(b, 0)) status.Incluir(stOffLine);
        if (bitLigado(b, 1))  status.Incluir(stSemPapel);
        if (bitLigado(b, 2))  status.Incluir(stGavetaAberta);
        if (!bitLigado(b, 3)) status.Incluir(stTampaAberta);
        if (bitLigado(b, 4))  status.Incluir(stPoucoPapel);
        // clang-format on
    } catch (const std::exception &) {
        status.Incluir(stErroLeitura);
    }
}
