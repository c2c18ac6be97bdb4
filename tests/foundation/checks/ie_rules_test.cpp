#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/checks/ie_rules.h"
#include "foundation/checks/validador.h"

namespace {

std::string invalidaPara(std::string_view uf, std::string_view mensagem)
{
    return "Insc.Estadual inválida para " + std::string(uf) + " " + std::string(mensagem);
}

struct CasoDigito {
    std::string uf;
    std::string valida;
    std::string errada;   // one check digit changed
    char digitoCalculado; // what the check computes for the changed digit
};

// One valid registration per state and format, and the same registration with
// a wrong check digit (each of the two digits where the format has two).
// clang-format off
const std::vector<CasoDigito> kCasosDigito = {
    {"AC", "015260186", "015260187", '6'}, // old 9-character form
    {"AC", "0100482300112", "0100482300122", '1'},
    {"AC", "0100482300112", "0100482300113", '2'},
    {"AL", "240000048", "240000049", '8'},
    {"AL", "242400060", "242400061", '0'}, // remainder 10 gives 0
    {"AP", "030123459", "030123450", '9'},
    {"AP", "030170071", "030170070", '1'}, // 030170010 to 030190229: 11 gives 1
    {"AP", "030190231", "030190237", '1'}, // from 030190230 on: no extra 5 in the sum
    {"AM", "327518553", "327518554", '3'},
    {"BA", "100000306", "100000307", '6'}, // modulo 10, second character 0
    {"BA", "100000306", "100000316", '0'},
    {"BA", "770335017", "770335018", '7'}, // modulo 11, second character 7
    {"BA", "770335017", "770335027", '1'},
    {"BA", "12345663", "12345664", '3'}, // 8 digits: padded, modulo by the first digit
    {"BA", "12345663", "12345673", '6'},
    {"BA", "97205190", "97205191", '0'}, // 8 digits starting with 9: modulo 11
    {"CE", "060000015", "060000016", '5'},
    {"DF", "0730000100109", "0730000100119", '0'},
    {"DF", "0730000100109", "0730000100100", '9'},
    {"ES", "197404979", "197404970", '9'},
    {"GO", "109876547", "109876548", '7'},
    {"GO", "101031051", "101031050", '1'}, // 101031050 to 101199979: 10 gives 1
    {"GO", "100000070", "100000071", '0'},
    {"MA", "120000385", "120000386", '5'},
    {"MT", "00130000019", "00130000010", '9'},
    {"MT", "130000019", "130000010", '9'}, // 9 characters: padded to 11
    {"MS", "287700127", "287700128", '7'},
    {"MG", "0623079040081", "0623079040091", '8'},
    {"MG", "0623079040081", "0623079040082", '1'},
    {"PA", "159999995", "159999996", '5'},
    {"PB", "162983085", "162983086", '5'},
    {"PR", "1234567850", "1234567860", '5'},
    {"PR", "1234567850", "1234567851", '0'},
    {"PE", "18100100000049", "18100100000040", '9'}, // old 14-character form
    {"PE", "032141840", "032141850", '4'},
    {"PE", "032141840", "032141841", '0'},
    {"PI", "191462144", "191462145", '4'},
    {"RJ", "99999993", "99999994", '3'},
    {"RN", "200400401", "200400402", '1'}, // old 9-character form
    {"RN", "2000400400", "2000400401", '0'},
    {"RS", "2243658792", "2243658793", '2'},
    {"RO", "101625213", "101625214", '3'}, // old 9-character form
    {"RO", "00000000625213", "00000000625214", '3'},
    {"RR", "240066281", "240066282", '1'},
    {"SC", "251040852", "251040853", '2'},
    {"SE", "271234563", "271234564", '3'},
    {"SP", "P011004243002", "P011004244002", '3'}, // rural producer
    {"SP", "110042490114", "110042491114", '0'},
    {"SP", "110042490114", "110042490115", '4'},
    {"SP", "100000020002", "100000021002", '0'}, // remainder 10 gives 0
    {"TO", "29010227836", "29010227837", '6'}, // 11 characters with the type
    {"TO", "799442615", "799442616", '5'},
};
// clang-format on

} // namespace

TEST(InscricaoEstadual, EveryStateAndFormat)
{
    for (const CasoDigito &caso : kCasosDigito) {
        EXPECT_EQ(VerificaIE(caso.valida, caso.uf), "") << caso.uf << " " << caso.valida;
        EXPECT_EQ(VerificaIE(caso.errada, caso.uf), invalidaPara(caso.uf, "Dígito verificador inválido."))
            << caso.uf << " " << caso.errada;

        TQuibValidador validador;
        validador.TipoDocto = docInscEst;
        validador.ExibeDigitoCorreto = true;
        validador.Complemento = caso.uf;
        validador.SetDocumento(caso.errada);
        EXPECT_FALSE(validador.Validar());
        EXPECT_EQ(validador.MensagemDeErro(),
                  invalidaPara(caso.uf, std::string("Dígito verificador inválido... Calculado: ") +
                                            caso.digitoCalculado))
            << caso.uf << " " << caso.errada;
    }
}

