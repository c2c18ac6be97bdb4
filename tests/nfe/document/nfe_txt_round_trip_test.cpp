// A note written as TXT by the NF-e writer and read back by the TXT reader
// gives the same XML as the note written directly.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "foundation/text/text_utils.h"
#include "nfe/document/layout_txt.h"
#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader_txt.h"
#include "nfe/document/nfe_writer.h"
#include "tests/support/sample_notes.h"
#include "tests/support/temp_dir.h"

namespace {

struct Escrita {
    std::string xml;
    std::string txt;
};

Escrita escreve(TNFe &nfe)
{
    TNFeW writer(nfe);
    writer.Opcoes.GerarTXTSimultaneamente = true;
    writer.IdCSRT = 1;
    writer.CSRT = "G8063VRTNDMO886SFNK5LDUDEI24XJ22YIPO";
    writer.MontarXml();
    return {writer.Gerador.ArquivoFormatoXML, writer.Gerador.ArquivoFormatoTXT};
}

// The writer leaves the header line to whoever writes the file.
std::string arquivoTXT(const std::string &txt)
{
    return "NOTA FISCAL|1\r\n" + txt;
}

// Where two texts start to differ, with some context.
std::string primeiraDiferenca(const std::string &a, const std::string &b)
{
    const auto fim = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    const std::size_t pos = static_cast<std::size_t>(fim.first - a.begin());
    const std::size_t inicio = pos > 120 ? pos - 120 : 0;
    return "direct: ..." + a.substr(inicio, 240) + "\nvia TXT: ..." + b.substr(inicio, 240);
}

using Preenche = void (*)(TNFe &, double);

struct Nota {
    const char *nome;
    Preenche preenche;
};

const Nota kNotas[] = {
    {"normal", testsupport::fillTxtNoteNormal},
    {"simples", testsupport::fillTxtNoteSimples},
    {"servico", testsupport::fillTxtNoteServico},
};

TEST(NFeTxtRoundTrip, TheNoteReadFromItsTxtWritesTheSameXml)
{
    testsupport::TempDir dir;
    for (const double versao : {3.1, 4.0}) {
        for (const Nota &nota : kNotas) {
            SCOPED_TRACE(std::string(nota.nome) + " " + std::to_string(versao));
            TNFe direto;
            nota.preenche(direto, versao);
            const Escrita a = escreve(direto);
            ASSERT_FALSE(a.txt.empty());

            // Through a file in Windows-1252, as the programs that exchange
            // these files write them.
            const auto arquivo = dir.write(std::string(nota.nome) + ".txt",
                                           ConvertePaginaCodigo(arquivoTXT(a.txt), 1252, 65001));
            TNFe lido;
            TNFeRTXT reader(lido);
            ASSERT_TRUE(reader.CarregarArquivo(arquivo.string()));
            ASSERT_TRUE(reader.InterpretarArquivo());
            const Escrita b = escreve(lido);
            EXPECT_TRUE(a.xml == b.xml) << primeiraDiferenca(a.xml, b.xml);
            EXPECT_TRUE(a.txt == b.txt) << primeiraDiferenca(a.txt, b.txt);
        }
    }
}

// Record names and the positions of the non-empty fields of a TXT text, as
// "NAME" and "NAME.n".
std::set<std::string> registrosPreenchidos(const std::string &txt)
{
    std::set<std::string> vistos;
    for (const std::string &linha : splitLines(txt)) {
        std::vector<std::string> campos;
        DivideTexto(linha, '|', campos, '\0');
        const std::string nome = upperAscii(campos.front());
        vistos.insert(nome);
        for (std::size_t i = 1; i < campos.size(); ++i) {
            if (!campos[i].empty())
                vistos.insert(nome + "." + std::to_string(i));
        }
    }
    return vistos;
}

TEST(NFeTxtRoundTrip, TheNotesCarryEveryRecordAndFieldOfTheLayout)
{
    // What no note carries: the header line (written by whoever writes the
    // file), the 3.10 labels of the returned-tax groups, and the 3.10 wagon
    // and ferry, which that layout puts into the trailer record.
    const std::set<std::string> ausentes = {"NOTA FISCAL", "UA.IMPOSTODEVOL", "UA.IPI", "X22.VAGAO",
                                            "X22.BALSA"};
    for (const char *versao : {"3.10", "4.00"}) {
        SCOPED_TRACE(versao);
        std::set<std::string> vistos;
        for (const Nota &nota : kNotas) {
            TNFe nfe;
            nota.preenche(nfe, std::string(versao) == "4.00" ? 4.0 : 3.1);
            vistos.merge(registrosPreenchidos(escreve(nfe).txt));
        }
        for (const TxtLayoutRecord &registro : txtLayout(versao)->records()) {
            if (!ausentes.count(registro.name)) {
                EXPECT_TRUE(vistos.count(registro.name)) << registro.name;
            }
            for (std::size_t i = 0; i < registro.fields.size(); ++i) {
                const std::string campo = registro.name + "." + registro.fields[i];
                if (!ausentes.count(campo)) {
                    EXPECT_TRUE(vistos.count(registro.name + "." + std::to_string(i + 1))) << campo;
                }
            }
        }
    }
}

} // namespace
