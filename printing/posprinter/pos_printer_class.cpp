#include "printing/posprinter/pos_printer_class.h"

#include "foundation/text/text_utils.h"

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
    info_[nome] = std::string(valor);
}

void TQuibPosPrinterClass::AdicionarInfoBool(const std::string &nome, bool valor)
{
    info_[nome] = valor ? "1" : "0";
}
