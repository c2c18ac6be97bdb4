#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/checks/validador.h"

namespace {

struct Caso {
    std::string documento;
    std::string mensagem; // empty when valid
};

void confere(TQuibValTipoDocto tipo, const std::vector<Caso> &casos, std::string_view complemento = {})
{
    for (const Caso &caso : casos)
        EXPECT_EQ(VerificaDocumento(tipo, caso.documento, complemento), caso.mensagem)
            << EnumValueName(tipo) << " \"" << caso.documento << "\"";
}

// A validator of one kind with the ExibeDigitoCorreto option on.
std::string mensagemComDigito(TQuibValTipoDocto tipo, std::string_view documento)
{
    TQuibValidador validador;
    validador.TipoDocto = tipo;
    validador.ExibeDigitoCorreto = true;
    validador.SetDocumento(documento);
    validador.Validar();
    return validador.MensagemDeErro();
}

} // namespace

TEST(CalcDigito, WeighsFromTheRightAndWrapsTheMultipliers)
{
    TQuibCalcDigito calculo;
    EXPECT_EQ(calculo.MultiplicadorInicial, 2);
    EXPECT_EQ(calculo.MultiplicadorFinal, 9);
    calculo.Documento = "1111111111"; // weights 2..9, 2, 3
    calculo.CalculaDigito();
    EXPECT_EQ(calculo.Soma, 49);
    EXPECT_EQ(calculo.Resto, 5);
    EXPECT_EQ(calculo.Digito, 6);

    calculo.MultiplicadorInicial = 9; // descending: 9, 8 ... 2, 9
    calculo.MultiplicadorFinal = 2;
    calculo.CalculaDigito();
    EXPECT_EQ(calculo.Soma, 9 + 8 + 7 + 6 + 5 + 4 + 3 + 2 + 9 + 8);
    calculo.Reinicia();
    EXPECT_EQ(calculo.MultiplicadorInicial, 2);
    EXPECT_EQ(calculo.MultiplicadorFinal, 9);
}

TEST(CalcDigito, DigitoMod11ComPesos)
{
    EXPECT_EQ(DigitoMod11ComPesos(""), "0");
    EXPECT_EQ(DigitoMod11ComPesos("52998224725", 2, 9), "7"); // 279: remainder 4
    // Weights 1 to 18 from the right: the sum of 1..18 is 171, remainder 6.
    EXPECT_EQ(DigitoMod11ComPesos(std::string(18, '1'), 1, 18), "5");
    EXPECT_EQ(DigitoMod11ComPesos("1"), "9");       // remainder 2
    EXPECT_EQ(DigitoMod11ComPesos("6"), "0");       // remainder 1
    EXPECT_EQ(DigitoMod11ComPesos("5", 2, 9), "1"); // remainder 10
}

TEST(Validador, CPF)
{
    confere(docCPF, {
                        {"52998224725", ""},
                        {"529.982.247-25", ""},
                        {"529.982.247-24", "CPF inválido."},
                        {"52998224735", "CPF inválido."},
                        {"11111111111", "CPF inválido !"},
                        {"5299822472", "CPF deve ter 11 dígitos. (Apenas números)"},
                        {"529982247255", "CPF deve ter 11 dígitos. (Apenas números)"},
                        {"5299822472A", "CPF deve ter 11 dígitos. (Apenas números)"},
                        {"", "CPF não pode ser vazio."},
                        {" ./- ", "CPF não pode ser vazio."},
                    });
    EXPECT_EQ(mensagemComDigito(docCPF, "52998224724"), "CPF inválido... Dígito calculado: 25");
}

TEST(Validador, CNPJ)
{
    confere(docCNPJ, {
                         {"11222333000181", ""},
                         {"11.222.333/0001-81", ""},
                         {"11222333000182", "CNPJ inválido."},
                         {"00000000000000", "CNPJ inválido."},
                         {"1122233300018", "CNPJ deve ter 14 dígitos. (Apenas números)"},
                     });
    EXPECT_EQ(mensagemComDigito(docCNPJ, "11222333000100"), "CNPJ inválido... Digito calculado: 81");
    EXPECT_EQ(mensagemComDigito(docCNPJ, "00000000000000"), "CNPJ inválido.");
}

