#pragma once

#include <istream>
#include <string>
#include <string_view>

#include "dfe/ssl/dados_certificado.h"
#include "dfe/ssl/ssl_types.h"
#include "dfe/ssl/tls_credential.h"
#include "foundation/dates/date_time.h"

class TDFeSSL;

// Base of the certificate and RSA back-ends of TDFeSSL. The facade owns one
// back-end at a time; the back-end keeps a non-owning reference to the facade
// and reads its settings (sources, Senha, store) through it. The base class
// is what the facade holds when no crypt library is chosen: every certificate
// operation raises EQuibDFeException "\"<operation>\" não suportado em: " (or
// "não implementado em: " for the PFX data load) followed by NomeClasse().
//
// Loading from a file or a URL, and the order in which the facade's sources
// are tried, are the same for every back-end (CarregarCertificadoConfigurado).
// Used from the facade's thread only.
class TDFeSSLCryptClass {
  public:
    explicit TDFeSSLCryptClass(TDFeSSL &SSL);
    virtual ~TDFeSSLCryptClass();
    TDFeSSLCryptClass(const TDFeSSLCryptClass &) = delete;
    TDFeSSLCryptClass &operator=(const TDFeSSLCryptClass &) = delete;

    // The class's own name, used in the messages ("TDFeSSLCryptClass").
    virtual std::string_view NomeClasse() const;

    // ---- Virtual operations ----
    // The loaded certificate as a TLS client credential; null in the base.
    virtual TlsCredentialPtr ContextoCertificadoWinApi();
    // The PFX bytes of the certificate; the base returns the facade's DadosPFX.
    virtual std::string DadosPFXDoCertificado();
    // Reads the facade's ArquivoPFX into its DadosPFX, then
    // CarregarCertificadoDeDadosPFX. Raises "Arquivo: <path> não encontrado".
    virtual void CarregarCertificadoDeArquivo();
    // Loads through the facade's URLPFX, ArquivoPFX being the local copy
    // (reused while fresh, replaced only by a good download).
    virtual void CarregarCertificadoDeURL();
    virtual void CarregarCertificadoDeDadosPFX();
    virtual void CarregarCertificadoDeNumeroSerie();
    // Fills DadosCertificado from the loaded certificate; base: nothing.
    virtual void PreencherDadosCertificado();
    // Clears DadosCertificado (all but HashSHA1) and empties ListaCertificados.
    virtual void Limpar();
    // Base: empty.
    virtual std::string VersaoBiblioteca();
    // The raw digest of the stream's content (read from its current position
    // to its end), or with Assinar the raw RSA signature of it.
    virtual std::string CalcHash(std::istream &AStream, TSSLDgst Digest, bool Assinar);
    // Hash is a raw digest, or with Assinado a raw RSA signature.
    virtual bool ValidarHash(std::istream &AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado);
    // Unloads: Limpar, then CertificadoPronto false. Overrides call the base.
    virtual void LiberarCertificado();
    // Shows the store's selection; answers the chosen serial number (empty
    // when cancelled), already made the facade's NumeroSerie.
    virtual std::string SelecionarCertificado();
    virtual void LerCertificadosStore();
    virtual void CarregarCertificadoPublico(std::string_view DadosX509Base64);

    // ---- Common operations ----
    // LiberarCertificado, Limpar, then loads from the facade's first source
    // of URLPFX, DadosPFX, ArquivoPFX, NumeroSerie; PreencherDadosCertificado;
    // CertificadoPronto. Raises "DadosPFX, ArquivoPFX, URLPFX ou NumeroSerie
    // não especificados !" when all are empty.
    void CarregarCertificadoConfigurado();
    void GarantirCertificadoCarregado();
    // GarantirCertificadoCarregado when DadosCertificado.NumeroSerie is empty.
    void GarantirDadosCertificado();

    // Fields of DadosCertificado, after GarantirDadosCertificado.
    TDateTime DataValidadeDoCertificado();
    std::string NumeroSerieDoCertificado();
    std::string SubjectNameDoCertificado();
    std::string IssuerNameDoCertificado();
    std::string AutoridadeDoCertificado();
    std::string CNPJDoCertificado();
    std::string RazaoSocialDoCertificado();

    TDadosCertificado &DadosCertificado() { return dadosCertificado_; }
    TListaCertificados &ListaCertificados() { return listaCertificados_; }
    bool CertificadoPronto() const { return certificadoPronto_; }

  protected:
    TDFeSSL &SSL() const { return ssl_; }
    void SetCertificadoPronto(bool pronto) { certificadoPronto_ = pronto; }
    // Raises "\"<operation>\" não suportado em: " + NomeClasse().
    [[noreturn]] void NaoSuportado(std::string_view operacao) const;

  private:
    TDadosCertificado dadosCertificado_;
    TListaCertificados listaCertificados_;
    TDFeSSL &ssl_;
    bool certificadoPronto_ = false;
};
