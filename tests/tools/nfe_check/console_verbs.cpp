// Verb "console": the NF-e settings screen's core for one company of a module
// database, activated as its openers do (the reader runs and applies the
// stored settings to the screen's NF-e component). "applied" makes the
// operator's list choices and prints what the component uses; "press"
// presses a library preset or "Aplicar Protocolos" and prints the controls
// that changed. Nothing is committed.

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/funcoes/funcoes_kvl.h"
#include "console/config_geral/frm_config_geral40.h"
#include "dfe/backends.h"
#include "modulo_nfe.h"
#include "tests/support/console_aplicado.h"
#include "verbs.h"

namespace {

int usage()
{
    std::fprintf(stderr,
                 "nfe-check console: expected <module db> <cnpj> applied [--choose <list>=<index>]... | "
                 "<module db> <cnpj> press <button>\n");
    return 2;
}

using Handler = void (TfrmConfigGeral40::*)();

const std::map<std::string, Handler, std::less<>> &listas()
{
    static const std::map<std::string, Handler, std::less<>> mapa = {
        {"cbSSLLib", &TfrmConfigGeral40::cbSSLLibChange},
        {"cbCryptLib", &TfrmConfigGeral40::cbCryptLibChange},
        {"cbHttpLib", &TfrmConfigGeral40::cbHttpLibChange},
        {"cbXmlSignLib", &TfrmConfigGeral40::cbXmlSignLibChange},
        {"cbSSLType", &TfrmConfigGeral40::cbSSLTypeChange},
    };
    return mapa;
}

const std::map<std::string, Handler, std::less<>> &botoes()
{
    static const std::map<std::string, Handler, std::less<>> mapa = {
        {"Ativa Capicom", &TfrmConfigGeral40::btnAtivaCapicomClick},
        {"Ativa OpenSSL", &TfrmConfigGeral40::btnAtivaOpenSSLClick},
        {"Ativa WinCrypt", &TfrmConfigGeral40::btnAtivaWinCryptClick},
        {"Button6", &TfrmConfigGeral40::Button6Click},
        {"Aplicar Protocolos", &TfrmConfigGeral40::Button6Click},
    };
    return mapa;
}

std::string valorDoControle(const TfrmConfigGeral40::Controle &c)
{
    switch (c.tipo) {
    case TipoControle::Lista:
        return std::to_string(c.indice);
    case TipoControle::Caixa:
        return c.marcado ? "TRUE" : "FALSE";
    case TipoControle::Edit:
        break;
    }
    return c.texto;
}

struct Escolha {
    std::string lista;
    int indice;
};

// The --choose options; nothing when one is malformed.
std::optional<std::vector<Escolha>> escolhas(std::span<const std::string> opcoes)
{
    std::vector<Escolha> lidas;
    for (std::size_t i = 0; i < opcoes.size(); i += 2) {
        if (opcoes[i] != "--choose" || i + 1 >= opcoes.size())
            return std::nullopt;
        const std::string &texto = opcoes[i + 1];
        const auto igual = texto.find('=');
        if (igual == std::string::npos || !listas().contains(texto.substr(0, igual)))
            return std::nullopt;
        try {
            lidas.push_back({texto.substr(0, igual), std::stoi(texto.substr(igual + 1))});
        } catch (const std::exception &) {
            return std::nullopt;
        }
    }
    return lidas;
}

int aplicadas(TfrmConfigGeral40 &tela, const std::vector<Escolha> &escolhidas)
{
    int saida = 0;
    try {
        tela.FormActivate();
        for (const auto &e : escolhidas) {
            tela.controle(e.lista).indice = e.indice;
            (tela.*listas().at(e.lista))();
        }
    } catch (const ProgramError &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        saida = 1;
    }
    for (const auto &[propriedade, valor] : testsupport::propriedadesAplicadas(tela))
        std::printf("%s=%s\n", propriedade.c_str(), valor.c_str());
    return saida;
}

int pressiona(TfrmConfigGeral40 &tela, Handler botao)
{
    tela.FormActivate();
    const auto antes = tela.controles();
    (tela.*botao)();
    for (const auto &[nome, c] : tela.controles()) {
        const auto &anterior = antes.at(nome);
        if (valorDoControle(c) != valorDoControle(anterior))
            std::printf("%s=%s\n", nome.c_str(), valorDoControle(c).c_str());
    }
    return 0;
}

} // namespace

int runConsoleVerb(std::span<const std::string> args)
{
    if (args.size() < 3)
        return usage();
    const std::string &acao = args[2];
    const auto opcoes = args.subspan(3);
    std::optional<std::vector<Escolha>> escolhidas;
    Handler botao = nullptr;
    if (acao == "applied") {
        escolhidas = escolhas(opcoes);
        if (!escolhidas)
            return usage();
    } else if (acao == "press" && opcoes.size() == 1 && botoes().contains(opcoes[0])) {
        botao = botoes().find(opcoes[0])->second;
    } else {
        return usage();
    }
    try {
        RegistraBackendsDFe();
        ModuloNFeAberto aberto(args[0]);
        aberto.modulo().CnpjEmpresa = args[1];
        TfrmConfigGeral40 tela(aberto.modulo(), PastaPrograma());
        return botao ? pressiona(tela, botao) : aplicadas(tela, *escolhidas);
    } catch (const ProgramError &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
