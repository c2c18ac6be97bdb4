#include <algorithm>

#include "foundation/checks/mascaras.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/danfe/detail/texto_cupom.h"
#include "printing/posprinter/pos_printer.h"

using namespace danfe_texto;

namespace {

int comprimento(std::string_view texto)
{
    return static_cast<int>(utf8Length(texto));
}

std::string aparado(std::string_view texto)
{
    return std::string(trimText(texto));
}

// The emitter's address for the header beside the logo: empty parts left out.
std::string enderecoCompacto(const TEnderecoNFe &end, const std::string &fone)
{
    std::string texto = aparado(end.xLgr);
    if (!aparado(end.nro).empty())
        texto += ", " + aparado(end.nro);
    texto += " ";
    if (!aparado(end.xCpl).empty())
        texto += aparado(end.xCpl) + " ";
    if (!aparado(end.xBairro).empty())
        texto += aparado(end.xBairro) + " ";
    texto += aparado(end.xMun) + "-" + aparado(end.UF) + " ";
    if (!fone.empty())
        texto += "<n>" + fone + "</n>";
    return aparado(texto);
}

// The first line of a text and what follows its first line break.
std::pair<std::string, std::string> primeiraLinha(std::string_view texto)
{
    const std::size_t quebra = texto.find_first_of("\r\n");
    if (quebra == std::string_view::npos)
        return {std::string(texto), {}};
    std::size_t resto = quebra + 1;
    if (texto[quebra] == '\r' && resto < texto.size() && texto[resto] == '\n')
        ++resto;
    return {std::string(texto.substr(0, quebra)), std::string(texto.substr(resto))};
}

} // namespace

void TQuibNFeDANFeESCPOS::MontarCupom(const TNFe &nfe, bool resumido)
{
    nfe_ = &nfe;
    MontarEImprimir([this, resumido] {
        MontarCabecalhoEmitente();
        MontarTitulo();
        if (!resumido && ImprimeItens)
            MontarItens();
        MontarTotais();
        MontarPagamentos();
        MontarChaveConsulta();
        MontarBlocoConsumidorEQRCode();
        MontarObservacoes();
        MontarTributos();
        MontarRodape();
    });
}

void TQuibNFeDANFeESCPOS::MontarCabecalhoEmitente()
{
    const TEmit &emit = nota().emit;
    const TEnderecoNFe &end = emit.enderEmit;
    const int n = Colunas();
    const std::string c = Condensado();
    const std::string cnpj = MascaraCNPJouCPF(emit.CNPJCPF);
    const std::string ie = MascaraInscricaoEstadual(emit.IE, end.UF);
    const std::string fone = MascaraTelefone(end.fone);
    const bool comFantasia = !aparado(emit.xFant).empty() && ImprimeNomeFantasia;

    if (QRCodeLateralDisponivel() && ImprimeLogoLateral) {
        const int metade = n / 2;
        std::string bloco = c;
        if (comFantasia)
            bloco += Quebrar("<n>" + emit.xFant + " </n>", metade) + "\r\n";
        bloco += Quebrar("<n>" + emit.xNome + "</n>" + " CNPJ:" + cnpj + " IE:" + ie, metade) + "\r\n";
        bloco += Quebrar(enderecoCompacto(end, fone), metade);
        const int linhas = static_cast<int>(splitLines(bloco).size());
        const int altura = std::max(posPrinter_->AlturaLinhasEmPontos(linhas), 250);
        Adicionar("</zera><mp>" + posPrinter_->ConfigurarRegiaoModoPagina(0, 0, altura, 270, 0) + "</logo>");
        Adicionar(posPrinter_->ConfigurarRegiaoModoPagina(270, 0, altura, 325, 0) + bloco + "</mp>");
        return;
    }

    Adicionar("</zera></ce></logo>");
    if (comFantasia)
        Adicionar("</ce>" + c + "<n>" + emit.xFant + "</n>");
    Adicionar("</ce>" + c + Quebrar("CNPJ: " + cnpj + " <n>" + emit.xNome + "</n>", n));
    Adicionar(c + Quebrar(aparado(end.xLgr) + ", " + aparado(end.nro) + " " + aparado(end.xCpl) + " " +
                              aparado(end.xBairro) + " " + aparado(end.xMun) + "-" + aparado(end.UF) + " " +
                              MascaraCEPNumerico(end.CEP),
                          n));
    if (fone.empty())
        Adicionar("</ce></fn>" + c + "I.E.: " + ie);
    else
        Adicionar("</ce></fn>" + c + Quebrar("Fone:<n>" + fone + "</n> I.E.:" + ie, n));
}

