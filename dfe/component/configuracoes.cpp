#include "dfe/component/configuracoes.h"

#include "dfe/component/quib_dfe.h"
#include "foundation/fiscal/dfe_exception.h"

TConfiguracoes::TConfiguracoes(TQuibComponent *AOwner)
{
    if (AOwner != nullptr) {
        owner_ = dynamic_cast<TQuibDFe *>(AOwner);
        if (owner_ == nullptr)
            throw EQuibDFeException("Owner de TConfiguracoes deve ser do tipo TQuibDFe");
    }
}

TConfiguracoes::~TConfiguracoes() = default;

void TConfiguracoes::garantirSubObjetos() const
{
    if (geral_)
        return;
    auto *self = const_cast<TConfiguracoes *>(this);
    geral_ = self->CriarGeralConf();
    webServices_ = self->CriarWebServicesConf();
    certificados_ = self->CriarCertificadosConf();
    arquivos_ = self->CriarArquivosConf();
    respTec_ = self->CriarRespTecConf();
}

TGeralConf &TConfiguracoes::Geral()
{
    garantirSubObjetos();
    return *geral_;
}
TWebServicesConf &TConfiguracoes::WebServices()
{
    garantirSubObjetos();
    return *webServices_;
}
TCertificadosConf &TConfiguracoes::Certificados()
{
    garantirSubObjetos();
    return *certificados_;
}
TArquivosConf &TConfiguracoes::Arquivos()
{
    garantirSubObjetos();
    return *arquivos_;
}
TRespTecConf &TConfiguracoes::RespTec()
{
    garantirSubObjetos();
    return *respTec_;
}
const TGeralConf &TConfiguracoes::Geral() const
{
    garantirSubObjetos();
    return *geral_;
}
const TWebServicesConf &TConfiguracoes::WebServices() const
{
    garantirSubObjetos();
    return *webServices_;
}
const TCertificadosConf &TConfiguracoes::Certificados() const
{
    garantirSubObjetos();
    return *certificados_;
}
const TArquivosConf &TConfiguracoes::Arquivos() const
{
    garantirSubObjetos();
    return *arquivos_;
}
const TRespTecConf &TConfiguracoes::RespTec() const
{
    garantirSubObjetos();
    return *respTec_;
}

TDFeSSL *TConfiguracoes::SSLDoComponente() const
{
    return owner_ != nullptr ? &owner_->SSL() : nullptr;
}

std::unique_ptr<TGeralConf> TConfiguracoes::CriarGeralConf()
{
    return std::make_unique<TGeralConf>(*this);
}
std::unique_ptr<TWebServicesConf> TConfiguracoes::CriarWebServicesConf()
{
    return std::make_unique<TWebServicesConf>(*this);
}
std::unique_ptr<TCertificadosConf> TConfiguracoes::CriarCertificadosConf()
{
    return std::make_unique<TCertificadosConf>(*this);
}
std::unique_ptr<TArquivosConf> TConfiguracoes::CriarArquivosConf()
{
    return std::make_unique<TArquivosConf>(*this);
}
std::unique_ptr<TRespTecConf> TConfiguracoes::CriarRespTecConf()
{
    return std::make_unique<TRespTecConf>(*this);
}

void TConfiguracoes::CopiarDe(const TConfiguracoes &origem)
{
    Geral().CopiarDe(origem.Geral());
    WebServices().CopiarDe(origem.WebServices());
    Certificados().CopiarDe(origem.Certificados());
    Arquivos().CopiarDe(origem.Arquivos());
    RespTec().CopiarDe(origem.RespTec());
}

void TConfiguracoes::SalvarNoIni(MemIniFile &ini) const
{
    Geral().SalvarNoIni(ini);
    WebServices().SalvarNoIni(ini);
    Certificados().SalvarNoIni(ini);
    Arquivos().SalvarNoIni(ini);
    RespTec().SalvarNoIni(ini);
}

void TConfiguracoes::CarregarDoIni(const MemIniFile &ini)
{
    Geral().CarregarDoIni(ini);
    WebServices().CarregarDoIni(ini);
    Certificados().CarregarDoIni(ini);
    Arquivos().CarregarDoIni(ini);
    RespTec().CarregarDoIni(ini);
}
