#include "nfe/document/nfe_writer.h"

#include <charconv>

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/dfe_municipios.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/detail/nfe_writer_txt.h"
#include "nfe/document/nfe_namespace.h"

namespace {

constexpr int kPaisBrasil = 1058;
constexpr int kMunicipioExterior = 9999999;

// Text put into markup that the writer builds itself: the five XML special
// characters become entities, so no value can break the document.
std::string escapaXML(std::string_view texto)
{
    return ConverteEntidades(texto, false, true);
}

// The code of an enumeration read as a whole number; 0 when it is not one.
int codigoComoInteiro(std::string_view codigo)
{
    int valor = 0;
    const auto [fim, erro] = std::from_chars(codigo.data(), codigo.data() + codigo.size(), valor);
    if (erro != std::errc() || fim != codigo.data() + codigo.size())
        return 0;
    return valor;
}

std::string elemento(std::string_view tag, std::string_view conteudo)
{
    std::string texto;
    texto.reserve(tag.size() * 2 + conteudo.size() + 5);
    texto += '<';
    texto += tag;
    texto += '>';
    texto += conteudo;
    texto += "</";
    texto += tag;
    texto += '>';
    return texto;
}

} // namespace

TNFeW::TNFeW(TNFe &nfe) : NFe(nfe)
{
    Gerador.TagsForaDoNivel = "|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|";
    Gerador.Opcoes.QuebraLinha = ";";
}

void TNFeW::alertaConteudoInvalido(std::string_view id, std::string_view tag, std::string_view descricao)
{
    Gerador.AdicionaAlerta(id, tag, descricao, "Conteúdo inválido");
}

void TNFeW::alertaOcorrencias(std::string_view id, std::string_view tag, std::string_view descricao,
                              int maximo)
{
    Gerador.AdicionaAlerta(id, tag, descricao,
                           "Número de ocorrências maior que o máximo permitido - Máximo " +
                               std::to_string(maximo));
}

bool TNFeW::MontarXml()
{
    Gerador.ListaDeAlertas.clear();
    LayoutDesde310 = versao() >= 3.1;
    VersaoTexto = NFe.infNFe.AtributoVersao().substr(8, 4);

    // The key: the emitter's CNPJ/CPF, or the tax office's CNPJ for a note it issued.
    std::string documentoEmitente = NFe.emit.CNPJCPF;
    if (!NFe.avulsa.CNPJ.empty())
        documentoEmitente = NFe.avulsa.CNPJ;
    ChaveAcesso = MontaChaveAcesso(NFe.ide.cUF, documentoEmitente, NFe.ide.serie, NFe.ide.dEmi, NFe.ide.nNF,
                                   codigoComoInteiro(TipoEmissaoParaCodigo(NFe.ide.tpEmis)), NFe.ide.cNF,
                                   NFe.ide.mod, -1);
    NFe.infNFe.Id = "NFe" + ChaveAcesso;
    NFe.ide.cDV = DigitoDaChave(NFe.infNFe.Id);
    NFe.ide.cNF = CodigoNumericoDaChave(NFe.infNFe.Id);

    Gerador.LayoutArquivoTXT.Limpa();
    if (Opcoes.GerarTXTSimultaneamente)
        Gerador.LayoutArquivoTXT.AtribuiAnalisadas(modeloTXTDoEscritor(VersaoTexto));
    Gerador.ArquivoFormatoXML.clear();
    Gerador.ArquivoFormatoTXT.clear();

    const std::string atributoNamespace = "xmlns=\"" + std::string(kNamespaceNFe) + "\"";
    const bool autorizada = !NFe.procNFe.nProt.empty();
    if (autorizada)
        Gerador.EscreveGrupo("nfeProc " + NFe.infNFe.AtributoVersao() + " " + atributoNamespace);
    Gerador.EscreveGrupo("NFe " + atributoNamespace);
    Gerador.EscreveGrupo("infNFe " + NFe.infNFe.AtributoVersao() + " Id=\"" + escapaXML(NFe.infNFe.Id) +
                         "\"");
    MontarInfNFe();
    Gerador.EscreveGrupo("/infNFe");
    EscreveInfNFeSupl();
    if (deveEscreverAssinatura())
        EscreveAssinatura();
    Gerador.EscreveGrupo("/NFe");
    if (autorizada) {
        Gerador.EscreveTexto(textoProtocolo());
        Gerador.EscreveGrupo("/nfeProc");
    }
    Gerador.ConcluiTXT(NFe.infNFe.Id);
    return Gerador.ListaDeAlertas.empty();
}

void TNFeW::MontarInfNFe()
{
    EscreveIde();
    EscreveEmit();
    EscreveAvulsa();
    if (!NFe.dest.CNPJCPF.empty() || !NFe.dest.idEstrangeiro.empty() || NFe.dest.enderDest.UF == "EX" ||
        NFe.ide.mod != 65)
        EscreveDest();
    EscreveRetirada();
    EscreveEntrega();
    EscreveAutXML();
    EscreveDet();
    EscreveTotal();
    EscreveTransp();
    EscreveCobr();
    if ((versao() >= 3 && NFe.ide.mod != 55) || versao() >= 4)
        EscrevePag();
    if (versao() >= 4)
        EscreveInfIntermed();
    EscreveInfAdic();
    EscreveExporta();
    EscreveCompra();
    EscreveCana();
    if (versao() >= 4)
        EscreveInfRespTec();
}

