#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "tests/nfe/services/lote_fixture.h"
#include "tests/support/fake_sefaz/services.h"

namespace {

using testsupport::fakesefaz::motivo;

class OperacoesNaFake : public LoteNaFake {
  protected:
    TInfEvento &correcao(const std::string &chave, int nSeq)
    {
        TInfEvento &e = nfe.LoteEventos.Eventos.NovoItem().InfEvento;
        e.chNFe = chave;
        e.CNPJ = "11222333000181";
        e.dhEvento = nowLocal();
        e.tpEvento = tevCCe;
        e.nSeqEvento = nSeq;
        e.detEvento.xCorrecao = "Correcao numero " + std::to_string(nSeq) + " do pedido";
        e.detEvento.SetxCondUso("");
        return e;
    }

    static std::string chave()
    {
        int digito = 0;
        const std::string base = "3526031122233300018155001000000002100000002";
        DigitoChaveAcesso(digito, base);
        return base + std::to_string(digito);
    }
};

TEST_F(OperacoesNaFake, TwentyEventsGoOutAndTwentyOneAreRefused)
{
    // The fake judges twenty signatures before it answers.
    nfe.Configuracoes().WebServices().SetTimeOut(60000);
    for (int i = 1; i <= 20; ++i)
        correcao(chave(), i);
    ASSERT_TRUE(nfe.TransmitirEventos(3));
    EXPECT_EQ(nfe.LoteEventos.Eventos[19].RetInfEvento.cStat, 135);
    conferirPedidos();

    correcao(chave(), 21);
    const std::size_t enviados = fake.exchanges().size();
    EXPECT_EQ(erroAo([&] { nfe.TransmitirEventos(4); }),
              "ERRO: Conjunto de Eventos transmitidos (máximo de 20) excedido. Quantidade atual: 21");
    EXPECT_EQ(fake.exchanges().size(), enviados);
}

TEST_F(OperacoesNaFake, ACancellationWithoutProtocolAsksTheSituationFirst)
{
    NotaFiscal &nota = novaNota(71);
    ASSERT_TRUE(nfe.TransmitirLote("71", false));
    const std::string nProt = nota.NFe().procNFe.nProt;
    nota.NFe().procNFe.nProt.clear();
    TInfEvento &cancelamento = nfe.LoteEventos.Eventos.NovoItem().InfEvento;
    cancelamento.dhEvento = nowLocal();
    cancelamento.tpEvento = tevCancelamento;
    cancelamento.detEvento.xJust = "Pedido cancelado pelo cliente";

    ASSERT_TRUE(nfe.TransmitirEventos(6));
    EXPECT_EQ(raizesRecebidas(),
              (std::vector<std::string>{"enviNFe", "consReciNFe", "consSitNFe", "envEvento"}));
    EXPECT_EQ(cancelamento.detEvento.nProt, nProt);
    EXPECT_EQ(cancelamento.nSeqEvento, 1);
    conferirPedidos();
}

TEST_F(OperacoesNaFake, AnEventWhoseKeyMatchesNoLoadedNoteIsRefused)
{
    novaNota(72);
    correcao(chave(), 1);
    EXPECT_EQ(erroAo([&] { nfe.TransmitirEventos(7); }),
              "Não existe NFe com a chave [" + chave() + "] carregada");
    EXPECT_TRUE(fake.exchanges().empty());
}

TEST_F(OperacoesNaFake, VoidingSendsTheCnpjAsDigitsAndRaisesWhenAlreadyVoided)
{
    TWebServices &ws = nfe.Servicos();
    ws.InutilizarFaixa("11.222.333/0001-81", "Numeracao pulada pelo sistema", 26, 55, 1, 10, 12);
    EXPECT_EQ(ws.ServicoInutilizacao.CNPJ, "11222333000181");
    EXPECT_EQ(ws.ServicoInutilizacao.cStat, 102);

    fake.scriptLine("inutNFe 563");
    EXPECT_EQ(erroAo([&] {
                  ws.InutilizarFaixa("11222333000181", "Numeracao pulada pelo sistema", 26, 55, 1, 13, 13);
              }),
              motivo(563));
    EXPECT_EQ(erroAo([&] {
                  ws.InutilizarFaixa("11.222.333/0001-00", "Numeracao pulada pelo sistema", 26, 55, 1, 1, 1);
              }),
              "CNPJ: 11222333000100, inválido.");
    conferirPedidos();
}

TEST_F(OperacoesNaFake, ADistributionRefusalRaises)
{
    fake.scriptLine("distDFeInt 656");
    EXPECT_EQ(erroAo([&] { nfe.ConsultarDistribuicao(35, "11222333000181", "0", "", ""); }), motivo(656));
}

TEST_F(OperacoesNaFake, WithoutADanfeNothingIsPrintedAndTheReceiptsAreRefused)
{
    NotaFiscal &nota = novaNota(73);
    ASSERT_TRUE(nfe.TransmitirLote("73", true));
    EXPECT_EQ(nota.CodigoStatus(), 100);
    EXPECT_EQ(erroAo([&] { nfe.ImprimirComprovanteEvento(); }), "Componente DANFE não associado.");
    EXPECT_EQ(erroAo([&] { nfe.ImprimirComprovanteInutilizacao(); }), "Componente DANFE não associado.");
}

} // namespace
