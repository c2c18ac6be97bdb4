#pragma once

#include <string>
#include <string_view>

#include "foundation/files/mem_ini_file.h"

class TConfiguracoes;

// The certificate source of a fiscal-document component. A different value
// of a source is stored and passed to the component's facade, whose rules of
// exclusive sources then apply there (this object keeps what it was given).
// NumeroSerie is stored without blanks, upper-cased. The password is held
// only scrambled (a new key from the clock for each new value) and passed on
// in plain to the facade; Senha() returns it in plain.
// Implemented in certificados_conf.cpp.
class TCertificadosConf {
  public:
    explicit TCertificadosConf(TConfiguracoes &configuracoes) : configuracoes_(configuracoes) {}
    virtual ~TCertificadosConf() = default;
    TCertificadosConf(const TCertificadosConf &) = delete;
    TCertificadosConf &operator=(const TCertificadosConf &) = delete;

    virtual void CopiarDe(const TCertificadosConf &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    // "DadosPFX" and "Senha" missing from the INI clear those settings.
    virtual void CarregarDoIni(const MemIniFile &ini);

    const std::string &URLPFX() const { return urlPFX_; }
    void SetURLPFX(std::string_view value);
    const std::string &ArquivoPFX() const { return arquivoPFX_; }
    void SetArquivoPFX(std::string_view value);
    const std::string &DadosPFX() const { return dadosPFX_; }
    void SetDadosPFX(std::string_view value);
    const std::string &NumeroSerie() const { return numeroSerie_; }
    void SetNumeroSerie(std::string_view value);
    std::string Senha() const;
    void SetSenha(std::string_view value);
    bool VerificarValidade = true;

  protected:
    TConfiguracoes &configuracoes_;

  private:
    std::string urlPFX_;
    std::string arquivoPFX_;
    std::string dadosPFX_;
    std::string numeroSerie_;
    std::string senhaEmbaralhada_;
    std::string chaveSenha_;
};
