#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <zlib.h>

#include "foundation/files/compression.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

// Text that compresses (repeats) with some noise in it.
std::string sampleText(std::size_t size)
{
    std::mt19937 random(42);
    std::string text;
    text.reserve(size);
    while (text.size() < size) {
        text += "<det nItem=\"" + std::to_string(random() % 1000) + "\"><prod>caf\xC3\xA9</prod></det>";
        text.push_back(static_cast<char>(random() % 256));
    }
    text.resize(size);
    return text;
}

std::string zlibCompress(const std::string &data, int level)
{
    uLongf size = compressBound(data.size());
    std::string out(size, '\0');
    EXPECT_EQ(compress2(reinterpret_cast<Bytef *>(out.data()), &size,
                        reinterpret_cast<const Bytef *>(data.data()), data.size(), level),
              Z_OK);
    out.resize(size);
    return out;
}

TTipoCompressao detect(const std::string &data)
{
    std::istringstream stream(data, std::ios::binary);
    return DetectaCompressao(stream);
}

void putLe32(std::string &member, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        member[offset + i] = static_cast<char>(value >> (8 * i));
}

} // namespace

TEST(Compression, DetectsKindsByExactMagicBytes)
{
    struct Case {
        std::string head;
        TTipoCompressao kind;
    } cases[] = {
        {bytes({0x1F, 0x8B, 0x08, 0x00}), tcmGZip},
        {bytes({0x1F, 0x8B, 0x08, 0x08}), tcmGZip},
        {bytes({0x78, 0x9C, 0x00, 0x00}), tcmZLib},
        {bytes({0x78, 0x01, 0x00, 0x00}), tcmZLib},
        {bytes({0x78, 0x5E, 0x00, 0x00}), tcmZLib},
        {bytes({0x78, 0xDA, 0x00, 0x00}), tcmZLib},
        {bytes({0x50, 0x4B, 0x03, 0x04}), tcmZip},
        // Bytes that merely carry more bits than a magic are not that kind.
        {bytes({0xFF, 0xFF, 0xFF, 0xFF}), tcmDesconhecido},
        {bytes({0x1F, 0x8B, 0x0C, 0x00}), tcmDesconhecido},
        {bytes({0x7C, 0x9C, 0x00, 0x00}), tcmDesconhecido},
        {bytes({0x78, 0x9D, 0x00, 0x00}), tcmDesconhecido},
        {bytes({0x51, 0x4B, 0x03, 0x04}), tcmDesconhecido},
        {"<?xm", tcmDesconhecido},
    };
    for (const Case &c : cases)
        EXPECT_EQ(detect(c.head + "rest"), c.kind) << EnumValueName(c.kind);
}

TEST(Compression, DetectionKeepsThePositionAndNeedsFourBytes)
{
    std::istringstream stream(CompactaGZip("abc"), std::ios::binary);
    stream.seekg(7);
    EXPECT_EQ(DetectaCompressao(stream), tcmGZip);
    EXPECT_EQ(stream.tellg(), 7);

    std::istringstream shortStream(bytes({0x1F, 0x8B, 0x08}), std::ios::binary);
    shortStream.seekg(1);
    EXPECT_THROW(DetectaCompressao(shortStream), StreamReadError);
    EXPECT_EQ(shortStream.tellg(), 1);
    EXPECT_THROW(DescompactaBytes(""), StreamReadError);
}

TEST(Compression, GzipRoundTripAgreesWithTheGzipProgram)
{
    if (!testsupport::hasProgram("gzip"))
        GTEST_SKIP() << "gzip is not installed";
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{65535}, std::size_t{300000}}) {
        const std::string input = sampleText(size);
        const std::string member = CompactaGZip(input);
        EXPECT_EQ(detect(member), tcmGZip);
        EXPECT_EQ(DescompactaBytes(member), input) << size;

        EXPECT_EQ(runCommand({"gzip", "-t"}, member).exitCode, 0) << size;
        const auto gunzip = runCommand({"gunzip", "-c"}, member);
        EXPECT_EQ(gunzip.exitCode, 0) << gunzip.err;
        EXPECT_EQ(gunzip.out, input) << size;
    }
}

TEST(Compression, InflatesWhatTheGzipProgramWritesWithAFileName)
{
    if (!testsupport::hasProgram("gzip"))
        GTEST_SKIP() << "gzip is not installed";
    testsupport::TempDir dir;
    const std::string input = sampleText(5000);
    const auto file = dir.write("nota-35240112345678000195550010000000011000000015.xml", input);
    const auto gzip = runCommand({"gzip", "-N", "-9", "-c", file.string()});
    ASSERT_EQ(gzip.exitCode, 0) << gzip.err;
    ASSERT_NE(static_cast<unsigned char>(gzip.out[3]) & 0x08, 0) << "no file name in the header";
    EXPECT_EQ(DescompactaBytes(gzip.out), input);
}

