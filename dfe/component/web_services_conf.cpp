#include "dfe/component/web_services_conf.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "dfe/component/configuracoes.h"
#include "dfe/component/detail/ini_valores.h"
#include "dfe/component/recursos_embutidos.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/files/detail/ini_lines.h"
#include "foundation/files/windows_paths.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

using namespace conf_ini;

void TWebServicesConf::SetUF(std::string_view value)
{
    const int codigo = CodigoDaSiglaUF(value);
    if (codigo == 0)
        return;
    uf_ = value;
    ufCodigo_ = codigo;
}

void TWebServicesConf::SetProxyHost(std::string_view value)
{
    if (value == proxyHost_)
        return;
    proxyHost_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->ProxyHost = proxyHost_;
}

void TWebServicesConf::SetProxyPort(std::string_view value)
{
    if (value == proxyPort_)
        return;
    proxyPort_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->ProxyPort = proxyPort_;
}

void TWebServicesConf::SetProxyUser(std::string_view value)
{
    if (value == proxyUser_)
        return;
    proxyUser_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->ProxyUser = proxyUser_;
}

void TWebServicesConf::SetProxyPass(std::string_view value)
{
    if (value == proxyPass_)
        return;
    proxyPass_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->ProxyPass = proxyPass_;
}

void TWebServicesConf::SetTimeOut(int value)
{
    if (value == timeOut_)
        return;
    timeOut_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->TimeOut = timeOut_;
}

void TWebServicesConf::SetTimeOutPorThread(bool value)
{
    if (value == timeOutPorThread_)
        return;
    timeOutPorThread_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->TimeOutPorThread = timeOutPorThread_;
}

void TWebServicesConf::SetSSLType(TSSLType value)
{
    if (value == sslType_)
        return;
    sslType_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SSLType = sslType_;
}

std::string TWebServicesConf::LerArquivoIniServicos() const
{
    const std::string nome(trimText(configuracoes_.Arquivos().IniServicos()));
    if (nome.empty())
        return {};
    const std::string caminho = localPath(nome);
    std::error_code erro;
    if (!std::filesystem::is_regular_file(caminho, erro))
        return {};
    std::ifstream in(caminho, std::ios::binary);
    std::ostringstream conteudo;
    conteudo << in.rdbuf();
    return in ? std::move(conteudo).str() : std::string();
}

std::string TWebServicesConf::LerRecursoServicos() const
{
    const auto recurso = recursoEmbutido(NomeRecursoServicos);
    if (!recurso)
        throw EQuibDFeException("Recurso \"" + NomeRecursoServicos + "\" não encontrado no programa");
    return std::string(*recurso);
}

void TWebServicesConf::CarregarParams()
{
    std::string texto = LerArquivoIniServicos();
    if (trimText(texto).empty())
        texto = LerRecursoServicos();
    Params = ini_detail::decode(std::move(texto)).lines;
}

void TWebServicesConf::CopiarDe(const TWebServicesConf &origem)
{
    NomeRecursoServicos = origem.NomeRecursoServicos;
    Visualizar = origem.Visualizar;
    SetUF(origem.UF());
    Ambiente = origem.Ambiente;
    SetProxyHost(origem.ProxyHost());
    SetProxyPort(origem.ProxyPort());
    SetProxyUser(origem.ProxyUser());
    SetProxyPass(origem.ProxyPass());
    AguardarConsultaRet = origem.AguardarConsultaRet;
    SetTentativas(origem.Tentativas());
    SetIntervaloTentativas(origem.IntervaloTentativas());
    AjustaAguardaConsultaRet = origem.AjustaAguardaConsultaRet;
    Salvar = origem.Salvar;
    QuebradeLinha = origem.QuebradeLinha;
    SetSSLType(origem.SSLType());
    SetTimeOut(origem.TimeOut());
    SetTimeOutPorThread(origem.TimeOutPorThread());
    Params = origem.Params;
    TimeZoneConf.Assign(origem.TimeZoneConf);
}

namespace {

std::string chaveDaSenhaDoProxy(const TConfiguracoes &configuracoes, std::string_view host)
{
    return configuracoes.ChaveSenhaIni.empty() ? std::string(trimText(host)) : configuracoes.ChaveSenhaIni;
}

} // namespace