TEST(InscricaoEstadual, EveryStateHasARule)
{
    for (std::string_view uf :
         {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO", "MA", "MT", "MS", "MG", "PA",
          "PB", "PR", "PE", "PI", "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"}) {
        std::string inscricao = "12";
        EXPECT_GT(RegraIEdaUF(inscricao, uf).Tamanho, 0) << uf;
    }
    std::string inscricao = "12";
    EXPECT_EQ(RegraIEdaUF(inscricao, "EX").Tamanho, 0);
}

TEST(InscricaoEstadual, PunctuationIsDroppedBeforeTheCheck)
{
    EXPECT_EQ(VerificaIE("110.042.490.114", "SP"), "");
    EXPECT_EQ(VerificaIE("P-01100424.3/002", "SP"), "");
    EXPECT_EQ(VerificaIE("062.307.904/0081", "MG"), "");
    EXPECT_EQ(VerificaIE(" 01.004.823/001-12 ", "AC"), "");
}

TEST(InscricaoEstadual, IsentoIsValidForAnyUf)
{
    for (std::string_view texto : {"ISENTO", "isento", " Isento ", "iSeNtO"}) {
        EXPECT_EQ(VerificaIE(texto, "SP"), "") << texto;
        EXPECT_EQ(VerificaIE(texto, ""), "") << texto;
        EXPECT_EQ(VerificaIE(texto, "XX"), "") << texto;
    }
    EXPECT_EQ(VerificaIE("ISENTA", "SP"), "Caracteres inválidos na Inscrição Estadual");
}

TEST(InscricaoEstadual, UfAndCharacterMessagesCarryNoPrefix)
{
    EXPECT_EQ(VerificaIE("110042490114", ""), "Informe a UF no campo Complemento");
    EXPECT_EQ(VerificaIE("110042490114", "sp"), "UF inválido: sp");
    EXPECT_EQ(VerificaIE("110042490114", "SPX"), "UF inválido: SPX");
    EXPECT_EQ(VerificaIE("A10042490114", "SP"), "Caracteres inválidos na Inscrição Estadual");
    EXPECT_EQ(VerificaIE("1100424901A4", "SP"), "Caracteres inválidos na Inscrição Estadual");
    EXPECT_EQ(VerificaIE("1", "SP"), "Caracteres inválidos na Inscrição Estadual");
    EXPECT_EQ(VerificaIE("", "SP"), "Inscrição Estadual não pode ser vazio.");
}

TEST(InscricaoEstadual, SizeMessages)
{
    EXPECT_EQ(
        VerificaIE("123", "EX"),
        invalidaPara("EX",
                     "Tamanho inválido: Esperado 0 caracteres, mas foram digitados somente 3 caracteres."));
    EXPECT_EQ(
        VerificaIE("11004249011", "SP"),
        invalidaPara("SP",
                     "Tamanho inválido: Esperado 12 caracteres, mas foram digitados somente 11 caracteres."));
    // AC: 9 characters take the old rule, any other length the 13-character one.
    EXPECT_EQ(
        VerificaIE("0100482300", "AC"),
        invalidaPara("AC",
                     "Tamanho inválido: Esperado 13 caracteres, mas foram digitados somente 10 caracteres."));
    EXPECT_EQ(
        VerificaIE("2040040", "RN"),
        invalidaPara("RN",
                     "Tamanho inválido: Esperado 10 caracteres, mas foram digitados somente 7 caracteres."));
    EXPECT_EQ(
        VerificaIE("1016252", "RO"),
        invalidaPara("RO",
                     "Tamanho inválido: Esperado 14 caracteres, mas foram digitados somente 7 caracteres."));
    EXPECT_EQ(
        VerificaIE("P01100424300", "SP"),
        invalidaPara("SP",
                     "Tamanho inválido: Esperado 13 caracteres, mas foram digitados somente 12 caracteres."));
}

TEST(InscricaoEstadual, PositionMessages)
{
    EXPECT_EQ(VerificaIE("250000048", "AL"), invalidaPara("AL", "Dígito 2 deveria ser 4 "));
    EXPECT_EQ(VerificaIE("0630000100109", "DF"), invalidaPara("DF", "Dígito 2 deveria ser 7,8 "));
    EXPECT_EQ(VerificaIE("18010010000049", "PE"), invalidaPara("PE", "Dígito 3 deveria ser 1-9 "));
    EXPECT_EQ(VerificaIE("29210227836", "TO"), invalidaPara("TO", "Dígito 3 deveria ser 0,9 "));
    EXPECT_EQ(VerificaIE("29040227836", "TO"), invalidaPara("TO", "Dígito 4 deveria ser 1,2,3,9 "));
    EXPECT_EQ(VerificaIE("29999993", "RJ"), invalidaPara("RJ", "Dígito 1 deveria ser 1,7,8,9 "));
    // A leading "P" passes the character check but only SP's producer form has it.
    EXPECT_EQ(VerificaIE("P09876547", "GO"), invalidaPara("GO", "Dígito 1 deveria ser 1,2 "));
    EXPECT_EQ(VerificaIE("P27518553", "AM"), invalidaPara("AM", "Dígito 1 deveria ser 0-9 "));
}

