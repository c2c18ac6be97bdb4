// Feeds arbitrary bytes to the NF-e TXT reader as the contents of a file.
// Reading may refuse a file or a field with its documented errors
// (EQuibException); anything else, a crash, a hang or a leak is a fault.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/base/quib_exception.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TNFe nfe;
    TNFeRTXT leitor(nfe);
    leitor.CarregarTexto(std::string_view(reinterpret_cast<const char *>(data), size));
    try {
        leitor.InterpretarArquivo();
    } catch (const EQuibException &) {
    }
    return 0;
}
