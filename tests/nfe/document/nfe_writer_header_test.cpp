// The header groups of the NF-e writer: the recipient rules of NF-e and
// NFC-e, the identification of the recipient, the version rules of ide, the
// places, the referenced documents and the persons authorised.

#include "nfe/document/nfe_writer.h"

#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "foundation/xml/xml_text_utils.h"
#include "tests/support/sample_notes.h"
#include "writer_fixture.h"

namespace {

using NFeWriterHeader = NFeWriterTest;

std::string grupo(const std::string &xml, const char *tag)
{
    return ConteudoDaTag(xml, tag, true, false, false);
}

bool temAlerta(const TNFeW &writer, const std::string &trecho)
{
    for (const std::string &alerta : writer.Gerador.ListaDeAlertas)
        if (alerta.find(trecho) != std::string::npos)
            return true;
    return false;
}

// ---- The recipient of NF-e and NFC-e --------------------------------------------

struct RecipientCase {
    const char *name;
    int mod;
    const char *cnpjCpf;
    const char *idEstrangeiro;
    const char *uf;
    const char *xLgr;
    const char *ie;
    std::string expected; // the dest group, or "" when none is written
};

void PrintTo(const RecipientCase &c, std::ostream *os)
{
    *os << c.name;
}

class NFeWriterRecipient : public NFeWriterTest, public ::testing::WithParamInterface<RecipientCase> {};

TEST_P(NFeWriterRecipient, TheRecipientGroupFollowsTheModelRules)
{
    const RecipientCase &c = GetParam();
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.ide.mod = c.mod;
    nfe.ide.tpAmb = taProducao;
    TDest &dest = nfe.dest;
    dest = TDest{};
    dest.CNPJCPF = c.cnpjCpf;
    dest.idEstrangeiro = c.idEstrangeiro;
    dest.xNome = "CONSUMIDOR";
    dest.indIEDest = iie9;
    dest.IE = c.ie;
    TenderDest &ender = dest.enderDest;
    ender.UF = c.uf;
    ender.xLgr = c.xLgr;
    ender.nro = "1";
    ender.xBairro = "CENTRO";
    ender.cMun = 3550308;
    ender.xMun = "SAO PAULO";
    ender.cPais = 1058;

    TNFeW writer(nfe);
    EXPECT_EQ(grupo((writer.MontarXml(), writer.Gerador.ArquivoFormatoXML), "dest"), c.expected) << c.name;
}

const std::string kEnderSP =
    "<enderDest><xLgr>RUA A</xLgr><nro>1</nro><xBairro>CENTRO</xBairro><cMun>3550308</cMun>"
    "<xMun>SAO PAULO</xMun><UF>SP</UF><cPais>1058</cPais></enderDest>";

const RecipientCase kRecipientCases[] = {
    {"NFC-e without any identification", 65, "", "", "SP", "RUA A", "", ""},
    {"NFC-e of a foreigner known only by the UF EX", 65, "", "", "EX", "", "",
     "<dest><xNome>CONSUMIDOR</xNome><indIEDest>9</indIEDest></dest>"},
    {"NFC-e with a CPF and no address", 65, "12345678909", "", "SP", "", "",
     "<dest><CPF>12345678909</CPF><xNome>CONSUMIDOR</xNome><indIEDest>9</indIEDest></dest>"},
    {"NFC-e with a CPF and an address", 65, "12345678909", "", "SP", "RUA A", "",
     "<dest><CPF>12345678909</CPF><xNome>CONSUMIDOR</xNome>" + kEnderSP + "<indIEDest>9</indIEDest></dest>"},
    {"NFC-e with a blank registration leaves it out", 65, "12345678909", "", "SP", "", "   ",
     "<dest><CPF>12345678909</CPF><xNome>CONSUMIDOR</xNome><indIEDest>9</indIEDest></dest>"},
    {"NF-e without identification still has dest and address", 55, "", "", "SP", "RUA A", "",
     "<dest><CNPJ>00000000000000</CNPJ><xNome>CONSUMIDOR</xNome>" + kEnderSP +
         "<indIEDest>9</indIEDest></dest>"},
    {"NF-e with a blank registration writes it empty", 55, "12345678909", "", "SP", "RUA A", "   ",
     "<dest><CPF>12345678909</CPF><xNome>CONSUMIDOR</xNome>" + kEnderSP +
         "<indIEDest>9</indIEDest><IE/></dest>"},
    {"ISENTO is written as it stands", 55, "12345678000195", "", "SP", "RUA A", "ISENTO",
     "<dest><CNPJ>12345678000195</CNPJ><xNome>CONSUMIDOR</xNome>" + kEnderSP +
         "<indIEDest>9</indIEDest><IE>ISENTO</IE></dest>"},
    {"isento in lower case is reduced to its digits", 55, "12345678000195", "", "SP", "RUA A", "isento",
     "<dest><CNPJ>12345678000195</CNPJ><xNome>CONSUMIDOR</xNome>" + kEnderSP +
         "<indIEDest>9</indIEDest><IE/></dest>"},
    {"a registration keeps its digits", 55, "12345678000195", "", "SP", "RUA A", "110.042.490.114",
     "<dest><CNPJ>12345678000195</CNPJ><xNome>CONSUMIDOR</xNome>" + kEnderSP +
         "<indIEDest>9</indIEDest><IE>110042490114</IE></dest>"},
};

INSTANTIATE_TEST_SUITE_P(Cases, NFeWriterRecipient, ::testing::ValuesIn(kRecipientCases));

// ---- CNPJ, CPF or foreign identification ----------------------------------------

struct IdentificationCase {
    double versao;
    int cPais;
    const char *cnpjCpf;
    const char *idEstrangeiro;
    const char *expected; // the elements before xNome
};

void PrintTo(const IdentificationCase &c, std::ostream *os)
{
    *os << "version " << c.versao << ", country " << c.cPais << ", \"" << c.cnpjCpf << "\" / \""
        << c.idEstrangeiro << "\"";
}

class NFeWriterIdentification : public NFeWriterTest,
                                public ::testing::WithParamInterface<IdentificationCase> {};

TEST_P(NFeWriterIdentification, TheRecipientIsIdentifiedByCountryAndVersion)
{
    const IdentificationCase &c = GetParam();
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = c.versao;
    nfe.dest.CNPJCPF = c.cnpjCpf;
    nfe.dest.idEstrangeiro = c.idEstrangeiro;
    nfe.dest.enderDest.cPais = c.cPais;
    TNFeW writer(nfe);
    writer.MontarXml();
    const std::string dest = grupo(writer.Gerador.ArquivoFormatoXML, "dest");
    EXPECT_EQ(dest.substr(0, dest.find("<xNome>")), std::string("<dest>") + c.expected)
        << "version " << c.versao << ", country " << c.cPais;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NFeWriterIdentification,
    ::testing::Values(
        IdentificationCase{4.0, 0, "12345678000195", "", "<CNPJ>12345678000195</CNPJ>"},
        IdentificationCase{4.0, 1058, "12345678000195", "", "<CNPJ>12345678000195</CNPJ>"},
        IdentificationCase{4.0, 1058, "1234567890", "", "<CPF>01234567890</CPF>"},
        IdentificationCase{4.0, 1058, "2345678000195", "", "<CNPJ>02345678000195</CNPJ>"},
        IdentificationCase{4.0, 1058, "", "AB123", "<idEstrangeiro>AB123</idEstrangeiro>"},
        IdentificationCase{4.0, 1600, "12345678000195", "", "<idEstrangeiro/>"},
        IdentificationCase{4.0, 1600, "", "P-998877", "<idEstrangeiro>P-998877</idEstrangeiro>"},
        IdentificationCase{3.1, 1600, "", "P-998877", "<idEstrangeiro>P-998877</idEstrangeiro>"},
        IdentificationCase{2.0, 1600, "12345678000195", "P-998877", "<CNPJ>12345678000195</CNPJ>"}));

TEST_F(NFeWriterHeader, AForeignRecipientsAddressIsWrittenAsAbroad)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.dest.idEstrangeiro = "P-998877";
    nfe.dest.enderDest.cPais = 1600;
    nfe.dest.enderDest.xPais = "CHINA";
    TNFeW writer(nfe);
    writer.MontarXml();
    EXPECT_NE(
        writer.Gerador.ArquivoFormatoXML.find("<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF>"
                                              "<CEP>13010000</CEP><cPais>1600</cPais><xPais>CHINA</xPais>"),
        std::string::npos);
}

