#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "dfe/ssl/ssl_types.h"

class TDFeSSL;
struct SendThreadState;

// One SOAP exchange on a thread of its own, for the facade's threaded send.
// Construction (on the facade's thread) makes the thread's own HTTP back-end
// of the given library, gives it a copy of the facade's connection settings
// and client certificate, and starts the thread; from then on nothing of the
// thread touches the facade. The thread takes the facade's send lock around
// its exchange, so a later send waits for it.
//
// Done() is true once the exchange ended, brought an answer or failed.
// Abortar() marks it finished and interrupts the back-end. The destructor
// aborts a running exchange and waits for the thread to end.
class TDFeSendThread {
  public:
    // Raises EQuibDFeException "TDFeSendThread, parâmetros inválidos" for a
    // null facade, an empty ConteudoXML or an empty URL.
    TDFeSendThread(TDFeSSL *SSL, TSSLHttpLib HttpLib, std::string_view ConteudoXML, std::string_view URL,
                   std::string_view SoapAction, std::string_view MimeType);
    ~TDFeSendThread();
    TDFeSendThread(const TDFeSendThread &) = delete;
    TDFeSendThread &operator=(const TDFeSendThread &) = delete;

    bool Done() const;
    std::string Resposta() const;
    std::string Erro() const;
    void Abortar();
    // True when the thread's work has ended (it may be joined without waiting).
    bool Terminado() const;

  private:
    std::shared_ptr<SendThreadState> state_;
    std::thread thread_;
};
