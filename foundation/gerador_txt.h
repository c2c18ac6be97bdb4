#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The TXT-layout output of the XML writer: a template of record lines and the
// records filled from it while a document is written.
//
// A template line is "<" + group id + ">", alignment blanks, the record name,
// then one placeholder "|" + field name + kMarcaCampoTXT per field, for
// example "<B01>      B|CUF¨|CNF¨" (¨ standing for the mark byte). "^ID^" in
// a line stands for the document Id. The mark is the single byte 0xA8 inside
// otherwise ASCII template lines; it counts as a mark only right after an
// ASCII byte, so it is never confused with the continuation byte of a UTF-8
// character. Values written into the records are UTF-8 text.

// The byte that closes every field placeholder of a template line.
inline constexpr char kMarcaCampoTXT = '\xA8';

// A template, parsed once when it is assigned.
class TxtTemplate {
  public:
    struct Linha {
        std::string texto;                // the template line as given
        std::string grupo;                // the group id between "<" and ">", upper-cased
        std::vector<std::string> trechos; // literal text around the placeholders (campos + 1)
        std::vector<std::string> campos;  // placeholder names, upper-cased, in line order
    };

    // Replaces the template by these lines; empty lines are kept but never used.
    void Atribui(std::vector<std::string> linhas);
    // Replaces the template by the lines of a text (ended by CR, LF or CR LF).
    void AtribuiTexto(std::string_view texto);
    void Limpa();

    bool empty() const { return linhas_.empty(); }
    // The template lines as given.
    const std::vector<std::string> &linhas() const { return linhas_; }
    const std::vector<Linha> &linhasAnalisadas() const { return analisadas_; }
    // Index of every line of the group (upper-case id), in template order.
    std::vector<std::size_t> linhasDoGrupo(std::string_view grupo) const;
    // Changes with every assignment, so records made from an older template
    // are never read against a newer one.
    unsigned versao() const { return versao_; }

  private:
    std::vector<std::string> linhas_;
    std::vector<Linha> analisadas_;
    unsigned versao_ = 0;
};

// The records of one document: a group opening appends its template lines,
// field values fill the lines of the latest opening, and the end turns them
// into the TXT text.
class TxtRegistros {
  public:
    // Forgets every record (a new document). Records made from an older
    // template are forgotten as well when the next group opens.
    void Limpa();
    // Appends the template lines of the group (upper-case id) as the current
    // records; an empty id leaves no record current.
    void AbreRegistro(const TxtTemplate &modelo, std::string_view grupo);
    // Makes the records of the latest opening of the group (upper-case id)
    // current again, without adding any: the fields that follow a nested group
    // go back into the parent's record. No record is current when the group
    // was never opened.
    void RetomaRegistro(const TxtTemplate &modelo, std::string_view grupo);
    // Fills the first unfilled placeholder of that name (upper-cased, trimmed)
    // in each current record; the value goes in unchanged.
    void PreencheCampo(const TxtTemplate &modelo, std::string_view campo, std::string_view valor);
    // The finished text: records none of whose fields was filled are dropped,
    // "^ID^" becomes the document Id, unfilled fields are left empty, group
    // markers and alignment blanks go, record names ending in a letter get it
    // lower-cased (C02A becomes C02a); each line is followed by CR LF.
    std::string Conclui(const TxtTemplate &modelo, std::string_view id) const;

  private:
    struct Registro {
        std::size_t linha = 0;            // index in the template
        std::vector<std::string> valores; // per placeholder
        std::vector<bool> preenchidos;    // per placeholder
    };

    std::vector<Registro> registros_;
    std::size_t inicioAtual_ = 0; // current records: [inicioAtual_, fimAtual_)
    std::size_t fimAtual_ = 0;
    unsigned versaoModelo_ = 0;
};
