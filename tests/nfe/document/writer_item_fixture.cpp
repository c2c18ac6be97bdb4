#include "writer_item_fixture.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"

const XmlNode &NotaEscrita::det(int posicao) const
{
    const std::vector<const XmlNode *> itens = arvore->findAll("det");
    if (posicao < 0 || posicao >= static_cast<int>(itens.size())) {
        ADD_FAILURE() << "item " << posicao << " ausente no XML: " << xml;
        throw std::out_of_range("item ausente");
    }
    return *itens[static_cast<std::size_t>(posicao)];
}

std::vector<std::string> NotaEscrita::alertasCom(std::string_view texto) const
{
    std::vector<std::string> encontrados;
    for (const std::string &alerta : alertas)
        if (alerta.find(texto) != std::string::npos)
            encontrados.push_back(alerta);
    return encontrados;
}

NotaEscrita escreveNota(TNFe &nfe, const std::function<void(TNFeW &)> &ajusta)
{
    TNFeW escritor(nfe);
    if (ajusta)
        ajusta(escritor);
    NotaEscrita nota;
    nota.semAlertas = escritor.MontarXml();
    nota.xml = escritor.Gerador.ArquivoFormatoXML;
    nota.alertas = escritor.Gerador.ListaDeAlertas;
    nota.arvore = parseXml(nota.xml);
    return nota;
}

std::string estrutura(const XmlNode &no)
{
    if (no.children.empty())
        return no.name;
    std::string texto = no.name + "(";
    for (std::size_t i = 0; i < no.children.size(); ++i) {
        if (i > 0)
            texto += ' ';
        texto += estrutura(*no.children[i]);
    }
    return texto + ")";
}

std::string estruturaDe(const XmlNode &pai, std::string_view grupo)
{
    const XmlNode *no = pai.find(grupo);
    return no == nullptr ? "-" : estrutura(*no);
}
