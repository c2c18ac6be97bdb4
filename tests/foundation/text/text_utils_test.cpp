#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "tests/support/run_command.h"

namespace {

struct FillCase {
    const char *name;
    std::string result;
    std::string expected;
};

TEST(TextUtils, FillingCountsCharactersAndCutsTheEnd)
{
    const FillCase cases[] = {
        {"esquerda corta o fim", CompletaEsquerda("12345", 3, '0'), "123"},
        {"esquerda preenche", CompletaEsquerda("7", 3, '0'), "007"},
        {"direita preenche", CompletaDireita("ab", 4, '.'), "ab.."},
        {"direita corta", CompletaDireita("abcdef", 2, '.'), "ab"},
        {"largura negativa", CompletaDireita("abc", -1, ' '), ""},
        {"acentos contam um", CompletaDireita("Ação", 6, '*'), "Ação**"},
        {"corte em caractere", CompletaEsquerda("Çãoxyz", 2, ' '), "Çã"},
        {"preenchimento multibyte", CompletaEsquerda("x", 3, "─"), "──x"},
        {"centro impar a direita", CentralizaNaLargura("ab", 7, ' '), "  ab   "},
        {"centro com acento", CentralizaNaLargura("é", 3, '-'), "-é-"},
        {"centro corta", CentralizaNaLargura("abcdef", 3, ' '), "abc"},
        {"ansi conta bytes", CompletaDireitaAnsi("é", 3, '.'), "é."},
        {"ansi esquerda", CompletaEsquerdaAnsi("é", 3, '.'), ".é"},
        {"ansi centro", CentralizaNaLarguraAnsi("ab", 7, ' '), "  ab   "},
        {"espacos", GeraEspacos(3), "   "},
        {"espacos negativos", GeraEspacos(-2), ""},
        {"texto com zeros apara", TextoComZeros(" 42 ", 5), "00042"},
        {"inteiro com zeros", InteiroComZeros(12345, 3), "123"},
        {"inteiro com zeros curto", InteiroComZeros(7, 3), "007"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.result, c.expected) << c.name;
}

TEST(TextUtils, JustifySpreadsSeparatorsToExactWidth)
{
    EXPECT_EQ(JustificaTexto("TOTAL|10,00", 20, '|', '.', false), "TOTAL..........10,00");
    // Remainder goes to the rightmost separators.
    EXPECT_EQ(JustificaTexto("a|b|c", 8, '|', '-', false), "a--b---c");
    // Separator equal to the fill: inserted blanks are not taken for separators,
    // and separators at the ends survive the trim.
    EXPECT_EQ(JustificaTexto("a b c", 10, ' ', ' ', true), "a   b    c");
    EXPECT_EQ(JustificaTexto(" a", 4, ' ', ' ', true), "   a");
    // Without separator: padded, not trimmed.
    EXPECT_EQ(JustificaTexto(" abc", 6, '|', ' ', true), " abc  ");
    // Widths count characters.
    EXPECT_EQ(JustificaTexto("Preço|R$ 1,00", 16, "|", " ", true), "Preço    R$ 1,00");
    // Longer than the width: cut first.
    EXPECT_EQ(JustificaTexto("abcdef|gh", 6, '|', ' ', false), "abcdef");
    // Trimmed text keeps the exact width.
    EXPECT_EQ(JustificaTexto("  a|b  ", 6, '|', '.', true), "a....b");
}

TEST(TextUtils, SearchesAndEdits)
{
    EXPECT_EQ(TextoEntreMarcas("x<a>1</a>y", "<a>", "</a>"), "1");
    EXPECT_EQ(TextoEntreMarcas("x<a>1</a>y", "<a>", "</a>", true), "<a>1</a>");
    EXPECT_EQ(TextoEntreMarcas("x<a>1", "<a>", "</a>"), "");
    EXPECT_EQ(TextoEntreMarcas("xyz", "<a>", "</a>", true), "");
    // Included: the end marker may be found inside the start marker.
    EXPECT_EQ(TextoEntreMarcas("[[x]]", "[[", "[", true), "[");
    // Included, no end marker: the first (length of end marker - 1) characters.
    EXPECT_EQ(TextoEntreMarcas("ação", "a", "xyz", true), "aç");

    EXPECT_EQ(UltimaPosicao("a", "banana"), 6);
    EXPECT_EQ(UltimaPosicao("na", "ÇÇbanana"), 7);
    EXPECT_EQ(UltimaPosicao("z", "banana"), 0);
    EXPECT_EQ(ContaOcorrencias("aaa", "aa"), 2);
    EXPECT_EQ(ContaOcorrencias("aaa", ""), 0);
    EXPECT_EQ(RetiraOcorrencias("ab", "xabyabz"), "xyz");
    EXPECT_EQ(TextoOuPadrao("  ", "def", true), "def");
    EXPECT_EQ(TextoOuPadrao("  ", "def", false), "  ");
    EXPECT_EQ(TextoOuPadrao(" x ", "def", true), " x ");
    EXPECT_EQ(RetiraZerosEsquerda("000"), "0");
    EXPECT_EQ(RetiraZerosEsquerda("00120"), "120");
    EXPECT_EQ(RetiraZerosEsquerda(""), "");
    EXPECT_EQ(trimText(std::string("\t\r\n x \0", 7)), "x");
}

TEST(TextUtils, CharacterClassesAndFilters)
{
    EXPECT_FALSE(SoDigitos(""));
    EXPECT_TRUE(SoDigitos("0123"));
    EXPECT_FALSE(SoDigitos("01a"));
    EXPECT_TRUE(SoHexadecimal(""));
    EXPECT_TRUE(SoHexadecimal("09afAF"));
    EXPECT_FALSE(SoHexadecimal("0g"));
    EXPECT_TRUE(SoBinario("0110"));
    EXPECT_FALSE(SoBinario("012"));
    EXPECT_TRUE(SoLetrasEDigitos("abC9"));
    EXPECT_FALSE(SoLetrasEDigitos("ação"));

    EXPECT_TRUE(Base64Valido("ab=="));
    EXPECT_FALSE(Base64Valido("a==="));
    EXPECT_FALSE(Base64Valido("abc"));
    EXPECT_FALSE(Base64Valido(""));
    EXPECT_TRUE(Base64Valido("ab+/"));
    EXPECT_FALSE(Base64Valido("a=bc"));

    EXPECT_TRUE(EhLetra('z'));
    EXPECT_FALSE(EhLetra(U'é'));
    EXPECT_TRUE(EhHexadecimal('F'));
    EXPECT_TRUE(EhCaractereBase64('+'));
    EXPECT_FALSE(EhBinario('2'));
    EXPECT_TRUE(CaractereNoConjunto(U'é', CharSet::of("a").add(U'é')));
    EXPECT_FALSE(CaractereNoConjunto(U'€', CharSet::range(0, 255)));

    EXPECT_EQ(SomenteDigitos("(11) 9876-5432é"), "1198765432");
    EXPECT_EQ(SomenteLetrasEDigitos("Ação 1-b"), "Ao1b");
    EXPECT_EQ(SomenteDoConjunto("ação!", CharSet::of("a!").add(U'ç')), "aç!");
}

TEST(TextUtils, AccentFoldingKeepsTheCharacterCount)
{
    EXPECT_EQ(RemoveAcentoCaractere(U'Ã'), U'A');
    EXPECT_EQ(RemoveAcentoCaractere(U'ç'), U'c');
    EXPECT_EQ(RemoveAcentoCaractere(U'Ø'), U'0');
    EXPECT_EQ(RemoveAcentoCaractere(U'÷'), U'/');
    EXPECT_EQ(RemoveAcentoCaractere(U'ß'), U'B');
    EXPECT_EQ(RemoveAcentoCaractere(U'ÿ'), U'y');
    EXPECT_EQ(RemoveAcentoCaractere(U'º'), U'º');

    EXPECT_EQ(RemoveAcentos("Ação\tº"), "Acao  ");
    EXPECT_EQ(RemoveAcentos("a\r\nb\bc"), "a\r\nb\bc");
    EXPECT_EQ(RemoveAcentos("€ Ñ\x7f"), "  N ");
    EXPECT_EQ(RemoveAcentos("\xff"), " ");
}

TEST(TextUtils, CaseHelpersNeverChangeTheLength)
{
    EXPECT_EQ(upperWithAccents("ação ÿ šžœ ß÷"), "AÇÃO Ÿ ŠŽŒ ß÷");
    EXPECT_EQ(upperAscii("ação"), "AçãO");
    EXPECT_EQ(lowerAscii("AÇÃO"), "aÇÃo");
}

TEST(TextUtils, CutIntoLines)
{
    EXPECT_EQ(ParteEmLinhas(std::string(25, 'x'), 10, 0, false),
              std::string(10, 'x') + "\n" + std::string(10, 'x') + "\n" + std::string(5, 'x') + "\n");
    EXPECT_EQ(ParteEmLinhas("ab\r\ncd", 10, 0, true), "ab        \ncd        \n");
    EXPECT_EQ(ParteEmLinhas("abcdef", 2, 2, false), "ab\ncd\n");
    EXPECT_EQ(ParteEmLinhas("", 3, 0, true), "   \n");
    EXPECT_EQ(ParteEmLinhas("", 3, 0, false), "\n");
    // A one-letter tag is not split.
    EXPECT_EQ(ParteEmLinhas("abc<b>de", 4, 0, false), "abc<b>\nde\n");
    EXPECT_EQ(ParteEmLinhas("ab</b>de", 4, 0, false), "ab</b>\nde\n");
    // Columns count characters.
    EXPECT_EQ(ParteEmLinhas("çççç", 2, 0, false), "çç\nçç\n");
    EXPECT_THROW(ParteEmLinhas("abc", 0, 0, false), std::invalid_argument);
    // Line breaks end lines early; an LF right after a full line is taken with it.
    EXPECT_EQ(ParteEmLinhas("ab\n\ncd\nefgh\nij", 4, 0, false), "ab\n\ncd\nefgh\nij\n");
    EXPECT_EQ(ParteEmLinhas("abcd\nef", 4, 0, false), "abcd\nef\n");
    EXPECT_EQ(ParteEmLinhas("a\nb\nc\nd", 4, 3, false), "a\nb\nc\n");
    EXPECT_EQ(ParteEmLinhas("abc<", 3, 0, false), "abc\n<\n");
}

// A long text without line breaks is cut the same way at every size.
TEST(TextUtils, CuttingALongTextGivesEveryCharacterOnce)
{
    std::string text;
    for (int i = 0; i < 50000; ++i)
        text += i % 7 == 0 ? "ç" : "x";
    const std::string lines = ParteEmLinhas(text, 80, 0, false);
    EXPECT_EQ(replaceAll(lines, "\n", ""), text);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 625);
    EXPECT_EQ(lines.substr(0, lines.find('\n')), utf8Prefix(text, 80));
}

TEST(TextUtils, WordWrap)
{
    EXPECT_EQ(QuebraPorPalavras("aaa bbb ccc", 7, ' '), "aaa bbb \r\nccc");
    EXPECT_EQ(QuebraPorPalavras("aaa bbb ccc", 6, ' '), "aaa \r\nbbb \r\nccc");
    EXPECT_EQ(QuebraPorPalavras("aaa bbb", 4, ' '), "aaa \r\nbbb");
    EXPECT_EQ(QuebraPorPalavras("abcdefghij", 4, ' '), "abcd\r\nefgh\r\nij");
    EXPECT_EQ(QuebraPorPalavras("ab\r\ncd ef", 10, ' '), "ab\r\ncd ef");
    EXPECT_EQ(QuebraPorPalavras("ab\r\n\r\ncd", 10, ' '), "ab\r\n\r\ncd");
    EXPECT_EQ(QuebraPorPalavras("aaa    bbb", 3, ' '), "aaa \r\nbbb");
    EXPECT_EQ(QuebraPorPalavras("ção ção", 3, ' '), "ção \r\nção");
    EXPECT_EQ(QuebraPorPalavras("a\nb", 0, ' '), "a\r\nb");
}

TEST(TextUtils, LineBreaksSeparatorsAndSplitting)
{
    EXPECT_EQ(NormalizaQuebras("a\r\nb\rc\nd", "\n"), "a\nb\nc\nd");
    EXPECT_EQ(NormalizaQuebras("a\r\nb\rc", "|"), "a|b|c");
    EXPECT_EQ(NormalizaQuebras("a\r\nb", ""), "ab");
    EXPECT_EQ(NormalizaQuebras(" \r\n ", "|"), " \r\n ");

    EXPECT_EQ(DetectaSeparador("a|b,c"), ',');
    EXPECT_EQ(DetectaSeparador("a|b;c", "|;"), '|');
    EXPECT_EQ(DetectaSeparador("abc"), ' ');

    std::vector<std::string> parts{"old"};
    EXPECT_EQ(DivideTexto("a;\"b;c\";d", ';', parts, '"'), 3);
    EXPECT_EQ(parts, (std::vector<std::string>{"old", "a", "b;c", "d"}));

    struct Case {
        const char *text;
        char quote;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"", '"', {}},
        {"abc", '"', {"abc"}},
        {"a;;b;", '"', {"a", "", "b"}},
        {";a", '"', {"", "a"}},
        {"a;\"b;c", '"', {"a", "b;c"}},
        {"a;\"b;c\"", '\0', {"a", "\"b", "c\""}},
        {" a ; b ", '"', {" a ", " b "}},
    };
    for (const auto &c : cases) {
        std::vector<std::string> got;
        EXPECT_EQ(DivideTexto(c.text, ';', got, c.quote), static_cast<int>(c.parts.size())) << c.text;
        EXPECT_EQ(got, c.parts) << c.text;
    }
}

