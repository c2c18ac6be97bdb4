#include "printing/posprinter/pos_printer_class.h"

#include <stdexcept>
#include <vector>

#include "foundation/text/text_utils.h"
#include "printing/device/raster_image.h"
#include "printing/posprinter/detail/command_bytes.h"
#include "printing/posprinter/detail/raster_bands.h"

using namespace pos_bytes;

void TQuibPosPrinterClass::PreProcessarTexto(std::string &) {}
void TQuibPosPrinterClass::ProcessarTrecho(const std::string &) {}
void TQuibPosPrinterClass::PosProcessarTexto(std::string &) {}

bool TQuibPosPrinterClass::TraduzirTagModelo(const std::string &, std::string &)
{
    return false;
}

bool TQuibPosPrinterClass::TraduzirTagBlocoModelo(const std::string &, const std::string &, std::string &)
{
    return false;
}

std::string TQuibPosPrinterClass::ComandoCodigoBarras(const std::string &, const std::string &content)
{
    return content;
}

std::string TQuibPosPrinterClass::ComandoQRCode(const std::string &content)
{
    return content;
}

std::string TQuibPosPrinterClass::ComandoEspacoEntreLinhas(std::uint8_t n) const
{
    if (n == 0)
        return comandos_.EspacoEntreLinhasPadrao;
    if (comandos_.EspacoLinhas.empty())
        return {};
    return comandos_.EspacoLinhas + static_cast<char>(n);
}

std::string TQuibPosPrinterClass::ComandoPaginaDeCodigo(TQuibPosPaginaCodigo)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoGaveta(int)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoInicializa()
{
    return ComandoEspacoEntreLinhas(Config().EspacoEntreLinhas) +
           ComandoPaginaDeCodigo(Config().PaginaDeCodigo);
}

std::string TQuibPosPrinterClass::ComandoPularLinhas(int n) const
{
    std::string result;
    for (int i = 0; i < n; ++i)
        result += ' ' + comandos_.PuloDeLinha;
    return result;
}

std::string TQuibPosPrinterClass::ComandoFonte(TQuibPosAtributoFonte atributo, bool ligar)
{
    const TQuibPosComandos &c = comandos_;
    switch (atributo) {
    case afCondensado:
        return ligar ? c.LigaCondensado : c.DesligaCondensado;
    case afExpandido:
        return ligar ? c.LigaExpandido : c.DesligaExpandido;
    case afNegrito:
        return ligar ? c.LigaNegrito : c.DesligaNegrito;
    case afSublinhado:
        return ligar ? c.LigaSublinhado : c.DesligaSublinhado;
    case afInvertido:
        return ligar ? c.LigaInvertido : c.DesligaInvertido;
    case afItalico:
        return ligar ? c.LigaItalico : c.DesligaItalico;
    case afFonteB:
        return ligar ? c.FonteB : c.FonteA;
    case afAlturaDupla:
        return ligar ? c.LigaAlturaDupla : c.DesligaAlturaDupla;
    case afNormal:
        break;
    }
    return {};
}

std::string TQuibPosPrinterClass::ComandoConfigurarModoPagina()
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoPosicaoModoPagina(TQuibPosPonto)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoIniciarCheque(bool, std::uint8_t)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoFinalizarCheque()
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoLerMICR(std::uint8_t)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoImagemRaster(const std::string &, int, int)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoImagemColunasEscPos(const std::string &raster, int width, int height,
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
                result += comandos_.PuloDeLinha;
        }
    }
    return result + ComandoEspacoEntreLinhas(Config().EspacoEntreLinhas);
}

std::string TQuibPosPrinterClass::ComandoImprimirLogo()
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoGravarLogoRasterStr(const std::string &, int, int)
{
    return {};
}

std::string TQuibPosPrinterClass::ComandoApagarLogo()
{
    return {};
}

void TQuibPosPrinterClass::AdicionarInfo(const std::string &nome, std::string_view valor)
{
    valor = trimText(valor);
    if (!valor.empty() && (valor.front() == ':' || valor.front() == '_'))
        valor = trimText(valor.substr(1));
    if (valor.empty())
        return;
    guardarInfo(nome, std::string(valor));
}

void TQuibPosPrinterClass::AdicionarInfoBool(const std::string &nome, bool valor)
{
    guardarInfo(nome, valor ? "1" : "0");
}

void TQuibPosPrinterClass::guardarInfo(const std::string &nome, std::string valor)
{
    if (info_.find(nome) == info_.end())
        ordemInfo_.push_back(nome);
    info_[nome] = std::move(valor);
}

void TQuibPosPrinterClass::LimparInfo()
{
    info_.clear();
    ordemInfo_.clear();
}

std::string TQuibPosPrinterClass::InfoTexto() const
{
    std::string texto;
    for (const auto &nome : ordemInfo_)
        texto += nome + "=" + info_.at(nome) + "\n";
    return texto;
}

void TQuibPosPrinterClass::AposAtivar() {}

void TQuibPosPrinterClass::LerStatus(TQuibPosPrinterStatus &) {}

std::string TQuibPosPrinterClass::LerInfo()
{
    return {};
}

TQuibPosLeitor &TQuibPosPrinterClass::Leitor() const
{
    if (leitor_ == nullptr)
        throw std::logic_error("model writer without a component to read through");
    return *leitor_;
}
