// Verb "sign-note": one note signed and validated as the note collection
// signs and validates it before sending.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/notas_fiscais.h"
#include "nota_componente.h"
#include "verbs.h"

int runSignNoteVerb(std::span<const std::string> args)
{
    std::vector<std::string> posicionais;
    std::string idCSC, csc;
    bool comCSC = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--csc" && i + 2 < args.size()) {
            idCSC = args[i + 1];
            csc = args[i + 2];
            comCSC = true;
            i += 2;
        } else {
            posicionais.push_back(args[i]);
        }
    }
    if (posicionais.size() != 3 || (comCSC && (idCSC.empty() || csc.empty()))) {
        std::fprintf(stderr,
                     "nfe-check sign-note: expected <note.xml> <pfx> <password> [--csc <id> <code>]\n");
        return 2;
    }
    std::error_code erroArquivo;
    if (!std::filesystem::is_regular_file(posicionais[1], erroArquivo)) {
        std::fprintf(stderr, "nfe-check sign-note: não foi possível ler o arquivo %s\n",
                     posicionais[1].c_str());
        return 2;
    }
    auto componente = componenteComNota("sign-note", posicionais[0]);
    if (!componente)
        return 2;
    try {
        TConfiguracoesNFe &cfg = componente->Configuracoes();
        cfg.Certificados().SetArquivoPFX(posicionais[1]);
        cfg.Certificados().SetSenha(posicionais[2]);
        if (comCSC) {
            cfg.Geral().SetIdCSC(idCSC);
            cfg.Geral().SetCSC(csc);
        }
        NotaFiscal &nota = componente->Notas()[0];
        // The NFC-e addresses are those of the note's state and environment.
        cfg.WebServices().SetUF(SiglaUFDoCodigo(nota.NFe().ide.cUF));
        cfg.WebServices().Ambiente = nota.NFe().ide.tpAmb;
        nota.AssinarNota();
        nota.ValidarNota();
        const std::string &assinado = nota.TextoXMLAssinado();
        std::fwrite(assinado.data(), 1, assinado.size(), stdout);
        return 0;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
