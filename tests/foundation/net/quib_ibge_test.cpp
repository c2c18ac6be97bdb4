#include "foundation/net/quib_ibge.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/files/file_utils.h"
#include "tests/support/ibge_fake_service.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using testsupport::IbgeFakeService;
using testsupport::readFile;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

class QuibIBGETest : public ::testing::Test {
  protected:
    // A directory on the fake service with its cache file in the test folder.
    std::unique_ptr<TQuibIBGE> newDirectory(bool ignoreCase = false)
    {
        auto directory = std::make_unique<TQuibIBGE>();
        directory->serviceAddress = service.baseUrl();
        directory->SetCacheArquivo(cacheFile().string());
        directory->SetIgnorarCaixaEAcentos(ignoreCase);
        directory->TimeOut = 5000;
        return directory;
    }
    std::filesystem::path cacheFile() const { return folder / "QuibIBGE.txt"; }

    static std::vector<int> codesFound(TQuibIBGE &directory)
    {
        std::vector<int> codes;
        for (const TQuibIBGECidade *city : directory.ResultadoBusca())
            codes.push_back(city->CodigoMunicipio);
        return codes;
    }

    template <typename Call> static std::string errorOf(Call call)
    {
        try {
            call();
        } catch (const EQuibIBGEException &error) {
            return error.what();
        }
        return "no EQuibIBGEException";
    }

    TempDir folder;
    IbgeFakeService service;
};

TEST_F(QuibIBGETest, ACodeLoadsOnlyItsStateAndIsWrittenToTheCache)
{
    auto directory = newDirectory();
    ASSERT_EQ(directory->ProcurarPorCodigo(3550308), 1);
    const TQuibIBGECidade &found = directory->ResultadoBusca().ObterItem(0);
    EXPECT_EQ(found.NomeMunicipio, "São Paulo");
    EXPECT_EQ(found.SiglaUF, "SP");
    EXPECT_EQ(found.CodigoUF, 35);

    EXPECT_EQ(service.statesRequests(), 1);
    EXPECT_EQ(service.stateRequests(35), 1);
    EXPECT_EQ(service.totalRequests(), 2) << "no other state and not the whole country";
    const auto requests = service.server().requests();
    EXPECT_EQ(requests[0].header("Accept-Encoding"), "deflate, gzip");
    EXPECT_EQ(directory->UFsCarregadas().count(), 27) << "the compressed states list was read";

    EXPECT_EQ(directory->ProcurarPorCodigo(3548500), 1);
    EXPECT_EQ(directory->ProcurarPorCodigo(3599999), 0);
    EXPECT_EQ(service.totalRequests(), 2) << "the state is held";

    EXPECT_EQ(readFile(cacheFile()), "35|SP|São Paulo|SE|Sudeste|0|0\r\n"
                                     "3509502|Campinas|35|SP|0|0\r\n"
                                     "3545803|Santa Bárbara d'Oeste|35|SP|0|0\r\n"
                                     "3547809|Santo André|35|SP|0|0\r\n"
                                     "3548500|Santos|35|SP|0|0\r\n"
                                     "3548708|São Bernardo do Campo|35|SP|0|0\r\n"
                                     "3550308|São Paulo|35|SP|0|0\r\n");
}

TEST_F(QuibIBGETest, ErrorsOfTheDirectory)
{
    auto directory = newDirectory();
    EXPECT_EQ(errorOf([&] { directory->ProcurarPorCodigo(0); }), "Código do Município deve ser informado");
    EXPECT_EQ(errorOf([&] { directory->ProcurarPorCodigo(9912345); }), "Código da UF: 99 inválido");
    EXPECT_EQ(errorOf([&] { directory->ProcurarPorNome("  "); }), "Nome do Município deve ser informado");
    EXPECT_EQ(errorOf([&] { directory->ProcurarPorNome("Santos", " XX"); }), "UF  XX não encontrada");
    EXPECT_EQ(directory->CodigoDaUF("sp"), 35);
    EXPECT_EQ(directory->CodigoDaUF("EX"), -1);
}

