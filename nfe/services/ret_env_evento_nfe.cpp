#include "nfe/services/ret_env_evento_nfe.h"

#include "foundation/codes/conversao_nfe.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/detail/campos_resposta.h"

namespace {

// The signed event: infEvento, its detEvento and the evento's Signature.
void leEventoAssinado(TLeitor &leitor, TInfEvento &evento, TSignature &assinatura)
{
    const nfe_services::CamposResposta campos(leitor);
    if (!leitor.ExtraiGrupo(2, "infEvento").empty()) {
        evento.Id = campos.atributo("Id");
        evento.SetcOrgao(campos.inteiro("cOrgao"));
        evento.tpAmb = campos.tpAmb();
        evento.CNPJ = campos.cnpjCpf();
        evento.chNFe = campos.texto("chNFe");
        evento.dhEvento = campos.dataHora("dhEvento");
        evento.tpEvento = CodigoParaTipoEventoNFe(campos.texto("tpEvento"));
        evento.nSeqEvento = campos.inteiro("nSeqEvento");
        evento.verEvento = campos.decimal("verEvento").toString();

        if (!leitor.ExtraiGrupo(3, "detEvento").empty()) {
            TDetEvento &d = evento.detEvento;
            d.descEvento = campos.texto("descEvento");
            d.xCorrecao = campos.texto("xCorrecao");
            d.SetxCondUso(campos.texto("xCondUso"));
            d.nProt = campos.texto("nProt");
            d.xJust = campos.texto("xJust");
            d.cOrgaoAutor = campos.inteiro("cOrgaoAutor");
            d.tpAutor = CodigoParaAutorEvento(campos.texto("tpAutor"));
            d.verAplic = campos.texto("verAplic");
            d.dhEmi = campos.dataHora("dhEmi");
            d.tpNF = CodigoParaTipoDocFiscal(campos.texto("tpNF"));
            d.IE = campos.texto("IE");
            d.dhEntrega = campos.dataHora("dhEntrega");
            d.nDoc = campos.texto("nDoc");
            d.xNome = campos.texto("xNome");
            d.latGPS = std::get<double>(leitor.LeCampo(vcDecimal6, "latGPS"));
            d.longGPS = std::get<double>(leitor.LeCampo(vcDecimal6, "longGPS"));
            d.hashComprovante = campos.texto("hashComprovante");
            d.dhHashComprovante = campos.dataHora("dhHashComprovante");
            d.nProtEvento = campos.texto("nProtEvento");
            d.tpAutorizacao = CodigoParaPermissaoTransportador(campos.texto("tpAutorizacao"));
            if (!leitor.ExtraiGrupo(4, "dest").empty()) {
                d.dest.UF = campos.texto("UF");
                d.dest.CNPJCPF = campos.cnpjCpf();
                d.dest.idEstrangeiro = campos.texto("idEstrangeiro");
                d.dest.IE = campos.texto("IE");
                d.vNF = campos.decimal("vNF");
                d.vICMS = campos.decimal("vICMS");
                d.vST = campos.decimal("vST");
            }
            for (int n = 1; !leitor.ExtraiGrupo(4, "autXML", "", n).empty(); ++n)
                d.autXML.NovoItem().CNPJCPF = campos.cnpjCpf();
        }
    }
    if (!leitor.ExtraiGrupo(2, "Signature").empty()) {
        assinatura.URI = leitor.LeAtributo("URI", "Reference");
        assinatura.DigestValue = campos.texto("DigestValue");
        assinatura.SignatureValue = campos.texto("SignatureValue");
        assinatura.X509Certificate = campos.texto("X509Certificate");
    }
}

void leResposta(const nfe_services::CamposResposta &campos, TRetInfEvento &ret)
{
    ret.Id = campos.atributo("Id");
    ret.tpAmb = campos.tpAmb();
    ret.verAplic = campos.texto("verAplic");
    ret.cOrgao = campos.inteiro("cOrgao");
    ret.cStat = campos.inteiro("cStat");
    ret.xMotivo = campos.texto("xMotivo");
    ret.chNFe = campos.texto("chNFe");
    ret.tpEvento = CodigoParaTipoEventoNFe(campos.texto("tpEvento"));
    ret.xEvento = campos.texto("xEvento");
    ret.nSeqEvento = campos.inteiro("nSeqEvento");
    ret.CNPJDest = campos.texto("CNPJDest");
    if (ret.CNPJDest.empty())
        ret.CNPJDest = campos.texto("CPFDest");
    ret.emailDest = campos.texto("emailDest");
    ret.cOrgaoAutor = campos.inteiro("cOrgaoAutor");
    ret.dhRegEvento = campos.dataHora("dhRegEvento");
    ret.nProt = campos.texto("nProt");
}

} // namespace

bool TRetEventoNFe::LerResposta()
{
    bool lido = false;
    return nfe_services::leSemExcecao([this, &lido] {
        Leitor.setGrupoComoArquivo();
        if (!Leitor.ExtraiGrupo(1, "evento").empty()) {
            leEventoAssinado(Leitor, InfEvento, Signature);
            lido = true;
        }

        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retEnvEvento").empty() && Leitor.ExtraiGrupo(1, "retEvento").empty())
            return lido;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        idLote = std::get<std::int64_t>(Leitor.LeCampo(vcInteiro64, "idLote"));
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        cOrgao = campos.inteiro("cOrgao");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");

        for (int i = 1;; ++i) {
            const std::string infEvento = Leitor.ExtraiGrupo(2, "infEvento", "", i);
            if (infEvento.empty())
                break;
            TRetInfEvento &ret = RetEventos.NovoItem().RetInfEvento;
            ret.XML = GaranteXMLUTF8(infEvento);
            leResposta(campos, ret);
            for (int j = 1; !Leitor.ExtraiGrupo(3, "chNFePend", "", j).empty(); ++j)
                ret.chNFePend.NovoItem().chNFePend = campos.texto("chNFePend");
        }
        return true;
    });
}
