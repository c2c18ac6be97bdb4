#include "sample_note.h"

#include <string>

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"

void fillCompleteNote(TNFe &nfe, int items)
{
    nfe.infNFe.versao = 4.0;
    nfe.ide.cUF = 35;
    nfe.ide.natOp = "VENDA DE MERCADORIA";
    nfe.ide.mod = 55;
    nfe.ide.serie = 1;
    nfe.ide.nNF = 1234;
    nfe.ide.dEmi = encodeDateTime({2024, 5, 17, 10, 30, 0, 0});
    nfe.ide.tpAmb = taHomologacao;

    auto &ref = nfe.ide.NFref.NovoItem();
    ref.refNFe = "35240512345678000195550010000012341000012345";
    ref.refNF.CNPJ = "12345678000195";
    ref.refECF.nCOO = "123";
    ref.refNFP.IE = "ISENTO";

    nfe.emit.CNPJCPF = "12345678000195";
    nfe.emit.xNome = "EMPRESA DE TESTE LTDA";
    nfe.emit.enderEmit.xMun = "SAO PAULO";
    nfe.dest.CNPJCPF = "12345678909";
    nfe.dest.enderDest.xMun = "CAMPINAS";
    nfe.retirada.xLgr = "RUA A";
    nfe.entrega.xLgr = "RUA B";
    nfe.autXML.NovoItem().CNPJCPF = "11222333000181";

    for (int i = 1; i <= items; ++i) {
        auto &det = nfe.det.NovoItem();
        det.prod.nItem = i;
        det.prod.cProd = "P" + std::to_string(i);
        det.prod.xProd = "PRODUTO " + std::to_string(i);
        det.prod.SetCFOP("5.102");
        det.prod.qCom = 2;
        det.prod.vUnCom = 10.5;
        det.prod.vProd = 21;
        auto &di = det.prod.DI.NovoItem();
        di.nDI = "DI" + std::to_string(i);
        di.adi.NovoItem().nAdicao = 1;
        di.adi.NovoItem().nAdicao = 2;
        det.prod.NVE.NovoItem().NVE = "AA0001";
        det.prod.detExport.NovoItem().nRE = "240000000001";
        det.prod.rastro.NovoItem().nLote = "L1";
        det.prod.med.NovoItem().cProdANVISA = "1234567890123";
        det.prod.arma.NovoItem().nSerie = "S1";
        det.prod.veicProd.chassi = "9BWZZZ377VT004251";
        det.prod.comb.cProdANP = 320102001;
        det.prod.comb.origComb.NovoItem().cUFOrig = 35;
        det.imposto.ICMS.vBC = 21;
        det.imposto.ICMS.vICMS = Decimal::fromUnits(37800);
        det.infAdProd = "ITEM " + std::to_string(i);
    }

    nfe.total.ICMSTot.vProd = 21 * items;
    nfe.total.ICMSTot.vNF = 21 * items;

    nfe.transp.transporta.xNome = "TRANSPORTADORA";
    nfe.transp.reboque.NovoItem().placa = "ABC1234";
    auto &vol = nfe.transp.vol.AdicionarItem();
    vol.qVol = 2;
    vol.lacres.NovoItem().nLacre = "LACRE1";
    vol.lacres.NovoItem().nLacre = "LACRE2";

    nfe.cobr.fat.nFat = "001";
    nfe.cobr.dup.AdicionarItem().nDup = "001";
    auto &pag = nfe.pag.AdicionarItem();
    pag.tPag = mpDinheiro;
    pag.vPag = 100;
    nfe.pag.vTroco = Decimal(100) - Decimal(21 * items);

    nfe.infAdic.infCpl = "INFORMACOES COMPLEMENTARES";
    nfe.infAdic.obsCont.AdicionarItem().xCampo = "CAMPO";
    nfe.infAdic.obsFisco.AdicionarItem().xCampo = "FISCO";
    nfe.infAdic.procRef.NovoItem().nProc = "123";

    nfe.cana.safra = "2023/2024";
    nfe.cana.forDia.NovoItem().dia = 1;
    nfe.cana.deduc.NovoItem().xDed = "DEDUCAO";

    nfe.Signature.DigestValue = "digest";
    nfe.procNFe.nProt = "135240000000001";
    nfe.infNFeSupl.qrCode = "https://example.invalid/qrcode";
    nfe.infRespTec.CNPJ = "11222333000181";
}
