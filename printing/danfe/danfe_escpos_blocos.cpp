#include <algorithm>
#include <string>

#include "foundation/checks/mascaras.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/danfe/detail/texto_cupom.h"
#include "printing/posprinter/pos_printer.h"

using namespace danfe_texto;

namespace {

std::string aparado(std::string_view texto)
{
    return std::string(trimText(texto));
}

// "|" becomes a line break in a half-width block, a blank at full width.
std::string separar(std::string_view texto, bool metade)
{
    return replaceAll(texto, "|", metade ? "\r\n" : " ");
}

} // namespace

std::string TQuibNFeDANFeESCPOS::TextoQRCodeNota() const
{
    const TNFe &nfe = nota();
    if (!EmBranco(nfe.infNFeSupl.qrCode))
        return nfe.infNFeSupl.qrCode;
    const std::string destinatario =
        nfe.dest.idEstrangeiro.empty() ? nfe.dest.CNPJCPF : nfe.dest.idEstrangeiro;
    return Componente().MontarQRCodeNFCe(nfe.ide.cUF, nfe.ide.tpAmb, ChaveAcesso(), destinatario,
                                         nfe.ide.dEmi, nfe.total.ICMSTot.vNF, nfe.total.ICMSTot.vICMS,
                                         nfe.Signature.DigestValue, nfe.infNFe.VersaoOuPadrao());
}

TQuibNFeDANFeESCPOS::Entradas TQuibNFeDANFeESCPOS::MontarConsumidor(bool metade) const
{
    const int largura = metade ? Colunas() / 2 : Colunas();
    const std::string c = Condensado();
    const TDest &dest = nota().dest;
    const std::string documento = aparado(dest.CNPJCPF);
    if (dest.idEstrangeiro.empty() && documento.empty())
        return {c + "CONSUMIDOR NÃO IDENTIFICADO"};

    std::string cabecalho;
    if (!dest.idEstrangeiro.empty())
        cabecalho = "CONSUMIDOR - Id. Estrangeiro " + dest.idEstrangeiro;
    else if (documento.size() < 12)
        cabecalho = "CONSUMIDOR - CPF " + MascaraCPF(documento);
    else
        cabecalho = "CONSUMIDOR - CNPJ " + MascaraCNPJ(documento);
    Entradas entradas = {"</ce>" + c + "<n>" + Quebrar(cabecalho, largura) + "</n> ",
                         Quebrar(aparado(dest.xNome), largura)};

    const TEnderecoNFe &end = dest.enderDest;
    std::string endereco = end.xLgr;
    if (!EmBranco(end.xLgr))
        endereco += " " + end.nro;
    endereco += " " + end.xCpl + " " + end.xBairro + " " + end.xMun + " " + end.UF;
    endereco = aparado(endereco);
    if (!endereco.empty())
        entradas.push_back(c + Quebrar(endereco, largura));
    return entradas;
}

TQuibNFeDANFeESCPOS::Entradas TQuibNFeDANFeESCPOS::MontarDadosNota(bool metade) const
{
    const int largura = metade ? Colunas() / 2 : Colunas();
    const std::string c = Condensado();
    const TNFe &nfe = nota();

    std::string dados = "NFC-e nº " + Digitos(nfe.ide.nNF, 9) + " Série " + Digitos(nfe.ide.serie, 3) + "|" +
                        DataHora(nfe.ide.dEmi) + "</n>";
    if (ViaDoConsumidor)
        dados += "|Via Consumidor";
    else if (!TemProtocolo())
        dados += "|Via Empresa";
    Entradas entradas = {"</ce>" + c + "<n>" + Quebrar(separar(dados, metade), largura)};

    std::string protocolo;
    if (!(nfe.ide.tpEmis == teOffLine && !TemProtocolo())) {
        protocolo +=
            c +
            Quebrar(separar("<n>Protocolo de Autorização:</n>|" + aparado(nfe.procNFe.nProt), metade),
                    largura) +
            "\r\n";
        if (nfe.procNFe.dhRecbto != kDataNaoInformada)
            protocolo +=
                c +
                Quebrar(separar("<n>Data de Autorização</n>|" + DataHora(nfe.procNFe.dhRecbto), metade),
                        largura) +
                "\r\n";
    }
    entradas.push_back(protocolo + "</fn>");
    return entradas;
}

