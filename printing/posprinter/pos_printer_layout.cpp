#include <algorithm>
#include <cmath>

#include "foundation/text/text_utils.h"
#include "printing/posprinter/pos_printer.h"

namespace {

// Length of a text in printed characters: bytes on a single-byte page, code
// points on UTF-8.
std::size_t comprimento(std::string_view texto, bool utf8)
{
    if (!utf8)
        return texto.size();
    return static_cast<std::size_t>(std::count_if(
        texto.begin(), texto.end(), [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; }));
}

// The first `n` printed characters, never cutting inside a UTF-8 sequence.
std::string_view inicio(std::string_view texto, std::size_t n, bool utf8)
{
    if (!utf8)
        return texto.substr(0, n);
    std::size_t contados = 0;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if ((static_cast<unsigned char>(texto[i]) & 0xC0) != 0x80) {
            if (contados == n)
                return texto.substr(0, i);
            ++contados;
        }
    }
    return texto;
}

int paginaWindows(TQuibPosPaginaCodigo pagina)
{
    switch (pagina) {
    case pc437:
        return 437;
    case pc850:
        return 850;
    case pc852:
        return 852;
    case pc860:
        return 860;
    case pc1252:
        return 1252;
    case pcUTF8:
    case pcNone:
        break;
    }
    return 65001;
}

std::string somenteDe(std::string_view texto, std::string_view permitidos)
{
    std::string result;
    for (char ch : texto)
        if (permitidos.find(ch) != std::string_view::npos)
            result.push_back(ch);
    return result;
}

// Digits only, left-padded with "0" to `n` or cut to the first `n`.
std::string digitosFixos(std::string_view texto, std::size_t n)
{
    std::string d = SomenteDigitos(texto);
    if (d.size() < n)
        d.insert(0, n - d.size(), '0');
    d.resize(n);
    return d;
}

} // namespace

int TQuibPosPrinter::ColunasCondensadas() const
{
    return static_cast<int>(std::trunc(ColunasFonteNormal / modelo_atual_->RazaoColunaFonte().Condensada));
}

int TQuibPosPrinter::ColunasExpandidas() const
{
    return static_cast<int>(std::trunc(ColunasFonteNormal / modelo_atual_->RazaoColunaFonte().Expandida));
}

int TQuibPosPrinter::Colunas() const
{
    if (config_.EstadoFonte.Contem(afCondensado))
        return ColunasCondensadas();
    if (config_.EstadoFonte.Contem(afExpandido))
        return ColunasExpandidas();
    return ColunasFonteNormal;
}

int TQuibPosPrinter::AlturaLinhasEmPontos(int linhas) const
{
    const int espaco = config_.EspacoEntreLinhas == 0 ? 60 : config_.EspacoEntreLinhas;
    return linhas * (espaco + 2);
}

int TQuibPosPrinter::AlturaQRCode(std::string_view texto)
{
    // Alphanumeric capacity at level M of versions 1 to 15.
    static constexpr int kCapacidades[] = {20,  38,  61,  90,  122, 154, 178, 221,
                                           262, 311, 366, 419, 483, 528, 600};
    const auto tamanho = static_cast<int>(texto.size());
    for (int v = 0; v < static_cast<int>(std::size(kCapacidades)); ++v)
        if (tamanho < kCapacidades[v])
            return (21 + 4 * v + 10) * 8;
    throw EPosPrinterException("QRCode muito grande");
}

std::string TQuibPosPrinter::ConfigurarRegiaoModoPagina(int esquerda, int topo, int altura, int largura,
                                                        int direcao) const
{
    auto tag = [](std::string_view abre, int valor) {
        std::string fecha(abre);
        fecha.insert(1, "/");
        return std::string(abre) + std::to_string(valor) + fecha;
    };
    return tag("<mp_direcao>", direcao) + tag("<mp_esquerda>", esquerda) + tag("<mp_topo>", topo) +
           tag("<mp_altura>", altura) + tag("<mp_largura>", largura) +
           tag("<mp_espaco>", config_.EspacoEntreLinhas) + "</mp_configurar>";
}

std::string TQuibPosPrinter::AjustarCodigoBarras(std::string_view conteudo, std::string_view tag)
{
    std::string result;
    if (tag == "<upca>")
        result = digitosFixos(conteudo, 11);
    else if (tag == "<ean13>")
        result = digitosFixos(conteudo, 12);
    else if (tag == "<ean8>")
        result = digitosFixos(conteudo, 7);
    else if (tag == "<code39>")
        result = somenteDe(conteudo, " $%*+-./0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    else if (tag == "<code93>")
        std::copy_if(conteudo.begin(), conteudo.end(), std::back_inserter(result),
                     [](char ch) { return static_cast<unsigned char>(ch) < 128; });
    else if (tag == "<inter>") {
        result = SomenteDigitos(conteudo);
        if (result.size() % 2 != 0)
            result.insert(result.begin(), '0');
    } else if (tag == "<upce>" || tag == "<code128c>" || tag == "<std>" || tag == "<code11>" ||
               tag == "<msi>")
        result = SomenteDigitos(conteudo);
    else if (tag == "<codabar>")
        result = somenteDe(conteudo, "$+-./0123456789:ABCDabcd");
    else
        result = conteudo;
    if (result.size() > 255)
        result.resize(255);
    return result;
}

std::string TQuibPosPrinter::Alinhar(const std::string &tag, const std::string &conteudo) const
{
    const bool utf8 = config_.PaginaDeCodigo == pcUTF8;
    const auto colunas = static_cast<std::size_t>(std::max(Colunas(), 0));
    const std::size_t n = comprimento(conteudo, utf8);
    if (n >= colunas)
        return std::string(inicio(conteudo, colunas, utf8));
    const std::size_t falta = colunas - n;
    if (tag == "<ae>")
        return conteudo + std::string(falta, ' ');
    if (tag == "<ad>")
        return std::string(falta, ' ') + conteudo;
    const std::size_t esquerda = falta / 2;
    return std::string(esquerda, ' ') + conteudo + std::string(falta - esquerda, ' ');
}

std::string TQuibPosPrinter::CodificarPaginaDeCodigo(std::string_view texto) const
{
    if (config_.PaginaDeCodigo == pcNone)
        return RemoveAcentos(texto);
    if (config_.PaginaDeCodigo == pcUTF8)
        return std::string(texto);
    std::unique_ptr<ConversorPaginaCodigo> &conversor = conversores_[config_.PaginaDeCodigo];
    if (!conversor)
        conversor = std::make_unique<ConversorPaginaCodigo>(paginaWindows(config_.PaginaDeCodigo));
    return conversor->Converter(texto);
}