void TWebServicesConf::SalvarNoIni(MemIniFile &ini) const
{
    ini.WriteString("DFe", "UF", uf_);
    gravarOrdinal(ini, "DFe", "TimeZone.Modo", TimeZoneConf.ModoDeteccao());
    ini.WriteString("DFe", "TimeZone.Str", TimeZoneConf.TimeZoneStr());

    ini.WriteString("Proxy", "Servidor", proxyHost_);
    ini.WriteString("Proxy", "Porta", proxyPort_);
    ini.WriteString("Proxy", "Usuario", proxyUser_);
    ini.WriteString("Proxy", "Senha",
                    senhaParaIni(proxyPass_, chaveDaSenhaDoProxy(configuracoes_, proxyHost_)));

    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    gravarOrdinal(ini, secao, "Ambiente", Ambiente);
    ini.WriteBool(secao, "SalvarWS", Salvar);
    ini.WriteInteger(secao, "Timeout", timeOut_);
    ini.WriteBool(secao, "TimeoutPorThread", timeOutPorThread_);
    ini.WriteBool(secao, "Visualizar", Visualizar);
    ini.WriteBool(secao, "AjustaAguardaConsultaRet", AjustaAguardaConsultaRet);
    ini.WriteString(secao, "AguardarConsultaRet", std::to_string(AguardarConsultaRet));
    ini.WriteString(secao, "IntervaloTentativas", std::to_string(intervaloTentativas_));
    ini.WriteInteger(secao, "Tentativas", tentativas_);
    gravarOrdinal(ini, secao, "SSLType", sslType_);
    ini.WriteString(secao, "QuebradeLinha", QuebradeLinha);
}

void TWebServicesConf::CarregarDoIni(const MemIniFile &ini)
{
    SetUF(ini.ReadString("DFe", "UF", uf_));
    // A typed offset that is not valid keeps the setting as it was.
    TTimeZoneConf fuso = TimeZoneConf;
    try {
        fuso.SetModoDeteccao(lerOrdinal(ini, "DFe", "TimeZone.Modo", TimeZoneConf.ModoDeteccao()));
        fuso.SetTimeZoneStr(ini.ReadString("DFe", "TimeZone.Str", TimeZoneConf.TimeZoneStr()));
        TimeZoneConf.Assign(fuso);
    } catch (const EQuibException &) {
    }

    SetProxyHost(ini.ReadString("Proxy", "Servidor", proxyHost_));
    SetProxyPort(ini.ReadString("Proxy", "Porta", proxyPort_));
    SetProxyUser(ini.ReadString("Proxy", "Usuario", proxyUser_));
    SetProxyPass(
        senhaDoIni(ini.ReadString("Proxy", "Senha", ""), chaveDaSenhaDoProxy(configuracoes_, proxyHost_)));

    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    Ambiente = lerOrdinal(ini, secao, "Ambiente", Ambiente);
    Salvar = ini.ReadBool(secao, "SalvarWS", Salvar);
    SetTimeOut(ini.ReadInteger(secao, "Timeout", timeOut_));
    SetTimeOutPorThread(ini.ReadBool(secao, "TimeoutPorThread", timeOutPorThread_));
    Visualizar = ini.ReadBool(secao, "Visualizar", Visualizar);
    AjustaAguardaConsultaRet = ini.ReadBool(secao, "AjustaAguardaConsultaRet", AjustaAguardaConsultaRet);
    AguardarConsultaRet = static_cast<std::uint32_t>(
        std::max(0, ini.ReadInteger(secao, "AguardarConsultaRet", static_cast<int>(AguardarConsultaRet))));
    SetIntervaloTentativas(static_cast<std::uint32_t>(
        std::max(0, ini.ReadInteger(secao, "IntervaloTentativas", static_cast<int>(intervaloTentativas_)))));
    SetTentativas(ini.ReadInteger(secao, "Tentativas", tentativas_));
    SetSSLType(lerOrdinal(ini, secao, "SSLType", sslType_));
    QuebradeLinha = ini.ReadString(secao, "QuebradeLinha", QuebradeLinha);
}
