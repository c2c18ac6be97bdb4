#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/dates/date_time.h"
#include "foundation/fiscal/dfe_exception.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"

namespace {

using Linhas = std::vector<std::string>;

// Reads the lines as a TXT file into the note; returns InterpretarArquivo's answer.
bool leLinhas(TNFe &nfe, const Linhas &lines)
{
    TNFeRTXT reader(nfe);
    reader.ConteudoArquivo = lines;
    return reader.InterpretarArquivo();
}

// A 4.00 note frame around some records.
Linhas nota400(const Linhas &records)
{
    Linhas lines = {"NOTAFISCAL|1", std::string("A|4.00|NFe") + testsupport::kSampleKey};
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

Linhas notaDe(const std::string &version, const Linhas &records)
{
    Linhas lines = {"NOTA FISCAL|1", "A|" + version + "|NFe1"};
    lines.insert(lines.end(), records.begin(), records.end());
    return lines;
}

// The message of the EQuibDFeException that reading the lines raises.
std::string erroDe(const Linhas &lines)
{
    TNFe nfe;
    try {
        leLinhas(nfe, lines);
    } catch (const EQuibDFeException &e) {
        return e.what();
    }
    return "(no error)";
}

TEST(NFeReaderTxt, HeaderAndVersionChecksRefuseBeforeTouchingTheNote)
{
    struct Caso {
        Linhas lines;
        bool accepted;
    };
    const std::vector<Caso> cases = {
        {{}, false},
        {{"NOTAFISCAL|1", "A|4.00|NFe35"}, true},
        {{"NOTA FISCAL|1", "A|4.00|NFe35"}, true},
        {{" NOTAFISCAL|1", "A|4.00|NFe35"}, true},
        {{"notafiscal|1", "A|4.00|NFe35"}, false},
        {{"<NFe>", "A|4.00|NFe35"}, false},
        {{"NOTAFISCAL|1", "A|4.0|NFe35"}, false},
        {{"NOTAFISCAL|1", "A|5.00|x"}, false},
        {{"NOTAFISCAL|1", "A|"}, false},
    };
    for (const Caso &c : cases) {
        TNFe nfe;
        nfe.ide.natOp = "UNCHANGED";
        EXPECT_EQ(leLinhas(nfe, c.lines), c.accepted) << (c.lines.empty() ? "(empty)" : c.lines[0]);
        if (!c.accepted) {
            EXPECT_EQ(nfe.infNFe.Id, "");
            EXPECT_EQ(nfe.infNFe.versao, 0);
        }
        EXPECT_EQ(nfe.ide.natOp, "UNCHANGED");
    }
}

TEST(NFeReaderTxt, VersionLineGivesIdAndVersion)
{
    const std::vector<std::pair<std::string, double>> versions = {
        {"1.10", 1.1}, {"2.00", 2.0}, {"3.10", 3.1}, {"4.00", 4.0}};
    for (const auto &[text, number] : versions) {
        TNFe nfe;
        ASSERT_TRUE(leLinhas(nfe, {"NOTAFISCAL|1", "A|" + text + "|NFe35|"}));
        EXPECT_EQ(nfe.infNFe.versao, number);
        EXPECT_EQ(nfe.infNFe.Id, "NFe35|"); // a trailing separator stays part of the Id
    }
}

TEST(NFeReaderTxt, HeaderWithoutVersionLineIsAClearError)
{
    EXPECT_EQ(erroDe({"NOTAFISCAL|1"}),
              "Arquivo TXT sem a linha da versão do leiaute (registro A) após o cabeçalho");
}

TEST(NFeReaderTxt, SecondNoteInTheFileIsRefused)
{
    const std::string message = erroDe(nota400({"B|35|1|VENDA", "A|4.00|NFe36", "B|35|2|OUTRA"}));
    EXPECT_NE(message.find("mais de uma nota"), std::string::npos) << message;
    EXPECT_NE(message.find("linha 4"), std::string::npos) << message;
}

TEST(NFeReaderTxt, FieldConversionsAndTheFieldError)
{
    TNFe nfe;
    // cUF holds 12a3 (digits only), cNF is empty, the dates carry a zone.
    ASSERT_TRUE(leLinhas(nfe, nota400({"B|12a3||VENDA &amp; CIA|55|1|1234|2024-05-17T10:30:15-03:00||1|1|"
                                       "3550308|1|1|7|2|1|1|1|0|APP 1.0|||"})));
    EXPECT_EQ(nfe.ide.cUF, 123);
    EXPECT_EQ(nfe.ide.cNF, 0);
    EXPECT_EQ(nfe.ide.natOp, "VENDA & CIA");
    EXPECT_EQ(nfe.ide.mod, 55);
    EXPECT_EQ(nfe.ide.dEmi, encodeDateTime({2024, 5, 17, 10, 30, 15, 0}));
    EXPECT_EQ(nfe.ide.dSaiEnt, 0);
    EXPECT_EQ(nfe.ide.cDV, 7);
    EXPECT_EQ(nfe.ide.tpAmb, taHomologacao);
    EXPECT_EQ(nfe.ide.verProc, "APP 1.0");
    EXPECT_EQ(nfe.ide.dhCont, 0);

    TNFe decimals;
    ASSERT_TRUE(leLinhas(decimals, nota400({"Y02|001|1.234,56|1,5| 7.25 "})));
    EXPECT_EQ(decimals.cobr.fat.vOrig, Decimal::fromUnits(12345600));
    EXPECT_EQ(decimals.cobr.fat.vDesc, Decimal::fromUnits(15000));
    EXPECT_EQ(decimals.cobr.fat.vLiq, Decimal::fromUnits(72500));

    struct Caso {
        Linhas lines;
        std::string message;
    };
    const std::vector<Caso> cases = {
        {notaDe("2.00", {"B|35|1|VENDA|0|55|1|1|2019-13-01"}),
         "Erro ao ler o campo dEmi. Conteúdo inválido = 2019-13-01"},
        {nota400({"Y02|001|-1,5"}), "Erro ao ler o campo vOrig. Conteúdo inválido = -1,5"},
        {nota400({"Y02|001|1,5x"}), "Erro ao ler o campo vOrig. Conteúdo inválido = 1,5x"},
        {nota400({"B|99999999999"}), "Erro ao ler o campo cUF. Conteúdo inválido = 99999999999"},
        {nota400({"B|35|1|X|55|1|1|2024-05-17"}),
         "Erro ao ler o campo dhEmi. Conteúdo inválido = 2024-05-17"},
        {nota400({"H|1|", "I|P1|||||5102||1|1e999"}),
         "Erro ao ler o campo vUnCom. Conteúdo inválido = 1e999"},
        {nota400({"X11|1|1|1|1|5353|"}), "Erro ao ler o campo cMunFG. Conteúdo inválido = "},
        {notaDe("2.00", {"B|35|1|VENDA|0|55|1|1|2019-05-01|2019-05-01|25:00:00"}),
         "Erro ao ler o campo hSaiEnt. Conteúdo inválido = 25:00:00"},
    };
    for (const Caso &c : cases)
        EXPECT_EQ(erroDe(c.lines), c.message);
}

TEST(NFeReaderTxt, ValueKindsOfTheTypedReader)
{
    TNFe nfe;
    TNFeRTXT reader(nfe);
    reader.ConteudoArquivo = notaDe("2.00", {});
    ASSERT_TRUE(reader.InterpretarArquivo());
    reader.LerRegistro("Y07|  007 |2019-05-02|12,5");
    EXPECT_EQ(reader.ID(), "Y07");
    EXPECT_EQ(reader.TextoDoCampo("nDup"), "  007 ");
    EXPECT_EQ(std::get<std::string>(reader.LerCampoTipado(0, "nDup")), "007");
    EXPECT_EQ(std::get<std::string>(reader.LerCampoTipado(4, "nDup")), "007 ");
    EXPECT_EQ(std::get<int>(reader.LerCampoTipado(1, "nDup")), 7);
    EXPECT_EQ(std::get<std::int64_t>(reader.LerCampoTipado(21, "nDup")), 7);
    EXPECT_EQ(std::get<double>(reader.LerCampoTipado(2, "dVenc")), encodeDate(2019, 5, 2));
    EXPECT_EQ(std::get<double>(reader.LerCampoTipado(12, "vDup")), 12.5);
    EXPECT_EQ(std::get<double>(reader.LerCampoTipado(2, "vDup_absent")), 0);
    EXPECT_THROW(reader.LerCampoTipado(8, "vDup"), EQuibDFeException);
    EXPECT_EQ(TNFeRTXT::PosicaoDoCampo(" vdup ", reader.Layout()->findRecord("Y07")), 3);
    EXPECT_EQ(TNFeRTXT::PosicaoDoCampo("vDup", nullptr), 0);
}

TEST(NFeReaderTxt, FieldsAbsentFromTheVersionOrTheLineReadAsEmpty)
{
    TNFe nfe;
    // The 1.10 record B has no hSaiEnt, dhCont nor xJust; the line stops early.
    ASSERT_TRUE(leLinhas(nfe, notaDe("1.10", {"B|35|1|VENDA|0|55|1|42|2009-01-02"})));
    EXPECT_EQ(nfe.ide.nNF, 42);
    EXPECT_EQ(nfe.ide.dEmi, encodeDate(2009, 1, 2));
    EXPECT_EQ(nfe.ide.hSaiEnt, 0);
    EXPECT_EQ(nfe.ide.dhCont, 0);
    EXPECT_EQ(nfe.ide.cMunFG, 0);

    // Extra fields are ignored; a field that starts with "§" is a value.
    TNFe extra;
    ASSERT_TRUE(leLinhas(extra, nota400({"Z|§ 1º do art. 2|INFO|extra|more"})));
    EXPECT_EQ(extra.infAdic.infAdFisco, "§ 1º do art. 2");
    EXPECT_EQ(extra.infAdic.infCpl, "INFO");
}

TEST(NFeReaderTxt, RecordNamesAreUpperCasedButNotTrimmed)
{
    TNFe nfe;
    ASSERT_TRUE(leLinhas(nfe, nota400({"c02a|12345678909", "x25a|VAGAO1", "X25B |BALSA1", "", "UNKNOWN|1"})));
    EXPECT_EQ(nfe.emit.CNPJCPF, "12345678909");
    EXPECT_EQ(nfe.transp.vagao, "VAGAO1");
    EXPECT_EQ(nfe.transp.balsa, "");
}

TEST(NFeReaderTxt, EmitterDocumentComesFromC02OrC02aAndSurvivesRecordC)
{
    TNFe first;
    ASSERT_TRUE(leLinhas(first, nota400({"C|EMPRESA|FANTASIA|123|||4711|3", "C02|12345678000195"})));
    EXPECT_EQ(first.emit.CNPJCPF, "12345678000195");
    EXPECT_EQ(first.emit.xNome, "EMPRESA");
    EXPECT_EQ(first.emit.CRT, crt3);

    // C after C02 keeps the CNPJ; a later C02a does not replace it.
    TNFe second;
    ASSERT_TRUE(leLinhas(second, nota400({"C02|12345678000195", "C|EMPRESA", "C02a|12345678909"})));
    EXPECT_EQ(second.emit.CNPJCPF, "12345678000195");
}

TEST(NFeReaderTxt, AddressesPutBrazilInOnlyForEmitterAndRecipient)
{
    TNFe nfe;
    nfe.emit.enderEmit.cPais = 0;
    ASSERT_TRUE(leLinhas(nfe, nota400({"C05|RUA A|10||CENTRO|3550308|SAO PAULO|SP|01001000|||1133334444",
                                       "E05|RUA B|20||BAIRRO|3304557|RIO|RJ|20000000|0|",
                                       "F|RUA C|30||BAIRRO|3550308|SAO PAULO|SP|01001000||||"})));
    EXPECT_EQ(nfe.emit.enderEmit.cPais, 1058);
    EXPECT_EQ(nfe.emit.enderEmit.xPais, "BRASIL");
    EXPECT_EQ(nfe.emit.enderEmit.CEP, 1001000);
    EXPECT_EQ(nfe.emit.enderEmit.fone, "1133334444");
    EXPECT_EQ(nfe.dest.enderDest.cPais, 1058);
    EXPECT_EQ(nfe.retirada.cPais, 0);
    EXPECT_EQ(nfe.retirada.xLgr, "RUA C");
}

TEST(NFeReaderTxt, ReferencesAndDependentRecords)
{
    TNFe nfe;
    ASSERT_TRUE(
        leLinhas(nfe, nota400({"BA13|11222333000181", "BA02|" + std::string(testsupport::kSampleKey),
                               "BA10|35|2405|ISENTO|04|1|77|35240512345678000195570010000012341000012341",
                               "BA14|12345678909", "BA20|2D|123|456"})));
    ASSERT_EQ(nfe.ide.NFref.count(), 3);
    EXPECT_EQ(nfe.ide.NFref.ObterItem(0).refNFe, testsupport::kSampleKey);
    const TNFrefCollectionItem &producer = nfe.ide.NFref.ObterItem(1);
    EXPECT_EQ(producer.refNFP.IE, "ISENTO");
    EXPECT_EQ(producer.refNFP.mod, "04");
    EXPECT_EQ(producer.refNFP.nNF, 77);
    EXPECT_EQ(producer.refNFP.CNPJCPF, "12345678909");
    EXPECT_EQ(producer.refCTe, "35240512345678000195570010000012341000012341");
    EXPECT_EQ(nfe.ide.NFref.ObterItem(2).refECF.nCOO, "456");

    struct Caso {
        Linhas records;
        std::string message;
    };
    const std::vector<Caso> cases = {
        {{"YA04|11222333000181|01|AUT"},
         "Erro ao ler o registro YA04 (linha 3): falta o registro YA01 antes dele"},
        {{"I|P1"}, "Erro ao ler o registro I (linha 3): falta o registro H antes dele"},
        {{"H|1|", "I52|1|"}, "Erro ao ler o registro I52 (linha 4): falta o registro I50 antes dele"},
        {{"H|1|", "I25|1|1|"}, "Erro ao ler o registro I25 (linha 4): falta o registro I18 antes dele"},
        {{"X33|L1"}, "Erro ao ler o registro X33 (linha 3): falta o registro X26 antes dele"},
        {{"M|1.00"}, "Erro ao ler o registro M (linha 3): falta o registro H antes dele"},
    };
    for (const Caso &c : cases)
        EXPECT_EQ(erroDe(nota400(c.records)), c.message);
}

TEST(NFeReaderTxt, PaymentsByVersion)
{
    TNFe nfe;
    ASSERT_TRUE(
        leLinhas(nfe, nota400({"YA|", "YA01|0|03|100.00", "YA04|11222333000181|02|AUT1", "YA09|5.50"})));
    ASSERT_EQ(nfe.pag.count(), 1);
    const TpagCollectionItem &pag = nfe.pag.ObterItem(0);
    EXPECT_EQ(pag.indPag, ifp0);
    EXPECT_EQ(pag.tPag, mpCartaoCredito);
    EXPECT_EQ(pag.vPag, 100);
    EXPECT_EQ(pag.tpIntegra, ipg1);
    EXPECT_EQ(pag.tBand, bdMasterCard);
    EXPECT_EQ(pag.cAut, "AUT1");
    EXPECT_EQ(nfe.pag.vTroco, Decimal::fromUnits(55000));

    TNFe old;
    ASSERT_TRUE(leLinhas(old, notaDe("3.10", {"YA|03|50.00|2|11222333000181|01|AUT2"})));
    ASSERT_EQ(old.pag.count(), 1);
    EXPECT_EQ(old.pag.ObterItem(0).tpIntegra, ipg2);
    EXPECT_EQ(old.pag.ObterItem(0).tBand, bdVisa);
}

TEST(NFeReaderTxt, ItemRecordsFillTheLatestItem)
{
    TNFe nfe;
    ASSERT_TRUE(leLinhas(nfe, nota400({"H|1|PRIMEIRO", "H|9|SEGUNDO",
                                       "I|P2|SEM GTIN|PRODUTO|22030000||5.102|UN|2.0000|10.1234567891|20.25|"
                                       "SEM GTIN|UN|2|10.1234567891|||||1|PED|1|||11222333000181|SP123456",
                                       "I05a|AA0001", "I05c|0300100",
                                       "I18|DI1|2024-01-02|SANTOS|SP|2024-01-03|1|"
                                       "10.00|1|11222333000181|SP|EXP",
                                       "I25|1|2|FAB|0.50|DRAW", "I50|DRAW2", "I52|240000000001||3.5",
                                       "I80|L1|1.5|2024-01-01|2025-01-01|AGREG", "L|1|A12|000123|ARMA",
                                       "K|1234567890123|ISENTO|9.99"})));
    ASSERT_EQ(nfe.det.count(), 2);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.nItem, 1);
    EXPECT_EQ(nfe.det.ObterItem(0).prod.cProd, "");
    EXPECT_EQ(nfe.det.ObterItem(0).infAdProd, "PRIMEIRO");
    const TProd &prod = nfe.det.ObterItem(1).prod;
    EXPECT_EQ(prod.nItem, 2); // the position, not the NItem field
    EXPECT_EQ(prod.cProd, "P2");
    EXPECT_EQ(prod.CFOP, "5.102");
    EXPECT_EQ(prod.vUnCom, 10.1234567891);
    EXPECT_EQ(prod.vProd, Decimal::fromUnits(202500));
    EXPECT_EQ(prod.indTot, ist1);
    EXPECT_EQ(prod.CNPJFab, "11222333000181");
    EXPECT_EQ(prod.cBenef, "SP123456");
    EXPECT_EQ(prod.NVE.ObterItem(0).NVE, "AA0001");
    EXPECT_EQ(prod.CEST, "0300100");
    ASSERT_EQ(prod.DI.count(), 1);
    EXPECT_EQ(prod.DI.ObterItem(0).cExportador, "EXP");
    EXPECT_EQ(prod.DI.ObterItem(0).CNPJ, "11222333000181");
    EXPECT_EQ(prod.DI.ObterItem(0).adi.ObterItem(0).nDraw, "DRAW");
    EXPECT_EQ(prod.detExport.ObterItem(0).nRE, "240000000001");
    EXPECT_EQ(prod.detExport.ObterItem(0).qExport, Decimal::fromUnits(35000));
    EXPECT_EQ(prod.rastro.ObterItem(0).dVal, encodeDate(2025, 1, 1));
    // Weapon serial and barrel numbers keep their letters and zeros.
    EXPECT_EQ(prod.arma.ObterItem(0).tpArma, caUsoRestrito);
    EXPECT_EQ(prod.arma.ObterItem(0).nSerie, "A12");
    EXPECT_EQ(prod.arma.ObterItem(0).nCano, "000123");
    EXPECT_EQ(prod.med.ObterItem(0).cProdANVISA, "1234567890123");
    EXPECT_EQ(prod.med.ObterItem(0).vPMC, Decimal::fromUnits(99900));
}

TEST(NFeReaderTxt, VersionDependentItemFields)
{
    TNFe v310;
    ASSERT_TRUE(leLinhas(
        v310, notaDe("3.10", {"H|1|", "I|P1|||||5102||||||||||||1|||", "K|L1|2.5|2024-01-01|2025-01-01|9.99",
                              "LA|210203001|12.3456|CODIF|20.0|SP", "O|CL1|11222333000181|SELO|2|999"})));
    const TDetCollectionItem &item = v310.det.ObterItem(0);
    EXPECT_EQ(item.prod.indEscala, epNenhum);
    EXPECT_EQ(item.prod.med.ObterItem(0).nLote, "L1");
    EXPECT_EQ(item.prod.med.ObterItem(0).cProdANVISA, "");
    EXPECT_EQ(item.prod.comb.pMixGN, Decimal::fromUnits(123456));
    EXPECT_EQ(item.prod.comb.UFCons, "SP");
    EXPECT_EQ(item.imposto.IPI.clEnq, "CL1");
    EXPECT_EQ(item.imposto.IPI.qSelo, 2);

    TNFe v400;
    ASSERT_TRUE(leLinhas(v400, nota400({"H|1|", "LA|210203001|GLP|50.0|25.0|25.0|10.00|CODIF|20.0|SP",
                                        "LA07|1.0000|0.1000|0.10", "LA11|1|2|3|100.000|200.000",
                                        "O|11222333000181|SELO|2|999"})));
    const TComb &comb = v400.det.ObterItem(0).prod.comb;
    EXPECT_EQ(comb.descANP, "GLP");
    EXPECT_EQ(comb.vPart, 10);
    EXPECT_EQ(comb.pMixGN, 0);
    EXPECT_EQ(comb.CIDE.vAliqProd, Decimal::fromUnits(1000));
    EXPECT_EQ(comb.encerrante.nTanque, 3);
    EXPECT_EQ(comb.encerrante.vEncFin, 200);
    EXPECT_EQ(v400.det.ObterItem(0).imposto.IPI.clEnq, "");
    EXPECT_EQ(v400.det.ObterItem(0).imposto.IPI.cEnq, "999");
}

TEST(NFeReaderTxt, TheLastICMSRecordOfAnItemDecides)
{
    TNFe nfe;
    ASSERT_TRUE(leLinhas(
        nfe, nota400({"H|1|", "N10a|0|90|3|100.00|10.00|18.00|18.00|4|||100.00|12.00|12.00|50.00|SP", "H|2|",
                      "N10a|0|20", "H|3|", "N10b|0|60|1.00|2.00", "H|4|", "N10c|0|101|2.50|5.00", "H|5|",
                      "N10c|0|101|2.50|5.00", "N02|1|00|3|100.00|18.00|18.00"})));
    EXPECT_EQ(nfe.det.ObterItem(0).imposto.ICMS.CST, sti90Part);
    EXPECT_EQ(nfe.det.ObterItem(0).imposto.ICMS.UFST, "SP");
    EXPECT_EQ(nfe.det.ObterItem(0).imposto.ICMS.pBCOp, 50);
    EXPECT_EQ(nfe.det.ObterItem(1).imposto.ICMS.CST, sti20);
    EXPECT_EQ(nfe.det.ObterItem(2).imposto.ICMS.CST, sti60Rep);
    EXPECT_EQ(nfe.det.ObterItem(3).imposto.ICMS.CSOSN, ssn101);
    EXPECT_EQ(nfe.det.ObterItem(3).imposto.ICMS.CST, stiVazio);
    EXPECT_EQ(nfe.det.ObterItem(3).imposto.ICMS.vCredICMSSN, 5);
    const TICMS &replaced = nfe.det.ObterItem(4).imposto.ICMS;
    EXPECT_EQ(replaced.CSOSN, ssnVazio);
    EXPECT_EQ(replaced.CST, sti00);
    EXPECT_EQ(replaced.orig, opr1);
    EXPECT_EQ(replaced.vCredICMSSN, 0);
    EXPECT_EQ(replaced.vICMS, 18);
}

TEST(NFeReaderTxt, IPIAndPISValuesAcrossVersions)
{
    struct Caso {
        std::string version;
        Linhas records;
        Decimal vIPI;
        Decimal vPIS;
    };
    const std::vector<Caso> cases = {
        {"2.00", {"O07|50|15.00", "O10|100.00|15.00", "Q05|99|3.00", "Q07|100.00|3.00"}, 15, 3},
        {"4.00",
         {"O07|50|15.00", "O10|100.00|15.00|0.00", "Q05|99|3.00", "Q07|100.00|1.65|1.65"},
         15,
         Decimal::fromUnits(16500)},
        {"4.00", {"O07|50|15.00", "O11|10.0000|0.7500|7.50"}, Decimal::fromUnits(75000), 0},
    };
    for (const Caso &c : cases) {
        Linhas records = {"H|1|"};
        records.insert(records.end(), c.records.begin(), c.records.end());
        TNFe nfe;
        ASSERT_TRUE(leLinhas(nfe, notaDe(c.version, records)));
        const TImposto &imposto = nfe.det.ObterItem(0).imposto;
        EXPECT_EQ(imposto.IPI.CST, sip50) << c.version;
        EXPECT_EQ(imposto.IPI.vIPI, c.vIPI) << c.version;
        EXPECT_EQ(imposto.PIS.vPIS, c.vPIS) << c.version;
    }
}

TEST(NFeReaderTxt, ReturnedTaxBeforeAndFrom400)
{
    // Before 4.00 one record carries the percentage and the IPI returned.
    TNFe v310;
    ASSERT_TRUE(leLinhas(v310, notaDe("3.10", {"H|1|", "UA||50.00||1.25"})));
    EXPECT_EQ(v310.det.ObterItem(0).pDevol, 50);
    EXPECT_EQ(v310.det.ObterItem(0).vIPIDevol, Decimal::fromUnits(12500));

    TNFe v400;
    ASSERT_TRUE(leLinhas(v400, nota400({"H|1|", "UA3|1.25", "UA|50.00"})));
    EXPECT_EQ(v400.det.ObterItem(0).pDevol, 50);
    EXPECT_EQ(v400.det.ObterItem(0).vIPIDevol, Decimal::fromUnits(12500));
}

TEST(NFeReaderTxt, ServiceTaxCodesAndEmptyNumbers)
{
    TNFe nfe;
    ASSERT_TRUE(leLinhas(nfe, nota400({"H|1|", "U|100.00|5.00|5.00|3550308|14.01||||||1|SERV|||PROC|2"})));
    const TISSQN &iss = nfe.det.ObterItem(0).imposto.ISSQN;
    EXPECT_EQ(iss.cMunFG, 3550308);
    EXPECT_EQ(iss.cListServ, "14.01");
    EXPECT_EQ(iss.indISS, eis1);
    EXPECT_EQ(iss.cMun, 0);
    EXPECT_EQ(iss.cPais, 0);
    EXPECT_EQ(iss.nProcesso, "PROC");
    EXPECT_EQ(iss.indIncentivo, ifi2);
}

TEST(NFeReaderTxt, FilesInWindows1252AndInUtf8)
{
    testsupport::TempDir dir;
    const std::string records = "NOTAFISCAL|1\r\nA|4.00|NFe35\r\nC|";
    // "AÇÚCAR & CAFÉ LTDA" in Windows-1252, then in UTF-8 with and without a BOM.
    const auto ansi = dir.write("ansi.txt", records + "A\xC7\xDA"
                                                      "CAR & CAF\xC9 LTDA\r\n");
    const auto utf8 = dir.write("utf8.txt", records + "AÇÚCAR & CAFÉ LTDA\n");
    const auto bom = dir.write("bom.txt", "\xEF\xBB\xBF" + records + "AÇÚCAR & CAFÉ LTDA\r");
    for (const auto &file : {ansi, utf8, bom}) {
        TNFe nfe;
        TNFeRTXT reader(nfe);
        ASSERT_TRUE(reader.CarregarArquivo(file.string()));
        ASSERT_EQ(reader.ConteudoArquivo.size(), 3u) << file;
        ASSERT_TRUE(reader.InterpretarArquivo()) << file;
        EXPECT_EQ(nfe.emit.xNome, "AÇÚCAR & CAFÉ LTDA") << file;
        EXPECT_EQ(nfe.infNFe.Id, "NFe35");
    }

    TNFe nfe;
    TNFeRTXT reader(nfe);
    reader.ConteudoArquivo = {"kept"};
    EXPECT_FALSE(reader.CarregarArquivo((dir / "missing.txt").string()));
    EXPECT_EQ(reader.ConteudoArquivo, Linhas{"kept"});
}

} // namespace
