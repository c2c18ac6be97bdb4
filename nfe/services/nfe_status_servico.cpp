#include "nfe/services/nfe_status_servico.h"

#include <cmath>

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/cons_stat_serv.h"
#include "nfe/services/quib_integrador.h"
#include "nfe/services/ret_cons_stat_serv.h"

namespace {

std::string dataHoraOuVazio(TDateTime valor)
{
    return valor == 0 ? std::string() : DataHoraFormatoBR(valor, "DD/MM/YYYY hh:nn:ss");
}

} // namespace

std::string &TNFeStatusServico::FragmentoHostSVRS()
{
    static std::string fragmento = "svrs.rs.gov.br";
    return fragmento;
}

void TNFeStatusServico::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etConsultandoStatus;
    Layout = srvNfeStatusServico;
    SufixoEnvio = "ped-sta";
    SufixoResposta = "sta";
    LimparCabecalho(ConfiguracoesNFe());
    tMed = 0;
    dhRetorno = 0;
    xObs.clear();
}

void TNFeStatusServico::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    const bool bahia310 = cfg != nullptr && cfg->WebServices().UFCodigo() == 29 &&
                          cfg->Geral().ModeloDF() == moNFe && cfg->Geral().VersaoDF() == ve310 &&
                          cfg->Geral().FormaEmissao == teNormal;
    if (bahia310)
        DefinirNomesPadrao(w + "NfeStatusServico", w + "NfeStatusServico/NfeStatusServicoNF",
                           w + "NFeStatusServico4", "/nfeStatusServicoNF");
    else
        DefinirNomesPadrao(w + "NfeStatusServico2", w + "NfeStatusServico2", w + "NFeStatusServico4",
                           "/nfeStatusServicoNF");
}

void TNFeStatusServico::PrepararIntegrador()
{
    PrepararIntegradorComMetodo("NfeStatusServico2Soap12");
}

void TNFeStatusServico::DefinirDadosMsg()
{
    const std::string ns =
        ComponenteNFe() != nullptr ? ComponenteNFe()->NameSpaceURIDocumento() : std::string();
    TConsStatServ pedido(VersaoDados, "xmlns=\"" + ns + "\"", "", true);
    if (ConfiguracoesNFe() != nullptr) {
        pedido.tpAmb = ConfiguracoesNFe()->WebServices().Ambiente;
        pedido.cUF = ConfiguracoesNFe()->WebServices().UFCodigo();
    }
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarConsStatServ();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
}

bool TNFeStatusServico::TratarResposta()
{
    TRetConsStatServ resposta;
    resposta.Leitor.setArquivo(
        ExtrairResposta({"nfeStatusServicoNF2Result", "NfeStatusServicoNFResult", "nfeResultMsg"}));
    resposta.LerResposta();
    CopiarCabecalho(resposta);

    // The SVRS servers have stamped receipts one hour ahead outside daylight
    // saving. Only a stamp ahead of the clock is corrected: moving one that is
    // already behind back another hour would make it wrong.
    if (resposta.dhRecbto != 0 && !FragmentoHostSVRS().empty() &&
        URL.find(FragmentoHostSVRS()) != std::string::npos) {
        const double minutosAFrente = std::round((resposta.dhRecbto - nowLocal()) * 24 * 60);
        if (minutosAFrente > 50 && !EmHorarioDeVerao(SiglaUFDoCodigo(cUF), resposta.dhRecbto))
            dhRecbto = resposta.dhRecbto - 1.0 / 24;
    }

    tMed = resposta.tMed;
    dhRetorno = resposta.dhRetorno;
    xObs = resposta.xObs;
    MensagemResultado = xMotivo + "\r\n" + xObs;
    if (ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->WebServices().AjustaAguardaConsultaRet)
        ConfiguracoesNFe()->WebServices().AguardarConsultaRet =
            static_cast<std::uint32_t>(std::max(tMed, 0)) * 1000;
    return cStat == 107;
}

std::string TNFeStatusServico::MontarMsgLog()
{
    return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
           "\r\nVersão Aplicativo: " + verAplic + " \r\nStatus Código: " + std::to_string(cStat) +
           "\r\nStatus Descrição: " + xMotivo + "\r\nUF: " + SiglaUFDoCodigo(cUF) +
           "\r\nRecebimento: " + dataHoraOuVazio(dhRecbto) + "\r\nTempo Médio: " + std::to_string(tMed) +
           "\r\nRetorno: " + dataHoraOuVazio(dhRetorno) + "\r\nObservação: " + xObs + "\r\n";
}

std::string TNFeStatusServico::MontarMsgErro(const std::exception &)
{
    return "WebService Consulta Status serviço:\r\n- Inativo ou Inoperante tente novamente.";
}
