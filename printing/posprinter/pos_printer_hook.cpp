#include "printing/posprinter/pos_printer.h"

#include "foundation/text/text_utils.h"

void TQuibPosPrinter::ConfigurarHookUSB()
{
    if (!device_.EhHook()) {
        LiberarHookUSB();
        return;
    }
    const std::string porta = upperAscii(device_.Porta());
    const std::size_t doisPontos = porta.find(':');
    std::string marca =
        doisPontos == std::string::npos ? std::string() : std::string(trimText(porta.substr(doisPontos + 1)));
    if (marca.empty()) {
        for (const auto &classe : HooksRegistrados())
            if (classe.BibliotecaExiste && classe.BibliotecaExiste()) {
                marca = classe.Marca;
                break;
            }
        if (marca.empty())
            throw EPosPrinterException("Nenhuma biblioteca de modo USB encontrada");
    }
    if (hookUSB_) {
        if (hookUSB_->Marca() == marca)
            return;
        LiberarHookUSB();
    }
    const TQuibPosPrinterHookClasse *escolhida = nullptr;
    for (const auto &classe : HooksRegistrados())
        if (classe.Marca == marca) {
            escolhida = &classe;
            break;
        }
    if (escolhida == nullptr)
        throw EPosPrinterException("Marca " + marca + ", não tem suporte em modo USB");
    hookUSB_ = escolhida->Criar();

    SetModelo(static_cast<TQuibPosPrinterModelo>(hookUSB_->Modelo()));
    try {
        hookUSB_->Inicializar();
    } catch (...) {
        hookUSB_.reset();
        throw;
    }
    device_.hookAtivar = [this](const std::string &portaHook, const std::string &) {
        if (hookUSB_)
            hookUSB_->Conectar(portaHook);
    };
    device_.hookDesativar = [this](const std::string &) {
        if (hookUSB_)
            hookUSB_->Desconectar();
    };
    device_.hookEnviaString = [this](const std::string &dados) {
        if (hookUSB_)
            hookUSB_->EnviarDados(dados);
    };
    device_.hookLeString = [this](int quantidade, int timeOut, std::string &retorno) {
        if (hookUSB_)
            retorno = hookUSB_->LerDados(quantidade, timeOut);
    };
}

void TQuibPosPrinter::LiberarHookUSB()
{
    device_.hookAtivar = nullptr;
    device_.hookDesativar = nullptr;
    device_.hookEnviaString = nullptr;
    device_.hookLeString = nullptr;
    hookUSB_.reset();
}
