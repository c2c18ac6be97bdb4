#include "nfe/services/nfe_recepcao.h"

#include <cctype>

#include "foundation/files/compression.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "nfe/services/detail/protocolo_nota.h"
#include "nfe/services/detail/texto_log.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_integrador.h"

namespace {

constexpr std::size_t kLimiteLote = 512000;

// Every occurrence of `de` (any case) replaced by `para`.
std::string trocaSemCaixa(const std::string &texto, std::string_view de, std::string_view para)
{
    const std::string minusculo = lowerAscii(texto);
    const std::string procurado = lowerAscii(de);
    std::string resultado;
    std::size_t inicio = 0;
    for (std::size_t pos = minusculo.find(procurado); pos != std::string::npos;
         pos = minusculo.find(procurado, inicio)) {
        resultado.append(texto, inicio, pos - inicio).append(para);
        inicio = pos + procurado.size();
    }
    return resultado.append(texto, inicio);
}

bool contemSemCaixa(const std::string &texto, std::string_view procurado)
{
    return lowerAscii(texto).find(lowerAscii(procurado)) != std::string::npos;
}

} // namespace

void TNFeRecepcao::Limpar()
{
    TNFeServicoLote::Limpar();
    EtapaServico = etEnviandoLote;
    Layout = srvNfeRecepcao;
    SufixoEnvio = "env-lot";
    SufixoResposta = "rec";
    versao.clear();
    verAplic.clear();
    cStat = 0;
    xMotivo.clear();
    dhRecbto = 0;
    tMed = 0;
    Recibo.clear();
    Protocolo.clear();
    LimparAmbiente();
    retEnv_ = std::make_unique<TretEnvNFe>();
    retSit_ = std::make_unique<TRetConsSitNFe>();
}

void TNFeRecepcao::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    const std::string ate310 = Layout == srvNfeRecepcao ? w + "NfeRecepcao2" : w + "NfeAutorizacao";
    DefinirNomesDoLote(ate310, ate310, w + "NFeAutorizacao4", "/nfeAutorizacaoLote");
    if (CompactarLote) {
        SoapAction += VersaoDF < ve400 ? "LoteZip" : "ZIP";
        ElementoCorpo = "nfeDadosMsgZip";
    } else {
        ElementoCorpo = "nfeDadosMsg";
    }
}

void TNFeRecepcao::PrepararIntegrador()
{
    TNFeWebService::PrepararIntegrador();
    TQuibIntegrador *integrador = Integrador();
    if (integrador == nullptr || ConfiguracoesNFe() == nullptr)
        return;
    if (Notas().Count() > 0) {
        const TNFe &primeira = Notas()[0].NFe();
        integrador->SetParametro("versaoDados",
                                 ComponenteNFe()->VersaoParaTexto(primeira.infNFe.VersaoOuPadrao()));
        integrador->SetParametro("NumeroNFCe", SomenteDigitos(primeira.infNFe.Id));
        integrador->SetParametro("DataHoraNFCeGerado", DataHoraParaTextoCompacto(primeira.ide.dEmi));
        integrador->SetParametro("ValorNFCe", primeira.total.ICMSTot.vNF.toString(2));
    }
    integrador->DefinirNomeMetodo("NfeAutorizacaoLote12",
                                  ConfiguracoesNFe()->WebServices().Ambiente == taHomologacao);
}

