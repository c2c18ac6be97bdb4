// The request writers: each request validated against its official schema,
// and the field alerts of the writers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "nfe/services/adm_csc_nfce.h"
#include "nfe/services/cons_cad.h"
#include "nfe/services/cons_reci_dfe.h"
#include "nfe/services/cons_stat_serv.h"
#include "nfe/services/dist_dfe_int.h"
#include "tests/support/xml_checks.h"

namespace {

const std::string kNamespace = "xmlns=\"http://www.portalfiscal.inf.br/nfe\"";
const std::string kChaveValida = "35240311222333000181550010000000011000000015";

struct Pedido {
    std::string xml;
    std::vector<std::string> alertas;
};

Pedido statusRequest(const std::string &versao, bool incluirCUF)
{
    TConsStatServ pedido(versao, kNamespace, "", incluirCUF);
    pedido.tpAmb = taHomologacao;
    pedido.cUF = 35;
    pedido.GerarConsStatServ();
    return {pedido.Gerador.ArquivoFormatoXML, pedido.Gerador.ListaDeAlertas};
}

Pedido receiptRequest(const std::string &nRec)
{
    TConsReciDFe pedido("4.00", kNamespace, "NFe");
    pedido.tpAmb = taHomologacao;
    pedido.nRec = nRec;
    pedido.GerarConsReci();
    return {pedido.Gerador.ArquivoFormatoXML, pedido.Gerador.ListaDeAlertas};
}

Pedido registryRequest(const std::string &ie, const std::string &cnpj, const std::string &cpf)
{
    TConsCad pedido;
    pedido.UF = "SP";
    pedido.IE = ie;
    pedido.CNPJ = cnpj;
    pedido.CPF = cpf;
    pedido.Versao = "2.00";
    pedido.GerarConsCad();
    return {pedido.Gerador.ArquivoFormatoXML, pedido.Gerador.ListaDeAlertas};
}

Pedido distributionRequest(const std::string &ultNSU, const std::string &nsu, const std::string &chave,
                           const std::string &externo = "")
{
    TDistDFeInt pedido("1.01", kNamespace, externo, "consChNFe", "chNFe", true);
    pedido.tpAmb = taHomologacao;
    pedido.cUFAutor = 35;
    pedido.CNPJCPF = "11222333000181";
    pedido.ultNSU = ultNSU;
    pedido.NSU = nsu;
    pedido.ChaveAcesso = chave;
    pedido.GerarDistDFeInt();
    return {pedido.Gerador.ArquivoFormatoXML, pedido.Gerador.ListaDeAlertas};
}

Pedido cscRequest(TpcnOperacaoCSC operacao, const std::string &raiz = "11222333")
{
    TAdmCSCNFCe pedido;
    pedido.versao = "1.00";
    pedido.tpAmb = taHomologacao;
    pedido.indOp = operacao;
    pedido.raizCNPJ = raiz;
    pedido.idCsc = 2;
    pedido.codigoCsc = "A1B2C3D4E5F6G7H8";
    pedido.GerarAdmCscNFCe();
    return {pedido.Gerador.ArquivoFormatoXML, pedido.Gerador.ListaDeAlertas};
}

struct CasoPedido {
    const char *nome;
    std::function<Pedido()> gera;
    const char *esquema; // file of the official schema; nullptr when there is none
    const char *esperado;
};

// clang-format off
const std::vector<CasoPedido> kPedidos = {
    {"status 4.00", [] { return statusRequest("4.00", true); }, "consStatServ_v4.00.xsd",
     R"(<consStatServ xmlns="http://www.portalfiscal.inf.br/nfe" versao="4.00"><tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ></consStatServ>)"},
    {"status 3.10", [] { return statusRequest("3.10", true); }, "consStatServ_v3.10.xsd",
     R"(<consStatServ xmlns="http://www.portalfiscal.inf.br/nfe" versao="3.10"><tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ></consStatServ>)"},
    {"status without cUF", [] { return statusRequest("4.00", false); }, nullptr,
     R"(<consStatServ xmlns="http://www.portalfiscal.inf.br/nfe" versao="4.00"><tpAmb>2</tpAmb><xServ>STATUS</xServ></consStatServ>)"},
    {"receipt", [] { return receiptRequest("003500012345678"); }, "consReciNFe_v4.00.xsd",
     R"(<consReciNFe xmlns="http://www.portalfiscal.inf.br/nfe" versao="4.00"><tpAmb>2</tpAmb><nRec>003500012345678</nRec></consReciNFe>)"},
    {"registry by IE (CNPJ ignored)", [] { return registryRequest("110042490114", "11222333000181", ""); }, "consCad_v2.00.xsd",
     R"(<ConsCad xmlns="http://www.portalfiscal.inf.br/nfe" versao="2.00"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF><IE>110042490114</IE></infCons></ConsCad>)"},
    {"registry by CNPJ (CPF ignored)", [] { return registryRequest("", "11222333000181", "52998224725"); }, "consCad_v2.00.xsd",
     R"(<ConsCad xmlns="http://www.portalfiscal.inf.br/nfe" versao="2.00"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF><CNPJ>11222333000181</CNPJ></infCons></ConsCad>)"},
    {"registry by CPF", [] { return registryRequest("", "", "52998224725"); }, "consCad_v2.00.xsd",
     R"(<ConsCad xmlns="http://www.portalfiscal.inf.br/nfe" versao="2.00"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF><CPF>52998224725</CPF></infCons></ConsCad>)"},
    {"registry, a CPF given as CNPJ", [] { return registryRequest("", "52998224725", ""); }, "consCad_v2.00.xsd",
     R"(<ConsCad xmlns="http://www.portalfiscal.inf.br/nfe" versao="2.00"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF><CPF>52998224725</CPF></infCons></ConsCad>)"},
    {"registry without identifier", [] { return registryRequest("", "", ""); }, nullptr,
     R"(<ConsCad xmlns="http://www.portalfiscal.inf.br/nfe" versao="2.00"><infCons><xServ>CONS-CAD</xServ><UF>SP</UF></infCons></ConsCad>)"},
    {"distribution from the last NSU", [] { return distributionRequest("", "", ""); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><distNSU><ultNSU>000000000000000</ultNSU></distNSU></distDFeInt>)"},
    {"distribution of one NSU (before ultNSU)", [] { return distributionRequest("500", "123", kChaveValida); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><consNSU><NSU>000000000000123</NSU></consNSU></distDFeInt>)"},
    {"distribution of one key", [] { return distributionRequest("500", "", kChaveValida); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><consChNFe><chNFe>35240311222333000181550010000000011000000015</chNFe></consChNFe></distDFeInt>)"},
    {"distribution, ultNSU past 32 bits", [] { return distributionRequest("2147483648", "", ""); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><distNSU><ultNSU>000002147483648</ultNSU></distNSU></distDFeInt>)"},
    {"distribution, the largest ultNSU", [] { return distributionRequest("999999999999999", "", ""); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><distNSU><ultNSU>999999999999999</ultNSU></distNSU></distDFeInt>)"},
    {"distribution, NSU past 32 bits", [] { return distributionRequest("", "3000000000", ""); }, "distDFeInt_v1.01.xsd",
     R"(<distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><consNSU><NSU>000003000000000</NSU></consNSU></distDFeInt>)"},
    {"distribution inside nfeDadosMsg", [] { return distributionRequest("7", "", "", "nfeDadosMsg"); }, nullptr,
     R"(<nfeDadosMsg><distDFeInt xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.01"><tpAmb>2</tpAmb><cUFAutor>35</cUFAutor><CNPJ>11222333000181</CNPJ><distNSU><ultNSU>000000000000007</ultNSU></distNSU></distDFeInt></nfeDadosMsg>)"},
    {"CSC query", [] { return cscRequest(ocs1); }, nullptr,
     R"(<admCscNFCe xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.00"><tpAmb>2</tpAmb><indOp>1</indOp><raizCNPJ>11222333</raizCNPJ></admCscNFCe>)"},
    {"CSC new code", [] { return cscRequest(ocs2); }, nullptr,
     R"(<admCscNFCe xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.00"><tpAmb>2</tpAmb><indOp>2</indOp><raizCNPJ>11222333</raizCNPJ></admCscNFCe>)"},
    {"CSC revocation", [] { return cscRequest(ocs3); }, nullptr,
     R"(<admCscNFCe xmlns="http://www.portalfiscal.inf.br/nfe" versao="1.00"><tpAmb>2</tpAmb><indOp>3</indOp><raizCNPJ>11222333</raizCNPJ><dadosCsc><idCsc>000002</idCsc><codigoCsc>A1B2C3D4E5F6G7H8</codigoCsc></dadosCsc></admCscNFCe>)"},
};
// clang-format on

TEST(RequestWriters, WriteEachRequestAsItsSchemaAsks)
{
    const auto pastaEsquemas = testsupport::officialSchemaDir();
    for (const CasoPedido &caso : kPedidos) {
        SCOPED_TRACE(caso.nome);
        const Pedido pedido = caso.gera();
        EXPECT_EQ(pedido.xml, caso.esperado);
        EXPECT_TRUE(pedido.alertas.empty()) << pedido.alertas.front();
        if (caso.esquema && testsupport::xmllintAvailable() && !pastaEsquemas.empty())
            EXPECT_EQ(testsupport::schemaProblems(pedido.xml, pastaEsquemas / caso.esquema), "");
    }
}

struct CasoAlerta {
    const char *nome;
    std::function<Pedido()> gera;
    const char *alerta;
    const char *trecho; // part of the text still produced
};

// clang-format off
const std::vector<CasoAlerta> kAlertas = {
    {"14-digit receipt", [] { return receiptRequest("35000123456789"); },
     "TAG:<consReciNFe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\"> ID:BP04/nRec(Numero do recibo) - Tamanho menor que o mínimo permitido [35000123456789].",
     "<nRec>35000123456789</nRec>"},
    {"14-digit CNPJ root", [] { return cscRequest(ocs1, "11222333000181"); },
     "TAG:<admCscNFCe xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.00\"> ID:AP05/raizCNPJ(Raiz do CNPJ) - Tamanho maior que o máximo permitido [11222333000181].",
     "<raizCNPJ>11222333000181</raizCNPJ>"},
    {"key with a wrong check digit", [] { return distributionRequest("", "", "35240311222333000181550010000000011000000017"); },
     "TAG:<distDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\"><consChNFe> ID:A12/chNFe(Chave do DFe) - Chave do DFe inválida.",
     "<chNFe>35240311222333000181550010000000011000000017</chNFe>"},
    {"NSU of 16 digits goes out whole", [] { return distributionRequest("1234567890123456", "", ""); },
     "TAG:<distDFeInt xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"1.01\"><distNSU> ID:A08/ultNSU(Último NSU recebido pela Empresa) - Tamanho maior que o máximo permitido [1234567890123456].",
     "<ultNSU>1234567890123456</ultNSU>"},
};
// clang-format on

TEST(RequestWriters, RecordTheFieldAlertAndStillWriteTheRequest)
{
    for (const CasoAlerta &caso : kAlertas) {
        SCOPED_TRACE(caso.nome);
        const Pedido pedido = caso.gera();
        ASSERT_EQ(pedido.alertas.size(), 1u);
        EXPECT_EQ(pedido.alertas[0], caso.alerta);
        EXPECT_NE(pedido.xml.find(caso.trecho), std::string::npos) << pedido.xml;
    }
}

TEST(RequestWriters, GiveFalseWhenAnAlertWasRecorded)
{
    TConsReciDFe pedido("4.00", kNamespace, "NFe");
    pedido.nRec = "00350001234567A";
    EXPECT_FALSE(pedido.GerarConsReci());
    TConsReciDFe bom("4.00", kNamespace, "NFe");
    bom.nRec = "003500012345678";
    EXPECT_TRUE(bom.GerarConsReci());
}

TEST(RequestWriters, WriteAnNsuThatIsNotANumberAsZeros)
{
    for (const char *nsu : {"abc", "-5", "12 34"}) {
        SCOPED_TRACE(nsu);
        EXPECT_NE(distributionRequest(nsu, "", "").xml.find("<ultNSU>000000000000000</ultNSU>"),
                  std::string::npos);
    }
}

TEST(RequestWriters, LeaveCUFAutorOutWhenZero)
{
    TDistDFeInt pedido("1.01", kNamespace, "", "consChNFe", "chNFe", true);
    pedido.CNPJCPF = "11222333000181";
    ASSERT_TRUE(pedido.GerarDistDFeInt());
    EXPECT_EQ(pedido.Gerador.ArquivoFormatoXML.find("cUFAutor"), std::string::npos);
}

TEST(RequestWriters, WriteAnIdCscOfMoreThanSixDigitsWholeWithTheSizeAlert)
{
    TAdmCSCNFCe pedido;
    pedido.versao = "1.00";
    pedido.indOp = ocs3;
    pedido.raizCNPJ = "11222333";
    pedido.idCsc = 1234567;
    pedido.codigoCsc = "A1B2C3D4E5F6G7H8";
    EXPECT_FALSE(pedido.GerarAdmCscNFCe());
    EXPECT_NE(pedido.Gerador.ArquivoFormatoXML.find("<idCsc>1234567</idCsc>"), std::string::npos);
    ASSERT_EQ(pedido.Gerador.ListaDeAlertas.size(), 1u);
    EXPECT_NE(pedido.Gerador.ListaDeAlertas[0].find("ID:AP07/idCsc"), std::string::npos);
}

} // namespace
