#include "foundation/gerador_txt.h"

#include <utility>

#include "foundation/text_utils.h"
#include "foundation/utf8.h"

namespace {

bool ehMarca(std::string_view segmento, std::size_t i)
{
    // The mark closes a placeholder only right after an ASCII byte (or right
    // after the "|"), never as the continuation byte of a UTF-8 character.
    return segmento[i] == kMarcaCampoTXT && (i == 0 || static_cast<unsigned char>(segmento[i - 1]) < 0x80);
}

TxtTemplate::Linha analisaLinha(std::string texto)
{
    TxtTemplate::Linha linha;
    std::string_view resto = texto;
    const std::size_t abre = resto.find('<');
    const std::size_t fecha = resto.find('>');
    if (abre != std::string_view::npos && fecha != std::string_view::npos && abre < fecha)
        linha.grupo = upperAscii(resto.substr(abre + 1, fecha - abre - 1));
    if (fecha != std::string_view::npos)
        resto.remove_prefix(fecha + 1);

    // Literal text and placeholders alternate: trechos[0], campos[0], trechos[1]...
    std::string trecho;
    std::size_t i = 0;
    while (i < resto.size()) {
        if (resto[i] == '|') {
            const std::size_t proximaBarra = resto.find('|', i + 1);
            const std::string_view segmento =
                resto.substr(i + 1, proximaBarra == std::string_view::npos ? std::string_view::npos
                                                                           : proximaBarra - i - 1);
            std::size_t marca = 0;
            while (marca < segmento.size() && !ehMarca(segmento, marca))
                ++marca;
            if (marca < segmento.size()) {
                linha.trechos.push_back(std::exchange(trecho, {}));
                linha.campos.push_back(upperAscii(segmento.substr(0, marca)));
                i += 1 + marca + 1;
                continue;
            }
        }
        trecho += resto[i];
        ++i;
    }
    linha.trechos.push_back(std::move(trecho));
    linha.texto = std::move(texto);
    return linha;
}

// The record name (the text before the first "|") with a final letter
// lower-cased when it is longer than two characters and is not the header.
void ajustaNomeDoRegistro(std::string &linha)
{
    const std::size_t barra = linha.find('|');
    const std::size_t fim = barra == std::string::npos ? linha.size() : barra;
    const std::string_view nome(linha.data(), fim);
    if (nome.empty() || utf8Length(nome) <= 2 || upperAscii(nome) == "NOTA FISCAL")
        return;
    char &ultimo = linha[fim - 1];
    if (ultimo >= 'A' && ultimo <= 'Z')
        ultimo = static_cast<char>(ultimo - 'A' + 'a');
}

} // namespace

// ---- TxtTemplate -----------------------------------------------------------

void TxtTemplate::Atribui(std::vector<std::string> linhas)
{
    linhas_ = std::move(linhas);
    analisadas_.clear();
    analisadas_.reserve(linhas_.size());
    for (const std::string &linha : linhas_)
        analisadas_.push_back(analisaLinha(linha));
    ++versao_;
}

void TxtTemplate::AtribuiTexto(std::string_view texto)
{
    std::vector<std::string> linhas;
    while (!texto.empty()) {
        const std::size_t fim = texto.find_first_of("\r\n");
        linhas.emplace_back(texto.substr(0, fim));
        if (fim == std::string_view::npos)
            break;
        const std::size_t passo = texto.compare(fim, 2, "\r\n") == 0 ? 2 : 1;
        texto.remove_prefix(fim + passo);
    }
    Atribui(std::move(linhas));
}

void TxtTemplate::Limpa()
{
    Atribui({});
}

std::vector<std::size_t> TxtTemplate::linhasDoGrupo(std::string_view grupo) const
{
    std::vector<std::size_t> indices;
    for (std::size_t i = 0; i < analisadas_.size(); ++i) {
        if (!grupo.empty() && analisadas_[i].grupo == grupo)
            indices.push_back(i);
    }
    return indices;
}

