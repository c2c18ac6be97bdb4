// Feeds arbitrary bytes to the NF-e reader. Reading may refuse a text with
// its documented errors (EQuibException, ConversionError); anything else, a
// crash, a hang or a leak is a fault.

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundation/base/quib_exception.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TNFe nfe;
    TNFeR leitor(nfe);
    leitor.Leitor().setArquivo(std::string(reinterpret_cast<const char *>(data), size));
    try {
        leitor.ImportarXml();
    } catch (const EQuibException &) {
    } catch (const ConversionError &) {
    }
    return 0;
}
