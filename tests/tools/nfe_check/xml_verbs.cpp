// Verb "xml": reads an NF-e or NFC-e XML into the model and writes it back.

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/leitor.h"
#include "input_file.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"
#include "verbs.h"

namespace {

// The UTC offset written after the note's emission date ("-03:00"), so that
// the dates are written back with the offset they were read with; empty when
// the note has none (layouts before 3.00).
std::string fusoDaEmissao(const std::string &texto)
{
    TLeitor leitor;
    leitor.setGrupo(texto);
    const std::string dhEmi = std::get<std::string>(leitor.LeCampo(vcDigitos, "dhEmi"));
    if (dhEmi.size() < 6)
        return {};
    const std::string fuso = dhEmi.substr(dhEmi.size() - 6);
    return (fuso[0] == '+' || fuso[0] == '-') && fuso[3] == ':' ? fuso : std::string();
}

void usarFuso(const std::string &fuso)
{
    if (fuso.empty())
        return;
    TTimeZoneConf &global = FusoHorarioGlobal();
    global.SetModoDeteccao(tzManual);
    try {
        global.SetTimeZoneStr(fuso);
    } catch (const EQuibException &) {
        global.SetModoDeteccao(tzSistema);
    }
}

} // namespace

int runXmlVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check xml: expected <file>\n");
        return 2;
    }
    std::string texto;
    if (!lerArquivo(args[0], texto)) {
        std::fprintf(stderr, "Não foi possível ler o arquivo \"%s\"\n", args[0].c_str());
        return 1;
    }

    TNFe nfe;
    TNFeR leitor(nfe);
    leitor.Leitor().setArquivo(texto);
    try {
        leitor.ImportarXml();
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    const std::string idLido = nfe.infNFe.Id;

    // Written as read: no text cleaning, no indentation, the signature block
    // exactly when the note has one, the dates with the note's own offset.
    usarFuso(fusoDaEmissao(texto));
    TNFeW escritor(nfe);
    escritor.Gerador.Opcoes.RetirarAcentos = false;
    escritor.Gerador.Opcoes.RetirarEspacos = false;
    escritor.Gerador.Opcoes.IdentarXML = false;
    escritor.Opcoes.GerarTagAssinatura = texto.find("<Signature") != std::string::npos ? taSempre : taNunca;
    bool semAlertas = false;
    try {
        semAlertas = escritor.MontarXml();
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    std::fwrite(escritor.Gerador.ArquivoFormatoXML.data(), 1, escritor.Gerador.ArquivoFormatoXML.size(),
                stdout);

    int alertas = 0;
    for (const std::string &alerta : escritor.Gerador.ListaDeAlertas) {
        std::fprintf(stderr, "%s\n", alerta.c_str());
        ++alertas;
    }
    if (nfe.infNFe.Id != idLido) {
        std::fprintf(stderr, "A chave de acesso escrita (%s) difere da lida (%s)\n", nfe.infNFe.Id.c_str(),
                     idLido.c_str());
        ++alertas;
    }
    return semAlertas && alertas == 0 ? 0 : 1;
}
