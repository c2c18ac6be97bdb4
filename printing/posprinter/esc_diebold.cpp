#include "printing/posprinter/esc_diebold.h"

#include <algorithm>

#include "printing/posprinter/detail/command_bytes.h"

using namespace pos_bytes;

TQuibEscDiebold::TQuibEscDiebold(const TQuibPosConfig &config) : TQuibEscPosEpson(config)
{
    ModeloStr("EscDiebold");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.DesligaExpandido = bytes({0x1B, 0x21, 0x00});
    c.LigaItalico      = bytes({0x1B, 0x34});
    c.DesligaItalico   = bytes({0x1B, 0x35});
    // clang-format on
    TagsNaoSuportadasMut().clear();
    NaoSuportar({"<msi>", "<code128c>"});
}

std::string TQuibEscDiebold::ComandoCodigoBarras(const std::string &tag, const std::string &content)
{
    const TQuibECFConfigBarras &b = Config().ConfigBarras;
    return ComandoCodigoBarrasEscPosSemPrefixo(tag, content, b.MostrarCodigo, b.LarguraLinha, b.Altura);
}

std::string TQuibEscDiebold::ComandoQRCode(const std::string &content)
{
    // ESC ( k, opening with the symbol's alignment instead of its model.
    const int alinhamento = Config().Alinhamento == alEsquerda ? '0' : '1';
    return ComandoQRCodeFuncoes(bytes({0x1B, 0x28, 0x6B}), bytes({0x31, 0x42, alinhamento}), content);
}

std::string TQuibEscDiebold::LerInfo()
{
    LimparInfo();
    AdicionarInfo("Fabricante", "Diebold");
    return InfoTexto();
}

std::string TQuibEscDiebold::ComandoImprimirLogo()
{
    // The two key codes read as a two-digit number: logos 0 to 9.
    const TQuibConfigLogo &l = Config().ConfigLogo;
    const bool digitos = l.KeyCode1 >= '0' && l.KeyCode1 <= '9' && l.KeyCode2 >= '0' && l.KeyCode2 <= '9';
    const int n = digitos ? std::min((l.KeyCode1 - '0') * 10 + (l.KeyCode2 - '0'), 9) : 0;
    return bytes({0x1D, 0x30, 0x39, n});
}
