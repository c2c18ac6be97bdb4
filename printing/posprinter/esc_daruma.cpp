#include "printing/posprinter/esc_daruma.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <string_view>

#include "printing/posprinter/detail/command_bytes.h"

using namespace pos_bytes;

namespace {

// Models from this number on take the newer configuration and the narrower
// condensed font.
constexpr int kPrimeiroModeloNovo = 20001;
constexpr double kRazaoCondensadaAntiga = 0.8421;
constexpr double kRazaoCondensadaNova = 0.75;
// Beyond this many bytes a QR code needs modules of at least 4 dots.
constexpr std::size_t kQRCodeGrande = 256;

// ESC b symbology of a barcode tag; 0 for one the printer lacks.
int tipoBarras(const std::string &tag)
{
    // clang-format off
    static const std::pair<std::string_view, int> kTipos[] = {
        {"<ean13>", 1},     {"<ean8>", 2},      {"<std>", 3},       {"<inter>", 4},
        {"<code128>", 5},   {"<code128a>", 5},  {"<code128b>", 5},  {"<code128c>", 5},
        {"<code39>", 6},    {"<code93>", 7},    {"<upca>", 8},      {"<codabar>", 9},
        {"<msi>", 10},      {"<code11>", 11},
    };
    // clang-format on
    for (const auto &[nome, tipo] : kTipos)
        if (nome == tag)
            return tipo;
    return 0;
}

// The whole text as a number; `padrao` when it is not one.
int numeroOu(std::string_view texto, int padrao)
{
    int valor = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    return erro == std::errc() && fim == texto.data() + texto.size() && !texto.empty() ? valor : padrao;
}

} // namespace

TQuibEscDaruma::TQuibEscDaruma(TQuibPosConfig &config) : TQuibPosPrinterClass(config), configMut_(config)
{
    ModeloStr("EscDaruma");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.Beep                    = bytes({0x07});
    c.AlinhadoCentro          = bytes({0x1B, 0x6A, 0x01});
    c.AlinhadoDireita         = bytes({0x1B, 0x6A, 0x02});
    c.AlinhadoEsquerda        = bytes({0x1B, 0x6A, 0x00});
    c.CorteParcial            = bytes({0x1B, 0x6D});
    c.DesligaAlturaDupla      = bytes({0x1B, 0x77, 0x00});
    c.EspacoEntreLinhasPadrao = bytes({0x1B, 0x32});
    c.LigaAlturaDupla         = bytes({0x1B, 0x77, 0x01});
    c.FonteNormal             = bytes({0x1B, 0x21, 0x00, 0x12});
    c.LigaCondensado          = bytes({0x1B, 0x0F});
    c.CorteTotal              = bytes({0x1B, 0x6D});
    c.EspacoLinhas            = bytes({0x1B, 0x33});
    c.LigaExpandido           = bytes({0x1B, 0x57, 0x01});
    c.DesligaCondensado       = bytes({0x12});
    c.DesligaExpandido        = bytes({0x1B, 0x57, 0x00});
    c.DesligaItalico          = bytes({0x1B, 0x34, 0x00});
    c.DesligaNegrito          = bytes({0x1B, 0x46});
    c.DesligaSublinhado       = bytes({0x1B, 0x2D, 0x00});
    c.FonteA                  = bytes({0x14});
    c.FonteB                  = bytes({0x1B, 0x0F});
    c.LigaItalico             = bytes({0x1B, 0x34, 0x01});
    c.LigaNegrito             = bytes({0x1B, 0x45});
    c.LigaSublinhado          = bytes({0x1B, 0x2D, 0x01});
    c.PuloDeLinha             = bytes({0x0A});
    c.PuloDePagina            = bytes({0x0C});
    c.Zera                    = bytes({0x1B, 0x40});
    // clang-format on
    RazaoColunaFonte() = {kRazaoCondensadaAntiga, 2.0};
    NaoSuportar({"<code128c>", "<mp>"});
}

std::string TQuibEscDaruma::ComandoConfiguracao(char flag)
{
    return bytes({0x1B, 0xC6}) + std::string(30, 'X') + flag + std::string(9, 'X');
}

std::string TQuibEscDaruma::ComandoCodigoBarras(const std::string &tag, const std::string &content)
{
    const int tipo = tipoBarras(tag);
    if (tipo == 0)
        return content;
    const TQuibECFConfigBarras &b = Config().ConfigBarras;
    const int w = b.LarguraLinha == 0 ? 2 : std::clamp(b.LarguraLinha, 2, 5);
    const int h = b.Altura == 0 ? 50 : std::clamp(b.Altura, 50, 200);
    // The data runs up to its NUL.
    const std::string data = content.substr(0, content.find('\0'));
    return bytes({0x1B, 0x62, tipo, w, h, b.MostrarCodigo ? 1 : 0}) + data + bytes({0x00});
}

