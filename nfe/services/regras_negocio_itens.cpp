#include <array>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "nfe/services/detail/regras_negocio.h"

namespace nfe_services {

namespace {

constexpr int kCodigoGLP = 210203001;
constexpr const char *kSemGTIN = "SEM GTIN";

// The CFOPs an NFC-e item may carry.
constexpr std::array<std::string_view, 9> kCFOPsNFCe = {"5101", "5102", "5103", "5104", "5115",
                                                        "5405", "5656", "5667", "5933"};

// The sums of the items that count in the total, and what is known of all items.
struct SomasDosItens {
    Decimal vBC, vICMS, vICMSDeson, vBCST, vICMSST, vFCP, vFCPST, vFCPSTRet;
    Decimal vProd, vFrete, vSeg, vDesc, vOutro, vII, vIPI, vIPIDevol, vTotTrib;
    Decimal vPISST, vCOFINSST;
    Decimal vPISServico, vCOFINSServico, vPIS, vCOFINS;
    bool faturamentoDireto = false; // a vehicle item with tpOp 2
    bool importacao = false;        // a CFOP beginning with 3
    bool consumoEmOutraUF = false;  // a fuel item of 4.00 consumed in another state
};

bool itemDeServico(const TDetCollectionItem &item)
{
    return aparado(item.prod.NCM) == "00" || !aparado(item.imposto.ISSQN.cListServ).empty();
}

bool cfopDeNFCe(std::string_view cfop)
{
    const std::string digitos = SomenteDigitos(cfop);
    for (std::string_view permitido : kCFOPsNFCe) {
        if (digitos == permitido)
            return true;
    }
    return false;
}

// |vBC x pICMS / 100 - vICMS| above 0.01, the difference rounded to nine places.
bool icmsDifereDoProduto(const TICMS &icms)
{
    // vBC and pICMS carry four places each, so the product over 100 is exact
    // in units of 10^-10; vICMS is brought to the same scale.
    const __int128 produto = static_cast<__int128>(icms.vBC.units()) * icms.pICMS.units();
    const __int128 diferenca = produto - static_cast<__int128>(icms.vICMS.units()) * 1000000;
    const __int128 absoluta = diferenca < 0 ? -diferenca : diferenca;
    const __int128 em1e9 = (absoluta + 5) / 10;
    return em1e9 > 10000000; // 0.01 in units of 10^-9
}

// The item's check; every message ends with the item number.
class ChecagemDoItem {
  public:
    ChecagemDoItem(ContextoRegras &c, const TDetCollectionItem &item)
        : c_(c), sufixo_(std::to_string(item.prod.nItem) + "]")
    {
    }
    void se(bool falhou, std::string_view mensagem)
    {
        if (falhou)
            c_.falha(std::string(mensagem) + sufixo_);
    }

