#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/component/configuracoes.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/base/base_classes.h"
#include "foundation/codes/conversao.h"
#include "foundation/files/mem_ini_file.h"

class TQuibMail;
class TQuibDFe;

using TQuibDFeOnTransmit = std::function<void(
    std::string_view Dados, std::string_view URL, std::string_view SoapAction, std::string_view MimeType,
    std::string &Resposta, int &HTTPResultCode, int &InternalErrorCode)>;
using TQuibDFeOnTransmitError =
    std::function<void(int HttpError, int InternalError, std::string_view URL, std::string_view DadosEnviados,
                       std::string_view SoapAction, bool &Retentar, bool &Tratado)>;
using TQuibGravarLog = std::function<void(std::string_view ALogLine, bool &Tratado)>;
using TQuibDFeNotifyEvent = std::function<void(TQuibDFe &Sender)>;

// The base of every fiscal-document component. It owns the configuration
// tree (Configuracoes) and the certificate, signing and transport facade
// (SSL), keeps the services INI in memory and answers endpoint lookups from
// it, finds XSD files by schema name and version, saves XML files, mails
// documents through a linked mailer and funnels log lines and errors through
// OnGerarLog.
//
// Document components derive from it and override the virtual operations
// (CriarConfiguracoes, NomeSchemaDoServico, NomeDoModeloDFe,
// NameSpaceURIDocumento, EnviarPorEmail...). The configuration is made on the
// first call of Configuracoes() through CriarConfiguracoes, so a subclass's
// factory is the one used; on that first call the settings are copied into
// the facade (certificate sources, namespace, password, proxy, time-outs,
// libraries).
//
// Links: MAIL and Integrador are not owned; when the linked component is
// destroyed the reference becomes null (free notification).
//
// Errors: every refusal is EQuibDFeException. LancarErro logs "ERRO: " + text
// first and raises only when the log handler does not mark it handled.
// Used from the thread that owns it; nothing here is locked.
//
// Implemented in quib_dfe.cpp (life cycle, links, log, files, mail),
// quib_dfe_servicos.cpp (services INI lookups) and quib_dfe_schemas.cpp
// (schema files and versions).
class TQuibDFe : public TQuibComponent {
  public:
    TQuibDFe();
    ~TQuibDFe() override;

    TConfiguracoes &Configuracoes();
    TDFeSSL &SSL() { return *ssl_; }

    TQuibMail *MAIL() const { return mail_; }
    void SetMAIL(TQuibMail *mail);
    // The linked fiscal Integrador client (any component; not owned).
    TQuibComponent *Integrador() const { return integrador_; }
    void SetIntegrador(TQuibComponent *integrador);

    TQuibDFeOnTransmit OnTransmit;
    TQuibDFeOnTransmitError OnTransmitError;
    TQuibDFeNotifyEvent OnStatusChange;
    TQuibGravarLog OnGerarLog;
    // Kept in the facade (SSL().AntesDeAssinar).
    const TDFeSSLAntesDeAssinar &OnAntesDeAssinar() const { return ssl_->AntesDeAssinar; }
    void SetOnAntesDeAssinar(TDFeSSLAntesDeAssinar handler) { ssl_->AntesDeAssinar = std::move(handler); }

