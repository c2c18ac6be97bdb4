#include "nfe/services/nfe_ret_recepcao.h"

#include <algorithm>
#include <chrono>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/detail/protocolo_nota.h"
#include "nfe/services/notas_fiscais.h"

void TNFeRetRecepcao::Limpar()
{
    TNFeServicoRecibo::Limpar();
    EtapaServico = etRecebendoLote;
    Layout = srvNfeRetRecepcao;
    SufixoEnvio = "ped-rec";
    SufixoResposta = "pro-rec";
    Protocolo.clear();
    ChaveNFe.clear();
    // The notes forget what the previous answer attached to them.
    TProtDFeCollection &anteriores = Retorno().ProtDFe;
    for (int i = 0; i < anteriores.count(); ++i) {
        for (int j = 0; j < Notas().Count(); ++j) {
            NotaFiscal &nota = Notas()[j];
            if (nota.ChaveNota() != SomenteDigitos(anteriores[i].ChaveAcesso))
                continue;
            TProcNFe &dados = nota.NFe().procNFe;
            dados.verAplic.clear();
            dados.chNFe.clear();
            dados.dhRecbto = 0;
            dados.nProt.clear();
            dados.digVal.clear();
            dados.cStat = 0;
            dados.xMotivo.clear();
            dados.cMsg = 0;
            dados.xMsg.clear();
        }
    }
    LimparResposta();
}

void TNFeRetRecepcao::PrepararServico()
{
    if (ComponenteNFe() != nullptr)
        sslTypeAnterior_ = ComponenteNFe()->SSL().SSLType;
    cabecalhoAnterior_ = ElementoCabecalho;
    TNFeServicoRecibo::PrepararServico();
}

void TNFeRetRecepcao::ConcluirServico()
{
    // The polling loop owns the component's step.
    if (ComponenteNFe() != nullptr)
        ComponenteNFe()->SSL().SSLType = sslTypeAnterior_;
    ElementoCabecalho = cabecalhoAnterior_;
}

bool TNFeRetRecepcao::TratarResposta()
{
    LerResposta();
    return cStat == 105;
}

bool TNFeRetRecepcao::Processar()
{
    TQuibNFe *nfe = ComponenteNFe();
    if (nfe != nullptr)
        nfe->DefinirEtapa(etRecebendoLote);
    struct VoltaAoOcioso {
        TQuibNFe *nfe;
        ~VoltaAoOcioso()
        {
            if (nfe != nullptr)
                nfe->DefinirEtapa(etOcioso);
        }
    } volta{nfe};

    const TConfiguracoesNFe *cfg = ConfiguracoesNFe();
    const auto espera =
        std::chrono::milliseconds(cfg != nullptr ? cfg->WebServices().AguardarConsultaRet : 0);
    const auto intervalo = std::chrono::milliseconds(
        std::max<std::uint32_t>(1000, cfg != nullptr ? cfg->WebServices().IntervaloTentativas() : 0));
    const int tentativas = cfg != nullptr ? cfg->WebServices().Tentativas() : 0;
    sleepFor(espera);
    for (int r = 0; TNFeServicoRecibo::Processar() && r < tentativas; ++r)
        sleepFor(intervalo);
    return cStat == 104 && AtualizarNotasComProtocolos();
}

bool TNFeRetRecepcao::AtualizarNotasComProtocolos()
{
    TProtDFeCollection &protocolos = Retorno().ProtDFe;
    if (protocolos.count() > 0) {
        xMotivo = protocolos[0].xMotivo;
        MensagemResultado = xMotivo;
    }
    for (int i = 0; i < protocolos.count(); ++i) {
        NotaFiscal *nota = nfe_services::notaDaChave(Notas(), protocolos[i].ChaveAcesso);
        if (nota == nullptr)
            continue;
        TProtDFeCollectionItem protocolo = protocolos[i];
        // As received: decoding its entities would break a text holding "&".
        protocolo.ElementoProtocolo = nfe_services::protocoloComoRecebido(RespostaXML, i + 1);
        nfe_services::anexarProtocolo(*this, *nota, protocolo, VersaoDados);
    }

    bool algumaConfirmada = false;
    std::string naoConfirmadas;
    for (int j = 0; j < Notas().Count(); ++j) {
        NotaFiscal &nota = Notas()[j];
        if (nota.Processada())
            algumaConfirmada = true;
        else
            naoConfirmadas += std::to_string(nota.NFe().ide.nNF) + "->" +
                              std::to_string(nota.CodigoStatus()) + "-" + nota.MotivoStatus() + "\r\n";
    }
    if (!naoConfirmadas.empty())
        MensagemResultado = "Nota(s) não confirmadas:\r\n" + naoConfirmadas;
    if (protocolos.count() > 0) {
        ChaveNFe = protocolos[0].ChaveAcesso;
        Protocolo = protocolos[0].nProt;
        cStat = protocolos[0].cStat;
    }
    return algumaConfirmada;
}

std::string TNFeRetRecepcao::MontarMsgLog()
{
    return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
           " \r\nVersão Aplicativo: " + verAplic + " \r\nRecibo: " + Retorno().nRec +
           " \r\nStatus Código: " + std::to_string(cStat) + " \r\nStatus Descrição: " + xMotivo +
           " \r\nUF: " + SiglaUFDoCodigo(cUF) + " \r\ncMsg: " + std::to_string(cMsg) + " \r\nxMsg: " + xMsg +
           " \r\n";
}