void TQuibNFeDANFeESCPOS::MontarTitulo()
{
    Adicionar("</ce>" + Condensado() + "<n>" +
              Quebrar("Documento Auxiliar da Nota Fiscal de Consumidor Eletrônica", Colunas()) + "</n>");
    Adicionar(MontarMensagensAmbiente('='));
}

void TQuibNFeDANFeESCPOS::MontarItens()
{
    const int n = Colunas();
    const std::string c = Condensado();
    Adicionar("</ae>" + c + Justificar("#|Código|Descrição|Qtde|Un|Valor unit.|Valor total", n));

    for (int i = 0; i < nota().det.count(); ++i) {
        const TDetCollectionItem &det = nota().det.ObterItem(i);
        const TProd &prod = det.prod;
        const std::string numero = Digitos(prod.nItem, 3);
        const std::string codigo = CodigoProdutoExibido(prod.cEAN, prod.cProd);
        const std::string descricao = DescricaoProdutoCompleta(nota(), i);
        const std::string quantidade = FormatarQtdeItem(prod.qCom);
        const std::string unidade = aparado(prod.uCom);
        const std::string valorUnitario = FormatarVlrUnit(prod.vUnCom);
        const std::string total = Dinheiro(prod.vProd);

        if (ImprimeEmUmaLinha()) {
            const std::string marca = "[DesProd]";
            std::string linha = numero + " " + codigo + " " + marca + " " + quantidade + " " + unidade +
                                " X " + valorUnitario + " " + total;
            const auto [primeira, resto] = primeiraLinha(descricao);
            // A line already wider than the coupon leaves no room at all.
            const int largura = std::max(0, n - comprimento(linha) + comprimento(marca));
            const std::size_t posicao = linha.find(marca);
            const int recuo = comprimento(std::string_view(linha).substr(0, posicao));
            linha.replace(posicao, marca.size(), CompletaDireita(primeira, largura));
            if (!resto.empty())
                linha += "\r\n" + GeraEspacos(recuo) + resto;
            Adicionar("</ae>" + c + linha);
        } else {
            Adicionar("</ae>" + c + numero + " " + codigo + " " + descricao);
            const std::string segunda =
                n < 48 ? quantidade + "|" + unidade + " X " + valorUnitario + "|" + total
                       : CompletaDireita(quantidade, 15) + " " + CompletaDireita(unidade, 6) + " X " +
                             CompletaDireita(valorUnitario, 13) + "|" + total;
            Adicionar("</ae>" + c + Justificar(segunda, n));
        }

        if (ImprimeDescAcrescItem) {
            const Decimal acrescimo = prod.vSeg + prod.vOutro;
            const Decimal liquido = Decimal::fromDouble(prod.qCom.toDouble() * prod.vUnCom) + acrescimo +
                                    prod.vFrete - prod.vDesc;
            const std::string vlrLiquido = "|" + Dinheiro(liquido);
            if (prod.vDesc > 0) {
                std::string linha = "Desconto " + CompletaEsquerda(Dinheiro(prod.vDesc, "-,0.00"), 15);
                if (!(acrescimo + prod.vFrete > 0))
                    linha += vlrLiquido;
                Adicionar("</ae>" + c + Justificar(linha, n));
            }
            if (prod.vFrete > 0) {
                std::string linha = "Frete " + CompletaEsquerda(Dinheiro(prod.vFrete, "+,0.00"), 15);
                if (!(acrescimo > 0))
                    linha += vlrLiquido;
                Adicionar("</ae>" + c + Justificar(linha, n));
            }
            if (acrescimo > 0)
                Adicionar("</ae>" + c +
                          Justificar("Acréscimo " + CompletaEsquerda(Dinheiro(acrescimo, "+,0.00"), 15) +
                                         vlrLiquido,
                                     n));
        }

        if (ExibeInforAdicProduto == infSeparadamente && !EmBranco(det.infAdProd))
            Adicionar(c + det.infAdProd);
    }
}