TEST(InscricaoEstadual, GoPrefix)
{
    // First two digits 12 to 19 with a right check digit: only the prefix fails.
    EXPECT_EQ(VerificaIE("150000006", "GO"), invalidaPara("GO", "Prefixo IE Inválido 10 ou 11 / 20 a 29"));
    // A later message replaces it.
    EXPECT_EQ(VerificaIE("150000007", "GO"), invalidaPara("GO", "Dígito verificador inválido."));
    EXPECT_EQ(VerificaIE("309876547", "GO"), invalidaPara("GO", "Dígito 1 deveria ser 1,2 "));
    EXPECT_EQ(
        VerificaIE("1098765", "GO"),
        invalidaPara("GO",
                     "Tamanho inválido: Esperado 9 caracteres, mas foram digitados somente 7 caracteres."));
}

TEST(InscricaoEstadual, AjustarTamanhoPadsToTheStateLength)
{
    TQuibValidador validador;
    validador.TipoDocto = docInscEst;
    validador.Complemento = "SP";
    validador.SetDocumento("10042490114");
    validador.AjustarTamanho = true;
    validador.Validar();
    EXPECT_EQ(validador.DocumentoLimpo(), "010042490114");

    validador.Complemento = "AC";
    validador.SetDocumento("100482300112"); // 12 characters: 13-character rule
    EXPECT_TRUE(validador.Validar()) << validador.MensagemDeErro();
    EXPECT_EQ(validador.DocumentoLimpo(), "0100482300112");

    validador.Complemento = "RO";
    validador.SetDocumento("625213");
    EXPECT_TRUE(validador.Validar()) << validador.MensagemDeErro();
    EXPECT_EQ(validador.DocumentoLimpo(), "00000000625213");

    // Without a rule there is no length to pad to: the size message reports
    // what was typed.
    validador.Complemento = "EX";
    validador.SetDocumento("123");
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(
        validador.MensagemDeErro(),
        invalidaPara("EX",
                     "Tamanho inválido: Esperado 0 caracteres, mas foram digitados somente 3 caracteres."));
    EXPECT_EQ(validador.DocumentoLimpo(), "123");
}

TEST(InscricaoEstadual, DigitsOfTheLastCheck)
{
    TQuibValidador validador;
    validador.TipoDocto = docInscEst;
    validador.Complemento = "SP";
    validador.SetDocumento("110042490114");
    EXPECT_TRUE(validador.Validar());
    EXPECT_EQ(validador.DigitoDaUltimaValidacao(), "4"); // the second digit
    validador.SetDocumento("110042491114");
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(validador.DigitoDaUltimaValidacao(), "0"); // the first, the second not computed
}

TEST(InscricaoEstadual, WeightRowsAndRuleLetters)
{
    EXPECT_EQ(PesoIE(1, 1), 2);
    EXPECT_EQ(PesoIE(1, 8), 9);
    EXPECT_EQ(PesoIE(12, 4), 10);
    EXPECT_EQ(PesoIE(0, 3), 0);
    EXPECT_EQ(PesoIE(15, 3), 0);

    TRegraIE regra;
    regra.ValorPara10 = 7;
    regra.ValorPara11 = 8;
    const std::string doisEmUm = "            11"; // weights 0 and 2 in row 1
    EXPECT_EQ(DigitoVerificadorIE(doisEmUm, {"E", 11, 1}, regra), 9);
    EXPECT_EQ(DigitoVerificadorIE(doisEmUm, {"D", 11, 1}, regra), 2);
    EXPECT_EQ(DigitoVerificadorIE(doisEmUm, {"BD", 11, 1}, regra), 9); // 20 mod 11
    EXPECT_EQ(DigitoVerificadorIE(doisEmUm, {"CE", 11, 1}, regra), 5); // 2 + 5 + 4 * 8 = 39
    // 27 + 18 plus their tens 2 + 1 = 48
    EXPECT_EQ(DigitoVerificadorIE("           999", {"AE", 10, 1}, regra), 2);
    EXPECT_EQ(DigitoVerificadorIE("            60", {"E", 11, 1}, regra), 7); // 10 -> ValorPara10
    EXPECT_EQ(DigitoVerificadorIE("           140", {"E", 11, 1}, regra), 8); // 11 -> ValorPara11
    EXPECT_EQ(DigitoVerificadorIE("P          140", {"E", 11, 1}, regra), 8); // a "P" weighs nothing
}
