// Values on their way through the TXT layout: what a record cannot hold as
// it is, what the layout has no field for, what the reader skips, and the
// offsets of the date-times.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/gerador_txt.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "tests/support/time_zone_guard.h"

namespace {

struct Escrita {
    std::string xml;
    std::string txt;
    std::vector<std::string> alertas;
};

Escrita escreve(TNFe &nfe)
{
    TNFeW writer(nfe);
    writer.Opcoes.GerarTXTSimultaneamente = true;
    writer.MontarXml();
    return {writer.Gerador.ArquivoFormatoXML, writer.Gerador.ArquivoFormatoTXT,
            writer.Gerador.ListaDeAlertas};
}

// The note of a TXT text as the writer gives it (the header line added).
void leTXT(TNFe &nfe, const std::string &txt, std::vector<std::string> *avisos = nullptr)
{
    TNFeRTXT reader(nfe);
    reader.CarregarTexto("NOTA FISCAL|1\r\n" + txt);
    ASSERT_TRUE(reader.InterpretarArquivo());
    if (avisos != nullptr)
        *avisos = reader.Avisos;
}

// The alerts that name the field (".../tag(") with that message.
int alertasDe(const std::vector<std::string> &alertas, const std::string &tag, std::string_view mensagem)
{
    int quantos = 0;
    for (const std::string &alerta : alertas) {
        if (alerta.find("/" + tag + "(") != std::string::npos && alerta.find(mensagem) != std::string::npos)
            ++quantos;
    }
    return quantos;
}

TEST(NFeTxtValues, LineBreaksPipesAndEntitiesComeBackAsWritten)
{
    TNFe nfe;
    testsupport::fillTxtNoteNormal(nfe, 4.0);
    nfe.infAdic.infCpl = "Pedido 123\r\nEntregar na portaria\nFragil";
    nfe.det.ObterItem(0).prod.xProd = "CAIXA | 12 UN";
    nfe.emit.xFant = "A &amp;amp; B <C>";
    const Escrita escrita = escreve(nfe);
    EXPECT_EQ(alertasDe(escrita.alertas, "infCpl", kValorAlteradoTXT), 1);
    EXPECT_EQ(alertasDe(escrita.alertas, "xProd", kValorAlteradoTXT), 1);
    EXPECT_EQ(alertasDe(escrita.alertas, "xFant", kValorAlteradoTXT), 0);

    TNFe lida;
    leTXT(lida, escrita.txt);
    EXPECT_EQ(lida.infAdic.infCpl, "Pedido 123;Entregar na portaria;Fragil");
    EXPECT_EQ(lida.det.ObterItem(0).prod.xProd, "CAIXA - 12 UN");
    EXPECT_EQ(lida.emit.xFant, "A &amp;amp; B <C>");
    EXPECT_EQ(lida.det.count(), nfe.det.count());
    // What came back is what the XML of the note says, but for the "|".
    std::string esperado = escrita.xml;
    esperado.replace(esperado.find("CAIXA | 12 UN"), 13, "CAIXA - 12 UN");
    EXPECT_TRUE(escreve(lida).xml == esperado);
}

TEST(NFeTxtValues, ValuesWithoutAFieldInTheLayoutAreNamed)
{
    TNFe nfe;
    testsupport::fillTxtNoteNormal(nfe, 4.0);
    nfe.ide.indIntermed = itmComIntermediador;
    nfe.infIntermed.CNPJ = "11222333000181";
    nfe.infIntermed.idCadIntTran = "LOJA123";
    TpagCollectionItem &cartao = nfe.pag.NovoItem();
    cartao.tPag = CodigoParaMeioPagamento("03");
    cartao.xPag = "Cartao da loja";
    cartao.vPag = Decimal::fromUnits(10000);
    cartao.tpIntegra = CodigoParaIntegracaoPagamento("2");
    nfe.infNFeSupl.qrCode = "https://nfce.example/qrcode?p=1|2|3";
    nfe.infNFeSupl.urlChave = "https://nfce.example/consulta";
    const Escrita escrita = escreve(nfe);
    for (const char *tag : {"indIntermed", "CNPJ", "idCadIntTran", "xPag", "tpIntegra", "qrCode", "urlChave"})
        EXPECT_GE(alertasDe(escrita.alertas, tag, kSemRegistroTXT), 1) << tag;
}

// A tax group that the layout has no record for is left out (and named), never
// written as the record of another group.
TEST(NFeTxtValues, AnIcmsGroupWithoutARecordIsNotWrittenAsAnother)
{
    TNFe nfe;
    testsupport::fillTxtNoteNormal(nfe, 4.0);
    for (int i = 0; i < nfe.det.count(); ++i) {
        TICMS &icms = nfe.det.ObterItem(i).imposto.ICMS;
        icms = TICMS();
        icms.CST = sti02;
        icms.qBCMono = Decimal::fromUnits(10000);
        icms.adRemICMS = Decimal::fromUnits(12000);
        icms.vICMSMono = Decimal::fromUnits(12000);
    }
    const Escrita escrita = escreve(nfe);
    for (const std::string &linha : splitLines(escrita.txt))
        EXPECT_FALSE(linha.starts_with("N0") || linha.starts_with("N1")) << linha;
    EXPECT_EQ(alertasDe(escrita.alertas, "CST", kSemRegistroTXT), nfe.det.count());
    EXPECT_EQ(alertasDe(escrita.alertas, "vICMSMono", kSemRegistroTXT), nfe.det.count());
    for (const std::string &alerta : escrita.alertas) {
        if (alerta.find("/CST(") != std::string::npos) {
            EXPECT_NE(alerta.find("<ICMS02>"), std::string::npos) << alerta;
        }
    }
}

TEST(NFeTxtReader, UnknownRecordsAreWarnedWithTheirLineAndSkipped)
{
    TNFe nfe;
    testsupport::fillTxtNoteNormal(nfe, 4.0);
    const std::string txt = escreve(nfe).txt;
    const std::size_t z = txt.find("\r\nZ|");
    ASSERT_NE(z, std::string::npos);
    const std::size_t fimZ = txt.find("\r\n", z + 2);
    const std::string comExtras =
        txt.substr(0, fimZ) + "\r\ncontinuação do texto acima\r\nBA19|1|2\r\n\r\n" + txt.substr(fimZ + 2);
    const int linhaZ = static_cast<int>(splitLines("NOTA FISCAL|1\r\n" + txt.substr(0, fimZ)).size());

    TNFe limpa;
    std::vector<std::string> avisos;
    leTXT(limpa, txt, &avisos);
    EXPECT_TRUE(avisos.empty()) << avisos.front(); // a file the writer made gives no warning

    TNFe lida;
    leTXT(lida, comExtras, &avisos);
    ASSERT_EQ(avisos.size(), 2u);
    EXPECT_TRUE(avisos[0].starts_with("Linha " + std::to_string(linhaZ + 1) + " ignorada")) << avisos[0];
    EXPECT_NE(avisos[0].find("continuação do texto acima"), std::string::npos) << avisos[0];
    EXPECT_TRUE(avisos[1].starts_with("Linha " + std::to_string(linhaZ + 2) + " ignorada")) << avisos[1];
    EXPECT_NE(avisos[1].find("BA19"), std::string::npos) << avisos[1];
    // The rest of the note is read.
    EXPECT_EQ(escreve(lida).xml, escreve(limpa).xml);
}

TEST(NFeTxtReader, DateTimesKeepTheirOffsetOnAnyMachine)
{
    const testsupport::ScopedTimeZone utc("UTC");
    TNFe nfe;
    testsupport::fillTxtNoteNormal(nfe, 4.0);
    std::string txt = escreve(nfe).txt;
    const std::size_t b = txt.find("\r\nB|");
    ASSERT_NE(b, std::string::npos);
    std::vector<std::string> campos;
    DivideTexto(txt.substr(b + 2, txt.find("\r\n", b + 2) - b - 2), '|', campos, '\0');
    const std::string dhEmi = campos[7];
    ASSERT_EQ(dhEmi.size(), 25u) << dhEmi;
    const std::string dhEmiNoAcre = dhEmi.substr(0, 19) + "-05:00";
    txt.replace(txt.find(dhEmi), dhEmi.size(), dhEmiNoAcre);

    TNFe lida;
    leTXT(lida, txt);
    EXPECT_NE(escreve(lida).xml.find("<dhEmi>" + dhEmiNoAcre + "</dhEmi>"), std::string::npos);
}

} // namespace
