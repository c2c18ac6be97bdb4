#include "foundation/files/compression.h"

#include <sstream>
#include <vector>

#include <zlib.h>

namespace {

constexpr std::size_t kInputBlock = 32768;
constexpr std::size_t kOutputBlock = 65535;

constexpr unsigned char kGzipId1 = 0x1F;
constexpr unsigned char kGzipId2 = 0x8B;
constexpr unsigned char kDeflateMethod = 0x08;

// gzip header flags (RFC 1952).
constexpr unsigned char kFlagHeaderCrc = 0x02;
constexpr unsigned char kFlagExtra = 0x04;
constexpr unsigned char kFlagName = 0x08;
constexpr unsigned char kFlagComment = 0x10;
constexpr unsigned char kFlagsReserved = 0xE0;

// Reads what the stream still holds, up to `size` bytes; a stream that is
// already in a failed state raises.
std::size_t readSome(std::istream &stream, char *buffer, std::size_t size)
{
    if (stream.bad() || stream.fail())
        throw StreamReadError("Erro de leitura do stream");
    stream.read(buffer, static_cast<std::streamsize>(size));
    const auto got = static_cast<std::size_t>(stream.gcount());
    if (stream.bad())
        throw StreamReadError("Erro de leitura do stream");
    if (got < size)
        stream.clear(stream.rdstate() & ~(std::ios::failbit | std::ios::eofbit));
    return got;
}

std::streampos positionOf(std::istream &stream)
{
    const std::streampos position = stream.tellg();
    if (position == std::streampos(-1))
        throw StreamReadError("Erro de leitura do stream: posição indisponível");
    return position;
}

void seekTo(std::istream &stream, std::streampos position)
{
    stream.clear(stream.rdstate() & ~std::ios::eofbit);
    stream.seekg(position);
    if (!stream)
        throw StreamReadError("Erro de leitura do stream: posicionamento falhou");
}

void writeBytes(std::ostream &target, const void *data, std::size_t size)
{
    if (size == 0)
        return;
    target.write(static_cast<const char *>(data), static_cast<std::streamsize>(size));
    if (!target)
        throw StreamWriteError("Erro de gravação do stream");
}

void putLittleEndian32(std::ostream &target, std::uint32_t value)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16),
                                    static_cast<unsigned char>(value >> 24)};
    writeBytes(target, bytes, sizeof bytes);
}

std::uint32_t littleEndian32(const unsigned char *bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

[[noreturn]] void failGzip(const std::string &reason)
{
    throw DecompressionError("Erro de descompactação gzip: " + reason);
}

// Reads the source's bytes one by one through a small buffer, and lets the
// inflater hand back what it did not consume.
class ByteSource {
  public:
    explicit ByteSource(std::istream &stream) : stream_(stream), buffer_(kInputBlock) {}

    bool atEnd() { return available() == 0; }

    // Next byte, or -1 at the end of the stream.
    int next()
    {
        if (available() == 0)
            return -1;
        return static_cast<unsigned char>(buffer_[start_++]);
    }

    // Reads exactly `size` bytes; false when the stream ends first.
    bool take(unsigned char *target, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const int byte = next();
            if (byte < 0)
                return false;
            target[i] = static_cast<unsigned char>(byte);
        }
        return true;
    }

    // The buffered bytes not consumed yet, refilled from the stream when empty.
    std::size_t available()
    {
        if (start_ == end_) {
            start_ = 0;
            end_ = readSome(stream_, buffer_.data(), buffer_.size());
        }
        return end_ - start_;
    }
    unsigned char *data() { return reinterpret_cast<unsigned char *>(buffer_.data() + start_); }
    void consume(std::size_t count) { start_ += count; }

  private:
    std::istream &stream_;
    std::vector<char> buffer_;
    std::size_t start_ = 0;
    std::size_t end_ = 0;
};

