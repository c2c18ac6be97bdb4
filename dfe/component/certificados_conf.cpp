#include "dfe/component/certificados_conf.h"

#include "dfe/component/configuracoes.h"
#include "dfe/component/detail/ini_valores.h"
#include "dfe/ssl/base64.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/files/file_utils.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

using namespace conf_ini;

void TCertificadosConf::SetURLPFX(std::string_view value)
{
    if (value == urlPFX_)
        return;
    urlPFX_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetURLPFX(value);
}

void TCertificadosConf::SetArquivoPFX(std::string_view value)
{
    if (value == arquivoPFX_)
        return;
    arquivoPFX_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetArquivoPFX(value);
}

void TCertificadosConf::SetDadosPFX(std::string_view value)
{
    if (value == dadosPFX_)
        return;
    dadosPFX_ = value;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetDadosPFX(value);
}

void TCertificadosConf::SetNumeroSerie(std::string_view value)
{
    const std::string normalizado(trimText(upperAscii(replaceAll(value, " ", ""))));
    if (normalizado == numeroSerie_)
        return;
    numeroSerie_ = normalizado;
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetNumeroSerie(numeroSerie_);
}

std::string TCertificadosConf::Senha() const
{
    return EmbaralhaTexto(senhaEmbaralhada_, chaveSenha_);
}

void TCertificadosConf::SetSenha(std::string_view value)
{
    if (!chaveSenha_.empty() && EmbaralhaTexto(value, chaveSenha_) == senhaEmbaralhada_)
        return;
    chaveSenha_ = DataHoraFormatoBR(nowLocal(), "hhnnsszzz");
    senhaEmbaralhada_ = EmbaralhaTexto(value, chaveSenha_);
    if (TDFeSSL *ssl = configuracoes_.SSLDoComponente())
        ssl->SetSenha(value);
}

void TCertificadosConf::CopiarDe(const TCertificadosConf &origem)
{
    SetDadosPFX(origem.DadosPFX());
    SetSenha(origem.Senha());
    SetNumeroSerie(origem.NumeroSerie());
    SetArquivoPFX(origem.ArquivoPFX());
    SetURLPFX(origem.URLPFX());
    VerificarValidade = origem.VerificarValidade;
}

void TCertificadosConf::SalvarNoIni(MemIniFile &ini) const
{
    ini.WriteString("DFe", "URLPFX", urlPFX_);
    ini.WriteString("DFe", "ArquivoPFX", arquivoPFX_);
    ini.WriteString("DFe", "DadosPFX", encodeBase64(dadosPFX_));
    ini.WriteString("DFe", "Senha", senhaParaIni(Senha(), configuracoes_.ChaveSenhaIni));
    ini.WriteString("DFe", "NumeroSerie", numeroSerie_);
    ini.WriteBool("DFe", "VerificarValidade", VerificarValidade);
}

void TCertificadosConf::CarregarDoIni(const MemIniFile &ini)
{
    SetURLPFX(ini.ReadString("DFe", "URLPFX", urlPFX_));
    SetArquivoPFX(ini.ReadString("DFe", "ArquivoPFX", arquivoPFX_));
    SetDadosPFX(decodeBase64(ini.ReadString("DFe", "DadosPFX", "")));
    SetSenha(senhaDoIni(ini.ReadString("DFe", "Senha", ""), configuracoes_.ChaveSenhaIni));
    SetNumeroSerie(ini.ReadString("DFe", "NumeroSerie", numeroSerie_));
    VerificarValidade = ini.ReadBool("DFe", "VerificarValidade", VerificarValidade);
}
