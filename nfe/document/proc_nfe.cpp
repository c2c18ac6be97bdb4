#include "nfe/document/proc_nfe.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/base/quib_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/leitor.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/nfe_namespace.h"

namespace {

constexpr std::string_view kMsgArquivoNaoEncontrado = "Arquivo não encontrado";
constexpr std::string_view kMsgNenhumValor = "Nenhum valor informado";
constexpr std::string_view kMsgConteudoInvalido = "Conteúdo inválido";

constexpr std::string_view kInicioNFe = "<NFe xmlns";
constexpr std::string_view kFimNFe = "</NFe>";

bool arquivoExiste(const std::string &path)
{
    std::error_code erro;
    return !path.empty() && std::filesystem::is_regular_file(path, erro);
}

// A whole text file as UTF-8: a UTF-8 BOM is dropped, text that is not
// UTF-8 is read as Windows-1252.
std::string leArquivoTexto(const std::string &path)
{
    std::ifstream arquivo(path, std::ios::binary);
    std::ostringstream conteudo;
    if (!arquivo || !(conteudo << arquivo.rdbuf()))
        throw EQuibException("Não foi possível ler o arquivo: " + path);
    std::string texto = std::move(conteudo).str();
    if (texto.starts_with("\xEF\xBB\xBF"))
        texto.erase(0, 3);
    return AnsiParaUTF8(texto);
}

// Text made safe for element content and attribute values.
std::string escapa(std::string_view texto)
{
    return ConverteEntidades(texto, false, true);
}

std::string elemento(std::string_view nome, std::string_view conteudoXml)
{
    std::string xml;
    xml.append("<").append(nome).append(">").append(conteudoXml).append("</").append(nome).append(">");
    return xml;
}

bool ehCancelamento(std::string_view cStat)
{
    return cStat == "101" || cStat == "151" || cStat == "155";
}

// The message pair of infProt is a sequence that the schema wants whole and
// with a text of at least one character, so it is written only when it says
// something.
bool temMensagem(std::string_view cMsg, std::string_view xMsg)
{
    const std::string_view codigo = trimText(cMsg);
    return (!codigo.empty() && codigo.find_first_not_of('0') != std::string_view::npos) ||
           !trimText(xMsg).empty();
}

} // namespace

TProcNFe::TProcNFe()
{
    // The declaration and the nfeProc tag stay out of the alert path, so a
    // reused builder's alerts name no group of an earlier document.
    Gerador.TagsForaDoNivel = "|?xml version|nfeProc versao|";
}

std::string TProcNFe::ExtrairGrupo(std::string_view elementoNome, std::string_view xml)
{
    const std::string inicio = "<" + std::string(elementoNome) + ">";
    const std::string fim = "</" + std::string(elementoNome) + ">";
    return inicio + TextoEntreMarcas(xml, inicio, fim) + fim;
}

void TProcNFe::alerta(std::string_view id, std::string_view tag, std::string_view descricao,
                      std::string_view mensagem)
{
    Gerador.AdicionaAlerta(id, tag, descricao, mensagem);
}

bool TProcNFe::MontarXml()
{
    Gerador.ListaDeAlertas.clear();
    Gerador.ArquivoFormatoXML.clear();

    if (XmlNFe.empty() && XmlProtNFe.empty())
        montaTextosDosArquivos();

    if (Gerador.ListaDeAlertas.empty())
        montaNfeProc();

    return Gerador.ListaDeAlertas.empty();
}

void TProcNFe::montaTextosDosArquivos()
{
    std::string nota;
    if (arquivoExiste(PathNFe))
        nota = leArquivoTexto(PathNFe);
    else
        alerta("XR04", "NFE", "NFE", kMsgArquivoNaoEncontrado);

    chNFe = TextoEntreMarcas(nota, "Id=\"NFe", "\"");
    if (trimText(chNFe).empty())
        alerta("XR01", "ID/NFE", "Numero da chave da NFe", kMsgNenhumValor);

    const bool temLote = !PathRetornoLote.empty();
    const bool temConsulta = !PathRetornoConsulta.empty();
    std::string protocolo;
    if (!temLote && !temConsulta) {
        if (!chNFe.empty() || !nProt.empty())
            protocolo = protocoloDosCampos();
        else
            alerta("XR06", "RECIBO/SITUAÇÃO", "RECIBO/SITUAÇÃO", kMsgArquivoNaoEncontrado);
    } else if (temLote && !temConsulta) {
        protocolo = protocoloDoLote();
    } else if (temConsulta && !temLote) {
        protocolo = protocoloDaConsulta();
    }
    // Both answer files given: no protocol; the assembly reports it missing.

    XmlNFe = std::move(nota);
    XmlProtNFe = std::move(protocolo);
}

