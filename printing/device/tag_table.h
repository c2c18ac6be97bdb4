#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The table of known tags of the printer tag language: each tag as it is
// matched ("<abre_gaveta>", "</mp>"), its help text, whether it opens a block,
// and its place in the table. The owner fills the table once, right after
// creating it; lookups find the first registration of a tag text.

class TQuibTags;

// One known tag. Created only through TQuibTags::NovaTag, which owns it.
class TQuibTag {
  public:
    explicit TQuibTag(TQuibTags &owner) : owner_(&owner) {}
    TQuibTag(const TQuibTag &) = delete;
    TQuibTag &operator=(const TQuibTag &) = delete;

    // The tag in its matching form: trimmed, lower-cased, with "<" in front
    // and ">" at the end added when the trimmed value lacks them.
    const std::string &Tag() const { return tag_; }
    void Tag(std::string_view value);

    // Help text for users of the language (stored after TextoNativo).
    const std::string &Descricao() const { return descricao_; }
    void Descricao(std::string_view value);

    // True when the tag opens a block that ends at its closing tag.
    bool Bloco() const { return bloco_; }
    void Bloco(bool value) { bloco_ = value; }

    // 1-based position in the table; 0 until appended.
    int Ordem() const { return ordem_; }
    void Ordem(int value) { ordem_ = value; }

  private:
    TQuibTags *owner_;
    std::string tag_;
    std::string descricao_;
    bool bloco_ = false;
    int ordem_ = 0;
};

// The owned list of known tags.
class TQuibTags {
  public:
    TQuibTags() = default;
    TQuibTags(const TQuibTags &) = delete;
    TQuibTags &operator=(const TQuibTags &) = delete;

    // Creates a tag, appends it and sets its Ordem to the new count.
    TQuibTag &NovaTag();
    // NovaTag with its text, description and block flag set.
    TQuibTag &NovaTag(std::string_view tag, std::string_view descricao = {}, bool bloco = false);

    // The first tag whose text equals `tag` lower-cased; nullptr when none.
    const TQuibTag *AcharTag(std::string_view tag) const;

    int count() const { return static_cast<int>(tags_.size()); }
    // Raises std::out_of_range outside 0 .. count() - 1.
    const TQuibTag &operator[](int index) const;
    TQuibTag &operator[](int index);

  private:
    friend class TQuibTag;
    // A tag text changed: the lookup index is rebuilt on the next search.
    void indexStale() { indexValid_ = false; }

    std::vector<std::unique_ptr<TQuibTag>> tags_;
    mutable std::unordered_map<std::string, const TQuibTag *> index_;
    mutable bool indexValid_ = true;
};
