#include "app/dados/primeira_partida.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dados/esquema_base.h"
#include "app/dados/frm_create_file.h"
#include "app/db/database.h"
#include "app/db/statement.h"
#include "app/db/transaction.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/regional/localiza_ini.h"
#include "foundation/files/ini_file.h"
#include "foundation/files/windows_paths.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char *kMarcaTemporaria = ".criando";

bool existe(const std::string &caminho)
{
    std::error_code erro;
    return fs::exists(caminho, erro);
}

// "DanfeNFE.kvl" -> "DanfeNFE.<pid>.criando.kvl": the extension stays last,
// so the data modules take the name as a full file name.
std::string nomeTemporario(const fs::path &real)
{
    return (real.parent_path() / (real.stem().string() + "." + std::to_string(getpid()) + kMarcaTemporaria +
                                  real.extension().string()))
        .string();
}

// The temporary files of `real` left by a first start that was killed: its
// process no longer runs.
void removeRestosAbandonados(const fs::path &real)
{
    const std::string prefixo = real.stem().string() + ".";
    const std::string sufixo = std::string(kMarcaTemporaria) + real.extension().string();
    std::error_code erro;
    for (const fs::directory_entry &entrada : fs::directory_iterator(real.parent_path(), erro)) {
        const std::string nome = entrada.path().filename().string();
        if (nome.size() <= prefixo.size() + sufixo.size() || !nome.starts_with(prefixo) ||
            !nome.ends_with(sufixo))
            continue;
        const std::string pid = nome.substr(prefixo.size(), nome.size() - prefixo.size() - sufixo.size());
        if (pid.find_first_not_of("0123456789") != std::string::npos || pid.size() > 9)
            continue;
        if (kill(static_cast<pid_t>(std::stol(pid)), 0) != 0 && errno == ESRCH)
            fs::remove(entrada.path(), erro);
    }
}

void criaPasta(const fs::path &pasta)
{
    std::error_code erro;
    fs::create_directories(pasta, erro);
    if (erro)
        throw ErroPrimeiraPartida("Não foi possível criar a pasta " + pasta.string() + ": " + erro.message());
}

