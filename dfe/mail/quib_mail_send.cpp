#include <filesystem>
#include <string>

#include "dfe/mail/detail/smtp_transfer.h"
#include "dfe/mail/quib_mail.h"
#include "foundation/text/text_utils.h"

namespace {

std::string joinLines(const std::vector<std::string> &lines)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += "\r\n";
        out += lines[i];
    }
    return out;
}

// Adds a line to the accumulated error text unless it is blank or already there.
void acumularErro(std::string &errors, std::string_view line)
{
    if (trimText(line).empty() || errors.find(line) != std::string::npos)
        return;
    if (!errors.empty())
        errors += "\r\n";
    errors += line;
}

// The text of a step that failed every try.
std::string_view failureTitle(SmtpStep step, std::size_t recipient, std::size_t toCount, std::size_t ccCount)
{
    switch (step) {
    case SmtpStep::login:
        return "SMTP Error: Unable to Login.\r\n";
    case SmtpStep::mailFrom:
        return "SMTP Error: Unable to send MailFrom.\r\n";
    case SmtpStep::rcpt:
        if (recipient <= toCount)
            return "SMTP Error: Unable to send MailTo.\r\n";
        if (recipient <= toCount + ccCount)
            return "SMTP Error: Unable to send CC list.\r\n";
        return "SMTP Error: Unable to send BCC list.\r\n";
    case SmtpStep::data:
        break;
    }
    return "SMTP Error: Unable to send Mail data.\r\n";
}

} // namespace

void TQuibMail::montarMensagem()
{
    if (OnBeforeMailProcess)
        OnBeforeMailProcess(*this);
    report(pmsStartProcess);
    report(pmsConfigHeaders);

    Header.CharSet = DefaultCharset;
    Header.Subject = Subject;
    Header.Priority = Priority;
    const std::string sender = trimText(FromName).empty() ? From : "\"" + FromName + "\" <" + From + ">";
    Header.From = sender;
    Header.ReplyTo = ResponderPara;
    const std::string encodedSender = encodeAddress(sender, DefaultCharset);
    if (ReadingConfirmation)
        Header.CustomHeaders.insert(Header.CustomHeaders.begin(),
                                    "Disposition-Notification-To: " + encodedSender);
    if (DeliveryConfirmation)
        Header.CustomHeaders.insert(Header.CustomHeaders.begin(), "Return-Receipt-To: " + encodedSender);
    Header.XMailer = "Synapse - QuibMail";
    report(pmsAddingMimeParts);

    MimeBodies bodies;
    bodies.text = joinLines(CorpoTexto);
    if (IsHTML)
        bodies.html = joinLines(Corpo);
    for (int i = 0; i < Anexos.count(); ++i) {
        const TMailAttachment &attachment = Anexos[i];
        bodies.attachments.push_back({std::filesystem::path(attachment.NomeArquivo).filename().string(),
                                      attachment.Descricao, attachment.Conteudo, attachment.Disposicao == 1});
    }
    DadosMensagem = composeMimeMessage(Header, bodies);
}

void TQuibMail::falharEnvio(const std::string &text)
{
    UltimoErro = text;
    try {
        report(pmsError);
        lancarExcecao(EQuibMailException(text));
    } catch (...) {
        Limpar();
        throw;
    }
}

void TQuibMail::EnviarAgora()
{
    montarMensagem();

    SmtpSettings settings;
    settings.host = Host;
    settings.port = Port;
    settings.username = Username;
    settings.password = Password;
    settings.implicitTls = SetSSL;
    settings.startTls = SetTLS;
    if (TimeOut > 0)
        settings.timeoutMs = TimeOut;

    report(pmsLoginSMTP);
    if (trimText(Host).empty())
        falharEnvio("SMTP Error: Server not informed");

    SmtpEnvelope envelope;
    envelope.from = addressOf(From);
    for (const auto *list : {&Header.ToList, &Header.CCList, &CopiaOculta})
        for (const auto &entry : *list)
            envelope.recipients.push_back(addressOf(entry));
    envelope.deliveryNotification = DeliveryConfirmation;

    // Each try is a whole transfer; a message the server may already hold
    // (sent in full, no refusal read) is never sent again.
    std::string errors;
    SmtpOutcome outcome;
    for (int attempt = 0; attempt < Attempts(); ++attempt) {
        outcome = sendSmtp(settings, envelope, DadosMensagem);
        if (outcome.ok)
            break;
        for (const auto &line : outcome.lastReply)
            acumularErro(errors, line);
        if (outcome.failedStep == SmtpStep::login)
            acumularErro(errors, std::to_string(outcome.errorCode) + " - " + outcome.errorText);
        if (outcome.failedStep != SmtpStep::login && DeliveryConfirmation && !outcome.dsnOffered)
            break;
        if (outcome.contentSent && !outcome.refusedByServer)
            break;
    }

    if (!outcome.ok) {
        if (outcome.failedStep != SmtpStep::login && DeliveryConfirmation && !outcome.dsnOffered)
            falharEnvio("SMTP Error: The SMTP Server does not support Delivery Status Notification");
        // The steps the server went through before the one it refused.
        if (outcome.failedStep != SmtpStep::login)
            report(pmsStartSends);
        if (outcome.failedStep == SmtpStep::rcpt || outcome.failedStep == SmtpStep::data) {
            const std::size_t reached =
                outcome.failedStep == SmtpStep::data ? envelope.recipients.size() : outcome.recipientsTried;
            report(pmsSendTo);
            if (!Header.CCList.empty() && reached > Header.ToList.size())
                report(pmsSendCC);
            if (!CopiaOculta.empty() && reached > Header.ToList.size() + Header.CCList.size())
                report(pmsSendBCC);
        }
        if (outcome.failedStep == SmtpStep::data)
            report(pmsSendData);
        falharEnvio(std::string(failureTitle(outcome.failedStep, outcome.recipientsTried,
                                             Header.ToList.size(), Header.CCList.size())) +
                    errors);
    }

    report(pmsStartSends);
    report(pmsSendTo);
    if (!Header.CCList.empty())
        report(pmsSendCC);
    if (!CopiaOculta.empty())
        report(pmsSendBCC);
    report(pmsSendData);
    report(pmsLogoutSMTP);
    report(pmsDone);
    try {
        if (OnAfterMailProcess)
            OnAfterMailProcess(*this);
    } catch (...) {
        Limpar();
        throw;
    }
    Limpar();
}
