#include "printing/posprinter/esc_custom_pos.h"

#include <algorithm>

#include "foundation/files/file_utils.h"
#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/pos_tag_arrays.h"

using namespace pos_bytes;

namespace {

// Model names by the two identification bytes (GS I 0xFF) or the one byte
// (GS I 5) of the printer.
struct NomeModelo {
    std::string_view resposta;
    const char *nome;
};
// clang-format off
const NomeModelo kModelosFF[] = {
    {"\x02\x0A", "K3"}, {"\x02\x29", "Q3X"}, {"\x02\x4F", "Q3X ETH"},
};
const NomeModelo kModelos05[] = {
    {"\xBC", "KUBE II"}, {"\xA6", "KUBE II ETH"},
};
// clang-format on

template <typename Tabela> const char *nomeDe(const Tabela &tabela, const std::string &resposta)
{
    for (const NomeModelo &m : tabela)
        if (m.resposta == resposta)
            return m.nome;
    return nullptr;
}

} // namespace

TQuibEscCustomPos::TQuibEscCustomPos(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscCustomPos");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.CorteTotal        = bytes({0x1B, 0x69});
    c.CorteParcial      = bytes({0x1B, 0x6D});
    c.Beep              = "";
    c.ImprimePagina     = "";
    c.LigaModoPagina    = "";
    c.DesligaModoPagina = "";
    c.LigaItalico       = "";
    c.DesligaItalico    = "";
    c.LigaCondensado    = "";
    c.DesligaCondensado = "";
    // clang-format on
    TagsNaoSuportadasMut().clear();
    NaoSuportar({"<msi>", "</beep>"});
    NaoSuportar(pos_tags::kTagsModoPagina);
}

std::string TQuibEscCustomPos::ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar)
{
    if (atributo == afNormal || atributo == afInvertido || atributo == afFonteB)
        return TQuibEscPosEpson::ComandoFonte(atributo, ligar);
    // Italic is bit 6 of ESC !; the printer has no command of its own for it.
    return ComandoFonteEscBang(atributo, ligar, {0x01, 0x00, 0x40});
}

std::string TQuibEscCustomPos::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    const std::string gs = bytes({0x1D, 0x28, 0x6B});
    return comTamanho(gs, bytes({0x31, 0x41, q.Tipo() == 2 ? 0 : 1})) +
           comTamanho(gs, bytes({0x31, 0x42, std::max(q.LarguraModulo(), 2)})) +
           comTamanho(gs, bytes({0x31, 0x45, q.ErrorLevel()})) +
           comTamanho(gs, bytes({0x31, 0x50, 0x31}) + content.substr(0, 0xFFFF - 3)) +
           comTamanho(gs, bytes({0x31, 0x51, 0x31}));
}

std::string TQuibEscCustomPos::ComandoConfigurarModoPagina()
{
    return {};
}

std::string TQuibEscCustomPos::LerInfo()
{
    LimparInfo();
    TQuibPosLeitor &leitor = Leitor();
    AdicionarInfo("Fabricante", "CUSTOM");
    AdicionarInfo("Firmware", leitor.TxRx(bytes({0x1D, 0x49, 0x03}), 4, false, 0));
    std::string resposta = leitor.TxRx(bytes({0x1D, 0x49, 0x01}), 1, false, 0);
    const char *nome = nullptr;
    if (resposta == "\x8E" || resposta == "\xFF") {
        resposta = leitor.TxRx(bytes({0x1D, 0x49, 0xFF}), 2, false, 0);
        nome = nomeDe(kModelosFF, resposta);
    } else if (resposta == "_" || resposta == "e") {
        resposta = leitor.TxRx(bytes({0x1D, 0x49, 0x05}), 1, false, 0);
        nome = nomeDe(kModelos05, resposta);
    }
    AdicionarInfo("Modelo", nome != nullptr ? std::string(nome) : TraduzNaoImprimiveis(resposta));
    const std::string corte = leitor.TxRx(bytes({0x1D, 0x49, 0x02}), 1, false, 0);
    if (!corte.empty())
        AdicionarInfoBool("Guilhotina", bitLigado(corte.front(), 1));
    return InfoTexto();
}

std::string TQuibEscCustomPos::ComandoImagemRaster(const std::string &raster, int width, int height)
{
    return ComandoImagemColunasEscPos(raster, width, height, true);
}

std::string TQuibEscCustomPos::ComandoGravarLogoRasterStr(const std::string &, int, int)
{
    throw EPosPrinterException("Comando GravarLogoRasterStr ainda não suportado na CustomPos");
}

std::string TQuibEscCustomPos::ComandoApagarLogo()
{
    throw EPosPrinterException("Comando ApagarLogo ainda não suportado na CustomPos");
}

void TQuibEscCustomPos::VerificarKeyCodes()
{
    ExigirKeyCodesLegado("Custom");
}