void sincronizaPasta(const fs::path &pasta)
{
    const int fd = open(pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

// Gives the complete file in `temporario` its real name, unless a file
// already carries it (another start made it meanwhile: that one is kept).
void publica(const std::string &temporario, const std::string &real)
{
    if (renameat2(AT_FDCWD, temporario.c_str(), AT_FDCWD, real.c_str(), RENAME_NOREPLACE) != 0) {
        const int causa = errno;
        if (causa != EEXIST)
            throw ErroPrimeiraPartida("Não foi possível dar o nome " + real +
                                      " ao banco de dados criado: " + std::strerror(causa));
        std::error_code ignorado;
        fs::remove(temporario, ignorado);
    }
    sincronizaPasta(fs::path(real).parent_path());
}

// Files removed when the creation does not reach its end.
class Temporarios {
  public:
    ~Temporarios()
    {
        std::error_code ignorado;
        for (const std::string &arquivo : arquivos_)
            fs::remove_all(arquivo, ignorado);
    }
    const std::string &adiciona(std::string arquivo) { return arquivos_.emplace_back(std::move(arquivo)); }

  private:
    std::vector<std::string> arquivos_;
};

// Runs `passo`, turning its failure into one naming `arquivo`.
void criando(const std::string &arquivo, const std::function<void()> &passo)
{
    try {
        passo();
    } catch (const ErroPrimeiraPartida &) {
        throw;
    } catch (const std::exception &erro) {
        throw ErroPrimeiraPartida("Não foi possível criar " + arquivo + ": " + erro.what());
    }
}

void criaBanco(const std::string &arquivo, const std::vector<std::string_view> &esquema,
               const std::function<void(db::Transaction &)> &depois = {})
{
    db::Database banco = db::Database::create(arquivo);
    db::Transaction transacao(banco);
    criaEsquema(transacao, esquema);
    if (depois)
        depois(transacao);
    transacao.commit();
}

// Puts the installed dialogs back when the update is over; meanwhile the
// update steps' notices go to standard error.
class AvisosNoTerminal {
  public:
    AvisosNoTerminal() : anteriores_(instalaDialogos(nullptr)) {}
    ~AvisosNoTerminal() { instalaDialogos(std::move(anteriores_)); }
    AvisosNoTerminal(const AvisosNoTerminal &) = delete;
    AvisosNoTerminal &operator=(const AvisosNoTerminal &) = delete;

  private:
    std::unique_ptr<Dialogos> anteriores_;
};

// One run of the schema updater on `modulo`, reached as the start-up would:
// through the management database `gerencia` and an INI naming it, which
// lives in a private folder for the run.
void atualizaModulo(const std::string &gerencia, const std::string &modulo, Temporarios &temporarios)
{
    std::string modelo = (fs::temp_directory_path() / "nfe-primeira-partida-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr)
        throw ErroPrimeiraPartida("Não foi possível criar uma pasta temporária em " +
                                  fs::temp_directory_path().string() + ": " + std::strerror(errno));
    const std::string pastaIni = temporarios.adiciona(modelo) + "/";
    IniFile(pastaIni + std::string(kArquivoIniAplicacao)).WriteString("IBGERENCIA", "PATH IB", gerencia);

    AvisosNoTerminal avisos;
    TdtmGerencia dadosGerencia(pastaIni);
    TdtmNFE_grd dadosModulo(dadosGerencia);
    dadosModulo.setDatabaseName(modulo);
    TfrmCreateFile atualizador(dadosModulo);
    atualizador.Executa_as_Atiualizacao();
    if (atualizador.Falha)
        throw ErroPrimeiraPartida("A atualização " + ZerosEsquerda(atualizador.Falha->numero, 3) +
                                  " do banco de dados " + modulo + " falhou: " + atualizador.Falha->mensagem);
}

} // namespace

BancosPrimeiraPartida CriaBancosPrimeiraPartida()
{
    const std::string pastaIni = LocalizaIni();
    BancosPrimeiraPartida bancos;
    bancos.ini = localPath(pastaIni + std::string(kArquivoIniAplicacao));
    bancos.modulo = localPath(std::string(kPastaBancoModulo) + TdtmNFE_grd::kArquivoPadrao);
    bancos.gerencia = localPath(std::string(kPastaBancoGerencia) + TdtmGerencia::kArquivoPadrao);
    if (existe(bancos.ini))
        return bancos;

    const bool faltaModulo = !existe(bancos.modulo);
    const bool faltaGerencia = !existe(bancos.gerencia);
    Temporarios temporarios;
    if (faltaModulo || faltaGerencia) {
        // The management database is built first, since the update of the
        // module reaches it through one; it gets its real name last.
        criaPasta(fs::path(bancos.gerencia).parent_path());
        removeRestosAbandonados(bancos.gerencia);
        const std::string gerencia = temporarios.adiciona(nomeTemporario(bancos.gerencia));
        criando(bancos.gerencia, [&] {
            criaBanco(gerencia, esquemaBaseGerencia(), [](db::Transaction &t) {
                db::executeSql(
                    t, "INSERT INTO PATHIB (ALIAS_IB, SERVIDOR_IB, PATH_IB, COD_EMP) VALUES (?, ?, ?, 0)",
                    {db::Value(TdtmNFE_grd::kAliasBanco), db::Value("localHost:"),
                     db::Value(kPastaBancoModulo)});
            });
        });
        if (faltaModulo) {
            criaPasta(fs::path(bancos.modulo).parent_path());
            removeRestosAbandonados(bancos.modulo);
            const std::string modulo = temporarios.adiciona(nomeTemporario(bancos.modulo));
            criando(bancos.modulo, [&] {
                criaBanco(modulo, esquemaBaseModulo());
                atualizaModulo(gerencia, modulo, temporarios);
            });
            publica(modulo, bancos.modulo);
        }
        if (faltaGerencia)
            publica(gerencia, bancos.gerencia);
    }

    criando(bancos.ini, [&] {
        criaPasta(fs::path(bancos.ini).parent_path());
        IniFile(pastaIni + std::string(kArquivoIniAplicacao))
            .WriteString("IBGERENCIA", "PATH IB", std::string("localHost:") + kPastaBancoGerencia);
    });
    bancos.criados = true;
    return bancos;
}
