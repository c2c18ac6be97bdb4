#pragma once

#include <memory>
#include <string>

#include "dfe/component/arquivos_conf.h"
#include "dfe/component/certificados_conf.h"
#include "dfe/component/geral_conf.h"
#include "dfe/component/resp_tec_conf.h"
#include "dfe/component/web_services_conf.h"
#include "foundation/base/base_classes.h"
#include "foundation/files/mem_ini_file.h"

class TDFeSSL;
class TQuibDFe;

// The settings tree of a fiscal-document component: general options and
// library choices, web-service options, certificate source, folders and the
// technical-responsible code. Setters of the sub-objects pass their value on
// to the owning component's TDFeSSL at once; without an owner nothing is
// passed on.
//
// Ownership: the tree owns its five sub-objects; it is owned by its component
// (or by the caller when there is none). The owner, when given, must be a
// TQuibDFe, else "Owner de TConfiguracoes deve ser do tipo TQuibDFe"
// (EQuibDFeException).
//
// Subclasses (the NF-e tree) override the factories; the sub-objects are made
// on first access through them, so a subclass's own factories are the ones
// used, also when its constructor already reaches a sub-object (Geral()...).
//
// CopiarDe, SalvarNoIni and CarregarDoIni run the same operation of the five
// sub-objects in the order general, web services, certificates, files,
// technical responsible. The INI sections are "DFe", "Proxy" and, when
// SessaoIni is not empty, that document section.
//
// Implemented in configuracoes.cpp.
class TConfiguracoes {
  public:
    explicit TConfiguracoes(TQuibComponent *AOwner = nullptr);
    virtual ~TConfiguracoes();
    TConfiguracoes(const TConfiguracoes &) = delete;
    TConfiguracoes &operator=(const TConfiguracoes &) = delete;

    TGeralConf &Geral();
    TWebServicesConf &WebServices();
    TCertificadosConf &Certificados();
    TArquivosConf &Arquivos();
    TRespTecConf &RespTec();
    const TGeralConf &Geral() const;
    const TWebServicesConf &WebServices() const;
    const TCertificadosConf &Certificados() const;
    const TArquivosConf &Arquivos() const;
    const TRespTecConf &RespTec() const;

    // INI section of the document-specific keys (set by the document tree).
    std::string SessaoIni;
    // Key that scrambles passwords written to the INI (nothing sets it).
    std::string ChaveSenhaIni;

    // The owning component (null when there is none) and its facade.
    TQuibDFe *Owner() const { return owner_; }
    TDFeSSL *SSLDoComponente() const;

    virtual void CopiarDe(const TConfiguracoes &origem);
    virtual void SalvarNoIni(MemIniFile &ini) const;
    virtual void CarregarDoIni(const MemIniFile &ini);

  protected:
    virtual std::unique_ptr<TGeralConf> CriarGeralConf();
    virtual std::unique_ptr<TWebServicesConf> CriarWebServicesConf();
    virtual std::unique_ptr<TCertificadosConf> CriarCertificadosConf();
    virtual std::unique_ptr<TArquivosConf> CriarArquivosConf();
    virtual std::unique_ptr<TRespTecConf> CriarRespTecConf();

  private:
    void garantirSubObjetos() const;

    TQuibDFe *owner_ = nullptr;
    mutable std::unique_ptr<TGeralConf> geral_;
    mutable std::unique_ptr<TWebServicesConf> webServices_;
    mutable std::unique_ptr<TCertificadosConf> certificados_;
    mutable std::unique_ptr<TArquivosConf> arquivos_;
    mutable std::unique_ptr<TRespTecConf> respTec_;
};
