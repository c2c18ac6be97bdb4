#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "nfe/services/nfe_distribuicao_dfe.h"
#include "nfe/services/nfe_env_evento.h"
#include "tests/nfe/services/servicos_fixture.h"
#include "tests/support/sample_notes.h"

namespace {

namespace fs = std::filesystem;

using testsupport::accessKey;

const std::string kChave = accessKey("3526031122233300018155001000000002100000002");

class DistribuicaoNaFake : public ServicoNaFake {
  protected:
    DistribuicaoNaFake()
    {
        nfe.Configuracoes().Arquivos().DownloadDFe.PathDownload = (pasta / "baixados").string();
        dist.Limpar();
        dist.cUFAutor = 35;
        dist.CNPJCPF = "11222333000181";
        dist.ultNSU = "0";
    }

    // A registered cancellation leaves its summary and its processed event
    // with the fake's distribution.
    void registrarCancelamento()
    {
        TEventoNFe lote;
        TInfEvento &e = lote.Eventos.NovoItem().InfEvento;
        e.tpAmb = taHomologacao;
        e.CNPJ = "11222333000181";
        e.chNFe = kChave;
        e.dhEvento = nowLocal();
        e.tpEvento = tevCancelamento;
        e.nSeqEvento = 1;
        e.detEvento.nProt = "135260000000001";
        e.detEvento.xJust = "Pedido cancelado pelo cliente";
        TNFeEnvEvento envio(&nfe, lote);
        envio.Limpar();
        envio.idLote = 1;
        ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    }

    std::vector<std::string> salvosEm(const fs::path &raiz)
    {
        std::vector<std::string> nomes;
        if (fs::exists(raiz))
            for (const auto &e : fs::recursive_directory_iterator(raiz))
                if (e.is_regular_file())
                    nomes.push_back(e.path().filename().string());
        std::sort(nomes.begin(), nomes.end());
        return nomes;
    }

    TDistribuicaoDFe dist{&nfe};
};

TEST_F(DistribuicaoNaFake, ListsEveryDocumentAndSavesEventsOnlyWhenAsked)
{
    registrarCancelamento();
    const std::string resumo = "110111" + kChave + "01-resEventoNFe.xml";
    for (const bool salvarEvento : {false, true}) {
        nfe.Configuracoes().Arquivos().SalvarEvento = salvarEvento;
        dist.Limpar();
        dist.ultNSU = "0";
        ASSERT_TRUE(dist.Processar()) << dist.MensagemResultado;
        EXPECT_EQ(dist.RetDistDFeInt().cStat, 138);
        ASSERT_EQ(dist.ListaArqs().size(), 2U);
        EXPECT_EQ(dist.ListaArqs()[0], resumo);
        EXPECT_TRUE(dist.ListaArqs()[1].ends_with("-procEventoNFe.xml"));
        EXPECT_EQ(salvosEm(pasta / "baixados").size(), salvarEvento ? 2U : 0U);
    }
    EXPECT_EQ(fake.exchanges().back().path, "/AN/NFeDistribuicaoDFe");
    const auto vereditos = fake.exchanges().back().verdicts;
    EXPECT_NE(std::find(vereditos.begin(), vereditos.end(), "schema: ok"), vereditos.end());
}

TEST_F(DistribuicaoNaFake, NothingNewSavesNothing)
{
    ASSERT_TRUE(dist.Processar());
    EXPECT_EQ(dist.RetDistDFeInt().cStat, 137);
    EXPECT_TRUE(dist.ListaArqs().empty());
    EXPECT_TRUE(salvosEm(pasta / "baixados").empty());
}

TEST_F(DistribuicaoNaFake, AHighNSUGoesOutWholeInFifteenDigits)
{
    dist.ultNSU = "2147483648";
    dist.Processar();
    EXPECT_NE(dist.DadosMsg.find("<ultNSU>000002147483648</ultNSU>"), std::string::npos) << dist.DadosMsg;
}

TEST_F(DistribuicaoNaFake, AnNFCeKeyFindsNoDistributionService)
{
    // The national environment distributes NF-e only: like the product's
    // services INI, this one has no NFC-e section for it.
    std::istringstream completo(fake.servicesIni());
    std::string semNFCeAN;
    bool pular = false;
    for (std::string linha; std::getline(completo, linha);) {
        if (linha.starts_with("["))
            pular = linha.starts_with("[NFCe_AN_");
        if (!pular)
            semNFCeAN += linha + "\n";
    }
    nfe.Configuracoes().Arquivos().SetIniServicos(pasta.write("sem_nfce_an.ini", semNFCeAN).string());
    dist.ultNSU.clear();
    dist.chNFe = accessKey("3526031122233300018165001000000003100000003");
    EXPECT_TRUE(erroDe(dist).starts_with("Sessão \"NFCe_AN_H\", não encontrada no arquivo ")) << erroDe(dist);
    EXPECT_TRUE(fake.exchanges().empty());
}

} // namespace