std::string TProcNFe::protocoloDoLote()
{
    if (!arquivoExiste(PathRetornoLote)) {
        alerta("XR06", "PROTOCOLO", "PROTOCOLO", kMsgArquivoNaoEncontrado);
        return {};
    }
    TLeitor leitor;
    leitor.LeArquivo(PathRetornoLote);

    // Only the group of this note's key is taken. Its match drops the alerts
    // of the groups tried before it, not those raised before the search.
    const std::size_t alertasAntes = Gerador.ListaDeAlertas.size();
    const bool temChave = !trimText(chNFe).empty();
    for (int item = 1;; ++item) {
        std::string grupo = leitor.ExtraiGrupo(1, "protNFe", "", item);
        if (grupo.empty())
            break;
        if (temChave && textoDoValor(leitor.LeCampo(vcTexto, "chNFe")) == chNFe) {
            nProt = textoDoValor(leitor.LeCampo(vcTexto, "nProt"));
            if (!trimText(nProt).empty()) {
                Gerador.ListaDeAlertas.resize(alertasAntes);
                return grupo;
            }
        }
        alerta("XR01", "PROTOCOLO/NFe", "Numero do protocolo", kMsgNenhumValor);
    }
    return {};
}

std::string TProcNFe::protocoloDaConsulta()
{
    if (!arquivoExiste(PathRetornoConsulta)) {
        alerta("XR06", "SITUAÇÃO", "SITUAÇÃO", kMsgArquivoNaoEncontrado);
        return {};
    }
    const std::string resposta = leArquivoTexto(PathRetornoConsulta);
    const std::string situacao(trimText(TextoEntreMarcas(resposta, "<cStat>", "</cStat>")));

    // Cancelled notes of the older layouts carry infCanc; from 4.00 the answer
    // keeps the authorisation in infProt, which then holds the protocol.
    std::string bloco;
    if (ehCancelamento(situacao))
        bloco = TextoEntreMarcas(resposta, "<infCanc", "</infCanc>");
    if (bloco.empty())
        bloco = TextoEntreMarcas(resposta, "<infProt", "</infProt>");
    const std::string numeroProtocolo =
        ConverteEntidades(TextoEntreMarcas(bloco, "<nProt>", "</nProt>"), true, true);

    std::string xml = "<protNFe versao=\"" + escapa(Versao) + "\">";
    xml += "<infProt Id=\"ID" + escapa(numeroProtocolo) + "\">";
    xml += ExtrairGrupo("tpAmb", resposta);
    xml += ExtrairGrupo("verAplic", resposta);
    xml += ExtrairGrupo("chNFe", resposta);
    xml += ExtrairGrupo("dhRecbto", bloco);
    xml += ExtrairGrupo("nProt", bloco);
    xml += ExtrairGrupo("digVal", resposta);
    xml += ExtrairGrupo("cStat", resposta);
    xml += ExtrairGrupo("xMotivo", resposta);
    if (temMensagem(TextoEntreMarcas(resposta, "<cMsg>", "</cMsg>"),
                    TextoEntreMarcas(resposta, "<xMsg>", "</xMsg>"))) {
        xml += ExtrairGrupo("cMsg", resposta);
        xml += ExtrairGrupo("xMsg", resposta);
    }
    xml += "</infProt></protNFe>";
    return xml;
}

std::string TProcNFe::protocoloDosCampos() const
{
    std::string uf = verAplic.substr(0, 2);
    if (uf == "SV")
        uf = SiglaUFDoCodigo(UFDaChave(chNFe));

    std::string recebimento = FormataDataHoraISO(dhRecbto);
    if (Versao >= "3.10")
        recebimento += dhRecbtoFuso.Para(dhRecbto, uf);

    const std::string id = nProt.find("ID") != std::string::npos ? nProt : "ID" + nProt;

    std::string xml = "<protNFe versao=\"" + escapa(Versao) + "\">";
    xml += "<infProt Id=\"" + escapa(id) + "\">";
    xml += elemento("tpAmb", TipoAmbienteParaCodigo(tpAmb));
    xml += elemento("verAplic", escapa(verAplic));
    xml += elemento("chNFe", escapa(chNFe));
    xml += elemento("dhRecbto", recebimento);
    xml += elemento("nProt", escapa(nProt));
    xml += elemento("digVal", escapa(digVal));
    xml += elemento("cStat", std::to_string(cStat));
    xml += elemento("xMotivo", escapa(xMotivo));
    if (cMsg > 0 || !xMsg.empty()) {
        xml += elemento("cMsg", std::to_string(cMsg));
        xml += elemento("xMsg", escapa(xMsg));
    }
    xml += "</infProt></protNFe>";
    return xml;
}

bool TProcNFe::montaNfeProc()
{
    const std::size_t inicio = XmlNFe.find(kInicioNFe);
    const std::size_t fim = inicio == std::string::npos ? std::string::npos : XmlNFe.find(kFimNFe, inicio);
    if (fim == std::string::npos) {
        alerta("XR04", "NFE", "NFE", XmlNFe.empty() ? kMsgNenhumValor : kMsgConteudoInvalido);
        return false;
    }
    const std::string protocolo = RetiraDeclaracaoXML(XmlProtNFe, true);
    if (trimText(protocolo).empty()) {
        alerta("XR06", "PROTOCOLO", "PROTOCOLO", kMsgNenhumValor);
        return false;
    }

    Gerador.EscreveGrupo("?xml version=\"1.0\" encoding=\"UTF-8\"?", "", false);
    Gerador.EscreveGrupo("nfeProc versao=\"" + escapa(Versao) + "\" xmlns=\"" + kNamespaceNFe + "\"");
    Gerador.EscreveTexto(std::string_view(XmlNFe).substr(inicio, fim + kFimNFe.size() - inicio));
    Gerador.EscreveTexto(protocolo);
    Gerador.EscreveGrupo("/nfeProc");
    return true;
}
