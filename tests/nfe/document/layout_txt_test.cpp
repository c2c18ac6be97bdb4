#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "nfe/document/layout_txt.h"

namespace {

const std::vector<std::string> kVersoes = {"1.10", "2.00", "3.10", "4.00"};

// Splits a text into lines the way the layout's consumers do: at CR, at LF
// and at CR LF, keeping the empty lines.
std::vector<std::string> divideLinhas(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

// The non-empty layout lines of a version, in order.
std::vector<std::string> linhasDoLayout(const std::string &version)
{
    std::vector<std::string> lines;
    for (std::string &line : divideLinhas(ObterLayoutTXT(version))) {
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

std::string marcador(std::string_view field)
{
    return "|" + std::string(field) + kMarcaCampoTXT;
}

std::vector<std::string> nomesDosRegistros(const std::vector<const TxtLayoutRecord *> &records)
{
    std::vector<std::string> names;
    for (const TxtLayoutRecord *record : records) {
        names.push_back(record->name);
    }
    return names;
}

std::vector<std::string> nomesDoGrupo(const TxtLayout &layout, std::string_view group)
{
    const auto records = layout.recordsOfGroup(group);
    return nomesDosRegistros({records.begin(), records.end()});
}

} // namespace

TEST(LayoutTxt, EachVersionHasItsLineCountAndLfCrTerminators)
{
    const std::vector<std::pair<std::string, std::size_t>> cases = {
        {"1.10", 87}, {"2.00", 105}, {"3.10", 118}, {"4.00", 130}};
    for (const auto &[version, count] : cases) {
        SCOPED_TRACE(version);
        const std::string text = ObterLayoutTXT(version);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.back(), '\r');
        std::size_t lines = 0;
        for (std::size_t pos = 0; (pos = text.find("\n\r", pos)) != std::string::npos; pos += 2) {
            ++lines;
        }
        EXPECT_EQ(lines, count);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(count));
        EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), static_cast<long>(count));
        ASSERT_NE(txtLayout(version), nullptr);
        EXPECT_EQ(txtLayout(version)->records().size(), count);
        EXPECT_EQ(txtLayout(version)->text(), text);
    }

    const std::vector<std::string> split = divideLinhas(ObterLayoutTXT("4.00"));
    ASSERT_EQ(split.size(), 260u);
    for (std::size_t i = 0; i < split.size(); ++i) {
        EXPECT_EQ(split[i].empty(), i % 2 == 1) << i;
    }
}

TEST(LayoutTxt, OnlyTheExactVersionTextsHaveALayout)
{
    for (const std::string version :
         {"4.0", "4.00 ", " 4.00", "", "4", "3.1", "4,00", "1.1", "4.00\n", "0.00", "V4.00"}) {
        SCOPED_TRACE("[" + version + "]");
        EXPECT_EQ(ObterLayoutTXT(version), "");
        EXPECT_EQ(txtLayout(version), nullptr);
    }
}

