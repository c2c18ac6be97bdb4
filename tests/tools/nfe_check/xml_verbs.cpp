// Verbs "xml" and "xml2txt": an NF-e or NFC-e XML read into the model and
// written back, as XML or in the TXT layout of its version.

#include <cstdio>
#include <exception>
#include <string>

#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "nota_xml.h"
#include "verbs.h"

namespace {

int imprimeNaSaidaDeErro(const std::vector<std::string> &linhas)
{
    for (const std::string &linha : linhas)
        std::fprintf(stderr, "%s\n", linha.c_str());
    return static_cast<int>(linhas.size());
}

// Reads the verb's one file argument into `nfe` and writes it back with
// `escritor` (bound to `nfe`) as read: no text cleaning, no indentation, the
// signature block exactly when the note has one, the date-times with their
// own offsets; `txt` adds the TXT layout. Answers the exit code when the verb
// ends here (2 bad arguments, 1 note refused), otherwise -1.
int leEEscreve(std::span<const std::string> args, const char *verbo, TNFe &nfe, TNFeW &escritor, bool txt,
               IdentificadoresLidos &lidos, bool &semAlertas)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check %s: expected <file>\n", verbo);
        return 2;
    }
    std::string texto;
    if (!importarNotaXml(args[0], nfe, texto))
        return 1;
    lidos = identificadoresDe(nfe);
    escritor.Gerador.Opcoes.RetirarAcentos = false;
    escritor.Gerador.Opcoes.RetirarEspacos = false;
    escritor.Gerador.Opcoes.IdentarXML = false;
    escritor.Opcoes.GerarTagAssinatura = texto.find("<Signature") != std::string::npos ? taSempre : taNunca;
    escritor.Opcoes.GerarTXTSimultaneamente = txt;
    try {
        semAlertas = escritor.MontarXml();
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    return -1;
}

} // namespace

int runXmlVerb(std::span<const std::string> args)
{
    TNFe nfe;
    TNFeW escritor(nfe);
    IdentificadoresLidos lidos;
    bool semAlertas = false;
    if (const int fim = leEEscreve(args, "xml", nfe, escritor, false, lidos, semAlertas); fim >= 0)
        return fim;
    std::fwrite(escritor.Gerador.ArquivoFormatoXML.data(), 1, escritor.Gerador.ArquivoFormatoXML.size(),
                stdout);
    const int alertas = imprimeNaSaidaDeErro(escritor.Gerador.ListaDeAlertas) +
                        imprimeNaSaidaDeErro(contradicoesDaNota(lidos, nfe));
    return semAlertas && alertas == 0 ? 0 : 1;
}

int runXml2TxtVerb(std::span<const std::string> args)
{
    TNFe nfe;
    TNFeW escritor(nfe);
    IdentificadoresLidos lidos;
    bool semAlertas = false;
    if (const int fim = leEEscreve(args, "xml2txt", nfe, escritor, true, lidos, semAlertas); fim >= 0)
        return fim;
    if (imprimeNaSaidaDeErro(contradicoesDaNota(lidos, nfe)) > 0)
        return 1;
    const std::string &txt = escritor.Gerador.ArquivoFormatoTXT;
    if (txt.empty()) {
        std::fprintf(stderr, "Não há leiaute TXT para a versão %s da nota\n",
                     nfe.infNFe.AtributoVersao().substr(8, 4).c_str());
        return 1;
    }
    // The file as the programs that exchange these notes read it: the header
    // line first, Windows-1252.
    const std::string arquivo = ConvertePaginaCodigo("NOTA FISCAL|1\r\n" + txt, 1252, 65001);
    std::fwrite(arquivo.data(), 1, arquivo.size(), stdout);
    // What the layout cannot carry, and any other field alert, does not refuse the note.
    imprimeNaSaidaDeErro(escritor.Gerador.ListaDeAlertas);
    if (!nfe.Signature.SignatureValue.empty())
        std::fprintf(stderr,
                     "Signature: a assinatura não tem registro no leiaute TXT; não incluída no TXT\n");
    if (!nfe.procNFe.nProt.empty())
        std::fprintf(stderr,
                     "protNFe: o protocolo de autorização %s não tem registro no leiaute TXT; não incluído "
                     "no TXT\n",
                     nfe.procNFe.nProt.c_str());
    return 0;
}
