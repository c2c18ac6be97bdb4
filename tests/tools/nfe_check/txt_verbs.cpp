// Verb "txt": reads an NF-e in the TXT layout and writes it as XML.

#include <cstdio>
#include <exception>
#include <string>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "nfe/document/nfe_writer.h"
#include "verbs.h"

int runTxtVerb(std::span<const std::string> args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "nfe-check txt: expected <file>\n");
        return 2;
    }
    TNFe nfe;
    try {
        TNFeRTXT leitor(nfe);
        if (!leitor.CarregarArquivo(args[0])) {
            std::fprintf(stderr, "Arquivo não encontrado: %s\n", args[0].c_str());
            return 1;
        }
        if (!leitor.InterpretarArquivo()) {
            std::fprintf(stderr, "O arquivo não é uma NF-e no leiaute TXT: cabeçalho ausente ou versão do "
                                 "leiaute desconhecida\n");
            return 1;
        }
        // Lines the reader skipped do not refuse the file.
        for (const std::string &aviso : leitor.Avisos)
            std::fprintf(stderr, "%s\n", aviso.c_str());
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }

    TNFeW escritor(nfe);
    try {
        escritor.MontarXml();
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
    const std::string &xml = escritor.Gerador.ArquivoFormatoXML;
    std::fwrite(xml.data(), 1, xml.size(), stdout);
    // Field alerts do not refuse the file: they are reported beside the XML.
    for (const std::string &alerta : escritor.Gerador.ListaDeAlertas)
        std::fprintf(stderr, "%s\n", alerta.c_str());
    return 0;
}
