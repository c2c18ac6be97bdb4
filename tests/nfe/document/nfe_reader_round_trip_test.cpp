// Write -> read -> write gives the same bytes, and a note signed by xmlsec1,
// read and written again still verifies.
#include <string>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/run_command.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"
#include "writer_fixture.h"
#include "writer_item_fixture.h"

namespace {

using testsupport::runCommand;

// Fixed time zone and numeric code (see writer_fixture.h).
class NFeReaderRoundTrip : public NFeWriterTest {};

std::string escreve(TNFe &nfe, TpcnTagAssinatura assinatura = taSomenteSeAssinada)
{
    TNFeW escritor(nfe);
    escritor.Opcoes.GerarTagAssinatura = assinatura;
    escritor.MontarXml();
    return escritor.Gerador.ArquivoFormatoXML;
}

// Equal texts, or where the second first departs from the first.
::testing::AssertionResult mesmosBytes(const std::string &esperado, const std::string &obtido)
{
    if (esperado == obtido)
        return ::testing::AssertionSuccess();
    std::size_t i = 0;
    while (i < esperado.size() && i < obtido.size() && esperado[i] == obtido[i])
        ++i;
    const std::size_t inicio = i < 120 ? 0 : i - 120;
    return ::testing::AssertionFailure()
           << "difere na posição " << i << ":\n  esperado ..." << esperado.substr(inicio, 240)
           << "\n  obtido   ..." << obtido.substr(inicio, 240);
}

void le(TNFe &nfe, const std::string &xml)
{
    TNFeR leitor(nfe);
    leitor.Leitor().setArquivo(xml);
    ASSERT_TRUE(leitor.ImportarXml());
}

// Items of many kinds: every product group and tax group the layout has.
void adicionaItensVariados(TNFe &nfe)
{
    TDetCollectionItem &simples = testsupport::addGoodsItem(nfe);
    simples.infAdProd = "COR AZUL & TAM <G>";
    simples.prod.cEAN = "7891000315507";
    simples.prod.cEANTrib = "7891000315507";
    simples.prod.CEST = "0100100";
    simples.prod.vUnCom = 3.1234567891;
    simples.prod.qCom = Decimal::fromUnits(12345);
    simples.prod.vDesc = Decimal::fromUnits(1500);
    simples.prod.xPed = "PED1";
    simples.prod.nItemPed = "1";
    simples.prod.NVE.NovoItem().NVE = "AA0001";
    simples.prod.NVE.NovoItem().NVE = "AB0002";
    simples.imposto.vTotTrib = Decimal::fromUnits(31000);
    simples.imposto.IPI.CST = sip50;
    simples.imposto.IPI.cEnq = "999";
    simples.imposto.IPI.vBC = 10;
    simples.imposto.IPI.pIPI = 5;
    simples.imposto.IPI.vIPI = Decimal::fromUnits(5000);
    simples.obsCont.xCampo = "PEDIDO";
    simples.obsCont.xTexto = "12345";
    simples.obsFisco.xCampo = "FISCO";
    simples.obsFisco.xTexto = "X";

    TDetCollectionItem &st = testsupport::addGoodsItem(nfe);
    st.imposto.ICMS.CST = sti10Part;
    st.imposto.ICMS.modBCST = mbs4;
    st.imposto.ICMS.pMVAST = 30;
    st.imposto.ICMS.vBCST = 13;
    st.imposto.ICMS.pICMSST = 18;
    st.imposto.ICMS.vICMSST = Decimal::fromUnits(5400);
    st.imposto.ICMS.pBCOp = 100;
    st.imposto.ICMS.UFST = "RJ";
    st.imposto.IPI.CST = sip52;
    st.imposto.IPI.cEnq = "999";
    testsupport::fillVehicle(st.prod.veicProd);

    // Before 4.00 the writer puts the transfer of CST 60 into an ICMS60 group,
    // which reads back as plain CST 60: the transfer exists from 4.00 on.
    TDetCollectionItem &repasse = testsupport::addGoodsItem(nfe);
    repasse.imposto.ICMS = TICMS{};
    repasse.imposto.ICMS.CST = nfe.infNFe.VersaoOuPadrao() >= 4 ? sti60Rep : sti60;
    repasse.imposto.ICMS.vBCSTRet = 10;
    repasse.imposto.ICMS.vICMSSTRet = Decimal::fromUnits(8000);
    if (repasse.imposto.ICMS.CST == sti60Rep) {
        repasse.imposto.ICMS.vBCSTDest = 5;
        repasse.imposto.ICMS.vICMSSTDest = 1;
    }
    repasse.prod.rastro.NovoItem().nLote = "L1";
    repasse.prod.rastro.ObterItem(0).qLote = 10;
    repasse.prod.rastro.ObterItem(0).dFab = encodeDate(2024, 1, 10);
    repasse.prod.rastro.ObterItem(0).dVal = encodeDate(2026, 1, 10);
    TmedCollectionItem &med = repasse.prod.med.NovoItem();
    med.cProdANVISA = "1234567890123";
    med.nLote = "M1";
    med.qLote = 2;
    med.dFab = encodeDate(2024, 1, 1);
    med.dVal = encodeDate(2025, 1, 1);
    med.vPMC = Decimal::fromUnits(125000);
    repasse.imposto.PIS.CST = stp07;
    repasse.imposto.COFINS.CST = stc07;
    repasse.imposto.PISST.vBC = 2;
    repasse.imposto.PISST.pPIS = Decimal::fromUnits(16500);
    repasse.imposto.PISST.vPIS = Decimal::fromUnits(300);
    repasse.imposto.COFINSST.vBC = 2;
    repasse.imposto.COFINSST.pCOFINS = Decimal::fromUnits(76000);
    repasse.imposto.COFINSST.vCOFINS = Decimal::fromUnits(1500);

    TDetCollectionItem &comb = testsupport::addGoodsItem(nfe);
    TComb &c = comb.prod.comb;
    c.cProdANP = 320102001;
    c.descANP = "GASOLINA C COMUM";
    c.pMixGN = Decimal::fromUnits(123456);
    c.CODIF = "123";
    c.qTemp = Decimal::fromUnits(15000);
    c.UFCons = "SP";
    c.CIDE.qBCProd = 40;
    c.CIDE.vAliqProd = Decimal::fromUnits(1000);
    c.CIDE.vCIDE = 4;
    c.encerrante.nBico = 3;
    c.encerrante.nBomba = 1;
    c.encerrante.nTanque = 2;
    c.encerrante.vEncIni = 1000;
    c.encerrante.vEncFin = 1040;
    c.ICMSComb.vBCICMS = 1;
    c.ICMSInter.vBCICMSSTDest = 2;
    c.ICMSCons.vBCICMSSTCons = 3;
    c.ICMSCons.UFCons = "RJ";
    c.pBio = 14;
    TorigCombCollectionItem &origem = c.origComb.NovoItem();
    origem.indImport = ocNacional;
    origem.cUFOrig = 35;
    origem.pOrig = 100;
    comb.prod.arma.NovoItem().nSerie = "S1";
    comb.prod.arma.ObterItem(0).descr = "ARMA";

    TDetCollectionItem &importado = testsupport::addGoodsItem(nfe);
    importado.prod.SetCFOP("3102");
    TDICollectionItem &di = importado.prod.DI.NovoItem();
    di.nDI = "2401234567";
    di.dDI = encodeDate(2024, 5, 2);
    di.xLocDesemb = "PORTO DE SANTOS";
    di.UFDesemb = "SP";
    di.dDesemb = encodeDate(2024, 5, 3);
    di.tpViaTransp = vti1;
    di.vAFRMM = 25;
    di.tpIntermedio = fim2;
    di.CNPJ = "11444777000161";
    di.UFTerceiro = "RJ";
    di.cExportador = "EXP001";
    for (int i = 1; i <= 2; ++i) {
        TAdiCollectionItem &adi = di.adi.NovoItem();
        adi.nAdicao = i;
        adi.nSeqAdic = i;
        adi.cFabricante = "FABRICANTE " + std::to_string(i);
        adi.vDescDI = i;
    }
    TdetExportCollectionItem &exp = importado.prod.detExport.NovoItem();
    exp.nDraw = "20240001";
    exp.nRE = "240000000001";
    exp.chNFe = kFrameKey;
    exp.qExport = 1;
    importado.prod.detExport.NovoItem().nDraw = "20240002";
    importado.imposto.II.vBC = 10;
    importado.imposto.II.vDespAdu = 1;
    importado.imposto.II.vII = 2;
    importado.imposto.ICMS.CST = sti90Part;
    importado.imposto.ICMS.pRedBC = 10;
    importado.imposto.ICMSUFDest.vBCUFDest = 10;
    importado.imposto.ICMSUFDest.pICMSUFDest = 18;
    importado.imposto.ICMSUFDest.pICMSInter = 12;
    importado.imposto.ICMSUFDest.pICMSInterPart = 100;
    importado.imposto.ICMSUFDest.vICMSUFDest = Decimal::fromUnits(6000);
    importado.pDevol = 50;
    importado.vIPIDevol = Decimal::fromUnits(15000);

    TDetCollectionItem &sn = testsupport::addGoodsItem(nfe);
    sn.imposto.ICMS = TICMS{};
    sn.imposto.ICMS.CSOSN = ssn101;
    sn.imposto.ICMS.pCredSN = Decimal::fromUnits(12500);
    sn.imposto.ICMS.vCredICMSSN = Decimal::fromUnits(1250);
    sn.imposto.PIS.CST = stp99;
    sn.imposto.PIS.qBCProd = 1;
    sn.imposto.PIS.vAliqProd = Decimal::fromUnits(1000);
    sn.imposto.PIS.vPIS = Decimal::fromUnits(1000);

    TDetCollectionItem &servico = testsupport::addGoodsItem(nfe);
    servico.imposto.ICMS = TICMS{};
    servico.imposto.ISSQN.vBC = 10;
    servico.imposto.ISSQN.vAliq = 5;
    servico.imposto.ISSQN.vISSQN = Decimal::fromUnits(5000);
    servico.imposto.ISSQN.cMunFG = 3550308;
    servico.imposto.ISSQN.cListServ = "01.01";
    servico.imposto.ISSQN.cSitTrib = CodigoParaSitTributariaISSQN("N");
    servico.imposto.ISSQN.indISS = CodigoParaExigibilidadeISS("1");
    servico.imposto.ISSQN.indIncentivo = CodigoParaIncentivoFiscal("2");
}

// The header and closing groups of the frame note, plus what it lacks.
void preencheNota(TNFe &nfe, int modelo, double versao)
{
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = versao;
    nfe.ide.mod = modelo;
    nfe.ide.hSaiEnt = encodeTime(11, 0, 0);
    nfe.ide.dhCont = encodeDateTime({2024, 5, 17, 9, 0, 0, 0});
    nfe.ide.xJust = "FALHA NA COMUNICACAO COM A SEFAZ DO ESTADO";
    TNFrefCollectionItem &nfeRef = nfe.ide.NFref.NovoItem();
    nfeRef.refNFe = kFrameKey;
    TNFrefCollectionItem &nfp = nfe.ide.NFref.NovoItem();
    nfp.refNFP.cUF = 35;
    nfp.refNFP.AAMM = "2404";
    nfp.refNFP.CNPJCPF = "12345678909";
    nfp.refNFP.IE = "ISENTO";
    nfp.refNFP.mod = "04";
    nfp.refNFP.serie = 1;
    nfp.refNFP.nNF = 9;
    TNFrefCollectionItem &nf = nfe.ide.NFref.NovoItem();
    nf.refNF.cUF = 35;
    nf.refNF.AAMM = "2403";
    nf.refNF.CNPJ = "11444777000161";
    nf.refNF.mod = 1;
    nf.refNF.serie = 2;
    nf.refNF.nNF = 7;
    TNFrefCollectionItem &ecf = nfe.ide.NFref.NovoItem();
    ecf.refECF.mod = mecf2D;
    ecf.refECF.nECF = "001";
    ecf.refECF.nCOO = "000123";
    nfe.ide.NFref.NovoItem().refCTe = "35240511222333000181570010000000011000000010";

    nfe.retirada.CNPJCPF = "11444777000161";
    nfe.retirada.xLgr = "RUA DA RETIRADA";
    nfe.retirada.nro = "1";
    nfe.retirada.xBairro = "CENTRO";
    nfe.retirada.cMun = 3550308;
    nfe.retirada.xMun = "SAO PAULO";
    nfe.retirada.UF = "SP";
    nfe.entrega = TEntrega{};
    nfe.entrega.CNPJCPF = "12345678909";
    nfe.entrega.xLgr = "RUA DA ENTREGA";
    nfe.entrega.nro = "2";
    nfe.entrega.xBairro = "CENTRO";
    nfe.entrega.cMun = 3509502;
    nfe.entrega.xMun = "CAMPINAS";
    nfe.entrega.UF = "SP";
    nfe.entrega.cPais = 1058;
    nfe.entrega.xPais = "BRASIL";
    nfe.autXML.NovoItem().CNPJCPF = "11444777000161";

    nfe.total.ISSQNtot.vServ = 10;
    nfe.total.ISSQNtot.dCompet = encodeDate(2024, 5, 17);
    nfe.total.retTrib.vIRRF = 1;

    TTransp &transp = nfe.transp;
    transp.modFrete = cfRemetente;
    transp.transporta.CNPJCPF = "11444777000161";
    transp.transporta.xNome = "TRANSPORTADORA";
    transp.transporta.UF = "SP";
    transp.retTransp.vServ = 10;
    transp.retTransp.CFOP = "5353";
    transp.retTransp.cMunFG = 3550308;
    transp.veicTransp.placa = "ABC1234";
    transp.veicTransp.UF = "SP";
    transp.reboque.NovoItem().placa = "DEF5678";
    transp.reboque.ObterItem(0).UF = "SP";
    TVolCollectionItem &vol = transp.vol.AdicionarItem();
    vol.qVol = 2;
    vol.esp = "CAIXA";
    vol.pesoL = Decimal::fromUnits(12500);
    vol.lacres.NovoItem().nLacre = "LACRE1";
    vol.lacres.NovoItem().nLacre = "LACRE2";
    transp.vol.AdicionarItem().qVol = 1;

    TpagCollectionItem &cartao = nfe.pag.AdicionarItem();
    cartao.tPag = mpCartaoCredito;
    cartao.vPag = 20;
    cartao.tpIntegra = ipg1;
    cartao.CNPJ = "11444777000161";
    cartao.tBand = bdVisa;
    cartao.cAut = "AUT123";

    nfe.infIntermed.CNPJ = "11444777000161";
    nfe.infIntermed.idCadIntTran = "LOJA";
    nfe.infAdic.infAdFisco = "FISCO";
    nfe.infAdic.obsFisco.AdicionarItem().xCampo = "F";
    nfe.infAdic.obsFisco.ObterItem(0).xTexto = "TF";
    nfe.infAdic.procRef.NovoItem().nProc = "123";
    nfe.exporta.UFSaidaPais = "SP";
    nfe.exporta.xLocExporta = "SANTOS";
    nfe.exporta.UFEmbarq = "SP";
    nfe.exporta.xLocEmbarq = "SANTOS";
    nfe.compra.xPed = "P1";
    nfe.cana.safra = "2023/2024";
    nfe.cana.ref = "05/2024";
    nfe.cana.qTotMes = 10.5;
    nfe.cana.qTotGer = 21.0000000001;
    nfe.cana.vFor = 1;
    TForDiaCollectionItem &dia = nfe.cana.forDia.NovoItem();
    dia.dia = 3;
    dia.qtde = Decimal::fromUnits(15000);
    nfe.cana.deduc.NovoItem().xDed = "DEDUCAO";
    nfe.cana.deduc.ObterItem(0).vDed = 1;

    if (modelo == 65) {
        nfe.infNFeSupl.qrCode = "https://www.homologacao.nfce.fazenda.sp.gov.br/qrcode?chNFe=1&nVersao=100";
        nfe.infNFeSupl.urlChave = "https://www.homologacao.nfce.fazenda.sp.gov.br/consulta";
    }
    adicionaItensVariados(nfe);
}

void assina(TNFe &nfe)
{
    nfe.Signature.DigestValue = "ZGlnZXN0ZGlnZXN0ZGlnZXN0ZGk=";
    nfe.Signature.SignatureValue = "c2lnbmF0dXJl";
    nfe.Signature.X509Certificate = "Y2VydGlmaWNhZG8=";
}

void autoriza(TNFe &nfe)
{
    TProcNFe &proc = nfe.procNFe;
    proc.tpAmb = taHomologacao;
    proc.verAplic = "SP_NFE_PL009_V4";
    proc.chNFe = kFrameKey;
    proc.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 5, 0});
    proc.nProt = "135240000000001";
    proc.digVal = "ZGlnZXN0ZGlnZXN0ZGlnZXN0ZGk=";
    proc.cStat = 100;
    proc.xMotivo = "Autorizado o uso da NF-e";
}

