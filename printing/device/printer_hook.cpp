#include "printing/device/printer_hook.h"

#include <algorithm>

#include "foundation/text/text_utils.h"

namespace {

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

void TQuibPosPrinterHook::Inicializar()
{
    if (inicializada_)
        return;
    CarregarFuncoes();
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
