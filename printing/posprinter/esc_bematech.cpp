#include "printing/posprinter/esc_bematech.h"

#include <algorithm>
#include <exception>

#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/escpos_epson.h"

using namespace pos_bytes;

namespace {

const char *const kKeyCodesRecusados = "Bematech apenas aceitas KeyCode1=1, KeyCode2=0";

// The GS F8 1 status answer: five bytes, at least two of them.
std::string lerStatusBematech(TQuibPosLeitor &leitor)
{
    const std::string resposta = leitor.TxRx(bytes({0x1D, 0xF8, 0x31}), 5, false, 0);
    if (resposta.size() < 2)
        throw EPosPrinterException("Leitura Status, retorno inválido");
    return resposta;
}

} // namespace

TQuibEscBematech::TQuibEscBematech(const TQuibPosConfig &config) : TQuibPosPrinterClass(config)
{
    ModeloStr("EscBematech");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.Beep                    = bytes({0x1B, 0x28, 0x41, 0x04, 0x00, 0x01, 0x02, 0x01, 0x00});
    c.AlinhadoCentro          = bytes({0x1B, 0x61, 0x01});
    c.AlinhadoDireita         = bytes({0x1B, 0x61, 0x02});
    c.AlinhadoEsquerda        = bytes({0x1B, 0x61, 0x00});
    c.CorteParcial            = bytes({0x1B, 0x6D});
    c.DesligaAlturaDupla      = bytes({0x1B, 0x64, 0x00});
    c.EspacoEntreLinhasPadrao = bytes({0x1B, 0x32});
    c.LigaAlturaDupla         = bytes({0x1B, 0x64, 0x01});
    c.LigaCondensado          = bytes({0x1B, 0x0F});
    c.CorteTotal              = bytes({0x1B, 0x77});
    c.EspacoLinhas            = bytes({0x1B, 0x33});
    c.LigaExpandido           = bytes({0x1B, 0x57, 0x01});
    c.DesligaCondensado       = bytes({0x1B, 0x48});
    c.DesligaExpandido        = bytes({0x1B, 0x57, 0x00});
    c.DesligaItalico          = bytes({0x1B, 0x35});
    c.DesligaNegrito          = bytes({0x1B, 0x46});
    c.DesligaSublinhado       = bytes({0x1B, 0x2D, 0x00});
    c.FonteA                  = c.DesligaCondensado;
    c.FonteB                  = c.LigaCondensado;
    c.LigaItalico             = bytes({0x1B, 0x34});
    c.LigaNegrito             = bytes({0x1B, 0x45});
    c.LigaSublinhado          = bytes({0x1B, 0x2D, 0x01});
    c.PuloDeLinha             = bytes({0x0A});
    c.PuloDePagina            = bytes({0x0C});
    c.Zera                    = bytes({0x1B, 0x40});
    c.FonteNormal             = bytes({0x1B, 0x21, 0x00}) + c.DesligaCondensado + c.DesligaItalico;
    // clang-format on
    RazaoColunaFonte() = {0.75, 2.0};
    NaoSuportar({"<msi>", "<code128c>", "<mp>"});
}

std::string TQuibEscBematech::ComandoCodigoBarras(const std::string &tag, const std::string &content)
{
    const TQuibECFConfigBarras &b = Config().ConfigBarras;
    return TQuibEscPosEpson::ComandoCodigoBarrasEscPosSemPrefixo(tag, content, b.MostrarCodigo,
                                                                 b.LarguraLinha, b.Altura);
}

std::string TQuibEscBematech::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    const std::string data = content.substr(0, 0xFFFF);
    return bytes({0x1D, 0x6B, 0x51, q.ErrorLevel(), 2 * q.LarguraModulo(), 0x00, 0x01}) + le2(data.size()) +
           data;
}

std::string TQuibEscBematech::ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina)
{
    switch (pagina) {
    case pc437:
        return bytes({0x1B, 0x74, 3});
    case pc850:
        return bytes({0x1B, 0x74, 2});
    case pc860:
        return bytes({0x1B, 0x74, 4});
    case pcUTF8:
        return bytes({0x1B, 0x74, 8});
    case pcNone:
    case pc852:
    case pc1252:
        break;
    }
    return {};
}

