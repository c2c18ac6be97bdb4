#include "dfe/component/geral_conf.h"

#include <array>

#include "dfe/component/configuracoes.h"
#include "dfe/component/detail/ini_valores.h"
#include "dfe/ssl/dfe_ssl.h"

using namespace conf_ini;

TGeralConf::TGeralConf(TConfiguracoes &configuracoes) : configuracoes_(configuracoes) {}

void TGeralConf::SetSSLLib(TSSLLib value)
{
    if (const auto escolhas = escolhasDoPacote(value)) {
        atribuindoSSLLib_ = true;
        try {
            SetSSLCryptLib(escolhas->crypt);
            SetSSLHttpLib(escolhas->http);
            SetSSLXmlSignLib(escolhas->xmlSign);
        } catch (...) {
            atribuindoSSLLib_ = false;
            atualizarSSLLib();
            throw;
        }
        atribuindoSSLLib_ = false;
    }
    sslLib_ = value;
}

void TGeralConf::SetSSLCryptLib(TSSLCryptLib value)
{
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetSSLCryptLib(value);
    sslCryptLib_ = value;
    atualizarSSLLib();
}

void TGeralConf::SetSSLHttpLib(TSSLHttpLib value)
{
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetSSLHttpLib(value);
    sslHttpLib_ = value;
    atualizarSSLLib();
}

void TGeralConf::SetSSLXmlSignLib(TSSLXmlSignLib value)
{
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetSSLXmlSignLib(value);
    sslXmlSignLib_ = value;
    atualizarSSLLib();
}

void TGeralConf::atualizarSSLLib()
{
    if (!atribuindoSSLLib_)
        sslLib_ = pacoteDasEscolhas({sslCryptLib_, sslHttpLib_, sslXmlSignLib_});
}

int TGeralConf::FormaEmissaoCodigo() const
{
    return std::stoi(TipoEmissaoParaCodigo(FormaEmissao));
}

std::string TGeralConf::FormatoAlerta() const
{
    static constexpr std::array<std::string_view, 5> kMarcas = {"%TAGNIVEL%", "%TAG%", "%ID%", "%MSG%",
                                                                "%DESCRICAO%"};
    for (const std::string_view marca : kMarcas)
        if (formatoAlerta_.find(marca) != std::string::npos)
            return formatoAlerta_;
    return std::string(kFormatoAlertaPadrao);
}

void TGeralConf::CopiarDe(const TGeralConf &origem)
{
    SetSSLLib(origem.SSLLib());
    SetSSLCryptLib(origem.SSLCryptLib());
    SetSSLHttpLib(origem.SSLHttpLib());
    SetSSLXmlSignLib(origem.SSLXmlSignLib());
    FormaEmissao = origem.FormaEmissao;
    Salvar = origem.Salvar;
    ExibirErroSchema = origem.ExibirErroSchema;
    SetFormatoAlerta(origem.FormatoAlerta());
    RetirarAcentos = origem.RetirarAcentos;
    RetirarEspacos = origem.RetirarEspacos;
    IdentarXML = origem.IdentarXML;
    ValidarDigest = origem.ValidarDigest;
}

void TGeralConf::SalvarNoIni(MemIniFile &ini) const
{
    gravarOrdinal(ini, "DFe", "SSLCryptLib", sslCryptLib_);
    gravarOrdinal(ini, "DFe", "SSLHttpLib", sslHttpLib_);
    gravarOrdinal(ini, "DFe", "SSLXmlSignLib", sslXmlSignLib_);
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    gravarOrdinal(ini, secao, "FormaEmissao", FormaEmissao);
    ini.WriteBool(secao, "SalvarGer", Salvar);
    ini.WriteBool(secao, "ExibirErroSchema", ExibirErroSchema);
    ini.WriteString(secao, "FormatoAlerta", FormatoAlerta());
    ini.WriteBool(secao, "RetirarAcentos", RetirarAcentos);
    ini.WriteBool(secao, "RetirarEspacos", RetirarEspacos);
    ini.WriteBool(secao, "IdentarXML", IdentarXML);
    ini.WriteBool(secao, "ValidarDigest", ValidarDigest);
}

void TGeralConf::CarregarDoIni(const MemIniFile &ini)
{
    SetSSLCryptLib(lerOrdinal(ini, "DFe", "SSLCryptLib", sslCryptLib_));
    SetSSLHttpLib(lerOrdinal(ini, "DFe", "SSLHttpLib", sslHttpLib_));
    SetSSLXmlSignLib(lerOrdinal(ini, "DFe", "SSLXmlSignLib", sslXmlSignLib_));
    const std::string &secao = configuracoes_.SessaoIni;
    if (secao.empty())
        return;
    FormaEmissao = lerOrdinal(ini, secao, "FormaEmissao", FormaEmissao);
    Salvar = ini.ReadBool(secao, "SalvarGer", Salvar);
    ExibirErroSchema = ini.ReadBool(secao, "ExibirErroSchema", ExibirErroSchema);
    SetFormatoAlerta(ini.ReadString(secao, "FormatoAlerta", FormatoAlerta()));
    RetirarAcentos = ini.ReadBool(secao, "RetirarAcentos", RetirarAcentos);
    RetirarEspacos = ini.ReadBool(secao, "RetirarEspacos", RetirarEspacos);
    IdentarXML = ini.ReadBool(secao, "IdentarXML", IdentarXML);
    ValidarDigest = ini.ReadBool(secao, "ValidarDigest", ValidarDigest);
}
