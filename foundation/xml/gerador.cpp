#include "foundation/xml/gerador.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/detail/tag_texto.h"

namespace {

constexpr std::string_view kConteudoInvalido = "Conteúdo inválido";

// The first attribute of a group tag, for the TXT record: its name (between
// the first blank and the next "=") and its value (between the first two
// double quotes); nothing when the tag carries no `="` or `= "`.
bool primeiroAtributo(std::string_view tag, std::string_view &nome, std::string_view &valor)
{
    const std::size_t igual = tag.find('=');
    bool temAtributo = false;
    for (std::size_t i = igual; i != std::string_view::npos && !temAtributo; i = tag.find('=', i + 1)) {
        temAtributo = tag.substr(i + 1, 1) == "\"" || tag.substr(i + 1, 2) == " \"";
    }
    if (!temAtributo)
        return false;
    const std::size_t aspas1 = tag.find('"');
    const std::size_t aspas2 = tag.find('"', aspas1 + 1);
    const std::size_t espaco = tag.find(' ');
    if (aspas2 == std::string_view::npos || espaco == std::string_view::npos)
        return false;
    const std::size_t fimNome = tag.find('=', espaco + 1);
    if (fimNome == std::string_view::npos)
        return false;
    nome = tag.substr(espaco + 1, fimNome - espaco - 1);
    valor = tag.substr(aspas1 + 1, aspas2 - aspas1 - 1);
    return true;
}

// Position of the first "<" + nome + ">" in the path of open groups, found
// without building that text (every closing group looks one up).
std::size_t primeiraAbertura(std::string_view caminho, std::string_view nome)
{
    for (std::size_t pos = caminho.find(nome); pos != std::string_view::npos;
         pos = caminho.find(nome, pos + 1)) {
        const std::size_t fim = pos + nome.size();
        if (pos > 0 && caminho[pos - 1] == '<' && fim < caminho.size() && caminho[fim] == '>')
            return pos - 1;
    }
    return std::string_view::npos;
}

} // namespace

void TGerador::iniciaLinha()
{
    if (Opcoes.IdentarXML) {
        const int recuo = Opcoes.TamanhoIdentacao * Opcoes.ProfundidadeAtual;
        if (recuo > 0)
            ArquivoFormatoXML.append(static_cast<std::size_t>(recuo), ' ');
    }
}

void TGerador::terminaLinha()
{
    if (Opcoes.IdentarXML)
        ArquivoFormatoXML += "\r\n";
}

void TGerador::EscreveGrupo(std::string_view TAG, std::string_view ID, bool Recuar)
{
    const bool fechamento = !TAG.empty() && TAG.front() == '/';
    // Without a prefix the tag is TAG itself: no copy per group.
    std::string tagComPrefixo;
    std::string_view tag = TAG;
    if (!Prefixo.empty()) {
        tagComPrefixo = fechamento ? tagTexto("/", Prefixo, TAG.substr(1)) : tagTexto("", Prefixo, TAG);
        tag = tagComPrefixo;
    }

    if (fechamento) {
        FechaRegistroTXT();
    } else {
        AbreRegistroTXT(ID);
        std::string_view nomeAtributo;
        std::string_view valorAtributo;
        if (primeiroAtributo(tag, nomeAtributo, valorAtributo))
            PreencheCampoTXT(nomeAtributo, valorAtributo);
        // A self-closing element and a declaration (<?xml ...?>) close at once.
        if (tag.ends_with('/') || tag.starts_with('?'))
            FechaRegistroTXT();
    }

    if (!ComecaComItemDaLista(tag, TagsForaDoNivel))
        atualizaTagNivel(tag);

    if (Recuar && fechamento)
        --Opcoes.ProfundidadeAtual;
    if (!TagsSemRecuo.empty() && ComecaComItemDaLista(tag, TagsSemRecuo))
        --Opcoes.ProfundidadeAtual;
    iniciaLinha();
    ArquivoFormatoXML += '<';
    ArquivoFormatoXML += tag;
    ArquivoFormatoXML += '>';
    terminaLinha();
    if (Recuar && !fechamento)
        ++Opcoes.ProfundidadeAtual;
}

void TGerador::atualizaTagNivel(std::string_view tag)
{
    if (tag.empty() || tag.front() != '/') {
        tagNivel_ += '<';
        tagNivel_ += tag;
        tagNivel_ += '>';
        return;
    }
    const std::string_view nome = tag.substr(1);
    if (nome.starts_with("det")) {
        // The item group's opening tag carries the item number: everything
        // from the first item group on goes.
        const std::size_t item = tagNivel_.find("<det");
        tagNivel_.erase(item == std::string::npos ? 0 : item);
        return;
    }
    std::size_t posicao = primeiraAbertura(tagNivel_, nome);
    std::size_t tamanho = nome.size() + 2;
    if (posicao == std::string::npos) {
        // An opening tag with attributes: the latest "<name ...>".
        posicao = tagNivel_.rfind(tagTexto("<", nome, " "));
        const std::size_t fim = posicao == std::string::npos ? posicao : tagNivel_.find('>', posicao);
        tamanho = fim == std::string::npos ? 0 : fim + 1 - posicao;
    }
    if (posicao != std::string::npos)
        tagNivel_.erase(posicao, tamanho);
}