struct NameCase {
    const char *name;
    const char *state;
    bool exact;
    bool ignoreCase;
    std::vector<int> expected;
};

TEST_F(QuibIBGETest, NameSearches)
{
    const NameCase cases[] = {
        {"Santos", "SP", true, false, {3548500}},
        {"Sant", "SP", false, false, {3545803, 3547809, 3548500}},
        {"Santa Luzia", "MG", true, false, {3157807}},
        {"Santa Luzia", "pb", true, false, {2513406}},
        {"Santa Luzia", "", false, false, {2513406, 3157807}},
        {"Santa Luzia", "", true, false, {2513406}},
        {"São Paulo", "", true, false, {3550308}},
        {"SÃO PAULO", "", true, false, {}},
        {"SÃO PAULO", "", true, true, {3550308}},
        {"sao b", "SP", false, true, {3548708}},
        {"Zzz", "", false, false, {}},
        {" Santos", "SP", false, false, {}},
        {"Boa Esperança", "MT", false, false, {5101837}},
    };
    for (const bool ignoreCase : {false, true}) {
        auto directory = newDirectory(false);
        directory->SetIgnorarCaixaEAcentos(ignoreCase);
        for (const NameCase &c : cases) {
            if (c.ignoreCase != ignoreCase)
                continue;
            SCOPED_TRACE(std::string(c.name) + " / " + c.state);
            EXPECT_EQ(directory->ProcurarPorNome(c.name, c.state, c.exact),
                      static_cast<int>(c.expected.size()));
            EXPECT_EQ(codesFound(*directory), c.expected);
        }
    }
}

TEST_F(QuibIBGETest, ChangingTheFoldingRuleRebuildsTheKeysFromTheCache)
{
    auto directory = newDirectory(false);
    EXPECT_EQ(directory->ProcurarPorNome("SÃO PAULO", "SP", true), 0);
    directory->SetIgnorarCaixaEAcentos(true);
    EXPECT_FALSE(directory->CacheLido());
    EXPECT_EQ(directory->ProcurarPorNome("SÃO PAULO", "SP", true), 1);
    EXPECT_EQ(service.stateRequests(35), 1);
}

TEST_F(QuibIBGETest, AMunicipalityWithoutMicroregionTakesItsStateFromItsCode)
{
    auto directory = newDirectory();
    ASSERT_EQ(directory->ProcurarPorCodigo(5101837), 1);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).CodigoUF, 51);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).SiglaUF, "MT");
}

TEST_F(QuibIBGETest, ASecondRunWithTheServiceStoppedAnswersFromTheCache)
{
    newDirectory()->ProcurarPorCodigo(3550308);
    newDirectory()->ProcurarPorNome("Santa Luzia", "PB", true);
    service.stop();

    auto directory = newDirectory(true);
    EXPECT_EQ(directory->ProcurarPorCodigo(3548500), 1);
    EXPECT_EQ(directory->ProcurarPorNome("Santo Andre", "SP", true), 1);
    EXPECT_EQ(directory->ProcurarPorNome("santa luzia", "PB", true), 1);
    EXPECT_TRUE(directory->CacheLido());
    EXPECT_THROW(directory->ProcurarPorNome("Rio", "RJ"), EQuibHTTPError)
        << "a state not in the cache is fetched";
}

TEST_F(QuibIBGETest, AnExpiredCacheIsDeletedAndDownloadedAgain)
{
    newDirectory()->ProcurarPorCodigo(3550308);
    std::filesystem::last_write_time(cacheFile(), std::filesystem::file_time_type::clock::now() -
                                                      std::chrono::hours(24 * 6));
    service.server().clearRequests();

    auto withinLimit = newDirectory();
    withinLimit->CacheDiasValidade = 6;
    EXPECT_EQ(withinLimit->ProcurarPorCodigo(3550308), 1);
    EXPECT_EQ(service.totalRequests(), 0);

    auto expired = newDirectory();
    expired->CacheDiasValidade = 5;
    EXPECT_EQ(expired->ProcurarPorCodigo(3550308), 1);
    EXPECT_EQ(service.statesRequests(), 1);
    EXPECT_EQ(service.stateRequests(35), 1);
    EXPECT_LT(std::filesystem::file_time_type::clock::now() - std::filesystem::last_write_time(cacheFile()),
              std::chrono::hours(1))
        << "the cache was written again";
}

