// A message written with TGerador is well-formed XML (checked with xmllint)
// and reads back field by field with TLeitor.
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/xml/gerador.h"
#include "foundation/xml/leitor.h"
#include "tests/support/run_command.h"

namespace {

const std::string kMotivo = "Serviço em Operação <normal> & \"estável\" 'ok'";

std::string escreveMensagem(bool identar)
{
    TGerador gerador;
    gerador.Opcoes.RetirarAcentos = false;
    gerador.Opcoes.IdentarXML = identar;
    gerador.EscreveGrupo("retConsStatServ versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\"");
    gerador.EscreveCampo(vcInteiro, "FR03", "tpAmb", 1, 1, 1, 2, "Ambiente");
    gerador.EscreveCampo(vcTexto, "FR04", "verAplic", 1, 20, 1, "SP_NFE_PL_008i2", "Versão");
    gerador.EscreveCampo(vcInteiro, "FR05", "cStat", 3, 3, 1, 107, "Status");
    gerador.EscreveCampo(vcTexto, "FR06", "xMotivo", 1, 255, 1, kMotivo, "Motivo");
    gerador.EscreveCampo(vcInteiro, "FR07", "cUF", 2, 2, 1, 35, "UF");
    gerador.EscreveCampo(vcDataHora, "FR08", "dhRecbto", 19, 19, 1,
                         encodeDateTime({2024, 2, 29, 23, 59, 58, 0}));
    gerador.EscreveCampo(vcInteiro, "FR09", "tMed", 1, 4, 0, 0, "Tempo médio"); // optional zero: left out
    gerador.EscreveCampo(vcDecimal2, "FR10", "vTotal", 1, 15, 1, Decimal::fromUnits(1234500), "Total");
    gerador.EscreveCampo(vcDigitos, "FR11", "chNFe", 44, 44, 1, std::string(44, '7'), "Chave");
    for (int item = 1; item <= 3; ++item) {
        gerador.EscreveGrupo("item nItem=\"" + std::to_string(item) + "\" obs=\"a &amp; b\"", "H01");
        gerador.EscreveCampo(vcTexto, "H02", "xProd", 1, 60, 1, "Produto " + std::to_string(item));
        gerador.EscreveCampo(vcDecimal4, "H03", "qCom", 1, 15, 1, item * 1.5);
        gerador.EscreveCampo(vcData, "H04", "dVal", 10, 10, 1, encodeDate(2030, 1, item));
        gerador.EscreveGrupo("/item");
    }
    gerador.EscreveCampo(vcTexto, "FR12", "xObs", 0, 60, 1, "", "", true, "xCampo=\"&lt;c&gt;\"");
    gerador.EscreveGrupo("/retConsStatServ");
    EXPECT_THAT(gerador.ListaDeAlertas, ::testing::IsEmpty());
    return gerador.ArquivoFormatoXML;
}

TEST(XmlIdaEVolta, MensagemBemFormadaLidaCampoACampo)
{
    for (const bool identar : {false, true}) {
        const std::string xml = escreveMensagem(identar);
        if (testsupport::hasProgram("xmllint")) {
            const testsupport::CommandResult lint = testsupport::runCommand({"xmllint", "--noout", "-"}, xml);
            EXPECT_EQ(lint.exitCode, 0) << lint.err << "\n" << xml;
        } else {
            ADD_FAILURE() << "xmllint não encontrado";
        }

        TLeitor leitor;
        leitor.setArquivo(xml);
        ASSERT_NE(leitor.ExtraiGrupo(1, "retConsStatServ"), "");
        EXPECT_EQ(leitor.LeAtributo("versao"), "4.00");
        EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "tpAmb")), 2);
        EXPECT_EQ(std::get<std::string>(leitor.LeCampo(vcTexto, "verAplic")), "SP_NFE_PL_008i2");
        EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "cStat")), 107);
        EXPECT_EQ(std::get<std::string>(leitor.LeCampo(vcTexto, "xMotivo")), kMotivo);
        EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "cUF")), 35);
        EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(vcDataHora, "dhRecbto")),
                  encodeDateTime({2024, 2, 29, 23, 59, 58, 0}));
        EXPECT_EQ(std::get<int>(leitor.LeCampo(vcInteiro, "tMed")), 0);
        EXPECT_EQ(Decimal::fromDouble(std::get<double>(leitor.LeCampo(vcDecimal2, "vTotal"))),
                  Decimal::fromUnits(1234500));
        EXPECT_EQ(std::get<std::string>(leitor.LeCampo(vcDigitos, "chNFe")), std::string(44, '7'));
        EXPECT_EQ(leitor.LeAtributo("xCampo"), "<c>");

        int lidos = 0;
        for (int item = 1; leitor.ExtraiGrupo(2, "item", "", item) != ""; ++item) {
            ++lidos;
            EXPECT_EQ(leitor.LeAtributo("nItem"), std::to_string(item));
            EXPECT_EQ(leitor.LeAtributo("obs"), "a & b");
            EXPECT_EQ(std::get<std::string>(leitor.LeCampo(vcTexto, "xProd")),
                      "Produto " + std::to_string(item));
            EXPECT_DOUBLE_EQ(std::get<double>(leitor.LeCampo(vcDecimal4, "qCom")), item * 1.5);
            EXPECT_EQ(std::get<TDateTime>(leitor.LeCampo(vcData, "dVal")), encodeDate(2030, 1, item));
        }
        EXPECT_EQ(lidos, 3);
    }
}

} // namespace
