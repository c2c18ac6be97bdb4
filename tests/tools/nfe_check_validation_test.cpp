#include <gtest/gtest.h>

#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

using testsupport::runCommand;

namespace {

std::string tool()
{
    return (testsupport::binaryDir() / "bin" / "nfe-check").string();
}

struct ToolCase {
    std::vector<std::string> args;
    int exitCode;
    std::string out;
};

void expectRuns(const std::vector<ToolCase> &cases)
{
    for (const ToolCase &c : cases) {
        std::vector<std::string> argv = {tool()};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        const auto result = runCommand(argv);
        EXPECT_EQ(result.exitCode, c.exitCode) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(result.out, c.out) << c.args[0] << " " << c.args[1];
    }
}

} // namespace

TEST(NfeCheckValidation, DocPrintsTheMessageAndExitsOneWhenInvalid)
{
    expectRuns({
        {{"doc", "cpf", "529.982.247-25"}, 0, ""},
        {{"doc", "cpf", "529.982.247-24"}, 1, "CPF inválido.\n"},
        {{"doc", "cnpj", "11.222.333/0001-81"}, 0, ""},
        {{"doc", "cnpj", ""}, 1, "CNPJ não pode ser vazio.\n"},
        {{"doc", "pis", "12056412545"}, 0, ""},
        {{"doc", "gtin", "7891000315508"}, 1, "Código GTIN inválido.\n"},
        {{"doc", "cep", "01310-100"}, 0, ""},
        {{"doc", "suframa", "200109014"}, 0, ""},
        {{"doc", "renavam", "63994739344"}, 0, ""},
        {{"doc", "cnh", "22222222222"}, 1, "C.N.H. não deve conter números repetidos !\n"},
        {{"doc", "cns", "7A0000000000005"}, 1, "O número do Cartão Nacional do SUS informado é inválido!\n"},
        {{"doc", "email", "fulano@empresa.com.br"}, 0, ""},
        {{"doc", "placa", "ABC-1D23"}, 0, ""},
        {{"doc", "caepf", "11222333000193"}, 0, ""},
    });
}

TEST(NfeCheckValidation, IeChecksTheStateRegistration)
{
    expectRuns({
        {{"ie", "SP", "110.042.490.114"}, 0, ""},
        {{"ie", "MG", "0623079040082"}, 1, "Insc.Estadual inválida para MG Dígito verificador inválido.\n"},
        {{"ie", "RJ", "isento"}, 0, ""},
        {{"ie", "sp", "110042490114"}, 1, "UF inválido: sp\n"},
    });
}

TEST(NfeCheckValidation, BadArgumentsAreRefused)
{
    for (const std::vector<std::string> &args :
         {std::vector<std::string>{"doc", "cpf"}, {"doc", "rg", "123"}, {"ie", "SP"}}) {
        std::vector<std::string> argv = {tool()};
        argv.insert(argv.end(), args.begin(), args.end());
        const auto result = runCommand(argv);
        EXPECT_EQ(result.exitCode, 2) << args[0] << " " << args[1];
        EXPECT_FALSE(result.err.empty());
    }
}

TEST(NfeCheckValidation, MaskPrintsTheMaskedText)
{
    expectRuns({
        {{"mask", "cpf", "52998224725"}, 0, "529.982.247-25\n"},
        {{"mask", "cnpj", "11222333000181"}, 0, "11.222.333/0001-81\n"},
        {{"mask", "cep", "12345"}, 0, "12345-000\n"},
        {{"mask", "fone", "11933334444"}, 0, "(11)93333-4444\n"},
        {{"mask", "fone", "33334444", "21"}, 0, "(21)3333-4444\n"},
        {{"mask", "ie:SP", "P011004243002"}, 0, "P-01100424.3/002\n"},
        {{"mask", "ie:MG", "0623079040081"}, 0, "062.307.904/0081\n"},
        {{"mask", "ie:RJ", "ISENTO"}, 0, "ISENTO\n"},
    });
    const auto unknown = runCommand({tool(), "mask", "rg", "123"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_FALSE(unknown.err.empty());
}
