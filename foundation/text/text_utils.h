#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/text/char_set.h"

// Text utilities: code pages, filling, justification, searches, character
// classes and filters, line cutting, word wrapping and splitting.
//
// Text is UTF-8. Widths, lengths and positions count characters (positions
// from 1); a byte that is not well-formed UTF-8 counts as one character. The
// functions ending in "Ansi" count bytes. Fill, separator and break arguments
// given as text are one character (an empty one means a blank).
// "Trimming" removes the characters U+0000 to U+0020 at both ends.
//
// Implemented in text_code_pages.cpp (code pages), text_fill.cpp (filling,
// centring, justification), text_search.cpp (searches, small edits and
// casing; trimming is inline here), text_classes.cpp (character classes, filters, accent folding)
// and text_lines.cpp (line cutting, wrapping, splitting).

// ---- Conversions -----------------------------------------------------------

// The program's own texts are already in the native form: unchanged.
std::string TextoNativo(std::string_view text);
std::string NativoParaAnsi(std::string_view text);
std::string AnsiParaNativo(std::string_view text);

// Text arriving from outside (files, answers, documents), made the program's
// UTF-8 by one rule: every well-formed UTF-8 sequence is kept as it is and
// every other byte is read as one Windows-1252 character (the five bytes that
// page leaves undefined become "?"). So a UTF-8 text with one stray
// Windows-1252 byte keeps its accents, and a Windows-1252 text comes in whole.
// Both names are in use; they do the same.
std::string AnsiParaUTF8(std::string_view text);
std::string UTF8ParaAnsi(std::string_view text);
// UTF8ParaAnsi of the text when isUtf8 is set, else the text unchanged.
std::string DecodificaTexto(std::string_view text, bool isUtf8);

// Code pages: 0 and 65001 mean UTF-8; 437, 850, 852, 860, 1252 and the other
// numbers glibc knows as "CP<n>". Characters the destination cannot hold, and
// bytes the source page does not define, become "?". An unknown page raises
// EQuibException.
std::string WideParaPaginaCodigo(std::u16string_view text, int codePage);
std::u16string PaginaCodigoParaWide(std::string_view text, int codePage);
std::string ConvertePaginaCodigo(std::string_view text, int destPage, int sourcePage);

// UTF-8 text to one code page, as ConvertePaginaCodigo(text, destPage, 65001),
// through one conversion handle kept for every call (for callers that
// convert often, such as a printer). Not for use by two threads at once.
// The constructor raises EQuibException for an unknown page.
class ConversorPaginaCodigo {
  public:
    explicit ConversorPaginaCodigo(int destPage);
    ~ConversorPaginaCodigo();
    ConversorPaginaCodigo(const ConversorPaginaCodigo &) = delete;
    ConversorPaginaCodigo &operator=(const ConversorPaginaCodigo &) = delete;
    int Pagina() const { return destPage_; }
    std::string Converter(std::string_view utf8) const;

  private:
    int destPage_;
    void *handle_ = nullptr; // the iconv handle; none for a UTF-8 page
};

// The byte with that value.
char ByteParaChar(std::uint8_t value);

// ---- Filling, centring and justification -------------------------------------

std::string CompletaDireita(std::string_view text, int width, std::string_view fill = " ");
std::string CompletaDireita(std::string_view text, int width, char fill);
std::string CompletaEsquerda(std::string_view text, int width, std::string_view fill = " ");
std::string CompletaEsquerda(std::string_view text, int width, char fill);
std::string CentralizaNaLargura(std::string_view text, int width, std::string_view fill = " ");
std::string CentralizaNaLargura(std::string_view text, int width, char fill);

std::string CompletaDireitaAnsi(std::string_view text, int width, char fill = ' ');
std::string CompletaEsquerdaAnsi(std::string_view text, int width, char fill = ' ');
std::string CentralizaNaLarguraAnsi(std::string_view text, int width, char fill = ' ');

// Spreads a line to the width: each separator becomes fill characters, the
// spare ones going one each to the rightmost separators. A text without
// separator is padded on the right. With `trim` the line is trimmed first.
std::string JustificaTexto(std::string_view text, int width, std::string_view separator,
                           std::string_view fill, bool trim);
std::string JustificaTexto(std::string_view text, int width, char separator, char fill, bool trim);

std::string GeraEspacos(int count);
// The trimmed text padded on the left with "0" (cut to its first width characters).
std::string TextoComZeros(std::string_view text, int width);
std::string InteiroComZeros(std::int64_t value, int width);

