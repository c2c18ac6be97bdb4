#include "foundation/leitor.h"

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "foundation/pcn_auxiliar.h"
#include "foundation/quib_exception.h"
#include "foundation/tag_texto.h"
#include "foundation/text_utils.h"

namespace {

constexpr std::size_t npos = std::string_view::npos;

char maiuscula(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Position of the first occurrence of `agulha` (already upper-cased, starting
// with "<") in `texto` at or after `inicio`, comparing ASCII letters without
// regard to case; npos when absent.
std::size_t buscaSemCaixa(std::string_view texto, std::string_view agulha, std::size_t inicio = 0)
{
    if (agulha.empty() || agulha.size() > texto.size())
        return npos;
    const std::size_t ultimo = texto.size() - agulha.size();
    for (std::size_t i = inicio; i <= ultimo;) {
        const void *achado = std::memchr(texto.data() + i, agulha.front(), ultimo - i + 1);
        if (achado == nullptr)
            return npos;
        i = static_cast<std::size_t>(static_cast<const char *>(achado) - texto.data());
        std::size_t k = 1;
        while (k < agulha.size() && maiuscula(texto[i + k]) == agulha[k])
            ++k;
        if (k == agulha.size())
            return i;
        ++i;
    }
    return npos;
}

std::string_view aparaFinal(std::string_view texto)
{
    while (!texto.empty() && static_cast<unsigned char>(texto.back()) <= 32)
        texto.remove_suffix(1);
    return texto;
}

// The first closing tag "</F>" (or, when absent, "</F:") at or after `inicio`.
std::size_t buscaFechamento(std::string_view texto, std::string_view fechamento, std::string_view comPrefixo,
                            std::size_t inicio)
{
    const std::size_t achado = texto.find(fechamento, inicio);
    return achado != npos ? achado : texto.find(comPrefixo, inicio);
}

} // namespace

TLeitor::TLeitor() : arquivo_(std::make_shared<const std::string>())
{
    niveis_[0] = Trecho{arquivo_, 0, 0};
}

void TLeitor::setArquivo(std::string texto)
{
    arquivo_ = std::make_shared<const std::string>(std::move(texto));
    niveis_[0] = Trecho{arquivo_, 0, arquivo_->size()};
}

void TLeitor::setGrupo(std::string texto)
{
    auto dono = std::make_shared<const std::string>(std::move(texto));
    grupo_ = Trecho{dono, 0, dono->size()};
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
        const std::size_t achado = texto.find(fechamento, deslocamento);
        deslocamento = achado != npos ? achado + tamanhoFechamento
                                      : std::min(texto.size(), deslocamento + fim.size() + 2);
    }
    percurso = Percurso{pai, std::string(fim), std::max(Item, 1), deslocamento};

    // The rest of the text up to the end of its first closing tag.
    std::string_view resto = texto.substr(deslocamento);
    const std::size_t corte = buscaFechamento(resto, fechamento, fechamentoComPrefixo, 0);
    resto = resto.substr(0, corte != npos ? corte + tamanhoFechamento : fim.size() + 2);

    std::size_t abertura = resto.find(tagTexto("<", inicio, ">"));
    if (abertura == npos)
        abertura = resto.find(tagTexto("<", inicio, " "));
    if (abertura == npos)
        abertura = resto.find(tagTexto("<", inicio, ":"));
    if (abertura == npos)
        return {};

    resto.remove_prefix(abertura);
    const std::size_t final = buscaFechamento(resto, fechamento, fechamentoComPrefixo, 0);
    resto = aparaFinal(resto.substr(0, final != npos ? final + tamanhoFechamento : fim.size() + 2));

    const std::size_t inicioAbsoluto = pai.inicio + static_cast<std::size_t>(resto.data() - texto.data());
    Trecho &nivel = niveis_[static_cast<std::size_t>(Nivel)];
    nivel = Trecho{pai.dono, inicioAbsoluto, inicioAbsoluto + resto.size()};
    grupo_ = nivel;
    return std::string(resto);
}

std::string_view TLeitor::conteudoDoCampo(std::string_view nome, std::string_view TagLimite) const
{
    const std::string_view grupo = grupo_.view();
    const std::string abertura = tagTexto("<", nome, ">");
    const std::string fechamento = tagTexto("</", nome, ">");

    // Positions as offsets; npos stands for "absent" and sorts after every
    // offset, so it is tested apart where absence matters.
    std::size_t s = buscaSemCaixa(grupo, abertura);
    std::size_t fechamentoCampo = npos;
    bool fechamentoCalculado = false;
    std::size_t limite = npos;
    const std::string_view tagLimite = trimText(TagLimite);
    if (!tagLimite.empty()) {
        limite = buscaSemCaixa(grupo, tagTexto("<", upperAscii(tagLimite), ">"));
        if (limite == npos)
            limite = s;
    } else {
        fechamentoCampo = buscaSemCaixa(grupo, fechamento);
        fechamentoCalculado = true;
        limite = fechamentoCampo;
    }

    // An element after the limit, or a closing tag before the first plain
    // opening tag, reads as empty. An absent start with a limit present is the
    // opening tag with attributes.
    if (s != npos && (limite == npos || s > limite))
        return {};

    std::size_t inicio = 0;
    if (s != npos) {
        inicio = s + abertura.size();
    } else {
        const std::size_t ultimoMaior =
            limite == npos ? npos : grupo.substr(0, limite).rfind('>');
        inicio = ultimoMaior == npos ? 0 : ultimoMaior + 1;
    }
    if (!fechamentoCalculado)
        fechamentoCampo = buscaSemCaixa(grupo, fechamento);
    if (fechamentoCampo == npos || fechamentoCampo < inicio)
        return {};
    return trimText(grupo.substr(inicio, fechamentoCampo - inicio));
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
    const std::size_t posicaoTag = tag.empty() ? npos : grupo.find(tag);

    // The attribute is "name=" (or "name " before a blank and "="), searched
    // from `de`; a name already ending in "=" is searched as it is.
    const auto posicaoAtributo = [&](std::size_t de) -> std::size_t {
        if (nome.back() == '=')
            return grupo.find(nome, de);
        const std::string comIgual = tagTexto("", nome, "=");
        const std::size_t achado = grupo.find(comIgual, de);
        return achado != npos ? achado : grupo.find(tagTexto("", nome, " "), de);
    };
    std::size_t posicao = posicaoAtributo(0);
    if (posicaoTag != npos && (posicao == npos || posicao < posicaoTag))
        posicao = posicaoAtributo(posicaoTag);
    if (posicao == npos)
        return {};

    std::string_view resto = trimText(grupo.substr(posicao + nome.size()));
    const std::size_t aspasDuplas = resto.find('"');
    const std::size_t aspasSimples = resto.find('\'');
    const char aspas = aspasDuplas != npos && (aspasSimples == npos || aspasDuplas < aspasSimples) ? '"' : '\'';
    const std::size_t abre = resto.find(aspas);
    if (abre == npos)
        return {};
    resto = trimText(resto.substr(abre + 1));
    const std::size_t fecha = resto.find(aspas);
    if (fecha == npos || fecha == 0)
        return {};
    return DesfazEscapeXML(resto.substr(0, fecha));
}