TEST(Validador, CNPJouCPFChoosesByDigitCount)
{
    EXPECT_EQ(VerificaCNPJouCPF("11.222.333/0001-81"), "");
    EXPECT_EQ(VerificaCNPJouCPF("529.982.247-25"), "");
    EXPECT_EQ(VerificaCNPJouCPF("529982247251"), "CNPJ deve ter 14 dígitos. (Apenas números)");
    EXPECT_EQ(VerificaCNPJouCPF("5299822472512"), "CNPJ deve ter 14 dígitos. (Apenas números)");
    EXPECT_EQ(VerificaCNPJouCPF("5299822472"), "CPF deve ter 11 dígitos. (Apenas números)");
}

TEST(Validador, CAEPF)
{
    // CNPJ digits 81 plus 12 make 93; 95 plus 12 wraps to 07.
    confere(docCAEPF, {
                          {"11222333000193", ""},
                          {"11222333000181", "CAEPF inválido."},
                          {"00000000000000", "CAEPF inválido."},
                          {"112223330001", "CAEPF deve ter 14 dígitos. (Apenas números)"},
                      });
    EXPECT_EQ(mensagemComDigito(docCAEPF, "11222333000181"), "CAEPF inválido... Digito calculado: 93");
    EXPECT_EQ(mensagemComDigito(docCAEPF, "12345678000100"), "CAEPF inválido... Digito calculado: 07");
}

TEST(Validador, PIS)
{
    confere(docPIS, {
                        {"12056412545", ""},
                        {"120.56412.54-5", ""},
                        {"12056412548", "PIS inválido."},
                        {"1205641254", "PIS deve ter 11 dígitos. (Apenas números)"},
                    });
    EXPECT_EQ(mensagemComDigito(docPIS, "12056412540"), "PIS inválido... Dígito calculado: 5");
}

TEST(Validador, Cheque)
{
    confere(docNumCheque, {
                              {"1234560", ""},
                              {"1234564", "Número de Cheque inválido."},
                              {"12345A4", "Digite apenas os números do Cheque"},
                          });
    EXPECT_EQ(mensagemComDigito(docNumCheque, "1234565"), "Número de Cheque inválido... Dígito correto: 0");
}

TEST(Validador, Suframa)
{
    confere(docSuframa, {
                            {"200109014", ""},
                            {"20010901499", ""}, // characters after the ninth are not examined
                            {"200109012", "Número SUFRAMA inválido."},
                            {"20010901", "Código SUFRAMA deve ter no mínimo 9 dígitos. (Apenas números)"},
                            {"2001090X1", "Código SUFRAMA deve ter no mínimo 9 dígitos. (Apenas números)"},
                        });
    EXPECT_EQ(mensagemComDigito(docSuframa, "200109010"), "Número SUFRAMA inválido. Dígito calculado: 4");
}

TEST(Validador, Renavam)
{
    confere(docRenavam, {
                            {"63994739344", ""},
                            {"63994739346", "RENAVAM inválido."},
                            {"6399473934", "RENAVAM deve ter 11 dígitos. (Apenas números)"},
                        });
    EXPECT_EQ(mensagemComDigito(docRenavam, "63994739340"), "RENAVAM inválido... Dígito calculado: 4");
}

TEST(Validador, GTIN)
{
    confere(docGTIN,
            {
                {"7891000315507", ""},
                {"78910003155070", "Código GTIN inválido."},
                {"07891000315507", ""},
                {"036000291452", ""},
                {"96385074", ""},
                {"7891000315508", "Código GTIN inválido."},
                {"789100031550", "Código GTIN inválido."},
                {"789100031", "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres."},
                {"7891000315", "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres."},
                {"78910003155", "Código GTIN inválido, o código GTIN deve ter 8, 12, 13 ou 14 caracteres."},
                {"789100031550A", "Código GTIN inválido, o código GTIN deve conter somente números."},
            });
    EXPECT_EQ(VerificaGTIN("SEM GTIN"), "Código GTIN inválido, o código GTIN deve conter somente números.");
    EXPECT_EQ(mensagemComDigito(docGTIN, "7891000315500"), "Código GTIN inválido. Dígito calculado: 7");
    EXPECT_EQ(CalculaDigitoGTIN("789100031550"), "7");
    EXPECT_EQ(CalculaDigitoGTIN("9638507"), "4");
}

