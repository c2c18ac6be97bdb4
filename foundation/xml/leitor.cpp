#include "foundation/xml/leitor.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/detail/busca_texto.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/detail/tag_texto.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

std::string_view aparaFinal(std::string_view texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= 32)
        texto.remove_suffix(1);
    return texto;
}

// The element's opening tag: the first "<" + name + ">", or else the first
// "<" + name + " " (attributes follow), or else the first "<" + name + ":".
std::size_t buscaAbertura(std::string_view texto, std::string_view nome)
{
    const std::string marca = tagTexto("<", nome, "");
    std::size_t comEspaco = npos;
    std::size_t comPrefixo = npos;
    for (std::size_t achado = buscaExata(texto, marca); achado != npos;
         achado = buscaExata(texto, marca, achado + 1)) {
        const std::size_t seguinte = achado + marca.size();
        const char c = seguinte < texto.size() ? texto[seguinte] : '\0';
        if (c == '>')
            return achado;
        if (c == ' ' && comEspaco == npos)
            comEspaco = achado;
        if (c == ':' && comPrefixo == npos)
            comPrefixo = achado;
    }
    return comEspaco != npos ? comEspaco : comPrefixo;
}

} // namespace

const IndiceDeTags &TLeitor::Texto::indice() const
{
    if (!indice_)
        indice_ = std::make_unique<const IndiceDeTags>(conteudo_);
    return *indice_;
}

TLeitor::TLeitor() : arquivo_(std::make_shared<const Texto>(std::string()))
{
    niveis_[0] = Trecho{arquivo_, 0, 0};
}

void TLeitor::setArquivo(std::string texto)
{
    arquivo_ = std::make_shared<const Texto>(std::move(texto));
    niveis_[0] = Trecho{arquivo_, 0, arquivo_->conteudo().size()};
}

void TLeitor::setTrechoDoArquivo(std::size_t inicio, std::size_t tamanho)
{
    const std::size_t total = arquivo_->conteudo().size();
    if (inicio > total || tamanho > total - inicio)
        throw std::out_of_range("Trecho fora do arquivo");
    niveis_[0] = Trecho{arquivo_, inicio, inicio + tamanho};
}

void TLeitor::setGrupoComoArquivo()
{
    grupo_ = Trecho{arquivo_, 0, arquivo_->conteudo().size()};
}

void TLeitor::setGrupo(std::string texto)
{
    auto dono = std::make_shared<const Texto>(std::move(texto));
    grupo_ = Trecho{dono, 0, dono->conteudo().size()};
}

bool TLeitor::LeArquivo(const std::string &NomeArquivo)
{
    std::ifstream arquivo(NomeArquivo, std::ios::binary);
    if (!arquivo)
        throw EQuibException("Não foi possível abrir o arquivo \"" + NomeArquivo + "\"");
    std::ostringstream bruto;
    bruto << arquivo.rdbuf();
    if (arquivo.bad())
        throw EQuibException("Não foi possível ler o arquivo \"" + NomeArquivo + "\"");
    std::string_view conteudo = bruto.view();
    if (conteudo.starts_with("\xEF\xBB\xBF"))
        conteudo.remove_prefix(3);
    const std::string texto = AnsiParaUTF8(conteudo);

    // Lines end at CR LF, LF or CR; each is written back followed by CR LF.
    std::string unido;
    unido.reserve(texto.size() + 2);
    std::string_view resto = texto;
    while (!resto.empty()) {
        const std::size_t fim = resto.find_first_of("\r\n");
        unido += resto.substr(0, fim);
        unido += "\r\n";
        if (fim == npos)
            break;
        resto.remove_prefix(fim + (resto.compare(fim, 2, "\r\n") == 0 ? 2 : 1));
    }
    setArquivo(std::move(unido));
    return true;
}

std::size_t TLeitor::buscaNoTrecho(const Trecho &trecho, std::string_view tag, std::size_t inicio)
{
    const std::string_view token = tag.size() > 2 ? tag.substr(1, tag.size() - 2) : std::string_view();
    if (!trecho.dono || tag.front() != '<' || tag.back() != '>' || !IndiceDeTags::tokenValido(token) ||
        trecho.dono->conteudo().size() >= UINT32_MAX)
        return buscaExata(trecho.view(), tag, inicio);
    const std::size_t achado = trecho.dono->indice().buscaComCaixa(token, trecho.inicio + inicio, trecho.fim);
    return achado == npos ? npos : achado - trecho.inicio;
}

