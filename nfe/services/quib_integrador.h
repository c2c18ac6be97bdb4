#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/base/base_classes.h"
#include "foundation/base/quib_exception.h"
#include "foundation/xml/gerador.h"

class TQuibIntegrador;

// Refusals of the Integrador client (no method name, no reply, the reply's
// own error text).
class EIntegradorException : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

// Failures of the file exchange (a command file that cannot be written or
// renamed, no reply before the deadline).
class EComandoIntegradorException : public EQuibException {
  public:
    using EQuibException::EQuibException;
};

// (log line, handled): a handler that sets handled keeps the line out of ArqLOG.
using TQuibIntegradorGravarLog = std::function<void(std::string_view ALogLine, bool &Tratado)>;
// Lets the application choose the session number (in: the random one).
using TQuibIntegradorGetNumeroSessao = std::function<void(int &NumeroSessao)>;

// The parts of a reply file that the client reads.
struct TIntegradorResposta {
    int Identificador = 0;
    std::string Codigo;
    std::string Valor;

    // Reads Identificador/valor and IntegradorResposta/Codigo and Valor of an
    // "Integrador" element; fields absent from the text keep their values.
    void LerResposta(std::string_view texto);
};

// The file exchange with the Integrador: command files written into
// PastaInput (as ".tmp", then renamed to ".xml", so the Integrador never sees
// a half-written one), reply files looked for in PastaOutput ("*.xml" in any
// letter case, taken when their Identificador/Valor is the session number and
// deleted once read), copies of both in PastaBackup + "yyyymmdd/".
//
// Folders are stored texts (Windows paths such as "C:\Integrador\Input\" stay
// as given) and are mapped to Linux paths when a file is opened. Every wait
// goes through the program's injectable clock and sleep.
//
// Errors: EComandoIntegradorException, logged first through the owner's log.
class TComandoIntegrador {
  public:
    explicit TComandoIntegrador(TQuibIntegrador &owner);

    // A path separator is appended when missing ("\" for a path written with
    // backslashes, else "/").
    const std::string &PastaInput() const { return pastaInput_; }
    void SetPastaInput(std::string_view value);
    const std::string &PastaOutput() const { return pastaOutput_; }
    void SetPastaOutput(std::string_view value);
    // Empty: no copies.
    std::string PastaBackup;
    // Seconds; any value of 25 or less waits 25.
    int Timeout = 30;

    bool ErroTimeout() const { return erroTimeout_; }
    const std::string &Erro() const { return erro_; }
    const std::string &RespostaTexto() const { return respostaTexto_; }
    const TIntegradorResposta &IntegradorResposta() const { return resposta_; }

    void Limpar();
    // Writes the command and waits for the reply of the session (time-out 0:
    // Timeout). The whole reply when its Codigo is "EE", else ExtrairRetorno.
    std::string EnviarComando(int sessao, std::string_view nomeBase, int timeout, std::string_view comando);
    // Writes name + ".tmp", renames it to name + ".xml" and returns that name.
    std::string CriarArquivo(std::string_view nome, std::string_view texto);
    void GravarBackup(std::string_view nome, std::string_view texto);
    // The trimmed text of the session's reply file (deleted), or empty.
    std::string AguardaArqResposta(int sessao);
    // The "retorno" (else "Resposta") content; an "Erro" element goes to Erro.
    std::string ExtrairRetorno(std::string_view resposta);

  private:
    [[noreturn]] void LancarErro(const std::string &mensagem);

    TQuibIntegrador &owner_;
    std::string pastaInput_;
    std::string pastaOutput_;
    bool erroTimeout_ = false;
    std::string erro_;
    std::string respostaTexto_;
    TIntegradorResposta resposta_;
};

// The client of the fiscal Integrador, a separate program that exchanges XML
// files through folders. ExecutarComando writes one command (session number,
// component, method, parameters) and blocks until the reply carrying the same
// session number arrives or the time-out passes. Linked to a fiscal-document
// component (TQuibDFe::SetIntegrador), it carries the NFC-e web-service
// requests.
//
// One command at a time, on the caller's thread. Parameters and the method
// name stay until LimparParametros.
//
// Implemented in quib_integrador.cpp (commands, log) and
// comando_integrador.cpp (the file exchange).
class TQuibIntegrador : public TQuibComponent {
  public:
    TQuibIntegrador();
    ~TQuibIntegrador() override;

    TComandoIntegrador &ComandoIntegrador() { return *comando_; }
    const std::string &PastaInput() const { return comando_->PastaInput(); }
    void SetPastaInput(std::string_view value) { comando_->SetPastaInput(value); }
    const std::string &PastaOutput() const { return comando_->PastaOutput(); }
    void SetPastaOutput(std::string_view value) { comando_->SetPastaOutput(value); }
    const std::string &PastaBackup() const { return comando_->PastaBackup; }
    void SetPastaBackup(std::string_view value) { comando_->PastaBackup = value; }
    int Timeout() const { return comando_->Timeout; }
    void SetTimeout(int value) { comando_->Timeout = value; }
    bool ErroTimeout() const { return comando_->ErroTimeout(); }

    std::string ArqLOG;
    TQuibIntegradorGravarLog OnGravarLog;
    TQuibIntegradorGetNumeroSessao OnGetNumeroSessao;

    int NumeroSessao = 0;
    std::string NomeComponente;
    std::string NomeMetodo;
    // "name=value" lines, in order.
    std::vector<std::string> Parametros;
    // The last reply split at every "|".
    std::vector<std::string> Resposta;

    // Sets the value of a parameter (appended when new).
    void SetParametro(std::string_view nome, std::string_view valor);
    std::string Parametro(std::string_view nome) const;

    void LimparParametros();
    // "H" + name in homologation.
    void DefinirNomeMetodo(std::string_view nome, bool homologacao);
    // Runs one command (with "numeroSessao=<session>" as the first parameter
    // when asked) and returns the reply; fills Resposta. Raises
    // EIntegradorException ("NomeMetodo não definido", "Sem resposta do
    // Integrador" or the reply's Erro text) and the exchange's errors.
    std::string ExecutarComando(bool numeroSessaoNosParametros = false);
    std::string MontarXMLComando();
    int GerarNumeroSessao();

    // OnGravarLog; unless handled, "dd/mm/yy hh:nn:ss:zzz - line" to ArqLOG.
    void GravarLog(std::string_view linha);

  private:
    [[noreturn]] void LancarErro(const std::string &mensagem);

    TGerador gerador_;
    std::unique_ptr<TComandoIntegrador> comando_;
};
