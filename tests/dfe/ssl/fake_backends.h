#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "dfe/ssl/backend_registry.h"
#include "dfe/ssl/dfe_ssl.h"

// Back-ends of the facade's tests, registered for choices that no real
// back-end of this build takes (cryCapicom, httpWinINet, xsMsXml) while a
// FakeBackends object lives; the previous registrations come back afterwards.
namespace dfetest {

// A crypt back-end whose "PFX" is the text "PFX;<CNPJ>;<days to expiry>".
// CalcHash answers the bytes read (signed: "SIG:" in front).
class FakeCrypt : public TDFeSSLCryptClass {
  public:
    using TDFeSSLCryptClass::TDFeSSLCryptClass;
    std::string_view NomeClasse() const override { return "FakeCrypt"; }
    void CarregarCertificadoDeDadosPFX() override;
    void PreencherDadosCertificado() override;
    std::string CalcHash(std::istream &stream, TSSLDgst digest, bool assinar) override;
    bool ValidarHash(std::istream &stream, TSSLDgst digest, std::string_view hash, bool assinado) override;
    static std::string pfx(std::string_view cnpj, int diasParaVencer);

  private:
    std::string cnpj_;
    int dias_ = 0;
};

// What the fake HTTP back-ends answer and what they were asked.
struct HttpScript {
    std::mutex mutex;
    std::condition_variable changed;
    // Answer
    int status = 200;
    std::string body;
    bool raise = false;
    bool block = false;           // Executar waits for release or Interromper
    bool ignoreInterrupt = false; // Interromper does not release a blocked Executar
    bool released = false;
    // Requests seen
    int requests = 0;
    std::string lastMethod, lastBody, lastHeaders, lastMimeType, lastSoapAction, lastUrl;
    HttpConnectionSettings lastSettings;
    bool executing = false;

    void release();
    void waitUntilExecuting();
};
HttpScript &httpScript();

class FakeHttp : public TDFeSSLHttpClass {
  public:
    using TDFeSSLHttpClass::TDFeSSLHttpClass;
    std::string_view NomeClasse() const override { return "FakeHttp"; }
    void Executar() override;
    void Interromper() override;
    std::string TextoUltimoErro() override { return "falha simulada"; }
};

// Signs by wrapping the text: the declaration it returns is settable.
class FakeXmlSign : public TDFeSSLXmlSignClass {
  public:
    using TDFeSSLXmlSignClass::TDFeSSLXmlSignClass;
    std::string_view NomeClasse() const override { return "FakeXmlSign"; }
    std::string Assinar(std::string_view xml, std::string_view, std::string_view, std::string_view,
                        std::string_view, std::string_view, std::string_view) override;
    bool Validar(std::string_view, std::string_view, std::string &msg) override;
    static inline std::string declaracaoSaida;
};

class FakeBackends {
  public:
    FakeBackends();
    ~FakeBackends();

  private:
    CryptBackendFactory crypt_;
    HttpBackendFactory http_;
    XmlSignBackendFactory xmlSign_;
};

// A clock that moves only when the program sleeps, while the object lives.
class FakeClock {
  public:
    FakeClock();
    ~FakeClock();
    int sleeps() const { return sleeps_; }
    // Run at each sleep (before the clock moves).
    std::function<void()> onSleep;

  private:
    std::atomic<std::int64_t> nowMs_;
    std::atomic<int> sleeps_{0};
};

} // namespace dfetest
