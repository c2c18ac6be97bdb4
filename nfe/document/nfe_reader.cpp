// TNFeR: the reader object, the order of the sections, the frame (`infNFe`
// attributes), the signature, the NFC-e supplement and the protocol.
#include "nfe/document/nfe_reader.h"

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

#include "foundation/base/quib_exception.h"
#include "foundation/codes/conversao.h"
#include "foundation/numbers/number_date_utils.h"
#include "nfe/document/detail/nfe_reader_fields.h"
#include "nfe/document/detail/nfe_reader_sections.h"
#include "nfe/document/detail/nfe_reader_walk.h"

using nfe_reader::CamposNFe;
using nfe_reader::extraiGrupo;
using nfe_reader::LeitorNFe;

namespace {

bool temDigito(std::string_view texto)
{
    for (const char c : texto) {
        if (c >= '0' && c <= '9')
            return true;
    }
    return false;
}

// Position of the first `agulha` in `texto` at or after `inicio`; npos when
// absent. The tags looked for lie at the end of a long text, or nowhere.
std::size_t posicaoDesde(std::string_view texto, std::string_view agulha, std::size_t inicio)
{
    const std::boyer_moore_horspool_searcher busca(agulha.begin(), agulha.end());
    const std::string_view resto = texto.substr(std::min(inicio, texto.size()));
    const auto achado = std::search(resto.begin(), resto.end(), busca);
    return achado == resto.end() ? std::string_view::npos
                                 : inicio + static_cast<std::size_t>(achado - resto.begin());
}

// A text cut short (a download or a copy that stopped) would read as a note
// without its items or totals: every part that opens must close.
void exigeGruposFechados(std::string_view texto)
{
    for (const std::string_view grupo : {"infNFe", "Signature", "infNFeSupl", "protNFe"}) {
        const std::string abertura = "<" + std::string(grupo);
        std::size_t inicio = posicaoDesde(texto, abertura, 0);
        while (inicio != std::string_view::npos) {
            const char depois =
                inicio + abertura.size() < texto.size() ? texto[inicio + abertura.size()] : '\0';
            if (depois == '>' || depois == ' ' || depois == '\t' || depois == '\r' || depois == '\n')
                break;
            inicio = posicaoDesde(texto, abertura, inicio + 1);
        }
        if (inicio != std::string_view::npos &&
            posicaoDesde(texto, "</" + std::string(grupo) + ">", inicio) == std::string_view::npos)
            throw EQuibException("Documento incompleto: o grupo " + std::string(grupo) +
                                 " não foi fechado (o arquivo está truncado ou corrompido)");
    }
}

// `Id` and `versao` of `infNFe`, read from the whole text.
void lerInfNFe(LeitorNFe &leitor, TNFe &nfe)
{
    exigeGruposFechados(leitor.xml().Arquivo());
    const std::string id = leitor.xml().LeAtributo("Id=", "infNFe");
    if (!temDigito(id))
        throw EQuibException("Não encontrei o atributo: Id");
    nfe.infNFe.Id = id;

    const std::string versao = leitor.xml().LeAtributo("versao=", "infNFe");
    if (TextoParaFloatOuPadrao(versao, -1) == -1)
        throw EQuibException("Não encontrei o atributo: versao");
    nfe.infNFe.versao = TextoParaFloat(versao);
}

// The values of the signature, from the whole text; not verified here.
void lerAssinatura(LeitorNFe &leitor, TNFe &nfe)
{
    leitor.xml().setGrupoComoArquivo();
    const CamposNFe c(leitor.xml());
    nfe.Signature.URI = c.atributo("Reference URI=");
    nfe.Signature.DigestValue = c.texto("DigestValue");
    nfe.Signature.SignatureValue = c.texto("SignatureValue");
    nfe.Signature.X509Certificate = c.texto("X509Certificate");
}

void removePrimeira(std::string &texto, std::string_view trecho)
{
    const std::size_t posicao = texto.find(trecho);
    if (posicao != std::string::npos)
        texto.erase(posicao, trecho.size());
}

void lerInfNFeSupl(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "infNFeSupl"))
        return;
    const CamposNFe c(leitor.xml());
    // A code written inside a CDATA section is kept bare.
    std::string qrCode = c.texto("qrCode");
    removePrimeira(qrCode, "<![CDATA[");
    removePrimeira(qrCode, "]]>");
    nfe.infNFeSupl.qrCode = std::move(qrCode);
    nfe.infNFeSupl.urlChave = c.texto("urlChave");
}

// The authorisation protocol of an `nfeProc`; its elements come from `infProt`.
void lerProtocolo(LeitorNFe &leitor, TNFe &nfe)
{
    if (!extraiGrupo(leitor, 1, "protNFe"))
        return;
    const CamposNFe c(leitor.xml());
    TProcNFe &proc = nfe.procNFe;
    proc.tpAmb = c.codigo(CodigoParaTipoAmbiente, "tpAmb");
    proc.verAplic = c.texto("verAplic");
    proc.chNFe = c.texto("chNFe");
    proc.dhRecbto = c.dataHora("dhRecbto", proc.dhRecbtoFuso);
    proc.nProt = c.texto("nProt");
    proc.digVal = c.texto("digVal");
    proc.cStat = c.inteiro("cStat");
    proc.xMotivo = c.texto("xMotivo");
    proc.cMsg = c.inteiro("cMsg");
    proc.xMsg = c.texto("xMsg");
}

} // namespace

TNFeR::TNFeR(TNFe &NFe) : leitor_(std::make_unique<TLeitor>()), nfe_(&NFe) {}

void TNFeR::setLeitor(std::unique_ptr<TLeitor> leitor)
{
    if (!leitor)
        throw std::invalid_argument("TNFeR precisa de um leitor de XML");
    leitor_ = std::move(leitor);
}

bool TNFeR::ImportarXml()
{
    using namespace nfe_reader;
    LeitorNFe leitor(*leitor_);
    TNFe &nfe = *nfe_;

    leitor.xml().setGrupoComoArquivo();
    // The item numbers are quoted like the version.
    const char aspas = leitor.xml().Arquivo().find("versao=\"") != std::string::npos ? '"' : '\'';
    lerInfNFe(leitor, nfe);
    const double versao = nfe.infNFe.VersaoOuPadrao();

    lerIde(leitor, nfe, versao);
    lerEmit(leitor, nfe);
    lerAvulsa(leitor, nfe);
    lerDest(leitor, nfe, versao);
    lerRetiradaEntrega(leitor, nfe);
    lerAutXML(leitor, nfe);
    lerItens(leitor, nfe, aspas);
    lerTotal(leitor, nfe, versao);
    lerTransp(leitor, nfe);
    lerCobr(leitor, nfe);
    lerPag(leitor, nfe, versao);
    lerInfIntermed(leitor, nfe);
    lerInfAdic(leitor, nfe);
    lerExporta(leitor, nfe);
    lerCompra(leitor, nfe);
    lerCana(leitor, nfe);
    lerInfRespTec(leitor, nfe);
    lerAssinatura(leitor, nfe);
    lerInfNFeSupl(leitor, nfe);
    lerProtocolo(leitor, nfe);
    return true;
}
