// A note written, read back and written again gives the same bytes: the note
// is written again after signing and after reading, and any drift would break
// its signature.

#include <string>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "writer_fixture.h"

namespace {

using NFeWriterRoundTrip = NFeWriterTest;

std::string escrever(TNFe &nfe)
{
    TNFeW writer(nfe);
    writer.IdCSRT = 1;
    writer.CSRT = kCSRT;
    writer.MontarXml();
    return writer.Gerador.ArquivoFormatoXML;
}

TEST_F(NFeWriterRoundTrip, ASignedAuthorisedNoteReadBackIsWrittenByteForByte)
{
    TNFe nfe;
    testsupport::fillFrameNote(nfe);
    nfe.infAdic.obsCont.ObterItem(0).xCampo = "Pedido \"A\" & <B>";
    nfe.infAdic.infAdFisco = "Base reduzida: 10 < 20 & \"x\"";
    nfe.Signature.DigestValue = "ZGlnZXN0";
    nfe.Signature.SignatureValue = "c2lnbmF0dXJl";
    nfe.Signature.X509Certificate = "Y2VydGlmaWNhdGU=";
    nfe.procNFe.tpAmb = taHomologacao;
    nfe.procNFe.verAplic = "SP_NFE_PL_009_V4";
    nfe.procNFe.chNFe = kFrameKey;
    nfe.procNFe.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 5, 0});
    nfe.procNFe.nProt = "135240000000001";
    nfe.procNFe.digVal = "ZGlnZXN0";
    nfe.procNFe.cStat = 100;
    nfe.procNFe.xMotivo = "Autorizado o uso da NF-e & <ok>";
    const std::string first = escrever(nfe);
    ASSERT_TRUE(xmlBemFormado(first));

    TNFe lida;
    TNFeR reader(lida);
    reader.Leitor().setArquivo(first);
    ASSERT_TRUE(reader.ImportarXml());
    EXPECT_EQ(lida.infAdic.obsCont.ObterItem(0).xCampo, "Pedido \"A\" & <B>");
    EXPECT_EQ(lida.procNFe.xMotivo, "Autorizado o uso da NF-e & <ok>");
    EXPECT_EQ(escrever(lida), first);
}

} // namespace
