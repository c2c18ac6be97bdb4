#include "dfe/component/quib_dfe.h"

#include <filesystem>

#include "dfe/component/detail/pastas.h"
#include "dfe/mail/quib_mail.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"

TQuibDFe::TQuibDFe() : ssl_(std::make_unique<TDFeSSL>()) {}

TQuibDFe::~TQuibDFe()
{
    // The configuration's setters reach the facade: it goes first.
    configuracoes_.reset();
    ssl_.reset();
}

std::unique_ptr<TConfiguracoes> TQuibDFe::CriarConfiguracoes()
{
    return std::make_unique<TConfiguracoes>(this);
}

TConfiguracoes &TQuibDFe::Configuracoes()
{
    if (!configuracoes_) {
        configuracoes_ = CriarConfiguracoes();
        copiarConfiguracoesParaSSL();
    }
    return *configuracoes_;
}

void TQuibDFe::copiarConfiguracoesParaSSL()
{
    const TCertificadosConf &certificados = configuracoes_->Certificados();
    const TWebServicesConf &webServices = configuracoes_->WebServices();
    const TGeralConf &geral = configuracoes_->Geral();
    ssl_->SetURLPFX(certificados.URLPFX());
    ssl_->SetArquivoPFX(certificados.ArquivoPFX());
    ssl_->SetDadosPFX(certificados.DadosPFX());
    ssl_->NameSpaceURI = NameSpaceURIDocumento();
    ssl_->SetNumeroSerie(certificados.NumeroSerie());
    ssl_->SetSenha(certificados.Senha());
    ssl_->ProxyHost = webServices.ProxyHost();
    ssl_->ProxyPort = webServices.ProxyPort();
    ssl_->ProxyUser = webServices.ProxyUser();
    ssl_->ProxyPass = webServices.ProxyPass();
    ssl_->TimeOut = webServices.TimeOut();
    ssl_->TimeOutPorThread = webServices.TimeOutPorThread();
    ssl_->SetSSLCryptLib(geral.SSLCryptLib());
    ssl_->SetSSLHttpLib(geral.SSLHttpLib());
    ssl_->SetSSLXmlSignLib(geral.SSLXmlSignLib());
}

// ---- Links ------------------------------------------------------------------------

void TQuibDFe::SetMAIL(TQuibMail *mail)
{
    if (mail == mail_)
        return;
    if (mail_ != nullptr && mail_ != integrador_)
        RemoveFreeNotification(mail_);
    mail_ = mail;
    FreeNotification(mail_);
}

void TQuibDFe::SetIntegrador(TQuibComponent *integrador)
{
    if (integrador == integrador_)
        return;
    if (integrador_ != nullptr && integrador_ != mail_)
        RemoveFreeNotification(integrador_);
    integrador_ = integrador;
    FreeNotification(integrador_);
}

void TQuibDFe::Notification(TQuibComponent *component, TOperation operation)
{
    TQuibComponent::Notification(component, operation);
    if (operation != opRemove)
        return;
    if (component == mail_)
        mail_ = nullptr;
    if (component == integrador_)
        integrador_ = nullptr;
}

// ---- Log and errors ------------------------------------------------------------------

bool TQuibDFe::RegistrarLog(std::string_view ALogLine)
{
    bool tratado = false;
    if (!ALogLine.empty() && OnGerarLog)
        OnGerarLog(ALogLine, tratado);
    return tratado;
}

void TQuibDFe::LancarErro(std::string_view Mensagem, const std::exception *E)
{
    std::string texto(Mensagem);
    if (E != nullptr)
        texto += "\r\n" + std::string(E->what());
    if (!RegistrarLog("ERRO: " + texto))
        throw EQuibDFeException::CreateSemConversao(texto);
}

// ---- Files ---------------------------------------------------------------------------

bool TQuibDFe::SalvarArquivoXML(std::string_view NomeArquivo, std::string_view ConteudoXML,
                                std::string_view Pasta, bool NaoConverter)
{
    try {
        const std::size_t barra = NomeArquivo.find_last_of("/\\");
        const std::string_view nome =
            barra == std::string_view::npos ? NomeArquivo : NomeArquivo.substr(barra + 1);
        if (nome.empty())
            throw EQuibDFeException("Nome de arquivo não informado");
        std::string pasta(barra == std::string_view::npos ? std::string_view()
                                                          : NomeArquivo.substr(0, barra + 1));
        if (pasta.empty())
            pasta = Pasta;
        if (pastas::semBrancos(pasta).empty())
            pasta = Configuracoes().Arquivos().PathSalvar();
        pasta = pastas::comSeparadorFinal(pasta);

        const std::string xml = replaceAll(ConteudoXML, "<-><->", "");
        std::string conteudo;
        if (!NaoConverter || DeclaraUTF8(xml))
            conteudo = GaranteXMLUTF8(xml);
        else
            conteudo = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + xml;

        pastas::garantirPasta(pasta);
        SobrescreveArquivoTexto(pasta + std::string(nome), conteudo, false);
        return true;
    } catch (const std::exception &erro) {
        LancarErro("Erro ao salvar.", &erro);
        return false;
    }
}

// ---- Mail ----------------------------------------------------------------------------

void TQuibDFe::EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                              const std::vector<std::string> *sMensagem, const std::vector<std::string> *sCC,
                              const std::vector<std::string> *Anexos, std::istream *StreamNFe,
                              std::string_view NomeArq, const std::vector<std::string> *sReplyTo,
                              const std::vector<std::string> *sBCC)
{
    if (mail_ == nullptr)
        throw EQuibDFeException("Componente QuibMail não associado");
    mail_->Limpar();
    mail_->AdicionarDestinatario(sPara);
    mail_->Subject = sAssunto;
    if (sMensagem != nullptr) {
        mail_->Corpo = *sMensagem;
        std::string texto;
        for (const std::string &linha : *sMensagem)
            texto += linha + "\r\n";
        mail_->CorpoTexto = splitLines(RemoveTagsHTML(texto));
    }
    mail_->LimparAnexos();
    if (StreamNFe != nullptr)
        mail_->AnexarStream(StreamNFe, NomeArq);
    if (Anexos != nullptr)
        for (const std::string &arquivo : *Anexos)
            mail_->AnexarArquivo(arquivo);
    if (sCC != nullptr)
        for (const std::string &endereco : *sCC)
            mail_->AdicionarCopia(endereco);
    if (sBCC != nullptr)
        for (const std::string &endereco : *sBCC)
            mail_->AdicionarCopiaOculta(endereco);
    if (sReplyTo != nullptr)
        for (const std::string &endereco : *sReplyTo)
            mail_->AdicionarResponderPara(endereco);
    mail_->Enviar();
}

std::string TQuibDFe::NomeDoModeloDFe() const
{
    return {};
}

std::string TQuibDFe::NameSpaceURIDocumento() const
{
    return {};
}
