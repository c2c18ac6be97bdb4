#include "printing/posprinter/escpos_epson.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <optional>
#include <vector>

#include "printing/device/raster_image.h"
#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/detail/raster_bands.h"

using namespace pos_bytes;

namespace {

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

constexpr std::size_t kMaxDadosCodigoBarras = 255;

// ESC ! takes the condensed font as font B; italic has a command of its own.
constexpr TQuibEscPosEpson::BitsFonte kBitsFonteEpson{0x01, 0x00, 0x00};

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
    if (atributo == afInvertido || atributo == afItalico || atributo == afFonteB || atributo == afNormal)
        return TQuibPosPrinterClass::ComandoFonte(atributo, ligar);

    return ComandoFonteEscBang(atributo, ligar, kBitsFonteEpson);
}

std::string TQuibEscPosEpson::ComandoFonteEscBang(TQuibPosAtributoFonte atributo, bool ligar,
                                                  const BitsFonte &bits) const
{
    TQuibPosEstadoFonte estado = Config().EstadoFonte;
    if (ligar)
        estado.Incluir(atributo);
    else
        estado.Excluir(atributo);
    int n = 0;
    // clang-format off
    if (estado.Contem(afCondensado))  n |= bits.Condensado;
    if (estado.Contem(afFonteB))      n |= bits.FonteB;
    if (estado.Contem(afNegrito))     n |= 0x08;
    if (estado.Contem(afAlturaDupla)) n |= 0x10;
    if (estado.Contem(afExpandido))   n |= 0x20;
    if (estado.Contem(afItalico))     n |= bits.Italico;
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

namespace {

// GS w, GS h, GS H and GS k m n with the data, cut to the 255 bytes its
// length byte can count.
std::string comandoGSk(int m, std::string data, bool mostrarCodigo, int larguraLinha, int altura)
{
    if (data.size() > kMaxDadosCodigoBarras)
        data.resize(kMaxDadosCodigoBarras);
    const int w = larguraLinha == 0 ? 2 : std::clamp(larguraLinha, 1, 4);
    const int h = altura == 0 ? 50 : std::clamp(altura, 1, 255);
    const int p = mostrarCodigo ? 2 : 0;
    return bytes(
               {0x1D, 0x77, w, 0x1D, 0x68, h, 0x1D, 0x48, p, 0x1D, 0x6B, m, static_cast<int>(data.size())}) +
           data;
}

} // namespace

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
    return comandoGSk(m, std::move(data), mostrarCodigo, larguraLinha, altura);
}

std::string TQuibEscPosEpson::ComandoCodigoBarrasEscPosSemPrefixo(const std::string &tag,
                                                                  const std::string &content,
                                                                  bool mostrarCodigo, int larguraLinha,
                                                                  int altura)
{
    if (!tag.starts_with("<code128"))
        return ComandoCodigoBarrasEscPos(tag, content, mostrarCodigo, larguraLinha, altura);
    // The caller's own code set ("{A") goes too; what remains may fill the
    // whole length byte.
    std::string data = content;
    if (!data.empty() && data.front() == '{')
        data.erase(0, 2);
    return comandoGSk('I', std::move(data), mostrarCodigo, larguraLinha, altura);
}

std::string TQuibEscPosEpson::ComandoQRCode(const std::string &content)
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    return ComandoQRCodeFuncoes(bytes({0x1D, 0x28, 0x6B}), bytes({0x31, 0x41, '0' + q.Tipo(), 0x00}),
                                content);
}

