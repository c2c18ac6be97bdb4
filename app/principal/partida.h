#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The start-up of the program, step by step, over the steps a program (or a
// test) supplies:
//   0. the databases of a first start (an error there is shown and the
//      program ends with 1: without them no login can work);
//   1-2. the splash with the program and version texts;
//   3. the login, run modally; no level means the login ended the program
//      (the result is then 0 and nothing else is created);
//   4-6. the splash repainted, the level kept, the application initialised;
//   7. the creations, in the order given: an error of one is shown and the
//      next one goes on;
//   8. the level handed to the management module;
//   9. the splash hidden and freed;
//  10. the message loop, whose result is the program's.
// Implemented in partida.cpp.
class PassosPartida {
  public:
    static constexpr const char *kPrograma = "Configurador de NFE KVL";
    static constexpr const char *kVersao = "Versão 2023.1101 4.0";
    static constexpr int kMaximoProgresso = 7;

    struct Criacao {
        std::string nome; // the class created ("TfrmPrincipal")
        std::function<void()> cria;
    };

    virtual ~PassosPartida() = default;
    virtual void criaBancos() = 0;
    virtual void mostraSplash(const std::string &programa, const std::string &versao, int maximo) = 0;
    virtual std::optional<int> login() = 0;
    virtual void repintaSplash() = 0;
    virtual void inicializa() = 0;
    virtual std::vector<Criacao> criacoes() = 0;
    virtual void entregaNivel(int nivel) = 0;
    virtual void fechaSplash() = 0;
    virtual int executaLaco() = 0;
    // Shows an error no step caught.
    virtual void mostraErro(const std::exception &erro) = 0;
};

int ExecutaPartida(PassosPartida &passos);
