#include <gtest/gtest.h>

#include <string>

#include "nfe/services/nfe_adm_csc.h"
#include "nfe/services/nfe_envio_web_service.h"
#include "tests/nfe/services/servicos_fixture.h"

namespace {

using testsupport::fakesefaz::ScriptedAnswer;

class CSCNaFake : public ServicoNaFake {
  protected:
    CSCNaFake()
    {
        nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
        csc.Limpar();
        csc.raizCNPJ = "11222333";
        csc.indOp = ocs1;
    }
    TAdministrarCSCNFCe csc{&nfe};
};

TEST_F(CSCNaFake, SuccessIsCodes150To153)
{
    // clang-format off
    const std::vector<std::pair<int, bool>> casos = {
        {149, false}, {150, true}, {151, true}, {152, true}, {153, true}, {154, false}};
    // clang-format on
    for (const auto &[cStat, sucesso] : casos) {
        fake.script("admCscNFCe", {ScriptedAnswer{.cStat = cStat}});
        csc.Limpar();
        EXPECT_EQ(csc.Processar(), sucesso) << cStat;
        EXPECT_EQ(csc.RetAdmCSCNFCe().cStat, cStat);
        EXPECT_EQ(csc.MensagemResultado, csc.RetAdmCSCNFCe().xMotivo);
    }
    EXPECT_EQ(fake.exchanges().back().soapAction,
              "http://www.portalfiscal.inf.br/nfe/wsdl/CscNFCe/admCscNFCe");
}

const std::string kConsStatServ =
    "<consStatServ xmlns=\"http://www.portalfiscal.inf.br/nfe\" versao=\"4.00\">"
    "<tpAmb>2</tpAmb><cUF>35</cUF><xServ>STATUS</xServ></consStatServ>";

class EnvioNaFake : public ServicoNaFake {
  protected:
    EnvioNaFake()
    {
        envio.Limpar();
        envio.XMLEnvio = kConsStatServ;
        envio.URLEnvio = fake.url("/SP/NfeStatusServico");
        envio.SoapAction = "http://www.portalfiscal.inf.br/nfe/wsdl/NFeStatusServico4";
    }
    TNFeEnvioWebService envio{&nfe};
};

TEST_F(EnvioNaFake, ReadsTheBodyUnderAnyPrefix)
{
    for (const std::string prefixo : {"", "env"}) {
        fake.script("consStatServ", {ScriptedAnswer{.soapPrefix = prefixo}});
        ASSERT_TRUE(envio.Processar()) << prefixo;
        EXPECT_NE(envio.RespostaXML.find("<retConsStatServ"), std::string::npos)
            << prefixo << envio.RetornoSoap;
    }
    EXPECT_EQ(fake.exchanges().back().path, "/SP/NfeStatusServico");
}

TEST_F(EnvioNaFake, BelowLayout400TheHeaderCarriesTheMessagesVersion)
{
    nfe.Configuracoes().Geral().SetVersaoDF(ve310);
    erroDe(envio); // the fake serves layout 4.00 only; the envelope is what counts here
    EXPECT_EQ(envio.VersaoEnvio, "4.00");
    EXPECT_NE(envio.EnvelopeSoap.find("<versaoDados>4.00</versaoDados>"), std::string::npos)
        << envio.EnvelopeSoap;
}

} // namespace
