#pragma once

#include <memory>
#include <string>

#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/posprinter/pos_printer.h"

// The thermal DANFE wired as the console's form wires it (Epson writer, line
// spacing 30, QR module 4, 5 lines between coupons), with an NF-e component
// of default settings, for the DANFE tests. What the printer would be sent
// is kept in `enviado` instead of reaching a device.
namespace testsupport {

class DanfeBancada {
  public:
    // `colunas` is ColunasFonteNormal; `condensado` is SuportaCondensado.
    explicit DanfeBancada(int colunas = 48, bool condensado = true);
    ~DanfeBancada();
    DanfeBancada(const DanfeBancada &) = delete;
    DanfeBancada &operator=(const DanfeBancada &) = delete;

    // Loads the NFC-e fixture into the component the way a file is loaded:
    // written by the NF-e writer, read back by the collection.
    void carregar(const std::string &fixture);
    // From now on the printer passes the tag text through untranslated, as
    // UTF-8 and without the initialisation, so `enviado` is the tag text.
    void somenteTags();

    TQuibNFe nfe;
    TQuibPosPrinter pos;
    TQuibNFeDANFeESCPOS danfe;
    std::string enviado;
    int envios = 0;
};

} // namespace testsupport
