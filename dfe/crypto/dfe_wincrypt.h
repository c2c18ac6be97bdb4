#pragma once

#include "dfe/crypto/detail/openssl_ptr.h"
#include "dfe/crypto/detail/token_store.h"
#include "dfe/ssl/dfe_ssl_crypt_class.h"

#include <optional>
#include <string>

// The certificate-store back-end, made by the facade for cryWinCrypt
// (registered by registerWinCryptBackend). Its store is the folder store
// (detail/folder_store.h) chosen by the facade's StoreLocation and StoreName;
// for the user's "My" store the certificates of the hardware tokens
// registered with p11-kit are listed too (detail/token_store.h). It also
// loads PFX data (PFXDataToCertContextWinApi), reads the certificate's fields,
// computes digests and RSA signatures with OpenSSL (in software or on the
// token; every signature keeps the key's length), checks them, lists the
// store and lets the installed picker choose (certificate_selector.h).
//
// A token certificate is tcA3: its PIN is the facade's Senha, given to the
// token once per serial number and process (SeriesComPIN) until the
// certificate is released. A wrong PIN raises "O cartão não pode ser acessado
// porque o PIN errado foi apresentado." and empties Senha; a locked token
// raises "O cartão não pode ser acessado porque o número máximo de tentativas
// de entrada de PIN foi atingido". A folder key is tcA1.
//
// Errors are EQuibDFeException with the texts of each operation below. Not
// shared between threads (the facade serialises its use).
class TDFeWinCrypt : public TDFeSSLCryptClass {
  public:
    explicit TDFeWinCrypt(TDFeSSL &SSL);
    ~TDFeWinCrypt() override;

    std::string_view NomeClasse() const override;

    // The certificate, its key (folder or token) and chain; loads first.
    TlsCredentialPtr ContextoCertificadoWinApi() override;
    // The facade's DadosPFX, else the loaded certificate exported with Senha;
    // a token key raises EQuibDFeExceptionNoPrivateKey "Certificado não
    // permite Exportar Chave Privada.". Kept until release.
    std::string DadosPFXDoCertificado() override;
    void CarregarCertificadoDeDadosPFX() override;
    // Raises "Certificado Série: \"<serial>\", não encontrado!".
    void CarregarCertificadoDeNumeroSerie() override;
    // Raises "Certificado Digital não Carregado!" without a certificate.
    void PreencherDadosCertificado() override;
    // "crypt32.dll " and the file version (empty on this platform).
    std::string VersaoBiblioteca() override;
    // dgstRMD160 raises "Digest dgstRMD160 não suportado em <class>"; a
    // digest the library lacks "O Provedor de Criptografia não suporta o
    // algoritmo: <digest> , erro: $80090008".
    std::string CalcHash(std::istream &AStream, TSSLDgst Digest, bool Assinar) override;
    bool ValidarHash(std::istream &AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado) override;
    void LiberarCertificado() override;
    // The installed picker over the store's certificates ("Selecione um
    // Certificado"); the chosen one becomes the facade's NumeroSerie and is
    // loaded. Empty (nothing loaded) on a cancel.
    std::string SelecionarCertificado() override;
    // One item per certificate of the store, Tipo tcDesconhecido. Raises
    // "TDFeWinCrypt. Erro ao abrir StoreName: <name> Location: <ordinal>"
    // for a store folder that cannot be read.
    void LerCertificadosStore() override;
    void CarregarCertificadoPublico(std::string_view DadosX509Base64) override;

  protected:
    virtual std::string_view TituloSelecao() const;
    virtual std::string_view TextoSelecao() const;
    bool TemCertificado() const { return static_cast<bool>(certificado_); }

  private:
    struct StoreItem {
        dfe::openssl::CertificatePtr certificado;
        std::string keyPath;                               // folder entries
        std::optional<dfe::token::TokenCertificate> token; // token entries
    };
    std::vector<StoreItem> lerStore() const;
    void definirPIN(const std::string &senha, bool levantarFalhasGenericas);
    EVP_PKEY *chaveParaAssinar();

    dfe::openssl::CertificatePtr certificado_;
    dfe::openssl::KeyPtr chave_;
    dfe::openssl::CertificateStackPtr cadeia_;
    std::optional<dfe::token::TokenCertificate> token_;
    TlsCredentialPtr credencial_;
    std::string dadosPFXCache_;
};

// Registers TDFeWinCrypt for cryWinCrypt (called by RegistraBackendsDFe).
void registerWinCryptBackend();