TEST(Validador, PrefixoGTIN)
{
    EXPECT_EQ(VerificaPrefixoGTIN("7891000315507"), "");
    EXPECT_EQ(VerificaPrefixoGTIN("7901234567891"), "");
    EXPECT_EQ(VerificaPrefixoGTIN("7911234567890"),
              "Prefixo \"791\" do GTIN \"7911234567890\" informado inválido");
    // The message names the code as entered, before normalisation.
    EXPECT_EQ(VerificaPrefixoGTIN(" 791.1234567890"),
              "Prefixo \"791\" do GTIN \" 791.1234567890\" informado inválido");
    // A GTIN-8 is judged by its own first three digits.
    EXPECT_EQ(VerificaPrefixoGTIN("96385074"), "");
    EXPECT_EQ(VerificaPrefixoGTIN("38112348"), "Prefixo \"381\" do GTIN \"38112348\" informado inválido");
    EXPECT_EQ(VerificaPrefixoGTIN("0012345678905"), ""); // prefix 1, restricted circulation
    // The GTIN check runs first.
    EXPECT_EQ(VerificaPrefixoGTIN("7911234567891"), "Código GTIN inválido.");
}

TEST(Validador, CartaoUsesLuhnFromTheRight)
{
    confere(docCartaoCredito, {
                                  {"4111111111111111", ""}, // 16 digits
                                  {"378282246310005", ""},  // 15 digits: the first is not doubled
                                  {"4222222222222", ""},    // 13 digits
                                  {"79927398713", ""},      // 11 digits
                                  {"4111111111111112", "Numero do Cartão Inválido."},
                                  {"378282246310006", "Numero do Cartão Inválido."},
                                  {"4111 1111 1111 1111", "Cartão deve ter apenas Números"},
                              });
    EXPECT_EQ(mensagemComDigito(docCartaoCredito, "378282246310000"),
              "Numero do Cartão Inválido... Dígito calculado: 5");
}

TEST(Validador, CNH)
{
    confere(docCNH, {
                        {"02650306461", ""},
                        {"02650306462", "C.N.H. Inválida !!"},
                        {"22222222222", "C.N.H. não deve conter números repetidos !"},
                        {"0265030646", "C.N.H. deve ter 11 dígitos. (Apenas números)"},
                    });
    EXPECT_EQ(mensagemComDigito(docCNH, "02650306462"), "C.N.H. Inválida !!");
}

TEST(Validador, CNSRequiresFifteenDigits)
{
    confere(docCNS, {
                        {"100000000000007", ""}, // definitive card, remainder 0
                        {"200000000000003", ""},
                        {"200000000030018", ""}, // definitive card, remainder 1: "001" and 8
                        {"200000000030008", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"700000000000005", ""}, // provisional card
                        {"700000000000080", ""},
                        {"100000000000008", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"200000000000001", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"700000000000006", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"300000000000007", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"10000000000000", "O número do Cartão Nacional do SUS deve ter 15 dígitos"},
                        // A letter must not pass for a 0.
                        {"7A0000000000005", "O número do Cartão Nacional do SUS informado é inválido!"},
                        {"1000000000A0007", "O número do Cartão Nacional do SUS informado é inválido!"},
                    });
}

TEST(Validador, Placa)
{
    confere(docPlacaMercosul, {
                                  {"ABC1D23", ""},
                                  {"abc-1234", ""},
                                  {"1234567", ""}, // the order of letters and digits is not checked
                                  {"ABC123", "Placa deve ter 7 dígitos. (Somente letras e números)"},
                                  {"ABC 1234", "Placa deve ter 7 dígitos. (Somente letras e números)"},
                                  {"ABÇ1D23", "Placa deve ter 7 dígitos. (Somente letras e números)"},
                              });
}