// One zlib inflater (zlib format or raw deflate) released on every path.
class Inflater {
  public:
    explicit Inflater(int windowBits)
    {
        if (inflateInit2(&z_, windowBits) != Z_OK)
            throw DecompressionError("Erro de descompactação: memória insuficiente");
    }
    ~Inflater() { inflateEnd(&z_); }
    Inflater(const Inflater &) = delete;
    Inflater &operator=(const Inflater &) = delete;

    struct Result {
        std::uint32_t crc = 0;
        std::uint64_t size = 0;
    };

    // Inflates one compressed stream from the source into the target, in
    // blocks of at most kOutputBlock bytes; the source is left just after it.
    Result run(ByteSource &source, std::ostream &target, const char *what)
    {
        Result result;
        result.crc = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
        std::vector<unsigned char> out(kOutputBlock);
        for (;;) {
            const std::size_t available = source.available();
            if (available == 0)
                throw DecompressionError(std::string("Erro de descompactação ") + what +
                                         ": dados incompletos");
            z_.next_in = source.data();
            z_.avail_in = static_cast<uInt>(available);
            int status = Z_OK;
            do {
                z_.next_out = out.data();
                z_.avail_out = static_cast<uInt>(out.size());
                status = inflate(&z_, Z_NO_FLUSH);
                if (status == Z_NEED_DICT || status == Z_DATA_ERROR || status == Z_MEM_ERROR ||
                    status == Z_STREAM_ERROR)
                    throw DecompressionError(std::string("Erro de descompactação ") + what + ": " +
                                             (z_.msg != nullptr ? z_.msg : "dados inválidos"));
                const std::size_t produced = out.size() - z_.avail_out;
                result.crc =
                    static_cast<std::uint32_t>(crc32(result.crc, out.data(), static_cast<uInt>(produced)));
                result.size += produced;
                writeBytes(target, out.data(), produced);
            } while (status != Z_STREAM_END && z_.avail_out == 0);
            source.consume(available - z_.avail_in);
            if (status == Z_STREAM_END)
                return result;
        }
    }

  private:
    z_stream z_{};
};

// gzip member (RFC 1952): header, raw deflate data, CRC-32 and size.
void inflateGzipMember(std::istream &source, std::ostream &target)
{
    ByteSource bytes(source);
    unsigned char header[10];
    if (!bytes.take(header, sizeof header))
        failGzip("cabeçalho incompleto");
    if (header[0] != kGzipId1 || header[1] != kGzipId2 || header[2] != kDeflateMethod)
        failGzip("cabeçalho inválido");
    const unsigned char flags = header[3];
    if ((flags & kFlagsReserved) != 0)
        failGzip("cabeçalho com indicadores reservados");

    if ((flags & kFlagExtra) != 0) {
        unsigned char length[2];
        if (!bytes.take(length, sizeof length))
            failGzip("cabeçalho incompleto");
        for (unsigned skip = length[0] | length[1] << 8; skip > 0; --skip) {
            if (bytes.next() < 0)
                failGzip("cabeçalho incompleto");
        }
    }
    for (const unsigned char textFlag : {kFlagName, kFlagComment}) {
        if ((flags & textFlag) == 0)
            continue;
        for (int byte = bytes.next(); byte > 0; byte = bytes.next()) {
        }
    }
    if ((flags & kFlagHeaderCrc) != 0) {
        unsigned char headerCrc[2];
        if (!bytes.take(headerCrc, sizeof headerCrc))
            failGzip("cabeçalho incompleto");
    }
    if (bytes.atEnd())
        failGzip("sem dados compactados");

    const Inflater::Result result = Inflater(-MAX_WBITS).run(bytes, target, "gzip");

    unsigned char trailer[8];
    if (!bytes.take(trailer, sizeof trailer))
        failGzip("final incompleto");
    if (littleEndian32(trailer) != result.crc)
        failGzip("CRC-32 não confere");
    if (littleEndian32(trailer + 4) != static_cast<std::uint32_t>(result.size))
        failGzip("tamanho não confere");
}

