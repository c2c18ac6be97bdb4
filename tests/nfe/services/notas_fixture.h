#pragma once

// An NF-e component ready to sign with the test PKI's company certificate
// (OpenSSL back-ends), validating with the official schemas, saving into a
// folder of its own, and knowing the NFC-e QR-code addresses of São Paulo's
// homologation environment. Implemented in notas_fixture.cpp.

#include <string>

#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/temp_dir.h"

namespace testsupport {

struct ComponenteAssinador {
    TempDir pasta;
    TQuibNFe nfe;

    // model 55 or 65; saving off until a test turns it on.
    explicit ComponenteAssinador(int modelo = 55);

    // A new note of the collection filled with the sample note of `itens`
    // items of the component's model.
    NotaFiscal &notaDeExemplo(int itens = 2);
};

} // namespace testsupport