std::size_t TLeitor::buscaFechamento(const Trecho &trecho, std::string_view fechamento,
                                     std::string_view comPrefixo, std::size_t inicio)
{
    const std::size_t achado = buscaNoTrecho(trecho, fechamento, inicio);
    return achado != npos ? achado : buscaExata(trecho.view(), comPrefixo, inicio);
}

std::string TLeitor::ExtraiGrupo(int Nivel, std::string_view TagInicio, std::string_view TagFim, int Item)
{
    if (Nivel < 1 || Nivel > kNiveis)
        throw std::out_of_range("Índice da lista fora dos limites (" + std::to_string(Nivel) + ")");
    const std::string_view inicio = trimText(TagInicio);
    const std::string_view fim = trimText(TagFim).empty() ? inicio : trimText(TagFim);
    const std::string fechamento = tagTexto("</", fim, ">");
    const std::string fechamentoComPrefixo = tagTexto("</", fim, ":");
    const std::size_t tamanhoFechamento = fim.size() + 3;

    grupo_ = Trecho{};
    const Trecho &pai = niveis_[static_cast<std::size_t>(Nivel - 1)];
    const std::string_view texto = pai.view();

    // Skip Item - 1 elements, going on from where the last walk of this level
    // stopped when it walked the same text.
    Percurso &percurso = percursos_[static_cast<std::size_t>(Nivel)];
    std::size_t deslocamento = 0;
    int item = 1;
    if (percurso.pai.mesmoQue(pai) && percurso.tagFim == fim && percurso.item >= 1 && percurso.item <= Item) {
        deslocamento = percurso.inicioDoItem;
        item = percurso.item;
    }
    for (; item < Item; ++item) {
        const std::size_t achado = buscaNoTrecho(pai, fechamento, deslocamento);
        deslocamento = achado != npos ? achado + tamanhoFechamento
                                      : std::min(texto.size(), deslocamento + fim.size() + 2);
    }
    percurso = Percurso{pai, std::string(fim), std::max(Item, 1), deslocamento};

    // The rest of the text up to the end of its first closing tag.
    std::size_t corte = buscaFechamento(pai, fechamento, fechamentoComPrefixo, deslocamento);
    if (corte != npos)
        corte -= deslocamento;
    std::string_view resto = texto.substr(deslocamento);
    resto = resto.substr(0, corte != npos ? corte + tamanhoFechamento : fim.size() + 2);

    // A plain opening tag is looked up in the index; one with attributes or a
    // prefix is searched for.
    const Trecho trechoDoResto{pai.dono, pai.inicio + deslocamento, pai.inicio + deslocamento + resto.size()};
    std::size_t abertura = buscaNoTrecho(trechoDoResto, tagTexto("<", inicio, ">"), 0);
    if (abertura == npos)
        abertura = buscaAbertura(resto, inicio);
    if (abertura == npos)
        return {};

    resto.remove_prefix(abertura);
    // The element ends at the closing tag found above (no other lies between
    // its opening and that one); without one, the element has no end.
    const std::size_t final = corte != npos ? corte - abertura : npos;
    resto = aparaFinal(resto.substr(0, final != npos ? final + tamanhoFechamento : fim.size() + 2));

    const std::size_t inicioAbsoluto = pai.inicio + static_cast<std::size_t>(resto.data() - texto.data());
    Trecho &nivel = niveis_[static_cast<std::size_t>(Nivel)];
    nivel = Trecho{pai.dono, inicioAbsoluto, inicioAbsoluto + resto.size()};
    grupo_ = nivel;
    return std::string(resto);
}

std::size_t TLeitor::posicaoDaTag(std::string_view token, bool tokenValido) const
{
    if (!grupo_.dono)
        return npos;
    if (!tokenValido || grupo_.dono->conteudo().size() >= UINT32_MAX)
        return buscaSemCaixa(grupo_.view(), tagTexto("<", token, ">"));
    const std::size_t achado = grupo_.dono->indice().busca(token, grupo_.inicio, grupo_.fim);
    return achado == npos ? npos : achado - grupo_.inicio;
}

