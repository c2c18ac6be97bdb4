#include "printing/posprinter/esc_zjiang.h"

#include <algorithm>

#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/pos_tag_arrays.h"

using namespace pos_bytes;

TQuibEscZJiang::TQuibEscZJiang(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscZJiang");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.CorteTotal        = bytes({0x1D, 0x56, 0x01});
    c.Beep              = bytes({0x1B, 0x42, 0x01, 0x03});
    c.LigaModoPagina    = "";
    c.DesligaModoPagina = "";
    c.ImprimePagina     = "";
    // clang-format on
    NaoSuportar(pos_tags::kTagsModoPagina);
}

std::string TQuibEscZJiang::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    const std::string data = content.substr(0, 0xFFFF);
    return bytes({0x1B, 0x5A, 0x00, "LMQH"[q.ErrorLevel()], std::min(q.LarguraModulo(), 8)}) +
           le2(data.size()) + data;
}

void TQuibEscZJiang::VerificarKeyCodes()
{
    ExigirKeyCodesLegado(ModeloStr());
}
