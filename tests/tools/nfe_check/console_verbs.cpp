// Verb "console": the NF-e settings screen's core for one company, opened and
// activated as its openers do, driven from the command line. Controls are
// printed and read as "<control>=<value>": an edit's text with its line
// breaks as "\n", a list's index (-1 for no choice), a box's TRUE or FALSE.
// "applied" prints what the activation applied to the screen's NF-e
// component after the operator's list choices. "press" prints the boxes
// shown, the controls that changed, then each answer pane that changed
// (tests/support/paineis_resposta.h); --answer gives the input boxes their
// answers in order (none left: Cancel), --services-ini the component's
// services INI before activation.

#include <algorithm>
#include <cstdio>
#include <deque>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "app/db/db_error.h"
#include "app/dialogs/dialogos.h"
#include "console/config_geral/disposicao_tela.h"
#include "console/config_geral/frm_config_geral40.h"
#include "dfe/backends.h"
#include "foundation/base/quib_exception.h"
#include "foundation/files/file_utils.h"
#include "modulo_avulso.h"
#include "tests/support/console_aplicado.h"
#include "tests/support/paineis_resposta.h"
#include "verbs.h"

namespace {

// Arguments the verb cannot work with (exit 2).
struct UsoErrado {
    std::string texto;
};

// Dialogs answered from the command line's options in order; with none left,
// Cancel. Every box is recorded as it shows.
class DialogosDaLinha : public Dialogos {
  public:
    std::deque<bool> confirmacoes;
    std::deque<std::string> arquivos;
    std::vector<std::string> caixas;

    bool atencao(std::string_view texto) override { return pergunta(texto); }
    bool confirmacao(std::string_view texto) override { return pergunta(texto); }
    void mensagem(std::string_view texto, std::string_view) override { caixas.emplace_back(texto); }
    std::optional<std::string> abrirArquivo(std::string_view, std::string_view) override { return arquivo(); }
    std::optional<std::string> escolherPasta(std::string_view) override { return arquivo(); }

  private:
    bool pergunta(std::string_view texto)
    {
        caixas.emplace_back(texto);
        if (confirmacoes.empty())
            return false;
        const bool sim = confirmacoes.front();
        confirmacoes.pop_front();
        return sim;
    }
    std::optional<std::string> arquivo()
    {
        if (arquivos.empty())
            return std::nullopt;
        std::string escolhido = arquivos.front();
        arquivos.pop_front();
        return escolhido;
    }
};

std::string mostra(const TfrmConfigGeral40::Controle &c)
{
    switch (c.tipo) {
    case TipoControle::Lista:
        return std::to_string(c.indice);
    case TipoControle::Caixa:
        return c.marcado ? "TRUE" : "FALSE";
    case TipoControle::Edit:
        break;
    }
    std::string texto;
    for (const char ch : c.texto) {
        if (ch == '\n')
            texto += "\\n";
        else if (ch != '\r')
            texto += ch;
    }
    return texto;
}

void atribui(TfrmConfigGeral40 &tela, std::string_view linha)
{
    const auto igual = linha.find('=');
    if (igual == std::string_view::npos)
        throw UsoErrado{"expected <control>=<value>, got \"" + std::string(linha) + "\""};
    const std::string nome(linha.substr(0, igual));
    const std::string valor(linha.substr(igual + 1));
    TfrmConfigGeral40::Controle *c = nullptr;
    try {
        c = &tela.controle(nome);
    } catch (const std::out_of_range &) {
        throw UsoErrado{"no control named " + nome};
    }
    switch (c->tipo) {
    case TipoControle::Lista:
        try {
            c->indice = std::stoi(valor);
        } catch (const std::exception &) {
            throw UsoErrado{nome + ": a list's value is an index"};
        }
        return;
    case TipoControle::Caixa:
        if (valor != "TRUE" && valor != "FALSE")
            throw UsoErrado{nome + ": a box's value is TRUE or FALSE"};
        c->marcado = valor == "TRUE";
        return;
    case TipoControle::Edit:
        break;
    }
    c->texto.clear();
    for (std::size_t i = 0; i < valor.size(); ++i) {
        if (valor[i] == '\\' && i + 1 < valor.size() && valor[i + 1] == 'n') {
            c->texto += '\n';
            ++i;
        } else {
            c->texto += valor[i];
        }
    }
}

std::map<std::string, std::string> fotografia(const TfrmConfigGeral40 &tela)
{
    std::map<std::string, std::string> valores;
    for (const auto &[nome, c] : tela.controles())
        valores[nome] = mostra(c);
    return valores;
}

// Presses the button by its name or its caption; a folder button also by
// the edit beside it.
void pressiona(TfrmConfigGeral40 &tela, const std::string &botao)
{
    const BotaoTela *b = botaoTela(botao);
    if (!b) {
        const auto &botoes = botoesTela();
        const auto pasta =
            std::ranges::find_if(botoes, [&](const BotaoTela &x) { return x.pasta && x.aoLadoDe == botao; });
        if (pasta == botoes.end())
            throw UsoErrado{"no button " + botao};
        b = &*pasta;
    }
    if (!botaoAtivo(*b))
        throw UsoErrado{"button " + botao + " runs no operation in this build"};
    pressionaBotao(tela, *b);
}

// The console's prompts: typed answers from --answer in order (none left:
// Cancel), files and boxes through the command line's dialogs.
class PerguntasDaLinha : public PerguntasConsole {
  public:
    PerguntasDaLinha(DialogosDaLinha &dialogos, std::deque<std::string> respostas)
        : dialogos_(dialogos), respostas_(std::move(respostas))
    {
    }
    std::optional<std::string> InputBox(std::string_view, std::string_view, std::string_view) override
    {
        if (respostas_.empty())
            return std::nullopt;
        std::string resposta = std::move(respostas_.front());
        respostas_.pop_front();
        return resposta;
    }
    std::optional<std::string> abrirArquivo(const DialogoArquivo &dialogo) override
    {
        return dialogos_.abrirArquivo(dialogo.filtro, dialogo.pastaInicial);
    }
    void mensagem(std::string_view texto) override { dialogos_.mensagem(texto, ""); }
    void erro(std::string_view texto) override { dialogos_.mensagem(texto, "Erro de sistema"); }
    bool confirmacao(std::string_view texto) override { return dialogos_.confirmacao(texto); }

