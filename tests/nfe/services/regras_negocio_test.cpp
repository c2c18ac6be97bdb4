#include <gtest/gtest.h>

#include <functional>

#include "foundation/dates/date_time.h"
#include "tests/nfe/services/notas_fixture.h"
#include "tests/support/sample_notes.h"

namespace {

using testsupport::ComponenteAssinador;
using namespace std::chrono_literals;

// The moment every test takes as now; the base note is issued a minute before.
const std::chrono::system_clock::time_point kAgora =
    std::chrono::sys_days{std::chrono::March / 10 / 2025} + 15h;

// A component whose clock stands at kAgora and a note of one item of the
// model that passes every rule.
struct NotaBase {
    ComponenteAssinador c;
    NotaFiscal &nota;
    explicit NotaBase(int modelo) : c(modelo), nota(c.notaDeExemplo(1))
    {
        setClock([] { return kAgora; });
        TNFe &nfe = nota.NFe();
        nfe.ide.cNF = 20250310;
        nfe.ide.dEmi = toLocalDateTime(kAgora) - 1.0 / 1440;
        if (modelo == 65)
            nfe.dest.indIEDest = CodigoParaIndIEDestinatario("9");
        nota.GerarTextoXML();
    }
    ~NotaBase() { resetClock(); }
    TNFe &nfe() { return nota.NFe(); }
    TDetCollectionItem &item() { return nota.NFe().det.ObterItem(0); }
    std::string cabecalho() const
    {
        return "Erro(s) nas Regras de negócios da nota: " + std::to_string(nota.NFe().ide.nNF) + "\r\n";
    }
};

struct Caso {
    int modelo;
    std::function<void(NotaBase &)> mudar;
    const char *mensagem; // the messages expected, each but the last followed by CR LF; empty: passes
};

} // namespace

TEST(RegrasNegocio, TheBaseNotesPassEveryRule)
{
    for (int modelo : {55, 65}) {
        NotaBase b(modelo);
        EXPECT_TRUE(b.nota.ValidarRegrasNegocio()) << b.nota.MsgErroRegras;
        EXPECT_EQ(b.nota.MsgErroRegras, "");
    }
}

