#include "printing/posprinter/escpos_star.h"

#include <exception>

#include "printing/posprinter/detail/command_bytes.h"

using namespace pos_bytes;

TQuibEscPosStar::TQuibEscPosStar(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscPosStar");
    Comandos().Beep = bytes({0x1B, 0x1D, 0x07, 0x01, 0x02, 0x05});
}

std::string TQuibEscPosStar::ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina)
{
    return bytes({0x1C, 0x2E}) + TQuibEscPosEpson::ComandoPaginaDeCodigo(pagina);
}

std::string TQuibEscPosStar::ComandoGaveta(int)
{
    const TQuibConfigGaveta &g = Config().ConfigGaveta;
    return bytes({0x10, 0x14, 0x01, g.SinalInvertido ? 1 : 0, g.TempoOFF / 31});
}

void TQuibEscPosStar::LerStatus(TQuibPosPrinterStatus &status)
{
    try {
        TQuibPosLeitor &leitor = Leitor();
        leitor.DefinirAtivo(true);
        const std::string papel = leitor.TxRx(bytes({0x1D, 0x72, 0x01}), 1, false, 0);
        if (!papel.empty()) {
            const char b = papel.front();
            if (bitLigado(b, 0) || bitLigado(b, 1))
                status.Incluir(stPoucoPapel);
            if (bitLigado(b, 2) || bitLigado(b, 3))
                status.Incluir(stSemPapel);
        }
        const std::string gaveta = leitor.TxRx(bytes({0x1D, 0x72, 0x02}), 1, false, 0);
        if (!gaveta.empty() && bitLigado(gaveta.front(), 0))
            status.Incluir(stGavetaAberta);
    } catch (const std::exception &) {
        status.Incluir(stErroLeitura);
    }
}

std::string TQuibEscPosStar::LerInfo()
{
    LimparInfo();
    if (!LerIdentificacaoGSI())
        return {};
    const std::string capacidades = Leitor().TxRx(bytes({0x1D, 0x49, 0x32}), 1, false, 0);
    if (!capacidades.empty()) {
        const char b = capacidades.front();
        AdicionarInfoBool("Guilhotina", bitLigado(b, 1));
        AdicionarInfoBool("Cheque", bitLigado(b, 3));
        AdicionarInfoBool(" MICR", bitLigado(b, 3));
    }
    return InfoTexto();
}

std::string TQuibEscPosStar::ComandoImagemRaster(const std::string &raster, int width, int height)
{
    return ComandoImagemColunasEscPos(raster, width, height, false);
}
