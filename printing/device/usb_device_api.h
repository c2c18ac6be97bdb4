#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "printing/device/device_errors.h"
#include "printing/device/usb_enumeration.h"

// Finding, opening and talking to USB printers through the kernel's printer
// class driver (/dev/usb/lpN) and USB-serial drivers (/dev/ttyUSBN,
// /dev/ttyACMN); no USB library is involved.
//
// Enumeration reads sysfs (usb_sysfs.h). The sysfs root and the /dev root are
// settings, "/sys" and "/dev" unless the environment variables KVL_SYSFS_ROOT
// and KVL_DEV_ROOT name others when the object is created; a missing root
// simply finds nothing. The interface classes of the other platform keep their
// meaning: the printer class lists printer nodes, the serial-port class serial
// nodes, the all-devices class every device (kept only when the table knows
// it, it passes FiltroTipoEquipamento and it was not already listed).
//
// I/O goes through one non-blocking descriptor: every write and read waits at
// most its time-out (0 or less: TimeOut). A read that times out returns what
// it has, possibly nothing. Bytes read past what a caller asked for wait in
// BufferRecepcao for the next read.
//
// Errors are EQuibDeviceError, raised directly (the device does not trace
// them): "Dispositivo USB num: %d não existe", "Erro, dispositivo [%s] não
// encontrado", "Nenhum dispositivo USB encontrado", "Erro %s ao abrir o Porta
// USB %s", "Erro %s ao fechar a Porta USB %s", "Dispositivo USB não está
// aberto", "Erro %s, ao enviar %d bytes para USB".
class TQuibUSBWinDeviceAPI {
  public:
    // Interface classes searched for printers, in search order.
    static constexpr std::string_view kClasseImpressorasUSB = "{28D78FAD-5A12-11D1-AE5B-0000F803A8C2}";
    static constexpr std::string_view kClassePortas = "{4D36E978-E325-11CE-BFC1-08002BE10318}";
    static constexpr std::string_view kClasseImpressoras = "{4D36E979-E325-11CE-BFC1-08002BE10318}";
    static constexpr std::string_view kClasseImpressorasFabricante = "{5DD901C0-BCF4-11D1-9738-008029E6A5B3}";
    static constexpr std::string_view kClasseTodosDispositivos = "{A5DCBF10-6530-11D2-901F-00C04FB951ED}";

    TQuibUSBWinDeviceAPI();
    // Closes the device, ignoring errors.
    ~TQuibUSBWinDeviceAPI();
    TQuibUSBWinDeviceAPI(const TQuibUSBWinDeviceAPI &) = delete;
    TQuibUSBWinDeviceAPI &operator=(const TQuibUSBWinDeviceAPI &) = delete;

    const std::string &RaizSysfs() const { return raizSysfs_; }
    void SetRaizSysfs(std::string_view valor) { raizSysfs_ = valor; }
    const std::string &RaizDev() const { return raizDev_; }
    void SetRaizDev(std::string_view valor) { raizDev_ = valor; }

    TQuibUSBWinDeviceList &DeviceList() { return lista_; }
    // 0: every kind of equipment; 1: POS printers only (table types).
    std::uint8_t FiltroTipoEquipamento() const { return filtro_; }
    void SetFiltroTipoEquipamento(std::uint8_t valor) { filtro_ = valor; }
    int TimeOut() const { return timeOut_; }
    void SetTimeOut(int valor) { timeOut_ = valor; }
    const std::string &ArqLOG() const { return arqLog_; }
    void SetArqLOG(std::string_view valor) { arqLog_ = valor; }

    // Empties the list (the own list when none is given) and fills it from
    // the printer, serial-port and all-devices classes; returns the count.
    int ProcurarImpressorasUSB(TQuibUSBWinDeviceList *lista = nullptr);
    // Adds the devices of the all-devices class that the table knows, that
    // pass the filter and that the list does not hold yet; returns the count.
    int ProcurarDispositivosUSB(TQuibUSBWinDeviceList &lista);

    int IndiceDispositivo() const { return indice_; }
    // Nothing when already selected; raises for an index at or beyond the
    // count; otherwise closes the device and selects the index (below 0: none).
    void SelecionarDispositivo(int indice);

    // Opens the device a port names: "USB" the first device found, "USB:<name
    // start>" the first whose NomeDispositivo begins so (case ignored), a
    // device path ("/dev/usb/lp0", any absolute path, "\\?\…") as given.
    // Enumerates first when the list is empty.
    void Abrir(std::string_view porta);
    void Fechar();
    bool Aberto() const { return fd_ >= 0; }
    // The port given to the open Abrir; empty when closed.
    const std::string &Porta() const { return porta_; }

    // Writes all bytes and returns their count. A write that makes no
    // progress for the time-out raises "Erro TimeOut, ao enviar <n> bytes
    // para USB"; a system error raises the same text with its code.
    int Escrever(std::string_view bytes, int timeOut = 0);
    // The bytes of the first read (up to 1024) that brings any within the
    // time-out; empty when none came.
    std::string ReceivePacket(int timeOut = 0);
    // Up to count bytes: fewer when the time ran out; empty for count ≤ 0.
    std::string ReceiveNumBytes(int count, int timeOut = 0);
    // The bytes before the terminator, which is consumed; empty (keeping what
    // came) when it does not arrive in time, or for an empty terminator.
    std::string ReceiveTerminated(std::string_view terminador, int timeOut = 0);
    // Discards input the system holds for the device; BufferRecepcao stays.
    void Purge();
    const std::string &BufferRecepcao() const { return bufferRecepcao_; }

    // "-- dd/mm hh:nn:ss:zzz - <text>" into ArqLOG; nothing when it is empty.
    void GravaLogUSB(std::string_view texto, bool traduz = false) const;

  private:
    int EnumerarInterfaces(std::string_view classe, TQuibUSBWinDeviceList &lista);
    int prazoDe(int timeOut) const { return timeOut > 0 ? timeOut : timeOut_; }
    void exigirAberto() const;

    TQuibUSBWinDeviceList lista_;
    std::string raizSysfs_;
    std::string raizDev_;
    std::string porta_;
    std::string arqLog_;
    std::string bufferRecepcao_;
    int indice_ = -1;
    int fd_ = -1;
    int timeOut_ = 1000;
    std::uint8_t filtro_ = 0;
};
