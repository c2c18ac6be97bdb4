#include <memory>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe_reader_fixture.h"

namespace {

using reader_fixture::kChave;
using reader_fixture::ler;
using reader_fixture::nota;

TEST(NFeReader, IdAndVersionOfInfNFe)
{
    TNFe nfe;
    ler(nfe, nota("4.00", ""));
    EXPECT_EQ(nfe.infNFe.Id, "NFe" + std::string(kChave));
    EXPECT_EQ(nfe.infNFe.versao, 4.0);

    // The version of an enclosing nfeProc comes before infNFe and is skipped.
    TNFe proc;
    ler(proc, "<nfeProc versao=\"9.99\">" + nota("3.10", "") + "</nfeProc>");
    EXPECT_EQ(proc.infNFe.versao, 3.1);
}

TEST(NFeReader, MissingIdOrVersionIsRefused)
{
    struct Caso {
        std::string xml;
        const char *message;
    };
    const Caso cases[] = {
        {"<NFe><infNFe versao=\"4.00\" Id=\"\"></infNFe></NFe>", "Não encontrei o atributo: Id"},
        {"<NFe><infNFe versao=\"4.00\" Id=\"NFe\"></infNFe></NFe>", "Não encontrei o atributo: Id"},
        {"<NFe><infNFe versao=\"4.00\"></infNFe></NFe>", "Não encontrei o atributo: Id"},
        {"", "Não encontrei o atributo: Id"},
        {"<NFe><infNFe versao=\"x\" Id=\"NFe1\"></infNFe></NFe>", "Não encontrei o atributo: versao"},
        {"<NFe><infNFe versao=\"\" Id=\"NFe1\"></infNFe></NFe>", "Não encontrei o atributo: versao"},
        {"<NFe><infNFe versao=\"-1\" Id=\"NFe1\"></infNFe></NFe>", "Não encontrei o atributo: versao"},
        {"<NFe><infNFe Id=\"NFe1\"></infNFe></NFe>", "Não encontrei o atributo: versao"},
    };
    for (const Caso &c : cases) {
        TNFe nfe;
        try {
            ler(nfe, c.xml);
            ADD_FAILURE() << "no error for " << c.xml;
        } catch (const EQuibException &e) {
            EXPECT_STREQ(e.what(), c.message) << c.xml;
        }
    }
}

TEST(NFeReader, EmissionDateByVersion)
{
    TNFe v4;
    ler(v4, nota("4.00", "<ide><dhEmi>2019-05-10T14:30:00-03:00</dhEmi><idDest>2</idDest>"
                         "<indFinal>1</indFinal><indPres>1</indPres><indIntermed>1</indIntermed></ide>"));
    EXPECT_EQ(v4.ide.dEmi, encodeDateTime({2019, 5, 10, 14, 30, 0, 0}));
    EXPECT_EQ(v4.ide.idDest, CodigoParaLocalDestino("2"));
    EXPECT_EQ(v4.ide.indFinal, CodigoParaIndConsumidorFinal("1"));
    EXPECT_EQ(v4.ide.indPres, CodigoParaIndPresenca("1"));
    EXPECT_EQ(v4.ide.indIntermed, CodigoParaIntermediacao("1"));

    // Before 3.00: date and time apart; the 3.00 fields are not read.
    TNFe v2;
    v2.ide.idDest = CodigoParaLocalDestino("3");
    v2.ide.indFinal = CodigoParaIndConsumidorFinal("1");
    ler(v2,
        nota("2.00", "<ide><dEmi>2010-05-10</dEmi><dSaiEnt>2010-05-11</dSaiEnt><hSaiEnt>08:15:00</hSaiEnt>"
                     "<idDest>2</idDest><indFinal>0</indFinal><indPres>9</indPres></ide>"));
    EXPECT_EQ(v2.ide.dEmi, encodeDate(2010, 5, 10));
    EXPECT_EQ(v2.ide.dSaiEnt, encodeDate(2010, 5, 11));
    EXPECT_EQ(v2.ide.hSaiEnt, encodeTime(8, 15, 0));
    EXPECT_EQ(v2.ide.idDest, CodigoParaLocalDestino("3"));
    EXPECT_EQ(v2.ide.indFinal, CodigoParaIndConsumidorFinal("1"));
    EXPECT_EQ(v2.ide.indPres, TpcnIndPresenca{});
}

TEST(NFeReader, NumericCodeOfZerosIsKeptAsMinusTwo)
{
    TNFe zeros;
    ler(zeros, nota("4.00", "<ide><cNF>00000000</cNF></ide>"));
    EXPECT_EQ(zeros.ide.cNF, -2);
    TNFe absent;
    ler(absent, nota("4.00", "<ide><natOp>VENDA</natOp></ide>"));
    EXPECT_EQ(absent.ide.cNF, -2);
    TNFe code;
    ler(code, nota("4.00", "<ide><cNF>00012345</cNF></ide>"));
    EXPECT_EQ(code.ide.cNF, 12345);
}

TEST(NFeReader, AddressDefaults)
{
    TNFe nfe;
    nfe.emit.enderEmit.cPais = 0;
    nfe.retirada.cPais = 1058;
    nfe.retirada.xPais = "BRASIL";
    ler(nfe, nota("4.00", "<emit><CNPJ></CNPJ><CPF>12345678909</CPF><xNome>A &amp; B</xNome><CRT>1</CRT>"
                          "<enderEmit><xLgr>RUA</xLgr><cMun>3550308</cMun><UF>SP</UF></enderEmit></emit>"
                          "<retirada><CNPJ>12345678000195</CNPJ><xLgr>RUA R</xLgr></retirada>"));
    EXPECT_EQ(nfe.emit.CNPJCPF, "12345678909");
    EXPECT_EQ(nfe.emit.xNome, "A & B");
    EXPECT_EQ(nfe.emit.CRT, crt1);
    EXPECT_EQ(nfe.emit.enderEmit.xLgr, "RUA");
    EXPECT_EQ(nfe.emit.enderEmit.cMun, 3550308);
    EXPECT_EQ(nfe.emit.enderEmit.cPais, 1058);
    EXPECT_EQ(nfe.emit.enderEmit.xPais, "BRASIL");
    EXPECT_EQ(nfe.retirada.CNPJCPF, "12345678000195");
    EXPECT_EQ(nfe.retirada.cPais, 0);
    EXPECT_EQ(nfe.retirada.xPais, "");
}

TEST(NFeReader, RecipientIndicator)
{
    TNFe semDest;
    ler(semDest, nota("4.00", "<emit><xNome>E</xNome></emit>"));
    EXPECT_EQ(semDest.dest.indIEDest, iie9);

    TNFe v4;
    ler(v4,
        nota("4.00", "<dest><CPF>12345678909</CPF><idEstrangeiro>X1</idEstrangeiro><indIEDest>2</indIEDest>"
                     "<IM>77</IM><enderDest><xLgr>AV</xLgr><cPais>1600</cPais><xPais>CHINA</xPais>"
                     "</enderDest></dest>"));
    EXPECT_EQ(v4.dest.CNPJCPF, "12345678909");
    EXPECT_EQ(v4.dest.idEstrangeiro, "X1");
    EXPECT_EQ(v4.dest.indIEDest, iie2);
    EXPECT_EQ(v4.dest.IM, "77");
    EXPECT_EQ(v4.dest.enderDest.cPais, 1600);
    EXPECT_EQ(v4.dest.enderDest.xPais, "CHINA");

    TNFe v2;
    v2.dest.indIEDest = iie2;
    ler(v2, nota("2.00", "<dest><CNPJ>12345678000195</CNPJ><indIEDest>9</indIEDest><IM>77</IM></dest>"));
    EXPECT_EQ(v2.dest.indIEDest, iie2);
    EXPECT_EQ(v2.dest.IM, "");
}

TEST(NFeReader, ReferencedDocuments)
{
    TNFe nfe;
    ler(nfe,
        nota("4.00", "<ide><NFref><refNFe>" + std::string(kChave) +
                         "</refNFe></NFref>"
                         "<NFref><refNFP><cUF>35</cUF><AAMM>1905</AAMM><CPF>12345678909</CPF>"
                         "<IE>ISENTO</IE><mod>04</mod><serie>1</serie><nNF>9</nNF></refNFP></NFref>"
                         "<NFref><refNF><cUF>41</cUF><AAMM>1812</AAMM><CNPJ>12345678000195</CNPJ>"
                         "<mod>01</mod><serie>2</serie><nNF>7</nNF></refNF></NFref>"
                         "<NFref><refECF><mod>2D</mod><nECF>001</nECF><nCOO>000123</nCOO></refECF></NFref>"
                         "</ide>"));
    ASSERT_EQ(nfe.ide.NFref.count(), 4);
    EXPECT_EQ(nfe.ide.NFref.ObterItem(0).refNFe, kChave);

    const TNFrefCollectionItem &nfp = nfe.ide.NFref.ObterItem(1);
    EXPECT_EQ(nfp.refNFP.cUF, 35);
    EXPECT_EQ(nfp.refNFP.AAMM, "1905");
    EXPECT_EQ(nfp.refNFP.CNPJCPF, "12345678909");
    EXPECT_EQ(nfp.refNFP.IE, "ISENTO");
    EXPECT_EQ(nfp.refNFP.mod, "4");
    EXPECT_EQ(nfp.refNFP.nNF, 9);
    EXPECT_EQ(nfp.refECF.mod, mecfVazio);
    EXPECT_EQ(nfp.refNF.cUF, 0);

    const TNFrefCollectionItem &nf = nfe.ide.NFref.ObterItem(2);
    EXPECT_EQ(nf.refNF.cUF, 41);
    EXPECT_EQ(nf.refNF.CNPJ, "12345678000195");
    EXPECT_EQ(nf.refNF.mod, 1);
    EXPECT_EQ(nf.refNF.serie, 2);
    EXPECT_EQ(nf.refNFP.mod, "");

    const TNFrefCollectionItem &ecf = nfe.ide.NFref.ObterItem(3);
    EXPECT_EQ(ecf.refECF.mod, mecf2D);
    EXPECT_EQ(ecf.refECF.nCOO, "000123");
}

TEST(NFeReader, PaymentsByVersion)
{
    TNFe v4;
    ler(v4, nota("4.00", "<pag><detPag><indPag>0</indPag><tPag>01</tPag><vPag>10.00</vPag></detPag>"
                         "<detPag><tPag>03</tPag><vPag>15.00</vPag><card><tpIntegra>1</tpIntegra>"
                         "<CNPJ>12345678000195</CNPJ><tBand>01</tBand><cAut>A1</cAut></card></detPag>"
                         "<vTroco>5.00</vTroco></pag>"));
    ASSERT_EQ(v4.pag.count(), 2);
    EXPECT_EQ(v4.pag.vTroco, Decimal(5));
    EXPECT_EQ(v4.pag.ObterItem(0).tPag, CodigoParaMeioPagamento("01"));
    EXPECT_EQ(v4.pag.ObterItem(0).indPag, CodigoParaIndFormaPagamento("0"));
    EXPECT_EQ(v4.pag.ObterItem(0).tBand, bdVazio);
    EXPECT_EQ(v4.pag.ObterItem(1).vPag, Decimal(15));
    EXPECT_EQ(v4.pag.ObterItem(1).tBand, CodigoParaBandeiraOperadora("01"));
    EXPECT_EQ(v4.pag.ObterItem(1).cAut, "A1");

    TNFe v3;
    ler(v3, nota("3.10",
                 "<pag><tPag>01</tPag><vPag>1.00</vPag></pag><pag><tPag>02</tPag><vPag>2.00</vPag></pag>"));
    ASSERT_EQ(v3.pag.count(), 2);
    EXPECT_EQ(v3.pag.ObterItem(1).vPag, Decimal(2));

    TNFe v2;
    v2.pag.NovoItem().xPag = "MANTIDO";
    ler(v2, nota("2.00", "<pag><tPag>01</tPag><vPag>1.00</vPag></pag>"));
    ASSERT_EQ(v2.pag.count(), 1);
    EXPECT_EQ(v2.pag.ObterItem(0).xPag, "MANTIDO");
}

TEST(NFeReader, BillingAndTransport)
{
    TNFe nfe;
    ler(nfe,
        nota("4.00", "<transp><modFrete>9</modFrete><transporta><CNPJ>12345678000195</CNPJ>"
                     "<xNome>TRANSP</xNome></transporta>"
                     "<retTransp><vServ>10.00</vServ><CFOP>5353</CFOP><cMunFG>3550308</cMunFG></retTransp>"
                     "<reboque><placa>AAA1111</placa></reboque><reboque><placa>BBB2222</placa></reboque>"
                     "<vol><qVol>1</qVol><pesoL>1.250</pesoL><lacres><nLacre>L1</nLacre></lacres>"
                     "<lacres><nLacre>L2</nLacre></lacres></vol><vol><qVol>2</qVol></vol></transp>"
                     "<cobr><fat><nFat>F1</nFat><vLiq>9.90</vLiq></fat><dup><nDup>001</nDup>"
                     "<dVenc>2019-06-10</dVenc><vDup>4.95</vDup></dup><dup><nDup>002</nDup></dup></cobr>"));
    EXPECT_EQ(nfe.transp.transporta.xNome, "TRANSP");
    EXPECT_EQ(nfe.transp.retTransp.cMunFG, 3550308);
    EXPECT_EQ(nfe.transp.retTransp.CFOP, "5353");
    ASSERT_EQ(nfe.transp.reboque.count(), 2);
    EXPECT_EQ(nfe.transp.reboque.ObterItem(1).placa, "BBB2222");
    ASSERT_EQ(nfe.transp.vol.count(), 2);
    EXPECT_EQ(nfe.transp.vol.ObterItem(0).pesoL, Decimal::fromUnits(12500));
    ASSERT_EQ(nfe.transp.vol.ObterItem(0).lacres.count(), 2);
    EXPECT_EQ(nfe.transp.vol.ObterItem(0).lacres.ObterItem(1).nLacre, "L2");
    EXPECT_EQ(nfe.transp.vol.ObterItem(1).lacres.count(), 0);
    EXPECT_EQ(nfe.cobr.fat.vLiq, Decimal::fromUnits(99000));
    ASSERT_EQ(nfe.cobr.dup.count(), 2);
    EXPECT_EQ(nfe.cobr.dup.ObterItem(0).dVenc, encodeDate(2019, 6, 10));

    // Without cobr the duplicates already in the model stay.
    ler(nfe, nota("4.00", "<transp><modFrete>9</modFrete></transp>"));
    EXPECT_EQ(nfe.cobr.dup.count(), 2);
    EXPECT_EQ(nfe.transp.vol.count(), 0);
}

TEST(NFeReader, ClosingGroups)
{
    TNFe nfe;
    ler(nfe,
        nota("4.00",
             "<total><ICMSTot><vBC>1.00</vBC><vNF>12,34</vNF></ICMSTot><ISSQNtot><vServ>3.00</vServ>"
             "<dCompet>2019-05-01</dCompet><cRegTrib>1</cRegTrib></ISSQNtot>"
             "<retTrib><vIRRF>0.50</vIRRF></retTrib></total>"
             "<infIntermed><CNPJ>11222333000181</CNPJ><idCadIntTran>LOJA</idCadIntTran></infIntermed>"
             "<infAdic><infCpl>OBS</infCpl><obsCont xCampo=\"C1\"><xTexto>T1</xTexto></obsCont>"
             "<obsFisco xCampo=\"F1\"><xTexto>TF</xTexto></obsFisco><procRef><nProc>9</nProc>"
             "<indProc>0</indProc></procRef></infAdic>"
             "<exporta><UFSaidaPais>SP</UFSaidaPais><xLocExporta>SANTOS</xLocExporta></exporta>"
             "<compra><xPed>P1</xPed></compra>"
             "<cana><safra>2019</safra><forDia dia=\"3\"><qtde>1.5000000000</qtde></forDia>"
             "<qTotMes>10.0000000001</qTotMes><deduc><xDed>D</xDed><vDed>1.00</vDed></deduc></cana>"
             "<infRespTec><CNPJ>11222333000181</CNPJ><idCSRT>1</idCSRT><hashCSRT>H</hashCSRT></infRespTec>"));
    EXPECT_EQ(nfe.total.ICMSTot.vBC, Decimal(1));
    EXPECT_EQ(nfe.total.ICMSTot.vNF, Decimal::fromUnits(123400));
    EXPECT_EQ(nfe.total.ISSQNtot.dCompet, encodeDate(2019, 5, 1));
    EXPECT_EQ(nfe.total.retTrib.vIRRF, Decimal::fromUnits(5000));
    EXPECT_EQ(nfe.infIntermed.idCadIntTran, "LOJA");
    EXPECT_EQ(nfe.infAdic.infCpl, "OBS");
    ASSERT_EQ(nfe.infAdic.obsCont.count(), 1);
    EXPECT_EQ(nfe.infAdic.obsCont.ObterItem(0).xCampo, "C1");
    EXPECT_EQ(nfe.infAdic.obsFisco.ObterItem(0).xTexto, "TF");
    EXPECT_EQ(nfe.infAdic.procRef.ObterItem(0).nProc, "9");
    EXPECT_EQ(nfe.exporta.xLocExporta, "SANTOS");
    EXPECT_EQ(nfe.compra.xPed, "P1");
    ASSERT_EQ(nfe.cana.forDia.count(), 1);
    EXPECT_EQ(nfe.cana.forDia.ObterItem(0).dia, 3);
    EXPECT_EQ(nfe.cana.forDia.ObterItem(0).qtde, Decimal::fromUnits(15000));
    EXPECT_EQ(nfe.cana.qTotMes, 10.0000000001);
    EXPECT_EQ(nfe.cana.deduc.ObterItem(0).vDed, Decimal(1));
    EXPECT_EQ(nfe.infRespTec.idCSRT, 1);
}

TEST(NFeReader, QrCodeInCdataIsKeptBare)
{
    TNFe nfe;
    ler(nfe, nota("4.00", "",
                  "<infNFeSupl><qrCode><![CDATA[https://q.example/?chNFe=1&nVersao=100]]></qrCode>"
                  "<urlChave>https://q.example/consulta</urlChave></infNFeSupl>"));
    EXPECT_EQ(nfe.infNFeSupl.qrCode, "https://q.example/?chNFe=1&nVersao=100");
    EXPECT_EQ(nfe.infNFeSupl.urlChave, "https://q.example/consulta");
}

TEST(NFeReader, SignatureValues)
{
    TNFe unsigned_;
    unsigned_.Signature.DigestValue = "old";
    ler(unsigned_, nota("4.00", ""));
    EXPECT_EQ(unsigned_.Signature.URI, "");
    EXPECT_EQ(unsigned_.Signature.DigestValue, "");

    TNFe nfe;
    ler(nfe, nota("4.00", "",
                  "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo>"
                  "<Reference URI=\"#NFe" +
                      std::string(kChave) +
                      "\"><DigestValue>ZGln</DigestValue>"
                      "</Reference></SignedInfo><SignatureValue>c2ln</SignatureValue><KeyInfo><X509Data>"
                      "<X509Certificate>Y2VydA==</X509Certificate></X509Data></KeyInfo></Signature>"));
    EXPECT_EQ(nfe.Signature.URI, "#NFe" + std::string(kChave));
    EXPECT_EQ(nfe.Signature.DigestValue, "ZGln");
    EXPECT_EQ(nfe.Signature.SignatureValue, "c2ln");
    EXPECT_EQ(nfe.Signature.X509Certificate, "Y2VydA==");
}

TEST(NFeReader, ProtocolOfNfeProc)
{
    const std::string nfe = nota("4.00", "<ide><nNF>1234</nNF></ide><emit><xNome>E</xNome></emit>");
    const std::string prot =
        "<protNFe versao=\"4.00\"><infProt Id=\"ID135190000000001\"><tpAmb>2</tpAmb>"
        "<verAplic>SP_NFE_PL_009_V4</verAplic><chNFe>" +
        std::string(kChave) +
        "</chNFe><dhRecbto>2019-05-10T14:31:00-03:00</dhRecbto><nProt>135190000000001</nProt>"
        "<digVal>ZGln</digVal><cStat>100</cStat><xMotivo>Autorizado o uso da NF-e</xMotivo>"
        "</infProt></protNFe>";
    TNFe bare;
    ler(bare, nfe);
    TNFe proc;
    ler(proc,
        "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">" + nfe + prot + "</nfeProc>");
    EXPECT_EQ(bare.procNFe.nProt, "");
    EXPECT_EQ(proc.ide.nNF, bare.ide.nNF);
    EXPECT_EQ(proc.emit.xNome, bare.emit.xNome);
    EXPECT_EQ(proc.procNFe.cStat, 100);
    EXPECT_EQ(proc.procNFe.nProt, "135190000000001");
    EXPECT_EQ(proc.procNFe.tpAmb, taHomologacao);
    EXPECT_EQ(proc.procNFe.chNFe, kChave);
    EXPECT_EQ(proc.procNFe.dhRecbto, encodeDateTime({2019, 5, 10, 14, 31, 0, 0}));
    EXPECT_EQ(proc.procNFe.xMotivo, "Autorizado o uso da NF-e");
}

TEST(NFeReader, SecondReadingReplacesListsAndKeepsAbsentGroups)
{
    TNFe nfe;
    ler(nfe,
        nota("4.00", "<autXML><CNPJ>11111111000191</CNPJ></autXML><autXML><CPF>12345678909</CPF></autXML>"
                     "<compra><xPed>PRIMEIRO</xPed></compra>"));
    ASSERT_EQ(nfe.autXML.count(), 2);
    EXPECT_EQ(nfe.autXML.ObterItem(1).CNPJCPF, "12345678909");
    ler(nfe, nota("4.00", "<autXML><CNPJ>22222222000191</CNPJ></autXML>"));
    ASSERT_EQ(nfe.autXML.count(), 1);
    EXPECT_EQ(nfe.autXML.ObterItem(0).CNPJCPF, "22222222000191");
    EXPECT_EQ(nfe.compra.xPed, "PRIMEIRO");
}

TEST(NFeReader, ConversionErrors)
{
    const std::string cases[] = {
        nota("4.00", "<transp><retTransp><vServ>1.00</vServ></retTransp></transp>"),
        nota("4.00", "<transp><retTransp><cMunFG>35A</cMunFG></retTransp></transp>"),
        nota("4.00", "<cana><forDia><qtde>1</qtde></forDia></cana>"),
        nota("4.00", "<cana><forDia dia=\"x\"><qtde>1</qtde></forDia></cana>"),
        nota("4.00", "<ide><dhEmi>2019-13-45T10:00:00</dhEmi></ide>"),
        nota("4.00", "<ide><dhEmi>ontem</dhEmi></ide>"),
        // More than the model's decimal can hold.
        nota("4.00", "<total><ICMSTot><vNF>1e300</vNF></ICMSTot></total>"),
    };
    for (const std::string &xml : cases) {
        TNFe nfe;
        EXPECT_THROW(ler(nfe, xml), ConversionError) << xml;
    }
}

TEST(NFeReader, LeitorIsReplaceable)
{
    TNFe nfe;
    TNFeR leitor(nfe);
    EXPECT_THROW(leitor.setLeitor(nullptr), std::invalid_argument);
    auto outro = std::make_unique<TLeitor>();
    outro->setArquivo(nota("3.10", "<ide><nNF>5</nNF></ide>"));
    leitor.setLeitor(std::move(outro));
    EXPECT_TRUE(leitor.ImportarXml());
    EXPECT_EQ(nfe.ide.nNF, 5);
    EXPECT_EQ(leitor.Leitor().Arquivo(), nota("3.10", "<ide><nNF>5</nNF></ide>"));
}

} // namespace
