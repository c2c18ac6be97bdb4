#include "foundation/xml/gerador_txt.h"

#include <utility>

#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

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

std::string ValorParaTXT(std::string_view valor, std::string_view quebraLinha, bool &alterado)
{
    alterado = false;
    std::string resultado;
    resultado.reserve(valor.size());
    for (std::size_t i = 0; i < valor.size(); ++i) {
        const char c = valor[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < valor.size() && valor[i + 1] == '\n')
                ++i;
            resultado += quebraLinha;
            alterado = true;
        } else if (c == '|') {
            resultado += kSubstitutoBarraTXT;
            alterado = true;
        } else {
            resultado += c;
        }
    }
    return resultado;
}

// ---- TxtTemplate -----------------------------------------------------------

void TxtTemplate::Atribui(std::vector<std::string> linhas)
{
    linhas_ = std::move(linhas);
    analisadas_.clear();
    analisadas_.reserve(linhas_.size());
    for (const std::string &linha : linhas_)
        analisadas_.push_back(analisaLinha(linha));
    indexaGrupos();
}

void TxtTemplate::AtribuiAnalisadas(std::vector<Linha> linhas)
{
    analisadas_ = std::move(linhas);
    linhas_.clear();
    linhas_.reserve(analisadas_.size());
    for (Linha &linha : analisadas_) {
        linha.grupo = upperAscii(linha.grupo);
        for (std::string &campo : linha.campos)
            campo = upperAscii(campo);
        linha.trechos.resize(linha.campos.size() + 1);
        if (linha.texto.empty()) {
            linha.texto = "<" + linha.grupo + ">" + linha.trechos[0];
            for (std::size_t i = 0; i < linha.campos.size(); ++i)
                linha.texto += "|" + linha.campos[i] + kMarcaCampoTXT + linha.trechos[i + 1];
        }
        linhas_.push_back(linha.texto);
    }
    indexaGrupos();
}

void TxtTemplate::indexaGrupos()
{
    linhasPorGrupo_.clear();
    for (std::size_t i = 0; i < analisadas_.size(); ++i) {
        if (!analisadas_[i].grupo.empty())
            linhasPorGrupo_[analisadas_[i].grupo].push_back(i);
    }
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

const std::vector<std::size_t> &TxtTemplate::linhasDoGrupo(std::string_view grupo) const
{
    static const std::vector<std::size_t> nenhuma;
    const auto encontrado = linhasPorGrupo_.find(grupo);
    return encontrado == linhasPorGrupo_.end() ? nenhuma : encontrado->second;
}

// ---- TxtRegistros ----------------------------------------------------------

void TxtRegistros::Limpa()
{
    registros_.clear();
    abertos_.clear();
    ultimaAbertura_.clear();
}

std::size_t TxtRegistros::novoRegistro(const TxtTemplate &modelo, std::size_t linha)
{
    Registro registro;
    registro.linha = linha;
    const std::size_t campos = modelo.linhasAnalisadas()[linha].campos.size();
    registro.valores.resize(campos);
    registro.preenchidos.resize(campos, false);
    registros_.push_back(std::move(registro));
    return registros_.size() - 1;
}

void TxtRegistros::AbreRegistro(const TxtTemplate &modelo, std::string_view grupo)
{
    if (modelo.versao() != versaoModelo_) {
        Limpa();
        versaoModelo_ = modelo.versao();
    }
    const std::vector<std::size_t> &linhas = modelo.linhasDoGrupo(grupo);
    Nivel nivel;
    if (linhas.empty()) {
        // No line of its own: the group's fields belong to its parent's record.
        if (!abertos_.empty())
            nivel.registros = abertos_.back().registros;
    } else {
        nivel.proprios = true;
        for (const std::size_t linha : linhas)
            nivel.registros.push_back(novoRegistro(modelo, linha));
        ultimaAbertura_.insert_or_assign(std::string(grupo), nivel.registros);
    }
    abertos_.push_back(std::move(nivel));
}

void TxtRegistros::FechaRegistro()
{
    if (!abertos_.empty())
        abertos_.pop_back();
}

void TxtRegistros::RetomaRegistro(const TxtTemplate &modelo, std::string_view grupo)
{
    if (abertos_.empty() || modelo.versao() != versaoModelo_)
        return;
    Nivel &atual = abertos_.back();
    const auto encontrado = ultimaAbertura_.find(grupo);
    atual.registros = encontrado == ultimaAbertura_.end() ? std::vector<std::size_t>() : encontrado->second;
}

bool TxtRegistros::PreencheCampo(const TxtTemplate &modelo, std::string_view campo, std::string_view valor)
{
    if (abertos_.empty() || modelo.versao() != versaoModelo_)
        return false;
    Nivel &atual = abertos_.back();
    const std::string nome = upperAscii(trimText(campo));
    std::size_t repetido = registros_.size(); // a filled own record of that single field
    bool preencheu = false;
    for (const std::size_t r : atual.registros) {
        Registro &registro = registros_[r];
        const std::vector<std::string> &campos = modelo.linhasAnalisadas()[registro.linha].campos;
        for (std::size_t i = 0; i < campos.size(); ++i) {
            if (campos[i] != nome)
                continue;
            if (!registro.preenchidos[i]) {
                registro.valores[i] = valor;
                registro.preenchidos[i] = true;
                preencheu = true;
                break;
            }
            if (campos.size() == 1)
                repetido = r;
        }
    }
    if (!preencheu && atual.proprios && repetido < registros_.size()) {
        const std::size_t novo = novoRegistro(modelo, registros_[repetido].linha);
        registros_[novo].valores[0] = valor;
        registros_[novo].preenchidos[0] = true;
        atual.registros.push_back(novo);
        preencheu = true;
    }
    return preencheu;
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
