#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/base/quib_exception.h"

// A printer driven through its vendor's own library instead of a port: the
// hook wraps the library behind initialise, connect, send, read and
// disconnect, and the POS printer component plugs it into the device's hook
// transport for "DLL" ports. This base class talks to no library: it only
// keeps the state and refuses use before initialisation or connection.
//
// Errors are EQuibPosPrinterHook; a port the library refuses to open, close
// or write raises EQuibDeviceError. The vendor libraries are looked for in
// the hooks' library folder (the program's folder unless redirected). The
// registry of hook classes is filled by an explicit start-up call
// (RegistrarHooksUSB, usb_printer_hooks.h) and read in registration order.
// Implemented in printer_hook.cpp.

class EQuibPosPrinterHook : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

class TQuibPosPrinterHook {
  public:
    TQuibPosPrinterHook() = default;
    TQuibPosPrinterHook(const TQuibPosPrinterHook &) = delete;
    TQuibPosPrinterHook &operator=(const TQuibPosPrinterHook &) = delete;
    // Derived hooks call Finalizar in their own destructor, while their
    // library is still bound.
    virtual ~TQuibPosPrinterHook() = default;

    virtual std::string NomeClasse() const { return "TQuibPosPrinterHook"; }
    virtual std::string Marca() const { return "NONE"; }
    virtual std::string NomeBiblioteca() const { return {}; }
    // The POS printer model ordinal whose writer suits the vendor's printers
    // (1: ESC/POS).
    virtual int Modelo() const { return 1; }
    const std::string &Porta() const { return porta_; }

    virtual bool Inicializada() const { return inicializada_; }
    virtual bool Conectada() const { return conectada_; }
    // Raises "<class> não foi inicializada".
    void VerificarInicializada() const;
    // Raises "Não conectado a impressora <brand>".
    void VerificarConectada() const;

    virtual void Inicializar();
    virtual void Finalizar();
    // "USB" goes to the library for ports beginning with "USB" or "DLL".
    virtual void Conectar(const std::string &porta);
    virtual void Desconectar();
    virtual void EnviarDados(const std::string &dados);
    virtual std::string LerDados(int quantidade, int timeOut);

  protected:
    virtual void CarregarFuncoes() {}
    // When initialised, gives back every reference the bindings took on the
    // library.
    virtual void LiberarFuncoes();
    // Binds the named function of the library; raises "Erro ao carregar a
    // função: <function> na Biblioteca: <library>" with the binding cleared.
    template <class Funcao> void CarregarFuncao(const char *nome, Funcao *&funcao)
    {
        funcao = nullptr;
        funcao = reinterpret_cast<Funcao *>(enderecoDaFuncao(nome));
    }
    // Gives back every load of the library the bindings took.
    void LiberarBiblioteca();
    // Finalizar for destructors: a library that refuses to close the port
    // still has its port forgotten and its library released.
    void FinalizarSemErros() noexcept;
    void DefinirInicializada(bool valor) { inicializada_ = valor; }
    void DefinirConectada(bool valor) { conectada_ = valor; }
    void DefinirPorta(std::string valor) { porta_ = std::move(valor); }

  private:
    void *enderecoDaFuncao(const char *nome);

    bool inicializada_ = false;
    bool conectada_ = false;
    std::string porta_;
    int referencias_ = 0; // library loads taken by the bindings
};

// The folder where the hooks look for their vendor libraries, ending in "/":
// the program's folder unless redirected. An empty folder goes back to the
// program's folder. Set it before hooks are initialised.
std::string PastaBibliotecasHook();
void DefinirPastaBibliotecasHook(std::string pasta);
// Whether the Linux file of a vendor library (its Windows name mapped, see
// linuxLibraryName) is in that folder.
bool BibliotecaHookExiste(std::string_view nomeBiblioteca);

// A hook class of the registry: its brand, whether its library is present
// and how to create a hook object.
struct TQuibPosPrinterHookClasse {
    std::string Marca;
    bool (*BibliotecaExiste)() = nullptr;
    std::unique_ptr<TQuibPosPrinterHook> (*Criar)() = nullptr;
};

// The registered hook classes in registration order.
const std::vector<TQuibPosPrinterHookClasse> &HooksRegistrados();
// Appends the class unless one of the same brand is registered.
void RegistrarHook(TQuibPosPrinterHookClasse classe);
void LimparHooksRegistrados();