TEST(LayoutTxt, LinesAreExactlyAsListed)
{
    const std::string m(1, kMarcaCampoTXT);
    struct Caso {
        std::string version;
        std::size_t line;
        std::string text;
    };
    const std::vector<Caso> cases = {
        {"1.10", 1, "<B01>NOTA FISCAL|1"},
        {"1.10", 2, "<B01>     A|1.10|^ID^"},
        {"1.10", 3,
         "<B01>     B|CUF" + m + "|CNF" + m + "|NATOP" + m + "|INDPAG" + m + "|MOD" + m + "|SERIE" + m +
             "|NNF" + m + "|DEMI" + m + "|DSAIENT" + m + "|TPNF" + m + "|CMUNFG" + m + "|TPIMP" + m +
             "|TPEMIS" + m + "|CDV" + m + "|TPAMB" + m + "|FINNFE" + m + "|PROCEMI" + m + "|VERPROC" + m},
        {"1.10", 15,
         "<F01>     F|CNPJ" + m + "|XLGR" + m + "|NRO" + m + "|XCPL" + m + "|XBAIRRO" + m + "|CMUN" + m +
             "|XMUN" + m + "|UF" + m},
        {"1.10", 87, "<ZB01>   ZB|XNEMP" + m + "|XPED" + m + "|XCONT" + m},
        {"2.00", 1, "<B01>NOTA FISCAL|1"},
        {"2.00", 2, "<B01>     A|2.00|^ID^"},
        {"2.00", 4, "<B12A>  B13|REFNFE" + m},
        {"2.00", 39, "<N01>     N"},
        {"2.00", 83,
         "<U01>     U|VBC" + m + "|VALIQ" + m + "|VISSQN" + m + "|CMUNFG" + m + "|CLISTSERV" + m +
             "|CSITTRIB" + m},
        {"2.00", 105, "<ZB01>   ZB|XNEMP" + m + "|XPED" + m + "|XCONT" + m},
        {"3.10", 1, "<B>NOTA FISCAL|1"},
        {"3.10", 2, "<B01>     A|3.10|^ID^"},
        {"3.10", 43, "<N01>     N"},
        {"3.10", 89, "<UA>     UA|IMPOSTODEVOL" + m + "|PDEVOL" + m + "|IPI" + m + "|VIPIDEVOL" + m},
        {"3.10", 109,
         "<YA>     YA|TPAG" + m + "|VPAG" + m + "|CARD" + m + "|CNPJ" + m + "|TBAND" + m + "|CAUT" + m},
        {"3.10", 118, "<ZC10> ZC10|XDED" + m + "|VDED" + m},
        {"4.00", 1, "<B>NOTA FISCAL|1"},
        {"4.00", 2, "<B01>     A|4.00|^ID^"},
        {"4.00", 11, "<C01>   C02|CNPJ" + m},
        {"4.00", 12, "<C01>  C02A|CPF" + m},
        {"4.00", 32, "<I05A> I05A|NVE" + m},
        {"4.00", 47, "<N01>     N|"},
        {"4.00", 72, "<Q01>     Q"},
        {"4.00", 82, "<S01>     S"},
        {"4.00", 95, "<W01>     W"},
        {"4.00", 113, "<Y01>     Y"},
        {"4.00", 116, "<YA01>   YA"},
        {"4.00", 117, "<YA01A>YA01|INDPAG" + m + "|TPAG" + m + "|VPAG" + m},
        {"4.00", 130, "<ZD07> ZD07|IDCSRT" + m + "|HASHCSRT" + m},
    };
    for (const Caso &c : cases) {
        SCOPED_TRACE(c.version + " line " + std::to_string(c.line));
        const std::vector<std::string> lines = linhasDoLayout(c.version);
        ASSERT_LE(c.line, lines.size());
        EXPECT_EQ(lines[c.line - 1], c.text);
    }
    EXPECT_TRUE(ObterLayoutTXT("4.00").starts_with("<B>NOTA FISCAL|1\n\r<B01>     A|4.00|^ID^\n\r"
                                                   "<B01>     B|CUF" +
                                                   m));
}

TEST(LayoutTxt, TextHasNoLowerCaseLettersAndOnlyFieldMarksOutsideAscii)
{
    for (const std::string &version : kVersoes) {
        SCOPED_TRACE(version);
        for (const char c : ObterLayoutTXT(version)) {
            EXPECT_FALSE(c >= 'a' && c <= 'z');
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte < 0x80 || c == kMarcaCampoTXT);
        }
    }
}

TEST(LayoutTxt, RecordNamesAreUniqueWithinEachVersion)
{
    for (const std::string &version : kVersoes) {
        SCOPED_TRACE(version);
        std::set<std::string> names;
        for (const TxtLayoutRecord &record : txtLayout(version)->records()) {
            EXPECT_FALSE(record.name.empty());
            EXPECT_TRUE(names.insert(record.name).second) << record.name;
        }
    }
}

// Reads every line of every version by the rules the layout's consumers apply
// to the text, and checks that the parsed form says the same.
TEST(LayoutTxt, ParsedFormAgreesWithTheTextOnEveryLine)
{
    for (const std::string &version : kVersoes) {
        const TxtLayout &layout = *txtLayout(version);
        const std::vector<std::string> lines = linhasDoLayout(version);
        ASSERT_EQ(layout.records().size(), lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string &line = lines[i];
            const TxtLayoutRecord &record = layout.records()[i];
            SCOPED_TRACE(version + ": " + line);
            EXPECT_EQ(record.line, static_cast<int>(i + 1));

            ASSERT_EQ(line.front(), '<');
            const std::size_t close = line.find('>');
            ASSERT_NE(close, std::string::npos);
            EXPECT_EQ(record.groupId, line.substr(1, close - 1));

            std::string afterGroup = line.substr(close + 1);
            const std::size_t blanks = afterGroup.find_first_not_of(' ');
            EXPECT_LE(blanks, 7u);
            afterGroup.erase(0, blanks);
            EXPECT_EQ(record.name, afterGroup.substr(0, afterGroup.find('|')));

            // Every field shows up as its marker (marcador()), in order, and its
            // position is the count of "|" up to the marker; the text has
            // no marker that the record lacks.
            std::size_t searchFrom = close;
            for (std::size_t f = 0; f < record.fields.size(); ++f) {
                const std::string &field = record.fields[f];
                const std::size_t at = line.find(marcador(field), searchFrom);
                ASSERT_NE(at, std::string::npos) << field;
                searchFrom = at + 1;
                const auto bars = std::count(line.begin(), line.begin() + at + 1, '|');
                EXPECT_EQ(bars, static_cast<long>(f + 1)) << field;
                EXPECT_EQ(record.fieldPosition(field), static_cast<int>(f + 1)) << field;
            }
            EXPECT_EQ(std::count(line.begin(), line.end(), kMarcaCampoTXT),
                      static_cast<long>(record.fields.size()));

            // Name, placeholders and literal tail give back the whole line.
            std::string rebuilt = record.name;
            for (const std::string &field : record.fields)
                rebuilt += marcador(field);
            EXPECT_EQ(rebuilt + record.tail, afterGroup);

            EXPECT_EQ(layout.findRecord(record.name), &record);
            const auto group = layout.recordsOfGroup(record.groupId);
            EXPECT_NE(std::find(group.begin(), group.end(), &record), group.end());
        }
    }
}

