#include "console/config_geral/importacao_nota.h"

#include "console/config_geral/arvore_nfe.h"
#include "foundation/fiscal/dfe_exception.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>

namespace {

const std::string kId = std::string("NFe") + testsupport::kSampleKey;

struct ImportacaoNota : ::testing::Test {
    testsupport::TempDir pasta;
    TQuibNFe componente;

    NotasImportadas importa(const std::string &nome, const std::string &conteudo)
    {
        return ImportarNotas(componente.Notas(), pasta.write(nome, conteudo).string());
    }
};

TEST_F(ImportacaoNota, ATxtNoteFillsTheOneNoteAndKeepsIt)
{
    const NotasImportadas r = importa("nota.txt", testsupport::noteTxt(2));
    EXPECT_FALSE(r.arquivoInvalido);
    ASSERT_EQ(r.arvores.size(), 1u);
    EXPECT_EQ(r.arvores[0].legenda, kId);
    ASSERT_EQ(componente.Notas().Count(), 1);
    EXPECT_EQ(r.arvores[0], ArvoreNFe(componente.Notas()[0].NFe()));
}

TEST_F(ImportacaoNota, AnXmlFileWithTwoNotesGivesTwoTreesInFileOrder)
{
    const std::string segunda = testsupport::authorisedNoteXml(1);
    std::string texto = testsupport::authorisedNoteXml(2);
    texto += segunda.substr(segunda.find("<nfeProc"));
    const NotasImportadas r = importa("duas-nfe.xml", texto);
    EXPECT_FALSE(r.arquivoInvalido);
    ASSERT_EQ(r.arvores.size(), 2u);
    ASSERT_EQ(componente.Notas().Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(r.arvores[static_cast<std::size_t>(i)], ArvoreNFe(componente.Notas()[i].NFe()));
    // The first note has two products, the second one.
    auto produtos = [](const NoArvore &raiz) {
        return std::count_if(raiz.filhos.begin(), raiz.filhos.end(),
                             [](const NoArvore &n) { return n.legenda.starts_with("Produto"); });
    };
    EXPECT_EQ(produtos(r.arvores[0]), 2);
    EXPECT_EQ(produtos(r.arvores[1]), 1);
}

TEST_F(ImportacaoNota, ABadOrMissingXmlIsInvalidAndAFileWithNoNoteLoadsNothing)
{
    std::string malformada = testsupport::authorisedNoteXml(1);
    malformada.replace(malformada.find("<xProd>"), 7, "<xProd");
    EXPECT_TRUE(importa("quebrada-nfe.xml", malformada).arquivoInvalido);
    EXPECT_TRUE(ImportarNotas(componente.Notas(), (pasta / "nao-existe.xml").string()).arquivoInvalido);

    const NotasImportadas nada =
        importa("outro.xml", "<?xml version=\"1.0\"?><cadastro><nome>x</nome></cadastro>");
    EXPECT_FALSE(nada.arquivoInvalido);
    EXPECT_TRUE(nada.arvores.empty());
    EXPECT_EQ(componente.Notas().Count(), 0);
}

TEST_F(ImportacaoNota, ATxtRecordThatDoesNotConvertRaisesTheReadersError)
{
    std::string texto = testsupport::noteTxt(1);
    // The date of issue of the header record is no date.
    const auto data = texto.find("2024-05-17T10:30:15-03:00");
    ASSERT_NE(data, std::string::npos);
    texto.replace(data, 25, "ontem");
    EXPECT_THROW(importa("nota.txt", texto), EQuibDFeException);
}

} // namespace
