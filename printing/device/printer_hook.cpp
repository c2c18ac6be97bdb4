#include "printing/device/printer_hook.h"

#include <algorithm>
#include <filesystem>

#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"

namespace {

std::string &pastaRedirecionada()
{
    static std::string pasta;
    return pasta;
}

// The name the loader is given: the Windows name alone (the program's folder
// first, then the system's search) or inside the redirected folder.
std::string nomeParaCarregar(std::string_view nomeBiblioteca)
{
    if (pastaRedirecionada().empty())
        return std::string(nomeBiblioteca);
    return pastaRedirecionada() + std::string(nomeBiblioteca);
}

std::vector<TQuibPosPrinterHookClasse> &registro()
{
    static std::vector<TQuibPosPrinterHookClasse> classes;
    return classes;
}

} // namespace

void TQuibPosPrinterHook::VerificarInicializada() const
{
    if (!Inicializada())
        throw EQuibPosPrinterHook(NomeClasse() + " não foi inicializada");
}

void TQuibPosPrinterHook::VerificarConectada() const
{
    if (!Conectada())
        throw EQuibPosPrinterHook("Não conectado a impressora " + Marca());
}

void *TQuibPosPrinterHook::enderecoDaFuncao(const char *nome)
{
    void *endereco = nullptr;
    void *modulo = nullptr;
    const bool achou = LocalizaFuncaoDLLModulo(nomeParaCarregar(NomeBiblioteca()), nome, endereco, modulo);
    if (modulo != nullptr)
        ++referencias_;
    if (!achou)
        throw EQuibPosPrinterHook(TextoNativo("Erro ao carregar a função: " + std::string(nome) +
                                              " na Biblioteca: " + NomeBiblioteca()));
    return endereco;
}

void TQuibPosPrinterHook::LiberarBiblioteca()
{
    const std::string nome = nomeParaCarregar(NomeBiblioteca());
    for (; referencias_ > 0; --referencias_)
        LiberaDLL(nome);
}

void TQuibPosPrinterHook::LiberarFuncoes()
{
    if (inicializada_)
        LiberarBiblioteca();
}

void TQuibPosPrinterHook::FinalizarSemErros() noexcept
{
    try {
        Finalizar();
        return;
    } catch (...) {
    }
    try {
        porta_.clear();
        conectada_ = false;
        LiberarFuncoes();
    } catch (...) {
    }
    inicializada_ = false;
}

void TQuibPosPrinterHook::Inicializar()
{
    if (inicializada_)
        return;
    try {
        CarregarFuncoes();
    } catch (...) {
        LiberarBiblioteca(); // the loads of the functions bound before the failure
        throw;
    }
    inicializada_ = true;
    conectada_ = false;
    porta_.clear();
}

void TQuibPosPrinterHook::Finalizar()
{
    if (!inicializada_)
        return;
    Desconectar();
    LiberarFuncoes();
    inicializada_ = false;
}

void TQuibPosPrinterHook::Conectar(const std::string &porta)
{
    if (conectada_)
        return;
    const std::string inicio = upperAscii(std::string_view(porta).substr(0, 3));
    porta_ = inicio.size() == 3 && std::string_view("USB|DLL").find(inicio) != std::string_view::npos ? "USB"
                                                                                                      : porta;
    VerificarInicializada();
    conectada_ = true;
}

void TQuibPosPrinterHook::Desconectar()
{
    if (!conectada_)
        return;
    porta_.clear();
    conectada_ = false;
}

void TQuibPosPrinterHook::EnviarDados(const std::string &)
{
    VerificarConectada();
}

std::string TQuibPosPrinterHook::LerDados(int, int)
{
    VerificarConectada();
    return {};
}

std::string PastaBibliotecasHook()
{
    return pastaRedirecionada().empty() ? PastaDoPrograma() : pastaRedirecionada();
}

void DefinirPastaBibliotecasHook(std::string pasta)
{
    pastaRedirecionada() = pasta.empty() ? std::string() : IncluiBarraFinal(pasta);
}

bool BibliotecaHookExiste(std::string_view nomeBiblioteca)
{
    std::error_code erro;
    return std::filesystem::is_regular_file(PastaBibliotecasHook() + linuxLibraryName(nomeBiblioteca), erro);
}

const std::vector<TQuibPosPrinterHookClasse> &HooksRegistrados()
{
    return registro();
}

void RegistrarHook(TQuibPosPrinterHookClasse classe)
{
    auto &classes = registro();
    if (std::none_of(classes.begin(), classes.end(),
                     [&](const TQuibPosPrinterHookClasse &c) { return c.Marca == classe.Marca; }))
        classes.push_back(std::move(classe));
}

void LimparHooksRegistrados()
{
    registro().clear();
}
