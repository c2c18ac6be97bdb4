#pragma once

#include <atomic>
#include <string>
#include <string_view>

#include "printing/device/device_transport.h"

// The parallel-port and file transport of TQuibDevice: "LPTn" ports (the
// device file parallelDevicePath names), "FILE:<path>", "….TXT" names and
// paths (a Windows path goes through the stored-path mapping). The target is
// opened, written and closed again on every send; a file port is emptied at
// every activation and appended to by every send while active. Reading
// returns nothing.
//
// Every write waits at most the device's time-out for the target to take
// bytes, so a stuck port cannot hold the caller. With UsarThread the bytes go
// through a writer thread in pieces of 256 bytes; the caller looks at its
// progress every 200 ms, gives up when nothing was written for 100 ms after
// the last progress, stops and joins the thread.
//
// Errors go through DisparaExcecao: at Conectar "Porta <port> não acessível"
// (stream mode, not a file) or "EInOutError: <reason>"; at a send "Erro
// gravando em: <port> " (trailing blank), followed by the reason when the
// system gave one.
class TQuibDeviceLPT : public TQuibDeviceClass {
  public:
    using TQuibDeviceClass::TQuibDeviceClass;

    std::string_view ClassName() const override { return "TQuibDeviceLPT"; }

    void Conectar(const std::string &porta, int timeOutMilissegundos) override;
    void Desconectar(bool ignorarErros = true) override;
    void EnviaString(std::string_view bytes) override;

    // Open the target for reading and writing, positioned at its end, instead
    // of for appending or truncating.
    bool UsarStream = false;
    // Write through the writer thread.
    bool UsarThread = false;

    // The port without a leading "FILE:" (any case).
    static std::string NomeArquivoPorta(std::string_view porta);
    // The Linux file a port text opens.
    static std::string CaminhoLocal(std::string_view porta);

  private:
    // Opens, writes in pieces and closes the target. A write that makes no
    // progress within the time-out, or a stop request, ends it with an error.
    void EnviaStringArquivo(std::string_view bytes, int timeOutMilissegundos,
                            const std::atomic<bool> *parar = nullptr);
    void EnviaStringThread(std::string_view bytes);
};
