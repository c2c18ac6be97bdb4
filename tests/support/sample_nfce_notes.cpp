#include "sample_nfce_notes.h"

#include <functional>
#include <map>
#include <stdexcept>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/dfe_util.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_writer.h"
#include "sample_notes.h"

namespace testsupport {

namespace {

// Sets an item's description and price (quantity `quantidade` at `unitario`
// ten-thousandths) and moves the note's totals and first payment with it.
void ajustarItem(TNFe &nfe, TDetCollectionItem &det, const std::string &descricao, int quantidade,
                 std::int64_t unitario)
{
    TProd &prod = det.prod;
    TICMSTot &tot = nfe.total.ICMSTot;
    TpagCollectionItem &pag = nfe.pag.ObterItem(0);
    tot.vProd = tot.vProd - prod.vProd;
    tot.vNF = tot.vNF - prod.vProd;
    pag.vPag = pag.vPag - prod.vProd;
    prod.xProd = descricao;
    prod.qCom = quantidade;
    prod.qTrib = quantidade;
    prod.vUnCom = Decimal::fromUnits(unitario).toDouble();
    prod.vUnTrib = prod.vUnCom;
    prod.vProd = Decimal::fromUnits(unitario * quantidade);
    tot.vProd = tot.vProd + prod.vProd;
    tot.vNF = tot.vNF + prod.vProd;
    pag.vPag = pag.vPag + prod.vProd;
}

void autorizar(TNFe &nfe, TpcnTipoAmbiente ambiente)
{
    TProcNFe &prot = nfe.procNFe;
    prot.tpAmb = ambiente;
    prot.verAplic = "SP_NFCE_PL_009_V400";
    prot.dhRecbto = encodeDateTime({2024, 5, 17, 10, 30, 12, 0});
    prot.nProt = "135240000012345";
    prot.digVal = "ZGlnZXN0ZGlnZXN0ZGlnZXN0ZGk=";
    prot.cStat = 100;
    prot.xMotivo = "Autorizado o uso da NF-e";
}

// A note of the fixtures' shape: three goods with accented names.
void notaBase(TNFe &nfe, int itens)
{
    fillNoteWithoutItems(nfe, 65);
    nfe.ide.nNF = 123;
    for (int i = 0; i < itens; ++i)
        addGoodsItem(nfe);
    static const char *const nomes[] = {"ÁGUA MINERAL SEM GÁS 500ML", "CAFÉ TORRADO E MOÍDO 500G",
                                        "PÃO FRANCÊS KG"};
    for (int i = 0; i < itens && i < 3; ++i)
        ajustarItem(nfe, nfe.det.ObterItem(i), nomes[i], i + 1, 25'900 + 10'000 * i);
}

void fixtureAutorizada(TNFe &nfe)
{
    notaBase(nfe, 3);
    nfe.det.ObterItem(1).infAdProd = "Lote 12;Validade 05/2025";
    TDest &dest = nfe.dest;
    dest.CNPJCPF = "12345678909";
    dest.xNome = "JOÃO DA SILVA";
    dest.indIEDest = iie9;
    dest.enderDest.xLgr = "RUA DAS PALMEIRAS";
    dest.enderDest.nro = "45";
    dest.enderDest.xBairro = "JARDIM SÃO PAULO";
    dest.enderDest.cMun = 3550308;
    dest.enderDest.xMun = "SÃO PAULO";
    dest.enderDest.UF = "SP";
    TpagCollectionItem &pag = nfe.pag.ObterItem(0);
    pag.vPag = pag.vPag + 20;
    nfe.pag.vTroco = 20;
    nfe.total.ICMSTot.vTotTrib = Decimal::fromUnits(45'600);
    autorizar(nfe, taProducao);
}

void fixtureContingencia(TNFe &nfe)
{
    notaBase(nfe, 2);
    nfe.ide.tpEmis = teOffLine;
    nfe.ide.dhCont = encodeDateTime({2024, 5, 17, 10, 0, 0, 0});
    nfe.ide.xJust = "Sem conexão com a internet no caixa";
}

void fixtureHomologacao(TNFe &nfe)
{
    notaBase(nfe, 1);
    nfe.ide.tpAmb = taHomologacao;
    nfe.dest.CNPJCPF = "11444777000161";
    nfe.dest.xNome = "COMÉRCIO CLIENTE LTDA";
    nfe.dest.indIEDest = iie9;
    TpagCollectionItem &pag = nfe.pag.ObterItem(0);
    pag.tPag = mpCartaoCredito;
    pag.tpIntegra = ipg1;
    pag.CNPJ = "60746948000112";
    pag.tBand = bdMasterCard;
    pag.cAut = "A1B2C3";
    nfe.infAdic.infAdFisco = "Documento emitido por ME ou EPP;Não gera direito a crédito fiscal";
    autorizar(nfe, taHomologacao);
}

void fixtureEstrangeiro(TNFe &nfe)
{
    notaBase(nfe, 2);
    nfe.dest.idEstrangeiro = "AB123456";
    nfe.dest.xNome = "JOHN SMITH";
    nfe.dest.indIEDest = iie9;
    TobsContCollectionItem &caixa = nfe.infAdic.obsCont.AdicionarItem();
    caixa.xCampo = "Caixa";
    caixa.xTexto = "03";
    TobsContCollectionItem &operador = nfe.infAdic.obsCont.AdicionarItem();
    operador.xCampo = "Operador";
    operador.xTexto = "Maria José;Turno da manhã";
    nfe.infAdic.infCpl = "Obrigado pela preferência;Volte sempre";
    autorizar(nfe, taProducao);
}

void fixtureAjustes(TNFe &nfe)
{
    notaBase(nfe, 2);
    TProd &primeiro = nfe.det.ObterItem(0).prod;
    TProd &segundo = nfe.det.ObterItem(1).prod;
    primeiro.vDesc = Decimal::fromUnits(15'000);
    segundo.vDesc = Decimal::fromUnits(5'000);
    segundo.vFrete = 2;
    TICMSTot &tot = nfe.total.ICMSTot;
    tot.vDesc = 2;
    tot.vFrete = 2;
    TpagCollectionItem &dinheiro = nfe.pag.ObterItem(0);
    dinheiro.vPag = 5;
    TpagCollectionItem &pix = nfe.pag.AdicionarItem();
    pix.tPag = mpPagamentoInstantaneo;
    pix.vPag = tot.vNF - 5;
    autorizar(nfe, taProducao);
}

// The key the writer will give the note, and the supplement that goes with it.
void suplemento(TNFe &nfe)
{
    const TIde &ide = nfe.ide;
    const std::string chave = MontaChaveAcesso(ide.cUF, nfe.emit.CNPJCPF, ide.serie, ide.dEmi, ide.nNF,
                                               static_cast<int>(ide.tpEmis) + 1, ide.cNF, ide.mod);
    nfe.infNFe.Id = "NFe" + chave;
    nfe.procNFe.chNFe = nfe.procNFe.nProt.empty() ? "" : chave;
    const std::string ambiente = ide.tpAmb == taProducao ? "1" : "2";
    const std::string host = ide.tpAmb == taProducao ? "https://www.nfce.fazenda.sp.gov.br"
                                                     : "https://www.homologacao.nfce.fazenda.sp.gov.br";
    nfe.infNFeSupl.qrCode =
        host + "/qrcode?p=" + chave + "|2|" + ambiente + "|1|" + "3C1F0B9A7E2D4C6B8A0F1E3D5C7B9A1E2F4D6C8B";
    nfe.infNFeSupl.urlChave = host + "/consulta";
}

} // namespace

const std::vector<std::string> &nfceFixtureNames()
{
    static const std::vector<std::string> nomes = {"autorizada", "contingencia", "homologacao", "estrangeiro",
                                                   "ajustes"};
    return nomes;
}

void fillNfceFixture(TNFe &nfe, const std::string &name)
{
    static const std::map<std::string, std::function<void(TNFe &)>> fixtures = {
        {"autorizada", fixtureAutorizada},   {"contingencia", fixtureContingencia},
        {"homologacao", fixtureHomologacao}, {"estrangeiro", fixtureEstrangeiro},
        {"ajustes", fixtureAjustes},
    };
    const auto fixture = fixtures.find(name);
    if (fixture == fixtures.end())
        throw std::invalid_argument("no NFC-e fixture named " + name);
    fixture->second(nfe);
    suplemento(nfe);
}

void fillNfceWithItems(TNFe &nfe, int items)
{
    notaBase(nfe, items);
    autorizar(nfe, taProducao);
    suplemento(nfe);
}

std::string nfceXml(TNFe &nfe)
{
    TNFeW writer(nfe);
    // Accented names reach the DANFE as the emitter wrote them.
    writer.Gerador.Opcoes.RetirarAcentos = false;
    writer.MontarXml();
    return writer.Gerador.ArquivoFormatoXML;
}

} // namespace testsupport
