#include <gtest/gtest.h>

#include <clocale>
#include <memory>

#include "foundation/files/file_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "nfe/services/quib_nfe.h"

// A layout that overrides nothing: its refusals carry its own class name.
class TLayoutSemImpressao : public TQuibDFeDANFeReport {};

namespace {

std::string mensagemDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const EQuibNFeException &e) {
        return e.what();
    }
    return "(nada)";
}

} // namespace

TEST(QuibDFeReport, SettersKeepTheirRules)
{
    TQuibDFeReport r;
    r.SetNumCopias(3);
    r.SetNumCopias(-1);
    EXPECT_EQ(r.NumCopias(), 3);
    r.SetNumCopias(0);
    EXPECT_EQ(r.NumCopias(), 0);
    r.CasasDecimais().SetqCom(7);
    r.CasasDecimais().SetvUnCom(-3);
    EXPECT_EQ(r.CasasDecimais().qCom(), 4);
    EXPECT_EQ(r.CasasDecimais().vUnCom(), 0);
}

TEST(QuibDFeReport, PathPDFAndNomeDocumentoSplitFolderAndName)
{
    TQuibDFeReport r;
    EXPECT_EQ(r.PathPDF(), PastaDoPrograma() + "pdf/");

    r.SetPathPDF(" /tmp/relatorios ");
    EXPECT_EQ(r.PathPDF(), "/tmp/relatorios/");
    r.SetPathPDF("/tmp/saida/nota.pdf");
    EXPECT_EQ(r.PathPDF(), "/tmp/saida/");
    EXPECT_EQ(r.NomeDocumento(), "nota.pdf");

    r.SetNomeDocumento("danfe");
    EXPECT_EQ(r.NomeDocumento(), "danfe.pdf");
    r.SetNomeDocumento("C:\\PDF\\cupom");
    EXPECT_EQ(r.NomeDocumento(), "cupom.pdf");
    EXPECT_EQ(r.PathPDF(), "C:\\PDF\\");

    r.SetPathPDF("");
    r.SetNomeDocumento("  ");
    EXPECT_EQ(r.PathPDF(), "C:\\PDF\\");
    EXPECT_EQ(r.NomeDocumento(), "cupom.pdf");
}

TEST(QuibDFeReport, NumbersUseBrazilianFormattingWhateverTheLocale)
{
    const std::string anterior = std::setlocale(LC_ALL, nullptr);
    std::setlocale(LC_ALL, "pt_BR.UTF-8");
    TQuibDFeReport r;
    EXPECT_EQ(r.FormatarQtdeItem(3), "3");
    EXPECT_EQ(r.FormatarQtdeItem(3, true), "3,00");
    EXPECT_EQ(r.FormatarQtdeItem(Decimal::fromUnits(12345678)), "1.234,57");
    r.CasasDecimais().SetvUnCom(3);
    EXPECT_EQ(r.FormatarVlrUnit(1234.5), "1.234,500");
    r.CasasDecimais().Formato = tdetMascara;
    r.CasasDecimais().MaskqCom = "0.000";
    EXPECT_EQ(r.FormatarQtdeItem(Decimal::fromUnits(15000)), "1,500");
    std::setlocale(LC_ALL, anterior.c_str());
}