TEST(Validador, UF)
{
    confere(docUF, {
                       {"SP", ""},
                       {"ex", ""},
                       {"to", ""},
                       {"XX", "UF inválido: XX"},
                       {"S", "UF inválido: S"},
                       {"AC,AL", "UF inválido: AC,AL"},
                   });
}

TEST(Validador, CEP)
{
    confere(docCEP, {
                        {"01000000", ""},
                        {"01310-100", ""},
                        {"99999999", ""},
                        {"00999999", "CEP inválido !"},
                        {"0131010", "CEP deve ter 8 dígitos. (Apenas números)"},
                    });
    confere(docCEP, {{"01310100", ""}, {"20040002", "CEP inválido para SP !"}}, "SP");
    confere(docCEP, {{"01000000", "CEP inválido para RJ !"}, {"20040002", ""}}, "RJ");
    // Rows out of numeric order still match their state.
    confere(docCEP, {{"76800000", ""}, {"76999999", ""}}, "RO");
    confere(docCEP, {{"69300000", ""}}, "RR");
    confere(docCEP, {{"69400000", ""}, {"69000000", ""}}, "AM");
    confere(docCEP, {{"01310100", "UF inválido: sp"}}, "sp");
    confere(docCEP, {{"01310100", "UF inválido: XX"}}, "XX");
}

TEST(Validador, Email)
{
    confere(docEmail, {
                          {"fulano@empresa.com.br", ""},
                          {"a.b-c_d@x.io", ""},
                          {"a@b.com", "e-mail não pode conter menos do que 8 caracteres!"},
                          {" ab@c.com", "e-mail inválido!"},
                          {"fulano@@empresa.com", "e-mail inválido!"},
                          {"fulano@empresa@x.com", "e-mail inválido!"},
                          {"fulanoempresa.com", "e-mail inválido!"},
                          {"fulano@empresacom", "e-mail inválido!"},
                          {"fulano@empresa..com", "e-mail inválido!"},
                          {".fulano@empresa.com", "e-mail inválido!"},
                          {"fulano@empresa.com.", "e-mail inválido!"},
                          {"fulano@.empresa.com", "e-mail inválido!"},
                          {"fulano.@empresa.com", "e-mail inválido!"},
                          {"ful.ano@empresacom", "e-mail inválido!"},
                          {"joão@empresa.com", "e-mail inválido!"},
                          {"fulano+x@empresa.com", "e-mail inválido!"},
                          {"fulano@empresa.com˜", "e-mail inválido!"},
                          {"Fulano@Empresa.COM", ""},
                          {"   ", "E-Mail não pode ser vazio."},
                      });
}

TEST(Validador, EmptyDocumentNamesTheKind)
{
    EXPECT_EQ(VerificaCPF(""), "CPF não pode ser vazio.");
    EXPECT_EQ(VerificaDocumento(docInscEst, "", "SP"), "Inscrição Estadual não pode ser vazio.");
    EXPECT_EQ(VerificaDocumento(docCNS, ""), "Número Cartão Nacional do SUS não pode ser vazio.");
    EXPECT_EQ(VerificaDocumento(docPrefixoGTIN, ""), "Prefixo do Código GTIN não pode ser vazio.");
    EXPECT_EQ(VerificaDocumento(docCNH, ""), "Carteira Nacional de Habilitação não pode ser vazio.");
}

TEST(ValidadorOpcoes, PermiteVazioAcceptsAnEmptyDocumentWithoutCallback)
{
    TQuibValidador validador;
    int chamadas = 0;
    validador.OnMsgErro = [&](const std::string &) { ++chamadas; };
    validador.PermiteVazio = true;
    validador.SetDocumento(" . ");
    EXPECT_TRUE(validador.Validar());
    EXPECT_EQ(validador.MensagemDeErro(), "");
    EXPECT_EQ(chamadas, 0);

    validador.PermiteVazio = false;
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(validador.MensagemDeErro(), "CPF não pode ser vazio.");
    EXPECT_EQ(chamadas, 1);
}

