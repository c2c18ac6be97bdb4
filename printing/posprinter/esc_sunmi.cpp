#include "printing/posprinter/esc_sunmi.h"

#include "foundation/text/text_utils.h"
#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/pos_tag_arrays.h"

using namespace pos_bytes;

TQuibEscSunmi::TQuibEscSunmi(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscSunmi");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.Zera              = bytes({0x1B, 0x40}) + c.FonteA;
    c.Beep              = bytes({0x1B, 0x1D, 0x07, 0x31, 0x02, 0x05});
    c.LigaCondensado    = "";
    c.DesligaCondensado = "";
    // clang-format on
    NaoSuportar(pos_tags::kTagsLogo);
}

std::string TQuibEscSunmi::ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar)
{
    if (atributo == afNormal || atributo == afInvertido)
        return TQuibEscPosEpson::ComandoFonte(atributo, ligar);
    // Font B prints as the condensed font; italic is bit 6 of ESC !.
    return ComandoFonteEscBang(atributo, ligar, {0x01, 0x01, 0x40});
}

std::string TQuibEscSunmi::ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina)
{
    return bytes({0x1C, 0x2E}) + TQuibEscPosEpson::ComandoPaginaDeCodigo(pagina);
}

std::string TQuibEscSunmi::ComandoQRCode(const std::string &content)
{
    // The model function carries no model: the printer draws model 2.
    return ComandoQRCodeFuncoes(bytes({0x1D, 0x28, 0x6B}), bytes({0x31, 0x41, 0x00, 0x00}), content);
}

std::string TQuibEscSunmi::LerInfo()
{
    LimparInfo();
    if (!LerIdentificacaoGSI())
        return {};
    // Only the terminals of the NT line carry a cutter.
    const auto texto = [this](const char *nome) {
        const auto it = Info().find(nome);
        return it == Info().end() ? std::string() : lowerAscii(it->second);
    };
    AdicionarInfoBool("Guilhotina", texto("Fabricante").find("sunmi") != std::string::npos &&
                                        texto("Modelo").find("nt") != std::string::npos);
    return InfoTexto();
}

std::string TQuibEscSunmi::ComandoImagemRaster(const std::string &raster, int width, int height)
{
    return ComandoImagemColunasEscPos(raster, width, height, false);
}

std::string TQuibEscSunmi::ComandoImprimirLogo()
{
    return {};
}

std::string TQuibEscSunmi::ComandoGravarLogoRasterStr(const std::string &, int, int)
{
    return {};
}

std::string TQuibEscSunmi::ComandoApagarLogo()
{
    return {};
}
