// Verb "xml": reads an NF-e or NFC-e XML into the model and writes it back.

#include <cstdio>
#include <exception>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"
#include "verbs.h"

namespace {

bool lerArquivo(const std::string &caminho, std::string &texto)
{
    std::ifstream arquivo(caminho, std::ios::binary);
    if (!arquivo)
        return false;
    std::ostringstream bruto;
    bruto << arquivo.rdbuf();
    if (arquivo.bad())
        return false;
    std::string_view conteudo = bruto.view();
    if (conteudo.starts_with("\xEF\xBB\xBF"))
        conteudo.remove_prefix(3);
    texto = AnsiParaUTF8(conteudo);
    return true;
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
    // exactly when the note has one (the date-times keep their own offsets).
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