TEST(TextUtils, NativeConversionsKeepTheText)
{
    EXPECT_EQ(TextoNativo("ação"), "ação");
    EXPECT_EQ(DecodificaTexto("a\xe7", false), "a\xe7");
    EXPECT_EQ(ByteParaChar(0x1B), '\x1b');
}

// Text from outside: each well-formed UTF-8 sequence is kept, each stray byte
// is one Windows-1252 character, whatever else the text holds.
TEST(TextUtils, EdgeDecoderKeepsUtf8AndReadsStrayBytesAsWindows1252)
{
    struct Case {
        std::string_view in;
        std::string_view out;
    };
    const Case cases[] = {
        {"", ""},
        {"ação", "ação"},
        {"a\xe7\xe3o \x80", "ação €"},                    // Windows-1252 only
        {"a\xC3\xA7\xC3\xA3o \x80", "ação €"},            // UTF-8 with one stray byte
        {"\xff\xfe", "ÿþ"},                               // no UTF-8 at all
        {"\xC3", "Ã"},                                    // sequence cut at the end
        {"\xE2\x82 \xE2\x82\xAC", "â‚ €"},                // cut sequence, then a whole one
        {"\xC0\xAF", "À¯"},                               // overlong form is no UTF-8
        {"\xED\xA0\x80", "í\u00A0€"},                     // nor is a surrogate
        {"\x93x\x94 \xF0\x9F\x98\x80", "“x” \U0001F600"}, // quotes and a 4-byte sequence
        {"\x81\x8D\x8F\x90\x9D", "?????"},                // bytes Windows-1252 leaves undefined
    };
    for (const auto &c : cases) {
        EXPECT_EQ(AnsiParaUTF8(c.in), c.out) << c.in;
        EXPECT_EQ(UTF8ParaAnsi(c.in), c.out) << c.in;
        EXPECT_EQ(DecodificaTexto(c.in, true), c.out) << c.in;
    }
}

