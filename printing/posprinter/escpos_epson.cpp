#include "printing/posprinter/escpos_epson.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "printing/device/raster_image.h"

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string result;
    for (int v : values)
        result.push_back(static_cast<char>(v));
    return result;
}

std::string le2(int value)
{
    return bytes({value & 0xFF, (value >> 8) & 0xFF});
}

std::string le4(std::size_t value)
{
    return bytes({static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 24) & 0xFF)});
}

// GS k symbology byte of a barcode tag; 0 for a symbology ESC/POS lacks.
int simbologia(const std::string &tag)
{
    // clang-format off
    static const std::vector<std::pair<std::string_view, int>> kSimbologias = {
        {"<upca>", 'A'},    {"<upce>", 'B'},      {"<ean13>", 'C'},     {"<ean8>", 'D'},
        {"<code39>", 'E'},  {"<inter>", 'F'},     {"<codabar>", 'G'},   {"<code93>", 'H'},
        {"<code128>", 'I'}, {"<code128a>", 'I'},  {"<code128b>", 'I'},  {"<code128c>", 'I'},
        {"<msi>", 'R'},
    };
    // clang-format on
    for (const auto &[nome, m] : kSimbologias)
        if (nome == tag)
            return m;
    return 0;
}

// The digits of a text packed two to a byte, a leading 0 added to an odd count.
std::string code128CDados(const std::string &content)
{
    std::string digits;
    for (char ch : content)
        if (ch >= '0' && ch <= '9')
            digits.push_back(ch);
    if (digits.size() % 2 != 0)
        digits.insert(digits.begin(), '0');
    std::string result;
    for (std::size_t i = 0; i < digits.size(); i += 2)
        result.push_back(static_cast<char>((digits[i] - '0') * 10 + (digits[i + 1] - '0')));
    return result;
}

// The raster with blank rows added up to a whole number of bands.
std::string rasterEmFaixasInteiras(const std::string &raster, int width, int height, int bandRows)
{
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 7) / 8;
    const int rows = (height + bandRows - 1) / bandRows * bandRows;
    std::string padded = raster.substr(0, rowBytes * static_cast<std::size_t>(height));
    padded.resize(rowBytes * static_cast<std::size_t>(rows), '\0');
    return padded;
}

constexpr std::size_t kMaxDadosCodigoBarras = 255;

} // namespace

TQuibEscPosEpson::TQuibEscPosEpson(const TQuibPosConfig &config) : TQuibPosPrinterClass(config)
{
    ModeloStr("EscPosEpson");
    TQuibPosComandos &c = Comandos();
    // clang-format off
    c.Beep                    = bytes({0x1B, 0x28, 0x41, 0x05, 0x00, 0x61, 0x64, 0x01, 0x32, 0x32});
    c.AlinhadoCentro          = bytes({0x1B, 0x61, 0x01});
    c.AlinhadoDireita         = bytes({0x1B, 0x61, 0x02});
    c.AlinhadoEsquerda        = bytes({0x1B, 0x61, 0x00});
    c.CorteParcial            = bytes({0x1D, 0x56, 0x01});
    c.DesligaAlturaDupla      = bytes({0x1D, 0x21, 0x00});
    c.DesligaInvertido        = bytes({0x1D, 0x42, 0x00});
    c.DesligaModoPagina       = bytes({0x1B, 0x53});
    c.EspacoEntreLinhasPadrao = bytes({0x1B, 0x32});
    c.ImprimePagina           = bytes({0x1B, 0x0C});
    c.LigaAlturaDupla         = bytes({0x1D, 0x21, 0x01});
    c.LigaInvertido           = bytes({0x1D, 0x42, 0x01});
    c.FonteNormal             = bytes({0x1B, 0x21, 0x00});
    c.LigaCondensado          = bytes({0x0F});
    c.CorteTotal              = bytes({0x1D, 0x56, 0x00});
    c.EspacoLinhas            = bytes({0x1B, 0x33});
    c.LigaExpandido           = bytes({0x1D, 0x21, 0x10});
    c.DesligaCondensado       = bytes({0x12});
    c.DesligaExpandido        = bytes({0x1D, 0x21, 0x00});
    c.DesligaItalico          = "";
    c.DesligaNegrito          = bytes({0x1B, 0x45, 0x00});
    c.DesligaSublinhado       = bytes({0x1B, 0x2D, 0x00});
    c.FonteA                  = bytes({0x1B, 0x4D, 0x00});
    c.FonteB                  = bytes({0x1B, 0x4D, 0x01});
    c.LigaItalico             = "";
    c.LigaModoPagina          = bytes({0x1B, 0x4C});
    c.LigaNegrito             = bytes({0x1B, 0x45, 0x01});
    c.LigaSublinhado          = bytes({0x1B, 0x2D, 0x01});
    c.PuloDeLinha             = bytes({0x0A});
    c.PuloDePagina            = bytes({0x0C});
    c.Zera                    = bytes({0x1B, 0x40});
    // clang-format on
    RazaoColunaFonte() = {0.75, 2.0};
    TagsNaoSuportadasMut() = {"<msi>", "<i>", "</i>"};
}