void inflateZlib(std::istream &source, std::ostream &target)
{
    ByteSource bytes(source);
    Inflater(MAX_WBITS).run(bytes, target, "zlib");
}

} // namespace

TTipoCompressao DetectaCompressao(std::istream &stream)
{
    const std::streampos remembered = positionOf(stream);
    seekTo(stream, 0);
    unsigned char magic[4];
    stream.read(reinterpret_cast<char *>(magic), sizeof magic);
    const bool complete = stream.gcount() == static_cast<std::streamsize>(sizeof magic);
    stream.clear();
    seekTo(stream, remembered);
    if (!complete)
        throw StreamReadError("Erro de leitura do stream: menos de 4 bytes");

    if (magic[0] == kGzipId1 && magic[1] == kGzipId2 && magic[2] == kDeflateMethod)
        return tcmGZip;
    if (magic[0] == 0x78 && (magic[1] == 0x01 || magic[1] == 0x5E || magic[1] == 0x9C || magic[1] == 0xDA))
        return tcmZLib;
    if (magic[0] == 0x50 && magic[1] == 0x4B && magic[2] == 0x03 && magic[3] == 0x04)
        return tcmZip;
    return tcmDesconhecido;
}

bool DescompactaEntreStreams(std::istream &source, std::ostream &target)
{
    seekTo(source, 0);
    if (DetectaCompressao(source) == tcmGZip)
        inflateGzipMember(source, target);
    else
        inflateZlib(source, target); // zip archives and unknown data fail here as invalid zlib data
    return true;
}

std::string DescompactaStreamParaTexto(std::istream &stream)
{
    std::ostringstream target(std::ios::binary);
    DescompactaEntreStreams(stream, target);
    return std::move(target).str();
}

std::string DescompactaBytes(std::string_view data)
{
    std::istringstream source(std::string(data), std::ios::binary);
    return DescompactaStreamParaTexto(source);
}

bool CompactaStreamGZip(std::istream &source, std::ostream &target)
{
    z_stream z{};
    if (deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw CompressionError("Erro de compactação: memória insuficiente");
    struct Release {
        z_stream &z;
        ~Release() { deflateEnd(&z); }
    } release{z};

    const unsigned char header[10] = {kGzipId1, kGzipId2, kDeflateMethod, 0, 0, 0, 0, 0, 0, 0};
    writeBytes(target, header, sizeof header);

    auto crc = static_cast<std::uint32_t>(crc32(0L, Z_NULL, 0));
    std::uint64_t size = 0;
    std::vector<char> in(kInputBlock);
    std::vector<unsigned char> out(kOutputBlock);
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        const std::size_t got = readSome(source, in.data(), in.size());
        if (got < in.size())
            flush = Z_FINISH;
        crc = static_cast<std::uint32_t>(
            crc32(crc, reinterpret_cast<const Bytef *>(in.data()), static_cast<uInt>(got)));
        size += got;
        z.next_in = reinterpret_cast<Bytef *>(in.data());
        z.avail_in = static_cast<uInt>(got);
        do {
            z.next_out = out.data();
            z.avail_out = static_cast<uInt>(out.size());
            if (deflate(&z, flush) == Z_STREAM_ERROR)
                throw CompressionError("Erro de compactação");
            writeBytes(target, out.data(), out.size() - z.avail_out);
        } while (z.avail_out == 0);
    }

    putLittleEndian32(target, crc);
    putLittleEndian32(target, static_cast<std::uint32_t>(size));
    return true;
}

std::string CompactaStreamParaTexto(std::istream &stream)
{
    seekTo(stream, 0);
    std::ostringstream target(std::ios::binary);
    CompactaStreamGZip(stream, target);
    return std::move(target).str();
}

std::string CompactaGZip(std::string_view data)
{
    std::istringstream source(std::string(data), std::ios::binary);
    return CompactaStreamParaTexto(source);
}
