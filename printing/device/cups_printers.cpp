#include "printing/device/cups_printers.h"

#include <algorithm>
#include <cups/cups.h>
#include <memory>

#include "foundation/text/text_utils.h"

namespace {

struct HttpClose {
    void operator()(http_t *http) const { httpClose(http); }
};
using Connection = std::unique_ptr<http_t, HttpClose>;

// A blocking connection to the scheduler, or null when none answers.
Connection connectScheduler(int timeOutMilissegundos)
{
    const int limite = timeOutMilissegundos > 0 ? timeOutMilissegundos : 3000;
    Connection http(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, limite, nullptr));
    if (http)
        httpSetTimeout(http.get(), limite / 1000.0, nullptr, nullptr);
    return http;
}

std::string lastError()
{
    const char *texto = cupsLastErrorString();
    return texto != nullptr && *texto != '\0' ? texto : "o servidor de impressão recusou o trabalho";
}

} // namespace

InstalledPrinters listInstalledPrinters(int timeOutMilissegundos)
{
    InstalledPrinters lista;
    Connection http = connectScheduler(timeOutMilissegundos);
    if (!http)
        return lista;
    cups_dest_t *destinos = nullptr;
    const int total = cupsGetDests2(http.get(), &destinos);
    std::string padrao;
    for (int i = 0; i < total; ++i) {
        if (destinos[i].instance != nullptr)
            continue;
        lista.nomes.emplace_back(destinos[i].name);
        if (destinos[i].is_default)
            padrao = destinos[i].name;
    }
    cupsFreeDests(total, destinos);
    std::sort(lista.nomes.begin(), lista.nomes.end());
    if (!padrao.empty())
        lista.padrao =
            static_cast<int>(std::find(lista.nomes.begin(), lista.nomes.end(), padrao) - lista.nomes.begin());
    return lista;
}

bool isInstalledPrinter(std::string_view nome)
{
    const std::string procurado = upperAscii(nome);
    const InstalledPrinters lista = listInstalledPrinters();
    return std::any_of(lista.nomes.begin(), lista.nomes.end(),
                       [&](const std::string &item) { return upperAscii(item) == procurado; });
}

void printRawJob(const std::string &impressora, const std::string &titulo, std::string_view bytes,
                 int timeOutMilissegundos)
{
    const std::string prefixo = "Erro ao imprimir na impressora [" + impressora + "]: ";
    Connection http = connectScheduler(timeOutMilissegundos);
    if (!http)
        throw EQuibDeviceError(prefixo + "o servidor de impressão não respondeu");
    const int job = cupsCreateJob(http.get(), impressora.c_str(), titulo.c_str(), 0, nullptr);
    if (job <= 0)
        throw EQuibDeviceError(prefixo + lastError());
    bool ok = cupsStartDocument(http.get(), impressora.c_str(), job, titulo.c_str(), CUPS_FORMAT_RAW, 1) ==
              HTTP_STATUS_CONTINUE;
    if (ok && !bytes.empty())
        ok = cupsWriteRequestData(http.get(), bytes.data(), bytes.size()) == HTTP_STATUS_CONTINUE;
    std::string erro = ok ? "" : lastError();
    const ipp_status_t fim = cupsFinishDocument(http.get(), impressora.c_str());
    if (ok && fim > IPP_STATUS_OK_EVENTS_COMPLETE) {
        ok = false;
        erro = lastError();
    }
    if (!ok) {
        cupsCancelJob2(http.get(), impressora.c_str(), job, 0);
        throw EQuibDeviceError(prefixo + erro);
    }
}