std::string TQuibEscPosEpson::ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar)
{
    TQuibPosEstadoFonte estado = Config().EstadoFonte;
    if (ligar)
        estado.Incluir(atributo);
    else
        estado.Excluir(atributo);
    if (atributo == afInvertido || atributo == afItalico || atributo == afFonteB || atributo == afNormal)
        return TQuibPosPrinterClass::ComandoFonte(atributo, ligar);

    int n = 0;
    // clang-format off
    if (estado.Contem(afCondensado))  n |= 0x01;
    if (estado.Contem(afNegrito))     n |= 0x08;
    if (estado.Contem(afAlturaDupla)) n |= 0x10;
    if (estado.Contem(afExpandido))   n |= 0x20;
    if (estado.Contem(afSublinhado))  n |= 0x80;
    // clang-format on
    std::string result = bytes({0x1B, 0x21, n});
    if (estado.Contem(afInvertido))
        result += Comandos().LigaInvertido;
    if (estado.Contem(afItalico))
        result += Comandos().LigaItalico;
    return result;
}

std::string TQuibEscPosEpson::ComandoPaginaDeCodigo(TQuibPosPaginaCodigo pagina)
{
    switch (pagina) {
    case pc437:
        return bytes({0x1B, 0x74, 0});
    case pc850:
        return bytes({0x1B, 0x74, 2});
    case pc852:
        return bytes({0x1B, 0x74, 18});
    case pc860:
        return bytes({0x1B, 0x74, 3});
    case pc1252:
        return bytes({0x1B, 0x74, 16});
    case pcNone:
    case pcUTF8:
        break;
    }
    return {};
}

std::string TQuibEscPosEpson::ComandoGaveta(int gaveta)
{
    const TQuibConfigGaveta &g = Config().ConfigGaveta;
    return bytes({0x1B, 0x70, gaveta > 1 ? 1 : 0, g.TempoON, g.TempoOFF});
}

std::string TQuibEscPosEpson::ComandoCodigoBarras(const std::string &tag, const std::string &content)
{
    const TQuibECFConfigBarras &b = Config().ConfigBarras;
    return ComandoCodigoBarrasEscPos(tag, content, b.MostrarCodigo, b.LarguraLinha, b.Altura);
}

std::string TQuibEscPosEpson::ComandoCodigoBarrasEscPos(const std::string &tag, const std::string &content,
                                                        bool mostrarCodigo, int larguraLinha, int altura)
{
    const int m = simbologia(tag);
    if (m == 0)
        return content;

    std::string data = tag == "<code128c>" ? code128CDados(content) : content;
    if (m == 'I' && (data.empty() || data.front() != '{')) {
        const char set = tag == "<code128a>" ? 'A' : tag == "<code128c>" ? 'C' : 'B';
        data = std::string{'{', set} + data;
    }
    if (data.size() > kMaxDadosCodigoBarras)
        data.resize(kMaxDadosCodigoBarras);

    const int w = larguraLinha == 0 ? 2 : std::clamp(larguraLinha, 1, 4);
    const int h = altura == 0 ? 50 : std::clamp(altura, 1, 255);
    const int p = mostrarCodigo ? 2 : 0;
    return bytes(
               {0x1D, 0x77, w, 0x1D, 0x68, h, 0x1D, 0x48, p, 0x1D, 0x6B, m, static_cast<int>(data.size())}) +
           data;
}