  private:
    DialogosDaLinha &dialogos_;
    std::deque<std::string> respostas_;
};

// Installs the dialogs for the verb's run and puts the previous ones back.
class DialogosInstalados {
  public:
    explicit DialogosInstalados(std::unique_ptr<Dialogos> novos)
        : anteriores_(instalaDialogos(std::move(novos)))
    {
    }
    ~DialogosInstalados() { instalaDialogos(std::move(anteriores_)); }
    DialogosInstalados(const DialogosInstalados &) = delete;
    DialogosInstalados &operator=(const DialogosInstalados &) = delete;

  private:
    std::unique_ptr<Dialogos> anteriores_;
};

using Handler = void (TfrmConfigGeral40::*)();

// The library and TLS-type lists' change handlers, which "applied" runs for
// each --choose.
const std::map<std::string, Handler, std::less<>> &handlersDeLista()
{
    static const std::map<std::string, Handler, std::less<>> handlers = {
        {"cbSSLLib", &TfrmConfigGeral40::cbSSLLibChange},
        {"cbCryptLib", &TfrmConfigGeral40::cbCryptLibChange},
        {"cbHttpLib", &TfrmConfigGeral40::cbHttpLibChange},
        {"cbXmlSignLib", &TfrmConfigGeral40::cbXmlSignLibChange},
        {"cbSSLType", &TfrmConfigGeral40::cbSSLTypeChange},
    };
    return handlers;
}

std::string listaDaEscolha(const std::string &escolha)
{
    return escolha.substr(0, escolha.find('='));
}

void escolhe(TfrmConfigGeral40 &tela, const std::string &escolha)
{
    atribui(tela, escolha);
    (tela.*handlersDeLista().at(listaDaEscolha(escolha)))();
}

struct Opcoes {
    std::string banco, cnpj, acao, botao, iniServicos;
    std::vector<std::string> edicoes;
    std::deque<std::string> respostas;
    std::vector<std::string> escolhas;
    std::deque<bool> confirmacoes;
    std::deque<std::string> arquivos;
};

Opcoes leOpcoes(std::span<const std::string> args)
{
    if (args.size() < 3)
        throw UsoErrado{"expected <module db> <cnpj> show|save|press <control> [options]"};
    Opcoes o{args[0], args[1], args[2], {}, {}, {}, {}, {}, {}, {}};
    std::size_t i = 3;
    if (o.acao == "press") {
        if (args.size() < 4)
            throw UsoErrado{"press needs a control"};
        o.botao = args[i++];
    } else if (o.acao != "show" && o.acao != "save" && o.acao != "applied") {
        throw UsoErrado{"unknown action " + o.acao};
    }
    for (; i < args.size(); i += 2) {
        const bool aceitaOpcoes = o.acao == "press" || o.acao == "applied";
        if (!aceitaOpcoes || i + 1 >= args.size() || (o.acao == "applied") != (args[i] == "--choose"))
            throw UsoErrado{"unexpected argument " + args[i]};
        const std::string &valor = args[i + 1];
        if (args[i] == "--choose" && handlersDeLista().contains(listaDaEscolha(valor)))
            o.escolhas.push_back(valor);
        else if (args[i] == "--set")
            o.edicoes.push_back(valor);
        else if (args[i] == "--file")
            o.arquivos.push_back(valor);
        else if (args[i] == "--answer")
            o.respostas.push_back(valor);
        else if (args[i] == "--services-ini")
            o.iniServicos = valor;
        else if (args[i] == "--confirm" && (valor == "yes" || valor == "no" || valor == "cancel"))
            o.confirmacoes.push_back(valor == "yes");
        else
            throw UsoErrado{"unexpected argument " + args[i] + " " + valor};
    }
    return o;
}

// Activation and the choices; the component's properties are printed also
// when the reader or a handler stopped with an error (exit 1).
int aplicadas(TfrmConfigGeral40 &tela, const std::vector<std::string> &escolhas)
{
    int saida = 0;
    try {
        tela.FormActivate();
        for (const auto &escolha : escolhas)
            escolhe(tela, escolha);
    } catch (const ProgramError &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        saida = 1;
    }
    for (const auto &[propriedade, valor] : testsupport::propriedadesAplicadas(tela))
        std::printf("%s=%s\n", propriedade.c_str(), valor.c_str());
    return saida;
}

} // namespace