TEST_F(QuibIBGETest, ADamagedCacheLineIsSkipped)
{
    folder.write("QuibIBGE.txt", "35|SP|São Paulo|SE|Sudeste|0|0\r\n"
                                 "3548500|Santos|35\r\n"
                                 "lixo\r\n"
                                 "35x0308|São Paulo|35|SP|0|0\r\n"
                                 "3547809|Santo André|35|SP|1,5|10|\r\n");
    service.stop();
    auto directory = newDirectory();
    EXPECT_EQ(directory->ProcurarPorCodigo(3547809), 1);
    EXPECT_DOUBLE_EQ(directory->ResultadoBusca().ObterItem(0).Area, 1.5);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).Populacao, 10);
    EXPECT_EQ(directory->ProcurarPorCodigo(3548500), 0);
    EXPECT_EQ(directory->CidadesCarregadas().count(), 1);
}

TEST_F(QuibIBGETest, ACacheFileMixingUtf8AndWindows1252KeepsBothNames)
{
    folder.write("QuibIBGE.txt", "35|SP|S\xC3\xA3o Paulo|SE|Sudeste|0|0\r\n"
                                 "3547809|Santo Andr\xE9|35|SP|0|0\r\n"
                                 "3550308|S\xC3\xA3o Paulo|35|SP|0|0\r\n");
    service.stop();
    auto directory = newDirectory();
    ASSERT_EQ(directory->ProcurarPorCodigo(3547809), 1);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).NomeMunicipio, "Santo André");
    ASSERT_EQ(directory->ProcurarPorCodigo(3550308), 1);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).NomeMunicipio, "São Paulo");
}

TEST_F(QuibIBGETest, TheDefaultCacheFileLivesInTheUsersCacheFolder)
{
    const ScopedEnv xdg("XDG_CACHE_HOME", folder.path().string());
    TQuibIBGE directory;
    directory.serviceAddress = service.baseUrl();
    directory.TimeOut = 5000;
    const std::filesystem::path expected = folder / "nfe-console" / "QuibIBGE.txt";
    EXPECT_EQ(directory.CacheArquivo(), expected.string());
    EXPECT_EQ(directory.ProcurarPorCodigo(3550308), 1);
    EXPECT_TRUE(std::filesystem::exists(expected)) << "the folder is created";
    EXPECT_EQ(directory.FalhaGravacaoCache(), "");
}

// A cache that cannot be written (here its folder is a plain file) is
// reported; the lookup answers from what was downloaded.
TEST_F(QuibIBGETest, ACacheThatCannotBeWrittenIsReportedNotRaised)
{
    folder.write("arquivo-comum", "x");
    auto directory = newDirectory();
    directory->SetCacheArquivo((folder / "arquivo-comum" / "QuibIBGE.txt").string());
    std::vector<std::string> reported;
    directory->OnFalhaGravacaoCache = [&](TQuibIBGE &, const std::string &message) {
        reported.push_back(message);
    };

    ASSERT_EQ(directory->ProcurarPorCodigo(3550308), 1);
    EXPECT_EQ(directory->ResultadoBusca().ObterItem(0).NomeMunicipio, "São Paulo");
    EXPECT_TRUE(directory->FalhaGravacaoCache().starts_with("Cache de municípios não gravado: "))
        << directory->FalhaGravacaoCache();
    EXPECT_EQ(reported, std::vector<std::string>{directory->FalhaGravacaoCache()});
    EXPECT_EQ(directory->ProcurarPorNome("Santos", "SP", true), 1) << "what was downloaded is held";
    EXPECT_THROW(directory->SalvarCache(), FileWriteError) << "a direct save still raises";
}