    // ---- Services INI ----
    // Fills the in-memory services INI from WebServices.Params (which, when
    // empty, CarregarParams fills from the file named by Arquivos.IniServicos
    // or the embedded resource). With apenasSeNaoCarregado nothing happens
    // once loaded.
    virtual void CarregarIniServicos(bool apenasSeNaoCarregado = true);
    // The URL (and WSDL and SOAP action) of a service: section ModeloDFe_UF_P
    // or _H; the section's own key wins, else its "Usar" redirection is
    // followed. Raises "ModeloDFe não pode ser vazio", "UF não pode ser
    // vazia", the circular-redirection, missing-section and missing-URL
    // errors. Versao: in the version asked, out the version found (that of
    // the schema file when the service has a schema).
    void BuscarServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                       std::string_view NomeServico, double &Versao, std::string &URL, std::string &WSDL,
                       std::string &SoapAction);
    void BuscarURLEVersao(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                          std::string_view NomeServico, double &Versao, std::string &URL);
    // The value of Servico_<version> in the section: the exact version, else
    // the highest version not above the one asked (Versao becomes it, 0 when
    // none and then the unversioned key answers). An absent section: empty,
    // Versao unchanged.
    std::string LerChaveDeServico(std::string_view Secao, std::string_view NomeServico, double &Versao);
    double VersaoDoServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                           std::string_view NomeServico, double Versao);
    std::string URLDoServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                             std::string_view NomeServico, double Versao);

    // ---- Schemas ----
    // The schema name of a service key (empty here).
    virtual std::string NomeSchemaDoServico(std::string_view NomeServico) const;
    // Text between the first "_v" and the next ".xsd".
    virtual std::string VersaoDoNomeArquivoSchema(std::string_view NomeArquivo) const;
    // "0.00" with "." (empty for 0 or less) and back (0 when not a number).
    virtual std::string VersaoParaTexto(double Versao) const;
    virtual double TextoParaVersao(std::string_view Texto) const;
    // The full path of <name>_v<version>.xsd in Arquivos.PathSchemas, or of
    // the highest version not above the one asked (Versao becomes it; empty
    // and 0 when none). Raises "Nenhum arquivo de Schema encontrado na pasta:
    // \r\n<folder>" for a folder without XSD files.
    virtual std::string BuscarArquivoSchema(std::string_view NomeSchema, double &Versao);

    // ---- Document ----
    virtual std::string NomeDoModeloDFe() const;
    virtual std::string NameSpaceURIDocumento() const;

    // Writes the XML (made UTF-8 with its declaration unless NaoConverter and
    // a declaration of UTF-8 is absent: then only the declaration is added;
    // every "<-><->" removed) by replace-by-rename into the file name's
    // folder, else Pasta, else Arquivos.PathSalvar. Errors go to LancarErro as
    // "Erro ao salvar."; false when the log handler handled them.
    bool SalvarArquivoXML(std::string_view NomeArquivo, std::string_view ConteudoXML,
                          std::string_view Pasta = "", bool NaoConverter = true);

    // Mails through MAIL (raises "Componente QuibMail não associado" when
    // none): HTML body from the lines, the same without tags as plain text,
    // the stream and the files attached.
    virtual void EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                                const std::vector<std::string> *sMensagem = nullptr,
                                const std::vector<std::string> *sCC = nullptr,
                                const std::vector<std::string> *Anexos = nullptr,
                                std::istream *StreamNFe = nullptr, std::string_view NomeArq = "",
                                const std::vector<std::string> *sReplyTo = nullptr,
                                const std::vector<std::string> *sBCC = nullptr);

    // Offers the line to OnGerarLog; true when the handler marked it handled.
    bool RegistrarLog(std::string_view ALogLine);
    // Logs "ERRO: " + message (+ CR LF + the exception's text); raises
    // EQuibDFeException with that text unless the handler handled it.
    void LancarErro(std::string_view Mensagem, const std::exception *E = nullptr);

  protected:
    virtual std::unique_ptr<TConfiguracoes> CriarConfiguracoes();
    void Notification(TQuibComponent *component, TOperation operation) override;

  private:
    void copiarConfiguracoesParaSSL();

    std::unique_ptr<TDFeSSL> ssl_;
    std::unique_ptr<TConfiguracoes> configuracoes_;
    TQuibMail *mail_ = nullptr;
    TQuibComponent *integrador_ = nullptr;
    MemIniFile iniServicos_;
    bool iniServicosCarregado_ = false;
    std::vector<std::string> listaDeSchemas_;
    std::string pastaDosSchemas_;
    std::string prefixoVersaoSchema_ = "_v";
};
