#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "nfe/services/nfe_env_evento.h"
#include "tests/nfe/services/servicos_fixture.h"
#include "tests/support/sample_notes.h"
#include "tests/support/test_data.h"

namespace {

namespace fs = std::filesystem;
using testsupport::fakesefaz::ScriptedAnswer;

using testsupport::accessKey;

const std::string kChavePR = accessKey("4126031122233300018155001000000001100000001");
const std::string kChaveSP = accessKey("3526031122233300018155001000000002100000002");
const std::string kChaveNFCeSP = accessKey("3526031122233300018165001000000003100000003");

class EventoNaFake : public ServicoNaFake {
  protected:
    EventoNaFake()
    {
        nfe.Configuracoes().Arquivos().PathEvento = (pasta / "eventos").string();
        envio.Limpar();
        envio.idLote = 42;
    }

    TInfEvento &novo(TpcnTipoEvento tipo, const std::string &chNFe, int nSeq = 1)
    {
        TInfEvento &evento = lote.Eventos.NovoItem().InfEvento;
        evento.tpAmb = taHomologacao;
        evento.CNPJ = "11222333000181";
        evento.chNFe = chNFe;
        evento.dhEvento = nowLocal();
        evento.tpEvento = tipo;
        evento.nSeqEvento = nSeq;
        return evento;
    }

    TInfEvento &cancelamento(const std::string &chNFe)
    {
        TInfEvento &e = novo(tevCancelamento, chNFe);
        e.detEvento.nProt = "141260000000001";
        e.detEvento.xJust = "Pedido cancelado pelo cliente";
        return e;
    }

    TInfEvento &correcao(const std::string &chNFe, int nSeq, const std::string &texto)
    {
        TInfEvento &e = novo(tevCCe, chNFe, nSeq);
        e.detEvento.xCorrecao = texto;
        e.detEvento.SetxCondUso("");
        return e;
    }

    TInfEvento &epec(const std::string &chNFe)
    {
        TInfEvento &e = novo(tevEPECNFe, chNFe);
        e.detEvento.cOrgaoAutor = 35;
        e.detEvento.verAplic = "CONSOLE-1.0";
        e.detEvento.dhEmi = nowLocal();
        e.detEvento.tpNF = tdf1;
        e.detEvento.IE = "110042490114";
        e.detEvento.dest.UF = "SP";
        e.detEvento.dest.CNPJCPF = "52998224725";
        e.detEvento.vNF = Decimal(10);
        e.detEvento.vICMS = Decimal(1);
        return e;
    }

    // Every saved procEventoNFe passes its schema and its signature.
    void conferirDocumentos()
    {
        for (int i = 0; i < lote.Eventos.count(); ++i) {
            const TRetInfEvento &r = lote.Eventos[i].RetInfEvento;
            ASSERT_TRUE(fs::exists(r.ArquivoProcEvento)) << i;
            EXPECT_EQ(fs::path(r.ArquivoProcEvento).filename().string(),
                      lote.Eventos[i].InfEvento.Id.substr(2) + "-procEventoNFe.xml");
            const std::string salvo = testsupport::readFile(r.ArquivoProcEvento);
            EXPECT_EQ(problemasDeSchema(salvo, "procEventoNFe_v1.00.xsd"), "");
            EXPECT_EQ(problemasDaAssinatura(salvo, "infEvento"), "");
            EXPECT_EQ(testsupport::wellFormedProblem(r.XML), "");
        }
        for (const auto &troca : fake.exchanges())
            for (const std::string &veredito : troca.verdicts)
                EXPECT_EQ(veredito.find("erro"), std::string::npos) << veredito;
    }

