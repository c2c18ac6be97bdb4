// TGerador::EscreveCampo: the text of a value by its kind, the field checks
// and the element.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "foundation/xml/detail/tag_texto.h"
#include "foundation/xml/gerador.h"

namespace {

constexpr std::string_view kNenhumValor = "Nenhum valor informado";
constexpr std::string_view kTamanhoMenor = "Tamanho menor que o mínimo permitido";
constexpr std::string_view kTamanhoMaior = "Tamanho maior que o máximo permitido";
constexpr std::string_view kConteudoInvalido = "Conteúdo inválido";
constexpr std::string_view kCasasDecimais = "Numero máximo de casas decimais permitidas ";

// The text of a value by its kind, whether it counts as empty, and the alerts
// the kind raises on its own.
struct TextoDoCampo {
    std::string texto;
    bool vazio = false;
    bool semRegra = false;
    std::vector<std::string> alertas;
};

// Left-padded with "0" to `width` characters; a leading "-" stays in front.
std::string completaComZeros(std::string texto, int width)
{
    const int falta = width - static_cast<int>(utf8Length(texto));
    if (falta <= 0)
        return texto;
    const std::size_t inicio = !texto.empty() && texto.front() == '-' ? 1 : 0;
    texto.insert(inicio, static_cast<std::size_t>(falta), '0');
    return texto;
}

// The value's text without blanks at the ends; a text value is trimmed in
// place rather than copied whole first.
std::string textoAparado(const TValorCampo &valor)
{
    if (const std::string *texto = std::get_if<std::string>(&valor))
        return std::string(trimText(*texto));
    return std::string(trimText(textoDoValor(valor)));
}

template <typename Int> std::optional<Int> leInteiro(std::string_view texto)
{
    texto = trimText(texto);
    if (!texto.empty() && texto.front() == '+')
        texto.remove_prefix(1);
    Int valor{};
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), valor);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        return std::nullopt;
    return valor;
}

std::string doisDigitos(int valor)
{
    return InteiroComZeros(valor, 2);
}

std::string textoDeData(TTipoValorCampo tipo, const DateTimeParts &p)
{
    const std::string ano = InteiroComZeros(p.year, 4);
    const std::string mes = doisDigitos(p.month);
    const std::string dia = doisDigitos(p.day);
    const std::string hora = doisDigitos(p.hour);
    const std::string minuto = doisDigitos(p.minute);
    const std::string segundo = doisDigitos(p.second);
    switch (tipo) {
    case vcData:
        return ano + "-" + mes + "-" + dia;
    case vcDataCompacta:
        return ano + mes + dia;
    case vcDataBR:
        return dia + "/" + mes + "/" + ano;
    case vcDataHora:
        return ano + "-" + mes + "-" + dia + "T" + hora + ":" + minuto + ":" + segundo;
    case vcDataHoraCompacta:
        return ano + mes + dia + hora + minuto + segundo;
    case vcHora:
        return hora + ":" + minuto + ":" + segundo;
    case vcHoraCompacta:
        return hora + minuto + segundo;
    default:
        return {};
    }
}

void formataData(TTipoValorCampo tipo, const TValorCampo &valor, TextoDoCampo &campo)
{
    const DateTimeParts p = decodeDateTime(dataHoraDoValor(valor));
    if (tipo == vcHora || tipo == vcHoraCompacta)
        campo.vazio = p.hour == 0 && p.minute == 0 && p.second == 0;
    else
        campo.vazio = p.year == 1899 && p.month == 12 && p.day == 30;
    campo.texto = textoDeData(tipo, p);
}

template <typename Int>
void formataInteiro(const TValorCampo &valor, int min, int ocorrencias, TextoDoCampo &campo)
{
    const std::optional<Int> numero = leInteiro<Int>(textoDoValor(valor));
    campo.texto = numero ? std::to_string(*numero) : "0";
    campo.vazio = campo.texto == "0" && ocorrencias == 0;
    campo.texto = completaComZeros(std::move(campo.texto), min);
}

void formataDecimal(int casas, const TValorCampo &valor, int &min, int &max, int ocorrencias,
                    const TGeradorOpcoes &opcoes, TextoDoCampo &campo)
{
    if (!opcoes.SuprimirDecimais) {
        ++min;
        ++max;
    }
    bool zero = true;
    bool inteiro = true;
    std::string semDecimais;
    if (const Decimal *decimal = std::get_if<Decimal>(&valor)) {
        zero = decimal->isZero();
        inteiro = opcoes.SuprimirDecimais && decimal->truncated(0) == *decimal;
        // The fixed-point value is written directly, as the mask would:
        // rounded half away from zero to the places, at least one integer digit.
        campo.texto = decimal->toString(casas);
        if (opcoes.DecimalChar != '.')
            std::replace(campo.texto.begin(), campo.texto.end(), '.', opcoes.DecimalChar);
        if (opcoes.SuprimirDecimais && inteiro)
            semDecimais = decimal->toString(0);
    } else {
        double numero = 0;
        if (!numeroDoValor(valor, numero))
            numero = 0;
        zero = numero == 0;
        inteiro = std::trunc(numero) == numero;
        campo.texto = FloatComCasas(opcoes.DecimalChar, casas, numero);
        if (opcoes.SuprimirDecimais && inteiro)
            semDecimais = FloatParaTexto(opcoes.DecimalChar, "0", numero);
    }

    // Decimal places beyond the kind's, after the decimal character.
    const std::size_t separador = campo.texto.find(opcoes.DecimalChar);
    const std::size_t alemDasCasas = (separador == std::string::npos ? 0 : separador + 1) + casas;
    if (alemDasCasas < campo.texto.size()) {
        const auto excedente =
            leInteiro<std::int64_t>(std::string_view(campo.texto).substr(alemDasCasas, 10));
        if (excedente && *excedente > 0)
            campo.alertas.push_back(std::string(kCasasDecimais) + std::to_string(casas));
    }

    if (opcoes.SuprimirDecimais && inteiro)
        campo.texto = std::move(semDecimais);
    campo.texto = completaComZeros(std::move(campo.texto), min);
    campo.vazio = zero && ocorrencias == 0;
}

