// Verb "danfe-escpos": the NFC-e DANFE, or an event or voiding receipt, as the
// bytes a file port receives (or as the tag-language text).

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "foundation/base/quib_exception.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "pos_modelos.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/posprinter/pos_printer.h"
#include "verbs.h"

namespace {

constexpr const char *kUso =
    "usage: danfe-escpos <nfce.xml> <model> [--columns <n>] [--code-page 437|850|852|860|1252|utf8|none] "
    "[--no-condensed] [--one-line] [--summary] [--event <file> | --voiding <file>] [--tags]\n";

int usage(const std::string &problem)
{
    std::fprintf(stderr, "nfe-check danfe-escpos: %s\n%s", problem.c_str(), kUso);
    return 2;
}

struct Opcoes {
    std::string nota;
    TQuibPosPrinterModelo modelo = ppEscPosEpson;
    TQuibPosPaginaCodigo pagina = pc850;
    int colunas = 48;
    bool condensado = true;
    bool umaLinha = false;
    bool resumido = false;
    std::string evento;
    std::string inutilizacao;
    bool tags = false;
};

// An empty text when the arguments are good, else what is wrong with them.
std::string lerOpcoes(std::span<const std::string> args, Opcoes &opcoes)
{
    if (args.size() < 2)
        return "expected a note file and a printer model";
    opcoes.nota = args[0];
    if (!modeloPosPorNome(args[1], opcoes.modelo))
        return "unknown model " + args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string &opcao = args[i];
        if (opcao == "--no-condensed") {
            opcoes.condensado = false;
        } else if (opcao == "--one-line") {
            opcoes.umaLinha = true;
        } else if (opcao == "--summary") {
            opcoes.resumido = true;
        } else if (opcao == "--tags") {
            opcoes.tags = true;
        } else if (i + 1 >= args.size()) {
            return "missing value after " + opcao;
        } else {
            const std::string &valor = args[++i];
            if (opcao == "--columns") {
                const auto [fim, erro] =
                    std::from_chars(valor.data(), valor.data() + valor.size(), opcoes.colunas);
                if (erro != std::errc() || fim != valor.data() + valor.size() || opcoes.colunas <= 0)
                    return "--columns takes a number above 0";
            } else if (opcao == "--code-page") {
                if (!paginaPosPorNome(valor, opcoes.pagina))
                    return "unknown code page " + valor;
            } else if (opcao == "--event") {
                opcoes.evento = valor;
            } else if (opcao == "--voiding") {
                opcoes.inutilizacao = valor;
            } else {
                return "unknown option " + opcao;
            }
        }
    }
    if (!opcoes.evento.empty() && !opcoes.inutilizacao.empty())
        return "--event and --voiding exclude each other";
    if (opcoes.nota == "-" && opcoes.inutilizacao.empty())
        return "only a voiding receipt prints without a note (\"-\")";
    return {};
}

// The printer as the console's form stores it.
void configurarImpressora(TQuibPosPrinter &pos, const Opcoes &opcoes, const std::string &porta)
{
    pos.SetModelo(opcoes.modelo);
    pos.SetPorta(porta);
    pos.SetPaginaDeCodigo(opcoes.tags ? pcUTF8 : opcoes.pagina);
    pos.SetEspacoEntreLinhas(30);
    pos.Config().ConfigQRCode.Tipo(2);
    pos.Config().ConfigQRCode.LarguraModulo(4);
    pos.Config().ConfigQRCode.ErrorLevel(0);
    pos.LinhasEntreCupons = 5;
    pos.ColunasFonteNormal = opcoes.colunas;
}

// The tag text goes out as it is: nothing translated, no initialisation in
// front, every send kept instead of written.
void capturarTags(TQuibPosPrinter &pos, std::string &saida)
{
    pos.SetTraduzirTags(false);
    pos.Ativar();
    pos.OnEnviarStringDevice = [](const std::string &, bool &tratado) { tratado = true; };
    pos.EnviarStringDevice(pos.ModeloAtual().ComandoInicializa());
    pos.OnEnviarStringDevice = [&saida](const std::string &cmd, bool &tratado) {
        saida += cmd;
        tratado = true;
    };
}

void imprimir(const Opcoes &opcoes, TQuibNFe &nfe, TQuibNFeDANFeESCPOS &danfe)
{
    if (opcoes.nota != "-")
        nfe.Notas().CarregarArquivo(opcoes.nota, false);
    if (!opcoes.evento.empty()) {
        if (!nfe.LoteEventos.LerArquivo(opcoes.evento))
            throw EQuibNFeException("Arquivo de Evento não informado!");
        danfe.ImprimirEVENTO();
    } else if (!opcoes.inutilizacao.empty()) {
        if (!nfe.PedidoInutilizacao.LerArquivo(opcoes.inutilizacao))
            throw EQuibNFeException("Objeto de inutilização não atribuído.");
        danfe.ImprimirINUTILIZACAO();
    } else if (opcoes.resumido) {
        danfe.ImprimirDANFEResumido();
    } else {
        danfe.ImprimirDANFE();
    }
}

} // namespace

int runDanfeEscposVerb(std::span<const std::string> args)
{
    Opcoes opcoes;
    if (const std::string problema = lerOpcoes(args, opcoes); !problema.empty())
        return usage(problema);

    std::string modelo = (std::filesystem::temp_directory_path() / "danfe-escpos-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    const std::filesystem::path pasta = modelo;
    const std::filesystem::path arquivo = pasta / "porta.prn";

    std::string saida;
    int resultado = 0;
    try {
        TQuibNFe nfe;
        TQuibPosPrinter pos;
        TQuibNFeDANFeESCPOS danfe;
        configurarImpressora(pos, opcoes, arquivo.string());
        if (opcoes.tags)
            capturarTags(pos, saida);
        danfe.SetPosPrinter(&pos);
        danfe.SetQuibNFe(&nfe);
        danfe.SuportaCondensado = opcoes.condensado;
        danfe.SetImprimeEmUmaLinha(opcoes.umaLinha);
        imprimir(opcoes, nfe, danfe);
        pos.Desativar();
        if (!opcoes.tags) {
            std::ifstream entrada(arquivo, std::ios::binary);
            saida.assign(std::istreambuf_iterator<char>(entrada), std::istreambuf_iterator<char>());
        }
    } catch (const ProgramError &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        resultado = 1;
    }
    std::error_code ignorado;
    std::filesystem::remove_all(pasta, ignorado);
    if (resultado == 0)
        std::fwrite(saida.data(), 1, saida.size(), stdout);
    return resultado;
}
