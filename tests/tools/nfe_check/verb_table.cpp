#include "verbs.h"

#include <array>

// Verb implementations, one declaration per verb.
int runDocVerb(std::span<const std::string> args);
int runIeVerb(std::span<const std::string> args);
int runKeyVerb(std::span<const std::string> args);
int runMaskVerb(std::span<const std::string> args);
int runTxtVerb(std::span<const std::string> args);
int runXmlVerb(std::span<const std::string> args);
int runXml2TxtVerb(std::span<const std::string> args);

std::span<const Verb> allVerbs()
{
    static const std::array verbs = {
        Verb{"doc", "<kind> <value>",
             "checks an identifier (cpf cnpj pis gtin cep suframa renavam cnh cns email placa caepf); "
             "prints the message, exit 1 when invalid",
             runDocVerb},
        Verb{"ie", "<UF> <value>",
             "checks a state registration for the state; prints the message, exit 1 when invalid", runIeVerb},
        Verb{
            "key", "<access key>",
            "checks an access key; prints \"valid\" or the reason, then its parts as name=value; exit 1 when "
            "invalid",
            runKeyVerb},
        Verb{"mask", "<kind> <value> [area code]", "prints the masked form (kinds cpf cnpj cep fone ie:<UF>)",
             runMaskVerb},
        Verb{"txt", "<file>",
             "reads an NF-e in the TXT layout (UTF-8 or Windows-1252) and writes it as XML to standard "
             "output; "
             "exit 1 with the reader's message on standard error when the file is refused (field alerts go "
             "and skipped lines go to standard error too, with exit 0)",
             runTxtVerb},
        Verb{"xml", "<file>",
             "reads an NF-e or NFC-e XML (NFe, nfeProc or procNFe) and writes it back as read to standard "
             "output; exit 1 with the alerts on standard error",
             runXmlVerb},
        Verb{"xml2txt", "<file>",
             "reads an NF-e or NFC-e XML as \"xml\" does and writes it in the TXT layout of its version "
             "(Windows-1252, CR LF) to standard output; the writer's alerts (values the layout cannot carry) "
             "on standard error; exit 1 when the note is refused",
             runXml2TxtVerb},
    };
    return verbs;
}