    TEventoNFe lote;
    TNFeEnvEvento envio{&nfe, lote};
};

TEST_F(EventoNaFake, CancellationGoesToTheNotesStateAndIsFiledSigned)
{
    cancelamento(kChavePR);
    ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    EXPECT_EQ(envio.cStat, 128);
    EXPECT_EQ(fake.exchanges().back().path, "/PR/RecepcaoEvento");
    EXPECT_EQ(lote.Eventos[0].RetInfEvento.cStat, 135);
    EXPECT_FALSE(lote.Eventos[0].RetInfEvento.nProt.empty());
    conferirDocumentos();
}

TEST_F(EventoNaFake, EveryRegisteredStatusBuildsTheDocumentARefusalNone)
{
    // clang-format off
    const struct { int cStat; bool registrado; } casos[] = {
        {135, true}, {136, true}, {155, true}, {573, false},
    };
    // clang-format on
    for (const auto &caso : casos) {
        lote.Eventos.clear();
        cancelamento(kChavePR);
        fake.script("envEvento", {ScriptedAnswer{.eventStatus = caso.cStat}});
        ASSERT_TRUE(envio.Processar()) << caso.cStat << ": " << envio.MensagemResultado;
        const TRetInfEvento &r = lote.Eventos[0].RetInfEvento;
        EXPECT_EQ(r.cStat, caso.cStat);
        EXPECT_FALSE(r.nProt.empty()) << caso.cStat;
        if (caso.registrado)
            conferirDocumentos();
        else
            EXPECT_EQ(r.XML + r.ArquivoProcEvento, "") << caso.cStat;
    }
}

TEST_F(EventoNaFake, EachKindGoesToItsAuthoriser)
{
    struct Caso {
        const char *nome;
        std::function<void()> prepara;
        std::string caminho;
    };
    const std::vector<Caso> casos = {
        {"manifestation", [&] { novo(tevManifDestCiencia, kChavePR); }, "/AN/RecepcaoEvento"},
        {"SVC-AN cancellation",
         [&] {
             nfe.Configuracoes().Geral().FormaEmissao = teSVCAN;
             cancelamento(kChavePR);
         },
         "/SVC-AN/RecepcaoEvento"},
        {"NF-e EPEC", [&] { epec(kChaveSP).SetcOrgao(91); }, "/AN/RecepcaoEvento"},
        {"NFC-e EPEC in SP",
         [&] {
             nfe.Configuracoes().Geral().SetModeloDF(moNFCe);
             epec(kChaveNFCeSP);
         },
         "/SP/EventoEPEC"},
    };
    for (const Caso &caso : casos) {
        lote.Eventos.clear();
        nfe.Configuracoes().Geral().FormaEmissao = teNormal;
        nfe.Configuracoes().Geral().SetModeloDF(moNFe);
        caso.prepara();
        envio.Limpar();
        EXPECT_TRUE(envio.Processar()) << caso.nome << ": " << envio.MensagemResultado;
        EXPECT_EQ(fake.exchanges().back().path, caso.caminho) << caso.nome;
        conferirDocumentos();
    }
}

TEST_F(EventoNaFake, EachEventTakesItsOwnAnswerInAnyOrder)
{
    correcao(kChaveSP, 1, "Primeira correcao do endereco");
    correcao(kChaveSP, 2, "Segunda correcao: Rua A & B <fundos>");
    fake.script("envEvento", {ScriptedAnswer{.reverseEvents = true}});
    ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    conferirDocumentos();
    for (int i = 0; i < 2; ++i) {
        const std::string &xml = lote.Eventos[i].RetInfEvento.XML;
        const std::string seq = "<nSeqEvento>" + std::to_string(i + 1) + "</nSeqEvento>";
        const std::size_t evento = xml.find(seq);
        ASSERT_NE(evento, std::string::npos) << xml;
        EXPECT_NE(xml.find(seq, evento + 1), std::string::npos) << "answer of another event in " << xml;
    }
    EXPECT_NE(lote.Eventos[1].RetInfEvento.XML.find("A &amp; B &lt;fundos&gt;"), std::string::npos);
}

TEST_F(EventoNaFake, AReloadedSignedEventGoesOutWithOneSignature)
{
    cancelamento(kChavePR);
    ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    TEventoNFe relido;
    ASSERT_TRUE(relido.LerArquivo(lote.Eventos[0].RetInfEvento.ArquivoProcEvento));
    TNFeEnvEvento reenvio(&nfe, relido);
    reenvio.Limpar();
    reenvio.idLote = 43;
    ASSERT_TRUE(reenvio.Processar()) << reenvio.MensagemResultado;
    std::size_t assinaturas = 0;
    for (std::size_t p = reenvio.DadosMsg.find("</Signature>"); p != std::string::npos;
         p = reenvio.DadosMsg.find("</Signature>", p + 1))
        ++assinaturas;
    EXPECT_EQ(assinaturas, 1U) << reenvio.DadosMsg;
    EXPECT_EQ(relido.Eventos[0].InfEvento.Id, lote.Eventos[0].InfEvento.Id);
}

TEST_F(EventoNaFake, SchemaFailuresStopTheBatchBeforeAnyTraffic)
{
    TInfEvento &e = cancelamento(kChavePR);
    e.detEvento.nProt = "12";
    EXPECT_TRUE(erroDe(envio).starts_with("Falha na validação dos dados do Evento: ")) << erroDe(envio);

    lote.Eventos.clear();
    novo(tevNaoMapeado, kChavePR);
    EXPECT_TRUE(erroDe(envio).starts_with("Falha na validação da Mensagem do Evento: ")) << erroDe(envio);
    EXPECT_TRUE(fake.exchanges().empty());
}

TEST_F(EventoNaFake, InterestedPartyKeepsItsAccents)
{
    TInfEvento &e = novo(tevAtorInteressadoNFe, kChaveSP);
    e.SetcOrgao(91);
    e.detEvento.cOrgaoAutor = 35;
    e.detEvento.verAplic = "CONSOLE-1.0";
    e.detEvento.autXML.NovoItem().CNPJCPF = "52998224725";
    e.detEvento.tpAutorizacao = ptPermite;
    e.detEvento.SetxCondUso("");
    ASSERT_TRUE(envio.Processar()) << envio.MensagemResultado;
    EXPECT_NE(envio.DadosMsg.find("destinatário"), std::string::npos) << envio.DadosMsg;
}

} // namespace