// The printer pages must give exactly the bytes iconv(1) gives; a character the
// page lacks becomes "?".
TEST(TextUtils, CodePagesMatchIconvProgram)
{
    if (!testsupport::hasProgram("iconv"))
        GTEST_SKIP() << "iconv(1) not installed";
    const std::vector<std::string> characters = {"Á", "ç", "ã", "é", "ü", "€", "─",
                                                 "│", "┌", "╬", "░", "a", "1"};
    std::string text;
    for (const auto &c : characters)
        text += c;

    for (const int page : {437, 850, 852, 860, 1252}) {
        const std::string name = "CP" + std::to_string(page);
        std::string expected;
        for (const auto &c : characters) {
            const auto r = testsupport::runCommand({"iconv", "-f", "UTF-8", "-t", name}, c);
            expected += r.exitCode == 0 ? r.out : "?";
        }
        const std::string converted = ConvertePaginaCodigo(text, page, 0);
        EXPECT_EQ(converted, expected) << name;
        // A kept converter gives the same on every call, also after a "?".
        const ConversorPaginaCodigo conversor(page);
        for (int vez = 0; vez < 2; ++vez)
            EXPECT_EQ(conversor.Converter(text), expected) << name;
        EXPECT_EQ(WideParaPaginaCodigo(u"Á─€", page), ConvertePaginaCodigo("Á─€", page, 0)) << name;

        // Back to UTF-8, the bytes the page defines give what iconv(1) gives.
        const auto back = testsupport::runCommand({"iconv", "-f", name, "-t", "UTF-8"}, converted);
        ASSERT_EQ(back.exitCode, 0) << name;
        EXPECT_EQ(ConvertePaginaCodigo(converted, 0, page), back.out) << name;
        EXPECT_EQ(ConvertePaginaCodigo(converted, 65001, page), back.out) << name;
    }
    EXPECT_EQ(PaginaCodigoParaWide("\x80", 1252), u"€");
    EXPECT_EQ(ConvertePaginaCodigo("\xc9", 850, 1252), "\x90"); // É
    EXPECT_EQ(ConvertePaginaCodigo("a\xff", 0, 0), "a?");
    EXPECT_EQ(ConvertePaginaCodigo("\x81", 0, 1252), "?");
    EXPECT_THROW(ConvertePaginaCodigo("a", 99999, 0), EQuibException);
    EXPECT_THROW(ConversorPaginaCodigo(99999), EQuibException);
    EXPECT_EQ(ConversorPaginaCodigo(65001).Converter("a\xff"), "a?");
}

} // namespace