TEST(RegrasNegocio, EachRuleFailsAloneWithItsMessage)
{
    // clang-format off
    const Caso casos[] = {
        {55, [](NotaBase &b) { b.nfe().infNFe.versao = 2.0; b.nfe().pag.clear(); }, "701-Rejeição: Versão inválida"},
        {55, [](NotaBase &b) { b.nfe().ide.serie += 1; }, "502-Rejeição: Erro na Chave de Acesso - Campo Id não corresponde à concatenação dos campos correspondentes"},
        {55, [](NotaBase &b) { b.c.nfe.Configuracoes().WebServices().SetUF("PR"); }, "226-Rejeição: Código da UF do Emitente diverge da UF autorizadora"},
        {55, [](NotaBase &b) { b.nfe().infNFe.Id.back() = b.nfe().infNFe.Id.back() == '0' ? '1' : '0'; }, "253-Rejeição: Digito Verificador da chave de acesso composta inválida"},
        {55, [](NotaBase &b) { b.c.nfe.Configuracoes().WebServices().Ambiente = taProducao; }, "252-Rejeição: Ambiente informado diverge do Ambiente de recebimento (Tipo do ambiente da NF-e difere do ambiente do Web Service)"},
        {55, [](NotaBase &b) { b.nfe().ide.xJust = "QUEDA DO SERVIDOR DA SEFAZ"; }, "556-Justificativa de entrada em contingência não deve ser informada para tipo de emissão normal"},
        {55, [](NotaBase &b) { b.nfe().emit.IE = "123"; }, "209-Rejeição: IE do emitente inválida "},
        {55, [](NotaBase &b) { b.nfe().dest.CNPJCPF = "11222333000180"; }, "208-Rejeição: CNPJ do destinatário inválido"},
        {55, [](NotaBase &b) { b.nfe().transp.transporta.IE = "110042490114"; b.nfe().transp.transporta.UF = ""; }, "559-Rejeição: UF do Transportador não informada\r\n544-Rejeição: IE do Transportador inválida"},
        {55, [](NotaBase &b) { b.nfe().ide.tpImp = CodigoParaTipoImpressao("4"); }, "710-Rejeição: NF-e com formato de DANFE inválido"},
        {55, [](NotaBase &b) { b.nfe().ide.indPres = CodigoParaIndPresenca("4"); }, "794-Rejeição: NF-e com indicativo de NFC-e com entrega a domicílio"},
        {55, [](NotaBase &b) { b.nfe().dest.xNome = "  "; }, "724-Rejeição: NF-e sem o nome do destinatário"},
        {55, [](NotaBase &b) { b.nfe().autXML.NovoItem().CNPJCPF = "12345678900"; }, "325-Rejeição: CPF autorizado para download inválido"},
        {55, [](NotaBase &b) { b.nfe().autXML.NovoItem().CNPJCPF = "11222333000180"; }, "323-Rejeição: CNPJ autorizado para download inválido"},
        {55, [](NotaBase &b) { b.item().prod.NCM = "1234567"; }, "777-Rejeição: Obrigatória a informação do NCM completo [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().imposto.ICMS.vICMS += Decimal::fromUnits(200); b.nfe().total.ICMSTot.vICMS += Decimal::fromUnits(200); }, "528-Rejeição: Valor do ICMS difere do produto BC e Alíquota [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEAN = ""; }, "889-Rejeição: Obrigatória a informação do GTIN para o produto [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.CNPJFab = "11222333000180"; }, "489-Rejeição: CNPJFab informado inválido (DV ou zeros) [nItem: 1]"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vBC += Decimal(1); }, "531-Rejeição: Total da BC ICMS difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vProd += Decimal::fromUnits(90); }, ""},  // 0.009 is within the tolerance
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vProd += Decimal::fromUnits(91); }, "564-Rejeição: Total do Produto / Serviço difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vTotTrib += Decimal(1); }, "685-Rejeição: Total do Valor Aproximado dos Tributos difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().pag.vTroco += Decimal(1); }, "869-Rejeição: Valor do troco incorreto"},
        {65, [](NotaBase &b) { b.nfe().ide.tpImp = CodigoParaTipoImpressao("1"); }, "709-Rejeição: NFC-e com formato de DANFE inválido"},
        {65, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("2"); }, "715-Rejeição: Rejeição: NFC-e com finalidade inválida"},
        {65, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("2"); }, "707-NFC-e para operação interestadual ou com o exterior"},
        {65, [](NotaBase &b) { b.nfe().transp.vagao = "V1"; }, "758-Rejeição: NFC-e com dados do Vagão de Transporte"},
        {65, [](NotaBase &b) { b.nfe().compra.xPed = "P1"; }, "762-Rejeição: NFC-e com dados de compras (Empenho, Pedido, Contrato)"},
        {65, [](NotaBase &b) { b.item().prod.nRECOPI = "1"; }, "348-Rejeição: NFC-e com grupo RECOPI [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.IPI.cEnq = "999"; }, "742-Rejeição: NFC-e com grupo do IPI [nItem: 1]"},
        {65, [](NotaBase &b) { b.nfe().pag.ObterItem(0).tPag = CodigoParaMeioPagamento("90"); }, "899-Rejeição: Informado incorretamente o campo meio de pagamento"},
    };
    // clang-format on
    for (std::size_t i = 0; i < std::size(casos); ++i) {
        const Caso &caso = casos[i];
        NotaBase b(caso.modelo);
        caso.mudar(b);
        if (*caso.mensagem == '\0') {
            EXPECT_TRUE(b.nota.ValidarRegrasNegocio()) << "row " << i << b.nota.MsgErroRegras;
            continue;
        }
        EXPECT_FALSE(b.nota.ValidarRegrasNegocio()) << "row " << i;
        EXPECT_EQ(b.nota.MsgErroRegras, b.cabecalho() + caso.mensagem + "\r\n") << "row " << i;
    }
}

TEST(RegrasNegocio, EveryFailureIsListedInTableOrder)
{
    NotaBase b(55);
    b.item().prod.NCM = "1234";                   // item table
    b.nfe().total.ICMSTot.vTotTrib += Decimal(1); // totals
    b.nfe().emit.IE = "";                         // every note: 229, and 209 as empty is not valid
    EXPECT_FALSE(b.nota.ValidarRegrasNegocio());
    EXPECT_EQ(b.nota.MsgErroRegras,
              b.cabecalho() +
                  "229-Rejeição: IE do emitente não informada\r\n"
                  "209-Rejeição: IE do emitente inválida \r\n"
                  "777-Rejeição: Obrigatória a informação do NCM completo [nItem: 1]\r\n"
                  "685-Rejeição: Total do Valor Aproximado dos Tributos difere do somatório dos itens\r\n");
}

TEST(RegrasNegocio, DatesAreMeasuredAgainstNowPlusFiveMinutes)
{
    const TDateTime minuto = 1.0 / 1440;
    const TDateTime agora = toLocalDateTime(kAgora);
    // clang-format off
    const struct { int modelo; TDateTime dEmi; const char *mensagem; } casos[] = {
        {55, agora + 4 * minuto, ""},
        {55, agora + 6 * minuto, "703-Rejeição: Data-Hora de Emissão posterior ao horário de recebimento"},
        {65, agora - 4 * minuto, ""},
        {65, agora - 6 * minuto, "704-Rejeição: NFC-e com Data-Hora de emissão atrasada"},
        {55, agora - 31, "228-Rejeição: Data de Emissão muito atrasada"},
    };
    // clang-format on
    for (const auto &caso : casos) {
        NotaBase b(caso.modelo);
        b.nfe().ide.dEmi = caso.dEmi;
        b.nota.GerarTextoXML();
        b.nota.ValidarRegrasNegocio();
        EXPECT_EQ(b.nota.MsgErroRegras, *caso.mensagem ? b.cabecalho() + caso.mensagem + "\r\n" : "")
            << caso.modelo << " " << caso.dEmi - agora;
    }
}

