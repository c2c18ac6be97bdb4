#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "foundation/xml/detail/indice_de_tags.h"
#include "foundation/xml/valor_campo.h"

// The XML reader of every fiscal document and answer. It is not an XML
// parser: it searches the text for tags, because answers are not always
// well-formed XML. A reader walks a document top-down: extract the outer group
// at level 1, read its fields, extract an inner group at level 2 from the
// level-1 text, and so on; for a list, extract item 1, 2, 3... of the element
// until the result is empty.
//
// Group texts are ranges of the document, never copies. Each level remembers
// where its last item extraction ended, so walking a list of n items costs
// O(n). The plain tags of a text are indexed once, on the first field read
// from any group of it, and every group looks its fields up in that index. Field
// names are compared without regard to ASCII case, group tags and attributes
// with exact case.
//
// Implemented in leitor.cpp (group extraction and the level walk) and
// leitor_campo.cpp (LeCampo: a field's content converted by its kind); the
// tag index it searches with in detail/indice_de_tags.cpp.
class TLeitor {
  public:
    static constexpr int kNiveis = 10;

    TLeitor();

    // The whole document text. Setting it starts a new document: level 0 is
    // the new text; groups already extracted keep their own texts.
    const std::string &Arquivo() const { return arquivo_->conteudo(); }
    void setArquivo(std::string texto);
    // Level 0 becomes the range [inicio, inicio + tamanho) of the document
    // text, without a copy: groups are extracted from that range alone, with
    // the text's one tag index. Arquivo still answers the whole text.
    // Raises std::out_of_range for a range outside the text.
    void setTrechoDoArquivo(std::size_t inicio, std::size_t tamanho);

    // The current group: the last group extracted, or any text assigned here.
    // LeCampo, LeCNPJouCPF and LeAtributo read from it. The view stays valid
    // until the next extraction or assignment.
    std::string_view Grupo() const { return grupo_.view(); }
    void setGrupo(std::string texto);
    // Makes the whole document (level 0) the current group, without a copy.
    void setGrupoComoArquivo();

    // Decimal values read as digit strings with implied decimals.
    bool FloatIsIntString = false;

    // Loads a text file into Arquivo: its lines joined with CR LF, a CR LF
    // after the last one. UTF-8 stays as it is (a BOM is dropped); any other
    // text is read as Windows-1252. Raises EQuibException when the file cannot
    // be read.
    bool LeArquivo(const std::string &NomeArquivo);

    // Item `Item` (from 1) of the element TagInicio ... TagFim (TagFim blank:
    // the same name) in the text of level Nivel - 1 (level 0 is Arquivo): the
    // element from its opening tag ("<name>", "<name " or "<name:") to its
    // closing tag. The result becomes Grupo and the text of level Nivel. Empty
    // when there is no such item; then Grupo is empty and the level keeps its
    // previous text. Raises std::out_of_range for Nivel outside 1 to 10.
    std::string ExtraiGrupo(int Nivel, std::string_view TagInicio, std::string_view TagFim = "",
                            int Item = 1);

    // The content of the first element TAG of Grupo (before TagLimite, when
    // given), converted by the kind: texts with the XML escapes undone,
    // vcDigitos as written, integers from their digits, dates and times from
    // their layout forms, decimal kinds as double. An absent element gives an
    // empty text or 0. Malformed dates raise ConversionError; a kind without
    // a reading rule raises EQuibException.
    TValorCampo LeCampo(TTipoValorCampo Tipo, std::string_view TAG, std::string_view TagLimite = "") const;

    // The content of the first element TAG of Grupo as written, blanks around
    // it trimmed (what vcTextoBruto gives), as a view into Grupo: valid until
    // the next extraction or assignment. Empty when absent.
    std::string_view ConteudoDoCampo(std::string_view TAG, std::string_view TagLimite = "") const;

    // The text of "CNPJ" in Grupo, or of "CPF" when that is blank.
    std::string LeCNPJouCPF(std::string_view TagLimite = "") const;

    // The value of the attribute in Grupo (searched after Tag when Tag is
    // given and found), between double or single quotes, with the XML escapes
    // undone; empty when absent.
    std::string LeAtributo(std::string_view Atributo, std::string_view Tag = "") const;

  private:
    // A text that the reader shares between its levels, with the index of its
    // plain tags, built on the first look-up and kept for every group of it.
    class Texto {
      public:
        explicit Texto(std::string conteudo) : conteudo_(std::move(conteudo)) {}
        const std::string &conteudo() const { return conteudo_; }
        const IndiceDeTags &indice() const;

      private:
        const std::string conteudo_;
        mutable std::unique_ptr<const IndiceDeTags> indice_;
    };

    // A range of a shared text.
    struct Trecho {
        std::shared_ptr<const Texto> dono;
        std::size_t inicio = 0;
        std::size_t fim = 0;
        std::string_view view() const
        {
            return dono ? std::string_view(dono->conteudo()).substr(inicio, fim - inicio)
                        : std::string_view();
        }
        bool mesmoQue(const Trecho &outro) const
        {
            return dono == outro.dono && inicio == outro.inicio && fim == outro.fim;
        }
    };

    // Where the last item walk of a level stopped in its parent text.
    struct Percurso {
        Trecho pai;
        std::string tagFim;
        int item = 0;
        std::size_t inicioDoItem = 0; // offset in the parent after item - 1 skips
    };

    // Position in the range of the first `tag` ("<token>", exact case) at or
    // after `inicio`, through the text's index; npos when absent.
    static std::size_t buscaNoTrecho(const Trecho &trecho, std::string_view tag, std::size_t inicio);
    // The first closing tag "</F>" at or after `inicio`, or else the first "</F:".
    static std::size_t buscaFechamento(const Trecho &trecho, std::string_view fechamento,
                                       std::string_view comPrefixo, std::size_t inicio);
    // Position in Grupo of the first "<" + token + ">" (ASCII case ignored);
    // npos when absent. `tokenValido`: IndiceDeTags::tokenValido(token).
    std::size_t posicaoDaTag(std::string_view tokenMaiusculo, bool tokenValido) const;

    std::shared_ptr<const Texto> arquivo_;
    Trecho grupo_;
    std::array<Trecho, kNiveis + 1> niveis_;
    std::array<Percurso, kNiveis + 1> percursos_;
};
