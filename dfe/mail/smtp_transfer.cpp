#include "dfe/mail/detail/smtp_transfer.h"

#include <curl/curl.h>

#include <memory>

#include "foundation/base/quib_exception.h"

namespace {

struct TransferState {
    const SmtpEnvelope *envelope = nullptr;
    std::string_view message;
    std::size_t sentBytes = 0;
    SmtpOutcome outcome;
    std::string lastCommand;
    std::vector<std::string> pendingReply;
    bool readingEhlo = false;
    bool dsnInEhlo = false;
    bool quitting = false; // the answer to QUIT says nothing of the message
};

bool startsWith(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != prefix[i])
            return false;
    }
    return true;
}

void onCommand(TransferState &state, std::string_view line)
{
    state.lastCommand = std::string(line);
    auto &outcome = state.outcome;
    if (startsWith(line, "QUIT")) {
        state.quitting = true;
    } else if (startsWith(line, "EHLO")) {
        state.readingEhlo = true;
        state.dsnInEhlo = false;
    } else if (startsWith(line, "MAIL FROM")) {
        outcome.failedStep = SmtpStep::mailFrom;
    } else if (startsWith(line, "RCPT TO")) {
        outcome.failedStep = SmtpStep::rcpt;
        ++outcome.recipientsTried;
    } else if (startsWith(line, "DATA")) {
        outcome.failedStep = SmtpStep::data;
    }
}

void onReplyLine(TransferState &state, std::string_view line)
{
    if (state.quitting)
        return;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.remove_suffix(1);
    state.pendingReply.emplace_back(line);
    if (state.readingEhlo && line.size() > 4 && startsWith(line.substr(4), "DSN") &&
        (line.size() == 7 || line[7] == ' '))
        state.dsnInEhlo = true;
    if (line.size() >= 4 && line[3] == '-')
        return; // more lines of this reply follow
    state.outcome.lastReply = std::move(state.pendingReply);
    state.pendingReply.clear();
    if (state.readingEhlo) {
        state.readingEhlo = false;
        state.outcome.dsnOffered = state.dsnInEhlo;
    }
}

// libcurl hands whole protocol lines to the debug callback; several may come
// in one call.
int debugCallback(CURL *, curl_infotype type, char *data, size_t size, void *user)
{
    auto &state = *static_cast<TransferState *>(user);
    if (type != CURLINFO_HEADER_IN && type != CURLINFO_HEADER_OUT)
        return 0;
    std::string_view text(data, size);
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = end == std::string_view::npos ? text : text.substr(0, end + 1);
        text.remove_prefix(line.size());
        if (type == CURLINFO_HEADER_OUT) {
            std::string_view command = line;
            while (!command.empty() && (command.back() == '\n' || command.back() == '\r'))
                command.remove_suffix(1);
            onCommand(state, command);
        } else {
            onReplyLine(state, line);
        }
    }
    return 0;
}

size_t readCallback(char *buffer, size_t size, size_t count, void *user)
{
    auto &state = *static_cast<TransferState *>(user);
    // Without the server's promise of delivery notices nothing is handed over.
    if (state.envelope->deliveryNotification && !state.outcome.dsnOffered)
        return CURL_READFUNC_ABORT;
    const std::size_t room = size * count;
    const std::size_t left = state.message.size() - state.sentBytes;
    const std::size_t n = left < room ? left : room;
    state.message.substr(state.sentBytes, n).copy(buffer, n);
    state.sentBytes += n;
    if (state.sentBytes == state.message.size())
        state.outcome.contentSent = true;
    return n;
}

struct CurlEasyDeleter {
    void operator()(CURL *handle) const { curl_easy_cleanup(handle); }
};
struct CurlListDeleter {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

// libcurl writes "RCPT TO:<text>"; the parameters go inside the brackets it
// closes, so the last one (ORCPT, the recipient itself) takes the closing ">".
std::string recipientArgument(const std::string &address, bool notify)
{
    if (!notify)
        return address;
    return address + "> NOTIFY=SUCCESS,FAILURE ORCPT=rfc822;" + address;
}

} // namespace

SmtpOutcome sendSmtp(const SmtpSettings &settings, const SmtpEnvelope &envelope, std::string_view message)
{
    static const bool started = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
    std::unique_ptr<CURL, CurlEasyDeleter> curl(started ? curl_easy_init() : nullptr);
    if (!curl)
        throw ProgramError("libcurl could not start an SMTP transfer");

    TransferState state;
    state.envelope = &envelope;
    state.message = message;

    std::unique_ptr<curl_slist, CurlListDeleter> recipients;
    for (const auto &address : envelope.recipients) {
        curl_slist *grown = curl_slist_append(
            recipients.get(), recipientArgument(address, envelope.deliveryNotification).c_str());
        if (!grown)
            throw std::bad_alloc();
        recipients.release();
        recipients.reset(grown);
    }

    const std::string url =
        std::string(settings.implicitTls ? "smtps://" : "smtp://") + settings.host + ":" + settings.port;
    const std::string from = "<" + envelope.from + ">";
    CURL *h = curl.get();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(h, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(message.size()));
    curl_easy_setopt(h, CURLOPT_READFUNCTION, readCallback);
    curl_easy_setopt(h, CURLOPT_READDATA, &state);
    curl_easy_setopt(h, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(h, CURLOPT_DEBUGFUNCTION, debugCallback);
    curl_easy_setopt(h, CURLOPT_DEBUGDATA, &state);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(h, CURLOPT_USE_SSL,
                     static_cast<long>(settings.startTls ? CURLUSESSL_TRY : CURLUSESSL_NONE));
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
    if (!settings.username.empty()) {
        curl_easy_setopt(h, CURLOPT_USERNAME, settings.username.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, settings.password.c_str());
    }
    const long timeoutMs = settings.timeoutMs > 0 ? settings.timeoutMs : 60000;
    const long timeoutSeconds = (timeoutMs + 999) / 1000;
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeoutSeconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, timeoutSeconds);

    const CURLcode code = curl_easy_perform(h);
    // libcurl sends QUIT as it closes the connection and overlooks its answer:
    // a message the server has taken stays sent.
    state.outcome.ok = code == CURLE_OK;
    const auto &reply = state.outcome.lastReply;
    state.outcome.refusedByServer = code == CURLE_WEIRD_SERVER_REPLY || code == CURLE_LOGIN_DENIED ||
                                    (!reply.empty() && !reply.back().empty() &&
                                     (reply.back().front() == '4' || reply.back().front() == '5'));
    state.outcome.errorCode = static_cast<int>(code);
    state.outcome.errorText = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code);
    return std::move(state.outcome);
}