TQuibNFeDANFeESCPOS::Entradas TQuibNFeDANFeESCPOS::MontarInfFisco() const
{
    Entradas entradas;
    if (!EmBranco(nota().infAdic.infAdFisco))
        entradas.push_back(Condensado() + PontoEVirgulaEmQuebra(nota().infAdic.infAdFisco));
    if (!EmBranco(nota().procNFe.xMsg))
        entradas.push_back(Condensado() + nota().procNFe.xMsg);
    return entradas;
}

TQuibNFeDANFeESCPOS::Entradas TQuibNFeDANFeESCPOS::MontarMensagensAmbiente(char preenchimento) const
{
    const int n = Colunas();
    const std::string c = Condensado();
    const int colunasNormais = posPrinter_->ColunasFonteNormal;
    Entradas entradas;
    if (nota().ide.tpAmb == taHomologacao)
        entradas.push_back(
            "</ce>" + c + "<n>" +
            Quebrar("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL", preenchimento != 0 ? n : n / 2) +
            "</n>");
    if (nota().ide.tpEmis != teNormal && !TemProtocolo()) {
        const std::string texto = "EMITIDA EM CONTINGÊNCIA";
        if (preenchimento != 0 && colunasNormais < 46)
            entradas.push_back("</ce></fn><n>" + Quebrar(texto, colunasNormais) + "</n>");
        else if (preenchimento != 0)
            entradas.push_back("</ce></fn><e><n>" + Quebrar(texto, posPrinter_->ColunasExpandidas()) +
                               "</n></e>");
        else
            entradas.push_back("</ce></fn><n>" + Quebrar(texto, colunasNormais / 2) + "</n>");
        if (preenchimento != 0)
            entradas.push_back(c + "<n>" +
                               CentralizaNaLargura(" Pendente de autorização ", n, preenchimento) + "</n>");
        else
            entradas.push_back("</ce>" + c + "<n>Pendente de autorização</n>");
    }
    return entradas;
}

TQuibNFeDANFeESCPOS::Entradas TQuibNFeDANFeESCPOS::MontarQRCode(bool comProtocolo,
                                                                const std::string &textoQRCode) const
{
    Entradas entradas;
    if (comProtocolo) {
        entradas.emplace_back("</fn></linha_simples>");
        entradas.emplace_back("</ce>Consulta via leitor de QR Code");
    }
    entradas.push_back("<qrcode_tipo>2</qrcode_tipo><qrcode_error>0</qrcode_error><qrcode_largura>" +
                       std::to_string(posPrinter_->Config().ConfigQRCode.LarguraModulo()) +
                       "</qrcode_largura>" + "<qrcode>" + textoQRCode + "</qrcode>");
    if (comProtocolo) {
        entradas.push_back(Condensado() + "Protocolo de Autorização");
        entradas.push_back(Condensado() + aparado(nota().procNFe.nProt) + " " +
                           DataHora(nota().procNFe.dhRecbto) + "</fn>");
        entradas.emplace_back("</linha_simples>");
    }
    return entradas;
}

void TQuibNFeDANFeESCPOS::MontarBlocoConsumidorEQRCode()
{
    const std::string textoQRCode = TextoQRCodeNota();
    if (!(QRCodeLateralDisponivel() && ImprimeQRCodeLateral)) {
        Adicionar(MontarConsumidor(false));
        Adicionar(MontarDadosNota(false));
        Adicionar(MontarInfFisco());
        Adicionar(MontarMensagensAmbiente(' '));
        Adicionar(MontarQRCode(false, textoQRCode));
        return;
    }

    Adicionar(" ");
    Entradas texto = {""};
    for (Entradas parte :
         {MontarConsumidor(true), MontarDadosNota(true), MontarInfFisco(), MontarMensagensAmbiente(0)})
        texto.insert(texto.end(), parte.begin(), parte.end());
    const std::vector<std::string> linhas = Linhas(texto);
    const int alturaQRCode = TQuibPosPrinter::AlturaQRCode(textoQRCode);
    const int altura =
        std::max(posPrinter_->AlturaLinhasEmPontos(static_cast<int>(linhas.size())), alturaQRCode);
    const int esquerda = std::max(0, 270 - alturaQRCode / 2) / 2;
    Adicionar("<mp>" + posPrinter_->ConfigurarRegiaoModoPagina(esquerda, 0, altura, 270 - esquerda, 0) +
              Juntar(MontarQRCode(false, textoQRCode)));
    Adicionar(posPrinter_->ConfigurarRegiaoModoPagina(270, 0, altura, 325, 0) + Juntar(linhas) + "</mp>");
}
