#include "foundation/base/base_classes.h"

#include "foundation/text/text_utils.h"

namespace {

std::out_of_range indexError(int index)
{
    return std::out_of_range("Índice da lista fora dos limites (" + std::to_string(index) + ")");
}

bool sameFieldName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i];
        char y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

// A field name as callers give it: trimmed, with or without its colon
// ("Location" and "Location:" name the same field).
std::string_view fieldName(std::string_view name)
{
    std::string_view trimmed = trimText(name);
    if (trimmed.ends_with(':'))
        trimmed = trimText(trimmed.substr(0, trimmed.size() - 1));
    return trimmed;
}

} // namespace

int TAnsiStringList::Adiciona(std::string_view bytes)
{
    items_.emplace_back(bytes);
    return static_cast<int>(items_.size()) - 1;
}

const std::string &TAnsiStringList::Item(int index) const
{
    if (index < 0 || index >= Quantidade())
        throw indexError(index);
    return items_[static_cast<std::size_t>(index)];
}

std::string TAnsiStringList::TextoUnido() const
{
    std::size_t size = 0;
    for (const auto &item : items_)
        size += item.size();
    std::string out;
    out.reserve(size);
    for (const auto &item : items_)
        out += item;
    return out;
}

int THttpHeader::IndiceDoCampo(std::string_view name) const
{
    const std::string_view wanted = fieldName(name);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view line = lines_[i];
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        if (sameFieldName(trimText(line.substr(0, colon)), wanted))
            return static_cast<int>(i);
    }
    return -1;
}

std::string THttpHeader::ValorDaLinha(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const std::string_view line = lines_[static_cast<std::size_t>(index)];
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos)
        return {};
    return std::string(trimText(line.substr(colon + 1)));
}

std::string THttpHeader::ValorDoCampo(std::string_view name) const
{
    return ValorDaLinha(IndiceDoCampo(name));
}

int THttpHeader::GravaCampo(std::string_view name, std::string_view value)
{
    std::string line = std::string(fieldName(name)) + ": " + std::string(value);
    const int index = IndiceDoCampo(name);
    if (index < 0)
        return add(line);
    lines_[static_cast<std::size_t>(index)] = std::move(line);
    return index;
}

const std::string &THttpHeader::line(int index) const
{
    if (index < 0 || index >= count())
        throw indexError(index);
    return lines_[static_cast<std::size_t>(index)];
}

int THttpHeader::add(std::string_view line)
{
    lines_.emplace_back(line);
    return count() - 1;
}

void THttpHeader::insert(int index, std::string_view line)
{
    if (index < 0 || index > count())
        throw indexError(index);
    lines_.emplace(lines_.begin() + index, line);
}

void THttpHeader::remove(int index)
{
    if (index < 0 || index >= count())
        throw indexError(index);
    lines_.erase(lines_.begin() + index);
}

std::string THttpHeader::text() const
{
    std::string out;
    for (const auto &line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void THttpHeader::setText(std::string_view text)
{
    lines_ = splitLines(text);
}

// ---- TQuibComponent ------------------------------------------------------------

TQuibComponent::~TQuibComponent()
{
    // Each linked component first forgets this one, then hears of its removal.
    const std::vector<TQuibComponent *> linked = std::move(freeNotifies_);
    for (TQuibComponent *other : linked) {
        std::erase(other->freeNotifies_, this);
        other->Notification(this, opRemove);
    }
}

void TQuibComponent::FreeNotification(TQuibComponent *component)
{
    if (component == nullptr || component == this ||
        std::ranges::find(freeNotifies_, component) != freeNotifies_.end())
        return;
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
}

void TQuibComponent::RemoveFreeNotification(TQuibComponent *component)
{
    if (component == nullptr)
        return;
    std::erase(freeNotifies_, component);
    std::erase(component->freeNotifies_, this);
}

void TQuibComponent::Notification(TQuibComponent *, TOperation) {}
