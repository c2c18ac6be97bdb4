#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One SMTP transfer over libcurl: connect (TLS from the first byte, or
// STARTTLS when offered), EHLO, AUTH when a user is given, MAIL FROM with the
// message size, one RCPT per recipient, DATA with the message, QUIT. The
// server's certificate is not checked. What the server answered is read from
// libcurl's debug callback, so the outcome tells the step that failed, the
// server's last reply and the extensions its EHLO announced. Raises only
// ProgramError when libcurl gives no handle.

enum class SmtpStep : std::uint8_t { login, mailFrom, rcpt, data };

struct SmtpSettings {
    std::string host;
    std::string port;
    std::string username; // empty: no AUTH
    std::string password;
    bool implicitTls = false; // TLS from the first byte
    bool startTls = false;    // STARTTLS when the server offers it
    int timeoutMs = 60000;    // connection and inactivity
};

struct SmtpEnvelope {
    std::string from;                    // the address alone
    std::vector<std::string> recipients; // addresses alone, in RCPT order
    bool deliveryNotification = false;   // NOTIFY=SUCCESS,FAILURE, only with DSN
};

struct SmtpOutcome {
    bool ok = false;
    SmtpStep failedStep = SmtpStep::login;
    std::size_t recipientsTried = 0;    // RCPT commands sent (the last one failed when at rcpt)
    std::vector<std::string> lastReply; // lines of the server's last reply
    bool dsnOffered = false;            // "DSN" in the last EHLO answer
    bool contentSent = false;           // the whole message went after DATA
    bool refusedByServer = false;       // the server answered the last command with an error
    int errorCode = 0;                  // libcurl's code
    std::string errorText;              // libcurl's description
};

SmtpOutcome sendSmtp(const SmtpSettings &settings, const SmtpEnvelope &envelope, std::string_view message);
