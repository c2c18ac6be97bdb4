#include "writer_item_fixture.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"

void preparaNotaSemItens(TNFe &nfe, int modelo, double versao)
{
    nfe.infNFe.versao = versao;

    TIde &ide = nfe.ide;
    ide.cUF = 35;
    ide.cNF = 12345678;
    ide.natOp = "VENDA DE MERCADORIA";
    ide.mod = modelo;
    ide.serie = 1;
    ide.nNF = 4321;
    ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    ide.tpNF = tdf1;
    ide.idDest = ld1;
    ide.cMunFG = 3550308;
    ide.tpImp = modelo == 65 ? tiNFCe : tiRetrato;
    ide.tpEmis = teNormal;
    ide.tpAmb = taProducao;
    ide.finNFe = feNormal;
    ide.indFinal = modelo == 65 ? icf1 : icf0;
    ide.indPres = ipr1;
    ide.procEmi = pem0;
    ide.verProc = "1.0";

    TEmit &emit = nfe.emit;
    emit.CNPJCPF = "11222333000181";
    emit.xNome = "EMPRESA DE TESTE LTDA";
    emit.xFant = "TESTE";
    emit.enderEmit.xLgr = "RUA DAS FLORES";
    emit.enderEmit.nro = "100";
    emit.enderEmit.xBairro = "CENTRO";
    emit.enderEmit.cMun = 3550308;
    emit.enderEmit.xMun = "SAO PAULO";
    emit.enderEmit.UF = "SP";
    emit.enderEmit.CEP = 1001000;
    emit.enderEmit.fone = "1133334444";
    emit.IE = "110042490114";
    emit.CRT = crt3;

    if (modelo == 55) {
        TDest &dest = nfe.dest;
        dest.CNPJCPF = "11444777000161";
        dest.xNome = "CLIENTE DE TESTE LTDA";
        dest.enderDest.xLgr = "AVENIDA BRASIL";
        dest.enderDest.nro = "2000";
        dest.enderDest.xBairro = "JARDIM AMERICA";
        dest.enderDest.cMun = 3550308;
        dest.enderDest.xMun = "SAO PAULO";
        dest.enderDest.UF = "SP";
        dest.enderDest.CEP = 1415000;
        dest.indIEDest = iie9;
        dest.email = "cliente@example.com";
    }

    TICMSTot &tot = nfe.total.ICMSTot;
    tot.vBC = 10;
    tot.vICMS = Decimal::fromUnits(18000);
    tot.vProd = 10;
    tot.vNF = 10;

    nfe.transp.modFrete = cfSemFrete;

    TpagCollectionItem &pag = nfe.pag.AdicionarItem();
    pag.tPag = mpDinheiro;
    pag.vPag = 10;

    nfe.infRespTec.CNPJ = "11222333000181";
    nfe.infRespTec.xContato = "SUPORTE TECNICO";
    nfe.infRespTec.email = "suporte@example.com";
    nfe.infRespTec.fone = "1133334444";
}

TDetCollectionItem &adicionaItem(TNFe &nfe)
{
    const int numero = nfe.det.count() + 1;
    TDetCollectionItem &det = nfe.det.NovoItem();
    TProd &prod = det.prod;
    prod.nItem = numero;
    prod.cProd = "P" + std::to_string(numero);
    prod.xProd = "PRODUTO DE TESTE " + std::to_string(numero);
    prod.NCM = "84719012";
    prod.SetCFOP("5102");
    prod.uCom = "UN";
    prod.qCom = 1;
    prod.vUnCom = 10;
    prod.vProd = 10;
    prod.uTrib = "UN";
    prod.qTrib = 1;
    prod.vUnTrib = 10;

    TICMS &icms = det.imposto.ICMS;
    icms.orig = opr0;
    icms.CST = sti00;
    icms.modBC = mbc3;
    icms.vBC = 10;
    icms.pICMS = 18;
    icms.vICMS = Decimal::fromUnits(18000);

    det.imposto.PIS.CST = stp01;
    det.imposto.COFINS.CST = stc01;
    return det;
}

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
