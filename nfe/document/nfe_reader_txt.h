#pragma once

// The reader of an NF-e written in the pipe-delimited TXT layout.
//
// A TXT note is one record per line: a header line "NOTA FISCAL|<count>", the
// version line "A|<version>|<Id>", then the records of the note, each line
// starting with the record name followed by its field values separated by "|".
// Where a field stands inside its record is never fixed here: it is looked up
// by name in the record's line of the layout of the file's version, so the
// same record handler serves every layout version.
//
// Usage: construct for the document to fill, CarregarArquivo(path), then
// InterpretarArquivo(). The reader adds to and overwrites the document it is
// given; nothing is cleared first. A field that does not convert ends the
// reading with EQuibDFeException "Erro ao ler o campo <TAG>. Conteúdo
// inválido = <value>"; a record that completes an item that is not there (an
// item record before any "H", "YA04" before any "YA01"...) and a file holding
// a second note end it with an EQuibDFeException that says so.
//
// Implemented in nfe_reader_txt.cpp (loading, the record loop, typed field
// reads) and the record handlers of detail/nfe_reader_txt_records.h
// (nfe_reader_txt_header.cpp, nfe_reader_txt_product.cpp,
// nfe_reader_txt_taxes.cpp, nfe_reader_txt_closing.cpp,
// nfe_reader_txt_fields.cpp).

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "nfe/document/layout_txt.h"

class TNFe;

// A field value as LerCampoTipado gives it: text, 32- or 64-bit integer, or a
// floating number (decimals, and dates and times as TDateTime).
using TValorCampoTXT = std::variant<std::string, int, std::int64_t, double>;

class TNFeRTXT {
  public:
    // Value-kind codes that LerCampoTipado reads (the codes of the writer's
    // value kinds): text 0, integer 1, date 2, date-time 3, raw text 4,
    // decimal 5, 6, 7 and 12, time 13, 64-bit integer 21.
    explicit TNFeRTXT(TNFe &nfe);
    TNFeRTXT(const TNFeRTXT &) = delete;
    TNFeRTXT &operator=(const TNFeRTXT &) = delete;

    TNFe &NFe() { return nfe_; }

    // The lines of the file, as loaded (UTF-8).
    std::vector<std::string> ConteudoArquivo;
    // Warnings of the last InterpretarArquivo, one per line that was skipped
    // (a record the layout of the file's version does not have, such as a
    // continuation of the line before), each naming its line number. They
    // do not stop the reading.
    std::vector<std::string> Avisos;

    // False when the file does not exist (the lines are left as they were).
    // Otherwise the file's lines replace ConteudoArquivo and the answer is
    // true. Lines end at CR, LF or CR LF. Valid UTF-8 (with or without a byte
    // order mark) is taken as UTF-8, anything else as Windows-1252. A file that
    // exists but cannot be read raises EQuibDFeException.
    bool CarregarArquivo(const std::string &arquivo);
    // The same for a file's contents already in memory.
    void CarregarTexto(std::string_view conteudo);

    // Checks the loaded lines and reads them into the document. False, with
    // the document untouched, when there are no lines, the first line is no
    // TXT header or the second line names no known layout version
    // ("1.10", "2.00", "3.10", "4.00"); true once every record was read.
    // A header without a version line raises EQuibDFeException.
    bool InterpretarArquivo();

    // The layout of the file's version; null before InterpretarArquivo
    // accepted a file.
    const TxtLayout *Layout() const { return layout_; }
    // The record line being read, and its upper-case record name.
    const std::string &Registro() const { return registro_; }
    const std::string &ID() const { return id_; }

    // Reads one record line into the document. An empty line does nothing;
    // a record name that no handler knows adds a warning to Avisos unless it
    // is a group line of the layout without fields ("N", "W"...).
    void LerRegistro(std::string_view linha);

    // Field TAG of the current record converted by the value kind. A field
    // that the record of the file's version does not carry reads as empty.
    TValorCampoTXT LerCampoTipado(int tipo, std::string_view TAG) const;
    // The raw text of field TAG of the current record; empty when the record
    // does not carry it.
    std::string_view TextoDoCampo(std::string_view TAG) const;
    // 1-based position of field TAG (trimmed, ASCII case ignored) in a layout
    // record; 0 when the record is null or has no such field.
    static int PosicaoDoCampo(std::string_view TAG, const TxtLayoutRecord *registro);

  private:
    void avisaLinhaIgnorada();

    TNFe &nfe_;
    const TxtLayout *layout_ = nullptr;
    std::string registro_;
    std::string id_;
    const TxtLayoutRecord *registroLayout_ = nullptr; // layout line of id_
    std::vector<std::string_view> campos_;            // registro_ split at "|"
    int linhaAtual_ = 0;                              // 1-based line being read
};
