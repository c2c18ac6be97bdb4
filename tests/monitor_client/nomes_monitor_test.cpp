#include "monitor_client/nomes_monitor.h"

#include <gtest/gtest.h>

namespace {

struct CasoNome {
    const char *tipo;
    int serie;
    int numero;
    const char *nome;
    const char *alternativo;
};

TEST(NomesArquivoMonitor, NamesEveryKindAsTheMonitorExpects)
{
    const CasoNome casos[] = {
        {"nota", 1, 123, "nota001000000123#c.txt", "resp-nota000000123#c.txt"},
        {"resp-nota", 1, 123, "resp-nota001000000123#c.txt", "resp-nota000000123#c.txt"},
        {"Danfe", 2, 5, "danfe002000000005#c.txt", "resp-danfe000000005#c.txt"},
        {"resp-cancel", 1, 9, "resp-cancel001000000009#c.txt", "resp-cancel000000009#c.txt"},
        {"consulta", 1234, 7, "consulta234000000007#c.txt", "resp-consulta000000007#c.txt"},
        {"Carta", 1, 123, "carta001000123#c.txt", ""},
        {"ImpCarta", 1, 1234567, "impcarta001234567#c.txt", ""},
        {"resp-evento", 3, 42, "resp-evento003000042#c.txt", ""},
        {"inutiliza", 12, 10, "inutiliza10-12#c.txt", ""},
        {"resp-inutiliza", 12, 10, "resp-inutiliza10-12#c.txt", ""},
        {"Contingencia", 9, 9, "contingencia.txt", ""},
    };
    for (const auto &caso : casos) {
        const auto nomes = NomesArquivoMonitor(caso.tipo, caso.serie, caso.numero, "C");
        ASSERT_TRUE(nomes) << caso.tipo;
        EXPECT_EQ(nomes->nome, caso.nome) << caso.tipo;
        EXPECT_EQ(nomes->alternativo, caso.alternativo) << caso.tipo;
    }
    EXPECT_FALSE(NomesArquivoMonitor("manifesto", 1, 1, "C"));
}

TEST(NomesArquivoMonitor, AnswerKindsAndFoldersKeepTheirSeparator)
{
    EXPECT_EQ(TipoResposta("Cancelamento"), "resp-cancel");
    EXPECT_EQ(TipoResposta("EVENTO"), "resp-evento");
    EXPECT_EQ(TipoResposta("impcarta"), "resp-impcarta");
    EXPECT_EQ(TipoResposta("contingencia"), "");
    EXPECT_EQ(JuntaCaminho("C:\\Monitor\\", "-fil", "a.txt"), "C:\\Monitor\\-fil\\a.txt");
    EXPECT_EQ(JuntaCaminho("/srv/Monitor/", "-resp", "a.txt"), "/srv/Monitor/-resp/a.txt");
}

} // namespace
