// Feeds arbitrary bytes to the printer's input readers: the monochrome BMP
// conversion, the colour BMP reader with its raster conversion, and the tag
// decoder with a small tag table. The readers may refuse a file with
// EQuibImage; anything else, a crash, a hang or a leak is a fault.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "printing/device/image_error.h"
#include "printing/device/raster_image.h"
#include "printing/device/tag_parser.h"

namespace {

void readMonochrome(const std::string &bytes)
{
    std::istringstream stream(bytes);
    int width = 0;
    int height = 0;
    std::string raster;
    try {
        MonoBMPParaRaster(stream, true, width, height, raster);
    } catch (const EQuibImage &) {
        return;
    }
    std::vector<std::string> columns;
    RasterParaColunas(raster, width, columns, 3);
}

void readColour(const std::string &bytes)
{
    std::istringstream stream(bytes);
    try {
        const TQuibBitmap bitmap = TQuibBitmap::LerBMP(stream);
        int width = 0;
        int height = 0;
        std::string raster;
        BitmapParaRaster(bitmap, true, width, height, raster, 127);
    } catch (const EQuibImage &) {
    }
}

void decodeTags(const std::string &text)
{
    TQuibTagProcessor processor;
    processor.AdicionarTags({"<e>", "</e>", "<n>", "</n>", "</corte>"}, {}, false);
    processor.AdicionarTags({"<ce>", "<qrcode>", "<ignorar_tags>", "<code128>"}, {}, true);
    processor.OnTraduzirTag = [](const std::string &tag, std::string &translation) {
        translation = tag + tag;
    };
    processor.OnTraduzirTagBloco = [](const std::string &, const std::string &content,
                                      std::string &translation) { translation = "[" + content + "]"; };
    processor.DecodificarTags(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    readMonochrome(bytes);
    readColour(bytes);
    decodeTags(bytes);
    return 0;
}