// ---- ide across versions --------------------------------------------------------

TEST_F(NFeWriterHeader, Version300WritesTheDestinationIndicatorsButNotTheRegistrationIndicator)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = 3.0;
    nfe.ide.indPag = ifp1;
    nfe.dest.indIEDest = iie9;
    TNFeW writer(nfe);
    writer.MontarXml();
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    const std::string ide = grupo(xml, "ide");
    EXPECT_NE(ide.find("<natOp>VENDA DE MERCADORIA</natOp><indPag>1</indPag><mod>55</mod>"),
              std::string::npos);
    EXPECT_NE(ide.find("<tpNF>1</tpNF><idDest>1</idDest>"), std::string::npos);
    EXPECT_NE(ide.find("<finNFe>1</finNFe><indFinal>1</indFinal><indPres>1</indPres><procEmi>0</procEmi>"),
              std::string::npos);
    EXPECT_EQ(grupo(xml, "dest").find("indIEDest"), std::string::npos);
    EXPECT_EQ(nfe.dest.indIEDest, iie1);
}

TEST_F(NFeWriterHeader, Version200WritesDatesWithoutZoneAndReferencesInsideIde)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infNFe.versao = 2.0;
    nfe.ide.hSaiEnt = encodeTime(11, 0, 0);
    nfe.ide.NFref.NovoItem().refNFe = kFrameKey;
    TNFeW writer(nfe);
    writer.MontarXml();
    EXPECT_EQ(
        grupo(writer.Gerador.ArquivoFormatoXML, "ide"),
        "<ide><cUF>35</cUF><cNF>31415926</cNF><natOp>VENDA DE MERCADORIA</natOp><indPag>0</indPag>"
        "<mod>55</mod><serie>1</serie><nNF>1234</nNF><dEmi>2024-05-17</dEmi><dSaiEnt>2024-05-17</dSaiEnt>"
        "<hSaiEnt>11:00:00</hSaiEnt><tpNF>1</tpNF><cMunFG>3550308</cMunFG><NFref><refNFe>" +
            std::string(kFrameKey) +
            "</refNFe></NFref><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>6</cDV><tpAmb>2</tpAmb>"
            "<finNFe>1</finNFe><procEmi>0</procEmi><verProc>1.0</verProc></ide>");
}

