#include "printing/device/tag_parser.h"

#include <cstddef>
#include <map>

#include "foundation/text/text_utils.h"

namespace {

// The tag that passes its block's content through untouched.
constexpr std::string_view kTagIgnorarTags = "<ignorar_tags>";

// One tag found in the text: bytes [begin, end), lower-cased in `text`.
struct FoundTag {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

// The next tag at or after byte `from`: the first "<", the first ">" after
// it, and the tag from the last "<" before that ">". False when there is none.
bool nextTag(std::string_view text, std::size_t from, FoundTag &found)
{
    const std::size_t lt = text.find('<', from);
    if (lt == std::string_view::npos)
        return false;
    const std::size_t gt = text.find('>', lt + 1);
    if (gt == std::string_view::npos)
        return false;
    // Only "<" bytes lie between lt and the last "<" before gt, so this stays
    // within the span just scanned.
    found.begin = text.rfind('<', gt);
    found.end = gt + 1;
    found.text = lowerAscii(text.substr(found.begin, found.end - found.begin));
    return true;
}

// Restores the nesting level when a decoding ends, also by an exception.
class LevelGuard {
  public:
    explicit LevelGuard(int &level) : level_(level) { ++level_; }
    ~LevelGuard() { --level_; }
    LevelGuard(const LevelGuard &) = delete;
    LevelGuard &operator=(const LevelGuard &) = delete;

  private:
    int &level_;
};

} // namespace

void TQuibTagProcessor::AdicionarTags(const std::vector<std::string_view> &tags,
                                      const std::vector<std::string_view> &descricoes, bool bloco)
{
    for (std::size_t i = 0; i < tags.size(); ++i)
        tags_.NovaTag(tags[i], i < descricoes.size() ? descricoes[i] : std::string_view{}, bloco);
}

std::string TQuibTagProcessor::DecodificarTags(std::string_view text)
{
    if (!traduzirTags_)
        return std::string(text);

    LevelGuard level(nivel_);
    std::string result;
    result.reserve(text.size());
    // Closing texts known to be absent from a byte offset on: a later block of
    // the same name does not scan the rest of the text again.
    std::map<std::string, std::size_t, std::less<>> closingAbsentFrom;

    std::size_t position = 0;
    FoundTag tag;
    while (nextTag(text, position, tag)) {
        AdicionarTexto(result, text.substr(position, tag.begin - position));

        std::size_t consumed = tag.end;
        std::string translation;
        const TQuibTag *known = tags_.AcharTag(tag.text);
        if (known == nullptr) {
            translation = tag.text;
        } else if (!known->Bloco()) {
            translation = TraduzirTag(tag.text);
        } else {
            const std::string closing = "</" + tag.text.substr(1);
            const auto absent = closingAbsentFrom.find(closing);
            bool closed = false;
            if (absent == closingAbsentFrom.end() || tag.end < absent->second) {
                FoundTag inner;
                std::size_t from = tag.end;
                while (nextTag(text, from, inner)) {
                    if (inner.text == closing) {
                        closed = true;
                        break;
                    }
                    from = inner.end;
                }
                if (!closed)
                    closingAbsentFrom[closing] = tag.end;
                else {
                    translation = TraduzirTagBloco(tag.text, text.substr(tag.end, inner.begin - tag.end));
                    consumed = inner.end;
                }
            }
        }
        AdicionarTexto(result, translation);
        position = consumed;
    }
    AdicionarTexto(result, text.substr(position));
    return result;
}

std::string TQuibTagProcessor::TraduzirTag(const std::string &tag)
{
    std::string translation;
    if (!tag.empty() && !ignorarTags_ && OnTraduzirTag)
        OnTraduzirTag(tag, translation);
    return translation;
}

std::string TQuibTagProcessor::TraduzirTagBloco(const std::string &tag, std::string_view content)
{
    std::string translation(content);
    if (!tag.empty() && !ignorarTags_ && tag != kTagIgnorarTags) {
        const std::string decoded = DecodificarTags(content);
        if (OnTraduzirTagBloco)
            OnTraduzirTagBloco(tag, decoded, translation);
    }
    return translation;
}

void TQuibTagProcessor::AdicionarTexto(std::string &result, std::string_view piece)
{
    if (piece.empty())
        return;
    result.append(piece);
    if (nivel_ <= 1 && OnAdicionarTexto)
        OnAdicionarTexto(std::string(piece));
}
