#include "verbs.h"

#include <array>

// Verb implementations, one declaration per verb.
int runAnswerVerb(std::span<const std::string> args);
int runCepImportVerb(std::span<const std::string> args);
int runCertVerb(std::span<const std::string> args);
int runDeviceSendVerb(std::span<const std::string> args);
int runDbOpenVerb(std::span<const std::string> args);
int runCipherVerb(std::span<const std::string> args);
int runDanfeEscposVerb(std::span<const std::string> args);
int runPosPrintVerb(std::span<const std::string> args);
int runPosStatusVerb(std::span<const std::string> args);
int runDocVerb(std::span<const std::string> args);
int runFirstStartVerb(std::span<const std::string> args);
int runHashVerb(std::span<const std::string> args);
int runIeVerb(std::span<const std::string> args);
int runKeyVerb(std::span<const std::string> args);
int runMailVerb(std::span<const std::string> args);
int runMaskVerb(std::span<const std::string> args);
int runMonitorAnswerVerb(std::span<const std::string> args);
int runMonitorRequestVerb(std::span<const std::string> args);
int runMonitorRunVerb(std::span<const std::string> args);
int runMonitorExportVerb(std::span<const std::string> args);
int runNfseConfigVerb(std::span<const std::string> args);
int runPostVerb(std::span<const std::string> args);
int runPrintGridVerb(std::span<const std::string> args);
int runRulesVerb(std::span<const std::string> args);
int runSettingsVerb(std::span<const std::string> args);
int runServicoVerb(std::span<const std::string> args);
int runSignVerb(std::span<const std::string> args);
int runSignNoteVerb(std::span<const std::string> args);
int runStoreVerb(std::span<const std::string> args);
int runConsoleVerb(std::span<const std::string> args);
int runTxtVerb(std::span<const std::string> args);
int runUpdateVerb(std::span<const std::string> args);
int runValidateVerb(std::span<const std::string> args);
int runWinpathVerb(std::span<const std::string> args);
int runWsVerb(std::span<const std::string> args);
int runVerifyVerb(std::span<const std::string> args);
int runXmlVerb(std::span<const std::string> args);
int runXml2TxtVerb(std::span<const std::string> args);

