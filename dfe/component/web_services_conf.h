#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/ssl/ssl_types.h"
#include "foundation/codes/conversao.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/files/mem_ini_file.h"

class TConfiguracoes;

// Web-service options of a fiscal-document component: state, environment,
// proxy, retries, time-outs and where the services INI comes from.
// Proxy fields, TimeOut, TimeOutPorThread and SSLType: a different value is
// stored and passed to the component's facade. UF accepts only the 27 state
// abbreviations in upper case (anything else is ignored); Tentativas of 0 or
// less becomes 5; IntervaloTentativas is never below 1000.
// Implemented in web_services_conf.cpp.
class TWebServicesConf {
  public:
    explicit TWebServicesConf(TConfiguracoes &configuracoes) : configuracoes_(configuracoes) {}
    virtual ~TWebServicesConf() = default;
    TWebServicesConf(const TWebServicesConf &) = delete;
    TWebServicesConf &operator=(const TWebServicesConf &) = delete;

    // The whole content of the file named by Arquivos.IniServicos (trimmed)
    // when it exists; else empty. The file may be a stored Windows path.
    virtual std::string LerArquivoIniServicos() const;
    // The program's embedded services text named NomeRecursoServicos; raises
    // EQuibDFeException when the program carries no such resource.
    virtual std::string LerRecursoServicos() const;
    virtual void CopiarDe(const TWebServicesConf &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    virtual void CarregarDoIni(const MemIniFile &ini);
    // Params := the lines of the services file, or of the embedded resource
    // when the file is missing or empty (UTF-8 or Windows-1252 either way).
    virtual void CarregarParams();

    bool Visualizar = false;
    const std::string &UF() const { return uf_; }
    void SetUF(std::string_view value);
    int UFCodigo() const { return ufCodigo_; }
    TpcnTipoAmbiente Ambiente = taHomologacao;
    int AmbienteCodigo() const { return Ambiente == taProducao ? 1 : 2; }

    const std::string &ProxyHost() const { return proxyHost_; }
    void SetProxyHost(std::string_view value);
    const std::string &ProxyPort() const { return proxyPort_; }
    void SetProxyPort(std::string_view value);
    const std::string &ProxyUser() const { return proxyUser_; }
    void SetProxyUser(std::string_view value);
    const std::string &ProxyPass() const { return proxyPass_; }
    void SetProxyPass(std::string_view value);

    std::uint32_t AguardarConsultaRet = 0; // milliseconds
    int Tentativas() const { return tentativas_; }
    void SetTentativas(int value) { tentativas_ = value <= 0 ? 5 : value; }
    std::uint32_t IntervaloTentativas() const { return intervaloTentativas_; }
    void SetIntervaloTentativas(std::uint32_t value) { intervaloTentativas_ = value < 1000 ? 1000 : value; }
    bool AjustaAguardaConsultaRet = false;
    bool Salvar = false;
    std::vector<std::string> Params;

    int TimeOut() const { return timeOut_; }
    void SetTimeOut(int value);
    bool TimeOutPorThread() const { return timeOutPorThread_; }
    void SetTimeOutPorThread(bool value);
    TSSLType SSLType() const { return sslType_; }
    void SetSSLType(TSSLType value);

    std::string QuebradeLinha = "|";
    TTimeZoneConf TimeZoneConf;
    // Name of the embedded services resource and stem of the default services
    // file; the document tree sets its own.
    std::string NomeRecursoServicos = "QuibServicos";

  protected:
    TConfiguracoes &configuracoes_;

  private:
    std::string uf_ = "SP";
    int ufCodigo_ = 35;
    std::string proxyHost_;
    std::string proxyPort_;
    std::string proxyUser_;
    std::string proxyPass_;
    int tentativas_ = 5;
    std::uint32_t intervaloTentativas_ = 1000;
    int timeOut_ = 5000;
    bool timeOutPorThread_ = false;
    TSSLType sslType_ = LT_TLSv1_2;
};
