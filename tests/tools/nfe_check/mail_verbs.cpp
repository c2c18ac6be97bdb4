// Verb "mail": one synchronous send through the mailer.

#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dfe/mail/quib_mail.h"
#include "foundation/base/silent_abort.h"
#include "verbs.h"

namespace {

bool readLines(const std::string &file, std::vector<std::string> &lines)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return true;
}

} // namespace

int runMailVerb(std::span<const std::string> args)
{
    TQuibMail mail;
    std::vector<std::string> attachments;
    std::string textFile, htmlFile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg == "--starttls") {
            mail.SetTLS = true;
            continue;
        }
        if (arg == "--ssl") {
            mail.SetSSL = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            std::fprintf(stderr, "%s needs a value\n", arg.c_str());
            return 2;
        }
        const std::string &value = args[++i];
        if (arg == "--host")
            mail.Host = value;
        else if (arg == "--port")
            mail.Port = value;
        else if (arg == "--user")
            mail.Username = value;
        else if (arg == "--password")
            mail.Password = value;
        else if (arg == "--from")
            mail.From = value;
        else if (arg == "--to")
            mail.AdicionarDestinatario(value);
        else if (arg == "--cc")
            mail.AdicionarCopia(value);
        else if (arg == "--bcc")
            mail.AdicionarCopiaOculta(value);
        else if (arg == "--subject")
            mail.Subject = value;
        else if (arg == "--text")
            textFile = value;
        else if (arg == "--html")
            htmlFile = value;
        else if (arg == "--attach")
            attachments.push_back(value);
        else {
            std::fprintf(stderr, "unknown option %s\n", arg.c_str());
            return 2;
        }
    }
    if ((!textFile.empty() && !readLines(textFile, mail.CorpoTexto)) ||
        (!htmlFile.empty() && !readLines(htmlFile, mail.Corpo))) {
        std::fprintf(stderr, "cannot read the body file\n");
        return 1;
    }
    mail.IsHTML = !htmlFile.empty();
    try {
        for (const auto &file : attachments)
            mail.AnexarArquivo(file, "", 0);
        mail.EnviarAgora();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
