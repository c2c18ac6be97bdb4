#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/ssl/dados_certificado.h"
#include "dfe/ssl/dfe_ssl_crypt_class.h"
#include "dfe/ssl/dfe_ssl_http_class.h"
#include "dfe/ssl/dfe_ssl_xml_sign_class.h"
#include "dfe/ssl/ssl_types.h"
#include "dfe/ssl/tls_credential.h"
#include "foundation/dates/date_time.h"

class TDFeSendThread;

// Called before signing with a copy of the XML (in/out) and the next five
// arguments of Assinar. A handler that changes the text has signed it.
using TDFeSSLAntesDeAssinar = std::function<void(
    std::string &ConteudoXML, std::string_view docElement, std::string_view infElement,
    std::string_view SignatureNode, std::string_view SelectionNamespaces, std::string_view IdSignature)>;

// The one object through which the fiscal-document layers reach
// certificates, digests, XML signatures, schema validation and HTTP(S)
// transport. It holds the certificate source settings, the password (only
// scrambled), the proxy, the time-out and the TLS choice, and owns three
// back-ends chosen by the library settings (created through the back-end
// registry; an unregistered choice gets the base class of its family). Three
// back-ends exist at every moment.
//
// Every failure of the facade itself raises EQuibDFeException; back-end
// exceptions pass through unchanged. Used from one thread; a threaded send
// runs its exchange on a thread of its own with a copy of what it needs, and
// the destructor interrupts and waits for any such thread still running.
//
// Implemented in dfe_ssl.cpp (settings, back-ends, certificate),
// dfe_ssl_operacoes.cpp (signing, digests, validation) and
// dfe_ssl_transmitir.cpp (sending).
class TDFeSSL {
  public:
    TDFeSSL();
    virtual ~TDFeSSL();
    TDFeSSL(const TDFeSSL &) = delete;
    TDFeSSL &operator=(const TDFeSSL &) = delete;

    // ---- Library choices: a different value replaces the back-end ----
    TSSLCryptLib SSLCryptLib() const { return sslCryptLib_; }
    void SetSSLCryptLib(TSSLCryptLib value);
    TSSLHttpLib SSLHttpLib() const { return sslHttpLib_; }
    void SetSSLHttpLib(TSSLHttpLib value);
    TSSLXmlSignLib SSLXmlSignLib() const { return sslXmlSignLib_; }
    // xsXmlSec raises "Suporte a \"xsXmlSec\" foi desativado por
    // compilação..." and keeps the current back-end and choice.
    void SetSSLXmlSignLib(TSSLXmlSignLib value);

    // ---- Stored settings ----
    TSSLType SSLType = LT_TLSv1_2;
    TSSLDgst SSLDgst = dgstSHA1;
    TSSLStoreLocation StoreLocation = slCurrentUser;
    std::string StoreName = "My";
    std::string ProxyHost;
    std::string ProxyPort;
    std::string ProxyUser;
    std::string ProxyPass;
    int TimeOut = 5000; // milliseconds
    bool TimeOutPorThread = false;
    std::string NameSpaceURI;
    bool UseCertificateHTTP = true;
    TDFeSSLAntesDeAssinar AntesDeAssinar;

    // ---- Certificate sources (exclusive) ----
    // A setter given a different value stores it and, when it is not empty,
    // clears the sources it excludes and unloads a loaded certificate:
    // ArquivoPFX clears NumeroSerie and DadosPFX; DadosPFX clears ArquivoPFX,
    // URLPFX and NumeroSerie; URLPFX clears NumeroSerie and DadosPFX
    // (ArquivoPFX stays: the local copy of the download); NumeroSerie is
    // stored without blanks, upper-cased, and clears the other three.
    const std::string &ArquivoPFX() const { return arquivoPFX_; }
    void SetArquivoPFX(std::string_view value);
    const std::string &DadosPFX() const { return dadosPFX_; }
    void SetDadosPFX(std::string_view value);
    const std::string &URLPFX() const { return urlPFX_; }
    void SetURLPFX(std::string_view value);
    const std::string &NumeroSerie() const { return numeroSerie_; }
    void SetNumeroSerie(std::string_view value);

    // The password, held only scrambled; a different value gets a new
    // scrambling key and unloads a loaded certificate.
    std::string Senha() const;
    void SetSenha(std::string_view value);

    // ---- Read-only state ----
    TDadosCertificado &DadosCertificado() { return crypt_->DadosCertificado(); }
    TListaCertificados &ListaCertificados() { return crypt_->ListaCertificados(); }
    int HTTPResultCode() const { return http_->HTTPResultCode; }
    int InternalErrorCode() const { return http_->InternalErrorCode; }
    bool CertificadoCarregado() const { return crypt_->CertificadoPronto(); }

    // The current back-ends (owned by the facade).
    TDFeSSLCryptClass &SSLCryptClass() { return *crypt_; }
    TDFeSSLHttpClass &SSLHttpClass() { return *http_; }
    TDFeSSLXmlSignClass &SSLXmlSignClass() { return *xmlSign_; }

