#include "printing/device/tag_table.h"

#include <stdexcept>
#include <utility>

#include "foundation/text/text_utils.h"

void TQuibTag::Tag(std::string_view value)
{
    std::string tag = lowerAscii(trimText(value));
    if (!tag.starts_with('<'))
        tag.insert(tag.begin(), '<');
    if (!tag.ends_with('>'))
        tag.push_back('>');
    tag_ = std::move(tag);
    owner_->indexStale();
}

void TQuibTag::Descricao(std::string_view value)
{
    descricao_ = TextoNativo(value);
}

TQuibTag &TQuibTags::NovaTag()
{
    tags_.push_back(std::make_unique<TQuibTag>(*this));
    TQuibTag &tag = *tags_.back();
    tag.Ordem(count());
    indexStale();
    return tag;
}

TQuibTag &TQuibTags::NovaTag(std::string_view tag, std::string_view descricao, bool bloco)
{
    TQuibTag &added = NovaTag();
    added.Tag(tag);
    added.Descricao(descricao);
    added.Bloco(bloco);
    return added;
}

const TQuibTag *TQuibTags::AcharTag(std::string_view tag) const
{
    if (!indexValid_) {
        index_.clear();
        for (const auto &known : tags_)
            index_.try_emplace(known->Tag(), known.get()); // the first registration wins
        indexValid_ = true;
    }
    const auto found = index_.find(lowerAscii(tag));
    return found == index_.end() ? nullptr : found->second;
}

const TQuibTag &TQuibTags::operator[](int index) const
{
    if (index < 0 || index >= count())
        throw std::out_of_range("Índice da lista de tags fora dos limites (" + std::to_string(index) + ")");
    return *tags_[static_cast<std::size_t>(index)];
}

TQuibTag &TQuibTags::operator[](int index)
{
    return const_cast<TQuibTag &>(std::as_const(*this)[index]);
}
