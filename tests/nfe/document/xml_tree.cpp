#include "xml_tree.h"

#include <stdexcept>

namespace {

void coleta(const NoXml &node, std::string_view procurado, std::vector<const NoXml *> &achados)
{
    for (const auto &child : node.filhos) {
        if (child->nome == procurado)
            achados.push_back(child.get());
        coleta(*child, procurado, achados);
    }
}

} // namespace

const NoXml *NoXml::busca(std::string_view procurado) const
{
    for (const auto &child : filhos) {
        if (child->nome == procurado)
            return child.get();
        if (const NoXml *below = child->busca(procurado))
            return below;
    }
    return nullptr;
}

std::vector<const NoXml *> NoXml::buscaTodos(std::string_view procurado) const
{
    std::vector<const NoXml *> achados;
    coleta(*this, procurado, achados);
    return achados;
}

std::string NoXml::nomesDosFilhos() const
{
    std::string names;
    for (const auto &child : filhos) {
        if (!names.empty())
            names += ' ';
        names += child->nome;
    }
    return names;
}

std::string NoXml::textoDoFilho(std::string_view procurado) const
{
    for (const auto &child : filhos)
        if (child->nome == procurado)
            return child->texto;
    return {};
}

bool NoXml::temFilho(std::string_view procurado) const
{
    for (const auto &child : filhos)
        if (child->nome == procurado)
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
            open.back()->texto += std::string(xml.substr(lt + 9, end - lt - 9));
            pos = end + 3;
            continue;
        }
        if (lt > pos)
            open.back()->texto += std::string(xml.substr(pos, lt - pos));
        const std::size_t gt = xml.find('>', lt);
        if (gt == std::string_view::npos)
            throw std::runtime_error("marca sem fim");
        std::string_view tag = xml.substr(lt + 1, gt - lt - 1);
        pos = gt + 1;
        if (tag.starts_with('?'))
            continue;
        if (tag.starts_with('/')) {
            const std::string_view name = tag.substr(1);
            if (open.size() < 2 || open.back()->nome != name)
                throw std::runtime_error("fechamento inesperado: " + std::string(name));
            open.pop_back();
            continue;
        }
        const bool selfClosing = tag.ends_with('/');
        if (selfClosing)
            tag.remove_suffix(1);
        const std::size_t blank = tag.find_first_of(" \t\r\n");
        auto node = std::make_unique<NoXml>();
        node->nome = std::string(tag.substr(0, blank));
        if (blank != std::string_view::npos)
            node->atributos = std::string(tag.substr(blank + 1));
        NoXml *raw = node.get();
        open.back()->filhos.push_back(std::move(node));
        if (!selfClosing)
            open.push_back(raw);
    }
    if (open.size() != 1)
        throw std::runtime_error("elemento sem fechamento: " + open.back()->nome);
    return root;
}
