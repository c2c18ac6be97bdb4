// Code-page conversions through glibc iconv.

#include <cerrno>
#include <iconv.h>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

namespace {

bool isUtf8Page(int codePage)
{
    return codePage == 0 || codePage == 65001;
}

std::string iconvName(int codePage)
{
    return isUtf8Page(codePage) ? std::string("UTF-8") : "CP" + std::to_string(codePage);
}

// Raises EQuibException for a page glibc does not know.
iconv_t openIconv(int destPage, int sourcePage)
{
    iconv_t cd = iconv_open(iconvName(destPage).c_str(), iconvName(sourcePage).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw EQuibException("Conversão da página de código " + std::to_string(sourcePage) +
                             " para a página " + std::to_string(destPage) + " não é suportada");
    return cd;
}

class IconvHandle {
  public:
    IconvHandle(int destPage, int sourcePage) : handle_(openIconv(destPage, sourcePage)) {}
    ~IconvHandle() { iconv_close(handle_); }
    IconvHandle(const IconvHandle &) = delete;
    IconvHandle &operator=(const IconvHandle &) = delete;
    iconv_t get() const { return handle_; }

  private:
    iconv_t handle_;
};

// Converts between UTF-8 and a single-byte page (one side is always UTF-8)
// through an open handle, left in its initial state for the next call.
// Whatever cannot be converted becomes one "?" per source character.
std::string convertWith(iconv_t cd, std::string_view text, int sourcePage)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    // A single-byte page never needs more bytes than UTF-8; UTF-8 needs at
    // most three for each single byte.
    std::string out(isUtf8Page(sourcePage) ? text.size() + 16 : text.size() * 3 + 16, '\0');
    char *in = const_cast<char *>(text.data());
    std::size_t inLeft = text.size();
    std::size_t used = 0;

    auto room = [&](std::size_t need) {
        if (out.size() - used < need)
            out.resize(out.size() * 2 + need);
    };

    while (inLeft > 0) {
        char *outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        used = static_cast<std::size_t>(outPtr - out.data());
        if (result != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            room(16);
            continue;
        }
        // EILSEQ (unmappable or undefined) or EINVAL (cut sequence at the end).
        std::size_t skip = 1;
        if (isUtf8Page(sourcePage)) {
            const std::string_view rest(in, inLeft);
            skip = utf8CharAt(rest, 0).size;
        }
        room(1);
        out[used++] = '?';
        in += skip;
        inLeft -= skip;
    }
    out.resize(used);
    return out;
}

std::string convert(std::string_view text, int destPage, int sourcePage)
{
    IconvHandle cd(destPage, sourcePage);
    return convertWith(cd.get(), text, sourcePage);
}

std::string toUtf8(std::string_view text, int sourcePage)
{
    if (!isUtf8Page(sourcePage))
        return convert(text, 0, sourcePage);
    if (utf8Valid(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        if (ch.valid)
            out.append(text.substr(pos, ch.size));
        else
            out += '?';
        pos += ch.size;
    }
    return out;
}

// Windows-1252 characters of the bytes 0x80 to 0x9F; 0 marks the five bytes
// the page leaves undefined. The bytes 0xA0 to 0xFF are U+00A0 to U+00FF.
// clang-format off
constexpr char32_t kWindows1252Alto[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0,
};
// clang-format on

// One byte read as Windows-1252, appended as UTF-8 ("?" for an undefined byte).
void appendByteWindows1252(std::string &out, unsigned char byte)
{
    if (byte < 0x80) {
        out += static_cast<char>(byte);
        return;
    }
    const char32_t code = byte < 0xA0 ? kWindows1252Alto[byte - 0x80] : char32_t{byte};
    out += code == 0 ? std::string("?") : utf8Encode(code);
}

// The one decoder of text arriving from outside: every well-formed UTF-8
// sequence is kept, every stray byte is read as Windows-1252.
std::string decodificaTextoDeFora(std::string_view text)
{
    if (utf8Valid(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (std::size_t pos = 0; pos < text.size();) {
        const auto ch = utf8CharAt(text, pos);
        if (ch.valid)
            out.append(text.substr(pos, ch.size));
        else
            appendByteWindows1252(out, static_cast<unsigned char>(text[pos]));
        pos += ch.size;
    }
    return out;
}

std::string fromUtf8(std::string_view utf8, int destPage)
{
    if (isUtf8Page(destPage))
        return std::string(utf8);
    return convert(utf8, destPage, 0);
}

} // namespace

std::string TextoNativo(std::string_view text)
{
    return std::string(text);
}

std::string NativoParaAnsi(std::string_view text)
{
    return std::string(text);
}

std::string AnsiParaNativo(std::string_view text)
{
    return std::string(text);
}

std::string AnsiParaUTF8(std::string_view text)
{
    return decodificaTextoDeFora(text);
}

std::string UTF8ParaAnsi(std::string_view text)
{
    return decodificaTextoDeFora(text);
}

std::string DecodificaTexto(std::string_view text, bool isUtf8)
{
    return isUtf8 ? UTF8ParaAnsi(text) : std::string(text);
}

std::string WideParaPaginaCodigo(std::u16string_view text, int codePage)
{
    return fromUtf8(utf16ToUtf8(text), codePage);
}

std::u16string PaginaCodigoParaWide(std::string_view text, int codePage)
{
    return utf8ToUtf16(toUtf8(text, codePage));
}

std::string ConvertePaginaCodigo(std::string_view text, int destPage, int sourcePage)
{
    return fromUtf8(toUtf8(text, sourcePage), destPage);
}

ConversorPaginaCodigo::ConversorPaginaCodigo(int destPage) : destPage_(destPage)
{
    if (!isUtf8Page(destPage))
        handle_ = openIconv(destPage, 65001);
}

ConversorPaginaCodigo::~ConversorPaginaCodigo()
{
    if (handle_ != nullptr)
        iconv_close(static_cast<iconv_t>(handle_));
}

std::string ConversorPaginaCodigo::Converter(std::string_view utf8) const
{
    const std::string texto = toUtf8(utf8, 65001);
    if (handle_ == nullptr)
        return texto;
    return convertWith(static_cast<iconv_t>(handle_), texto, 65001);
}

char ByteParaChar(std::uint8_t value)
{
    return static_cast<char>(value);
}
