#include "printing/device/device_spooler.h"

#include "foundation/text/text_utils.h"
#include "printing/device/device.h"

int AcharImpressora(const std::vector<std::string> &impressoras, std::string_view nome)
{
    const std::string procurado = upperAscii(nome);
    for (std::size_t i = 0; i < impressoras.size(); ++i) {
        if (upperAscii(impressoras[i]) == procurado)
            return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < impressoras.size(); ++i) {
        const std::string &item = impressoras[i];
        if (!item.starts_with("\\\\"))
            continue;
        const auto barra = item.find('\\', 2);
        if (barra != std::string::npos && upperAscii(std::string_view(item).substr(barra + 1)) == procurado)
            return static_cast<int>(i);
    }
    return -1;
}

TQuibDeviceRaw::TQuibDeviceRaw(TQuibDevice *owner)
    : TQuibDeviceClass(owner),
      printers_([this] { return listInstalledPrinters(Owner().TimeOutMilissegundos()); }),
      jobs_([this](const std::string &impressora, const std::string &titulo, std::string_view bytes) {
          printRawJob(impressora, titulo, bytes, Owner().TimeOutMilissegundos());
      })
{
}

void TQuibDeviceRaw::Conectar(const std::string &porta, int timeOutMilissegundos)
{
    TQuibDeviceClass::Conectar(porta, timeOutMilissegundos);
    GetPrinterIndex(printers_());
}

int TQuibDeviceRaw::GetPrinterIndex(const InstalledPrinters &impressoras)
{
    GravaLog("GetPrinterIndex");
    std::string nome = Porta();
    if (upperAscii(std::string_view(nome).substr(0, 4)) == "RAW:")
        nome.erase(0, 4);
    int indice = 0;
    if (nome != "*") {
        indice = AcharImpressora(impressoras.nomes, nome);
        if (indice < 0)
            DisparaExcecao(EQuibDeviceError("Impressora não encontrada [" + nome + "]"));
    } else if (impressoras.padrao >= 0) {
        indice = impressoras.padrao;
    } else if (impressoras.nomes.empty()) {
        DisparaExcecao(EQuibDeviceError("Erro Nenhuma impressora Padrão foi detectada"));
    }
    GravaLog("  " + std::to_string(indice));
    return indice;
}

void TQuibDeviceRaw::EnviaStringWindows(std::string_view bytes)
{
    GravaLog("  TQuibDeviceRaw.EnviaStringWindows");
    const InstalledPrinters impressoras = printers_();
    const std::string impressora = impressoras.nomes[static_cast<std::size_t>(GetPrinterIndex(impressoras))];
    try {
        jobs_(impressora, Owner().NomeDocumento(), bytes);
    } catch (const EQuibDeviceError &erro) {
        DisparaExcecao(erro);
    }
}
