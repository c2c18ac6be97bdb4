// Verb "monitor-run": one run of the note screen's core without a window, the
// staged notes handed to the document monitor and followed tick by tick.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/cursor.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/base/quib_exception.h"
#include "modulo_avulso.h"
#include "monitor_client/frm_nfe_2g.h"
#include "monitor_client/tabelas_notas.h"
#include "tests/support/staged_notes.h"
#include "verbs.h"

namespace {

// Boxes go to standard error; input boxes are answered with the copies given.
class DialogosDoTerminal : public Dialogos {
  public:
    explicit DialogosDoTerminal(std::string copias) : copias_(std::move(copias)) {}
    bool atencao(std::string_view texto) override { return escreve(texto); }
    bool confirmacao(std::string_view texto) override { return escreve(texto); }
    void mensagem(std::string_view texto, std::string_view) override { escreve(texto); }
    std::optional<std::string> abrirArquivo(std::string_view, std::string_view) override
    {
        return std::nullopt;
    }
    std::optional<std::string> escolherPasta(std::string_view) override { return std::nullopt; }
    std::optional<std::string> entrada(std::string_view titulo, std::string_view pergunta,
                                       std::string_view padrao) override
    {
        std::cerr << titulo << ": " << pergunta << " " << (copias_.empty() ? padrao : copias_) << "\n";
        return copias_.empty() ? std::string(padrao) : copias_;
    }

  private:
    bool escreve(std::string_view texto)
    {
        std::cerr << texto << "\n";
        return true;
    }
    std::string copias_;
};

// "<nro_not> <serie> <STATUS_NFE> <DES_STATUS_NFE>" of every row of the run.
std::map<std::string, std::string> estados(TdtmNFE_grd &modulo, const TfrmNFE_2G &tela)
{
    std::map<std::string, std::string> linhas;
    for (const GradeDanfe *grade : {&tela.qryEnviadas, &tela.qryDanfe, &tela.qryImpresso_Email})
        for (const LinhaDanfe &linha : grade->linhas)
            linhas[std::to_string(linha.nroNota) + " " + linha.serie] =
                std::to_string(linha.status) + " " + linha.desStatus;
    (void)modulo;
    return linhas;
}

} // namespace

int runMonitorRunVerb(std::span<const std::string> args)
{
    std::vector<std::string> posicionais;
    std::string copias;
    int limite = 120;
    bool ok = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if ((args[i] == "--copies" || args[i] == "--timeout") && i + 1 < args.size()) {
            const std::string valor = args[++i];
            if (args[i - 1] == "--copies")
                copias = valor;
            else
                ok = ok && !SomenteNumeros(valor).empty() && SomenteNumeros(valor) == valor &&
                     (limite = std::stoi(valor)) > 0;
        } else if (args[i].starts_with("--")) {
            ok = false;
        } else {
            posicionais.push_back(args[i]);
        }
    }
    if (!ok || posicionais.size() != 2) {
        std::fprintf(stderr, "nfe-check monitor-run: expected <module db> <notes.json> [--copies <n>] "
                             "[--timeout <s>]\n");
        return 2;
    }
    TabelasNotas tabelas;
    try {
        testsupport::loadStagedNotesFile(posicionais[1], tabelas);
    } catch (const testsupport::StagedNotesError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
    std::string pastaCidades = std::filesystem::absolute(posicionais[1]).parent_path().string() + "/";
    if (!std::filesystem::exists(pastaCidades + "Tabela_Cidades_IBGE.txt"))
        pastaCidades = PastaPrograma();
    auto anteriores = instalaDialogos(std::make_unique<DialogosDoTerminal>(copias));
    int saida = 1;
    try {
        ModuloAvulso banco(posicionais[0]);
        TfrmNFE_2G tela(banco.modulo(), tabelas, pastaCidades);
        tela.OnGerarLog = [](const std::string &linha) { std::cerr << linha << "\n"; };
        tela.AbreArquivoNoShell = [](const std::string &arquivo) { std::cerr << "PDF: " << arquivo << "\n"; };
        tela.FormActivate();
        std::map<std::string, std::string> vistos;
        const auto mostra = [&] {
            tela.AbreGrades();
            for (const auto &[nota, estado] : estados(banco.modulo(), tela))
                if (vistos[nota] != estado) {
                    vistos[nota] = estado;
                    std::cout << nota << " " << estado << std::endl;
                }
        };
        mostra();
        const auto fim = std::chrono::steady_clock::now() + std::chrono::seconds(limite);
        // A run that ended unsent with nothing waiting stays so: the window
        // would wait for the operator, the verb has none.
        const auto encerrada = [&] {
            return tela.ModalResult == 1 ||
                   (tela.ConcluidoVisivel && tela.lblConcluido == "Nota fiscal eletrônica não enviada" &&
                    tela.qryEnviadas.vazia() && tela.qryDanfe.vazia());
        };
        while (!encerrada() && std::chrono::steady_clock::now() < fim) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            if (tela.TimerNotaAtivo)
                tela.TimerNotaTimer();
            if (tela.TimerDanfeAtivo)
                tela.TimerDanfeTimer();
            if (tela.TimerEmailAtivo)
                tela.TimerEmailTimer();
            mostra();
            if (tela.TimerFechaAtivo)
                tela.TimerFechaTimer();
        }
        std::cout << (tela.ConcluidoVisivel ? tela.lblConcluido : "Nota fiscal eletrônica não concluída")
                  << std::endl;
        if (tela.ConcluidoVisivel && tela.lblConcluido == "Nota fiscal eletrônica enviada com sucesso") {
            saida = 0;
        } else {
            for (const auto &[nota, estado] : vistos)
                if (estado.starts_with("1 ") || estado.starts_with("2 ") || estado.starts_with("3 "))
                    std::cerr << "aguardando: nota " << nota << " " << estado << "\n";
        }
        tela.FormClose();
    } catch (const ProgramError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        saida = 1;
    }
    instalaDialogos(std::move(anteriores));
    return saida;
}