  private:
    ContextoRegras &c_;
    std::string sufixo_;
};

void regrasNFCeDoItem(ChecagemDoItem &ck, const TDetCollectionItem &item)
{
    const TProd &prod = item.prod;
    const TImposto &imp = item.imposto;
    const Decimal zero;
    ck.se(!cfopDeNFCe(prod.CFOP), "725-Rejeição: NFC-e com CFOP inválido [nItem: ");
    ck.se(IndSomaTotalParaCodigo(prod.indTot) == "0",
          "774-Rejeição: NFC-e com indicador de item não participante do total [nItem: ");
    ck.se(!prod.veicProd.chassi.empty(), "736-Rejeição: NFC-e com grupo de Veículos novos [nItem: ");
    ck.se(prod.med.count() > 0, "737-Rejeição: NFC-e com grupo de Medicamentos [nItem: ");
    ck.se(prod.arma.count() > 0, "738-Rejeição: NFC-e com grupo de Armamentos [nItem: ");
    ck.se(!prod.nRECOPI.empty(), "348-Rejeição: NFC-e com grupo RECOPI [nItem: ");
    ck.se(imp.ICMS.CST == sti50, "766-Rejeição: NFC-e com CST 50-Suspensão [nItem: ");
    ck.se(imp.ICMS.CST == sti51, "740-Rejeição: NFC-e com CST 51-Diferimento [nItem: ");
    ck.se(imp.ICMS.CST == sti10Part || imp.ICMS.CST == sti90Part,
          "741-Rejeição: NFC-e com Partilha de ICMS entre UF [nItem: ");
    const TIPI &ipi = imp.IPI;
    ck.se(!ipi.cEnq.empty() || !ipi.vBC.isZero() || !ipi.qUnid.isZero() || !ipi.vUnid.isZero() ||
              !ipi.pIPI.isZero() || !ipi.vIPI.isZero(),
          "742-Rejeição: NFC-e com grupo do IPI [nItem: ");
    const TII &ii = imp.II;
    ck.se(ii.vBC > zero || ii.vDespAdu > zero || ii.vII > zero || ii.vIOF > zero ||
              prod.CFOP.starts_with("3"),
          "743-Rejeição: NFC-e com grupo do II [nItem: ");
    const TPISST &pisst = imp.PISST;
    ck.se(pisst.vBC > zero || pisst.pPIS > zero || pisst.qBCProd > zero || pisst.vAliqProd > zero ||
              pisst.vPIS > zero,
          "746-Rejeição: NFC-e com grupo do PIS-ST [nItem: ");
    const TCOFINSST &cofinsst = imp.COFINSST;
    ck.se(cofinsst.vBC > zero || cofinsst.pCOFINS > zero || cofinsst.qBCProd > zero ||
              cofinsst.vAliqProd > zero || cofinsst.vCOFINS > zero,
          "749-Rejeição: NFC-e com grupo da COFINS-ST [nItem: ");
}

void regrasGTIN(ChecagemDoItem &ck, const TProd &prod)
{
    const std::string ean = aparado(prod.cEAN);
    const std::string eanTrib = aparado(prod.cEANTrib);
    const bool temEan = !ean.empty() && ean != kSemGTIN;
    const bool temEanTrib = !eanTrib.empty() && eanTrib != kSemGTIN;
    ck.se(temEan && !GTINValido(ean), "611-Rejeição: GTIN (cEAN) inválido [nItem: ");
    ck.se(temEan && !PrefixoGTINValido(ean), "882-Rejeição: GTIN (cEAN) com prefixo inválido [nItem: ");
    ck.se(temEan && !temEanTrib,
          "885-Rejeição: GTIN informado, mas não informado o GTIN da unidade tributável [nItem: ");
    ck.se(temEanTrib && !GTINValido(eanTrib),
          "612-Rejeição: GTIN da unidade tributável (cEANTrib) inválido [nItem: ");
    ck.se(temEanTrib && !PrefixoGTINValido(eanTrib),
          "884-Rejeição: GTIN da unidade tributável (cEANTrib) com prefixo inválido [nItem: ");
    ck.se(temEanTrib && !temEan,
          "886-Rejeição: GTIN da unidade tributável informado, mas não informado o GTIN [nItem: ");
    ck.se(ean.empty(), "889-Rejeição: Obrigatória a informação do GTIN para o produto [nItem: ");
}

void regrasDesde400DoItem(ContextoRegras &c, ChecagemDoItem &ck, const TDetCollectionItem &item)
{
    const TProd &prod = item.prod;
    const TIde &ide = c.nfe.ide;
    regrasGTIN(ck, prod);
    ck.se(EscalaProducaoParaCodigo(prod.indEscala) == "N" && prod.CNPJFab.empty(),
          "879-Rejeição: Informado item Produzido em Escala NÃO Relevante e não informado CNPJ do Fabricante "
          "[nItem: ");
    ck.se(!prod.CNPJFab.empty() && !CNPJValido(prod.CNPJFab),
          "489-Rejeição: CNPJFab informado inválido (DV ou zeros) [nItem: ");
    const bool glp = prod.comb.cProdANP == kCodigoGLP;
    ck.se(glp && upperAscii(prod.uTrib) != "KG",
          "854-Rejeição: Unidade Tributável (tag:uTrib) incompatível com produto informado [nItem: ");
    for (int i = 0; i < prod.rastro.count(); ++i) {
        const TRastroCollectionItem &rastro = prod.rastro.ObterItem(i);
        ck.se(rastro.dFab > ide.dEmi,
              "877-Rejeição: Data de fabricação maior que a data de processamento [nItem: ");
        ck.se(rastro.dFab > rastro.dVal,
              "870-Rejeição: Data de validade incompatível com data de fabricação [nItem: ");
    }
    const std::string cfop = SomenteDigitos(prod.CFOP);
    const bool cfopSemRastro = cfop == "5922" || cfop == "6922" || cfop == "5118" || cfop == "6118" ||
                               cfop == "5119" || cfop == "6119" || cfop == "5120" || cfop == "6120";
    const std::string indPres = IndPresencaParaCodigo(ide.indPres);
    for (int i = 0; i < prod.med.count(); ++i) {
        const TmedCollectionItem &med = prod.med.ObterItem(i);
        ck.se(
            !med.cProdANVISA.empty() && prod.rastro.count() == 0 &&
                FinalidadeEmissaoParaCodigo(ide.finNFe) == "1" && indPres != "2" && indPres != "3" &&
                !cfopSemRastro && TipoDocFiscalParaCodigo(ide.tpNF) == "1",
            "873-Rejeição: Operação com medicamentos e não informado os campos de rastreabilidade [nItem: ");
    }
    const TComb &comb = prod.comb;
    const Decimal zero;
    ck.se(
        !glp && (comb.pGLP > zero || comb.pGNn > zero || comb.pGNi > zero),
        "461-Rejeição: Informado campos de percentual de GLP e/ou GLGNn e/ou GLGNi para produto diferente de "
        "GLP [nItem: ");
    ck.se(glp && comb.pGLP + comb.pGNn + comb.pGNi != Decimal(100),
          "855-Rejeição: Somatório percentuais de GLP derivado do petróleo, GLGNn e GLGNi diferente de 100 "
          "[nItem: ");
}

void regrasDoItem(ContextoRegras &c, const TDetCollectionItem &item)
{
    ChecagemDoItem ck(c, item);
    const TProd &prod = item.prod;
    const TImposto &imp = item.imposto;
    const TNFe &nfe = c.nfe;
    const Decimal zero;

    ck.se(!itemDeServico(item) && aparado(prod.NCM).size() < 8,
          "777-Rejeição: Obrigatória a informação do NCM completo [nItem: ");
    if (c.nfce())
        regrasNFCeDoItem(ck, item);
    ck.se(nfe.ide.mod == 55 && c.desde400() && prod.comb.cProdANP == kCodigoGLP && !(prod.comb.vPart > zero),
          "856-Rejeição: Campo valor de partida não preenchido para produto GLP [nItem: ");
    const TpcnSitTributariaICMS cst = imp.ICMS.CST;
    ck.se(FinalidadeEmissaoParaCodigo(nfe.ide.finNFe) == "1" &&
              (cst == sti00 || cst == sti10 || cst == sti20 || cst == sti70) && icmsDifereDoProduto(imp.ICMS),
          "528-Rejeição: Valor do ICMS difere do produto BC e Alíquota [nItem: ");
    ck.se(MotivoDesoneracaoParaCodigo(imp.ICMS.motDesICMS) == "7" && nfe.dest.ISUF.empty(),
          "625-Rejeição: Inscrição SUFRAMA deve ser informada na venda com isenção para ZFM [nItem: ");
    const TISSQN &iss = imp.ISSQN;
    ck.se(nfe.emit.IM.empty() && (iss.vBC > zero || iss.vAliq > zero || iss.vISSQN > zero || iss.cMunFG > 0 ||
                                  !iss.cListServ.empty()),
          "530-Rejeição: Operação com tributação de ISSQN sem informar a Inscrição Municipal [nItem: ");
    ck.se(iss.cMunFG > 0 && !CodigoMunicipioValido(iss.cMunFG),
          "287-Rejeição: Código Município do FG - ISSQN: dígito inválido [nItem: ");
    if (c.desde400())
        regrasDesde400DoItem(c, ck, item);
}

void somarItem(const ContextoRegras &c, const TDetCollectionItem &item, SomasDosItens &s)
{
    const TProd &prod = item.prod;
    const TImposto &imp = item.imposto;
    if (TipoOperacaoVeiculoParaCodigo(prod.veicProd.tpOp) == "2")
        s.faturamentoDireto = true;
    if (prod.CFOP.starts_with("3"))
        s.importacao = true;
    if (c.desde400() && !prod.comb.UFCons.empty() && prod.comb.UFCons != c.nfe.emit.enderEmit.UF)
        s.consumoEmOutraUF = true;
    if (IndSomaTotalParaCodigo(prod.indTot) != "1")
        return;

    const TICMS &icms = imp.ICMS;
    s.vBC += icms.vBC;
    s.vICMS += icms.vICMS;
    s.vICMSDeson += icms.vICMSDeson;
    s.vBCST += icms.vBCST;
    s.vICMSST += icms.vICMSST;
    s.vFCP += icms.vFCP;
    s.vFCPST += icms.vFCPST;
    s.vFCPSTRet += icms.vFCPSTRet;
    s.vFrete += prod.vFrete;
    s.vSeg += prod.vSeg;
    s.vDesc += prod.vDesc;
    s.vOutro += prod.vOutro;
    s.vII += imp.II.vII;
    s.vIPI += imp.IPI.vIPI;
    s.vIPIDevol += item.vIPIDevol;
    s.vTotTrib += imp.vTotTrib;
    if (SomaPISSTParaCodigo(imp.PISST.indSomaPISST) == "1")
        s.vPISST += imp.PISST.vPIS;
    if (SomaCOFINSSTParaCodigo(imp.COFINSST.indSomaCOFINSST) == "1")
        s.vCOFINSST += imp.COFINSST.vCOFINS;
    const bool servico = itemDeServico(item);
    if (servico) {
        s.vPISServico += imp.PIS.vPIS;
        s.vCOFINSServico += imp.COFINS.vCOFINS;
    } else {
        s.vPIS += imp.PIS.vPIS;
        s.vCOFINS += imp.COFINS.vCOFINS;
    }
    if (!servico || FinalidadeEmissaoParaCodigo(c.nfe.ide.finNFe) == "3")
        s.vProd += prod.vProd;
}

// A total that must equal its item sum exactly (when the rule applies to the note).
struct Comparacao {
    Decimal soma;
    Decimal total;
    bool aplica;
    const char *mensagem;
};

template <std::size_t N> void compararTotais(ContextoRegras &c, const Comparacao (&comparacoes)[N])
{
    for (const Comparacao &comp : comparacoes) {
        if (comp.aplica && comp.soma != comp.total)
            c.falha(comp.mensagem);
    }
}

bool difereMaisQue(Decimal a, Decimal b, Decimal tolerancia)
{
    return (a - b).abs() > tolerancia;
}

void regrasDosTotais(ContextoRegras &c, const SomasDosItens &s)
{
    const TNFe &nfe = c.nfe;
    const TICMSTot &tot = nfe.total.ICMSTot;
    const TISSQNtot &iss = nfe.total.ISSQNtot;
    const std::string &ufEmit = nfe.emit.enderEmit.UF;
    const Decimal tolerancia = Decimal::fromUnits(90); // 0.009

    if (!s.consumoEmOutraUF && LocalDestinoParaCodigo(nfe.ide.idDest) == "2" &&
        nfe.dest.enderDest.UF == ufEmit && nfe.dest.CNPJCPF != nfe.emit.CNPJCPF && nfe.entrega.UF == ufEmit)
        c.falha("772-Rejeição: Operação Interestadual e UF de destino igual à UF do emitente");

    // clang-format off
    const Comparacao antes[] = {
        {s.vBC,            tot.vBC,        true, "531-Rejeição: Total da BC ICMS difere do somatório dos itens"},
        {s.vICMS,          tot.vICMS,      true, "532-Rejeição: Total do ICMS difere do somatório dos itens"},
        {s.vICMSDeson,     tot.vICMSDeson, true, "795-Rejeição: Total do ICMS desonerado difere do somatório dos itens"},
        {s.vBCST,          tot.vBCST,      true, "533-Rejeição: Total da BC ICMS-ST difere do somatório dos itens"},
        {s.vICMSST,        tot.vST,        true, "534-Rejeição: Total do ICMS-ST difere do somatório dos itens"},
    };
    // clang-format on
    compararTotais(c, antes);
    if (difereMaisQue(s.vProd, tot.vProd, tolerancia))
        c.falha("564-Rejeição: Total do Produto / Serviço difere do somatório dos itens");

    const bool nfe55 = nfe.ide.mod == 55;
    // clang-format off
    const Comparacao depois[] = {
        {s.vFrete,          tot.vFrete,     true,  "535-Rejeição: Total do Frete difere do somatório dos itens"},
        {s.vSeg,            tot.vSeg,       true,  "536-Rejeição: Total do Seguro difere do somatório dos itens"},
        {s.vDesc,           tot.vDesc,      true,  "537-Rejeição: Total do Desconto difere do somatório dos itens"},
        {s.vII,             tot.vII,        true,  "601-Rejeição: Total do II difere do somatório dos itens"},
        {s.vIPI,            tot.vIPI,       true,  "538-Rejeição: Total do IPI difere do somatório dos itens"},
        {s.vPIS,            tot.vPIS,       true,  "602-Rejeição: Total do PIS difere do somatório dos itens sujeitos ao ICMS"},
        {s.vCOFINS,         tot.vCOFINS,    true,  "603-Rejeição: Total da COFINS difere do somatório dos itens sujeitos ao ICMS"},
        {s.vOutro,          tot.vOutro,     true,  "604-Rejeição: Total do vOutro difere do somatório dos itens"},
        {s.vPISServico,     iss.vPIS,       true,  "608-Rejeição: Total do PIS difere do somatório dos itens sujeitos ao ISSQN"},
        {s.vCOFINSServico,  iss.vCOFINS,    true,  "609-Rejeição: Total da COFINS difere do somatório dos itens sujeitos ao ISSQN"},
        {s.vFCP,            tot.vFCP,       true,  "861-Rejeição: Total do FCP difere do somatório dos itens"},
        {s.vFCPST,          tot.vFCPST,     nfe55, "862-Rejeição: Total do FCP ST difere do somatório dos itens"},
        {s.vFCPSTRet,       tot.vFCPSTRet,  nfe55, "859-Rejeição: Total do FCP retido anteriormente por Substituição Tributária difere do somatório dos itens"},
        {s.vIPIDevol,       tot.vIPIDevol,  nfe55, "863-Rejeição: Total do IPI devolvido difere do somatório dos itens"},
    };
    // clang-format on
    compararTotais(c, depois);

    Decimal calculado = s.vProd + s.vFrete + s.vSeg + s.vOutro + s.vII + s.vIPI + iss.vServ + s.vPISST +
                        s.vCOFINSST - (s.vDesc + s.vICMSDeson);
    if (!s.faturamentoDireto)
        calculado += s.vICMSST + s.vFCPST + s.vIPIDevol;
    if (!s.importacao && calculado != tot.vNF && difereMaisQue(calculado + s.vICMSDeson, tot.vNF, tolerancia))
        c.falha("610-Rejeição: Total da NF difere do somatório dos Valores compõe o valor Total da NF.");
    if (s.vTotTrib != tot.vTotTrib)
        c.falha("685-Rejeição: Total do Valor Aproximado dos Tributos difere do somatório dos itens");
}

void regrasDePagamento(ContextoRegras &c)
{
    const TNFe &nfe = c.nfe;
    const Decimal vNF = nfe.total.ICMSTot.vNF;
    Decimal soma;
    bool semPagamentoInformado = false;
    for (int i = 0; i < nfe.pag.count(); ++i) {
        soma += nfe.pag.ObterItem(i).vPag;
        if (MeioPagamentoParaCodigo(nfe.pag.ObterItem(i).tPag) == "90")
            semPagamentoInformado = true;
    }
    if (c.nfce() && !c.desde400()) {
        if (soma != vNF)
            c.falha("767-Rejeição: NFC-e com somatório dos pagamentos diferente do total da Nota Fiscal");
        return;
    }
    if (!c.desde400())
        return;
    const std::string finNFe = FinalidadeEmissaoParaCodigo(nfe.ide.finNFe);
    if (finNFe == "1" || finNFe == "2") {
        const Decimal troco = nfe.pag.vTroco;
        if (c.nfce() && semPagamentoInformado)
            c.falha("899-Rejeição: Informado incorretamente o campo meio de pagamento");
        if (c.nfce() && vNF > soma)
            c.falha("865-Rejeição: Total dos pagamentos menor que o total da nota");
        if (troco.isZero() && soma > vNF)
            c.falha(
                "866-Rejeição: Ausência de troco quando o valor dos pagamentos informados for maior que o "
                "total da nota");
        if (troco > Decimal(0) && vNF != soma - troco)
            c.falha("869-Rejeição: Valor do troco incorreto");
    } else if (finNFe == "4") {
        for (int i = 0; i < nfe.pag.count(); ++i) {
            if (MeioPagamentoParaCodigo(nfe.pag.ObterItem(i).tPag) != "90")
                c.falha(
                    "871-Rejeição: O campo Meio de Pagamento deve ser preenchido com a opção Sem Pagamento");
        }
    }
}

} // namespace

void regrasAutXML(ContextoRegras &c)
{
    for (int i = 0; i < c.nfe.autXML.count(); ++i) {
        const std::string documento = aparado(c.nfe.autXML.ObterItem(i).CNPJCPF);
        const std::size_t digitos = SomenteDigitos(documento).size();
        if (digitos <= 11 && !CPFValido(documento))
            c.falha("325-Rejeição: CPF autorizado para download inválido");
        if (digitos > 11 && !CNPJValido(documento))
            c.falha("323-Rejeição: CNPJ autorizado para download inválido");
    }
}

void regrasItensTotaisEPagamentos(ContextoRegras &c)
{
    SomasDosItens somas;
    for (int i = 0; i < c.nfe.det.count(); ++i) {
        const TDetCollectionItem &item = c.nfe.det.ObterItem(i);
        regrasDoItem(c, item);
        somarItem(c, item, somas);
    }
    regrasDosTotais(c, somas);
    regrasDePagamento(c);
}

} // namespace nfe_services