int runConsoleVerb(std::span<const std::string> args)
{
    Opcoes opcoes;
    try {
        opcoes = leOpcoes(args);
    } catch (const UsoErrado &erro) {
        std::fprintf(stderr, "nfe-check console: %s\n", erro.texto.c_str());
        return 2;
    }
    auto dialogosProprios = std::make_unique<DialogosDaLinha>();
    DialogosDaLinha &dialogos = *dialogosProprios;
    dialogos.confirmacoes = opcoes.confirmacoes;
    dialogos.arquivos = opcoes.arquivos;
    const DialogosInstalados instalados(std::move(dialogosProprios));
    try {
        RegistraBackendsDFe();
        ModuloAvulso avulso(opcoes.banco);
        avulso.modulo().CnpjEmpresa = opcoes.cnpj;
        TfrmConfigGeral40 tela(avulso.modulo(), PastaDoPrograma());
        PerguntasDaLinha perguntas(dialogos, opcoes.respostas);
        tela.DefinirPerguntas(&perguntas);
        if (!opcoes.iniServicos.empty())
            tela.QuibNFe1.Configuracoes().Arquivos().SetIniServicos(opcoes.iniServicos);
        if (opcoes.acao == "applied")
            return aplicadas(tela, opcoes.escolhas);
        tela.FormActivate();
        if (opcoes.acao == "show") {
            for (const auto &nome : tela.controlesEmOrdemDeLeitura())
                std::printf("%s=%s\n", nome.c_str(), mostra(tela.controle(nome)).c_str());
        } else if (opcoes.acao == "save") {
            for (std::string linha; std::getline(std::cin, linha);)
                if (!linha.empty())
                    atribui(tela, linha);
            tela.btnSalvarConfigClick();
            if (tela.ModalResult != TfrmConfigGeral40::ResultadoModal::Ok) {
                for (const auto &caixa : dialogos.caixas)
                    std::fprintf(stderr, "%s\n", caixa.c_str());
                return 1;
            }
        } else {
            for (const auto &edicao : opcoes.edicoes)
                atribui(tela, edicao);
            const auto antes = fotografia(tela);
            const auto paineisAntes = testsupport::fotografaPaineis(tela);
            pressiona(tela, opcoes.botao);
            for (const auto &caixa : dialogos.caixas)
                std::printf("message: %s\n", caixa.c_str());
            for (const auto &[nome, valor] : fotografia(tela))
                if (antes.at(nome) != valor)
                    std::printf("%s=%s\n", nome.c_str(), valor.c_str());
            std::fputs(
                testsupport::paineisQueMudaram(paineisAntes, testsupport::fotografaPaineis(tela)).c_str(),
                stdout);
        }
        return 0;
    } catch (const UsoErrado &erro) {
        std::fprintf(stderr, "nfe-check console: %s\n", erro.texto.c_str());
        return 2;
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return 1;
    }
}
