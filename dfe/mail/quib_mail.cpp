#include "dfe/mail/quib_mail.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "dfe/mail/quib_mail_thread.h"
#include "foundation/base/silent_abort.h"
#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"

void TMailAttachment::Limpar()
{
    NomeArquivo.clear();
    Descricao.clear();
    Conteudo.clear();
}

void TMailAttachment::CopiarDe(const TMailAttachment &other)
{
    NomeArquivo = other.NomeArquivo;
    Descricao = other.Descricao;
    Conteudo = other.Conteudo;
    Disposicao = other.Disposicao;
}

void SepararEnderecos(std::string_view text, std::vector<std::string> &list)
{
    text = trimText(text);
    const char separator = DetectaSeparador(text, ";,|");
    if (separator == ' ') {
        list.emplace_back(text);
        return;
    }
    // A separator inside double quotes belongs to a display name
    // ("Silva, Ana" <a@x.com>): the entry keeps its quotes and address.
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] == '"')
            quoted = !quoted;
        if (i == text.size() || (text[i] == separator && !quoted)) {
            list.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
}

namespace {

void addNamed(std::vector<std::string> &list, std::string_view address, std::string_view name)
{
    if (!trimText(name).empty())
        list.push_back("\"" + std::string(name) + "\" <" + std::string(address) + ">");
    else
        SepararEnderecos(address, list);
}

} // namespace

TQuibMail::TQuibMail() = default;
TQuibMail::~TQuibMail() = default;

void TQuibMail::AdicionarDestinatario(std::string_view address, std::string_view name)
{
    addNamed(Header.ToList, address, name);
}

void TQuibMail::AdicionarCopia(std::string_view address, std::string_view name)
{
    addNamed(Header.CCList, address, name);
}

void TQuibMail::AdicionarResponderPara(std::string_view address, std::string_view name)
{
    addNamed(ResponderPara, address, name);
}

void TQuibMail::AdicionarCopiaOculta(std::string_view address)
{
    SepararEnderecos(address, CopiaOculta);
}

void TQuibMail::AnexarArquivo(const std::string &fileName, std::string_view description, int disposition)
{
    std::error_code error;
    std::ifstream file;
    if (std::filesystem::is_regular_file(fileName, error))
        file.open(fileName, std::ios::binary);
    if (!file.is_open())
        lancarExcecao(EQuibMailException("Add Attachment: File not Exists."));
    auto attachment = std::make_unique<TMailAttachment>();
    attachment->NomeArquivo = fileName;
    attachment->Descricao =
        description.empty() ? std::filesystem::path(fileName).filename().string() : std::string(description);
    attachment->Disposicao = disposition;
    attachment->Conteudo.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    Anexos.Adiciona(std::move(attachment));
}

void TQuibMail::AnexarStream(std::istream *stream, std::string_view name, int disposition)
{
    if (stream == nullptr)
        lancarExcecao(EQuibMailException("Add Attachment: Access Violation."));
    std::string attachmentName(trimText(name));
    if (attachmentName.empty()) {
        const auto now = currentTimePoint();
        const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
        std::tm local{};
        localtime_r(&seconds, &local);
        const auto millis =
            std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
        char text[32];
        std::snprintf(text, sizeof text, "file_%02d%02d%02d%03d", local.tm_hour, local.tm_min, local.tm_sec,
                      static_cast<int>(millis));
        attachmentName = text;
    }
    auto attachment = std::make_unique<TMailAttachment>();
    attachment->NomeArquivo = attachmentName;
    attachment->Descricao = attachmentName;
    attachment->Disposicao = disposition;
    stream->clear();
    stream->seekg(0);
    std::ostringstream bytes;
    bytes << stream->rdbuf();
    attachment->Conteudo = std::move(bytes).str();
    Anexos.Adiciona(std::move(attachment));
}

void TQuibMail::LimparAnexos()
{
    Anexos.clear();
}

void TQuibMail::Limpar()
{
    LimparAnexos();
    Header.clear();
    DadosMensagem.clear();
    ResponderPara.clear();
    CopiaOculta.clear();
    Subject.clear();
    Corpo.clear();
    CorpoTexto.clear();
}

void TQuibMail::Assign(const TQuibComponent *source)
{
    const auto *mail = dynamic_cast<const TQuibMail *>(source);
    if (mail == nullptr)
        throw EQuibMailException("Source must be TQuibMail");
    Host = mail->Host;
    Port = mail->Port;
    Username = mail->Username;
    Password = mail->Password;
    SetSSL = mail->SetSSL;
    SetTLS = mail->SetTLS;
    Priority = mail->Priority;
    ReadingConfirmation = mail->ReadingConfirmation;
    DeliveryConfirmation = mail->DeliveryConfirmation;
    IsHTML = mail->IsHTML;
    UseThread = mail->UseThread;
    TimeOut = mail->TimeOut;
    SetAttempts(mail->Attempts());
    From = mail->From;
    FromName = mail->FromName;
    Subject = mail->Subject;
    DefaultCharset = mail->DefaultCharset;
    IDECharset = mail->IDECharset;
    OnBeforeMailProcess = mail->OnBeforeMailProcess;
    OnMailProcess = mail->OnMailProcess;
    OnAfterMailProcess = mail->OnAfterMailProcess;
    OnMailException = mail->OnMailException;
    Tag = mail->Tag;
    for (int i = 0; i < mail->Anexos.count(); ++i) {
        auto copy = std::make_unique<TMailAttachment>();
        copy->CopiarDe(mail->Anexos[i]);
        Anexos.Adiciona(std::move(copy));
    }
    CorpoTexto = mail->CorpoTexto;
    Corpo = mail->Corpo;
    ResponderPara = mail->ResponderPara;
    CopiaOculta = mail->CopiaOculta;
    Header.ToList = mail->Header.ToList;
    Header.CCList = mail->Header.CCList;
    Header.Organization = mail->Header.Organization;
    Header.CustomHeaders = mail->Header.CustomHeaders;
    Header.Date = mail->Header.Date;
    Header.XMailer = mail->Header.XMailer;
}

void TQuibMail::report(TMailStatus status)
{
    if (OnMailProcess)
        OnMailProcess(*this, status);
}

void TQuibMail::lancarExcecao(const EQuibMailException &error)
{
    bool throwIt = true;
    if (OnMailException)
        OnMailException(*this, error, throwIt);
    if (!throwIt)
        throw SilentAbort();
    throw error;
}

void TQuibMail::Enviar()
{
    if (UseThread)
        enviarCopiaEmThread();
    else
        EnviarAgora();
}

void TQuibMail::enviarCopiaEmThread()
{
    auto copy = std::make_unique<TQuibMail>();
    copy->Assign(this);
    TQuibMailThread::start(std::move(copy));
}