TEST(LayoutTxt, LookupsByRecordGroupAndField)
{
    const TxtLayout &v400 = *txtLayout("4.00");
    const TxtLayout &v310 = *txtLayout("3.10");

    EXPECT_EQ(v400.findRecord("ZC")->groupId, "ZC");
    for (const std::string &version : kVersoes) {
        EXPECT_NE(txtLayout(version)->findRecord("ZB"), nullptr) << version;
    }
    EXPECT_EQ(v310.findRecord("LA")->fieldPosition("pMixGN"), 2);
    EXPECT_EQ(v310.findRecord("LA")->fields[1], "PMIXGN");

    // Lookups ignore the letter case of the record names the writer adjusts.
    const TxtLayoutRecord *c02a = v400.findRecord("C02a");
    ASSERT_NE(c02a, nullptr);
    EXPECT_EQ(c02a->name, "C02A");
    EXPECT_EQ(c02a->fields, std::vector<std::string>{"CPF"});
    EXPECT_EQ(v400.findRecord("YA01")->groupId, "YA01A");
    EXPECT_EQ(v400.findRecord("C02 "), nullptr);
    EXPECT_EQ(v400.findRecord("X99"), nullptr);

    // Opening the delivery-place group gives only its own lines; the
    // authorised-download lines have a group of their own.
    EXPECT_EQ(nomesDoGrupo(v400, "G01"), (std::vector<std::string>{"G", "G02", "G02A", "G02B"}));
    EXPECT_EQ(nomesDoGrupo(v310, "g01"), (std::vector<std::string>{"G", "G02", "G02A"}));
    EXPECT_EQ(nomesDoGrupo(v400, "G50"), (std::vector<std::string>{"GA02", "GA03"}));
    EXPECT_EQ(nomesDoGrupo(v310, "G50"), (std::vector<std::string>{"GA02", "GA03"}));
    EXPECT_EQ(nomesDoGrupo(v400, "B"), (std::vector<std::string>{"NOTA FISCAL"}));
    EXPECT_EQ(nomesDoGrupo(*txtLayout("2.00"), "B01"), (std::vector<std::string>{"NOTA FISCAL", "A", "B"}));
    EXPECT_TRUE(v400.recordsOfGroup("G99").empty());

    // Header, version and group-start lines carry no fields.
    for (const std::string name : {"NOTA FISCAL", "A", "N", "Q", "S", "W", "Y", "YA"}) {
        ASSERT_NE(v400.findRecord(name), nullptr) << name;
        EXPECT_TRUE(v400.findRecord(name)->fields.empty()) << name;
    }
    EXPECT_FALSE(v310.findRecord("YA")->fields.empty());
    EXPECT_EQ(v400.findRecord("A")->tail, "|4.00|^ID^");
    EXPECT_EQ(v400.findRecord("NOTA FISCAL")->tail, "|1");
    EXPECT_EQ(v400.findRecord("N")->tail, "|");
    EXPECT_EQ(v310.findRecord("N")->tail, "");
    EXPECT_EQ(v400.findRecord("B")->tail, "");

    const TxtLayoutRecord &b = *v400.findRecord("B");
    EXPECT_EQ(b.fields.size(), 22u);
    EXPECT_EQ(b.fieldPosition("cUF"), 1);
    EXPECT_EQ(b.fieldPosition("xJust"), 22);
    EXPECT_EQ(b.fieldPosition("indPag"), 0);
    EXPECT_EQ(v310.findRecord("B")->fieldPosition("indPag"), 4);
    EXPECT_EQ(txtLayout("1.10")->findRecord("I")->fieldPosition("Genero"), 6);
}