TEST(ValidadorOpcoes, AjustarTamanhoPadsWithZeros)
{
    struct CasoAjuste {
        TQuibValTipoDocto tipo;
        std::string documento;
        std::string semAjuste; // message without the option
        std::string limpo;     // the document the check saw with the option
    };
    const std::vector<CasoAjuste> casos = {
        {docCPF, "191", "CPF deve ter 11 dígitos. (Apenas números)", "00000000191"},
        {docCNPJ, "191", "CNPJ deve ter 14 dígitos. (Apenas números)", "00000000000191"},
        {docCAEPF, "1175", "CAEPF deve ter 14 dígitos. (Apenas números)", "00000000001175"},
        {docPIS, "19", "PIS deve ter 11 dígitos. (Apenas números)", "00000000019"},
        {docRenavam, "19", "RENAVAM deve ter 11 dígitos. (Apenas números)", "00000000019"},
        {docCEP, "1310100", "CEP deve ter 8 dígitos. (Apenas números)", "01310100"},
        {docCNS, "700000000000005", "", "700000000000005"},
    };
    for (const CasoAjuste &caso : casos) {
        TQuibValidador validador;
        validador.TipoDocto = caso.tipo;
        validador.SetDocumento(caso.documento);
        validador.Validar();
        EXPECT_EQ(validador.MensagemDeErro(), caso.semAjuste) << EnumValueName(caso.tipo);
        validador.AjustarTamanho = true;
        EXPECT_TRUE(validador.Validar()) << EnumValueName(caso.tipo) << ": " << validador.MensagemDeErro();
        EXPECT_EQ(validador.DocumentoLimpo(), caso.limpo) << EnumValueName(caso.tipo);
    }
    // A longer text is cut to the kind's length.
    TQuibValidador validador;
    validador.AjustarTamanho = true;
    validador.SetDocumento("5299822472599");
    EXPECT_TRUE(validador.Validar());
    EXPECT_EQ(validador.DocumentoLimpo(), "52998224725");
    // The CNS pads as well: a short number is then judged by its rule.
    validador.TipoDocto = docCNS;
    validador.SetDocumento("1");
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(validador.MensagemDeErro(), "O número do Cartão Nacional do SUS informado é inválido!");
}

TEST(ValidadorOpcoes, RaiseExceptAfterTheCallback)
{
    TQuibValidador validador;
    std::vector<std::string> ordem;
    validador.OnMsgErro = [&](const std::string &mensagem) { ordem.push_back("callback: " + mensagem); };
    validador.RaiseExcept = true;
    validador.SetDocumento("52998224724");
    try {
        validador.Validar();
        ordem.push_back("no exception");
    } catch (const EQuibException &erro) {
        ordem.push_back(std::string("exception: ") + erro.what());
    }
    EXPECT_EQ(ordem, (std::vector<std::string>{"callback: CPF inválido.", "exception: CPF inválido."}));

    validador.SetDocumento("52998224725");
    EXPECT_NO_THROW(EXPECT_TRUE(validador.Validar()));
}

TEST(ValidadorOpcoes, IgnorarCharDecidesWhatIsDropped)
{
    TQuibValidador validador;
    validador.IgnorarChar = "./- ";
    validador.SetDocumento("529 982 247-25");
    EXPECT_TRUE(validador.Validar());
    validador.IgnorarChar = "";
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(validador.MensagemDeErro(), "CPF deve ter 11 dígitos. (Apenas números)");
}

TEST(ValidadorOpcoes, SettingTheDocumentResetsTheMessage)
{
    TQuibValidador validador;
    validador.SetDocumento("52998224724");
    EXPECT_EQ(validador.MensagemDeErro(), "Função Validar não foi chamada");
    validador.ExibeDigitoCorreto = true;
    EXPECT_FALSE(validador.Validar());
    EXPECT_EQ(validador.DigitoDaUltimaValidacao(), "25");
    validador.SetDocumento("52998224724"); // the same text changes nothing
    EXPECT_EQ(validador.MensagemDeErro(), "CPF inválido... Dígito calculado: 25");
    validador.SetDocumento("52998224725");
    EXPECT_EQ(validador.MensagemDeErro(), "Função Validar não foi chamada");
    EXPECT_EQ(validador.DigitoDaUltimaValidacao(), "");
    EXPECT_EQ(validador.Documento(), "52998224725");
}
