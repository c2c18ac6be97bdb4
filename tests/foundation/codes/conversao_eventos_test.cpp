#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/base/quib_exception.h"
#include "foundation/codes/conversao_eventos.h"
#include "foundation/codes/conversao_nfe.h"

namespace {

TEST(EventCodes, CodesAndStoredNames)
{
    EXPECT_EQ(TipoEventoParaCodigo(tevNaoMapeado), "-99999");
    EXPECT_EQ(TipoEventoParaCodigo(tevCTeAutorizado), "000000");
    EXPECT_EQ(TipoEventoParaCodigo(tevSemNome57), "110115");
    EXPECT_EQ(TipoEventoParaCodigo(tevNaoEmbarque), "110115");
    EXPECT_EQ(TipoEventoParaCodigo(tevSemNome70), "110118");
    EXPECT_EQ(TipoEventoParaCodigo(static_cast<TpcnTipoEvento>(71)), "");

    EXPECT_EQ(TipoEventoParaNome(tevComprEntregaNFe), "teComprEntregaNFe");
    EXPECT_EQ(TipoEventoParaNome(tevCancComprEntregaCTe), "CancComprEntregaCTe");
    EXPECT_EQ(TipoEventoParaNome(tevNaoMapeado), "NaoMapeado");
    int semNome = 0;
    for (const auto &row : kEnumNames<TpcnTipoEvento>) {
        const bool vazio = TipoEventoParaNome(row.value).empty();
        EXPECT_EQ(vazio, row.name.starts_with("tevSemNome")) << row.name;
        semNome += vazio ? 1 : 0;
    }
    EXPECT_EQ(semNome, 9);
}

TpcnTipoEvento conversorDeTeste(std::string_view, bool &ok)
{
    ok = true;
    return tevGTV;
}

TpcnTipoEvento outroConversor(std::string_view, bool &ok)
{
    ok = true;
    return tevEPEC;
}

// In a fresh process (the death-test child re-runs this program with only
// this test) nothing was registered, and several threads reach the registry
// first at once: every one reads NF-e codes.
TEST(EventRegistry, NFeCodesAreReadWithoutAnyStartUpCall)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto primeiroUsoEmVariasThreads = [] {
        std::atomic<int> lidos{0};
        std::vector<std::thread> threads;
        for (int i = 0; i < 8; ++i) {
            threads.emplace_back([&] {
                bool ok = false;
                if (CodigoParaTipoEventoDoc("110111", "nfe", ok) == tevCancelamento && ok)
                    ++lidos;
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        std::exit(lidos == 8 ? 0 : 1);
    };
    EXPECT_EXIT(primeiroUsoEmVariasThreads(), ::testing::ExitedWithCode(0), "");
}

TEST(EventRegistry, NFeCodesInAnyLetterCase)
{
    RegistraConversorTipoEventoNFe(); // kept for callers that make it: changes nothing
    for (const char *nome : {"NFe", "nfe", "NFE"}) {
        bool ok = false;
        EXPECT_EQ(CodigoParaTipoEventoDoc("110111", nome, ok), tevCancelamento) << nome;
        EXPECT_TRUE(ok) << nome;
    }
    bool ok = true;
    EXPECT_EQ(CodigoParaTipoEventoDoc("110113", "NFe", ok), tevNaoMapeado);
    EXPECT_FALSE(ok);
}

TEST(EventRegistry, FirstRegistrationForANameWins)
{
    RegistraConversorTipoEvento(conversorDeTeste, "DocTeste");
    RegistraConversorTipoEvento(outroConversor, "docteste");
    RegistraConversorTipoEvento(outroConversor, "OutroDoc");
    bool ok = false;
    EXPECT_EQ(CodigoParaTipoEventoDoc("x", "DOCTESTE", ok), tevGTV);
    EXPECT_EQ(CodigoParaTipoEventoDoc("x", "outrodoc", ok), tevEPEC);
}

TEST(EventRegistry, UnregisteredDocumentGivesNotMappedWithOkFalse)
{
    bool ok = true;
    EXPECT_EQ(CodigoParaTipoEventoDoc("110111", "CTe", ok), tevNaoMapeado);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaTipoEventoDoc("110111", "", ok), tevNaoMapeado);
    EXPECT_FALSE(ok);
}

TEST(PaymentCodes, Descriptions)
{
    EXPECT_EQ(MeioPagamentoDescricao(mpOutro, "Permuta de mercadorias"), "Permuta de mercadorias");
    EXPECT_EQ(MeioPagamentoDescricao(mpOutro, ""), "Outro");
    EXPECT_EQ(MeioPagamentoDescricao(mpDinheiro, "qualquer"), "Dinheiro");
    EXPECT_EQ(MeioPagamentoDescricao(mpPagamentoInstantaneo, ""), "Pagamento Instantâneo (PIX)");
    EXPECT_EQ(BandeiraOperadoraDescricao(bdDinersClub), "Diners Club");
    EXPECT_EQ(BandeiraOperadoraDescricao(bdVazio), "");
    EXPECT_EQ(OrigemProcessoDescricao(fpJusticaFederal), "JUSTIÇA FEDERAL");
    EXPECT_EQ(OrigemProcessoDescricao(fpSecexRFB), "SECEX / RFB");

    bool ok = true;
    EXPECT_EQ(CodigoParaBandeiraOperadora("28", ok), bdVisa);
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(CodigoParaIndFormaPagamento("3", ok), ifp0);
    EXPECT_FALSE(ok);
}

TEST(DistributedSchemas, NamesWithOrWithoutPrefixAndVersion)
{
    EXPECT_EQ(TextoParaSchemaDFe("resNFe_v1.01.xsd"), schresNFe);
    EXPECT_EQ(TextoParaSchemaDFe("procEventoNFe_v1.00.xsd"), schprocEventoNFe);
    EXPECT_EQ(TextoParaSchemaDFe("schprocNFe"), schprocNFe);
    EXPECT_EQ(TextoParaSchemaDFe("RESNFE"), schresNFe);
    EXPECT_EQ(TextoParaSchemaDFe("schPROCGTVE_v1"), schprocGTVe);
}

TEST(DistributedSchemas, UnknownSchemaRaisesNamingTheComposedName)
{
    struct Caso {
        std::string_view texto;
        std::string mensagem;
    };
    const Caso casos[] = {
        {"SCHresNFe", "\"schSCHresNFe\" não é um valor TSchemaDFe válido."},
        {"_resNFe", "\"sch\" não é um valor TSchemaDFe válido."},
        {"procX_v1", "\"schprocX\" não é um valor TSchemaDFe válido."},
        {"schprocX", "\"schprocX\" não é um valor TSchemaDFe válido."},
    };
    for (const auto &caso : casos) {
        try {
            TextoParaSchemaDFe(caso.texto);
            ADD_FAILURE() << caso.texto << " was accepted";
        } catch (const EQuibException &erro) {
            EXPECT_EQ(erro.what(), caso.mensagem);
        }
    }
}

} // namespace
