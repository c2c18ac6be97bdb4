// Verb "nfse-config": the NFS-e/CT-e settings screen's load and "Confirmar"
// on a module database, through its core.

#include <cstdio>
#include <iostream>
#include <string>

#include "app/config_geral/frm_config_geral.h"
#include "app/dados/dtm_nfe_grd.h"
#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"
#include "modulo_avulso.h"
#include "verbs.h"

namespace {

int usage()
{
    std::fprintf(stderr, "nfse-config: expected <module db> load <cnpj>... | <module db> store <cnpj>\n");
    return 2;
}

const ChaveNfse &chavePeloNome(std::string_view nome)
{
    for (const auto &chave : chavesConfigGeral())
        if (upperAscii(chave.chave) == upperAscii(nome))
            return chave;
    throw ProgramError("chave desconhecida: " + std::string(nome));
}

// key=value lines of standard input into the controls.
void leValores(TfrmConfigGeral &tela)
{
    std::string linha;
    while (std::getline(std::cin, linha)) {
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        if (linha.empty())
            continue;
        const auto igual = linha.find('=');
        if (igual == std::string::npos)
            throw ProgramError("linha sem \"=\": " + linha);
        tela.aplicaValor(chavePeloNome(linha.substr(0, igual)), linha.substr(igual + 1));
    }
}

} // namespace

int runNfseConfigVerb(std::span<const std::string> args)
{
    if (args.size() < 3)
        return usage();
    const bool grava = args[1] == "store";
    if ((!grava && args[1] != "load") || (grava && args.size() != 3))
        return usage();
    try {
        ModuloAvulso banco(args[0]);
        TfrmConfigGeral tela(banco.modulo(), "./");
        for (std::size_t i = 2; i < args.size(); ++i) {
            tela.CnpjEmpresa = args[i];
            tela.FormActivate();
        }
        if (grava) {
            leValores(tela);
            tela.ConfirmarClick();
            return tela.ModalResult == TfrmConfigGeral::ResultadoModal::Ok ? 0 : 1;
        }
        for (const auto &[chave, valor] : tela.valoresParaGravar())
            std::printf("%s=%s\n", chave.c_str(), valor.c_str());
        return 0;
    } catch (const ProgramError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
