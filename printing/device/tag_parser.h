#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "printing/device/tag_table.h"

// The language-independent half of the printer tag language: cuts a text into
// plain pieces and tags, hands each known tag (or known block with its
// content) to a callback for translation and joins the results. It knows
// nothing of printers; its owner fills the tag table and installs the
// callbacks.
//
// A tag is "<", any bytes other than "<" and ">", and ">", matched without
// regard to case; a lone "<" or ">" is plain text. The text is scanned once,
// by byte offsets (tags are ASCII, so a "<" or ">" byte never sits inside a
// UTF-8 letter). Exceptions of the callbacks pass through; the nesting level
// is restored on the way out. One processor serves one thread at a time.

class TQuibTagProcessor {
  public:
    // Fills `translation` (empty on entry) for one known plain tag.
    using TraduzirTagEvent = std::function<void(const std::string &tag, std::string &translation)>;
    // Fills `translation` for one known block: `content` is the block's
    // content already decoded; `translation` arrives holding the raw content.
    using TraduzirTagBlocoEvent =
        std::function<void(const std::string &tag, const std::string &content, std::string &translation)>;
    // Receives each non-empty piece added to the outermost result.
    using AdicionarTextoEvent = std::function<void(const std::string &piece)>;

    TQuibTagProcessor() = default;
    TQuibTagProcessor(const TQuibTagProcessor &) = delete;
    TQuibTagProcessor &operator=(const TQuibTagProcessor &) = delete;

    TQuibTags &Tags() { return tags_; }
    const TQuibTags &Tags() const { return tags_; }

    // For each element of `tags`, in order, appends a tag with the description
    // of the same index (none when `descricoes` is shorter) and the block flag.
    void AdicionarTags(const std::vector<std::string_view> &tags,
                       const std::vector<std::string_view> &descricoes, bool bloco);

    // The text with its tags translated. Unknown tags are copied lower-cased;
    // a block without its closing tag loses only its opening tag. Returns the
    // text unchanged when TraduzirTags is off.
    std::string DecodificarTags(std::string_view text);

    // Translation of one known plain tag: the callback's, or empty.
    std::string TraduzirTag(const std::string &tag);
    // Translation of one known block: the callback's over the decoded content,
    // or the raw content (always for "<ignorar_tags>" and with IgnorarTags on).
    std::string TraduzirTagBloco(const std::string &tag, std::string_view content);

    // Off: DecodificarTags returns its input as it is. Default on.
    bool TraduzirTags() const { return traduzirTags_; }
    void TraduzirTags(bool value) { traduzirTags_ = value; }
    // On: known tags are removed instead of translated. Default off.
    bool IgnorarTags() const { return ignorarTags_; }
    void IgnorarTags(bool value) { ignorarTags_ = value; }
    // Nesting depth of the running DecodificarTags calls; 0 between calls.
    int Nivel() const { return nivel_; }

    TraduzirTagEvent OnTraduzirTag;
    TraduzirTagBlocoEvent OnTraduzirTagBloco;
    AdicionarTextoEvent OnAdicionarTexto;

  private:
    void AdicionarTexto(std::string &result, std::string_view piece);

    TQuibTags tags_;
    bool traduzirTags_ = true;
    bool ignorarTags_ = false;
    int nivel_ = 0;
};