TEST_F(QuibIBGETest, AStateWhoseCacheLineIsDamagedIsDownloadedWithoutDoublingItsMunicipalities)
{
    folder.write("QuibIBGE.txt", "35|SP|São Paulo|SE\r\n"
                                 "3548500|Santos|35|SP|0|0\r\n");
    auto directory = newDirectory();
    EXPECT_EQ(directory->ProcurarPorNome("Santos", "SP"), 1);
    EXPECT_EQ(service.stateRequests(35), 1);
    EXPECT_EQ(directory->CidadesCarregadas().count(), 6);
}

TEST_F(QuibIBGETest, CacheEventsMayReplaceTheFile)
{
    std::vector<std::string> saved;
    auto writer = newDirectory();
    writer->OnGravarCache = [&](std::vector<std::string> &lines, bool &handled) {
        saved = lines;
        handled = true;
    };
    writer->ProcurarPorCodigo(3304557);
    EXPECT_FALSE(std::filesystem::exists(cacheFile()));
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0], "33|RJ|Rio de Janeiro|SE|Sudeste|0|0");

    folder.write("QuibIBGE.txt", "not read\r\n");
    service.stop();
    auto reader = newDirectory();
    reader->OnLerCache = [&](std::vector<std::string> &lines, bool &handled) {
        lines = saved;
        handled = true;
    };
    EXPECT_EQ(reader->ProcurarPorCodigo(3304557), 1);
}

TEST_F(QuibIBGETest, FailedDownloadsKeepWhatWasHeld)
{
    auto directory = newDirectory();
    directory->ProcurarPorCodigo(3550308);
    service.failures[IbgeFakeService::statePath(33)] = 500;
    EXPECT_THROW(directory->ProcurarPorCodigo(3304557), EQuibHTTPError);
    EXPECT_EQ(directory->CidadesCarregadas().count(), 6);
    EXPECT_FALSE(
        directory->UFsCarregadas().ObterItem(directory->UFsCarregadas().IndicePorCodigo(33)).CidadesBaixadas);

    service.failures[IbgeFakeService::kAllPath] = 503;
    EXPECT_THROW(directory->ProcurarPorNome("Santos"), EQuibHTTPError);
    EXPECT_EQ(directory->ProcurarPorNome("Santos", "SP"), 1) << "the held municipalities survive";

    service.failures.clear();
    EXPECT_EQ(directory->ProcurarPorCodigo(3304557), 1);
}

TEST_F(QuibIBGETest, SearchesAreAnnounced)
{
    int announced = 0;
    auto directory = newDirectory();
    directory->OnBuscaEfetuada = [&](TQuibIBGE &) { ++announced; };
    directory->ProcurarPorCodigo(3550308);
    directory->ProcurarPorNome("Zzz", "SP");
    EXPECT_EQ(announced, 2);
}

TEST(QuibIBGECidades, IndexSearchesOnSortedKeys)
{
    TQuibIBGE directory;
    TQuibIBGECidades &list = directory.CidadesCarregadas();
    EXPECT_EQ(list.IndicePorNome("a", false), -1);
    for (const char *key : {"santos", "campinas", "santa luzia", "santa luzia"}) {
        auto city = std::make_unique<TQuibIBGECidade>();
        city->ChaveBusca = key;
        list.Adicionar(std::move(city));
    }
    EXPECT_EQ(list.IndicePorNome("santa luzia", true), 1);
    EXPECT_EQ(list.IndicePorNome("santa", true), -1);
    EXPECT_EQ(list.IndicePorNome("santa", false), 1);
    EXPECT_EQ(list.IndicePorNome("b", false), 0);
    EXPECT_EQ(list.IndicePorNome("z", false), -1);
    EXPECT_EQ(list.IndicePorNome("", false), -1);
}

} // namespace
