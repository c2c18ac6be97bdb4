#include "console/config_geral/disposicao_tela.h"

#include "console/config_geral/chaves_configuracao.h"
#include "console/config_geral/frm_config_geral40.h"

#include <gmock/gmock.h>

#include <set>
#include <string>

namespace {

TEST(DisposicaoTela, CaptionsEveryControlOfTheKeyTableOnItsSectionsTab)
{
    std::set<std::string_view> controles;
    for (const auto &chave : chavesConfiguracao()) {
        controles.insert(chave.controle);
        EXPECT_FALSE(abaDaSessao(chave.sessao).empty()) << chave.sessao;
        const LegendaControle *legenda = legendaDoControle(chave.controle);
        ASSERT_NE(legenda, nullptr) << chave.controle;
        EXPECT_FALSE(legenda->legenda.empty()) << chave.controle;
        if (legenda->grupoRadio) {
            EXPECT_EQ(tipoControle(chave.conversao), TipoControle::Lista) << chave.controle;
        }
    }
    EXPECT_EQ(legendasControles().size(), controles.size());
}

TEST(DisposicaoTela, ButtonsAreFoundByNameOrCaptionAndSitBesideRealEdits)
{
    std::set<std::string_view> nomes;
    for (const auto &botao : botoesTela()) {
        EXPECT_TRUE(nomes.insert(botao.nome).second) << botao.nome;
        EXPECT_EQ(botaoTela(botao.nome), &botao);
        if (!botao.aoLadoDe.empty()) {
            EXPECT_NE(legendaDoControle(botao.aoLadoDe), nullptr) << botao.nome;
        }
        if (botao.pasta) {
            EXPECT_FALSE(botao.aoLadoDe.empty()) << botao.nome;
        }
    }
    EXPECT_EQ(botaoTela("Aplicar Protocolos")->nome, "Button6");
    EXPECT_EQ(botaoTela("Salvar Configurações")->acao, &TfrmConfigGeral40::btnSalvarConfigClick);
    // Two buttons share "Criar e Enviar": the caption finds the NF-e one.
    EXPECT_EQ(botaoTela("Criar e Enviar")->aba, "NF-e");
    EXPECT_EQ(botaoTela("btnCriarEnviarNFCe")->aba, "NFC-e");
    EXPECT_EQ(botaoTela("nada"), nullptr);
}

} // namespace
