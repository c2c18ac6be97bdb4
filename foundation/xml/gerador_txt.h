#pragma once

#include <cstddef>
#include <functional>
#include <map>
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

// What a "|" inside a value becomes in a TXT record, where "|" separates fields.
inline constexpr std::string_view kSubstitutoBarraTXT = "-";
// Alerts of the TXT output, named after the field they concern.
inline constexpr std::string_view kValorAlteradoTXT =
    "Valor alterado no TXT: quebra de linha ou \"|\" substituídos";
inline constexpr std::string_view kSemRegistroTXT = "Sem campo no leiaute TXT; valor não incluído no TXT";

// A value as a TXT record can hold it: every line break (CR LF, CR or LF)
// becomes `quebraLinha` and every "|" kSubstitutoBarraTXT; `alterado` tells
// whether anything was replaced. Entities stay as they are: the reader of the
// layout decodes them.
std::string ValorParaTXT(std::string_view valor, std::string_view quebraLinha, bool &alterado);

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
    // Replaces the template by lines already taken apart; `texto` is composed
    // when it is empty. Group ids and field names are upper-cased.
    void AtribuiAnalisadas(std::vector<Linha> linhas);
    void Limpa();

    bool empty() const { return linhas_.empty(); }
    // The template lines as given.
    const std::vector<std::string> &linhas() const { return linhas_; }
    const std::vector<Linha> &linhasAnalisadas() const { return analisadas_; }
    // Index of every line of the group (upper-case id), in template order.
    const std::vector<std::size_t> &linhasDoGrupo(std::string_view grupo) const;
    // Changes with every assignment, so records made from an older template
    // are never read against a newer one.
    unsigned versao() const { return versao_; }

  private:
    void indexaGrupos();

    std::vector<std::string> linhas_;
    std::vector<Linha> analisadas_;
    std::map<std::string, std::vector<std::size_t>, std::less<>> linhasPorGrupo_;
    unsigned versao_ = 0;
};

// The records of one document. Groups open and close as the XML is written:
// the opening of a group appends its template lines as the group's records,
// field values fill the records of the innermost open group, and the closing
// of a group makes the records of the enclosing group current again, so the
// parent's fields that follow a nested group reach the parent's record. A
// group whose id has no template line (or that has no id) fills the records
// of the enclosing group. The end turns the records into the TXT text.
class TxtRegistros {
  public:
    // Forgets every record and open group (a new document). Records made from
    // an older template are forgotten as well when the next group opens.
    void Limpa();
    // Opens a group (upper-case id).
    void AbreRegistro(const TxtTemplate &modelo, std::string_view grupo);
    // Closes the innermost open group; nothing when none is open.
    void FechaRegistro();
    // Makes the records of the latest opening of the group (upper-case id)
    // the current records of the innermost open group, without adding any.
    // No record is current when the group was never opened.
    void RetomaRegistro(const TxtTemplate &modelo, std::string_view grupo);
    // Fills the first unfilled placeholder of that name (upper-cased, trimmed)
    // in each current record; the value goes in unchanged. When the group's
    // own record of that single field is filled already, the value opens
    // another record of that line (a field that repeats, such as NVE). False
    // when the value went nowhere.
    bool PreencheCampo(const TxtTemplate &modelo, std::string_view campo, std::string_view valor);
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
    // An open group and the records its fields fill.
    struct Nivel {
        std::vector<std::size_t> registros; // indices in registros_
        bool proprios = false;              // the group's own records, not its parent's
    };

    std::size_t novoRegistro(const TxtTemplate &modelo, std::size_t linha);

    std::vector<Registro> registros_;
    std::vector<Nivel> abertos_;
    std::map<std::string, std::vector<std::size_t>, std::less<>> ultimaAbertura_;
    unsigned versaoModelo_ = 0;
};