// ---- TxtRegistros ----------------------------------------------------------

void TxtRegistros::Limpa()
{
    registros_.clear();
    inicioAtual_ = fimAtual_ = 0;
}

void TxtRegistros::AbreRegistro(const TxtTemplate &modelo, std::string_view grupo)
{
    if (modelo.versao() != versaoModelo_) {
        Limpa();
        versaoModelo_ = modelo.versao();
    }
    inicioAtual_ = fimAtual_ = registros_.size();
    if (grupo.empty())
        return;
    for (const std::size_t indice : modelo.linhasDoGrupo(grupo)) {
        Registro registro;
        registro.linha = indice;
        const std::size_t campos = modelo.linhasAnalisadas()[indice].campos.size();
        registro.valores.resize(campos);
        registro.preenchidos.resize(campos, false);
        registros_.push_back(std::move(registro));
    }
    fimAtual_ = registros_.size();
}

void TxtRegistros::RetomaRegistro(const TxtTemplate &modelo, std::string_view grupo)
{
    inicioAtual_ = fimAtual_ = registros_.size();
    if (grupo.empty() || modelo.versao() != versaoModelo_)
        return;
    const std::vector<std::size_t> linhas = modelo.linhasDoGrupo(grupo);
    if (linhas.empty())
        return;
    // One opening appends the group's lines together, in template order, so
    // the latest one ends at the last record of the group.
    for (std::size_t fim = registros_.size(); fim >= linhas.size(); --fim) {
        if (registros_[fim - 1].linha != linhas.back())
            continue;
        const std::size_t inicio = fim - linhas.size();
        for (std::size_t i = 0; i < linhas.size(); ++i)
            if (registros_[inicio + i].linha != linhas[i])
                return;
        inicioAtual_ = inicio;
        fimAtual_ = fim;
        return;
    }
}

void TxtRegistros::PreencheCampo(const TxtTemplate &modelo, std::string_view campo, std::string_view valor)
{
    if (inicioAtual_ == fimAtual_ || modelo.versao() != versaoModelo_)
        return;
    const std::string nome = upperAscii(trimText(campo));
    for (std::size_t r = inicioAtual_; r < fimAtual_; ++r) {
        Registro &registro = registros_[r];
        const std::vector<std::string> &campos = modelo.linhasAnalisadas()[registro.linha].campos;
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (!registro.preenchidos[i] && campos[i] == nome) {
                registro.valores[i] = valor;
                registro.preenchidos[i] = true;
                break;
            }
        }
    }
}

std::string TxtRegistros::Conclui(const TxtTemplate &modelo, std::string_view id) const
{
    std::string texto;
    if (modelo.versao() != versaoModelo_)
        return texto;
    for (const Registro &registro : registros_) {
        const TxtTemplate::Linha &molde = modelo.linhasAnalisadas()[registro.linha];
        bool algumPreenchido = false;
        for (const bool preenchido : registro.preenchidos)
            algumPreenchido = algumPreenchido || preenchido;
        if (!molde.campos.empty() && !algumPreenchido)
            continue;

        std::string linha;
        bool idTrocado = false;
        for (std::size_t i = 0; i < molde.trechos.size(); ++i) {
            std::string trecho = molde.trechos[i];
            if (!idTrocado) {
                const std::size_t marcaId = trecho.find("^ID^");
                if (marcaId != std::string::npos) {
                    trecho.replace(marcaId, 4, id);
                    idTrocado = true;
                }
            }
            linha += trecho;
            if (i < molde.campos.size()) {
                linha += '|';
                if (registro.preenchidos[i])
                    linha += registro.valores[i];
            }
        }
        std::string aparada(trimText(linha));
        ajustaNomeDoRegistro(aparada);
        texto += aparada;
        texto += "\r\n";
    }
    return texto;
}