void TNFeRecepcao::DefinirDadosMsg()
{
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    std::string indSinc;
    if (Layout == srvNfeAutorizacao || (cfg != nullptr && cfg->Geral().ModeloDF() == moNFCe) ||
        VersaoDF > ve300)
        indSinc = std::string("<indSinc>") + (EnvioSincrono ? "1" : "0") + "</indSinc>";

    // Only the NFe element of each note: no declaration, no wrapper.
    std::string notas;
    for (int i = 0; i < Notas().Count(); ++i) {
        const std::string &xml = Notas()[i].TextoXMLAssinado();
        const std::size_t inicio = xml.find("<NFe");
        const std::size_t fim = inicio == std::string::npos ? std::string::npos : xml.find("</NFe>", inicio);
        if (fim != std::string::npos)
            notas.append(xml, inicio, fim + 6 - inicio);
    }
    const std::string ns = ComponenteNFe() != nullptr ? ComponenteNFe()->NameSpaceURIDocumento() : "";
    DadosMsg = "<enviNFe xmlns=\"" + ns + "\" versao=\"" + VersaoDados + "\"><idLote>" + Lote + "</idLote>" +
               indSinc + notas + "</enviNFe>";
    if (CompactarLote)
        DadosMsg = CodificaBase64(CompactaGZip("<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + DadosMsg));

    // The authority measures the bytes that go out.
    if (DadosMsg.size() > kLimiteLote)
        LancarErro("Tamanho do XML de Dados superior a 500 Kbytes. Tamanho atual: " +
                   std::to_string(DadosMsg.size() / 1024) + " Kbytes");
    Recibo.clear();
}

bool TNFeRecepcao::leituraAssincrona() const
{
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    return !EnvioSincrono || (cfg != nullptr && cfg->Geral().ModeloDF() == moNFe && VersaoDF < ve310);
}

bool TNFeRecepcao::TratarResposta()
{
    const std::string resposta =
        ExtrairResposta({"nfeAutorizacaoLoteResult", "nfeAutorizacaoResult", "nfeAutorizacaoLoteZipResult",
                         "nfeResultMsg", "nfeResultMsgZip", "nfeRecepcaoLote2Result"});
    if (!leituraAssincrona())
        return tratarSincrona(resposta);

    retEnv_->Leitor.setArquivo(resposta);
    retEnv_->LerResposta();
    versao = retEnv_->versao;
    tpAmb = retEnv_->tpAmb;
    verAplic = retEnv_->verAplic;
    cStat = retEnv_->cStat;
    xMotivo = retEnv_->xMotivo;
    dhRecbto = retEnv_->infRec.dhRecbto;
    tMed = retEnv_->infRec.tMed;
    Recibo = retEnv_->infRec.nRec;
    cUF = retEnv_->cUF;
    MensagemResultado = xMotivo;
    return cStat == 103;
}

bool TNFeRecepcao::tratarSincrona(const std::string &resposta)
{
    std::string texto = resposta;
    if (contemSemCaixa(texto, "retEnviNFe"))
        texto = trocaSemCaixa(texto, "retEnviNFe", "retConsSitNFe");
    else if (contemSemCaixa(texto, "retConsReciNFe"))
        texto = trocaSemCaixa(texto, "retConsReciNFe", "retConsSitNFe");
    retSit_->Leitor.setArquivo(std::move(texto));
    retSit_->LerResposta();
    const TRetConsSitNFe &r = *retSit_;
    versao = r.versao;
    tpAmb = r.tpAmb;
    verAplic = r.verAplic;
    Recibo = r.nRec;
    cUF = r.cUF;
    dhRecbto = r.dhRecbto;
    cStat = r.protNFe.cStat > 0 ? r.protNFe.cStat : r.cStat;
    xMotivo = !r.protNFe.xMotivo.empty() ? r.protNFe.xMotivo : r.xMotivo;
    MensagemResultado = xMotivo;

    // A batch that the authority only received is polled with its receipt,
    // as an asynchronous one: refusing it would make the operator send the
    // notes again and lose the protocols of those it authorises.
    if (r.cStat == 103 && !NumeroRecibo().empty())
        return true;
    if (r.cStat != 104 || !TQuibNFe::CStatComProtocolo(r.protNFe.cStat))
        return false;

    Protocolo = r.protNFe.nProt;
    NotaFiscal *nota = nfe_services::notaDaChave(Notas(), r.protNFe.chNFe);
    if (nota == nullptr)
        return true;
    TProtDFeCollectionItem protocolo = nfe_services::protocoloDosCampos(r.protNFe);
    protocolo.tpAmb = r.tpAmb;
    protocolo.verAplic = r.verAplic;
    // As received: decoding its entities would break a text holding "&".
    protocolo.ElementoProtocolo = nfe_services::protocoloComoRecebido(RespostaXML);
    nfe_services::anexarProtocolo(*this, *nota, protocolo, VersaoDados);
    return true;
}

std::string TNFeRecepcao::MontarMsgLog()
{
    if (!leituraAssincrona())
        return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
               " \r\nVersão Aplicativo: " + verAplic + " \r\nStatus Código: " + std::to_string(cStat) +
               " \r\nStatus Descrição: " + xMotivo + " \r\nUF: " + SiglaUFDoCodigo(cUF) +
               " \r\ndhRecbto: " + nfe_services::dataHoraDoLog(dhRecbto) +
               " \r\nchNFe: " + retSit_->protNFe.chNFe + " \r\n";
    return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
           " \r\nVersão Aplicativo: " + verAplic + " \r\nStatus Código: " + std::to_string(cStat) +
           " \r\nStatus Descrição: " + xMotivo + " \r\nUF: " + SiglaUFDoCodigo(cUF) +
           " \r\nRecibo: " + Recibo + " \r\nRecebimento: " + nfe_services::dataHoraDoLog(dhRecbto) +
           " \r\nTempo Médio: " + std::to_string(tMed) + " \r\n";
}

std::string TNFeRecepcao::PrefixoArquivoData()
{
    if (leituraAssincrona())
        return NumeroLote();
    if (!NumeroRecibo().empty()) {
        SufixoResposta = "pro-rec";
        return NumeroRecibo();
    }
    SufixoResposta = "pro-lot";
    return NumeroLote();
}