void TNFeW::EscreveInfNFeSupl()
{
    const TinfNFeSupl &supl = NFe.infNFeSupl;
    if (supl.qrCode.empty())
        return;
    Gerador.EscreveGrupo("infNFeSupl");
    // A QR code in the "?p=" form is plain text; any other is kept whole in a
    // CDATA section. Plain text is escaped so that it cannot break the document.
    std::string qrCode = supl.qrCode;
    if (qrCode.find("?p=") == std::string::npos)
        qrCode = "<![CDATA[" + qrCode + "]]>";
    else
        qrCode = escapaXML(qrCode);
    Gerador.EscreveCampo(vcTexto, "ZX02", "qrCode", 100, 600, 1, qrCode,
                         "Texto com o QR-Code impresso no DANFE NFC-e.", false);
    if (versao() >= 4)
        Gerador.EscreveCampo(vcTexto, "ZX03", "urlChave", 21, 85, 1, escapaXML(supl.urlChave),
                             "URL de consulta por chave de acesso a ser impressa no DANFE NFC-e", false);
    Gerador.EscreveGrupo("/infNFeSupl");
}

bool TNFeW::deveEscreverAssinatura() const
{
    const TSignature &assinatura = NFe.Signature;
    const bool assinada = !assinatura.DigestValue.empty() && !assinatura.SignatureValue.empty() &&
                          !assinatura.X509Certificate.empty();
    const bool semAssinatura = assinatura.DigestValue.empty() && assinatura.SignatureValue.empty() &&
                               assinatura.X509Certificate.empty();
    switch (Opcoes.GerarTagAssinatura) {
    case taSempre:
        return true;
    case taNunca:
        return false;
    case taSomenteSeAssinada:
        return assinada;
    case taSomenteParaNaoAssinada:
        return semAssinatura;
    }
    return false;
}

void TNFeW::EscreveAssinatura()
{
    TSignature &assinatura = NFe.Signature;
    assinatura.URI = "#NFe" + SomenteDigitos(NFe.infNFe.Id);
    assinatura.Gerador.Opcoes.IdentarXML = Gerador.Opcoes.IdentarXML;
    // The block's answer is not used: its alerts (an over-long certificate)
    // would otherwise pile up with every write of the note.
    assinatura.Gerador.ListaDeAlertas.clear();
    assinatura.MontarXml();
    Gerador.ArquivoFormatoXML += assinatura.Gerador.ArquivoFormatoXML;
}

std::string TNFeW::textoProtocolo() const
{
    const TProcNFe &prot = NFe.procNFe;
    std::string dhRecbto = FormataDataHoraISO(prot.dhRecbto);
    if (versao() >= 3.1)
        dhRecbto += prot.dhRecbtoFuso.Para(prot.dhRecbto, SiglaUFDoCodigo(NFe.ide.cUF));

    std::string texto = "<protNFe " + NFe.infNFe.AtributoVersao() + "><infProt>";
    texto += elemento("tpAmb", TipoAmbienteParaCodigo(prot.tpAmb));
    texto += elemento("verAplic", escapaXML(prot.verAplic));
    texto += elemento("chNFe", escapaXML(prot.chNFe));
    texto += elemento("dhRecbto", dhRecbto);
    texto += elemento("nProt", escapaXML(prot.nProt));
    texto += elemento("digVal", escapaXML(prot.digVal));
    texto += elemento("cStat", std::to_string(prot.cStat));
    texto += elemento("xMotivo", escapaXML(prot.xMotivo));
    if (prot.cMsg > 0 || !prot.xMsg.empty()) {
        texto += elemento("cMsg", std::to_string(prot.cMsg));
        texto += elemento("xMsg", escapaXML(prot.xMsg));
    }
    texto += "</infProt></protNFe>";
    return texto;
}

void TNFeW::AjustaMunicipioUF(int cMun, std::string_view xMun, std::string_view UF, int cPais,
                              std::string &UFOut, std::string &xMunOut, int &cMunOut)
{
    if (cPais == kPaisBrasil) {
        cMunOut = cMun;
        xMunOut = std::string(xMun);
        UFOut = std::string(UF);
    } else {
        cMunOut = kMunicipioExterior;
        xMunOut = "EXTERIOR";
        UFOut = "EX";
    }
    if (!Opcoes.NormatizarMunicipios)
        return;
    if (cMunOut == 0 && xMunOut != "EXTERIOR")
        cMunOut = CodigoMunicipioPorNome(xMunOut, UFOut, Opcoes.PathArquivoMunicipios);
    else if (xMunOut.empty() && cMunOut != kMunicipioExterior)
        xMunOut = NomeMunicipioPorCodigo(cMunOut, UFOut, Opcoes.PathArquivoMunicipios, true);
}