TEST(RegrasNegocio, LiquefiedGasPercentagesMustAddUpToExactly100)
{
    for (const int pGNi : {10, 9}) {
        NotaBase b(55);
        TComb &comb = b.item().prod.comb;
        comb.cProdANP = 210203001;
        comb.vPart = Decimal(1);
        comb.pGLP = Decimal(60);
        comb.pGNn = Decimal(30);
        comb.pGNi = Decimal(pGNi);
        b.item().prod.uTrib = "kg";
        b.nota.ValidarRegrasNegocio();
        EXPECT_EQ(b.nota.MsgErroRegras,
                  pGNi == 10 ? std::string()
                             : b.cabecalho() +
                                   "855-Rejeição: Somatório percentuais de GLP derivado do petróleo, GLGNn e "
                                   "GLGNi diferente de 100 [nItem: 1]\r\n");
    }
}

TEST(RegrasNegocio, TheNoteTotalToleratesTheReliefAndImports)
{
    NotaBase desonerada(55);
    desonerada.item().imposto.ICMS.vICMSDeson = Decimal(5);
    desonerada.nfe().total.ICMSTot.vICMSDeson = Decimal(5);
    EXPECT_TRUE(desonerada.nota.ValidarRegrasNegocio()) << desonerada.nota.MsgErroRegras;

    NotaBase errada(55);
    errada.nfe().total.ICMSTot.vNF += Decimal(5);
    errada.nfe().pag.ObterItem(0).vPag += Decimal(5);
    EXPECT_EQ(errada.nota.ValidarRegrasNegocio(), false);
    EXPECT_EQ(
        errada.nota.MsgErroRegras,
        errada.cabecalho() +
            "610-Rejeição: Total da NF difere do somatório dos Valores compõe o valor Total da NF.\r\n");

    NotaBase importacao(55);
    importacao.item().prod.SetCFOP("3102");
    importacao.nfe().total.ICMSTot.vNF += Decimal(5);
    importacao.nfe().pag.ObterItem(0).vPag += Decimal(5);
    EXPECT_TRUE(importacao.nota.ValidarRegrasNegocio()) << importacao.nota.MsgErroRegras;
}

TEST(RegrasNegocio, AReturnGivesOneMessagePerPaymentThatIsNotWithoutPayment)
{
    NotaBase b(55);
    b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("4");
    b.nfe().ide.NFref.NovoItem().refNFe = testsupport::kSampleKey;
    b.nfe().pag.AdicionarItem().tPag = CodigoParaMeioPagamento("01");
    b.nfe().pag.ObterItem(0).tPag = CodigoParaMeioPagamento("01");
    b.nota.GerarTextoXML();
    b.nota.ValidarRegrasNegocio();
    const std::string m871 =
        "871-Rejeição: O campo Meio de Pagamento deve ser preenchido com a opção Sem Pagamento\r\n";
    EXPECT_EQ(b.nota.MsgErroRegras, b.cabecalho() + m871 + m871);
}

TEST(RegrasNegocio, AnNFCeCfopMustBeAWholeEntryOfTheList)
{
    for (const char *cfop : {"510", "101", "5", "", "51025"}) {
        NotaBase b(65);
        b.item().prod.SetCFOP(cfop);
        b.nota.ValidarRegrasNegocio();
        EXPECT_EQ(b.nota.MsgErroRegras,
                  b.cabecalho() + "725-Rejeição: NFC-e com CFOP inválido [nItem: 1]\r\n")
            << cfop;
    }
    NotaBase aceita(65);
    aceita.item().prod.SetCFOP("5.405");
    EXPECT_TRUE(aceita.nota.ValidarRegrasNegocio()) << aceita.nota.MsgErroRegras;
}

TEST(RegrasNegocio, TheCollectionListsARepeatedMessageOnce)
{
    NotaBase b(55);
    for (int i = 0; i < 2; ++i) {
        NotaFiscal &outra = b.c.notaDeExemplo(1);
        outra.NFe().ide.cNF = 20250310;
        outra.NFe().ide.dEmi = b.nfe().ide.dEmi;
        outra.GerarTextoXML();
    }
    b.c.nfe.Configuracoes().WebServices().Ambiente = taProducao;
    std::string erros;
    EXPECT_FALSE(b.c.nfe.Notas().ValidarRegrasTodas(erros));
    EXPECT_EQ(erros, b.nota.MsgErroRegras + "\r\n");
}
