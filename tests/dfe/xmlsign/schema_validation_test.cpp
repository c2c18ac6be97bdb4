#include "dfe/xmlsign/schema_validation.h"

#include <gtest/gtest.h>

#include "dfe/xmlsign/schema_cache.h"
#include "dfe/xmlsign/xmldsig_libxml2.h"
#include "tests/dfe/xmlsign/signing_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/xml_checks.h"

namespace {

using xmlsigntest::sample;

class SchemaValidation : public testing::Test {
  protected:
    void SetUp() override
    {
        if (testsupport::officialSchemaDir().empty() || !testsupport::hasProgram("xmllint") ||
            !testsupport::hasProgram("xmlsec1"))
            GTEST_SKIP() << "esquemas oficiais, xmllint ou xmlsec1 ausentes";
    }
    std::string signedNote(const std::string &file)
    {
        xmlsigntest::PemKeyCrypto crypto;
        return signXml({sample(file), "NFe", "infNFe", "", "", dgstSHA1}, crypto);
    }
    static std::string replaced(std::string text, std::string_view from, std::string_view to)
    {
        text.replace(text.find(from), from.size(), to);
        return text;
    }
};

TEST_F(SchemaValidation, AgreesWithXmllint)
{
    const std::filesystem::path esquema = xmlsigntest::schemaFile("nfe_v4.00.xsd");
    const std::string nfe = signedNote("nfe_400.xml");
    const std::string nfce = signedNote("nfce_400.xml");
    // clang-format off
    const struct { const char *name; std::string xml; } cases[] = {
        {"NF-e assinada",           nfe},
        {"NFC-e assinada",          nfce},
        {"sem assinatura",          sample("nfe_400.xml")},
        {"sem natOp",               replaced(nfe, "<natOp>VENDA DE MERCADORIA</natOp>", "")},
        {"modelo 99",               replaced(nfe, "<mod>55</mod>", "<mod>99</mod>")},
        {"elemento desconhecido",   replaced(nfe, "<natOp>", "<extra>1</extra><natOp>")},
        {"CNPJ curto",              replaced(nfe, "<CNPJ>11222333000181</CNPJ>", "<CNPJ>1122</CNPJ>")},
        {"mal formado",             replaced(nfe, "</ide>", "</ida>")},
    };
    // clang-format on
    for (const auto &c : cases) {
        std::string msgErro = "antes";
        const bool valido = validateXml(c.xml, esquema, msgErro);
        const std::string xmllint = testsupport::schemaProblems(c.xml, esquema);
        EXPECT_EQ(valido, xmllint.empty()) << c.name << ": " << msgErro << " / " << xmllint;
        if (valido)
            EXPECT_EQ(msgErro, "") << c.name;
        else
            EXPECT_TRUE(msgErro.starts_with(" --> ") || msgErro.starts_with("Erro: Falha ao interpretar"))
                << c.name << ": " << msgErro;
    }
}

TEST_F(SchemaValidation, PathThatIsNotASchemaGivesTheSchemaMessage)
{
    testsupport::TempDir pasta;
    // clang-format off
    const struct { const char *file; const char *content; } cases[] = {
        {"texto.xsd",    "isto não é um esquema"},
        {"documento.xsd", "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"/>"},
    };
    // clang-format on
    for (const auto &c : cases) {
        std::string msgErro;
        EXPECT_FALSE(validateXml(sample("nfe_400.xml"), pasta.write(c.file, c.content), msgErro));
        EXPECT_TRUE(msgErro.starts_with("Erro: Schema inválido --> ")) << msgErro;
    }
}

TEST_F(SchemaValidation, EachSchemaIsCompiledOnceUntilItChanges)
{
    testsupport::TempDir pasta;
    std::filesystem::copy(testsupport::officialSchemaDir(), pasta.path() / "PL_009_V4",
                          std::filesystem::copy_options::recursive);
    const std::filesystem::path esquema = pasta.path() / "PL_009_V4" / "nfe_v4.00.xsd";
    const std::string nota = signedNote("nfe_400.xml");

    const int antes = SchemaCache::process().compilations();
    for (int i = 0; i < 50; ++i) {
        std::string msgErro;
        ASSERT_TRUE(validateXml(nota, esquema, msgErro)) << msgErro;
    }
    EXPECT_EQ(SchemaCache::process().compilations(), antes + 1);

    std::filesystem::last_write_time(esquema,
                                     std::filesystem::last_write_time(esquema) + std::chrono::seconds(2));
    std::string msgErro;
    EXPECT_TRUE(validateXml(nota, esquema, msgErro)) << msgErro;
    EXPECT_TRUE(validateXml(nota, esquema, msgErro)) << msgErro;
    EXPECT_EQ(SchemaCache::process().compilations(), antes + 2);
}

} // namespace
