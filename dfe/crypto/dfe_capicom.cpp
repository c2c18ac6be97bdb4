#include "dfe/crypto/dfe_capicom.h"

#include "dfe/ssl/backend_registry.h"
#include "foundation/fiscal/dfe_exception.h"

TDFeCapicom::TDFeCapicom(TDFeSSL &SSL) : TDFeWinCrypt(SSL) {}

std::string_view TDFeCapicom::NomeClasse() const
{
    return "TDFeCapicom";
}

std::string_view TDFeCapicom::TituloSelecao() const
{
    return "Certificado(s) Digital(is) disponível(is)";
}

std::string_view TDFeCapicom::TextoSelecao() const
{
    return "Selecione o Certificado Digital para uso no aplicativo";
}

void TDFeCapicom::CarregarCertificadoDeArquivo()
{
    TDFeWinCrypt::CarregarCertificadoDeArquivo();
    certificadoCapicom_ = TemCertificado();
}

void TDFeCapicom::CarregarCertificadoDeNumeroSerie()
{
    TDFeWinCrypt::CarregarCertificadoDeNumeroSerie();
    certificadoCapicom_ = TemCertificado();
}

void TDFeCapicom::PreencherDadosCertificado()
{
    if (!certificadoCapicom_)
        throw EQuibDFeException("Certificado Digital não Carregado!");
    TDFeWinCrypt::PreencherDadosCertificado();
}

void TDFeCapicom::LiberarCertificado()
{
    TDFeWinCrypt::LiberarCertificado();
    certificadoCapicom_ = false;
}

void registerCapicomBackend()
{
    registerCryptBackend(cryCapicom, [](TDFeSSL &ssl) { return std::make_unique<TDFeCapicom>(ssl); });
}