void TQuibNFeDANFeESCPOS::MontarTotais()
{
    const int n = Colunas();
    const std::string c = Condensado();
    const bool largo = n >= 46;
    const std::string liga = largo ? "<e>" : "";
    const std::string desliga = largo ? "</e>" : "";
    const int divisor = largo ? 2 : 1;
    const std::string sufixo = ImprimeDescAcrescItem ? " total" : "";
    const TICMSTot &tot = nota().total.ICMSTot;
    const bool ajustado = tot.vDesc > 0 || tot.vOutro + tot.vFrete + tot.vSeg > 0;

    Adicionar(c + Justificar("Qtde. total de itens|" + Digitos(nota().det.count(), 3), n));
    const std::string valorTotal = "Valor total R$|" + Dinheiro(tot.vProd + nota().total.ISSQNtot.vServ);
    if (ajustado)
        Adicionar(c + Justificar(valorTotal, n));
    else
        Adicionar("</ae>" + c + liga + Justificar(valorTotal, n / divisor) + desliga);
    if (tot.vDesc > 0)
        Adicionar(c + Justificar("Desconto" + sufixo + "|" + Dinheiro(tot.vDesc, "-,0.00"), n));
    if (tot.vOutro + tot.vSeg > 0)
        Adicionar(c + Justificar("Acréscimo" + sufixo + "|" + Dinheiro(tot.vOutro + tot.vSeg, "+,0.00"), n));
    if (tot.vFrete > 0)
        Adicionar(c + Justificar("Frete" + sufixo + "|" + Dinheiro(tot.vFrete, "+,0.00"), n));
    if (ajustado)
        Adicionar("</ae>" + c + liga + Justificar("Valor a Pagar R$|" + Dinheiro(tot.vNF), n / divisor) +
                  desliga);
}

void TQuibNFeDANFeESCPOS::MontarPagamentos()
{
    const int n = Colunas();
    const std::string c = Condensado();
    Adicionar(c + Justificar("FORMA DE PAGAMENTO | VALOR PAGO R$", n));
    for (int i = 0; i < nota().pag.count(); ++i) {
        const TpagCollectionItem &pagamento = nota().pag.ObterItem(i);
        Adicionar(c + Justificar(DescricaoPagamento(pagamento) + "|" + Dinheiro(pagamento.vPag), n));
    }
    const Decimal troco = nota().pag.vTroco > 0 ? nota().pag.vTroco : TrocoInformado;
    if (troco > 0)
        Adicionar(c + Justificar("Troco R$|" + Dinheiro(troco), n));
}

void TQuibNFeDANFeESCPOS::MontarChaveConsulta()
{
    const int n = Colunas();
    const std::string c = Condensado();
    Adicionar("</ce>" + c + "<n>Consulte pela Chave de Acesso em</n>");
    std::string endereco = nota().infNFeSupl.urlChave;
    if (endereco.empty())
        endereco = Componente().EnderecoConsultaNFCe(nota().ide.cUF, nota().ide.tpAmb,
                                                     nota().infNFe.VersaoOuPadrao());
    Adicionar("</ce>" + c + Quebrar(endereco, n));
    Adicionar("</ce>" + c + Quebrar(FormataChaveEmBlocos(ChaveAcesso()), n));
}

void TQuibNFeDANFeESCPOS::MontarObservacoes()
{
    const std::string c = Condensado();
    if (ImprimeInfContr)
        for (int i = 0; i < nota().infAdic.obsCont.count(); ++i) {
            const TobsContCollectionItem &obs = nota().infAdic.obsCont.ObterItem(i);
            Adicionar(c + PontoEVirgulaEmQuebra(aparado(obs.xCampo) + ": " + aparado(obs.xTexto)));
        }
    if (!EmBranco(nota().infAdic.infCpl))
        Adicionar(c + PontoEVirgulaEmQuebra(nota().infAdic.infCpl));
}

void TQuibNFeDANFeESCPOS::MontarTributos()
{
    if (ImprimeTributos == trbNenhum)
        return;
    const int n = Colunas();
    const Decimal soma = vTribFed + vTribEst + vTribMun;
    const Decimal vTotTrib = nota().total.ICMSTot.vTotTrib;
    if (ImprimeTributos == trbSeparadamente && soma > 0)
        Adicionar(Condensado() +
                  Quebrar("Tributos Incidentes Lei Federal 12.741/12 - Total R$ " + Dinheiro(soma) +
                              " Federal R$ " + Dinheiro(vTribFed) + " Estadual R$ " + Dinheiro(vTribEst) +
                              " Municipal R$ " + Dinheiro(vTribMun),
                          n));
    else if (vTotTrib > 0)
        Adicionar(Condensado() +
                  Quebrar("Tributos Totais Incidentes(Lei Federal 12.741/12): R$ " + Dinheiro(vTotTrib), n));
}

void TQuibNFeDANFeESCPOS::MontarRodape()
{
    const int n = Colunas();
    if (!Sistema.empty())
        Adicionar("</ce>" + Condensado() + Quebrar(Sistema, n));
    if (!Site.empty())
        Adicionar("</ce>" + Condensado() + Quebrar(Site, n));
    Adicionar(posPrinter_->CortaPapel ? "</corte>" : "</pular_linhas>");
}
