#include "printing/posprinter/esc_epson_p2.h"

#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/pos_tag_arrays.h"

using pos_bytes::bytes;

TQuibEscEpsonP2::TQuibEscEpsonP2(const TQuibPosConfig &config) : TQuibPosPrinterClass(config)
{
    ModeloStr("EscEpsonP2");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.EspacoEntreLinhasPadrao = bytes({0x1B, 0x32});
    c.FonteNormal             = bytes({0x0F});
    c.LigaCondensado          = bytes({0x0F});
    c.EspacoLinhas            = bytes({0x1B, 0x30});
    c.LigaExpandido           = bytes({0x1B, 0x57, 0x31});
    c.DesligaCondensado       = bytes({0x12});
    c.DesligaExpandido        = bytes({0x1B, 0x57, 0x30});
    c.DesligaItalico          = bytes({0x1B, 0x35});
    c.DesligaNegrito          = bytes({0x1B, 0x48});
    c.DesligaSublinhado       = bytes({0x1B, 0x2D, 0x00});
    c.FonteA                  = bytes({0x12});
    c.FonteB                  = bytes({0x0F});
    c.LigaItalico             = bytes({0x1B, 0x34});
    c.LigaNegrito             = bytes({0x1B, 0x47});
    c.LigaSublinhado          = bytes({0x1B, 0x2D, 0x01});
    c.PuloDeLinha             = bytes({0x0A});
    c.PuloDePagina            = bytes({0x0C});
    c.Zera                    = bytes({0x1B, 0x40, 0x0F});
    // clang-format on
    RazaoColunaFonte() = {0.75, 2.0};
    NaoSuportar(pos_tags::kTagsBarras);
    NaoSuportar({"<ad>", "<ae>", "<ce>", "<in>", "</in>", "</corte_parcial>", "</corte_total>",
                 "<logo_imprimir>", "</abre_gaveta>", "<abre_gaveta>", "</beep>", "<mp>"});
}
