#include "nfe/services/evento_nfe.h"

#include <algorithm>
#include <charconv>

const std::string_view kCondicaoUsoCCe =
    "A Carta de Correcao e disciplinada pelo paragrafo 1o-A do art. 7o do Convenio S/N, de 15 de "
    "dezembro de 1970 e pode ser utilizada para regularizacao de erro ocorrido na emissao de documento "
    "fiscal, desde que o erro nao esteja relacionado com: I - as variaveis que determinam o valor do "
    "imposto tais como: base de calculo, aliquota, diferenca de preco, quantidade, valor da operacao ou "
    "da prestacao; II - a correcao de dados cadastrais que implique mudanca do remetente ou do "
    "destinatario; III - a data de emissao ou de saida.";

const std::string_view kCondicaoUsoAtorInteressado =
    "O emitente ou destinatário da NF-e, declara que permite o transportador declarado no campo "
    "CNPJ/CPF deste evento a autorizar os transportadores subcontratados ou redespachados a terem "
    "acesso ao download da NF-e";

void TDetEvento::SetxCondUso(std::string_view valor)
{
    xCondUso_ = valor.empty() ? std::string(kCondicaoUsoCCe) : std::string(valor);
}

int TInfEvento::cOrgao() const
{
    if (cOrgao_ != 0)
        return cOrgao_;
    const std::string_view uf = std::string_view(chNFe).substr(0, std::min<std::size_t>(2, chNFe.size()));
    int valor = 0;
    const auto [fim, erro] = std::from_chars(uf.data(), uf.data() + uf.size(), valor);
    return erro == std::errc() && fim == uf.data() + uf.size() ? valor : 0;
}

std::string TInfEvento::DescricaoTipoEvento() const
{
    switch (tpEvento) {
    case tevCCe:
        return "Carta de Correcao";
    case tevCancelamento:
        return "Cancelamento";
    case tevCancelamentoPorSubstituicao:
        return "Cancelamento por substituicao";
    case tevEPECNFe:
        return "EPEC";
    case tevPedProrrog1:
    case tevPedProrrog2:
        return "Pedido de Prorrogacao";
    case tevCanPedProrrog1:
    case tevCanPedProrrog2:
        return "Cancelamento de Pedido de Prorrogacao";
    case tevManifDestConfirmacao:
        return "Confirmacao da Operacao";
    case tevManifDestCiencia:
        return "Ciencia da Operacao";
    case tevManifDestDesconhecimento:
        return "Desconhecimento da Operacao";
    case tevManifDestOperNaoRealizada:
        return "Operacao nao Realizada";
    case tevComprEntregaNFe:
        return "Comprovante de Entrega da NF-e";
    case tevCancComprEntregaNFe:
        return "Cancelamento Comprovante de Entrega da NF-e";
    case tevAtorInteressadoNFe:
        return "Ator interessado na NF-e";
    case tevSemNome55:
        return "Comprovante de Entrega do CT-e";
    case tevRegistroCTe:
        return "CT-e Autorizado para NF-e";
    case tevCTeCancelado:
        return "CT-e Cancelado";
    case tevMDFeAutorizado:
    case tevMDFeAutorizado2:
        return "MDF-e Autorizado";
    case tevVistoriaSuframa:
        return "Vistoria SUFRAMA";
    case tevConfInternalizacao:
        return "Confirmacao de Internalizacao da Mercadoria na SUFRAMA";
    case tevEncerramento:
        return "Encerramento";
    case tevEPEC:
        return "EPEC";
    case tevInclusaoCondutor:
        return "Inclusao Condutor";
    case tevMultiModal:
        return "Registro Multimodal";
    case tevRegistroPassagem:
        return "Registro de Passagem";
    case tevRegistroPassagemBRId:
        return "Registro de Passagem BRId";
    case tevRegistroPassagemNFeCancelado:
        return "Registro de Passagem para NF-e Cancelado";
    case tevRegistroPassagemNFeRFID:
        return "Registro de Passagem para NF-e RFID";
    case tevMDFeCancelado:
    case tevMDFeCancelado2:
        return "MDF-e Cancelado";
    case tevEventoFiscoPP1:
    case tevEventoFiscoPP2:
    case tevEventoFiscoCPP1:
    case tevEventoFiscoCPP2:
        return "Evento Fisco";
    case tevRegistroPassagemNFe:
        return "Registro de Passagem NF-e";
    case tevCTeAutorizado:
        return "CT-e Autorizado";
    default:
        return "";
    }
}

std::string TInfEvento::CodigoTipoEvento() const
{
    return TipoEventoParaCodigo(tpEvento);
}

void CopiarDadosEvento(const TInfEvento &lido, TInfEvento &evento)
{
    evento.SetcOrgao(lido.cOrgao());
    evento.tpAmb = lido.tpAmb;
    evento.CNPJ = lido.CNPJ;
    evento.chNFe = lido.chNFe;
    evento.dhEvento = lido.dhEvento;
    evento.tpEvento = lido.tpEvento;
    evento.nSeqEvento = lido.nSeqEvento;
    evento.verEvento = lido.verEvento;

    const TDetEvento &de = lido.detEvento;
    TDetEvento &para = evento.detEvento;
    para.descEvento = de.descEvento;
    para.xCorrecao = de.xCorrecao;
    para.SetxCondUso(de.xCondUso());
    para.nProt = de.nProt;
    para.xJust = de.xJust;
    para.chNFeRef = de.chNFeRef;
    para.cOrgaoAutor = de.cOrgaoAutor;
    para.tpAutor = de.tpAutor;
    para.verAplic = de.verAplic;
    para.dhEmi = de.dhEmi;
    para.tpNF = de.tpNF;
    para.IE = de.IE;
    para.dest = de.dest;
    para.vNF = de.vNF;
    para.vICMS = de.vICMS;
    para.vST = de.vST;
    para.dhEntrega = de.dhEntrega;
    para.nDoc = de.nDoc;
    para.xNome = de.xNome;
    para.latGPS = de.latGPS;
    para.longGPS = de.longGPS;
    para.hashComprovante = de.hashComprovante;
    para.dhHashComprovante = de.dhHashComprovante;
    para.nProtEvento = de.nProtEvento;
    para.tpAutorizacao = de.tpAutorizacao;
}