std::string_view TLeitor::ConteudoDoCampo(std::string_view TAG, std::string_view TagLimite) const
{
    // "/NAME": the closing token, and after its "/" the opening one.
    const std::string_view nomeDado = trimText(TAG);
    // The name is upper-cased and checked for the index in one pass.
    std::string fechamento(nomeDado.size() + 1, '/');
    bool valido = true;
    for (std::size_t i = 0; i < nomeDado.size(); ++i) {
        const char c = nomeDado[i];
        fechamento[i + 1] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        valido = valido && c != '<' && c != '>';
    }
    const std::string_view nome = std::string_view(fechamento).substr(1);
    const std::string_view grupo = grupo_.view();

    // S: the first plain opening tag "<N>"; E: the first closing tag "</N>";
    // L: the limit tag, or S when it is absent; without a limit tag, E.
    const std::size_t s = posicaoDaTag(nome, valido);
    const std::size_t e = posicaoDaTag(fechamento, valido);
    std::size_t limite = e;
    const std::string_view tagLimite = trimText(TagLimite);
    if (!tagLimite.empty()) {
        const std::string limiteMaiusculo = upperAscii(tagLimite);
        limite = posicaoDaTag(limiteMaiusculo, IndiceDeTags::tokenValido(limiteMaiusculo));
        if (limite == npos)
            limite = s;
    }

    // An element after the limit, or a closing tag before the first plain
    // opening tag, reads as empty. Without a plain opening tag (the tag
    // carries attributes) the content starts after the last ">" before L.
    if (s != npos && (limite == npos || s > limite))
        return {};
    std::size_t inicio = 0;
    if (s != npos) {
        inicio = s + nome.size() + 2;
    } else {
        const std::size_t ultimoMaior = limite == npos ? npos : grupo.substr(0, limite).rfind('>');
        inicio = ultimoMaior == npos ? 0 : ultimoMaior + 1;
    }
    if (e == npos || e < inicio)
        return {};
    return trimText(grupo.substr(inicio, e - inicio));
}

std::string TLeitor::LeCNPJouCPF(std::string_view TagLimite) const
{
    std::string documento = std::get<std::string>(LeCampo(vcTexto, "CNPJ", TagLimite));
    if (trimText(documento).empty())
        documento = std::get<std::string>(LeCampo(vcTexto, "CPF", TagLimite));
    return documento;
}

std::string TLeitor::LeAtributo(std::string_view Atributo, std::string_view Tag) const
{
    const std::string_view nome = trimText(Atributo);
    if (nome.empty())
        return {};
    const std::string_view grupo = grupo_.view();
    const std::string_view tag = trimText(Tag);
    const std::size_t posicaoTag = tag.empty() ? npos : buscaExata(grupo, tag);

    // The attribute is "name=" (or "name " before a blank and "="), searched
    // from `de`; a name already ending in "=" is searched as it is.
    const auto posicaoAtributo = [&](std::size_t de) -> std::size_t {
        if (nome.back() == '=')
            return buscaExata(grupo, nome, de);
        const std::string comIgual = tagTexto("", nome, "=");
        const std::size_t achado = buscaExata(grupo, comIgual, de);
        return achado != npos ? achado : buscaExata(grupo, tagTexto("", nome, " "), de);
    };
    std::size_t posicao = posicaoAtributo(0);
    if (posicaoTag != npos && (posicao == npos || posicao < posicaoTag))
        posicao = posicaoAtributo(posicaoTag);
    if (posicao == npos)
        return {};

    std::string_view resto = trimText(grupo.substr(posicao + nome.size()));
    // Double quotes, unless a single quote comes first (or there is no double quote).
    const std::size_t aspasDuplas = resto.find('"');
    const bool simplesAntes = resto.substr(0, aspasDuplas).find('\'') != npos;
    const char aspas = aspasDuplas != npos && !simplesAntes ? '"' : '\'';
    const std::size_t abre = resto.find(aspas);
    if (abre == npos)
        return {};
    resto = trimText(resto.substr(abre + 1));
    const std::size_t fecha = resto.find(aspas);
    if (fecha == npos || fecha == 0)
        return {};
    return DesfazEscapeXML(resto.substr(0, fecha));
}
