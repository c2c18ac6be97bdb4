#include "console/config_geral/exibicao_resposta.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <memory>

namespace {

constexpr std::string_view kEspacoInseparavel = "\xC2\xA0";

struct LiberaDocumento {
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};
struct LiberaContexto {
    void operator()(xmlParserCtxt *ctxt) const { xmlFreeParserCtxt(ctxt); }
};

std::string texto(const xmlChar *valor)
{
    return valor ? std::string(reinterpret_cast<const char *>(valor)) : std::string();
}

bool soEspacos(const xmlChar *valor)
{
    for (const xmlChar *c = valor; c && *c; ++c)
        if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n')
            return false;
    return true;
}

bool mostrado(const xmlNode *no)
{
    switch (no->type) {
    case XML_ELEMENT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
        return true;
    case XML_TEXT_NODE:
        return !soEspacos(no->content);
    default:
        return false;
    }
}

NoArvore montaNo(const xmlNode *no)
{
    NoArvore item;
    item.legenda = std::string(kEspacoInseparavel) +
                   (no->type == XML_ELEMENT_NODE ? texto(no->name) : texto(no->content));
    for (const xmlNode *filho = no->children; filho; filho = filho->next)
        if (mostrado(filho))
            item.filhos.push_back(montaNo(filho));
    return item;
}

} // namespace

std::string RemoverElementoXML(std::string_view texto, std::string_view tag)
{
    const std::string abre = "<" + std::string(tag);
    const std::string fecha = "</" + std::string(tag) + ">";
    std::string resultado(texto);
    for (auto inicio = resultado.find(abre); inicio != std::string::npos; inicio = resultado.find(abre)) {
        const auto fim = resultado.find(fecha, inicio + abre.size());
        if (fim == std::string::npos)
            break;
        const std::string elemento = resultado.substr(inicio, fim + fecha.size() - inicio);
        resultado = SubstituirTexto(resultado, elemento, "");
    }
    return resultado;
}

std::string SubstituirTexto(std::string_view texto, std::string_view antigo, std::string_view novo)
{
    if (antigo.empty())
        return std::string(texto);
    if (novo.find(antigo) != std::string_view::npos) {
        // Scanning again would find the replacement itself: one pass.
        std::string resultado;
        std::size_t de = 0;
        for (auto pos = texto.find(antigo); pos != std::string_view::npos; pos = texto.find(antigo, de)) {
            resultado.append(texto.substr(de, pos - de)).append(novo);
            de = pos + antigo.size();
        }
        return resultado.append(texto.substr(de));
    }
    // A replacement may join the text around it into a new occurrence, so
    // the scan goes on from where one could begin: before the replacement no
    // occurrence was left.
    std::string resultado(texto);
    for (auto pos = resultado.find(antigo); pos != std::string::npos;) {
        resultado.replace(pos, antigo.size(), novo);
        pos = resultado.find(antigo, pos >= antigo.size() - 1 ? pos - (antigo.size() - 1) : 0);
    }
    return resultado;
}

NoArvore ArvoreDoXML(std::string_view xml)
{
    std::unique_ptr<xmlParserCtxt, LiberaContexto> contexto(xmlNewParserCtxt());
    if (!contexto)
        throw ErroXMLResposta("Não foi possível ler a resposta como XML.");
    constexpr int kOpcoes = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::unique_ptr<xmlDoc, LiberaDocumento> doc(xmlCtxtReadMemory(
        contexto.get(), xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, kOpcoes));
    const xmlNode *raiz = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!raiz) {
        const xmlError *erro = xmlCtxtGetLastError(contexto.get());
        std::string motivo = erro && erro->message ? erro->message : "documento vazio";
        while (!motivo.empty() && (motivo.back() == '\n' || motivo.back() == ' '))
            motivo.pop_back();
        throw ErroXMLResposta("A resposta não é um XML válido: " + motivo + ".");
    }
    return montaNo(raiz);
}