TEST_F(NFeReaderRoundTrip, SameBytesForEveryLayoutModelAndForm)
{
    enum Forma { semAssinatura, assinada, autorizada };
    for (const double versao : {2.0, 3.1, 4.0}) {
        for (const int modelo : {55, 65}) {
            for (const Forma forma : {semAssinatura, assinada, autorizada}) {
                TNFe original;
                preencheNota(original, modelo, versao);
                if (forma != semAssinatura)
                    assina(original);
                if (forma == autorizada)
                    autoriza(original);
                const std::string primeiro = escreve(original);

                TNFe lido;
                le(lido, primeiro);
                const std::string segundo = escreve(lido);
                EXPECT_TRUE(mesmosBytes(primeiro, segundo))
                    << "versão " << versao << ", modelo " << modelo << ", forma " << forma;
                EXPECT_EQ(lido.det.count(), original.det.count());
                EXPECT_EQ(lido.infNFe.Id, original.infNFe.Id);
            }
        }
    }
}

TEST_F(NFeReaderRoundTrip, BareNoteAndItsNfeProcGiveTheSameModel)
{
    TNFe original;
    preencheNota(original, 55, 4.0);
    assina(original);
    const std::string nua = escreve(original);
    autoriza(original);
    const std::string processada = escreve(original);
    ASSERT_TRUE(processada.starts_with("<nfeProc"));

    TNFe deNua;
    le(deNua, nua);
    TNFe deProcessada;
    le(deProcessada, processada);
    EXPECT_EQ(deProcessada.procNFe.cStat, 100);
    EXPECT_EQ(deProcessada.procNFe.nProt, "135240000000001");
    EXPECT_EQ(deProcessada.procNFe.dhRecbto, original.procNFe.dhRecbto);
    EXPECT_EQ(deNua.procNFe.nProt, "");

    deProcessada.procNFe.nProt.clear();
    EXPECT_TRUE(mesmosBytes(escreve(deNua), escreve(deProcessada)));
}

