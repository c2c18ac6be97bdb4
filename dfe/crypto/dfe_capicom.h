#pragma once

#include "dfe/crypto/dfe_wincrypt.h"

#include <string>

// The store back-end of the CAPICOM personality, made by the facade for
// cryCapicom (registered by registerCapicomBackend). Everything of
// TDFeWinCrypt, with two differences the signature back-end
// TDFeSSLXmlSignMsXmlCapicom relies on: its certificate object exists only
// after loading from a PFX file or by serial number, so loading only from
// PFX data or a URL ends in "Certificado Digital não Carregado!"; and its
// picker shows its own title and text.
class TDFeCapicom : public TDFeWinCrypt {
  public:
    explicit TDFeCapicom(TDFeSSL &SSL);

    std::string_view NomeClasse() const override;
    void CarregarCertificadoDeArquivo() override;
    void CarregarCertificadoDeNumeroSerie() override;
    void PreencherDadosCertificado() override;
    void LiberarCertificado() override;

  protected:
    std::string_view TituloSelecao() const override;
    std::string_view TextoSelecao() const override;

  private:
    bool certificadoCapicom_ = false;
};

// Registers TDFeCapicom for cryCapicom (called by RegistraBackendsDFe).
void registerCapicomBackend();