TextoDoCampo formataValor(TTipoValorCampo tipo, const TValorCampo &valor, int &min, int &max, int ocorrencias,
                          const TGeradorOpcoes &opcoes)
{
    TextoDoCampo campo;
    switch (tipo) {
    case vcTexto:
        campo.texto = textoAparado(valor);
        campo.vazio = campo.texto.empty();
        break;
    case vcTextoBruto:
        campo.texto = textoDoValor(valor);
        campo.vazio = campo.texto.empty();
        break;
    case vcNumeroZeros:
        campo.texto = textoAparado(valor);
        campo.vazio = campo.texto.empty();
        if (static_cast<int>(utf8Length(campo.texto)) < min)
            campo.texto = CompletaEsquerda(campo.texto, min, '0');
        break;
    case vcDigitos:
        campo.texto = textoAparado(valor);
        campo.vazio = campo.texto.empty();
        if (!SoDigitos(campo.texto))
            campo.alertas.emplace_back(kConteudoInvalido);
        break;
    case vcInteiro:
        formataInteiro<std::int32_t>(valor, min, ocorrencias, campo);
        break;
    case vcInteiro64:
        formataInteiro<std::int64_t>(valor, min, ocorrencias, campo);
        break;
    case vcData:
    case vcDataCompacta:
    case vcDataBR:
    case vcDataHora:
    case vcDataHoraCompacta:
    case vcHora:
    case vcHoraCompacta:
        formataData(tipo, valor, campo);
        break;
    case vcLogico:
        campo.texto = logicoDoValor(valor) ? "true" : "false";
        break;
    default:
        if (casasDecimais(tipo) > 0)
            formataDecimal(casasDecimais(tipo), valor, min, max, ocorrencias, opcoes, campo);
        else
            campo.semRegra = true;
        break;
    }
    return campo;
}

} // namespace

void TGerador::EscreveCampo(TTipoValorCampo Tipo, std::string_view ID, std::string_view TAG, std::int16_t Min,
                            std::int16_t Max, std::int16_t Ocorrencias, const TValorCampo &Valor,
                            std::string_view Descricao, bool LimpaTexto, std::string_view Atributo)
{
    if (Ocorrencias < 0)
        return;
    const std::string_view id = trimText(ID);
    const std::string_view atributo = trimText(Atributo);
    // Without a prefix the tag is the trimmed name itself: no copy per field.
    std::string tagComPrefixo;
    std::string_view tag = trimText(TAG);
    if (!Prefixo.empty()) {
        tagComPrefixo = tagTexto(Prefixo, tag, "");
        tag = tagComPrefixo;
    }

    int min = Min;
    int max = Max;
    TextoDoCampo campo = formataValor(Tipo, Valor, min, max, Ocorrencias, Opcoes);
    if (campo.semRegra)
        return;
    for (const std::string &alerta : campo.alertas)
        AdicionaAlerta(id, tag, Descricao, alerta);

    const int tamanho = static_cast<int>(utf8Length(campo.texto));
    std::string alerta;
    if (Ocorrencias == 1 && campo.vazio && min > 0)
        alerta = kNenhumValor;
    else if (tamanho >= 1 && tamanho < min)
        alerta = kTamanhoMenor;
    if (tamanho > max)
        alerta = kTamanhoMaior;
    if (!alerta.empty() && alerta != kNenhumValor && !campo.vazio)
        alerta += tagTexto(" [", textoDoValor(Valor, ehTipoDataHora(Tipo)), "]");
    if (!alerta.empty())
        AdicionaAlerta(id, tag, Descricao, alerta);

    if (Opcoes.SomenteValidar)
        return;

    // The content as the element carries it: cleaned by the options, or exactly as given.
    std::string limpo;
    std::string_view conteudo;
    if (!campo.vazio && LimpaTexto && TextoXMLSoApara(campo.texto, Opcoes.RetirarEspacos)) {
        conteudo = trimText(campo.texto); // what cleaning would give, without a copy
    } else if (!campo.vazio && LimpaTexto) {
        limpo = LimpaTextoXML(Opcoes.RetirarEspacos, campo.texto, Opcoes.RetirarAcentos, true,
                              Opcoes.QuebraLinha);
        conteudo = limpo;
    } else if (!campo.vazio) {
        conteudo = campo.texto;
    }
    if (!LayoutArquivoTXT.empty())
        preencheValorTXT(id, tag, Descricao, campo.texto, conteudo);

    const bool vazioObrigatorio = Ocorrencias == 1 && campo.vazio;
    if (!vazioObrigatorio && campo.vazio)
        return; // optional and empty: nothing is written

    // The element goes straight into the output.
    std::string &xml = ArquivoFormatoXML;
    iniciaLinha();
    xml += '<';
    xml += tag;
    if (!atributo.empty()) {
        xml += ' ';
        xml += atributo;
    }
    if (vazioObrigatorio) {
        if (Opcoes.TagVaziaNoFormatoResumido) {
            xml += "/>";
        } else {
            xml += "></";
            xml += tag;
            xml += '>';
        }
    } else {
        xml += '>';
        xml += conteudo;
        xml += "</";
        xml += tag;
        xml += '>';
    }
    terminaLinha();
}