std::string TQuibEscPosEpson::ComandoCodigoBarrasEscPosSemPrefixo(const std::string &tag,
                                                                  const std::string &content,
                                                                  bool mostrarCodigo, int larguraLinha,
                                                                  int altura)
{
    const bool code128 = tag.starts_with("<code128");
    std::string result =
        ComandoCodigoBarrasEscPos(code128 ? "<code128>" : tag, content, mostrarCodigo, larguraLinha, altura);
    // The GS k header is 13 bytes: GS w, GS h, GS H and GS k m n.
    constexpr std::size_t kCabecalho = 13;
    if (!code128 || result.size() < kCabecalho + 2 || result[kCabecalho] != '{')
        return result;
    result.erase(kCabecalho, 2);
    result[kCabecalho - 1] = static_cast<char>(result.size() - kCabecalho);
    return result;
}

std::string TQuibEscPosEpson::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    const std::string data = content.substr(0, 0xFFFF - 3);
    return bytes({0x1D, 0x28, 0x6B, 0x04, 0x00, 0x31, 0x41, '0' + q.Tipo(), 0x00}) +
           bytes({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x43, q.LarguraModulo()}) +
           bytes({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x45, '0' + q.ErrorLevel()}) +
           bytes({0x1D, 0x28, 0x6B}) + le2(static_cast<int>(data.size()) + 3) + bytes({0x31, 0x50, 0x30}) +
           data + bytes({0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x51, 0x30});
}

std::string TQuibEscPosEpson::ComandoConfigurarModoPagina()
{
    const TQuibConfigModoPagina &mp = Config().ConfigModoPagina;
    int d = 0;
    switch (mp.Direcao) {
    case dirTopoParaBaixo:
        d = 3;
        break;
    case dirDireitaParaEsquerda:
        d = 2;
        break;
    case dirBaixoParaTopo:
        d = 1;
        break;
    case dirEsquerdaParaDireita:
        break;
    }
    return bytes({0x1B, 0x54, d}) + ComandoEspacoEntreLinhas(mp.EspacoEntreLinhas) + bytes({0x1B, 0x57}) +
           le2(mp.Esquerda) + le2(mp.Topo) + le2(mp.Largura) + le2(mp.Altura);
}

std::string TQuibEscPosEpson::ComandoPosicaoModoPagina(TQuibPosPonto ponto)
{
    return bytes({0x1B, 0x24}) + le2(ponto.X) + bytes({0x1D, 0x24}) + le2(ponto.Y);
}

std::string TQuibEscPosEpson::ComandoEsperaCheque(std::uint8_t espera) const
{
    return bytes({0x1B, 0x3D, 0x01, 0x1B, 0x66, 0x00, (espera * 10) & 0xFF, 0x1B, 0x4A, 0x00});
}

std::string TQuibEscPosEpson::ComandoIniciarCheque(bool lerMICR, std::uint8_t espera)
{
    return (lerMICR ? ComandoLerMICR(0) : ComandoEsperaCheque(espera)) +
           bytes({0x1D, 0x28, 0x47, 0x02, 0x00, 0x30, 0x04, 0x1D, 0x28, 0x47, 0x02, 0x00, 0x54, 0x01});
}

std::string TQuibEscPosEpson::ComandoFinalizarCheque()
{
    return bytes({0x10, 0x05, 0x03, 0x18}) + Comandos().DesligaModoPagina + bytes({0x1C, 0x61, 0x32}) +
           Comandos().PuloDePagina;
}

std::string TQuibEscPosEpson::ComandoLerMICR(std::uint8_t espera)
{
    return ComandoEsperaCheque(espera) +
           bytes({0x1C, 0x28, 0x66, 0x08, 0x00, 0x00, 0xFF, 0x01, 0x01, 0x02, 0x01, 0x03, 0x00}) +
           bytes({0x1C, 0x61, 0x30, 0x01});
}

int TQuibEscPosEpson::KeyCodeParaNumero(int keyCode)
{
    return keyCode >= '0' && keyCode <= '9' ? keyCode - '0' : keyCode;
}

void TQuibEscPosEpson::VerificarKeyCodes()
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode1 < 32 || l.KeyCode1 > 126)
        throw EPosPrinterException("KeyCode1 deve estar entre 32 a 126");
    if (l.KeyCode2 < 32 || l.KeyCode2 > 126)
        throw EPosPrinterException("KeyCode2 deve estar entre 32 a 126");
}

