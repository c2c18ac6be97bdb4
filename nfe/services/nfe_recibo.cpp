#include "nfe/services/nfe_recibo.h"

#include "foundation/fiscal/pcn_auxiliar.h"

void TNFeRecibo::Limpar()
{
    TNFeServicoRecibo::Limpar();
    EtapaServico = etConsultandoRecibo;
    Layout = srvNfeRetRecepcao;
    SufixoEnvio = "ped-rec";
    SufixoResposta = "pro-rec";
    LimparResposta();
}

bool TNFeRecibo::TratarResposta()
{
    LerResposta();
    return cStat == 104;
}

std::string TNFeRecibo::MontarMsgLog()
{
    return "Versão Layout: " + versao + " \r\nAmbiente: " + TipoAmbienteParaCodigo(tpAmb) +
           " \r\nVersão Aplicativo: " + verAplic + " \r\nRecibo: " + Retorno().nRec +
           " \r\nStatus Código: " + std::to_string(cStat) + " \r\nStatus Descrição: " + xMotivo +
           " \r\nUF: " + SiglaUFDoCodigo(cUF) + " \r\n";
}