// ---- Searching and editing ---------------------------------------------------

// The text between the first start marker and the first end marker after it
// (both markers included with `include`); empty when the start marker is absent.
std::string TextoEntreMarcas(std::string_view text, std::string_view startMarker, std::string_view endMarker,
                             bool include = false);
// Position (from 1, in characters) of the last occurrence; 0 when absent.
int UltimaPosicao(std::string_view sub, std::string_view text);
// Occurrences of `sub`, overlapping ones included; 0 for an empty `sub`.
int ContaOcorrencias(std::string_view text, std::string_view sub);
std::string RetiraOcorrencias(std::string_view sub, std::string_view text);
std::string TextoOuPadrao(std::string_view text, std::string_view defaultText, bool trim = true);
// The text without its leading "0" characters; the last character is always kept.
std::string RetiraZerosEsquerda(std::string_view text);

// ---- Character classes and filters -------------------------------------------

bool CaractereNoConjunto(char32_t c, const CharSet &set);
bool EhLetra(char32_t c);
bool EhLetraOuDigito(char32_t c);
bool EhDigito(char32_t c);
bool EhHexadecimal(char32_t c);
bool EhBinario(char32_t c);
bool EhCaractereBase64(char32_t c);

// True when every character is of the class (true for an empty text).
bool SoLetrasEDigitos(std::string_view text);
bool SoHexadecimal(std::string_view text);
bool SoBinario(std::string_view text);
// True when the text is not empty and every character is a digit.
bool SoDigitos(std::string_view text);
bool Base64Valido(std::string_view text);
// Standard Base64 (A-Z a-z 0-9 + /, "=" padding), implemented in
// text_base64.cpp. CodificaBase64 gives one line without breaks;
// DecodificaBase64 gives the bytes of a text that passes Base64Valido and
// raises ConversionError "Base64 inválido" for any other.
std::string CodificaBase64(std::string_view bytes);
std::string DecodificaBase64(std::string_view text);

std::string SomenteDigitos(std::string_view text);
std::string SomenteLetrasEDigitos(std::string_view text);
std::string SomenteDoConjunto(std::string_view text, const CharSet &set);

// Folds an accented Latin letter (U+00C0 to U+00FF) to ASCII; others unchanged.
char32_t RemoveAcentoCaractere(char32_t c);
// Folds accents; every character other than backspace, LF, CR and U+0020 to
// U+007E becomes a blank, so the character count never changes.
std::string RemoveAcentos(std::string_view text);

// ---- Lines and splitting ------------------------------------------------------

// Cuts the text into lines of `columns` characters, each ended by LF. Raises
// std::invalid_argument for columns below 1.
std::string ParteEmLinhas(std::string_view text, int columns, int maxLines = 0, bool pad = false);
// Word wrap at `columns`, breaking after the break character or at existing
// line breaks; lines end in CR LF.
std::string QuebraPorPalavras(std::string_view text, int columns, char breakChar = ' ');
// CR LF and lone CR become LF, then LF becomes `lineBreak`; a blank text is
// returned unchanged.
std::string NormalizaQuebras(std::string_view text, std::string_view lineBreak);
// The first candidate (in candidate order) found in the text; a blank when none.
// Empty candidates mean ";,|".
char DetectaSeparador(std::string_view text, std::string_view candidates = "");
// Appends the parts of the text to the list and returns their number. A part
// that starts with the quote character runs to the next quote character
// ('\0' quotes nothing).
int DivideTexto(std::string_view text, char delimiter, std::vector<std::string> &list, char quote);

// ---- Small helpers shared by the foundation ---------------------------------

// The text without the characters U+0000 to U+0020 at both ends. Inline:
// the writers and readers trim every field name and value.
inline std::string_view trimText(std::string_view text)
{
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32)
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32)
        --last;
    return text.substr(first, last - first);
}
// Upper- or lower-cases A-Z only.
std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);
// Upper-cases a-z and the accented letters of Windows-1252 (à-þ, š, ž, œ, ÿ);
// the byte length never changes.
std::string upperWithAccents(std::string_view text);
// The lines of a text split at CR LF, LF or lone CR; a final line break adds
// no empty line, and an empty text has no lines.
std::vector<std::string> splitLines(std::string_view text);
// Every occurrence of `from` replaced by `to` in one pass.
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
