#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundation/fiscal/pcn_auxiliar.h"
#include "tests/nfe/services/lote_fixture.h"
#include "tests/support/fake_sefaz/services.h"
#include "tests/support/xml_checks.h"

namespace {

namespace fs = std::filesystem;

// A note authorised by the fake, then corrected and cancelled through the
// component's event operation, each event completed from the loaded note.
class ConsultaNaFake : public LoteNaFake {
  protected:
    NotaFiscal &notaCancelada()
    {
        NotaFiscal &nota = novaNota(61);
        EXPECT_TRUE(nfe.TransmitirLote("61", false));
        TInfEvento &correcao = nfe.LoteEventos.Eventos.NovoItem().InfEvento;
        correcao.dhEvento = nowLocal();
        correcao.tpEvento = tevCCe;
        correcao.detEvento.xCorrecao = "Correcao do endereco de entrega";
        correcao.detEvento.SetxCondUso("");
        EXPECT_TRUE(nfe.TransmitirEventos(4));
        // Each kind goes in a batch of its own.
        nfe.LoteEventos.Eventos.clear();
        TInfEvento &cancelamento = nfe.LoteEventos.Eventos.NovoItem().InfEvento;
        cancelamento.dhEvento = nowLocal();
        cancelamento.tpEvento = tevCancelamento;
        cancelamento.detEvento.xJust = "Pedido cancelado pelo cliente";
        EXPECT_TRUE(nfe.TransmitirEventos(5));
        EXPECT_EQ(cancelamento.chNFe, nota.ChaveNota());
        EXPECT_EQ(cancelamento.CNPJ, "11222333000181");
        EXPECT_EQ(cancelamento.detEvento.nProt, nota.NFe().procNFe.nProt);
        return nota;
    }

    TNFeConsulta &consulta() { return nfe.Servicos().ServicoConsulta; }
};

TEST_F(ConsultaNaFake, ACancelledNoteKeepsItsAuthorisedDocumentAndTheCancellationCode)
{
    NotaFiscal &nota = notaCancelada();
    const std::string nProtAutorizacao = nota.NFe().procNFe.nProt;
    const std::string nProtCancelamento = nfe.LoteEventos.Eventos[0].RetInfEvento.nProt;

    consulta().SetChaveAcesso(nota.ChaveNota());
    consulta().GravarEventosRetornados = true;
    ASSERT_TRUE(consulta().Processar()) << consulta().MensagemResultado;

    EXPECT_EQ(consulta().cStat, 101);
    EXPECT_EQ(consulta().Protocolo, nProtCancelamento);
    EXPECT_EQ(nota.CodigoStatus(), 101);
    EXPECT_EQ(nota.NFe().procNFe.nProt, nProtAutorizacao);
    conferirNfeProc(nota);

    const fs::path pastaNota = fs::path(nota.ArquivoXML).parent_path();
    const std::string dfe = testsupport::readFile(pastaNota / (nota.ChaveNota() + "-NFeDFe.xml"));
    EXPECT_EQ(testsupport::wellFormedProblem(dfe), "");
    EXPECT_NE(dfe.find("<NFeDFe><procNFe versao="), std::string::npos);
    EXPECT_NE(dfe.find("<tpEvento>110110</tpEvento>"), std::string::npos);
    EXPECT_NE(dfe.find("<tpEvento>110111</tpEvento>"), std::string::npos);
    for (const char *tipoSeq : {"110110", "110111"}) {
        const std::string nome = std::string(tipoSeq) + nota.ChaveNota() + "01-procEventoNFe.xml";
        bool achado = false;
        for (const auto &arquivo : fs::recursive_directory_iterator(pasta.path()))
            if (arquivo.path().filename() == nome) {
                achado = true;
                EXPECT_EQ(problemasDeSchema(testsupport::readFile(arquivo.path()), "procEventoNFe_v1.00.xsd"),
                          "");
            }
        EXPECT_TRUE(achado) << nome;
    }
    conferirPedidos();
}

TEST_F(ConsultaNaFake, WithAtualizarXMLCanceladoTheNoteTakesTheCancellation)
{
    nfe.Configuracoes().Geral().AtualizarXMLCancelado = true;
    NotaFiscal &nota = notaCancelada();
    const std::string nProtCancelamento = nfe.LoteEventos.Eventos[0].RetInfEvento.nProt;
    ASSERT_TRUE(nfe.ConsultarSituacao("", false));
    EXPECT_EQ(nota.CodigoStatus(), 101);
    EXPECT_EQ(nota.NFe().procNFe.nProt, nProtCancelamento);
    EXPECT_NE(nota.TextoXML().find("<nProt>" + nProtCancelamento + "</nProt>"), std::string::npos);
}

TEST_F(ConsultaNaFake, AKeyOfAnotherStateGoesToThatStatesAuthoriser)
{
    int digito = 0;
    const std::string base = "4126031122233300018155001000000001100000001";
    ASSERT_TRUE(DigitoChaveAcesso(digito, base));
    ASSERT_TRUE(nfe.ConsultarSituacao(base + std::to_string(digito)));
    EXPECT_EQ(fake.exchanges().back().path, "/PR/NfeConsultaProtocolo");
    EXPECT_EQ(consulta().cStat, 217);
    EXPECT_EQ(consulta().MensagemResultado, testsupport::fakesefaz::motivo(217));
    conferirPedidos();
}

TEST_F(ConsultaNaFake, AnInvalidKeyIsRefusedAndTheLoadedNotesAreGone)
{
    novaNota(62);
    EXPECT_EQ(erroAo([&] { nfe.ConsultarSituacao("3524-123"); }), "Chave \"3524-123\" inválida.");
    EXPECT_EQ(nfe.Notas().Count(), 0);
    EXPECT_EQ(erroAo([&] { nfe.ConsultarSituacao(""); }),
              "ERRO: Nenhuma Nota Fiscal Eletrônica ou Chave Informada!");
    EXPECT_TRUE(fake.exchanges().empty());
}

} // namespace
