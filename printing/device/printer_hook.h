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
// Errors are EQuibPosPrinterHook. The registry of hook classes is filled by
// an explicit start-up call and read in registration order. Implemented in
// printer_hook.cpp.

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
    virtual void LiberarFuncoes() {}
    void DefinirInicializada(bool valor) { inicializada_ = valor; }
    void DefinirConectada(bool valor) { conectada_ = valor; }
    void DefinirPorta(std::string valor) { porta_ = std::move(valor); }

  private:
    bool inicializada_ = false;
    bool conectada_ = false;
    std::string porta_;
};

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