std::span<const Verb> allVerbs()
{
    static const std::array verbs = {
        Verb{"answer", "<file>",
             "reads a tax-authority answer (retConsStatServ, retEnviNFe, retConsReciNFe, retConsCad, "
             "retAdmCscNFCe, retDistDFeInt) with the reader of its root and prints root= and one field=value "
             "line per field (list items as list.n.field); exit 1 when the reader answers false or raises "
             "(message on standard error), 2 for an unknown root or an unreadable file",
             runAnswerVerb},
        Verb{"cep-import", "<module db> <file>",
             "runs the emitter screen's postal-code step with the file as \"cidades.sql\" (the CEP table is "
             "created when missing) and prints the rows imported and the number of commits; exit 1 with the "
             "message naming the line on standard error",
             runCepImportVerb},
        Verb{"cert", "<pfx> <password>",
             "loads a PFX through the facade (OpenSSL back-end) and prints its data as name=value lines; "
             "exit 1 "
             "with the message on standard error",
             runCertVerb},
        Verb{"cipher", "enc|dec <key> <text>",
             "enciphers a password (seed from NFE_CHECK_SEED, 0-255, when set) or deciphers one; exit 1 with "
             "the conversion message for a bad cipher text",
             runCipherVerb},
        Verb{"console",
             "<module db> <cnpj> show | save | applied [--choose <list>=<index>]... | press <control> [--set "
             "<control>=<value>]... [--answer <text>]... [--file <path>]... [--confirm yes|no|cancel]... "
             "[--services-ini <file>]",
             "the NF-e settings screen of the company, opened and activated: show prints <control>=<value> "
             "per setting in reader order; save reads such lines from standard input and presses \"Salvar "
             "Configurações\"; press applies the edits, presses the control answering its dialogs in order "
             "(none left: Cancel) and prints \"message: \" per box, each control that changed, then each "
             "answer pane that changed as \"[<control>]\" and its memo text (the appended lines of MemoDados "
             "and memoLog), its tree one node per line indented two spaces per level, or the browser's "
             "temp.xml full name, and page=<index> when the answer page changed (buttons by name or caption, "
             "folder buttons also by their edit; a button with no operation in this build is a wrong "
             "argument); applied makes each list choice through "
             "its change handler and prints <property>=<value> per property the reader applies to the NF-e "
             "component in step order, then the four library lists' indexes; exit 1 with the error on "
             "standard error (applied prints the properties first), 2 for wrong arguments",
             runConsoleVerb},
        Verb{"db-open", "<address>",
             "opens the database (\"host:path\" as stored) and prints \"ok\", its character set and dialect, "
             "then the FIREBIRD= and FIREBIRD_LOCK= lines another process must use to share the file; exit 1 "
             "with the layer's message on standard error",
             runDbOpenVerb},
        Verb{"danfe-escpos",
             "<nfce.xml> <model> [--columns <n>] [--code-page 437|850|852|860|1252|utf8|none] "
             "[--no-condensed] [--one-line] [--summary] [--event <file> | --voiding <file>] [--tags]",
             "prints the note's NFC-e DANFE (summary: without items; --event/--voiding: that file's "
             "receipt, the note may then be \"-\" for a voiding) on a printer of the model set as the "
             "console's form stores it, with ColunasFonteNormal n (default 48) and condensed print unless "
             "--no-condensed; writes the bytes a file port receives for one copy, initialisation included "
             "(with --tags the tag-language text, UTF-8); exit 1 with the message on standard error, 2 on "
             "wrong arguments",
             runDanfeEscposVerb},
        Verb{"device-send", "<port> <file> [--timeout <ms>] [--read <count>] [--trace <file>]",
             "activates a printer device on the port and sends the file's bytes unchanged; with --read reads "
             "that many bytes (0: whatever arrives within the time-out) and prints them as hexadecimal; exit "
             "1 "
             "with the device's message on standard error",
             runDeviceSendVerb},
        Verb{"doc", "<kind> <value>",
             "checks an identifier (cpf cnpj pis gtin cep suframa renavam cnh cns email placa caepf); "
             "prints the message, exit 1 when invalid",
             runDocVerb},
        Verb{
            "first-start", "",
            "runs the first-start creation for the current user (home and KVL_DRIVE_* as set) and prints the "
            "INI file, the management and the module database; \"nothing to do\" when the INI exists; exit 1 "
            "with the message",
            runFirstStartVerb},
        Verb{"hash", "<file> <md5|sha1|sha256|sha512> <hex|base64> [<pfx> <password>]",
             "prints the digest of the file's bytes, RSA-signed with the certificate's key when a PFX is "
             "given; "
             "exit 1 with the message on standard error",
             runHashVerb},
        Verb{"ie", "<UF> <value>",
             "checks a state registration for the state; prints the message, exit 1 when invalid", runIeVerb},
        Verb{
            "key", "<access key>",
            "checks an access key; prints \"valid\" or the reason, then its parts as name=value; exit 1 when "
            "invalid",
            runKeyVerb},
        Verb{
            "mail",
            "--host <h> --port <p> [--starttls|--ssl] [--user <u> --password <p>] --from <addr> --to <addrs> "
            "[--cc <addrs>] [--bcc <addrs>] --subject <text> [--text <file>] [--html <file>] [--attach "
            "<file>]...",
            "one synchronous send through the mailer (HTML when --html is given); exit 1 with the mailer's "
            "error text on standard error",
            runMailVerb},
        Verb{"mask", "<kind> <value> [area code]", "prints the masked form (kinds cpf cnpj cep fone ie:<UF>)",
             runMaskVerb},
        Verb{
            "monitor-answer", "<kind> <file>",
            "reads a document monitor's answer file as the note screen reads the answer of that kind (Nota, "
            "Danfe, Email, Cancelamento, Consulta, inutiliza, carta, impcarta, Evento; any case): UTF-8 when "
            "valid, else Windows-1252; prints RESULTADO=, MENSAGEM=, MENSAGEM_2=, CHAVENFE=, RECIBO=, "
            "NUMEROLOTE=, NPROTOCOLO= and aceito=sim|nao (135 for carta and Evento, the accepted codes "
            "otherwise; a RESULTADO that is no number reads as 0, noted on standard error); exit 0 accepted, "
            "1 not accepted, 2 for an unknown kind or an unreadable file",
            runMonitorAnswerVerb},
        Verb{"monitor-run", "<module db> <notes.json> [--copies <n>] [--timeout <s>]",
             "one run of the note screen's core without a window over the staged notes: boxes on standard "
             "error, input boxes answered with --copies, a tick per second; prints \"<nro_not> <serie> "
             "<STATUS_NFE> <DES_STATUS_NFE>\" at each change and the label at the end; exit 0 when it ends "
             "\"enviada com sucesso\", 1 otherwise (naming the notes still waiting), 2 for wrong arguments",
             runMonitorRunVerb},
        Verb{
            "monitor-export", "<module db> <notes.json> [--note <nota>] [--now <YYYY-MM-DDThh:mm:ss>]",
            "writes the TXT-layout export file (layout 2.00) of each staged note of the JSON file (or of the "
            "one whose key is given) to standard output as the file's bytes (Windows-1252, CR LF), emitter "
            "and city list chosen as for monitor-request; exit 1 with \"Nota Fiscal N nao Gerada\" and the "
            "message on standard error, 2 for wrong arguments or a JSON file the loader refuses",
            runMonitorExportVerb},
        Verb{"monitor-request", "<module db> <notes.json> [--note <nota>] [--now <YYYY-MM-DDThh:mm:ss>]",
             "writes the note request document of each staged note of the JSON file (or of the one whose key "
             "is given) to standard output as the file's bytes (Windows-1252, CR LF), the emitter being the "
             "CONFIGNFE row of the note's cnpj_emitente (the first row when empty) and the city list "
             "\"Tabela_Cidades_IBGE.txt\" the one beside the JSON file, else beside the program; --now fixes "
             "the clock (local time); exit 1 with \"Nota Fiscal N nao Gerada\" and the message on standard "
             "error (nothing on standard output), 2 for wrong arguments or a JSON file the loader refuses",
             runMonitorRequestVerb},
        Verb{"nfse-config", "<module db> load <cnpj>... | <module db> store <cnpj>",
             "the NFS-e/CT-e settings screen: load loads the companies in turn into one screen and prints, "
             "for the last, every key as \"Confirmar\" would store it (key=value lines in the store's "
             "order); store loads the company, reads key=value lines from standard input into the controls "
             "and runs \"Confirmar\"; exit 1 with the message on standard error",
             runNfseConfigVerb},
        Verb{"pos-print",
             "<port> <model> <file> [--code-page 437|850|852|860|1252|utf8|none] [--columns <n>] [--copies "
             "<n>] "
             "[--no-tags]",
             "prints the UTF-8 tag-language file through the POS printer component (model by its name text, "
             "default code page 850, 48 columns, one copy); exit 1 with the message on standard error",
             runPosPrintVerb},
        Verb{"pos-status", "<port> <model> [--attempts <n>] [--timeout <ms>] [--inverted-drawer] [--info]",
             "reads the POS printer's status and prints its names in ordinal order, each followed by \", \", "
             "on one line (empty when none), then with --info the information lines; exit 1 with the message "
             "on standard error",
             runPosStatusVerb},
        Verb{"post",
             "<url> <body file> [--pfx <file> --password <p>] [--action <soap action>] [--tls <TSSLType "
             "name>] "
             "[--timeout <ms>] [--per-thread] [--engine openssl|winhttp|wininet|soapclass]",
             "one Transmitir through the facade with the status check on (without --pfx no client "
             "certificate); the answer body to standard output, \"HTTP <status>\" to standard error; exit 1 "
             "with the error text",
             runPostVerb},
        Verb{"rules", "<note.xml> <UF> <1|2> [--now <YYYY-MM-DDThh:mm:ss±hh:mm>]",
             "checks the business rules of the note (NFe or nfeProc) for that state and environment (1 "
             "production, 2 homologation) with normal emission, now fixed when given; prints the rules' "
             "message as it stands (nothing when every rule passes); exit 1 when some rule fails, 2 on an "
             "error",
             runRulesVerb},
        Verb{
            "print-grid", "<lines> <lines per inch> <width> <out file>",
            "writes the printer grid of \"Imprimir matriz\" (width 80, 95 or 135) into the file as the ESC/P "
            "bytes the printer would get; exit 1 with the message",
            runPrintGridVerb},
        Verb{
            "servico", "<NFe|NFCe> <UF or authoriser> <P|H> <service key> [<version>] [--ini <file>]",
            "looks the service up in the embedded services INI (or the file) and prints URL=, versao=, WSDL= "
            "and SoapAction= lines; exit 1 with the error text on standard error",
            runServicoVerb},
        Verb{"settings", "<module db> get|set <cnpj> <section|-> <key> [<value>] [Campo_Valor|Campo_memo]",
             "reads (get: prints the value) or writes and commits (set) one setting of a company in the NF-e "
             "module database's CONFIG_GERAL; \"-\" is a row without section; exit 1 with the layer's "
             "message on standard error",
             runSettingsVerb},
        Verb{"sign", "<xml> <pfx> <password> [<docElement> <infElement>] [--digest sha1|sha256|sha512]",
             "signs the XML with the PFX certificate (libOpenSSL bundle; defaults NFe, infNFe, SHA-1); the "
             "signed XML to standard output, exit 1 with the message on standard error",
             runSignVerb},
        Verb{"sign-note", "<note.xml> <pfx> <password> [--csc <id> <code>]",
             "signs the note (a bare NFe) as the note collection does (an NFC-e gets its QR code, the "
             "addresses from the program's services INI), validates it with the official schemas and writes "
             "the signed XML to standard output; exit 1 with the message on standard error when signing or "
             "the schema refuses it, 2 for bad arguments or unreadable files",
             runSignNoteVerb},
        Verb{"store", "list | cert <serial> [<pin>] | sign <xml> <serial> [<pin>] [--capicom]",
             "the user's \"My\" store (folder store and tokens): list prints NumeroSerie|RazaoSocial|CNPJ|"
             "dd/mm/yyyy per certificate, cert prints one as cert does, sign signs NFe/infNFe with "
             "libWinCrypt "
             "(libCapicom with --capicom); exit 1 with the message on standard error",
             runStoreVerb},
        Verb{"txt", "<file>",
             "reads an NF-e in the TXT layout (UTF-8 or Windows-1252) and writes it as XML to standard "
             "output; "
             "exit 1 with the reader's message on standard error when the file is refused (field alerts and "
             "skipped lines go to standard error too, with exit 0)",
             runTxtVerb},
        Verb{"update", "<module db>",
             "one run of the schema updater on the NF-e module database, as its screen's button; prints "
             "\"Atualizacoes executadas = \" and the steps applied; exit 1 with \"step NN: \" and the "
             "message on standard error when a step failed (the steps before it stay applied)",
             runUpdateVerb},
        Verb{"validate", "<xml> <xsd>",
             "validates the XML against the schema; prints \"valid\" or the message, exit 1 unless valid",
             runValidateVerb},
        Verb{"verify", "<xml> [<infElement>]",
             "checks the XML signature of the element (default infNFe); prints \"valid\", or \"invalid\" "
             "and the message; exit 1 unless valid",
             runVerifyVerb},
        Verb{"winpath", "<path>",
             "prints the Linux path a stored Windows path maps to; exit 1 with \"unmapped drive X:\" when "
             "the drive is not mapped",
             runWinpathVerb},
        Verb{
            "ws", "<component.ini> <operation> [arguments]",
            "loads the NF-e component's settings (sections DFe, Proxy and NFe) and runs one web-service "
            "operation, saving files as the settings say; status prints \"<cStat> <xMotivo>\"; send <batch> "
            "<0|1> <note.xml>... signs, validates and sends the notes (1 = synchronous), collects their "
            "protocols and prints \"<key> <cStat> <nProt>\" per note (success: every note confirmed); query "
            "<key> prints \"<cStat> <xMotivo>\" and \"protocol=<Protocolo>\" (success: a note with protocol "
            "or cancelled); cancel <key> <nProt> <justification> sends a cancellation event (sequence 1) and "
            "prints \"<batch cStat> <event cStat> <event nProt>\" (success 135, 136 or 155); void <CNPJ> "
            "<year> "
            "<model> <series> <first> <last> <justification> prints \"<cStat> <xMotivo>\" (success 102); "
            "dist "
            "<cUFAutor> <CNPJCPF> <ultNSU> prints \"<cStat> <ultNSU> <maxNSU>\" and one line \"<NSU> <file "
            "name>\" per document (success 137 or 138); exit 0 when the answer means success, 1 when the "
            "authority answered otherwise (its message on standard "
            "error), 2 on any error (the component's message on standard error)",
            runWsVerb},
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