std::uint8_t TQuibEscBematech::TempoGaveta() const
{
    const TQuibConfigGaveta &g = Config().ConfigGaveta;
    return std::max(g.TempoON, g.TempoOFF);
}

std::string TQuibEscBematech::ComandoGaveta(int gaveta)
{
    return bytes({0x1B, gaveta < 2 ? 0x76 : 0x80, TempoGaveta()});
}

std::string TQuibEscBematech::ComandoInicializa()
{
    return bytes({0x1D, 0xF9, 0x20, 0x00}) + TQuibPosPrinterClass::ComandoInicializa();
}

std::string TQuibEscBematech::ComandoImagemRaster(const std::string &raster, int width, int height)
{
    return ComandoImagemColunasEscPos(raster, width, height, true);
}

std::string TQuibEscBematech::ComandoImprimirLogo()
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    int n = TQuibEscPosEpson::KeyCodeParaNumero(l.KeyCode1);
    if (l.KeyCode2 != 0) {
        // The two key codes read together as a two-digit number.
        const bool digitos = l.KeyCode1 >= '0' && l.KeyCode1 <= '9' && l.KeyCode2 >= '0' && l.KeyCode2 <= '9';
        n = digitos ? (l.KeyCode1 - '0') * 10 + (l.KeyCode2 - '0') : 1;
    }
    const int m = (l.FatorX > 1 ? 1 : 0) + (l.FatorY > 1 ? 2 : 0);
    return bytes({0x1C, 0x70, n, m});
}

std::string TQuibEscBematech::ComandoGravarLogoRasterStr(const std::string &raster, int width, int height)
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode1 != 1 || l.KeyCode2 != 0)
        throw EPosPrinterException(kKeyCodesRecusados);
    return TQuibEscPosEpson::ComandoGravarLogoLegado(raster, width, height, 1);
}

std::string TQuibEscBematech::ComandoApagarLogo()
{
    return ComandoGravarLogoRasterStr(std::string(1, '\0'), 1, 1);
}

void TQuibEscBematech::LerStatus(TQuibPosPrinterStatus &status)
{
    try {
        const std::string r = lerStatusBematech(Leitor());
        // clang-format off
        if (bitLigado(r[0], 2))  status.Incluir(stImprimindo);
        if (bitLigado(r[0], 3))  status.Incluir(stOffLine);
        if (bitLigado(r[0], 4))  status.Incluir(stImprimindo);
        if (bitLigado(r[1], 1))  status.Incluir(stPoucoPapel);
        if (bitLigado(r[1], 2))  status.Incluir(stSemPapel);
        if (!bitLigado(r[1], 4)) status.Incluir(stGavetaAberta);
        if (bitLigado(r[1], 5))  status.Incluir(stSemPapel);
        if (bitLigado(r[1], 6))  status.Incluir(stErro);
        if (!bitLigado(r[1], 7)) status.Incluir(stTampaAberta);
        // clang-format on
    } catch (const std::exception &) {
        status.Incluir(stErroLeitura);
    }
}

std::string TQuibEscBematech::LerInfo()
{
    LimparInfo();
    TQuibPosLeitor &leitor = Leitor();
    AdicionarInfo("Modelo", leitor.TxRx(bytes({0x1D, 0xF9, 0x27, 0x00}), 10, false, 0));
    AdicionarInfo("Serial", leitor.TxRx(bytes({0x1D, 0xF9, 0x27, 0x01}), 0, false, 0));
    AdicionarInfo("Firmware", leitor.TxRx(bytes({0x1D, 0xF9, 0x27, 0x03}), 3, false, 0));
    const std::string status = leitor.TxRx(bytes({0x1D, 0xF8, 0x31}), 5, false, 0);
    if (status.size() > 2)
        AdicionarInfoBool("Guilhotina", !bitLigado(status[2], 2));
    return InfoTexto();
}
