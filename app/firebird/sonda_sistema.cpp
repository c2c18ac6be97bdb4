#include "app/firebird/sonda_firebird.h"

#include "foundation/files/user_registry.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace fs = std::filesystem;

namespace {

std::function<void()> &bomba()
{
    static std::function<void()> pump;
    return pump;
}

void semEfeito(int) {}

// The guard tells the process that started it that its server is ready with
// SIGUSR1 (through FB_SIGNAL_PROCESS), whose default action ends the
// process. A handler that does nothing is put in place unless one is there
// already; unlike an ignored signal, it is not passed on to started programs.
void aceitaAvisoDoGuarda()
{
    struct sigaction atual {};
    if (sigaction(SIGUSR1, nullptr, &atual) != 0 || atual.sa_handler != SIG_DFL ||
        (atual.sa_flags & SA_SIGINFO) != 0)
        return;
    struct sigaction nova {};
    nova.sa_handler = semEfeito;
    nova.sa_flags = SA_RESTART;
    sigemptyset(&nova.sa_mask);
    sigaction(SIGUSR1, &nova, nullptr);
}

// Runs a program with its output read into `saida`; its exit status, or -1
// when it cannot be run.
int executa(const std::vector<std::string> &argumentos, std::string &saida,
            const std::vector<std::string> &ambienteExtra = {}, bool espera = true, pid_t *pid = nullptr)
{
    int tubo[2] = {-1, -1};
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    if (espera) {
        if (pipe2(tubo, O_CLOEXEC) != 0)
            return -1;
        posix_spawn_file_actions_adddup2(&acoes, tubo[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&acoes, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    }
    std::vector<char *> argv;
    for (const auto &a : argumentos)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> ambiente(ambienteExtra);
    for (char **e = environ; *e; ++e) {
        const std::string item(*e);
        bool substituido = false;
        for (const auto &extra : ambienteExtra)
            substituido |= item.compare(0, extra.find('=') + 1, extra, 0, extra.find('=') + 1) == 0;
        if (!substituido)
            ambiente.push_back(item);
    }
    std::vector<char *> envp;
    for (auto &e : ambiente)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    pid_t filho = 0;
    const int erro = posix_spawnp(&filho, argv[0], &acoes, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&acoes);
    if (espera)
        close(tubo[1]);
    if (erro != 0) {
        if (espera)
            close(tubo[0]);
        return -1;
    }
    if (pid)
        *pid = filho;
    if (!espera)
        return 0;
    char bloco[512];
    ssize_t lidos = 0;
    while ((lidos = read(tubo[0], bloco, sizeof bloco)) > 0)
        saida.append(bloco, static_cast<std::size_t>(lidos));
    close(tubo[0]);
    int status = 0;
    waitpid(filho, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string propriedade(std::string_view servico, const char *nome)
{
    std::string saida;
    if (executa({"systemctl", "show", "-p", nome, "--value", std::string(servico)}, saida) != 0)
        throw std::runtime_error("Unable to get " + std::string(servico) + " status");
    while (!saida.empty() && (saida.back() == '\n' || saida.back() == ' '))
        saida.pop_back();
    return saida;
}

class SondaSistema : public SondaFirebird {
  public:
    std::int64_t agoraMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void espera(int ms) override
    {
        const auto fim = agoraMs() + ms;
        do {
            processaEventos();
            const auto falta = fim - agoraMs();
            if (falta > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(std::min<std::int64_t>(falta, 20)));
        } while (agoraMs() < fim);
    }
    void processaEventos() override
    {
        if (bomba())
            bomba()();
    }

    bool servicoExiste(std::string_view servico) override
    {
        try {
            return propriedade(servico, "LoadState") == "loaded";
        } catch (const std::runtime_error &) {
            return false;
        }
    }
    int estadoServico(std::string_view servico) override
    {
        const std::string estado = propriedade(servico, "ActiveState");
        if (estado == "active" || estado == "reloading")
            return 4;
        if (estado == "activating")
            return 2;
        if (estado == "deactivating")
            return 3;
        return 1;
    }
    bool iniciaServico(std::string_view servico) override { return pede("start", servico); }
    bool paraServico(std::string_view servico) override { return pede("stop", servico); }

    bool arquivoExiste(std::string_view arquivo) override
    {
        std::error_code erro;
        return fs::is_regular_file(fs::path(arquivo), erro);
    }
    std::string registro(std::string_view chave, std::string_view nome) override
    {
        return registryReadString(chave, nome, "");
    }
    std::optional<pid_t> procuraProcesso(std::string_view programa) override
    {
        recolheFilhos();
        std::error_code erro;
        const fs::path alvo = fs::weakly_canonical(fs::path(programa), erro);
        for (const auto &entrada : fs::directory_iterator("/proc", erro)) {
            const std::string nome = entrada.path().filename().string();
            if (nome.find_first_not_of("0123456789") != std::string::npos)
                continue;
            std::error_code semAcesso;
            const fs::path exe = fs::read_symlink(entrada.path() / "exe", semAcesso);
            if (!semAcesso && exe == alvo)
                return static_cast<pid_t>(std::stol(nome));
        }
        return std::nullopt;
    }
    pid_t iniciaPrograma(std::string_view programa, std::string_view parametros, std::string_view variavel,
                         std::string_view valor) override
    {
        std::vector<std::string> argumentos{std::string(programa)};
        std::istringstream partes{std::string(parametros)};
        for (std::string parte; partes >> parte;)
            argumentos.push_back(parte);
        std::vector<std::string> extra;
        if (!variavel.empty())
            extra.push_back(std::string(variavel) + "=" + std::string(valor));
        std::string nada;
        pid_t pid = 0;
        aceitaAvisoDoGuarda();
        if (executa(argumentos, nada, extra, false, &pid) != 0)
            return 0;
        filhos_.insert(pid);
        return pid;
    }
    bool processoVivo(pid_t pid) override
    {
        recolheFilhos();
        return kill(pid, 0) == 0 || errno == EPERM;
    }
    void pedeFim(pid_t pid) override { kill(pid, SIGTERM); }
    bool portaAceita(int porta) override
    {
        const int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(porta));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool aceita = s >= 0 && connect(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
        if (s >= 0)
            close(s);
        return aceita;
    }
    std::string leArquivo(std::string_view arquivo) override
    {
        std::ifstream entrada{std::string(arquivo)};
        return {std::istreambuf_iterator<char>(entrada), {}};
    }

  private:
    static bool pede(const char *acao, std::string_view servico)
    {
        std::string saida;
        return executa({"systemctl", acao, "--no-ask-password", std::string(servico)}, saida) == 0;
    }
    // The programs this process started are its children: reaping the ended
    // ones lets them leave the process table.
    void recolheFilhos()
    {
        for (auto i = filhos_.begin(); i != filhos_.end();) {
            int status = 0;
            i = waitpid(*i, &status, WNOHANG) != 0 ? filhos_.erase(i) : std::next(i);
        }
    }
    std::set<pid_t> filhos_;
};

} // namespace

SondaFirebird &sondaDoSistema()
{
    static SondaSistema sonda;
    return sonda;
}

void instalaProcessaEventos(std::function<void()> pump)
{
    bomba() = std::move(pump);
}
