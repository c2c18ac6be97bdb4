#include "dfe/component/resp_tec_conf.h"

#include "dfe/component/configuracoes.h"

void TRespTecConf::CopiarDe(const TRespTecConf &origem)
{
    IdCSRT = origem.IdCSRT;
    CSRT = origem.CSRT;
}

void TRespTecConf::SalvarNoIni(MemIniFile &ini) const
{
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    ini.WriteInteger(secao, "IdCSRT", IdCSRT);
    ini.WriteString(secao, "CSRT", CSRT);
}

void TRespTecConf::CarregarDoIni(const MemIniFile &ini)
{
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    IdCSRT = ini.ReadInteger(secao, "IdCSRT", IdCSRT);
    CSRT = ini.ReadString(secao, "CSRT", CSRT);
}