TEST_F(NFeReaderRoundTrip, SignedByXmlsecStillVerifiesAfterReadingAndWriting)
{
    if (!testsupport::hasProgram("xmlsec1") || !testsupport::hasProgram("openssl"))
        GTEST_SKIP() << "xmlsec1 ou openssl ausente";
    TNFe original;
    preencheNota(original, 65, 4.0);
    const std::string modelo = escreve(original, taSempre);
    ASSERT_NE(modelo.find("<DigestValue></DigestValue>"), std::string::npos);

    testsupport::TempDir pasta;
    const std::string chave = (pasta / "chave.pem").string();
    const std::string certificado = (pasta / "certificado.pem").string();
    ASSERT_EQ(runCommand({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", chave,
                          "-out", certificado, "-subj", "/CN=TESTE DE LEITURA", "-days", "2"})
                  .exitCode,
              0);
    const std::string assinado = (pasta / "assinado.xml").string();
    const testsupport::CommandResult assinatura =
        runCommand({"xmlsec1", "--sign", "--privkey-pem", chave + "," + certificado, "--id-attr:Id", "infNFe",
                    "--output", assinado, pasta.write("modelo.xml", modelo).string()});
    ASSERT_EQ(assinatura.exitCode, 0) << assinatura.err;

    TNFe lido;
    le(lido, testsupport::readFile(assinado));
    ASSERT_FALSE(lido.Signature.SignatureValue.empty());
    const std::string reescrito = escreve(lido);
    const testsupport::CommandResult verificacao =
        runCommand({"xmlsec1", "--verify", "--pubkey-cert-pem", certificado, "--id-attr:Id", "infNFe",
                    pasta.write("reescrito.xml", reescrito).string()});
    EXPECT_EQ(verificacao.exitCode, 0) << verificacao.err << reescrito;
}

} // namespace
