#include "app/relatorios/frm_print.h"

#include "app/db/memory_table.h"
#include "foundation/files/file_utils.h"
#include "foundation/files/windows_paths.h"
#include "tests/support/mapped_drives.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <regex>
#include <sstream>

namespace {

std::vector<std::string> linhas(const std::string &texto)
{
    std::vector<std::string> resultado;
    std::size_t inicio = 0;
    for (std::size_t fim; (fim = texto.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2)
        resultado.push_back(texto.substr(inicio, fim - inicio));
    return resultado;
}

std::string conteudo(const std::string &arquivo)
{
    std::ifstream in(localPath(arquivo), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class PrintRoutines : public ::testing::Test, protected testsupport::MappedDrives {
  protected:
    PrintRoutines()
        : empresa({{"NOME", 60},
                   {"ENDERECO", 50},
                   {"CIDADEUF", 33},
                   {"CNPJ", 18},
                   {"IE", 15},
                   {"RODAPE", 60},
                   {"EMAIEL", 40}}),
          print(empresa)
    {
        empresa.append();
        empresa.setField("NOME", db::Value("PADARIA"));
        empresa.setField("RODAPE", db::Value("Volte sempre"));
        empresa.setField("EMAIEL", db::Value("contato@padaria.com.br"));
        print.Arquivo = &saida;
    }
    db::MemoryTable empresa;
    TfrmPrint print;
    std::ostringstream saida;
};

TEST_F(PrintRoutines, APageOfTenLinesEndsAfterSixtySixLines)
{
    print.PaginaInicial = 1;
    print.DataEmissao = "11/12/2026";
    print.Cabecalho("RELATORIO", false);
    for (int i = 1; i <= 10; ++i)
        print.GravaLinha("linha " + std::to_string(i), true);
    print.Rodape(false);
    const auto escritas = linhas(saida.str());
    ASSERT_EQ(escritas.size(), 66u);
    EXPECT_EQ(escritas[1], std::string(79, '-'));
    EXPECT_EQ(escritas[2], " Empresa: PADARIA" + std::string(35, ' ') + "  Pagina Numero: 1");
    for (std::size_t i = 16; i < 61; ++i)
        EXPECT_EQ(escritas[i], std::string(10, ' ')) << i;
    EXPECT_EQ(escritas[62], "Volte sempre");
    EXPECT_EQ(escritas[63], "Email: contato@padaria.com.br");
}

TEST_F(PrintRoutines, PagesBeforeTheFirstOneAreSkippedButCounted)
{
    print.PaginaInicial = 2;
    print.Cabecalho("T", true);
    print.GravaLinha("pulada", true);
    print.GravaComp("sempre", true);
    print.Rodape(true);
    EXPECT_EQ(saida.str(), "sempre\r\n");
    EXPECT_EQ(print.LinhasPagina, 7);
    print.Arquivo = nullptr;
    EXPECT_THROW(print.GravaComp("x", true), FileWriteError);
}

TEST_F(PrintRoutines, ControlCodes)
{
    EXPECT_EQ(TfrmPrint::Compactacao(6), TfrmPrint::Compactacao(1));
    EXPECT_EQ(TfrmPrint::Compactacao(1), "\x12\x1b"
                                         "2");
    EXPECT_EQ(TfrmPrint::Compactacao(4), "\x0f\x1b"
                                         "0");
    EXPECT_EQ(TfrmPrint::Compactacao(5), "\x1b(s17H");
    EXPECT_EQ(TfrmPrint::Compactacao(7), "");
}

TEST_F(PrintRoutines, FileNamesByKind)
{
    const std::string pedido = print.NomePrint("pedido");
    EXPECT_TRUE(std::regex_match(pedido, std::regex(R"(C:\\DriveKVL\\PED[0-9A-F]{5}\.TXT)"))) << pedido;
    EXPECT_TRUE(std::filesystem::exists(localPath(pedido)));
    const std::string cinco = pedido.substr(15, 5);
    EXPECT_EQ(print.NomePrint("DATABASE"), cinco);
    EXPECT_FALSE(std::filesystem::exists(localPath("C:\\DriveKVL\\" + cinco)));
    EXPECT_EQ(print.NomePrint("prn"), "C:\\DriveKVL\\PRN" + cinco + ".BAT");
    print.Pagina = 9;
    EXPECT_EQ(print.NomePrint("merge"), "C:\\DriveKVL\\MRG" + cinco + ".TXT");
    EXPECT_EQ(print.Pagina, 0);
    EXPECT_EQ(print.PaginaInicial, 1);
    EXPECT_FALSE(print.DataEmissao.empty());
}

TEST_F(PrintRoutines, BatchFilesCopyTheReportToThePort)
{
    std::filesystem::create_directories(localPath("C:\\DriveKVL"));
    print.MontaPrnt("C:\\DriveKVL\\P.BAT", "C:\\DriveKVL\\R.TXT", "LPT1", "\\\\srv\\epson");
    EXPECT_EQ(conteudo("C:\\DriveKVL\\P.BAT"),
              "net use LPT1 \\\\srv\\epson /Yes\r\nType C:\\DriveKVL\\R.TXT > LPT1\r\n");
    print.MontaPrnt2("C:\\DriveKVL\\P.BAT", "C:\\DriveKVL\\R.TXT", "LPT2", "");
    EXPECT_EQ(conteudo("C:\\DriveKVL\\P.BAT"), "Type C:\\DriveKVL\\R.TXT > LPT2\r\n");
}

} // namespace