TEST(Compression, InflatesOptionalHeaderFields)
{
    const std::string input = "conteúdo do documento";
    const std::string plain = CompactaGZip(input);
    const std::string body = plain.substr(10);
    auto withFields = [&](int flags, const std::string &fields) {
        std::string header = plain.substr(0, 10);
        header[3] = static_cast<char>(flags);
        return header + fields + body;
    };
    EXPECT_EQ(DescompactaBytes(withFields(0x04, bytes({3, 0, 'a', 'b', 'c'}))), input); // extra field
    EXPECT_EQ(DescompactaBytes(withFields(0x10, std::string("coment\xC3\xA1rio", 11) + '\0')), input);
    EXPECT_EQ(DescompactaBytes(withFields(0x02, bytes({0x12, 0x34}))), input); // header CRC
    EXPECT_EQ(DescompactaBytes(
                  withFields(0x1E, bytes({1, 0, 'x'}) + "nome.xml" + '\0' + "c" + '\0' + bytes({0, 0}))),
              input);
}

TEST(Compression, RefusesDamagedGzipMembers)
{
    const std::string input = sampleText(2000);
    const std::string good = CompactaGZip(input);
    const std::size_t trailer = good.size() - 8;

    std::string badCrc = good;
    putLe32(badCrc, trailer, static_cast<std::uint32_t>(crc32(0, Z_NULL, 0)) ^ 0x1234);
    std::string badSize = good;
    putLe32(badSize, trailer + 4, static_cast<std::uint32_t>(input.size() + 1));
    std::string reservedFlag = good;
    reservedFlag[3] = 0x20;
    std::string badDeflate = good;
    badDeflate[10] = static_cast<char>(0xFF); // reserved block type

    struct Case {
        const char *name;
        std::string member;
    } cases[] = {
        {"wrong CRC", badCrc},
        {"wrong length", badSize},
        {"reserved flag", reservedFlag},
        {"short trailer", good.substr(0, good.size() - 3)},
        {"truncated body", good.substr(0, 40)},
        {"header only", good.substr(0, 10)},
        {"short header", good.substr(0, 6)},
        {"invalid deflate data", badDeflate},
    };
    for (const Case &c : cases)
        EXPECT_THROW(DescompactaBytes(c.member), DecompressionError) << c.name;
}

TEST(Compression, ZlibDataOfEveryLevelInflates)
{
    for (std::size_t size : {std::size_t{10}, std::size_t{65535}, std::size_t{65536}, std::size_t{200000}}) {
        const std::string input = sampleText(size);
        for (int level : {0, 1, 6, 9}) {
            const std::string data = zlibCompress(input, level);
            EXPECT_EQ(detect(data), tcmZLib) << level;
            EXPECT_EQ(DescompactaBytes(data), input) << size << " at level " << level;
        }
    }
}

TEST(Compression, ZipArchivesAndUnknownDataFailOnTheZlibPath)
{
    const std::string zip = bytes({0x50, 0x4B, 0x03, 0x04, 0x14, 0, 0, 0, 8, 0}) + "restante do arquivo";
    EXPECT_EQ(detect(zip), tcmZip);
    EXPECT_THROW(DescompactaBytes(zip), DecompressionError);
    EXPECT_THROW(DescompactaBytes("<?xml version=\"1.0\"?><a/>"), DecompressionError);

    const std::string zlib = zlibCompress(sampleText(1000), 6);
    EXPECT_THROW(DescompactaBytes(zlib.substr(0, zlib.size() / 2)), DecompressionError);
    std::string badChecksum = zlib;
    badChecksum.back() = static_cast<char>(badChecksum.back() ^ 1);
    EXPECT_THROW(DescompactaBytes(badChecksum), DecompressionError);
}

TEST(Compression, StreamFormsWorkOnTheWholeStream)
{
    const std::string input = sampleText(1000);
    std::istringstream source(input, std::ios::binary);
    source.seekg(500);
    const std::string member = CompactaStreamParaTexto(source);
    EXPECT_EQ(DescompactaBytes(member), input);

    std::istringstream compressed(member, std::ios::binary);
    compressed.seekg(20);
    EXPECT_EQ(DescompactaStreamParaTexto(compressed), input);

    std::istringstream partSource(input, std::ios::binary);
    partSource.seekg(600);
    std::ostringstream target(std::ios::binary);
    EXPECT_TRUE(CompactaStreamGZip(partSource, target));
    EXPECT_EQ(DescompactaBytes(target.str()), input.substr(600));
}
