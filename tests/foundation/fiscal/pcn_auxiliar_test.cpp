#include <random>
#include <string>

#include <gtest/gtest.h>

#include "foundation/fiscal/pcn_auxiliar.h"

namespace {

constexpr const char *kCNPJ = "11222333000181";
constexpr const char *kCPF = "11144477735";

// The check digit by the layout's own weight string, independent of the code
// under test.
int digitoPorPesos(const std::string &digitos43)
{
    static const std::string pesos = "4329876543298765432987654329876543298765432";
    int soma = 0;
    for (std::size_t i = 0; i < 43; ++i)
        soma += (digitos43[i] - '0') * (pesos[i] - '0');
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

std::string comDigito(const std::string &digitos43)
{
    return digitos43 + std::to_string(digitoPorPesos(digitos43));
}

// A key from its parts (standard layout): cUF, YYMM, emitter (14), model,
// series, number, emission type, code.
std::string chave(const std::string &cuf, const std::string &aamm, const std::string &emitente,
                  const std::string &modelo, const std::string &serie, const std::string &numero,
                  const std::string &tpEmis, const std::string &codigo)
{
    return comDigito(cuf + aamm + emitente + modelo + serie + numero + tpEmis + codigo);
}

TEST(StateCodes, CodesAndAbbreviationsBothWays)
{
    EXPECT_EQ(SiglaUFDoCodigo(35), "SP");
    EXPECT_EQ(SiglaUFDoCodigo(90), "DF");
    EXPECT_EQ(SiglaUFDoCodigo(91), "DF");
    EXPECT_EQ(SiglaUFDoCodigo(99), "");
    EXPECT_EQ(CodigoDaSiglaUF("SP"), 35);
    EXPECT_EQ(CodigoDaSiglaUF("EX"), 0);
    EXPECT_EQ(CodigoDaSiglaUF("sp"), 0);
    EXPECT_EQ(CodigoDaSiglaUF(""), 0);

    int validos = 0;
    for (int codigo = -1; codigo <= 100; ++codigo) {
        if (!CodigoUFValido(codigo))
            continue;
        ++validos;
        const std::string sigla = SiglaUFDoCodigo(codigo);
        EXPECT_TRUE(SiglaUFValida(sigla)) << codigo;
        if (codigo < 90) {
            EXPECT_EQ(CodigoDaSiglaUF(sigla), codigo);
        }
    }
    EXPECT_EQ(validos, 29);

    EXPECT_TRUE(SiglaUFValida("EX"));
    EXPECT_FALSE(SiglaUFValida("ex"));
    EXPECT_FALSE(SiglaUFValida("XX"));
    EXPECT_FALSE(SiglaUFValida(""));
}

TEST(AccessKey, CheckDigitFollowsTheWeightString)
{
    std::mt19937_64 gerador(20240601);
    std::uniform_int_distribution<int> algarismo(0, 9);
    bool viuResto0 = false;
    bool viuResto1 = false;
    for (int n = 0; n < 2000; ++n) {
        std::string digitos;
        for (int i = 0; i < 43; ++i)
            digitos += static_cast<char>('0' + algarismo(gerador));
        int digito = -1;
        ASSERT_TRUE(DigitoChaveAcesso(digito, digitos));
        EXPECT_EQ(digito, digitoPorPesos(digitos)) << digitos;

        int soma = 0;
        const std::string pesos = "4329876543298765432987654329876543298765432";
        for (int i = 0; i < 43; ++i)
            soma += (digitos[static_cast<std::size_t>(i)] - '0') * (pesos[static_cast<std::size_t>(i)] - '0');
        if (soma % 11 < 2) {
            EXPECT_EQ(digito, 0) << digitos;
            (soma % 11 == 0 ? viuResto0 : viuResto1) = true;
        }
    }
    EXPECT_TRUE(viuResto0 && viuResto1);

    int digito = 7;
    EXPECT_FALSE(DigitoChaveAcesso(digito, std::string(42, '1')));
    EXPECT_FALSE(DigitoChaveAcesso(digito, std::string(44, '1')));
    EXPECT_EQ(digito, 7);
    EXPECT_TRUE(DigitoChaveAcesso(digito, "3519.0111 2223 33000181 55001000000001100000001"));
}

TEST(AccessKey, ValidationStopsAtTheFirstFailingCheck)
{
    const std::string valida = chave("35", "1901", kCNPJ, "55", "001", "000000001", "1", "00000017");
    EXPECT_TRUE(ChaveAcessoValida(valida));
    EXPECT_EQ(accessKeyProblem(valida), "");

    std::string espacada;
    for (std::size_t i = 0; i < valida.size(); ++i)
        espacada += (i % 4 == 0 && i > 0 ? (i % 8 == 0 ? "." : " ") : "") + std::string(1, valida[i]);
    EXPECT_TRUE(ChaveAcessoValida(espacada)) << espacada;

    struct Caso {
        std::string chave;
        std::string problema;
    };
    std::string digitoErrado = valida;
    digitoErrado.back() = static_cast<char>('0' + (valida.back() - '0' + 1) % 10);
    const Caso casos[] = {
        {valida.substr(0, 43), "Chave de acesso deve ter 44 dígitos (tem 43)"},
        {valida + "0", "Chave de acesso deve ter 44 dígitos (tem 45)"},
        {digitoErrado, "Dígito verificador inválido"},
        {chave("99", "1901", kCNPJ, "55", "001", "000000001", "1", "00000017"), "Código da UF inválido: 99"},
        {chave("91", "1913", kCNPJ, "55", "001", "000000001", "1", "00000017"),
         "Ano e mês de emissão inválidos: 1913"},
        {chave("35", "1900", kCNPJ, "55", "001", "000000001", "1", "00000017"),
         "Ano e mês de emissão inválidos: 1900"},
        {chave("35", "1901", "11222333000182", "55", "001", "000000001", "1", "00000017"),
         "CNPJ do emitente inválido: 11222333000182"},
        // Series 920 of model 55 carries a CPF: "000" + CPF passes as CNPJ only by chance.
        {chave("35", "1901", std::string("000") + "11144477736", "55", "920", "000000001", "1", "00000017"),
         "CPF do emitente inválido: 11144477736"},
    };
    for (const Caso &caso : casos) {
        EXPECT_FALSE(ChaveAcessoValida(caso.chave)) << caso.chave;
        EXPECT_EQ(accessKeyProblem(caso.chave).rfind(caso.problema, 0), 0u)
            << caso.chave << ": " << accessKeyProblem(caso.chave);
    }

    EXPECT_TRUE(ChaveAcessoValida(
        chave("35", "1901", std::string("000") + kCPF, "55", "920", "000000001", "1", "00000017")));
    EXPECT_FALSE(ChaveAcessoValida("3519011122233300018155001000000001100000017X"));
    EXPECT_FALSE(ChaveAcessoValida(""));
}

TEST(AccessKey, PartsOfEachModel)
{
    const std::string nfe = chave("35", "1901", kCNPJ, "55", "012", "000345678", "1", "87654321");
    EXPECT_EQ(ModeloDaChave(nfe), "55");
    EXPECT_EQ(UFDaChave(nfe), 35);
    EXPECT_EQ(CNPJouCPFDaChave(nfe), kCNPJ);
    EXPECT_EQ(SerieDaChave(nfe), 12);
    EXPECT_EQ(TipoEmissaoDaChave(nfe), 1);
    EXPECT_EQ(CodigoNumericoDaChave(nfe), 87654321);
    EXPECT_EQ(DigitoDaChave(nfe), nfe.back() - '0');

    // Model 59: a 9-digit series at 23-31, a 6-digit code at 38-43, no emission type.
    const std::string sat =
        comDigito(std::string("35") + "1901" + kCNPJ + "59" + "900001234" + "000777" + "654321");
    EXPECT_EQ(SerieDaChave(sat), 900001234);
    EXPECT_EQ(CodigoNumericoDaChave(sat), 654321);
    EXPECT_EQ(TipoEmissaoDaChave(sat), 0);

    // Model 66: one further digit at 36 and a 7-digit code.
    const std::string nf3e = chave("35", "1901", kCNPJ, "66", "001", "000000009", "1", "27654321");
    EXPECT_EQ(CodigoNumericoDaChave(nf3e), 7654321);

    // The model as written, not reduced to digits.
    EXPECT_EQ(ModeloDaChave("35 1901 11222333000181 55"), "81");
    EXPECT_EQ(ModeloDaChave("3519011122233300018"), "");
    EXPECT_EQ(UFDaChave("x"), 0);
    EXPECT_EQ(SerieDaChave(""), 0);
    EXPECT_EQ(DigitoDaChave(""), 0);
}

TEST(AccessKey, EmitterIsACpfOnlyWhereTheLayoutPutsOne)
{
    const std::string cpf = kCPF;
    const std::string comCpf = "000" + cpf;
    struct Caso {
        std::string modelo, serie, numero, tpEmis;
        bool ehCpf;
    };
    const Caso casos[] = {
        {"55", "920", "000000001", "1", true},  {"55", "910", "000000001", "1", true},
        {"55", "969", "000000001", "1", true},  {"55", "890", "000000001", "1", false},
        {"55", "970", "000000001", "1", false}, {"65", "920", "000000001", "1", true},
        {"55", "001", "000020000", "3", true},  {"55", "920", "000010000", "3", false},
        {"57", "001", "000000001", "3", true},  {"57", "920", "000000001", "1", false},
        {"58", "920", "000000001", "1", true},  {"58", "910", "000000001", "1", false},
        {"59", "920", "000000001", "1", false}, {"66", "920", "000000001", "3", false},
    };
    for (const Caso &caso : casos) {
        const std::string k =
            chave("35", "1901", comCpf, caso.modelo, caso.serie, caso.numero, caso.tpEmis, "12345679");
        EXPECT_EQ(CNPJouCPFDaChave(k), caso.ehCpf ? cpf : comCpf)
            << caso.modelo << " " << caso.serie << " " << caso.tpEmis;
    }
}

TEST(AccessKey, ForbiddenNumericCodes)
{
    EXPECT_TRUE(CodigoNumericoValido(12345679, 1, 8));
    EXPECT_FALSE(CodigoNumericoValido(12345678, 1, 8));
    EXPECT_FALSE(CodigoNumericoValido(1234567, 1, 8)); // the last one of the 8-digit row
    EXPECT_FALSE(CodigoNumericoValido(0, 1, 8));
    EXPECT_FALSE(CodigoNumericoValido(90123456, 1, 8));
    EXPECT_FALSE(CodigoNumericoValido(555, 555, 8));
    EXPECT_FALSE(CodigoNumericoValido(123456, 1, 7));
    EXPECT_TRUE(CodigoNumericoValido(12345678, 1, 7));
    EXPECT_FALSE(CodigoNumericoValido(4242, 1, 9));
    EXPECT_TRUE(AnoMesValido("1912"));
    EXPECT_FALSE(AnoMesValido("19-1"));
    EXPECT_FALSE(AnoMesValido("191"));
}

TEST(LayoutChecks, IdentifiersGoThroughTheValidator)
{
    EXPECT_TRUE(CNPJValido(kCNPJ));
    EXPECT_FALSE(CNPJValido("11222333000182"));
    EXPECT_TRUE(CPFValido(kCPF));
    EXPECT_FALSE(CPFValido("11144477736"));
    EXPECT_FALSE(CPFValido(""));
    EXPECT_TRUE(CNPJouCPFValido(kCPF));
    EXPECT_TRUE(CNPJouCPFValido(kCNPJ));
    EXPECT_TRUE(GTINValido("7891000315507"));
    EXPECT_FALSE(GTINValido("7891000315508"));
    EXPECT_TRUE(PrefixoGTINValido("7891000315507"));
    EXPECT_TRUE(InscricaoEstadualValida("ISENTO", "SP"));
    EXPECT_FALSE(InscricaoEstadualValida("123", "SP"));
}

TEST(LayoutChecks, CountryServiceItemAndReferencedModel)
{
    EXPECT_EQ(ConfereCodigoPais(1058), 1);
    EXPECT_EQ(ConfereCodigoPais(132), 1);  // read as 0132
    EXPECT_EQ(ConfereCodigoPais(1236), 0); // 1*4 + 2*3 + 3*2 = 16, remainder 5, digit 6
    EXPECT_EQ(ConfereCodigoPais(1237), -1);
    EXPECT_EQ(ConfereCodigoPais(31236), 0); // the last four digits
    EXPECT_EQ(ConfereCodigoPais(3000), 0);  // remainder 1 gives digit 0
    EXPECT_EQ(ConfereCodigoPais(3001), -1);

    EXPECT_TRUE(ItemListaServicoValido(101));
    EXPECT_TRUE(ItemListaServicoValido(4001));
    EXPECT_FALSE(ItemListaServicoValido(714));
    EXPECT_FALSE(ItemListaServicoValido(0));

    EXPECT_TRUE(ModeloNFRefValido(2, 4.0));
    EXPECT_TRUE(ModeloNFRefValido(1, 3.1));
    EXPECT_FALSE(ModeloNFRefValido(2, 3.1));
    EXPECT_FALSE(ModeloNFRefValido(4, 4.0));
}

TEST(LayoutChecks, MunicipalityCodes)
{
    EXPECT_TRUE(CodigoMunicipioValido(3550308));
    EXPECT_TRUE(CodigoMunicipioValido(5300108));
    EXPECT_FALSE(CodigoMunicipioValido(3550309)); // wrong check digit
    EXPECT_TRUE(CodigoMunicipioValido(9999999));
    EXPECT_TRUE(CodigoMunicipioValido(2201919));  // irregular check digit, listed
    EXPECT_FALSE(CodigoMunicipioValido(2201910)); // same family, not listed
    EXPECT_FALSE(CodigoMunicipioValido(2201911));
    EXPECT_FALSE(CodigoMunicipioValido(3500004)); // "0000" after the state
    EXPECT_FALSE(CodigoMunicipioValido(9950308)); // no such state
    EXPECT_FALSE(CodigoMunicipioValido(355030));
    EXPECT_FALSE(CodigoMunicipioValido(35503080));
}

TEST(LayoutChecks, SuframaRegistration)
{
    EXPECT_TRUE(InscricaoSUFRAMAValida("100000002")); // 1*9 = 9, 11 - 9 = 2
    EXPECT_TRUE(InscricaoSUFRAMAValida("10.0000.002"));
    EXPECT_FALSE(InscricaoSUFRAMAValida("100000003"));
    EXPECT_FALSE(InscricaoSUFRAMAValida("10000000"));  // eight digits are reported invalid
    EXPECT_TRUE(InscricaoSUFRAMAValida("500000000"));  // 45 mod 11 = 1: 11 - 1 = 10 becomes 0
    EXPECT_TRUE(InscricaoSUFRAMAValida("1000000020")); // only the first nine digits count
}

TEST(LayoutTexts, FixedWidthNumbersAndIsoDateTimes)
{
    EXPECT_EQ(InteiroEmNDigitos(12345, 3), "345");
    EXPECT_EQ(InteiroEmNDigitos(7, 2), "07");
    EXPECT_EQ(InteiroEmNDigitos(0, 3), "000");
    EXPECT_EQ(InteiroEmNDigitos(7, 0), "");
    EXPECT_EQ(FormataDataHoraISO(encodeDateTime({2019, 2, 3, 4, 5, 6, 789})), "2019-02-03T04:05:06");
    EXPECT_EQ(EscolheVariant(true, std::string("a"), std::string("b")), "a");
    EXPECT_EQ(EscolheVariant(false, 1, 2), 2);
}

TEST(LayoutTexts, CleanTextForXml)
{
    EXPECT_EQ(LimpaTextoXML(true, "a   b"), "a b");
    EXPECT_EQ(LimpaTextoXML(false, "a   b", false, false), "a   b");
    EXPECT_EQ(LimpaTextoXML(false, "a<b", false, false), "a&lt;b");
    EXPECT_EQ(LimpaTextoXML(false, "\"Tom\" & 'Jerry' > x", false, false),
              "&quot;Tom&quot; &amp; &#39;Jerry&#39; &gt; x");
    EXPECT_EQ(LimpaTextoXML(true, "  Ação  Pão ", true, false), "Acao Pao");
    EXPECT_EQ(LimpaTextoXML(true, "  Ação ", false, false), "Ação");
    EXPECT_EQ(LimpaTextoXML(true, "linha 1\r\nlinha 2\rlinha 3\n", true, true, ";"),
              "linha 1;linha 2;linha 3;");
    EXPECT_EQ(LimpaTextoXML(true, "a\r\nb", true, false), "a\r\nb");
    EXPECT_EQ(LimpaTextoXML(true, "a\nb", true, true, ""), "ab");
}

TEST(LayoutTexts, UndoXmlEscapes)
{
    struct Caso {
        const char *entrada;
        const char *saida;
    };
    const Caso casos[] = {
        {"x&#x41;y", "xAy"},
        {"&#xZZ;", "ZZ"},
        {"<![CDATA[a&amp;b]]>", "a&amp;b"},
        {"  <![CDATA[ <b>x</b> ]]>  ", "<b>x</b>"},
        {"&amp;lt;", "<"},
        {"a &lt;b&gt; &quot;c&quot; &#39;d&#39;", "a <b> \"c\" 'd'"},
        // Character references are code points, written as UTF-8.
        {"a&#xA;b", "a\nb"},
        {"&#x20AC; 10", "\u20ac 10"},
        {"&#xe9;t&#xE9;", "\u00e9t\u00e9"},
        {"&#x1F600;", "\U0001F600"},
        {"x&#x41", "xA"}, // no ";": the reference runs to the end
        {"&#x41;&#x41;&#x42;", "AAB"},
        {"&#xD800;", "D800"}, // a surrogate is no character
        {"&#x110000;", "110000"},
        {"&#x;", ""},
        {"&#x26;#x41;", "A"}, // a decoded "&" may start a new reference
        {"&&#x23;x41;", "A"}, // and so may a decoded "#" after an "&"
        {"&#x26;&#x23;&#x78;41;", "A"},
        {"&#x41;&#x42;&#x43;&#x41;", "ABCA"},
        {"  sem escapes  ", "sem escapes"},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(DesfazEscapeXML(caso.entrada), caso.saida) << caso.entrada;
}

TEST(LayoutTexts, ListItemsAndPositions)
{
    const std::string lista = "|?xml version|NFe xmlns|infNFe versao|obsCont|obsFisco|";
    EXPECT_TRUE(ComecaComItemDaLista("NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"", lista));
    EXPECT_TRUE(ComecaComItemDaLista("obsCont xCampo=\"a\"", lista));
    EXPECT_FALSE(ComecaComItemDaLista("ide", lista));
    EXPECT_FALSE(ComecaComItemDaLista("xNFe xmlns", lista)); // must begin with the item
    EXPECT_TRUE(ComecaComItemDaLista("a|obsFisco", lista));  // after a "|" of the text
    EXPECT_FALSE(ComecaComItemDaLista("abc", "|x||abc"));    // an item not closed by "|" is ignored
    EXPECT_FALSE(ComecaComItemDaLista("", "||"));
    EXPECT_FALSE(ComecaComItemDaLista("abc", ""));

    EXPECT_EQ(PosicaoAPartirDe("b", "abcabc", 1), 2);
    EXPECT_EQ(PosicaoAPartirDe("b", "abcabc", 3), 5);
    EXPECT_EQ(PosicaoAPartirDe("b", "abcabc", 6), 0);
    EXPECT_EQ(PosicaoAPartirDe("x", "ãéx", 1), 3); // characters, not bytes
    EXPECT_EQ(PosicaoAPartirDe("x", "ãéxx", 4), 4);
    EXPECT_EQ(PosicaoAPartirDe("", "abc", 1), 0);
}

} // namespace
