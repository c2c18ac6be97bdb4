#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "dfe/mail/mime_message.h"
#include "foundation/base/base_classes.h"
#include "foundation/base/quib_exception.h"
#include "foundation/codes/enum_names.h"

// TQuibMail: one e-mail message (sender, recipients, subject, bodies,
// attachments) built as MIME and sent over SMTP, each stage reported through
// OnMailProcess. A synchronous send clears the message whether it succeeds or
// not; server settings, sender, flags and events stay. With UseThread, Enviar
// sends a copy on a TQuibMailThread (quib_mail_thread.h) and leaves this
// message as it is.
//
// Errors: a send that fails sets UltimoErro, reports pmsError and raises
// EQuibMailException with the text, unless OnMailException answers ThrowIt
// false: then the send ends in SilentAbort (foundation/base/silent_abort.h).
// Attaching a missing file or no stream goes the same way. Assign from
// another kind of component raises EQuibMailException directly. Texts given
// to the component are UTF-8; the message is written in DefaultCharset.
//
// Sources: quib_mail.cpp (message, attachments, copy), quib_mail_send.cpp
// (building and sending).

class EQuibMailException : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

enum TMailStatus : std::uint8_t {
    pmsStartProcess,
    pmsConfigHeaders,
    pmsAddingMimeParts,
    pmsLoginSMTP,
    pmsStartSends,
    pmsSendTo,
    pmsSendCC,
    pmsSendBCC,
    pmsSendReplyTo,
    pmsSendData,
    pmsLogoutSMTP,
    pmsDone,
    pmsError
};
// clang-format off
template <>
inline constexpr auto kEnumNames<TMailStatus> = std::to_array<EnumName<TMailStatus>>({
    {pmsStartProcess, "pmsStartProcess"}, {pmsConfigHeaders, "pmsConfigHeaders"},
    {pmsAddingMimeParts, "pmsAddingMimeParts"}, {pmsLoginSMTP, "pmsLoginSMTP"},
    {pmsStartSends, "pmsStartSends"}, {pmsSendTo, "pmsSendTo"}, {pmsSendCC, "pmsSendCC"},
    {pmsSendBCC, "pmsSendBCC"}, {pmsSendReplyTo, "pmsSendReplyTo"}, {pmsSendData, "pmsSendData"},
    {pmsLogoutSMTP, "pmsLogoutSMTP"}, {pmsDone, "pmsDone"}, {pmsError, "pmsError"}});
// clang-format on

// One attachment: its name, description (also its content id) and bytes.
// Disposicao 1 means inline, anything else attachment.
class TMailAttachment {
  public:
    std::string NomeArquivo;
    std::string Descricao;
    std::string Conteudo;
    int Disposicao = 1;

    void Limpar();
    void CopiarDe(const TMailAttachment &other);
};

using TMailAttachments = TQuibObjectList<TMailAttachment>;

class TQuibMail;

using TQuibMailNotify = std::function<void(TQuibMail &mail)>;
using TQuibOnMailProcess = std::function<void(TQuibMail &mail, TMailStatus status)>;
// Called with ThrowIt preset to true; answering false discards the error.
using TQuibOnMailException = std::function<void(TQuibMail &mail, const std::exception &error, bool &ThrowIt)>;

// Splits an address text into the list: at the first of ";", ",", "|" found
// in it (double-quoted parts kept whole), or as one entry without any.
void SepararEnderecos(std::string_view text, std::vector<std::string> &list);

class TQuibMail : public TQuibComponent {
  public:
    TQuibMail();
    ~TQuibMail() override;

    // ---- Server and options ----
    std::string Host = "127.0.0.1";
    std::string Port = "25";
    std::string Username;
    std::string Password;
    bool SetSSL = false;
    bool SetTLS = false;
    TMessPriority Priority = MP_normal;
    bool ReadingConfirmation = false;
    bool DeliveryConfirmation = false;
    bool IsHTML = false;
    bool UseThread = false;
    int TimeOut = 0; // ms; 0 keeps the SMTP default of 60000
    std::string From;
    std::string FromName;
    std::string Subject;
    TMimeChar DefaultCharset = UTF_8;
    TMimeChar IDECharset = CP1252; // kept as a setting: texts arrive as UTF-8

    std::uint8_t Attempts() const { return attempts_; }
    void SetAttempts(std::uint8_t value) { attempts_ = value < 1 ? 1 : value; }

    // ---- Events ----
    TQuibMailNotify OnBeforeMailProcess;
    TQuibOnMailProcess OnMailProcess;
    TQuibMailNotify OnAfterMailProcess;
    TQuibOnMailException OnMailException;
    int Tag = 0;

    // ---- Message ----
    TMimeHeader Header;                  // To and CC lists, organisation, custom lines, date, mailer
    std::vector<std::string> Corpo;      // HTML body lines (sent only with IsHTML)
    std::vector<std::string> CorpoTexto; // plain-text body lines
    TMailAttachments Anexos;
    std::vector<std::string> ResponderPara;
    std::vector<std::string> CopiaOculta;
    std::string DadosMensagem; // the last built message
    std::string UltimoErro;    // the last send error, kept until the next one

    void AdicionarDestinatario(std::string_view address, std::string_view name = "");
    void AdicionarCopia(std::string_view address, std::string_view name = "");
    void AdicionarResponderPara(std::string_view address, std::string_view name = "");
    void AdicionarCopiaOculta(std::string_view address);

    // Missing file: "Add Attachment: File not Exists."; no stream:
    // "Add Attachment: Access Violation." (through OnMailException).
    void AnexarArquivo(const std::string &fileName, std::string_view description = "", int disposition = 1);
    void AnexarStream(std::istream *stream, std::string_view name, int disposition = 1);
    void LimparAnexos();
    void Limpar();

    void Enviar();
    void EnviarAgora();

    // Copies another mail; raises "Source must be TQuibMail" for any other
    // component.
    void Assign(const TQuibComponent *source);

  private:
    std::uint8_t attempts_ = 3;

    void report(TMailStatus status);
    void montarMensagem();
    [[noreturn]] void falharEnvio(const std::string &text);
    [[noreturn]] void lancarExcecao(const EQuibMailException &error);
    void enviarCopiaEmThread();
};