std::string TQuibEscDaruma::ComandoQRCode(const std::string &content)
{
    TQuibConfigQRCode &q = configMut_.ConfigQRCode;
    const int modulo = std::clamp(q.LarguraModulo(), 3, 7);
    char nivel = q.ErrorLevel() == 0 ? '\0' : "LMQH"[q.ErrorLevel()];
    if (content.size() > kQRCodeGrande) {
        if (q.LarguraModulo() < 4)
            q.LarguraModulo(4);
        if (nivel == '\0')
            nivel = 'M';
    }
    const std::string data = content.substr(0, 0xFFFF - 2);
    return bytes({0x1B, 0x81}) + le2(data.size() + 2) + bytes({modulo, nivel}) + data;
}

std::string TQuibEscDaruma::ComandoGaveta(int)
{
    return bytes({0x1B, 0x70});
}

std::string TQuibEscDaruma::ComandoInicializa()
{
    const std::string base = TQuibPosPrinterClass::ComandoInicializa();
    return configurada_ ? base : ComandoConfiguracao('1') + base;
}

std::string TQuibEscDaruma::ComandoImprimirLogo()
{
    return bytes({0x16, 0x08, 0x16, 0x09});
}

void TQuibEscDaruma::AposAtivar()
{
    configurada_ = false;
    TQuibPosLeitor &leitor = Leitor();
    if (!leitor.PortaConversa())
        return;
    try {
        LerInfo();
    } catch (const std::exception &) {
        // A printer that does not tell its model is configured, as on ports
        // that cannot be read, ahead of the first initialisation.
        return;
    }
    const auto colunas = Info().find("Colunas");
    if (colunas != Info().end()) {
        const int n = numeroOu(colunas->second, 0);
        if (n > 0)
            leitor.DefinirColunasFonteNormal(n);
    }
    const auto modelo = Info().find("Modelo");
    const int numeroModelo = modelo == Info().end() ? 0 : numeroOu(modelo->second, 0);
    const bool antigo = numeroModelo < kPrimeiroModeloNovo;
    RazaoColunaFonte().Condensada = antigo ? kRazaoCondensadaAntiga : kRazaoCondensadaNova;
    leitor.EnviarDireto(ComandoConfiguracao(antigo ? '1' : '0'));
    configurada_ = true;
}

void TQuibEscDaruma::LerStatus(TQuibPosPrinterStatus &status)
{
    try {
        TQuibPosLeitor &leitor = Leitor();
        const std::string r1 = leitor.TxRx(bytes({0x05}), 1, false, 0);
        if (!r1.empty()) {
            const char b = r1.front();
            // clang-format off
            if (bitLigado(b, 0))  status.Incluir(stImprimindo);
            if (bitLigado(b, 3))  status.Incluir(stErro);
            if (!bitLigado(b, 4)) status.Incluir(stOffLine);
            if (bitLigado(b, 5))  status.Incluir(stSemPapel);
            if (bitLigado(b, 7))  status.Incluir(stTampaAberta);
            // clang-format on
        }
        const std::string r2 = leitor.TxRx(bytes({0x1D, 0x05}), 1, false, 0);
        if (!r2.empty()) {
            const char b = r2.front();
            // clang-format off
            if (bitLigado(b, 0))  status.Incluir(stPoucoPapel);
            if (bitLigado(b, 1))  status.Incluir(stSemPapel);
            if (bitLigado(b, 3))  status.Incluir(stOffLine);
            if (!bitLigado(b, 4)) status.Incluir(stTampaAberta);
            if (bitLigado(b, 6))  status.Incluir(stErro);
            if (bitLigado(b, 7))  status.Incluir(stGavetaAberta);
            // clang-format on
        }
    } catch (const std::exception &) {
        status.Incluir(stErroLeitura);
    }
}

std::string TQuibEscDaruma::LerInfo()
{
    LimparInfo();
    TQuibPosLeitor &leitor = Leitor();
    constexpr int kCR = 0x0D;
    AdicionarInfo("Fabricante", "Daruma");
    AdicionarInfo("Firmware", leitor.TxRx(bytes({0x1B, 0xC7}), kCR, true, 0));
    AdicionarInfo("Modelo", leitor.TxRx(bytes({0x1B, 0xC3}), kCR, true, 0));
    // The configuration text: character 9 the cutter, 12 the column choice,
    // 40 the code page (counted from 1). A shorter text leaves them out.
    const std::string config = leitor.TxRx(bytes({0x1B, 0xE5}), kCR, true, 0);
    if (config.size() >= 9)
        AdicionarInfo("Guilhotina", config.substr(8, 1));
    if (config.size() >= 12) {
        const char colunas = config[11];
        AdicionarInfo("Colunas", colunas == '1' ? "52" : colunas == '2' ? "34" : "48");
    }
    if (config.size() >= 40)
        AdicionarInfo("CodPage", config.substr(39, 1));
    return InfoTexto();
}