std::string TQuibEscPosEpson::ComandoQRCodeFuncoes(const std::string &prefixo, const std::string &primeira,
                                                   const std::string &content) const
{
    const TQuibConfigQRCode &q = Config().ConfigQRCode;
    return comTamanho(prefixo, primeira) + comTamanho(prefixo, bytes({0x31, 0x43, q.LarguraModulo()})) +
           comTamanho(prefixo, bytes({0x31, 0x45, '0' + q.ErrorLevel()})) +
           comTamanho(prefixo, bytes({0x31, 0x50, 0x30}) + content.substr(0, 0xFFFF - 3)) +
           comTamanho(prefixo, bytes({0x31, 0x51, 0x30}));
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

void TQuibEscPosEpson::ExigirKeyCodesLegado(const std::string &marca) const
{
    const TQuibConfigLogo &l = Config().ConfigLogo;
    if (l.KeyCode1 != 1 || l.KeyCode2 != 0)
        throw EPosPrinterException(marca + " apenas aceitas KeyCode1=1, KeyCode2=0");
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

namespace {

// One status query; the answer byte, or nothing when the printer sent none.
std::optional<char> consultarStatus(TQuibPosLeitor &leitor, const std::string &comando)
{
    const std::string resposta = leitor.TxRx(comando, 1, false, 0);
    if (resposta.empty())
        return std::nullopt;
    return resposta.front();
}

} // namespace

void TQuibEscPosEpson::LerStatus(TQuibPosPrinterStatus &status)
{
    try {
        TQuibPosLeitor &leitor = Leitor();
        leitor.DefinirAtivo(true);
        if (auto b = consultarStatus(leitor, bytes({0x10, 0x04, 0x01}))) {
            if (!bitLigado(*b, 2))
                status.Incluir(stGavetaAberta);
            if (bitLigado(*b, 3))
                status.Incluir(stOffLine);
            if (bitLigado(*b, 5))
                status.Incluir(stErro);
            if (bitLigado(*b, 6))
                status.Incluir(stImprimindo);
        }
        if (auto b = consultarStatus(leitor, bytes({0x10, 0x04, 0x02}))) {
            if (bitLigado(*b, 2))
                status.Incluir(stTampaAberta);
            if (bitLigado(*b, 3))
                status.Incluir(stImprimindo);
            if (bitLigado(*b, 5))
                status.Incluir(stSemPapel);
            if (bitLigado(*b, 6))
                status.Incluir(stErro);
        }
        if (auto b = consultarStatus(leitor, bytes({0x10, 0x04, 0x04}))) {
            if (bitLigado(*b, 2) && bitLigado(*b, 3))
                status.Incluir(stPoucoPapel);
            if (bitLigado(*b, 5) && bitLigado(*b, 6))
                status.Incluir(stSemPapel);
        }
        if (leitor.CapacidadeCheque() != 1)
            return;
        const auto estacao = [&status](char b, TQuibPosTipoStatus ausente) {
            if (!bitLigado(b, 2))
                status.Incluir(ausente);
            if (bitLigado(b, 3))
                status.Incluir(stAguardandoSlip);
            if (!bitLigado(b, 5))
                status.Incluir(stTOF);
            if (!bitLigado(b, 6))
                status.Incluir(stBOF);
        };
        if (auto b = consultarStatus(leitor, bytes({0x10, 0x04, 0x05})))
            estacao(*b, stSlip);
        if (auto b = consultarStatus(leitor, bytes({0x10, 0x04, 0x08, 0x01})))
            estacao(*b, stMICR);
    } catch (const std::exception &) {
        status.Incluir(stErroLeitura);
    }
}

bool TQuibEscPosEpson::LerIdentificacaoGSI()
{
    TQuibPosLeitor &leitor = Leitor();
    const auto consultaTexto = [&leitor](char funcao) {
        return leitor.TxRx(bytes({0x1D, 0x49, funcao}), 0, true, 0);
    };
    const std::string firmware = consultaTexto('A');
    if (firmware.empty())
        return false;
    AdicionarInfo("Firmware", firmware);
    AdicionarInfo("Fabricante", consultaTexto('B'));
    AdicionarInfo("Modelo", consultaTexto('C'));
    AdicionarInfo("Serial", consultaTexto('D'));
    return true;
}

std::string TQuibEscPosEpson::LerInfo()
{
    LimparInfo();
    TQuibPosLeitor &leitor = Leitor();
    const auto consultaTexto = [&leitor](char funcao) {
        return leitor.TxRx(bytes({0x1D, 0x49, static_cast<unsigned char>(funcao)}), 0, true, 0);
    };
    AdicionarInfo("Fabricante", consultaTexto('B'));
    AdicionarInfo("Firmware", consultaTexto('A'));
    AdicionarInfo("Modelo", consultaTexto('C'));

    std::string serial;
    try {
        serial = consultaTexto('D');
    } catch (const std::exception &) {
        serial.clear();
    }
    if (serial.empty()) {
        try {
            serial = leitor.TxRx(bytes({0x1D, 0x49, 0x44}), 0, false, 0);
        } catch (const std::exception &) {
            serial.clear();
        }
    }
    AdicionarInfo("Serial", serial);

    const std::string capacidades = leitor.TxRx(bytes({0x1D, 0x49, 0x32}), 1, false, 0);
    if (!capacidades.empty()) {
        const char b = capacidades.front();
        AdicionarInfoBool("Guilhotina", bitLigado(b, 1));
        AdicionarInfoBool("Cheque", bitLigado(b, 3));
        AdicionarInfoBool(" MICR", bitLigado(b, 3));
        AdicionarInfoBool("Autenticacao", bitLigado(b, 6));
    }
    return InfoTexto();
}
