#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/checks/mascaras.h"

TEST(Mascaras, AplicaMascaraNumericaFillsFromTheRight)
{
    EXPECT_EQ(AplicaMascaraNumerica("12345", "***-**"), "123-45");
    EXPECT_EQ(AplicaMascaraNumerica(" 123 ", "***-**"), "001-23");   // trimmed, zeros on the left
    EXPECT_EQ(AplicaMascaraNumerica("1234567", "***-**"), "345-67"); // extra characters at the left dropped
    EXPECT_EQ(AplicaMascaraNumerica("", "(**)"), "(00)");
    EXPECT_EQ(AplicaMascaraNumerica("AÇ1", "*-**"), "A-Ç1"); // characters, not bytes
}

TEST(Mascaras, Telefone)
{
    struct Caso {
        std::string telefone;
        std::string ddd;
        std::string esperado;
    };
    const std::vector<Caso> casos = {
        {"", "", ""},
        {"0", "", ""},
        {"000", "11", ""},
        {"33334444", "", "3333-4444"},
        {"33334444", "11", "(11)3333-4444"},
        {"933334444", "", "93333-4444"},
        {"933334444", "11", "(11)93333-4444"},
        {"(11) 3333-4444", "21", "(11)3333-4444"},
        {"011 3333-4444", "", "(11)3333-4444"},
        {"11933334444", "", "(11)93333-4444"},
        {"0800 1234567", "", "0800-123-4567"},
        {"551133334444", "", "+55(11)3333-4444"},
        {"5511933334444", "", "+55(11)93333-4444"},
        {"5500933334444", "", "(55)93333-4444"}, // zeros after the first two digits dropped
        {"1234567", "", "0123-4567"},
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(MascaraTelefone(caso.telefone, caso.ddd), caso.esperado)
            << caso.telefone << " / " << caso.ddd;
}

TEST(Mascaras, CPFeCNPJ)
{
    EXPECT_EQ(MascaraCPF("52998224725"), "529.982.247-25");
    EXPECT_EQ(MascaraCPF("529.982.247-25"), "529.982.247-25");
    EXPECT_EQ(MascaraCPF("2998224725"), "029.982.247-25");   // 10 digits: a zero in front
    EXPECT_EQ(MascaraCPF("529982247251"), "529.982.247-25"); // 12 digits: the first 11
    EXPECT_EQ(MascaraCNPJ("11222333000181"), "11.222.333/0001-81");
    EXPECT_EQ(MascaraCNPJ("191"), "00.000.000/0001-91");
    EXPECT_EQ(MascaraCNPJouCPF("11222333000181"), "11.222.333/0001-81");
    EXPECT_EQ(MascaraCNPJouCPF("529.982.247-25"), "529.982.247-25");
    EXPECT_EQ(MascaraCNPJouCPF("5299822472512"), "529.982.247-25"); // 13 digits: a CPF of the first 11
    EXPECT_EQ(MascaraCNPJouCPF("--"), "");
}

TEST(Mascaras, CEP)
{
    EXPECT_EQ(MascaraCEP("01310100"), "01310-100");
    EXPECT_EQ(MascaraCEP("1234"), "01234-000");
    EXPECT_EQ(MascaraCEP("12345"), "12345-000");
    EXPECT_EQ(MascaraCEP("123456"), "00123-456");
    EXPECT_EQ(MascaraCEP("123456789"), "12345-678");
    EXPECT_EQ(MascaraCEP(""), "00000-000");
    EXPECT_EQ(MascaraCEPNumerico(1310100), "01310-100");
    EXPECT_EQ(MascaraCEPNumerico(12345), "12345-000");
}

TEST(Mascaras, InscricaoEstadualPorUF)
{
    struct Caso {
        std::string uf;
        std::string inscricao;
        std::string esperado;
    };
    const std::vector<Caso> casos = {
        {"AC", "0100482300112", "01.004.823/001-12"},
        {"AL", "240000048", "240000048"},
        {"AM", "327518553", "32.751.855-3"},
        {"BA", "100000306", "1000003-06"},
        {"CE", "060000015", "06000001-5"},
        {"DF", "0730000100109", "07300001001-09"},
        {"MT", "00130000019", "0013000001-9"},
        {"MG", "0623079040081", "062.307.904/0081"},
        {"PA", "159999995", "15-999999-5"},
        {"PR", "1234567850", "123.45678-50"},
        {"PE", "032141840", "0321418-40"},
        {"PE", "18100100000049", "18.1.001.0000004-9"},
        {"RJ", "99999993", "99.999.99-3"},
        {"RN", "200400401", "20.040.040-1"},
        {"RN", "2000400400", "20.0.040.040-0"},
        {"RS", "2243658792", "224/3658792"},
        {"RO", "101625213", "101.62521-3"},
        {"RO", "00000000625213", "0000000062521-3"},
        {"SC", "251040852", "251.040.852"},
        {"SP", "110042490114", "110.042.490.114"},
        {"SP", "P011004243002", "P-01100424.3/002"},
        {"sp", "110.042.490.114", "110.042.490.114"},
        {"TO", "29010227836", "29.01.022783-6"},
        {"TO", "799442615", "79.944.261-5"},
        {"GO", "1098765470", "09.876.547-0"}, // longer than the mask: the rightmost characters
    };
    for (const Caso &caso : casos)
        EXPECT_EQ(MascaraInscricaoEstadual(caso.inscricao, caso.uf), caso.esperado)
            << caso.uf << " " << caso.inscricao;
}

TEST(Mascaras, InscricaoEstadualSemRegra)
{
    EXPECT_EQ(MascaraInscricaoEstadual(" isento ", "SP"), " isento ");
    EXPECT_EQ(PadraoIEdaUF("12.34", "EX"), "*****");
    EXPECT_EQ(MascaraInscricaoEstadual("12.34", "EX"), "01234"); // one zero per punctuation character
    EXPECT_EQ(PadraoIEdaUF("P0110042430", "sp"), "*-********.*/***");
    EXPECT_EQ(PadraoIEdaUF("P", "SP"), "***.***.***.***");
}
