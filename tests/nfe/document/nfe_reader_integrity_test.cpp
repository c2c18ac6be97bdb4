// What the XML reader refuses (a note cut short, numbers that are not
// numbers) and what it keeps beside the values (the UTC offsets of the
// date-times), so that a note read and written again says the same thing.
#include <string>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"
#include "nfe/document/nfe_writer.h"
#include "nfe_reader_fixture.h"
#include "tests/support/sample_notes.h"
#include "tests/support/text_edit.h"
#include "writer_fixture.h"

namespace {

using reader_fixture::ler;
using reader_fixture::nota;

std::string escreve(TNFe &nfe)
{
    TNFeW escritor(nfe);
    escritor.MontarXml();
    return escritor.Gerador.ArquivoFormatoXML;
}

// A note whose text stops before its end reads as nothing: any part that
// opens without closing refuses the text.
TEST(NFeReaderIntegrity, TruncatedNoteIsRefused)
{
    const std::string inteira =
        nota("4.00",
             "<ide><cUF>35</cUF></ide><total><ICMSTot><vNF>10.00</vNF>"
             "</ICMSTot></total>",
             "<Signature><SignedInfo/><SignatureValue>abc</SignatureValue></Signature>");
    const std::string proc =
        "<nfeProc versao=\"4.00\">" + inteira +
        "<protNFe versao=\"4.00\"><infProt><nProt>1</nProt></infProt></protNFe></nfeProc>";
    const std::string cortes[] = {
        inteira.substr(0, inteira.find("<total>")),
        inteira.substr(0, inteira.find("</infNFe>") + 5),
        inteira.substr(0, inteira.find("</Signature>")),
        proc.substr(0, proc.find("</protNFe>")),
    };
    for (const std::string &cortada : cortes) {
        TNFe nfe;
        try {
            ler(nfe, cortada);
            ADD_FAILURE() << "aceito: " << cortada;
        } catch (const EQuibException &e) {
            EXPECT_NE(std::string(e.what()).find("Documento incompleto"), std::string::npos) << e.what();
        }
    }
    TNFe nfe;
    ler(nfe, proc);
    EXPECT_EQ(nfe.total.ICMSTot.vNF, Decimal::fromUnits(100000));
}

TEST(NFeReaderIntegrity, MalformedOrOutOfRangeNumbersNameTheirTag)
{
    struct Caso {
        std::string conteudo;
        const char *tag;
    };
    const Caso casos[] = {
        {"<total><ICMSTot><vNF>abc</vNF></ICMSTot></total>", "<vNF>"},
        {"<total><ICMSTot><vNF>500.00.00</vNF></ICMSTot></total>", "<vNF>"},
        {"<total><ICMSTot><vNF>1,234.50</vNF></ICMSTot></total>", "<vNF>"},
        {"<total><ICMSTot><vProd>1e400</vProd></ICMSTot></total>", "<vProd>"},
        {"<ide><cUF>2147483648</cUF></ide>", "<cUF>"},
        {"<ide><nNF>12a</nNF></ide>", "<nNF>"},
        {"<ide><nNF>-5</nNF></ide>", "<nNF>"},
    };
    for (const Caso &caso : casos) {
        TNFe nfe;
        try {
            ler(nfe, nota("4.00", caso.conteudo));
            ADD_FAILURE() << "aceito: " << caso.conteudo;
        } catch (const ConversionError &e) {
            EXPECT_NE(std::string(e.what()).find(caso.tag), std::string::npos) << e.what();
        }
    }

    // Well-formed numbers still read, a decimal comma included.
    TNFe nfe;
    ler(nfe, nota("4.00", "<ide><cUF> 35 </cUF><nNF></nNF></ide><total><ICMSTot><vNF>12,50</vNF>"
                          "<vProd>-1.5</vProd></ICMSTot></total>"));
    EXPECT_EQ(nfe.ide.cUF, 35);
    EXPECT_EQ(nfe.ide.nNF, 0);
    EXPECT_EQ(nfe.total.ICMSTot.vNF, Decimal::fromUnits(125000));
    EXPECT_EQ(nfe.total.ICMSTot.vProd, Decimal::fromUnits(-15000));
}

// The writer tests' zone is "-03:00"; the note's own offsets differ from it.
class NFeReaderOffsets : public NFeWriterTest {};

TEST_F(NFeReaderOffsets, DateTimesKeepTheOffsetTheyWereReadWith)
{
    TNFe original;
    testsupport::fillFrameNote(original);
    original.ide.dhCont = encodeDateTime({2024, 5, 17, 9, 0, 0, 0});
    original.ide.xJust = "Falha de comunicacao com a SEFAZ autorizadora";
    original.procNFe.nProt = "135240000000001";
    original.procNFe.cStat = 100;
    original.procNFe.xMotivo = "Autorizado o uso da NF-e";
    original.procNFe.dhRecbto = encodeDateTime({2024, 5, 17, 10, 31, 0, 0});
    std::string xml = escreve(original);
    xml = testsupport::replacedOnce(xml, "2024-05-17T10:30:00-03:00", "2024-05-17T10:30:00-04:00");
    xml = testsupport::replacedOnce(xml, "2024-05-17T11:00:00-03:00", "2024-05-17T11:00:00+00:00");
    xml = testsupport::replacedOnce(xml, "2024-05-17T09:00:00-03:00", "2024-05-17T09:00:00-05:00");
    xml = testsupport::replacedOnce(xml, "2024-05-17T10:31:00-03:00", "2024-05-17T10:31:00-02:00");

    TNFe lida;
    ler(lida, xml);
    EXPECT_EQ(escreve(lida), xml);

    // A value the program sets is written with the configured zone.
    lida.ide.dEmi = encodeDateTime({2024, 5, 18, 8, 0, 0, 0});
    const std::string mudada = escreve(lida);
    EXPECT_NE(mudada.find("<dhEmi>2024-05-18T08:00:00-03:00</dhEmi>"), std::string::npos) << mudada;
    EXPECT_NE(mudada.find("<dhSaiEnt>2024-05-17T11:00:00+00:00</dhSaiEnt>"), std::string::npos) << mudada;
}

} // namespace