void TGerador::AdicionaAlerta(std::string_view ID, std::string_view TAG, std::string_view Descricao,
                              std::string_view Alerta)
{
    if (trimText(Alerta).empty())
        return;
    std::string linha = replaceAll(Opcoes.FormatoAlerta, "%TAGNIVEL%", tagNivel_);
    linha = replaceAll(linha, "%TAG%", TAG);
    linha = replaceAll(linha, "%ID%", ID);
    linha = replaceAll(linha, "%MSG%", Alerta);
    linha = replaceAll(linha, "%DESCRICAO%", trimText(Descricao));
    ListaDeAlertas.push_back(std::move(linha));
}

void TGerador::EscreveTexto(std::string_view Texto)
{
    ArquivoFormatoXML += Texto;
}

void TGerador::EscreveCNPJouCPF(std::string_view IDCNPJ, std::string_view IDCPF, std::string_view Valor,
                                std::int16_t Ocorrencias, bool CompletarZeros)
{
    std::string digitos = SomenteDigitos(trimText(Valor));
    std::size_t tamanho = digitos.size();
    if (tamanho >= 1 && tamanho <= 11) {
        if (CompletarZeros && tamanho != 11) {
            digitos = CompletaEsquerda(digitos, 11, '0');
            tamanho = 11;
        }
        EscreveCampo(vcTexto, IDCPF, "CPF", 0, 11, Ocorrencias, digitos, "", true, "");
        if (!CPFValido(digitos))
            AdicionaAlerta(IDCPF, "CPF", "CPF", kConteudoInvalido);
    } else {
        if (CompletarZeros && (Ocorrencias != 0 || tamanho > 0) && tamanho != 14) {
            digitos = CompletaEsquerda(digitos, 14, '0');
            tamanho = 14;
        }
        EscreveCampo(vcTexto, IDCNPJ, "CNPJ", 0, 14, Ocorrencias, digitos, "", true, "");
        if (tamanho > 0 && !CNPJValido(digitos))
            AdicionaAlerta(IDCNPJ, "CNPJ", "CNPJ", kConteudoInvalido);
    }
    if (tamanho != 0 && tamanho != 11 && tamanho != 14)
        AdicionaAlerta(std::string(IDCNPJ) + "-" + std::string(IDCPF), "CNPJ-CPF", "CNPJ/CPF",
                       kConteudoInvalido);
}

void TGerador::EscreveCNPJ(std::string_view ID, std::string_view CNPJ, int CodigoPais, bool Obrigatorio)
{
    if (CodigoPais != 1058) {
        EscreveCampo(vcTexto, ID, "CNPJ", 0, 0, 1, "", "");
        return;
    }
    const std::string digitos = SomenteDigitos(trimText(CNPJ));
    EscreveCampo(vcDigitos, ID, "CNPJ", 14, 14, Obrigatorio ? 1 : 0, digitos, "CNPJ(MF)", true, "");
    if (!CNPJValido(digitos))
        AdicionaAlerta(ID, "CNPJ", "CNPJ(MF)", kConteudoInvalido);
}

// ---- TXT output --------------------------------------------------------------

void TGerador::AbreRegistroTXT(std::string_view ID)
{
    idNivel_ = upperAscii(ID);
    idsAbertos_.push_back(idNivel_);
    if (LayoutArquivoTXT.empty())
        return;
    registrosTxt_.AbreRegistro(LayoutArquivoTXT, idNivel_);
}

void TGerador::FechaRegistroTXT()
{
    if (!idsAbertos_.empty())
        idsAbertos_.pop_back();
    idNivel_ = idsAbertos_.empty() ? std::string() : idsAbertos_.back();
    if (LayoutArquivoTXT.empty())
        return;
    registrosTxt_.FechaRegistro();
}

void TGerador::IDNivel(std::string_view ID)
{
    idNivel_ = upperAscii(ID);
    if (LayoutArquivoTXT.empty())
        return;
    registrosTxt_.RetomaRegistro(LayoutArquivoTXT, idNivel_);
}

bool TGerador::PreencheCampoTXT(std::string_view TAG, std::string_view Valor)
{
    if (LayoutArquivoTXT.empty())
        return false;
    return registrosTxt_.PreencheCampo(LayoutArquivoTXT, TAG, Valor);
}

void TGerador::preencheValorTXT(std::string_view id, std::string_view tag, std::string_view descricao,
                                std::string_view valor, std::string_view conteudo)
{
    bool alterado = false;
    const std::string texto = ValorParaTXT(conteudo, Opcoes.QuebraLinha, alterado);
    if (!PreencheCampoTXT(tag, texto) && !texto.empty())
        AdicionaAlerta(id, tag, descricao, kSemRegistroTXT);
    else if (alterado || valor.find_first_of("\r\n|") != std::string_view::npos)
        AdicionaAlerta(id, tag, descricao, kValorAlteradoTXT);
}

void TGerador::ConcluiTXT(std::string_view ID)
{
    if (LayoutArquivoTXT.empty())
        return;
    ArquivoFormatoTXT = registrosTxt_.Conclui(LayoutArquivoTXT, ID);
    registrosTxt_.Limpa();
    idsAbertos_.clear();
}
