#include "xml_tree.h"

#include <stdexcept>

namespace {

void collect(const NoXml &node, std::string_view wanted, std::vector<const NoXml *> &found)
{
    for (const auto &child : node.children) {
        if (child->name == wanted)
            found.push_back(child.get());
        collect(*child, wanted, found);
    }
}

} // namespace

const NoXml *NoXml::find(std::string_view wanted) const
{
    for (const auto &child : children) {
        if (child->name == wanted)
            return child.get();
        if (const NoXml *below = child->find(wanted))
            return below;
    }
    return nullptr;
}

std::vector<const NoXml *> NoXml::buscaTodos(std::string_view wanted) const
{
    std::vector<const NoXml *> found;
    collect(*this, wanted, found);
    return found;
}

std::string NoXml::nomesDosFilhos() const
{
    std::string names;
    for (const auto &child : children) {
        if (!names.empty())
            names += ' ';
        names += child->name;
    }
    return names;
}

std::string NoXml::textoDoFilho(std::string_view wanted) const
{
    for (const auto &child : children)
        if (child->name == wanted)
            return child->text;
    return {};
}

bool NoXml::temFilho(std::string_view wanted) const
{
    for (const auto &child : children)
        if (child->name == wanted)
            return true;
    return false;
}

std::unique_ptr<NoXml> leXml(std::string_view xml)
{
    auto root = std::make_unique<NoXml>();
    std::vector<NoXml *> open{root.get()};
    std::size_t pos = 0;
    while (pos < xml.size()) {
        const std::size_t lt = xml.find('<', pos);
        if (lt == std::string_view::npos)
            break;
        if (xml.substr(lt, 9) == "<![CDATA[") {
            const std::size_t end = xml.find("]]>", lt);
            if (end == std::string_view::npos)
                throw std::runtime_error("CDATA sem fim");
            open.back()->text += std::string(xml.substr(lt + 9, end - lt - 9));
            pos = end + 3;
            continue;
        }
        if (lt > pos)
            open.back()->text += std::string(xml.substr(pos, lt - pos));
        const std::size_t gt = xml.find('>', lt);
        if (gt == std::string_view::npos)
            throw std::runtime_error("marca sem fim");
        std::string_view tag = xml.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (tag.starts_with('?'))
            continue;
        if (tag.starts_with('/')) {
            const std::string_view name = tag.substr(1);
            if (open.size() < 2 || open.back()->name != name)
                throw std::runtime_error("fechamento inesperado: " + std::string(name));
            open.pop_back();
            continue;
        }
        const bool selfClosing = tag.ends_with('/');
        if (selfClosing)
            tag.remove_suffix(1);
        const std::size_t blank = tag.find_first_of(" \t\r\n");
        auto node = std::make_unique<NoXml>();
        node->name = std::string(tag.substr(0, blank));
        if (blank != std::string_view::npos)
            node->attributes = std::string(tag.substr(blank + 1));
        NoXml *raw = node.get();
        open.back()->children.push_back(std::move(node));
        if (!selfClosing)
            open.push_back(raw);
    }
    if (open.size() != 1)
        throw std::runtime_error("elemento sem fechamento: " + open.back()->name);
    return root;
}