std::string TQuibEscPosEpson::ComandoGraficoEscPos(const std::string &block)
{
    if (block.size() > 0xFFFF)
        return bytes({0x1D, 0x38, 0x4C}) + le4(block.size()) + block;
    return bytes({0x1D, 0x28, 0x4C}) + le2(static_cast<int>(block.size())) + block;
}

std::string TQuibEscPosEpson::ComandoImprimirLogo()
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode2 != 0) {
        VerificarKeyCodes();
        return bytes({0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, l.KeyCode1, l.KeyCode2, l.FatorX, l.FatorY});
    }
    const int m = (l.FatorX > 1 ? 1 : 0) + (l.FatorY > 1 ? 2 : 0);
    return bytes({0x1C, 0x70, KeyCodeParaNumero(l.KeyCode1) & 0xFF, m});
}

std::string TQuibEscPosEpson::ComandoGravarLogoRasterStr(const std::string &raster, int width, int height)
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode2 == 0)
        return ComandoGravarLogoLegado(raster, width, height, KeyCodeParaNumero(l.KeyCode1));
    VerificarKeyCodes();
    return ComandoGraficoEscPos(bytes({0x30, 0x43, 0x30, l.KeyCode1, l.KeyCode2, 0x01}) + le2(width) +
                                le2(height) + bytes({0x31}) + raster);
}

std::string TQuibEscPosEpson::ComandoGravarLogoLegado(const std::string &raster, int width, int height,
                                                      int key)
{
    if (key != 1)
        throw EPosPrinterException(
            "QuibPosPrinter gravando Logo em modo Legado (FS q), somente aceita a posição \"1\"");
    // FS q counts the width in 8-dot units and takes one band as tall as the
    // picture: ceil(height / 8) bytes for each of width × 8 columns.
    const int larguraBytes = (width + 7) / 8;
    const int c = (height + 7) / 8;
    std::vector<std::string> columns;
    RasterParaColunas(rasterEmFaixasInteiras(raster, width, height, 8 * c), width, columns, c);
    std::string data = columns.empty() ? std::string() : columns.front();
    data.resize(static_cast<std::size_t>(larguraBytes) * 8 * static_cast<std::size_t>(c), '\0');
    return bytes({0x1C, 0x71, 0x01}) + le2(larguraBytes) + le2(c) + data;
}

std::string TQuibEscPosEpson::ComandoApagarLogo()
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode2 == 0)
        return ComandoGravarLogoLegado(std::string(1, '\0'), 1, 1, KeyCodeParaNumero(l.KeyCode1));
    VerificarKeyCodes();
    return bytes({0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, l.KeyCode1, l.KeyCode2});
}

std::string TQuibEscPosEpson::ComandoImagemRaster(const std::string &raster, int width, int height)
{
    if (Config().ConfigLogo.KeyCode2 == 0)
        return ComandoImagemColunasEscPos(raster, width, height, true);
    return ComandoGraficoEscPos(bytes({0x30, 0x70, 0x30, 0x01, 0x01, 0x31}) + le2(width) + le2(height) +
                                raster) +
           bytes({0x1D, 0x28, 0x4C, 0x02, 0x00, 0x30, 0x32});
}

std::string TQuibEscPosEpson::ComandoImagemColunasEscPos(const std::string &raster, int width, int height,
                                                         bool pularLinha) const
{
    constexpr int kFaixa = 24;
    std::string result = ComandoEspacoEntreLinhas(16);
    if (width > 0 && height > 0) {
        // Each band carries 3 bytes for every column of the byte-rounded
        // width, and a short last band is filled with blank rows, so the
        // declared width is the padded one: a surplus column would be read
        // by the printer as text.
        const int larguraPadded = (width + 7) / 8 * 8;
        std::vector<std::string> bands;
        RasterParaColunas(rasterEmFaixasInteiras(raster, width, height, kFaixa), width, bands, kFaixa / 8);
        for (const std::string &band : bands) {
            result += bytes({0x1B, 0x2A, 0x21}) + le2(larguraPadded) + band;
            if (pularLinha)
                result += Comandos().PuloDeLinha;
        }
    }
    return result + ComandoEspacoEntreLinhas(Config().EspacoEntreLinhas);
}
