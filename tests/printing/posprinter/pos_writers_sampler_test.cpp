// One tag text holding every kind of tag, printed through a file port with
// each printer family's writer and compared with that family's listing.
// NFE_UPDATE_GOLDENS=1 in the environment rewrites the listings instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "printing/posprinter/pos_printer.h"
#include "tests/printing/posprinter/hex_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_data.h"

namespace {

const TQuibPosPrinterModelo kFamilias[] = {
    ppEscEpsonP2, ppEscBematech, ppEscVox,      ppEscDaruma, ppEscDiebold, ppCustomPos,
    ppEscPosStar, ppEscZJiang,   ppEscGPrinter, ppEscDatecs, ppEscSunmi,
};

std::string imprimirAmostra(TQuibPosPrinterModelo modelo, const std::string &amostra)
{
    const testsupport::TempDir dir;
    const std::string arquivo = (dir / "saida.prn").string();
    TQuibPosPrinter pos;
    pos.SetModelo(modelo);
    pos.LinhasEntreCupons = 2;
    pos.SetPorta("FILE:" + arquivo);
    pos.Ativar();
    pos.Imprimir(amostra);
    pos.Desativar();
    return testsupport::readFile(arquivo);
}

std::vector<std::string> linhas(const std::string &texto)
{
    std::vector<std::string> result;
    std::istringstream in(texto);
    for (std::string linha; std::getline(in, linha);)
        result.push_back(linha);
    return result;
}

// Reports the first line that differs, with its number, instead of two
// whole listings.
void compararListagens(const std::string &obtida, const std::string &esperada)
{
    const std::vector<std::string> a = linhas(obtida);
    const std::vector<std::string> b = linhas(esperada);
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) {
            ADD_FAILURE() << "line " << i + 1 << "\n  printed: " << a[i] << "\n  listing: " << b[i];
            return;
        }
    EXPECT_EQ(a.size(), b.size()) << "lines printed against lines listed";
}

TEST(PosWritersSamplerTest, EachFamilyPrintsTheSamplerAsItsListing)
{
    const std::string amostra = testsupport::testData("data/printing/sampler/sampler.txt");
    const bool regravar = std::getenv("NFE_UPDATE_GOLDENS") != nullptr;
    for (TQuibPosPrinterModelo modelo : kFamilias) {
        TQuibPosPrinter nomeador;
        nomeador.SetModelo(modelo);
        const std::string nome = "data/printing/sampler/" + nomeador.ModeloAtual().ModeloStr() + ".txt";
        SCOPED_TRACE(nome);
        const std::string listagem = escapedLines(imprimirAmostra(modelo, amostra));
        if (regravar) {
            std::ofstream(testsupport::sourceDir() / "tests" / nome, std::ios::binary) << listagem << "\n";
            continue;
        }
        compararListagens(listagem, testsupport::testData(nome));
    }
}

TEST(PosWritersSamplerTest, UnsupportedTagsVanishAndUnsupportedBlocksKeepTheirContent)
{
    for (TQuibPosPrinterModelo modelo : kFamilias) {
        TQuibPosPrinter pos;
        pos.SetModelo(modelo);
        pos.LinhasEntreCupons = 0;
        ASSERT_FALSE(pos.TagsNaoSuportadas().empty()) << pos.ModeloAtual().ModeloStr();
        for (const std::string &tag : pos.TagsNaoSuportadas()) {
            SCOPED_TRACE(pos.ModeloAtual().ModeloStr() + " " + tag);
            const TQuibTag *entrada = pos.Tags().AcharTag(tag);
            ASSERT_NE(entrada, nullptr);
            if (entrada->Bloco())
                EXPECT_EQ(pos.DecodificarTags(tag + "Q9</" + tag.substr(1)), "Q9");
            else
                EXPECT_EQ(pos.DecodificarTags("A" + tag + "B"), "AB");
        }
    }
}

} // namespace
