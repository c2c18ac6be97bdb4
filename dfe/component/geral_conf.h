#pragma once

#include <string>
#include <string_view>

#include "dfe/ssl/ssl_types.h"
#include "foundation/codes/conversao.h"
#include "foundation/files/mem_ini_file.h"

class TConfiguracoes;

// The default template of the field alerts of the document writers.
inline constexpr std::string_view kFormatoAlertaPadrao = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";

// General options of a fiscal-document component and its library choices.
// The three library setters pass the value to the component's facade first
// (which may raise, for xsXmlSec: then nothing is stored) and recompute
// SSLLib; SetSSLLib sets the three of its bundle (libCustom none) and then
// stores the bundle. Implemented in geral_conf.cpp.
class TGeralConf {
  public:
    explicit TGeralConf(TConfiguracoes &configuracoes);
    virtual ~TGeralConf() = default;
    TGeralConf(const TGeralConf &) = delete;
    TGeralConf &operator=(const TGeralConf &) = delete;

    virtual void CopiarDe(const TGeralConf &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    virtual void CarregarDoIni(const MemIniFile &ini);

    TSSLLib SSLLib() const { return sslLib_; }
    void SetSSLLib(TSSLLib value);
    TSSLCryptLib SSLCryptLib() const { return sslCryptLib_; }
    void SetSSLCryptLib(TSSLCryptLib value);
    TSSLHttpLib SSLHttpLib() const { return sslHttpLib_; }
    void SetSSLHttpLib(TSSLHttpLib value);
    TSSLXmlSignLib SSLXmlSignLib() const { return sslXmlSignLib_; }
    void SetSSLXmlSignLib(TSSLXmlSignLib value);

    TpcnTipoEmissao FormaEmissao = teNormal;
    // The layout code of FormaEmissao ("1".."9") as a number.
    int FormaEmissaoCodigo() const;
    bool Salvar = true;
    bool ExibirErroSchema = true;
    // Stored as given; read back as kFormatoAlertaPadrao when empty or when it
    // holds none of %TAGNIVEL%, %TAG%, %ID%, %MSG%, %DESCRICAO%.
    std::string FormatoAlerta() const;
    void SetFormatoAlerta(std::string_view value) { formatoAlerta_ = value; }
    bool RetirarAcentos = true;
    bool RetirarEspacos = true;
    bool IdentarXML = false;
    bool ValidarDigest = true;

  protected:
    TConfiguracoes &configuracoes_;

  private:
    void atualizarSSLLib();

    TSSLLib sslLib_ = libNone;
    TSSLCryptLib sslCryptLib_ = cryNone;
    TSSLHttpLib sslHttpLib_ = httpNone;
    TSSLXmlSignLib sslXmlSignLib_ = xsNone;
    bool atribuindoSSLLib_ = false;
    std::string formatoAlerta_{kFormatoAlertaPadrao};
};
