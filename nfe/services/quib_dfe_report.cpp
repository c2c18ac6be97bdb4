#include "nfe/services/quib_dfe_report.h"

#include <algorithm>

#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

// A stored path may be a Windows one ("C:\PDF"): its own separator is kept.
char separadorDe(std::string_view caminho)
{
    return caminho.find('\\') != std::string_view::npos && caminho.find('/') == std::string_view::npos ? '\\'
                                                                                                       : '/';
}

std::string comSeparadorFinal(std::string_view caminho)
{
    std::string resultado(caminho);
    if (!resultado.empty() && resultado.back() != '/' && resultado.back() != '\\')
        resultado += separadorDe(caminho);
    return resultado;
}

// Position just after the last separator (0 when there is none).
std::size_t inicioDoNome(std::string_view caminho)
{
    const std::size_t barra = caminho.find_last_of("/\\");
    return barra == std::string_view::npos ? 0 : barra + 1;
}

bool temExtensao(std::string_view caminho)
{
    const std::string_view nome = caminho.substr(inicioDoNome(caminho));
    const std::size_t ponto = nome.rfind('.');
    return ponto != std::string_view::npos && ponto > 0 && ponto + 1 < nome.size();
}

} // namespace

void TCasasDecimais::SetqCom(int value)
{
    qCom_ = std::clamp(value, 0, 4);
}

void TCasasDecimais::SetvUnCom(int value)
{
    vUnCom_ = std::clamp(value, 0, 10);
}

void TQuibDFeReport::SetNumCopias(int value)
{
    if (value >= 0)
        numCopias_ = value;
}

void TQuibDFeReport::SetNomeDocumento(std::string_view value)
{
    if (value == nomeDocumento_)
        return;
    const std::string_view texto = trimText(value);
    if (texto.empty())
        return;
    const std::size_t inicio = inicioDoNome(texto);
    if (inicio > 0)
        pathPDF_ = comSeparadorFinal(texto.substr(0, inicio));
    std::string nome(texto.substr(inicio));
    if (!nome.empty() && !temExtensao(nome))
        nome += ".pdf";
    nomeDocumento_ = nome;
}

void TQuibDFeReport::SetPathPDF(std::string_view value)
{
    if (value == pathPDF_)
        return;
    const std::string_view texto = trimText(value);
    if (texto.empty())
        return;
    std::string_view pasta = texto;
    if (temExtensao(texto)) {
        const std::size_t inicio = inicioDoNome(texto);
        SetNomeDocumento(texto.substr(inicio));
        pasta = texto.substr(0, inicio);
    }
    if (!pasta.empty())
        pathPDF_ = comSeparadorFinal(pasta);
}

std::string TQuibDFeReport::PathPDF()
{
    std::string caminho(trimText(pathPDF_));
    if (caminho.empty())
        caminho = PastaDoPrograma() + "pdf/";
    if (UsaSeparadorPathPDF)
        caminho = comSeparadorFinal(MontarPathPDF(caminho));
    return caminho;
}

std::string TQuibDFeReport::MontarPathPDF(std::string_view path)
{
    return std::string(path);
}

std::string TQuibDFeReport::FormatarQtdeItem(Decimal value, bool forcarDecimais) const
{
    const Decimal fracao = value - value.truncated(0);
    if (fracao > Decimal() || forcarDecimais) {
        if (casasDecimais_.Formato == tdetMascara)
            return FormataNumeroBrasil(value, casasDecimais_.MaskqCom);
        return FormataNumeroBrasil(value,
                                   MascaraDecimais(static_cast<std::int16_t>(casasDecimais_.qCom()), true));
    }
    std::string texto = value.toString();
    std::replace(texto.begin(), texto.end(), '.', ',');
    return texto;
}

std::string TQuibDFeReport::FormatarVlrUnit(double value) const
{
    if (casasDecimais_.Formato == tdetMascara)
        return FormataNumeroBrasil(value, casasDecimais_.MaskvUnCom);
    return FormataNumeroBrasil(value,
                               MascaraDecimais(static_cast<std::int16_t>(casasDecimais_.vUnCom()), true));
}
