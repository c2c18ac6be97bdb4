#include "printing/device/tag_parser.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A processor with a small table: "<e>" and "</e>" plain, "<ce>" and
// "<ignorar_tags>" blocks. Plain tags translate to "{tag}", blocks to
// "[tag:decoded content]"; every notified piece is recorded.
class TagParserTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        processor.AdicionarTags({"<e>", "</e>"}, {"Expandido", "Fim do expandido"}, false);
        processor.AdicionarTags({"<ce>", "<ignorar_tags>"}, {}, true);
        processor.OnTraduzirTag = [](const std::string &tag, std::string &translation) {
            translation = "{" + tag + "}";
        };
        processor.OnTraduzirTagBloco = [](const std::string &tag, const std::string &content,
                                          std::string &translation) {
            translation = "[" + tag + ":" + content + "]";
        };
        processor.OnAdicionarTexto = [this](const std::string &piece) { pieces.push_back(piece); };
    }

    TQuibTagProcessor processor;
    std::vector<std::string> pieces;
};

struct DecodeCase {
    const char *name;
    std::string input;
    std::string expected;
    std::vector<std::string> notified;
};

TEST_F(TagParserTest, DecodesTheLanguage)
{
    // clang-format off
    const std::vector<DecodeCase> cases = {
        {"no tag",                   "Texto simples",        "Texto simples",         {"Texto simples"}},
        {"empty text",               "",                     "",                      {}},
        {"lone less-than",           "a < b",                "a < b",                 {"a < b"}},
        {"lone greater-than",        "a > <B>",              "a > <b>",               {"a > ", "<b>"}},
        {"unclosed less-than",       "a <e",                 "a <e",                  {"a <e"}},
        {"second less-than starts",  "x <y <e> z",           "x <y {<e>} z",          {"x <y ", "{<e>}", " z"}},
        {"unknown tag lower-cased",  "A<NEGRITO>B",          "A<negrito>B",           {"A", "<negrito>", "B"}},
        {"known tag in any case",    "<E>x</e>",             "{<e>}x{</e>}",          {"{<e>}", "x", "{</e>}"}},
        {"block, inner not notified","<ce>a<e>b</CE>c",      "[<ce>:a{<e>}b]c",       {"[<ce>:a{<e>}b]", "c"}},
        {"unclosed block",           "<ce>a<e>b",            "a{<e>}b",               {"a", "{<e>}", "b"}},
        {"stray closing tag",        "x</ce>",               "x</ce>",                {"x", "</ce>"}},
        {"first closing ends block", "<ce>1<ce>2</ce>3</ce>","[<ce>:12]3</ce>",       {"[<ce>:12]", "3", "</ce>"}},
        {"ignorar_tags passes raw",  "<ignorar_tags><E>x</ignorar_tags>!", "<E>x!",   {"<E>x", "!"}},
        {"UTF-8 text kept",          "Açúcar <e>ção",        "Açúcar {<e>}ção",       {"Açúcar ", "{<e>}", "ção"}},
    };
    // clang-format on
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        pieces.clear();
        EXPECT_EQ(processor.DecodificarTags(c.input), c.expected);
        EXPECT_EQ(pieces, c.notified);
        EXPECT_EQ(processor.Nivel(), 0);
    }
}

TEST_F(TagParserTest, TranslationOffReturnsTheInputByteForByte)
{
    processor.TraduzirTags(false);
    const std::string input("<E>\x01\xff<ce>x\0y</ce><<>", 18);
    EXPECT_EQ(processor.DecodificarTags(input), input);
    EXPECT_TRUE(pieces.empty());
}

TEST_F(TagParserTest, IgnoredTagsVanishAndBlocksKeepTheirRawContent)
{
    processor.IgnorarTags(true);
    EXPECT_EQ(processor.DecodificarTags("<e>a</e><ce>b<e></ce><X>"), "ab<e><x>");
}

TEST_F(TagParserTest, WithoutCallbacksPlainTagsVanishAndBlocksGiveRawContent)
{
    processor.OnTraduzirTag = nullptr;
    processor.OnTraduzirTagBloco = nullptr;
    EXPECT_EQ(processor.DecodificarTags("<e>a<ce>b<e>c</ce>"), "ab<e>c");
}

TEST_F(TagParserTest, BlockCallbackSeesTheDecodedContentAndTheRawOne)
{
    std::string seenContent;
    std::string seenRaw;
    int seenLevel = -1;
    processor.OnTraduzirTagBloco = [&](const std::string &, const std::string &content,
                                       std::string &translation) {
        seenContent = content;
        seenRaw = translation;
        seenLevel = processor.Nivel();
    };
    processor.DecodificarTags("<ce><E>x</ce>");
    EXPECT_EQ(seenContent, "{<e>}x");
    EXPECT_EQ(seenRaw, "<E>x");
    EXPECT_EQ(seenLevel, 1); // the nested decoding of the content has ended
}

TEST_F(TagParserTest, LevelIsBackToZeroAfterACallbackThrows)
{
    processor.OnTraduzirTag = [this](const std::string &, std::string &) {
        EXPECT_EQ(processor.Nivel(), 2); // inside the block's content
        throw std::runtime_error("falha");
    };
    EXPECT_THROW(processor.DecodificarTags("<ce>a<e></ce>"), std::runtime_error);
    EXPECT_EQ(processor.Nivel(), 0);

    processor.OnTraduzirTag = nullptr;
    pieces.clear();
    processor.DecodificarTags("x<e>");
    EXPECT_EQ(pieces, std::vector<std::string>{"x"}); // notified again at the outer level
}

TEST_F(TagParserTest, FirstRegistrationOfATagWins)
{
    processor.Tags().NovaTag("<d>", "primeira", false);
    processor.Tags().NovaTag("<D>", "segunda", true);
    const TQuibTag *found = processor.Tags().AcharTag("<D>");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Descricao(), "primeira");
    EXPECT_FALSE(found->Bloco());
    EXPECT_EQ(processor.DecodificarTags("<d>x</d>"), "{<d>}x</d>");
}

TEST(TagTableTest, AddsTagsInOrderWithTheDescriptionsGiven)
{
    TQuibTagProcessor processor;
    processor.AdicionarTags({"<a>", "b", " <C "}, {"Primeira"}, true);
    const TQuibTags &tags = processor.Tags();
    ASSERT_EQ(tags.count(), 3);
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"<a>", "Primeira"}, {"<b>", ""}, {"<c>", ""}};
    // clang-format on
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(tags[i].Tag(), expected[static_cast<std::size_t>(i)].first);
        EXPECT_EQ(tags[i].Descricao(), expected[static_cast<std::size_t>(i)].second);
        EXPECT_EQ(tags[i].Ordem(), i + 1);
        EXPECT_TRUE(tags[i].Bloco());
    }
}

TEST(TagTableTest, RenamedTagIsFoundUnderItsNewText)
{
    TQuibTags tags;
    TQuibTag &tag = tags.NovaTag();
    tag.Tag("antiga");
    ASSERT_NE(tags.AcharTag("<antiga>"), nullptr);
    tag.Tag("</Nova>");
    EXPECT_EQ(tags.AcharTag("<antiga>"), nullptr);
    EXPECT_EQ(tags.AcharTag("</nova>"), &tag);
}

} // namespace
