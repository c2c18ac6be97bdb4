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
        // the note's header and parties
        {55, [](NotaBase &b) { b.nfe().ide.cNF = 12345678; b.nota.GerarTextoXML(); }, "897-Rejeição: Código numérico em formato inválido "},
        {55, [](NotaBase &b) { b.nfe().ide.cMunFG = 3550309; }, "270-Rejeição: Código Município do Fato Gerador: dígito inválido"},
        {55, [](NotaBase &b) { b.nfe().ide.cMunFG = 3304557; }, "271-Rejeição: Código Município do Fato Gerador: difere da UF do emitente"},
        {55, [](NotaBase &b) { b.nfe().emit.enderEmit.cMun = 3550309; }, "272-Rejeição: Código Município do Emitente: dígito inválido"},
        {55, [](NotaBase &b) { b.nfe().emit.enderEmit.cMun = 3304557; b.c.nfe.Configuracoes().WebServices().SetUF("RJ"); }, "273-Rejeição: Código Município do Emitente: difere da UF do emitente"},
        {55, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("6"); b.nota.GerarTextoXML(); }, "570-Rejeição: Tipo de Emissão 3, 6 ou 7 só é válido nas contingências SCAN/SVC"},
        {55, [](NotaBase &b) { b.c.nfe.Configuracoes().Geral().FormaEmissao = teSCAN; }, "571-Rejeição: Tipo de Emissão informado diferente de 3 para contingência SCAN"},
        {55, [](NotaBase &b) { b.c.nfe.Configuracoes().Geral().FormaEmissao = teSVCAN; }, "713-Rejeição: Tipo de Emissão diferente de 6 ou 7 para contingência da SVC acessada"},
        {55, [](NotaBase &b) { b.c.nfe.Configuracoes().Geral().FormaEmissao = teSCAN; b.nfe().ide.tpEmis = CodigoParaTipoEmissao("3"); b.nfe().ide.procEmi = CodigoParaProcEmissao("1"); b.nota.GerarTextoXML(); }, "370-Rejeição: Nota Fiscal Avulsa com tipo de emissão inválido"},
        {55, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("2"); b.nota.GerarTextoXML(); }, "557-A Justificativa de entrada em contingência deve ser informada"},
        {55, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("2"); b.nfe().ide.xJust = "QUEDA DO SERVIDOR DA SEFAZ"; b.nfe().ide.dhCont = b.nfe().ide.dEmi + 1; b.nota.GerarTextoXML(); }, "558-Rejeição: Data de entrada em contingência posterior a data de recebimento"},
        {55, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("2"); b.nfe().ide.xJust = "QUEDA DO SERVIDOR DA SEFAZ"; b.nfe().ide.dhCont = b.nfe().ide.dEmi - 31; b.nota.GerarTextoXML(); }, "569-Rejeição: Data de entrada em contingência muito atrasada"},
        {55, [](NotaBase &b) { b.nfe().emit.CNPJCPF = "11222333000180"; b.nota.GerarTextoXML(); }, "253-Rejeição: Digito Verificador da chave de acesso composta inválida\r\n207-Rejeição: CNPJ do emitente inválido"},  // the key carries the CNPJ
        {55, [](NotaBase &b) { b.nfe().retirada.UF = "EX"; }, "513-Rejeição: Código Município do Local de Retirada deve ser 9999999 para UF retirada = \"EX\""},
        {55, [](NotaBase &b) { b.nfe().retirada.UF = "SP"; b.nfe().retirada.xMun = "SAO PAULO"; b.nfe().retirada.cMun = 3550309; }, "276-Rejeição: Código Município do Local de Retirada: dígito inválido"},
        {55, [](NotaBase &b) { b.nfe().retirada.UF = "RJ"; b.nfe().retirada.cMun = 3550308; }, "277-Rejeição: Código Município do Local de Retirada: difere da UF do Local de Retirada"},
        {55, [](NotaBase &b) { b.nfe().entrega.UF = "EX"; }, "515-Rejeição: Código Município do Local de Entrega deve ser 9999999 para UF entrega = \"EX\""},
        {55, [](NotaBase &b) { b.nfe().entrega.UF = "SP"; b.nfe().entrega.xMun = "SAO PAULO"; b.nfe().entrega.cMun = 3550309; }, "278-Rejeição: Código Município do Local de Entrega: dígito inválido"},
        {55, [](NotaBase &b) { b.nfe().entrega.UF = "RJ"; b.nfe().entrega.cMun = 3550308; }, "279-Rejeição: Código Município do Local de Entrega: difere da UF do Local de Entrega"},
        {55, [](NotaBase &b) { b.nfe().transp.transporta.CNPJCPF = "11222333000180"; }, "542-Rejeição: CNPJ do Transportador inválido"},
        {55, [](NotaBase &b) { b.nfe().transp.transporta.CNPJCPF = "12345678900"; }, "543-Rejeição: CPF do Transportador inválido"},
        // NF-e only
        {55, [](NotaBase &b) { b.nfe().ide.dSaiEnt = b.nfe().ide.dEmi + 31; }, "504-Rejeição: Data de Entrada/Saída posterior ao permitido"},
        {55, [](NotaBase &b) { b.nfe().ide.dSaiEnt = b.nfe().ide.dEmi - 31; }, "505-Rejeição: Data de Entrada/Saída anterior ao permitido\r\n506-Rejeição: Data de Saída menor que a Data de Emissão"},
        {55, [](NotaBase &b) { b.nfe().ide.dSaiEnt = b.nfe().ide.dEmi - 1.0 / 1440; }, "506-Rejeição: Data de Saída menor que a Data de Emissão"},
        {55, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("9"); b.nfe().ide.xJust = "QUEDA DO SERVIDOR DA SEFAZ"; b.nota.GerarTextoXML(); }, "711-Rejeição: NF-e com contingência off-line"},
        {55, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("2"); }, "254-Rejeição: NF-e complementar não possui NF referenciada"},
        {55, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("2"); b.nfe().ide.NFref.NovoItem().refNFe = testsupport::kSampleKey; b.nfe().ide.NFref.NovoItem().refNFe = testsupport::kSampleKey; }, "255-Rejeição: NF-e complementar possui mais de uma NF referenciada"},
        {55, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("2"); TRefNF &ref = b.nfe().ide.NFref.NovoItem().refNF; ref = {35, "2503", "11444777000161", 1, 1, 10}; }, "269-Rejeição: CNPJ Emitente da NF Complementar difere do CNPJ da NF Referenciada"},
        {55, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("2"); TRefNF &ref = b.nfe().ide.NFref.NovoItem().refNF; ref = {33, "2503", b.nfe().emit.CNPJCPF, 1, 1, 10}; }, "678-Rejeição: NF referenciada com UF diferente da NF-e complementar"},
        {55, [](NotaBase &b) { b.nfe().ide.finNFe = CodigoParaFinalidadeEmissao("4"); b.nfe().pag.ObterItem(0).tPag = CodigoParaMeioPagamento("90"); }, "321-Rejeição: NF-e devolução não possui NF referenciada"},
        {55, [](NotaBase &b) { b.nfe().dest.CNPJCPF = "12345678900"; }, "237-Rejeição: CPF do destinatário inválido"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("2"); b.nfe().dest.CNPJCPF = ""; }, "721-Rejeição: Operação interestadual deve informar CNPJ ou CPF"},
        {55, [](NotaBase &b) { b.nfe().dest.idEstrangeiro = "ABC123"; }, "723-Rejeição: Operação interna com idEstrangeiro informado deve ser para consumidor final"},
        {55, [](NotaBase &b) { b.nfe().dest.enderDest.xLgr = ""; }, "726-Rejeição: NF-e sem a informação de endereço do destinatário"},
        {55, [](NotaBase &b) { b.nfe().dest.enderDest.UF = "EX"; }, "509-Rejeição: Informado código de município diferente de \"9999999\" para operação com o exterior"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("3"); }, "727-Rejeição: Operação com Exterior e UF diferente de EX"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("2"); b.nfe().dest.enderDest.UF = "EX"; b.nfe().dest.enderDest.cMun = 9999999; }, "771-Rejeição: Operação Interestadual e UF de destino com EX"},
        {55, [](NotaBase &b) { b.nfe().dest.enderDest.UF = "RJ"; b.nfe().ide.indPres = CodigoParaIndPresenca("2"); }, "773-Rejeição: Operação Interna e UF de destino difere da UF do emitente - não presencial"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("3"); b.nfe().dest.enderDest.UF = "EX"; b.nfe().dest.enderDest.cMun = 9999999; b.nfe().dest.indIEDest = CodigoParaIndIEDestinatario("1"); }, "790-Rejeição: Operação com Exterior para destinatário Contribuinte de ICMS"},
        {55, [](NotaBase &b) { b.nfe().infNFe.versao = 3.1; }, "768-Rejeição: NF-e não deve possuir o grupo de Formas de Pagamento"},
        {55, [](NotaBase &b) { b.nfe().pag.clear(); }, "769-Rejeição: NF-e deve possuir o grupo de Formas de Pagamento"},
        {55, [](NotaBase &b) { b.nfe().ide.indPres = CodigoParaIndPresenca("5"); }, "864-Rejeição: NF-e com indicativo de Operação presencial, fora do estabelecimento e não informada NF referenciada"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("2"); b.nfe().transp.veicTransp.placa = "ABC1234"; }, "868-Rejeição: Grupos Veiculo Transporte e Reboque não devem ser informados"},
        {55, [](NotaBase &b) { b.nfe().ide.idDest = CodigoParaLocalDestino("2"); b.nfe().entrega.UF = "SP"; }, "772-Rejeição: Operação Interestadual e UF de destino igual à UF do emitente"},
        // the invoice and its instalments
        {55, [](NotaBase &b) { TFat &f = b.nfe().cobr.fat; f.vOrig = Decimal(10); f.vDesc = Decimal(20); f.vLiq = f.vOrig - f.vDesc; }, "895-Rejeição: Valor do Desconto da Fatura maior que Valor Original da Fatura"},
        {55, [](NotaBase &b) { TFat &f = b.nfe().cobr.fat; f.vOrig = Decimal(10); f.vLiq = Decimal(5); }, "896-Rejeição: Valor Liquido da Fatura difere do Valor Original menos o Valor do Desconto"},
        {55, [](NotaBase &b) { auto &d = b.nfe().cobr.dup.NovoItem(); d.dVenc = b.nfe().ide.dEmi + 1; d.vDup = Decimal(10); }, "857-Rejeição: Número da parcela inválido ou não informado"},
        {55, [](NotaBase &b) { auto &d = b.nfe().cobr.dup.NovoItem(); d.nDup = "001"; d.dVenc = b.nfe().ide.dEmi - 1; }, "894-Rejeição: Data de vencimento da parcela não informada ou menor que Data de Emissão\r\n867-Rejeição: Data de vencimento da parcela não informada ou menor que a Data de vencimento da parcela anterior"},
        {55, [](NotaBase &b) { for (int dias : {10, 5}) { auto &d = b.nfe().cobr.dup.NovoItem(); d.nDup = "00" + std::to_string(dias); d.dVenc = dateOf(b.nfe().ide.dEmi) + dias; } }, "867-Rejeição: Data de vencimento da parcela não informada ou menor que a Data de vencimento da parcela anterior"},
        {55, [](NotaBase &b) { TFat &f = b.nfe().cobr.fat; f.vOrig = f.vLiq = Decimal(20); auto &d = b.nfe().cobr.dup.NovoItem(); d.nDup = "001"; d.dVenc = b.nfe().ide.dEmi + 1; d.vDup = Decimal(10); }, "872-Rejeição: Soma do valor das parcelas difere do Valor Líquido da Fatura"},
        // NFC-e only
        {65, [](NotaBase &b) { b.nfe().ide.dSaiEnt = b.nfe().ide.dEmi; }, "705-Rejeição: NFC-e com data de entrada/saída"},
        {65, [](NotaBase &b) { b.nfe().ide.tpNF = CodigoParaTipoDocFiscal("0"); }, "706-Rejeição: NFC-e para operação de entrada"},
        {65, [](NotaBase &b) { b.nfe().ide.tpEmis = CodigoParaTipoEmissao("9"); b.nfe().ide.xJust = "QUEDA DO SERVIDOR DA SEFAZ"; b.nota.GerarTextoXML(); }, "712-Rejeição: NF-e com contingência off-line"},
        {65, [](NotaBase &b) { b.c.nfe.Configuracoes().Geral().FormaEmissao = teSCAN; b.nfe().ide.tpEmis = CodigoParaTipoEmissao("3"); b.nota.GerarTextoXML(); }, "782-Rejeição: NFC-e não é autorizada pelo SCAN"},
        {65, [](NotaBase &b) { b.c.nfe.Configuracoes().Geral().FormaEmissao = teSVCAN; b.nfe().ide.tpEmis = CodigoParaTipoEmissao("6"); b.nota.GerarTextoXML(); }, "783-Rejeição: NFC-e não é autorizada pela SVC"},
        {65, [](NotaBase &b) { b.nfe().ide.indFinal = CodigoParaIndConsumidorFinal("0"); }, "716-Rejeição: NFC-e em operação não destinada a consumidor final"},
        {65, [](NotaBase &b) { b.nfe().ide.indPres = CodigoParaIndPresenca("2"); }, "717-Rejeição: NFC-e em operação não presencial"},
        {65, [](NotaBase &b) { b.nfe().ide.NFref.NovoItem().refNFe = testsupport::kSampleKey; }, "708-Rejeição: NFC-e não pode referenciar documento fiscal"},
        {65, [](NotaBase &b) { b.nfe().emit.IEST = "110042490114"; }, "718-Rejeição: NFC-e não deve informar IE de Substituto Tributário"},
        {65, [](NotaBase &b) { b.nfe().ide.indPres = CodigoParaIndPresenca("4"); b.nfe().transp.transporta.CNPJCPF = "11444777000161"; b.nfe().transp.transporta.xNome = "TRANSPORTES"; }, "787-Rejeição: NFC-e de entrega a domicílio sem a identificação do destinatário"},
        {65, [](NotaBase &b) { b.nfe().ide.indPres = CodigoParaIndPresenca("4"); b.nfe().dest.enderDest.xLgr = "RUA DAS PALMEIRAS"; }, "786-Rejeição: NFC-e de entrega a domicílio sem dados do Transportador"},
        {65, [](NotaBase &b) { b.nfe().dest.indIEDest = CodigoParaIndIEDestinatario("1"); }, "789-Rejeição: NFC-e para destinatário contribuinte de ICMS"},
        {65, [](NotaBase &b) { b.nfe().dest.IE = "110042490114"; }, "729-Rejeição: NFC-e com informação da IE do destinatário"},
        {65, [](NotaBase &b) { b.nfe().dest.ISUF = "123"; }, "730-Rejeição: NFC-e com Inscrição Suframa"},
        {65, [](NotaBase &b) { b.nfe().transp.modFrete = CodigoParaContratacaoFrete("0"); }, "753-Rejeição: NFC-e com Frete"},
        {65, [](NotaBase &b) { b.nfe().transp.transporta.xNome = "TRANSPORTES"; }, "754-Rejeição: NFC-e com dados do Transportador"},
        {65, [](NotaBase &b) { b.nfe().transp.retTransp.vServ = Decimal(1); }, "755-Rejeição: NFC-e com dados de Retenção do ICMS no Transporte"},
        {65, [](NotaBase &b) { b.nfe().transp.veicTransp.placa = "ABC1234"; }, "756-Rejeição: NFC-e com dados do veículo de Transporte"},
        {65, [](NotaBase &b) { b.nfe().transp.reboque.NovoItem().placa = "ABC1234"; }, "757-Rejeição: NFC-e com dados de Reboque do veículo de Transporte"},
        {65, [](NotaBase &b) { b.nfe().transp.balsa = "B1"; }, "759-Rejeição: NFC-e com dados da Balsa de Transporte"},
        {65, [](NotaBase &b) { b.nfe().cobr.fat.nFat = "1"; }, "760-Rejeição: NFC-e com dados de cobrança (Fatura, Duplicata)"},
        {65, [](NotaBase &b) { b.nfe().pag.clear(); }, "769-Rejeição: NFC-e deve possuir o grupo de Formas de Pagamento\r\n865-Rejeição: Total dos pagamentos menor que o total da nota"},
        {65, [](NotaBase &b) { b.nfe().cana.safra = "2024/2025"; }, "763-Rejeição: NFC-e com dados de aquisição de Cana"},
        {65, [](NotaBase &b) { b.nfe().infNFe.versao = 3.1; b.nfe().pag.ObterItem(0).vPag += Decimal(1); }, "767-Rejeição: NFC-e com somatório dos pagamentos diferente do total da Nota Fiscal"},
        {65, [](NotaBase &b) { b.nfe().pag.ObterItem(0).vPag -= Decimal(1); }, "865-Rejeição: Total dos pagamentos menor que o total da nota"},
        {55, [](NotaBase &b) { b.nfe().pag.ObterItem(0).vPag += Decimal(1); }, "866-Rejeição: Ausência de troco quando o valor dos pagamentos informados for maior que o total da nota"},
        // the items of an NFC-e
        {65, [](NotaBase &b) { b.item().prod.indTot = CodigoParaIndSomaTotal("0"); b.nfe().total.ICMSTot = TICMSTot(); b.nfe().pag.ObterItem(0).vPag = Decimal(); }, "774-Rejeição: NFC-e com indicador de item não participante do total [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().prod.veicProd.chassi = "9BWZZZ377VT004251"; }, "736-Rejeição: NFC-e com grupo de Veículos novos [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().prod.med.NovoItem(); }, "737-Rejeição: NFC-e com grupo de Medicamentos [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().prod.arma.NovoItem(); }, "738-Rejeição: NFC-e com grupo de Armamentos [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.ICMS.CST = sti50; }, "766-Rejeição: NFC-e com CST 50-Suspensão [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.ICMS.CST = sti51; }, "740-Rejeição: NFC-e com CST 51-Diferimento [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.ICMS.CST = sti10Part; }, "741-Rejeição: NFC-e com Partilha de ICMS entre UF [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.II.vBC = Decimal(1); }, "743-Rejeição: NFC-e com grupo do II [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.PISST.vBC = Decimal(1); }, "746-Rejeição: NFC-e com grupo do PIS-ST [nItem: 1]"},
        {65, [](NotaBase &b) { b.item().imposto.COFINSST.vBC = Decimal(1); }, "749-Rejeição: NFC-e com grupo da COFINS-ST [nItem: 1]"},
        // the items of any note
        {55, [](NotaBase &b) { TComb &comb = b.item().prod.comb; comb.cProdANP = 210203001; comb.pGLP = Decimal(100); b.item().prod.uTrib = "KG"; }, "856-Rejeição: Campo valor de partida não preenchido para produto GLP [nItem: 1]"},
        {55, [](NotaBase &b) { TComb &comb = b.item().prod.comb; comb.cProdANP = 210203001; comb.pGLP = Decimal(100); comb.vPart = Decimal(1); }, "854-Rejeição: Unidade Tributável (tag:uTrib) incompatível com produto informado [nItem: 1]"},
        {55, [](NotaBase &b) { TComb &comb = b.item().prod.comb; comb.cProdANP = 320102001; comb.pGLP = Decimal(1); }, "461-Rejeição: Informado campos de percentual de GLP e/ou GLGNn e/ou GLGNi para produto diferente de GLP [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().imposto.ICMS.motDesICMS = CodigoParaMotivoDesoneracao("7"); }, "625-Rejeição: Inscrição SUFRAMA deve ser informada na venda com isenção para ZFM [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().imposto.ISSQN.vBC = Decimal(1); }, "530-Rejeição: Operação com tributação de ISSQN sem informar a Inscrição Municipal [nItem: 1]"},
        {55, [](NotaBase &b) { b.nfe().emit.IM = "12345"; b.item().imposto.ISSQN.cMunFG = 3550309; }, "287-Rejeição: Código Município do FG - ISSQN: dígito inválido [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEAN = "7891000000015"; b.item().prod.cEANTrib = "7891000000014"; }, "611-Rejeição: GTIN (cEAN) inválido [nItem: 1]\r\n882-Rejeição: GTIN (cEAN) com prefixo inválido [nItem: 1]"},  // a wrong digit fails the prefix check too
        {55, [](NotaBase &b) { b.item().prod.cEAN = "3810000000019"; b.item().prod.cEANTrib = "7891000000014"; }, "882-Rejeição: GTIN (cEAN) com prefixo inválido [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEAN = "7891000000014"; }, "885-Rejeição: GTIN informado, mas não informado o GTIN da unidade tributável [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEAN = "7891000000014"; b.item().prod.cEANTrib = "7891000000015"; }, "612-Rejeição: GTIN da unidade tributável (cEANTrib) inválido [nItem: 1]\r\n884-Rejeição: GTIN da unidade tributável (cEANTrib) com prefixo inválido [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEAN = "7891000000014"; b.item().prod.cEANTrib = "3810000000019"; }, "884-Rejeição: GTIN da unidade tributável (cEANTrib) com prefixo inválido [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.cEANTrib = "7891000000014"; }, "886-Rejeição: GTIN da unidade tributável informado, mas não informado o GTIN [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.indEscala = CodigoParaEscalaProducao("N"); }, "879-Rejeição: Informado item Produzido em Escala NÃO Relevante e não informado CNPJ do Fabricante [nItem: 1]"},
        {55, [](NotaBase &b) { auto &r = b.item().prod.rastro.NovoItem(); r.dFab = b.nfe().ide.dEmi + 1; r.dVal = r.dFab + 10; }, "877-Rejeição: Data de fabricação maior que a data de processamento [nItem: 1]"},
        {55, [](NotaBase &b) { auto &r = b.item().prod.rastro.NovoItem(); r.dFab = b.nfe().ide.dEmi - 10; r.dVal = r.dFab - 10; }, "870-Rejeição: Data de validade incompatível com data de fabricação [nItem: 1]"},
        {55, [](NotaBase &b) { b.item().prod.med.NovoItem().cProdANVISA = "1234567890123"; }, "873-Rejeição: Operação com medicamentos e não informado os campos de rastreabilidade [nItem: 1]"},
        // the totals
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vICMS += Decimal(1); }, "532-Rejeição: Total do ICMS difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vICMSDeson += Decimal(1); }, "795-Rejeição: Total do ICMS desonerado difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vBCST += Decimal(1); }, "533-Rejeição: Total da BC ICMS-ST difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vST += Decimal(1); }, "534-Rejeição: Total do ICMS-ST difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vFrete += Decimal(1); }, "535-Rejeição: Total do Frete difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vSeg += Decimal(1); }, "536-Rejeição: Total do Seguro difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vDesc += Decimal(1); }, "537-Rejeição: Total do Desconto difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vII += Decimal(1); }, "601-Rejeição: Total do II difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vIPI += Decimal(1); }, "538-Rejeição: Total do IPI difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vPIS += Decimal(1); }, "602-Rejeição: Total do PIS difere do somatório dos itens sujeitos ao ICMS"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vCOFINS += Decimal(1); }, "603-Rejeição: Total da COFINS difere do somatório dos itens sujeitos ao ICMS"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vOutro += Decimal(1); }, "604-Rejeição: Total do vOutro difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ISSQNtot.vPIS += Decimal(1); }, "608-Rejeição: Total do PIS difere do somatório dos itens sujeitos ao ISSQN"},
        {55, [](NotaBase &b) { b.nfe().total.ISSQNtot.vCOFINS += Decimal(1); }, "609-Rejeição: Total da COFINS difere do somatório dos itens sujeitos ao ISSQN"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vFCP += Decimal(1); }, "861-Rejeição: Total do FCP difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vFCPST += Decimal(1); }, "862-Rejeição: Total do FCP ST difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vFCPSTRet += Decimal(1); }, "859-Rejeição: Total do FCP retido anteriormente por Substituição Tributária difere do somatório dos itens"},
        {55, [](NotaBase &b) { b.nfe().total.ICMSTot.vIPIDevol += Decimal(1); }, "863-Rejeição: Total do IPI devolvido difere do somatório dos itens"},
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
