#include "writer_item_fixture.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"

const NoXml &NotaEscrita::det(int posicao) const
{
    const std::vector<const NoXml *> itens = arvore->buscaTodos("det");
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
    nota.arvore = leXml(nota.xml);
    return nota;
}

std::string estrutura(const NoXml &no)
{
    if (no.filhos.empty())
        return no.nome;
    std::string texto = no.nome + "(";
    for (std::size_t i = 0; i < no.filhos.size(); ++i) {
        if (i > 0)
            texto += ' ';
        texto += estrutura(*no.filhos[i]);
    }
    return texto + ")";
}

std::string estruturaDe(const NoXml &pai, std::string_view grupo)
{
    const NoXml *no = pai.busca(grupo);
    return no == nullptr ? "-" : estrutura(*no);
}
