#include "foundation/fiscal/dfe_municipios.h"

#include <gtest/gtest.h>

#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/support/ibge_fake_service.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

using testsupport::IbgeFakeService;
using testsupport::ScopedEnv;
using testsupport::TempDir;

namespace {

class DfeMunicipiosTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        LiberaDiretorioMunicipios();
        TQuibIBGE &directory = DiretorioMunicipios(pasta());
        directory.serviceAddress = service.baseUrl();
        directory.TimeOut = 5000;
    }
    void TearDown() override { LiberaDiretorioMunicipios(); }
    std::string pasta() const { return folder.path().string(); }

    TempDir folder;
    IbgeFakeService service;
};

TEST_F(DfeMunicipiosTest, NameByCodeLoadsOnlyTheStateOfTheCode)
{
    std::string uf = "XX";
    EXPECT_EQ(NomeMunicipioPorCodigo(3550308, uf, pasta()), "São Paulo");
    EXPECT_EQ(uf, "SP");
    EXPECT_EQ(service.stateRequests(35), 1);
    EXPECT_EQ(service.totalRequests(), 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "QuibIBGE.txt"));

    EXPECT_EQ(NomeMunicipioPorCodigo(3599999, uf, pasta()), "");
    EXPECT_EQ(uf, "");
}

// A folder where the cache cannot be written does not fail the lookup, also
// when errors are asked for (the note writer asks for them).
TEST_F(DfeMunicipiosTest, AnUnwritableCacheFolderDoesNotFailTheLookup)
{
    folder.write("arquivo-comum", "x");
    const std::string semGravacao = (folder / "arquivo-comum").string();
    std::string uf;
    EXPECT_EQ(NomeMunicipioPorCodigo(3550308, uf, semGravacao, true), "São Paulo");
    EXPECT_EQ(uf, "SP");
    EXPECT_EQ(CodigoMunicipioPorNome("Santos", "SP", semGravacao), 3548500);
    EXPECT_FALSE(DiretorioMunicipios(semGravacao).FalhaGravacaoCache().empty());
}

TEST_F(DfeMunicipiosTest, ABlankFolderMeansTheUsersCacheFolder)
{
    const ScopedEnv xdg("XDG_CACHE_HOME", folder.path().string());
    EXPECT_EQ(DiretorioMunicipios("").CacheArquivo(), (folder / "nfe-console" / "QuibIBGE.txt").string());
}

TEST_F(DfeMunicipiosTest, ACodeWithoutAStatePrefixDoesNotTouchTheDirectory)
{
    std::string uf = "SP";
    EXPECT_EQ(NomeMunicipioPorCodigo(9912345, uf, pasta(), true), "");
    EXPECT_EQ(NomeMunicipioPorCodigo(0, uf, pasta(), true), "");
    EXPECT_EQ(uf, "");
    EXPECT_EQ(service.totalRequests(), 0);
}

TEST_F(DfeMunicipiosTest, ASearchErrorIsRaisedOnlyWhenAsked)
{
    service.failures[IbgeFakeService::statePath(33)] = 500;
    std::string uf;
    EXPECT_EQ(NomeMunicipioPorCodigo(3304557, uf, pasta(), false), "");
    try {
        NomeMunicipioPorCodigo(3304557, uf, pasta(), true);
        ADD_FAILURE() << "no EQuibDFeException";
    } catch (const EQuibDFeException &error) {
        EXPECT_TRUE(std::string(error.what()).starts_with("Erro HTTP: 500 Falha\r\n")) << error.what();
    }
    EXPECT_EQ(uf, "");
}

TEST_F(DfeMunicipiosTest, CodeByNameTakesTheFirstPrefixMatch)
{
    EXPECT_EQ(CodigoMunicipioPorNome("Sant", "SP", pasta()), 3545803);
    EXPECT_EQ(CodigoMunicipioPorNome("Santos", "SP", pasta()), 3548500);
    EXPECT_EQ(CodigoMunicipioPorNome("Santa Luzia", "PB", pasta()), 2513406);
    EXPECT_EQ(CodigoMunicipioPorNome("Nenhuma", "SP", pasta()), 0);
    EXPECT_THROW(CodigoMunicipioPorNome(" ", "SP", pasta()), EQuibIBGEException);
    EXPECT_THROW(CodigoMunicipioPorNome("Santos", "XX", pasta()), EQuibIBGEException);
}

TEST_F(DfeMunicipiosTest, EveryCallMayMoveTheCacheFileKeepingItsName)
{
    TQuibIBGE &directory = DiretorioMunicipios(pasta());
    directory.SetCacheArquivo(pasta() + "/cidades.txt");
    TempDir other;
    EXPECT_EQ(&DiretorioMunicipios(other.path().string()), &directory);
    EXPECT_EQ(directory.CacheArquivo(), other.path().string() + "/cidades.txt");
    DiretorioMunicipios("  ");
    EXPECT_EQ(directory.CacheArquivo(), PastaDeCacheDoUsuario() + "cidades.txt");
    directory.SetCacheArquivo("");
    DiretorioMunicipios(pasta());
    EXPECT_EQ(directory.CacheArquivo(), pasta() + "/QuibIBGE.txt");
}

} // namespace