TEST(QuibDFeDANFeReport, TextRules)
{
    TQuibDFeDANFeReport d;
    TNFe nfe;
    auto &obs = nfe.infAdic.obsCont;
    obs.NovoItem() = {"A", "x"};
    obs.NovoItem() = {"B", "y"};
    EXPECT_EQ(d.TextoObsCont(nfe), "A: x;B: y; ");
    d.ImprimeInfContr = false;
    EXPECT_EQ(d.TextoObsCont(nfe), "");

    auto &p1 = nfe.infAdic.procRef.NovoItem();
    p1.nProc = "123";
    p1.indProc = fpSefaz;
    auto &p2 = nfe.infAdic.procRef.NovoItem();
    p2.nProc = "456";
    p2.indProc = fpJusticaFederal;
    EXPECT_EQ(d.TextoProcRef(nfe), "PROCESSO OU ATO CONCESSÓRIO Nº: 123 - ORIGEM: SEFAZ;"
                                   "PROCESSO OU ATO CONCESSÓRIO Nº: 456 - ORIGEM: JUSTIÇA FEDERAL; ");

    nfe.infAdic.infAdFisco = "Fisco";
    EXPECT_EQ(d.TextoInfAdFisco(nfe), "Fisco");
    nfe.infAdic.infCpl = "Complemento";
    EXPECT_EQ(d.TextoInfAdFisco(nfe), "Fisco; ");
    nfe.infAdic.infAdFisco = "Fisco;";
    EXPECT_EQ(d.TextoInfAdFisco(nfe), "Fisco;");

    d.ImprimeCodigoEan = true;
    EXPECT_EQ(d.CodigoProdutoExibido("SEM GTIN", " P1 "), "P1");
    EXPECT_EQ(d.CodigoProdutoExibido(" 7891234567895 ", "P1"), "7891234567895");
    EXPECT_EQ(d.UnirComQuebra(" a ", " b "), "a\r\nb");
    EXPECT_EQ(d.UnirComQuebra(" a ", "  "), "a");
    EXPECT_EQ(d.DocumentoFormatado("12345678000195"), " CNPJ: 12.345.678/0001-95");
    EXPECT_EQ(d.DocumentoFormatado("12345678909"), " CPF: 123.456.789-09");
    EXPECT_EQ(d.DocumentoFormatado(""), "");

    auto &item = nfe.det.NovoItem();
    item.prod.xProd = "Caneta";
    item.infAdProd = " azul;ponta fina ";
    item.prod.xPed = "P9";
    item.prod.nItemPed = "2";
    d.ImprimeXPedNItemPed = true;
    d.QuebraLinhaEmDetalhamentos = false;
    EXPECT_EQ(d.DescricaoProdutoCompleta(nfe, 0), "Caneta - azul - ponta fina - N.Pedido = P9  N.Item = 2");
    EXPECT_EQ(d.DescricaoProdutoCompleta(nfe, 1), "");

    d.ImprimeTotalLiquido = true;
    EXPECT_EQ(d.ValorTotalExibido(1000, 1), "999,00");
    EXPECT_EQ(d.TributosItemExibido(5), "0,00");
    d.ExibeTotalTributosItem = true;
    EXPECT_EQ(d.TributosItemExibido(5), "5,00");
}

TEST(QuibDFeDANFeReport, UnimplementedPrintingRefusesWithTheClassName)
{
    TLayoutSemImpressao layout;
    EXPECT_EQ(mensagemDe([&] { layout.ImprimirEVENTO(); }),
              "ImprimirEVENTO não implementado em: TLayoutSemImpressao");
    TQuibDFeDANFeReport base;
    EXPECT_EQ(mensagemDe([&] { base.ImprimirDANFEComoCancelada(); }),
              "ImprimirDANFE não implementado em: TQuibDFeDANFeReport");
    EXPECT_FALSE(base.ImprimindoCancelada());
}

TEST(QuibDFeDANFeReport, RefusesAComponentThatIsNotAnNFeComponent)
{
    TQuibDFeDANFeReport d;
    TQuibDFeReport outro;
    EXPECT_EQ(mensagemDe([&] { d.SetQuibNFe(&outro); }), "QuibDANFE.NFE deve ser do tipo TQuibNFe");
    EXPECT_EQ(d.QuibNFe(), nullptr);
}

TEST(QuibDFeDANFeReport, AttachingAnotherReportUnlinksTheFirst)
{
    TQuibNFe nfe;
    TQuibDFeDANFeReport a;
    TQuibDFeDANFeReport b;
    nfe.SetDANFE(&a);
    EXPECT_EQ(a.QuibNFe(), &nfe);
    b.SetQuibNFe(&nfe); // linking from the report's side links both
    EXPECT_EQ(nfe.DANFE(), &b);
    EXPECT_EQ(a.QuibNFe(), nullptr);
}

TEST(QuibDFeDANFeReport, FreeingAnObjectDropsOnlyItsOwnLink)
{
    TQuibNFe nfe;
    auto b = std::make_unique<TQuibDFeDANFeReport>();
    {
        TQuibDFeDANFeReport a;
        nfe.SetDANFE(&a);
        nfe.SetDANFE(b.get());
    } // a freed: b stays linked
    EXPECT_EQ(nfe.DANFE(), b.get());
    {
        TQuibNFe outro;
        TQuibDFeDANFeReport c;
        outro.SetDANFE(&c);
    } // another component and its report freed
    EXPECT_EQ(nfe.DANFE(), b.get());
    EXPECT_EQ(b->QuibNFe(), &nfe);
    b.reset();
    EXPECT_EQ(nfe.DANFE(), nullptr);

    TQuibDFeDANFeReport d;
    {
        TQuibNFe curto;
        curto.SetDANFE(&d);
    }
    EXPECT_EQ(d.QuibNFe(), nullptr);
}