    // ---- Operations ----
    // Signs through the signature back-end (or AntesDeAssinar); a UTF-8
    // declaration of the input comes back exactly as given.
    std::string Assinar(std::string_view ConteudoXML, std::string_view docElement,
                        std::string_view infElement, std::string_view SignatureNode = "",
                        std::string_view SelectionNamespaces = "", std::string_view IdSignature = "",
                        std::string_view NomeAtributoId = "");
    // Posts ConteudoXML (GET when empty) and answers the body; an empty
    // MimeType is "application/soap+xml; charset=utf-8". With
    // TimeOutPorThread the exchange runs on a send thread with a deadline of
    // TimeOut in whole seconds (no Authorization header, status always
    // checked); "Erro na thread de envio: ..." or "Timeout - Não foi possível
    // obter a resposta do servidor" when it fails or brings nothing.
    std::string Transmitir(std::string_view ConteudoXML, std::string_view URL, std::string_view SoapAction,
                           std::string_view MimeType = "", std::string_view CabecalhoAutorizacao = "",
                           bool ValidarCodigoHTTP = true);
    // GET of the URL through the HTTP back-end; the status is not checked
    // (read HTTPResultCode).
    std::string ObterConteudoURL(std::string_view URL);
    // Raises "Arquivo de Schema não especificado" or "Arquivo \r\n<path>\r\n
    // Não encontrado"; else the signature back-end decides.
    bool Validar(std::string_view ConteudoXML, std::string_view ArqSchema, std::string &MsgErro);
    bool ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro, std::string_view infElement,
                           std::string_view SignatureNode = "", std::string_view SelectionNamespaces = "",
                           std::string_view IdSignature = "", std::string_view NomeAtributoId = "");
    // The digest (or with Assinar the RSA signature) of the stream's content
    // from its current position: Saida 0 upper-case hexadecimal, 1 base64,
    // any other the raw bytes. A null stream or one in a failed state raises
    // "Stream inválido", one without bytes left "Stream vazio".
    std::string CalcHash(std::istream *AStream, TSSLDgst Digest, int Saida = 0, bool Assinar = false);
    std::string CalcHashTexto(std::string_view Texto, TSSLDgst Digest, int Saida = 0, bool Assinar = false);
    // Hash holds raw bytes: a digest, or with Assinado an RSA signature.
    // Raises "Stream inválido", "Stream vazio", "Hash vazio".
    bool ValidarHash(std::istream *AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado = false);
    bool ValidarHashTexto(std::string_view Texto, TSSLDgst Digest, std::string_view Hash,
                          bool Assinado = false);

    void GarantirCertificadoCarregado();
    void LiberarCertificado();
    void LerCertificadosStore();
    // The serial number chosen (empty when cancelled); a chosen certificate is loaded.
    std::string SelecionarCertificado();
    // Unloads, then (for a non-empty argument) loads the public certificate.
    virtual void CarregarCertificadoPublico(std::string_view DadosX509Base64);
    // Raises "Erro CNPJ Documento: ..." for an invalid 14-digit CNPJ and "O
    // CNPJ do Documento é diferente do CNPJ do Certificado Digital" when its
    // first 8 digits differ from the certificate's; CPFs are not checked.
    void ConferirCNPJDocumento(std::string_view CNPJDocumento);

    // Certificate fields; the certificate is loaded when its data is missing.
    TDateTime DataValidadeDoCertificado();
    std::string NumeroSerieDoCertificado();
    std::string SubjectNameDoCertificado();
    std::string IssuerNameDoCertificado();
    std::string RazaoSocialDoCertificado();
    std::string CNPJDoCertificado();
    std::string AutoridadeDoCertificado();
    // The certificate as a TLS client credential (loaded unless loaded);
    // null for back-ends without one.
    TlsCredentialPtr ContextoWinApiDoCertificado();

  private:
    friend class TDFeSendThread;
    void unloadWhenLoaded();
    std::string transmitirPorThread(std::string_view ConteudoXML, std::string_view URL,
                                    std::string_view SoapAction, std::string_view MimeType);
    void reapFinishedSendThreads();

    TSSLCryptLib sslCryptLib_ = cryNone;
    TSSLHttpLib sslHttpLib_ = httpNone;
    TSSLXmlSignLib sslXmlSignLib_ = xsNone;
    std::string arquivoPFX_;
    std::string dadosPFX_;
    std::string urlPFX_;
    std::string numeroSerie_;
    std::string senhaEmbaralhada_;
    std::string chaveSenha_;
    std::shared_ptr<std::mutex> sendLock_;
    // Send threads left running after their deadline; interrupted and joined
    // at the latest by the destructor.
    std::vector<std::unique_ptr<TDFeSendThread>> pendingSendThreads_;
    std::unique_ptr<TDFeSSLCryptClass> crypt_;
    std::unique_ptr<TDFeSSLHttpClass> http_;
    std::unique_ptr<TDFeSSLXmlSignClass> xmlSign_;
};

// The three library choices of a bundle.
struct TSSLEscolhas {
    TSSLCryptLib crypt;
    TSSLHttpLib http;
    TSSLXmlSignLib xmlSign;
};
// The choices of a bundle; nullopt for libCustom (and any other value).
std::optional<TSSLEscolhas> escolhasDoPacote(TSSLLib lib);
// The bundle whose choices are exactly these, compared in the order
// libOpenSSL, libNone, libCapicom, libCapicomSoap, libWinCrypt; else libCustom.
TSSLLib pacoteDasEscolhas(const TSSLEscolhas &escolhas);
// Sets the three library choices of a bundle (libCustom changes nothing).
void applySslLib(TDFeSSL &ssl, TSSLLib lib);