TEST_F(NFeWriterHeader, ContingencyEntryIsWrittenWithTheZoneFrom300)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.ide.dhCont = encodeDateTime({2024, 5, 17, 9, 0, 0, 0});
    nfe.ide.xJust = "SEM CONEXAO COM A SEFAZ DE ORIGEM";
    TNFeW writer(nfe);
    writer.MontarXml();
    EXPECT_NE(writer.Gerador.ArquivoFormatoXML.find(
                  "<verProc>1.0</verProc><dhCont>2024-05-17T09:00:00-03:00"
                  "</dhCont><xJust>SEM CONEXAO COM A SEFAZ DE ORIGEM</xJust></ide>"),
              std::string::npos);
}

TEST_F(NFeWriterHeader, ReferencedDocumentsAreWrittenInOrderWithTheirChecks)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    TNFrefCollectionItem &ref = nfe.ide.NFref.NovoItem();
    ref.refNFe = "35240511222333000181550010000012341314159267"; // wrong check digit
    ref.refNF.cUF = 35;
    ref.refNF.AAMM = "2413";
    ref.refNF.CNPJ = "11222333000181";
    ref.refNF.mod = 1;
    ref.refNF.serie = 1;
    ref.refNF.nNF = 10;
    nfe.ide.NFref.NovoItem().refECF.nCOO = "123";
    TNFeW writer(nfe);
    EXPECT_FALSE(writer.MontarXml());
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_NE(
        xml.find("<NFref><refNFe>35240511222333000181550010000012341314159267</refNFe><refNF><cUF>35</cUF>"
                 "<AAMM>2413</AAMM><CNPJ>11222333000181</CNPJ><mod>01</mod><serie>1</serie><nNF>10</nNF>"
                 "</refNF></NFref><NFref><refECF><mod/><nECF>000</nECF><nCOO>000123</nCOO></refECF></NFref>"
                 "</ide>"),
        std::string::npos);
    EXPECT_TRUE(
        temAlerta(writer, "ID:B13/refNFe(Chave de acesso das NF-e referenciadas) - Conteúdo inválido."));
    EXPECT_TRUE(temAlerta(writer, "ID:B16/AAMM(Ano e Mês) - Periodo inválido."));
}

