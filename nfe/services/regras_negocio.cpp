#include "nfe/services/detail/regras_negocio.h"
#include "foundation/dates/dfe_zone_settings.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"

namespace nfe_services {

namespace {

constexpr TDateTime kMinuto = 1.0 / 1440.0;

// The zone settings of the component's web services, for the current time.
class FusoDoComponente : public DFeZoneSettings {
  public:
    explicit FusoDoComponente(TConfiguracoesNFe &cfg) : cfg_(cfg) {}
    const TTimeZoneConf &webServicesTimeZoneConf() const override { return cfg_.WebServices().TimeZoneConf; }
    std::string webServicesUF() const override { return cfg_.WebServices().UF(); }

  private:
    TConfiguracoesNFe &cfg_;
};

void se(ContextoRegras &c, bool falhou, std::string_view mensagem)
{
    if (falhou)
        c.falha(mensagem);
}

bool umDe(std::string_view codigo, std::initializer_list<std::string_view> codigos)
{
    for (std::string_view candidato : codigos) {
        if (codigo == candidato)
            return true;
    }
    return false;
}

std::size_t quantosDigitos(std::string_view texto)
{
    return SomenteDigitos(texto).size();
}

// The three checks of a pick-up or delivery place.
void regrasDoLocal(ContextoRegras &c, const TLocalNFe &local, std::string_view m9999999,
                   std::string_view mDigito, std::string_view mUF)
{
    se(c, local.UF == "EX" && local.cMun != 9999999, m9999999);
    se(c, local.UF != "EX" && !local.xMun.empty() && !CodigoMunicipioValido(local.cMun), mDigito);
    se(c, !local.UF.empty() && local.cMun > 0 && prefixoUF(local.cMun) != CodigoDaSiglaUF(local.UF), mUF);
}

void regrasDeCobranca(ContextoRegras &c)
{
    const TNFe &nfe = c.nfe;
    const TFat &fat = nfe.cobr.fat;
    se(c, fat.vDesc > fat.vOrig,
       "895-Rejeição: Valor do Desconto da Fatura maior que Valor Original da Fatura");
    se(c, fat.vLiq != fat.vOrig - fat.vDesc,
       "896-Rejeição: Valor Liquido da Fatura difere do Valor Original menos o Valor do Desconto");
    const TDateTime diaEmissao = dateOf(nfe.ide.dEmi);
    TDateTime anterior = diaEmissao;
    Decimal soma;
    for (int i = 0; i < nfe.cobr.dup.count(); ++i) {
        const TDupCollectionItem &dup = nfe.cobr.dup.ObterItem(i);
        se(c, dup.nDup.empty(), "857-Rejeição: Número da parcela inválido ou não informado");
        se(c, dup.dVenc < diaEmissao,
           "894-Rejeição: Data de vencimento da parcela não informada ou menor que Data de Emissão");
        se(c, dup.dVenc < anterior,
           "867-Rejeição: Data de vencimento da parcela não informada ou menor que a Data de vencimento da "
           "parcela anterior");
        anterior = dup.dVenc;
        soma += dup.vDup;
    }
    se(c,
       nfe.cobr.dup.count() > 0 &&
           ((fat.vLiq > Decimal(0) && fat.vLiq > soma) || soma < fat.vOrig - fat.vDesc),
       "872-Rejeição: Soma do valor das parcelas difere do Valor Líquido da Fatura");
}

} // namespace

int prefixoUF(int codigoMunicipio)
{
    const std::string texto = std::to_string(codigoMunicipio).substr(0, 2);
    if (!SoDigitos(texto))
        return 0;
    return std::stoi(texto);
}

void regrasDeTodaNota(ContextoRegras &c)
{
    const TNFe &nfe = c.nfe;
    const TIde &ide = nfe.ide;
    const std::string tpEmis = TipoEmissaoParaCodigo(ide.tpEmis);
    const std::string procEmi = ProcEmissaoParaCodigo(ide.procEmi);
    const TenderEmit &ender = nfe.emit.enderEmit;

    se(c, c.versao < 3.10 - 1e-9, "701-Rejeição: Versão inválida");
    se(c, !c.nota.ChaveConfere(),
       "502-Rejeição: Erro na Chave de Acesso - Campo Id não corresponde à concatenação dos campos "
       "correspondentes");
    se(c, !CodigoNumericoValido(ide.cNF, ide.nNF, 8), "897-Rejeição: Código numérico em formato inválido ");
    se(c, std::to_string(ender.cMun).substr(0, 2) != std::to_string(c.ufCodigo),
       "226-Rejeição: Código da UF do Emitente diverge da UF autorizadora");
    se(c, ide.dEmi > c.limite, "703-Rejeição: Data-Hora de Emissão posterior ao horário de recebimento");
    se(c, c.limite - ide.dEmi > 30, "228-Rejeição: Data de Emissão muito atrasada");
    se(c, !ChaveAcessoValida(nfe.infNFe.Id),
       "253-Rejeição: Digito Verificador da chave de acesso composta inválida");
    se(c, !CodigoMunicipioValido(ide.cMunFG),
       "270-Rejeição: Código Município do Fato Gerador: dígito inválido");
    se(c, prefixoUF(ide.cMunFG) != CodigoDaSiglaUF(ender.UF),
       "271-Rejeição: Código Município do Fato Gerador: difere da UF do emitente");
    se(c, umDe(tpEmis, {"3", "6", "7"}) && c.formaEmissao == teNormal,
       "570-Rejeição: Tipo de Emissão 3, 6 ou 7 só é válido nas contingências SCAN/SVC");
    se(c, c.formaEmissao == teSCAN && tpEmis != "3",
       "571-Rejeição: Tipo de Emissão informado diferente de 3 para contingência SCAN");
    se(c, (c.formaEmissao == teSVCAN || c.formaEmissao == teSVCRS) && !umDe(tpEmis, {"6", "7"}),
       "713-Rejeição: Tipo de Emissão diferente de 6 ou 7 para contingência da SVC acessada");
    se(c, ide.tpAmb != c.ambiente,
       "252-Rejeição: Ambiente informado diverge do Ambiente de recebimento (Tipo do ambiente da NF-e difere "
       "do ambiente do Web Service)");
    se(c, umDe(procEmi, {"1", "2"}) && tpEmis != "1",
       "370-Rejeição: Nota Fiscal Avulsa com tipo de emissão inválido");
    se(c, tpEmis == "1" && (!ide.xJust.empty() || ide.dhCont != 0),
       "556-Justificativa de entrada em contingência não deve ser informada para tipo de emissão normal");
    se(c, umDe(tpEmis, {"2", "5", "9"}) && ide.xJust.empty(),
       "557-A Justificativa de entrada em contingência deve ser informada");
    se(c, ide.dhCont > c.limite,
       "558-Rejeição: Data de entrada em contingência posterior a data de recebimento");
    se(c, ide.dhCont != 0 && c.limite - ide.dhCont > 30,
       "569-Rejeição: Data de entrada em contingência muito atrasada");
    se(c, !CNPJouCPFValido(nfe.emit.CNPJCPF), "207-Rejeição: CNPJ do emitente inválido");
    se(c, !CodigoMunicipioValido(ender.cMun), "272-Rejeição: Código Município do Emitente: dígito inválido");
    se(c, prefixoUF(ender.cMun) != CodigoDaSiglaUF(ender.UF),
       "273-Rejeição: Código Município do Emitente: difere da UF do emitente");
    se(c, nfe.emit.IE.empty(), "229-Rejeição: IE do emitente não informada");
    se(c, !InscricaoEstadualValida(nfe.emit.IE, ender.UF), "209-Rejeição: IE do emitente inválida ");
    se(c, quantosDigitos(nfe.dest.CNPJCPF) > 13 && !CNPJValido(nfe.dest.CNPJCPF),
       "208-Rejeição: CNPJ do destinatário inválido");
    regrasDoLocal(c, nfe.retirada,
                  "513-Rejeição: Código Município do Local de Retirada deve ser 9999999 para UF retirada = "
                  "\"EX\"",
                  "276-Rejeição: Código Município do Local de Retirada: dígito inválido",
                  "277-Rejeição: Código Município do Local de Retirada: difere da UF do Local de Retirada");
    regrasDoLocal(
        c, nfe.entrega,
        "515-Rejeição: Código Município do Local de Entrega deve ser 9999999 para UF entrega = \"EX\"",
        "278-Rejeição: Código Município do Local de Entrega: dígito inválido",
        "279-Rejeição: Código Município do Local de Entrega: difere da UF do Local de Entrega");
    const TTransporta &transporta = nfe.transp.transporta;
    const std::string docTransp = aparado(transporta.CNPJCPF);
    se(c, !docTransp.empty() && quantosDigitos(docTransp) > 13 && !CNPJValido(docTransp),
       "542-Rejeição: CNPJ do Transportador inválido");
    se(c, !docTransp.empty() && quantosDigitos(docTransp) <= 11 && !CPFValido(docTransp),
       "543-Rejeição: CPF do Transportador inválido");
    const std::string ieTransp = aparado(transporta.IE);
    se(c, !ieTransp.empty() && aparado(transporta.UF).empty(),
       "559-Rejeição: UF do Transportador não informada");
    se(c, !ieTransp.empty() && !InscricaoEstadualValida(ieTransp, transporta.UF),
       "544-Rejeição: IE do Transportador inválida");
}

void regrasNFCe(ContextoRegras &c)
{
    const TNFe &nfe = c.nfe;
    const TIde &ide = nfe.ide;
    const std::string tpEmis = TipoEmissaoParaCodigo(ide.tpEmis);
    const std::string indPres = IndPresencaParaCodigo(ide.indPres);
    const bool entregaEmDomicilio = indPres == "4";
    const TTransp &transp = nfe.transp;
    const TTransporta &transporta = transp.transporta;

    se(c, ide.dEmi < c.limite - 10 * kMinuto && umDe(tpEmis, {"1", "3", "6", "7"}),
       "704-Rejeição: NFC-e com Data-Hora de emissão atrasada");
    se(c, ide.dSaiEnt != 0, "705-Rejeição: NFC-e com data de entrada/saída");
    se(c, TipoDocFiscalParaCodigo(ide.tpNF) == "0", "706-Rejeição: NFC-e para operação de entrada");
    se(c, LocalDestinoParaCodigo(ide.idDest) != "1",
       "707-NFC-e para operação interestadual ou com o exterior");
    se(c, !umDe(TipoImpressaoParaCodigo(ide.tpImp), {"4", "5"}),
       "709-Rejeição: NFC-e com formato de DANFE inválido");
    se(c, tpEmis == "9" && nfe.emit.enderEmit.UF == "SP", "712-Rejeição: NF-e com contingência off-line");
    se(c, tpEmis == "3", "782-Rejeição: NFC-e não é autorizada pelo SCAN");
    se(c, umDe(tpEmis, {"6", "7"}), "783-Rejeição: NFC-e não é autorizada pela SVC");
    se(c, FinalidadeEmissaoParaCodigo(ide.finNFe) != "1",
       "715-Rejeição: Rejeição: NFC-e com finalidade inválida");
    se(c, IndConsumidorFinalParaCodigo(ide.indFinal) == "0",
       "716-Rejeição: NFC-e em operação não destinada a consumidor final");
    se(c, !umDe(indPres, {"1", "4"}), "717-Rejeição: NFC-e em operação não presencial");
    // No state forbids home delivery today; the list keeps the rule's place.
    se(c, entregaEmDomicilio && umDe(nfe.emit.enderEmit.UF, {"XX"}),
       "785-Rejeição: NFC-e com entrega a domicílio não permitida pela UF");
    se(c, ide.NFref.count() > 0, "708-Rejeição: NFC-e não pode referenciar documento fiscal");
    se(c, !aparado(nfe.emit.IEST).empty(),
       "718-Rejeição: NFC-e não deve informar IE de Substituto Tributário");
    se(c, entregaEmDomicilio && aparado(nfe.entrega.xLgr).empty() && aparado(nfe.dest.enderDest.xLgr).empty(),
       "787-Rejeição: NFC-e de entrega a domicílio sem a identificação do destinatário");
    se(c, IndIEDestinatarioParaCodigo(nfe.dest.indIEDest) != "9",
       "789-Rejeição: NFC-e para destinatário contribuinte de ICMS");
    se(c, !aparado(nfe.dest.IE).empty(), "729-Rejeição: NFC-e com informação da IE do destinatário");
    se(c, !aparado(nfe.dest.ISUF).empty(), "730-Rejeição: NFC-e com Inscrição Suframa");
    se(c, ContratacaoFreteParaCodigo(transp.modFrete) != "9" && !entregaEmDomicilio,
       "753-Rejeição: NFC-e com Frete");
    const bool comTransportador = !aparado(transporta.CNPJCPF).empty() ||
                                  !aparado(transporta.xNome).empty() || !aparado(transporta.IE).empty() ||
                                  !aparado(transporta.xEnder).empty() || !aparado(transporta.xMun).empty() ||
                                  !aparado(transporta.UF).empty();
    se(c, !entregaEmDomicilio && comTransportador, "754-Rejeição: NFC-e com dados do Transportador");
    se(c, entregaEmDomicilio && (aparado(transporta.CNPJCPF).empty() || aparado(transporta.xNome).empty()),
       "786-Rejeição: NFC-e de entrega a domicílio sem dados do Transportador");
    const TretTransp &ret = transp.retTransp;
    const Decimal zero;
    se(c,
       ret.vServ > zero || ret.vBCRet > zero || ret.pICMSRet > zero || ret.vICMSRet > zero ||
           !aparado(ret.CFOP).empty() || ret.cMunFG > 0,
       "755-Rejeição: NFC-e com dados de Retenção do ICMS no Transporte");
    const TveicTransp &veiculo = transp.veicTransp;
    se(c, !aparado(veiculo.placa).empty() || !aparado(veiculo.UF).empty() || !aparado(veiculo.RNTC).empty(),
       "756-Rejeição: NFC-e com dados do veículo de Transporte");
    se(c, transp.reboque.count() > 0, "757-Rejeição: NFC-e com dados de Reboque do veículo de Transporte");
    se(c, !aparado(transp.vagao).empty(), "758-Rejeição: NFC-e com dados do Vagão de Transporte");
    se(c, !aparado(transp.balsa).empty(), "759-Rejeição: NFC-e com dados da Balsa de Transporte");
    const TFat &fat = nfe.cobr.fat;
    se(c,
       !aparado(fat.nFat).empty() || fat.vOrig > zero || fat.vDesc > zero || fat.vLiq > zero ||
           nfe.cobr.dup.count() > 0,
       "760-Rejeição: NFC-e com dados de cobrança (Fatura, Duplicata)");
    se(c, nfe.pag.count() == 0, "769-Rejeição: NFC-e deve possuir o grupo de Formas de Pagamento");
    se(c,
       !aparado(nfe.compra.xNEmp).empty() || !aparado(nfe.compra.xPed).empty() ||
           !aparado(nfe.compra.xCont).empty(),
       "762-Rejeição: NFC-e com dados de compras (Empenho, Pedido, Contrato)");
    se(c,
       !aparado(nfe.cana.safra).empty() || !aparado(nfe.cana.ref).empty() || nfe.cana.forDia.count() > 0 ||
           nfe.cana.deduc.count() > 0,
       "763-Rejeição: NFC-e com dados de aquisição de Cana");
}

void regrasNFe(ContextoRegras &c)
{
    const TNFe &nfe = c.nfe;
    const TIde &ide = nfe.ide;
    const std::string finNFe = FinalidadeEmissaoParaCodigo(ide.finNFe);
    const std::string indPres = IndPresencaParaCodigo(ide.indPres);
    const std::string idDest = LocalDestinoParaCodigo(ide.idDest);
    const TDest &dest = nfe.dest;
    const std::string &ufEmit = nfe.emit.enderEmit.UF;

    se(c, ide.dSaiEnt - c.limite > 30, "504-Rejeição: Data de Entrada/Saída posterior ao permitido");
    se(c, ide.dSaiEnt != 0 && c.limite - ide.dSaiEnt > 30,
       "505-Rejeição: Data de Entrada/Saída anterior ao permitido");
    se(c, ide.dSaiEnt != 0 && ide.dSaiEnt < ide.dEmi,
       "506-Rejeição: Data de Saída menor que a Data de Emissão");
    se(c, umDe(TipoImpressaoParaCodigo(ide.tpImp), {"4", "5"}),
       "710-Rejeição: NF-e com formato de DANFE inválido");
    se(c, TipoEmissaoParaCodigo(ide.tpEmis) == "9", "711-Rejeição: NF-e com contingência off-line");
    se(c, finNFe == "2" && ide.NFref.count() == 0,
       "254-Rejeição: NF-e complementar não possui NF referenciada");
    se(c, finNFe == "2" && ide.NFref.count() > 1,
       "255-Rejeição: NF-e complementar possui mais de uma NF referenciada");
    if (finNFe == "2" && ide.NFref.count() == 1) {
        const TNFrefCollectionItem &ref = ide.NFref.ObterItem(0);
        const bool cnpjDiferente =
            ref.refNF.CNPJ.empty() ? (!ref.refNFP.CNPJCPF.empty() && ref.refNFP.CNPJCPF != nfe.emit.CNPJCPF)
                                   : ref.refNF.CNPJ != nfe.emit.CNPJCPF;
        se(c, cnpjDiferente,
           "269-Rejeição: CNPJ Emitente da NF Complementar difere do CNPJ da NF Referenciada");
        const int ufEmitente = CodigoDaSiglaUF(ufEmit);
        se(c,
           (ref.refNF.nNF > 0 && ref.refNF.cUF != ufEmitente) ||
               (ref.refNFP.nNF > 0 && ref.refNFP.cUF != ufEmitente),
           "678-Rejeição: NF referenciada com UF diferente da NF-e complementar");
    }
    se(c, finNFe == "4" && ide.NFref.count() == 0, "321-Rejeição: NF-e devolução não possui NF referenciada");
    se(c, indPres == "4", "794-Rejeição: NF-e com indicativo de NFC-e com entrega a domicílio");
    const std::string docDest = aparado(dest.CNPJCPF);
    const std::size_t digitosDest = quantosDigitos(docDest);
    se(c, digitosDest > 0 && digitosDest <= 11 && !CPFValido(docDest),
       "237-Rejeição: CPF do destinatário inválido");
    se(c, idDest == "2" && docDest.empty(), "721-Rejeição: Operação interestadual deve informar CNPJ ou CPF");
    se(c,
       idDest == "1" && !aparado(dest.idEstrangeiro).empty() &&
           IndConsumidorFinalParaCodigo(ide.indFinal) != "1",
       "723-Rejeição: Operação interna com idEstrangeiro informado deve ser para consumidor final");
    se(c, aparado(dest.xNome).empty(), "724-Rejeição: NF-e sem o nome do destinatário");
    se(c, aparado(dest.enderDest.xLgr).empty(),
       "726-Rejeição: NF-e sem a informação de endereço do destinatário");
    const std::string &ufDest = dest.enderDest.UF;
    se(c, ufDest == "EX" && dest.enderDest.cMun != 9999999,
       "509-Rejeição: Informado código de município diferente de \"9999999\" para operação com o exterior");
    se(c, idDest == "3" && ufDest != "EX", "727-Rejeição: Operação com Exterior e UF diferente de EX");
    se(c, idDest == "2" && ufDest == "EX", "771-Rejeição: Operação Interestadual e UF de destino com EX");
    se(c, idDest == "1" && ufDest != ufEmit && indPres != "1",
       "773-Rejeição: Operação Interna e UF de destino difere da UF do emitente - não presencial");
    se(c, idDest == "3" && IndIEDestinatarioParaCodigo(dest.indIEDest) != "9",
       "790-Rejeição: Operação com Exterior para destinatário Contribuinte de ICMS");
    se(c, c.desde400() && nfe.pag.count() == 0,
       "769-Rejeição: NF-e deve possuir o grupo de Formas de Pagamento");
    se(c, !c.desde400() && nfe.pag.count() > 0,
       "768-Rejeição: NF-e não deve possuir o grupo de Formas de Pagamento");
    se(c, c.desde400() && indPres == "5" && ide.NFref.count() == 0,
       "864-Rejeição: NF-e com indicativo de Operação presencial, fora do estabelecimento e não informada NF "
       "referenciada");
    const TveicTransp &veiculo = nfe.transp.veicTransp;
    se(c,
       c.desde400() && idDest == "2" &&
           (!aparado(veiculo.placa).empty() || !aparado(veiculo.UF).empty() ||
            !aparado(veiculo.RNTC).empty() || nfe.transp.reboque.count() > 0),
       "868-Rejeição: Grupos Veiculo Transporte e Reboque não devem ser informados");
    if (c.desde400() && umDe(finNFe, {"1", "2"}))
        regrasDeCobranca(c);
}

} // namespace nfe_services

bool NotaFiscal::ValidarRegrasNegocio()
{
    using namespace nfe_services;
    TConfiguracoesNFe &cfg = componente().Configuracoes();
    const TDateTime agora = DataHoraAtualNoFuso(FusoDoComponente(cfg));
    ContextoRegras c{*this,
                     NFe(),
                     cfg.Geral().FormaEmissao,
                     cfg.WebServices().Ambiente,
                     cfg.WebServices().UFCodigo(),
                     agora,
                     agora + 5 * kMinuto,
                     NFe().infNFe.VersaoOuPadrao(),
                     {}};
    regrasDeTodaNota(c);
    if (NFe().ide.mod == 65)
        regrasNFCe(c);
    else if (NFe().ide.mod == 55)
        regrasNFe(c);
    regrasAutXML(c);
    regrasItensTotaisEPagamentos(c);

    if (c.erros.empty()) {
        MsgErroRegras.clear();
        return true;
    }
    MsgErroRegras =
        "Erro(s) nas Regras de negócios da nota: " + std::to_string(NFe().ide.nNF) + "\r\n" + c.erros;
    return false;
}
