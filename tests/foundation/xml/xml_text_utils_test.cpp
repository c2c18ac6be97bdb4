#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/xml/xml_text_utils.h"

namespace {

const char *const kSoap =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
    "<soap:Envelope xmlns:soap=\"http://www.w3.org/2003/05/soap-envelope\">"
    "<soap:Body><retConsStatServ versao=\"4.00\"><cStatus>9</cStatus><cStat>107</cStat>"
    "<xMotivo>Servi&#231;o em Opera&ccedil;&atilde;o</xMotivo></retConsStatServ></soap:Body>"
    "</soap:Envelope>";

TEST(XmlTextUtils, ContentOfTag)
{
    // The longer name that starts with the same letters is skipped.
    EXPECT_EQ(ConteudoDaTag(kSoap, "cStat", false, false, false), "107");
    EXPECT_EQ(ConteudoDaTag(kSoap, "cStat", true, false, false), "<cStat>107</cStat>");
    EXPECT_EQ(ConteudoDaTag(kSoap, "CSTAT", false, false, true), "107");
    EXPECT_EQ(ConteudoDaTag(kSoap, "CSTAT", false, false, false), "");
    EXPECT_EQ(ConteudoDaTag(kSoap, "missing", false, true, false), "");

    // A prefixed element is found only with allow-prefix.
    const std::string body = ConteudoDaTag(kSoap, "Body", false, true, false);
    EXPECT_EQ(body.substr(0, 30), "<retConsStatServ versao=\"4.00\"");
    EXPECT_EQ(body.substr(body.size() - 18), "</retConsStatServ>");
    EXPECT_EQ(ConteudoDaTag(kSoap, "Body", false, false, false), "");
    EXPECT_EQ(ConteudoDaTag(kSoap, "Body", true, true, true).substr(0, 11), "<soap:Body>");

    // Unclosed element: empty.
    EXPECT_EQ(ConteudoDaTag("<a><b>x</a>", "b", false, false, false), "");
    // Attributes, blanks before ">" in the closing tag, and line breaks after the name.
    EXPECT_EQ(ConteudoDaTag("<b\nid=\"1\">x</b >", "b", false, false, false), "x");
    EXPECT_EQ(ConteudoDaTag("<b id=\"1\">x</b >", "b", true, false, false), "<b id=\"1\">x</b >");
    // A self-closing element has no content; it does not swallow the next element.
    EXPECT_EQ(ConteudoDaTag("<a x=\"1\"/><a>2</a>", "a", false, false, false), "");
    EXPECT_EQ(ConteudoDaTag("<a x=\"1\"/><a>2</a>", "a", true, false, false), "<a x=\"1\"/>");
    // Case-insensitive search with accented names keeps the original text.
    EXPECT_EQ(ConteudoDaTag("<Ação>Olá</Ação>", "AÇÃO", false, false, true), "Olá");
}

TEST(XmlTextUtils, ClosingTagIsSearchedAfterTheOpeningTag)
{
    // "</NFe" first occurs inside the namespace URL's text before the element.
    const std::string text =
        "<nfeProc xmlns=\"http://www.portalfiscal.inf.br/nfe\" note=\"</NFe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"NFe1\">x</infNFe></NFe>"
        "<protNFe/></nfeProc>";
    EXPECT_EQ(ConteudoDaTag(text, "NFe", true, false, false),
              "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe Id=\"NFe1\">x</infNFe></NFe>");
    EXPECT_EQ(ConteudoDaTag(text, "NFe", false, false, false), "<infNFe Id=\"NFe1\">x</infNFe>");
    // A closing tag of a longer name is not the end of the element.
    EXPECT_EQ(ConteudoDaTag("<a>1</ab>2</a>", "a", false, false, false), "1</ab>2");
}

TEST(XmlTextUtils, FirstTagOfList)
{
    const std::vector<std::string> names{"nada", "vazio", "cStat"};
    EXPECT_EQ(ConteudoPrimeiraTag(names, "<vazio>  </vazio><cStat> 107 </cStat>", false, false, false),
              "107");
    EXPECT_EQ(ConteudoPrimeiraTag({"x"}, "<y>1</y>", false, false, false), "");
}

TEST(XmlTextUtils, Entities)
{
    EXPECT_EQ(ConverteEntidades("a&amp;b &lt;x&gt; &quot;q&quot; &#39;s&#39; &apos;&#45;", true, false),
              "a&b <x> \"q\" 's' '-");
    EXPECT_EQ(ConverteEntidades("Opera&ccedil;&atilde;o &Eacute; &uuml;", true, true), "Operação É ü");
    // "&amp;" goes first, so an encoded ampersand before an entity decodes twice.
    EXPECT_EQ(ConverteEntidades("&amp;lt;", true, false), "<");
    EXPECT_EQ(ConverteEntidades("&amp;amp;", true, false), "&amp;");
    EXPECT_EQ(ConverteEntidades("&unknown; & &", true, false), "&unknown; & &");
    EXPECT_EQ(ConverteEntidades("<a href=\"x\">'&'</a>", false, false),
              "&lt;a href=&quot;x&quot;&gt;&#39;&amp;&#39;&lt;/a&gt;");

    // Decoding from UTF-8 goes through the edge decoder: a stray byte is one
    // Windows-1252 character and the UTF-8 around it stays.
    EXPECT_EQ(ConverteEntidades("a\xC3\xA7\xC3\xA3o &amp; \x80", true, true), "ação & €");

    for (const std::string text : {"plain", "<a>&\"'</a>", "ação & <ç>", ""})
        EXPECT_EQ(ConverteEntidades(ConverteEntidades(text, false, false), true, false), text) << text;
}

TEST(XmlTextUtils, Declarations)
{
    EXPECT_TRUE(DeclaraUTF8("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a/>"));
    EXPECT_TRUE(DeclaraUTF8("<?xml version='1.0' Encoding='utf-8'?>"));
    EXPECT_FALSE(DeclaraUTF8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>utf-8</a>"));
    EXPECT_FALSE(DeclaraUTF8(std::string(45, ' ') + "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    EXPECT_EQ(GaranteXMLUTF8("<a>ação</a>"), declaration + "<a>ação</a>");
    // Windows-1252 bytes are recoded to UTF-8.
    EXPECT_EQ(GaranteXMLUTF8("<a>a\xe7\xe3o</a>"), declaration + "<a>ação</a>");
    const std::string latin = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a/>";
    EXPECT_EQ(GaranteXMLUTF8(latin), declaration + latin);
    EXPECT_EQ(GaranteXMLUTF8(declaration + "<a/>"), declaration + "<a/>");

    EXPECT_EQ(ExtraiDeclaracaoXML("x<?xml a?><?b?>"), "<?xml a?>");
    EXPECT_EQ(ExtraiDeclaracaoXML("<?xml a"), "");
    EXPECT_EQ(RetiraDeclaracaoXML("<?x?><a/><?x?>", false), "<a/><?x?>");
    EXPECT_EQ(RetiraDeclaracaoXML("<?x?><a/><?x?>", true), "<a/>");
    EXPECT_EQ(RetiraDeclaracaoXML("<a/>", true), "<a/>");
    EXPECT_EQ(IncluiDeclaracaoFaltante("<a/>", "<?x?>"), "<?x?><a/>");
    EXPECT_EQ(IncluiDeclaracaoFaltante("<?y?><a/>", "<?x?>"), "<?y?><a/>");
    EXPECT_EQ(IncluiDeclaracaoFaltante("<a/>", "<x>"), "<a/>");
    EXPECT_EQ(XMLUTF8ParaNativo(declaration + "<a>ç</a>"), "<a>ç</a>");
    EXPECT_EQ(XMLUTF8ParaNativo(latin), latin);
    EXPECT_EQ(XMLUTF8ParaNativo(declaration + "<a>\xC3\xA7\xE7</a>"), "<a>çç</a>");
}

TEST(XmlTextUtils, NextTagAndTagRemoval)
{
    int position = -1;
    EXPECT_EQ(LocalizaProximaTag("ab<B>c</B>", 1, position), "<b>");
    EXPECT_EQ(position, 3);
    EXPECT_EQ(LocalizaProximaTag("ab<B>c</B>", 4, position), "</b>");
    EXPECT_EQ(position, 7);
    // Positions count characters.
    EXPECT_EQ(LocalizaProximaTag("çã<i>", 1, position), "<i>");
    EXPECT_EQ(position, 3);
    // A stray "<" before the tag: the last "<" before ">" starts it.
    EXPECT_EQ(LocalizaProximaTag("a < b <i>", 1, position), "<i>");
    EXPECT_EQ(position, 7);
    EXPECT_EQ(LocalizaProximaTag("a < b", 1, position), "");
    EXPECT_EQ(position, 0);
    EXPECT_EQ(LocalizaProximaTag("abc", 1, position), "");
    EXPECT_EQ(position, 0);

    EXPECT_EQ(RemoveTagsHTML("<p>Olá <b>mundo</b></p>"), "Olá mundo");
    EXPECT_EQ(RemoveTagsHTML("a < b <i>x</i> c"), "a < b x c");
    EXPECT_EQ(RemoveTagsHTML("x <y"), "x <y");
    // The search goes on from where the removed tag was, never back.
    EXPECT_EQ(RemoveTagsHTML("<a><<b>>"), "<>");
}

} // namespace