// ---- Places, emitter and lists --------------------------------------------------

TEST_F(NFeWriterHeader, TheEmitterIsBrazilianAndAPickUpPlaceFollowsTheEmittersCountry)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.emit.enderEmit.cPais = 1600;
    nfe.retirada.CNPJCPF = "12345678909";
    nfe.retirada.xLgr = "RUA DA COLETA";
    nfe.retirada.nro = "5";
    nfe.retirada.xBairro = "CENTRO";
    nfe.retirada.cMun = 3550308;
    nfe.retirada.xMun = "SAO PAULO";
    nfe.retirada.UF = "SP";
    nfe.retirada.IE = "ISENTO";
    TNFeW writer(nfe);
    writer.MontarXml();
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    EXPECT_NE(grupo(xml, "enderEmit")
                  .find("<cMun>3550308</cMun><xMun>SAO PAULO</xMun><UF>SP</UF>"
                        "<CEP>01001000</CEP><cPais>1058</cPais>"),
              std::string::npos);
    EXPECT_EQ(
        grupo(xml, "retirada"),
        "<retirada><CPF>12345678909</CPF><xLgr>RUA DA COLETA</xLgr><nro>5</nro><xBairro>CENTRO</xBairro>"
        "<cMun>9999999</cMun><xMun>EXTERIOR</xMun><UF>EX</UF><IE>ISENTO</IE></retirada>");
}

TEST_F(NFeWriterHeader, ADeliveryPlaceIsWrittenAsStoredAndItsCityCodeChecked)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.entrega.CNPJCPF = "11222333000181";
    nfe.entrega.xLgr = "RUA DA ENTREGA";
    nfe.entrega.nro = "7";
    nfe.entrega.xBairro = "BAIRRO";
    nfe.entrega.cMun = 3550309;
    nfe.entrega.xMun = "SAO PAULO";
    nfe.entrega.UF = "SP";
    nfe.entrega.IE = "110.042.490.114";
    TNFeW writer(nfe);
    EXPECT_FALSE(writer.MontarXml());
    EXPECT_EQ(
        grupo(writer.Gerador.ArquivoFormatoXML, "entrega"),
        "<entrega><CNPJ>11222333000181</CNPJ><xLgr>RUA DA ENTREGA</xLgr><nro>7</nro><xBairro>BAIRRO</xBairro>"
        "<cMun>3550309</cMun><xMun>SAO PAULO</xMun><UF>SP</UF><IE>110042490114</IE></entrega>");
    ASSERT_EQ(writer.Gerador.ListaDeAlertas.size(), 1u);
    EXPECT_TRUE(temAlerta(writer, "ID:G07/cMun(Código do Município) - Conteúdo inválido."));
}

TEST_F(NFeWriterHeader, ListsAboveTheirLimitAreWrittenWholeWithOneAlert)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.autXML.clear();
    for (int i = 0; i < 11; ++i)
        nfe.autXML.NovoItem().CNPJCPF = "12345678909";
    for (int i = 0; i < 1000; ++i)
        nfe.ide.NFref.NovoItem().refNFeSig = kFrameKey;
    TNFeW writer(nfe);
    EXPECT_FALSE(writer.MontarXml());
    const std::string &xml = writer.Gerador.ArquivoFormatoXML;
    auto count = [&xml](const std::string &tag) {
        int n = 0;
        for (std::size_t at = xml.find(tag); at != std::string::npos; at = xml.find(tag, at + 1))
            ++n;
        return n;
    };
    EXPECT_EQ(count("<autXML>"), 11);
    EXPECT_EQ(count("<NFref><refNFeSig>"), 1000);
    EXPECT_EQ(
        writer.Gerador.ListaDeAlertas,
        (std::vector<std::string>{
            "TAG:<ide> ID:B12a/NFref(Quantidade de Documento Fiscal) - Número de ocorrências maior que o "
            "máximo permitido - Máximo 999.",
            "TAG: ID:G50/autXML() - Número de ocorrências maior que o máximo permitido - Máximo 10."}));
}

} // namespace
