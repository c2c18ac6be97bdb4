#pragma once

// How the NF-e reader walks a text: TLeitor's group extraction, with the
// searches for groups that cannot be there left out.
//
// A note names most of the layout's optional groups only now and then, and a
// search for an absent group scans its whole parent text (twice: for "</G>"
// and "</G:"). One pass over the text notes which of the reader's group names
// open somewhere in it ("<G>", "<G " or "<G:"); a group whose name never
// opens cannot be extracted, so its search is skipped and the current group is
// emptied, exactly as the failed extraction would leave it.
//
// Implemented in nfe_reader_walk.cpp.

#include <bitset>
#include <string>
#include <string_view>

#include "foundation/xml/leitor.h"

namespace nfe_reader {

// The reader's group names that open somewhere in a text.
class GruposPresentes {
  public:
    GruposPresentes() = default;
    explicit GruposPresentes(std::string_view texto);

    // False only for a group name of the reader that never opens in the text.
    bool podeConter(std::string_view nome) const;

  private:
    static constexpr std::size_t kMaximo = 128;
    std::bitset<kMaximo> abertos_;
    bool conhecido_ = false; // false: nothing known, every group may be there
};

class LeitorNFe {
  public:
    // Walks the text held in `leitor`.
    explicit LeitorNFe(TLeitor &leitor);

    TLeitor &xml() { return leitor_; }
    const TLeitor &xml() const { return leitor_; }
    const GruposPresentes &presentes() const { return presentes_; }

    // Puts a new text into the reader, with what is known of its groups.
    void setArquivo(std::string texto);
    void setArquivo(std::string texto, const GruposPresentes &presentes);
    // Walks only a range of the text held (TLeitor::setTrechoDoArquivo), with
    // what is known of the groups of that range.
    void setTrecho(std::size_t inicio, std::size_t tamanho, const GruposPresentes &presentes);

    // TLeitor::ExtraiGrupo with item 1; true when the group is present.
    bool extrai(int nivel, std::string_view tag);
    // Item `item` of the group, or an empty text.
    std::string extraiItem(int nivel, std::string_view tag, int item);

  private:
    TLeitor &leitor_;
    GruposPresentes presentes_;
};

// Extracts group `tag` at `nivel` (item 1); true when it is present.
inline bool extraiGrupo(LeitorNFe &leitor, int nivel, std::string_view tag)
{
    return leitor.extrai(nivel, tag);
}

// Empties `lista`, then appends one entry per element `tag` at `nivel`, in
// document order, each filled by `preenche(entry)` while that element is the
// current group. The reader remembers where each level's walk stopped, so the
// walk is linear in the size of the parent text.
template <typename Lista, typename Preenche>
void lerLista(LeitorNFe &leitor, Lista &lista, int nivel, std::string_view tag, Preenche preenche)
{
    lista.clear();
    for (int item = 1; !leitor.extraiItem(nivel, tag, item).empty(); ++item)
        preenche(lista.NovoItem());
}

} // namespace nfe_reader
