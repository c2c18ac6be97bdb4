// Verb "cep-import": the emitter screen's postal-code step on a module
// database, through its core.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/config_geral/frm_config_geral.h"
#include "app/config_nfe/frm_confi_nfe.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/db/catalogue.h"
#include "foundation/base/quib_exception.h"
#include "modulo_avulso.h"
#include "verbs.h"

namespace {

// A folder that stands for the program's folder, holding the file under the
// name the step looks for; removed with its contents.
class PastaDoArquivo {
  public:
    explicit PastaDoArquivo(const std::string &arquivo)
    {
        std::string modelo = (std::filesystem::temp_directory_path() / "nfe-check-cep-XXXXXX").string();
        if (mkdtemp(modelo.data()) == nullptr)
            throw ProgramError("cannot create a temporary folder");
        pasta_ = modelo + "/";
        std::filesystem::copy_file(arquivo, pasta_ + TfrmConfiNFE::kArquivoCeps);
    }
    ~PastaDoArquivo()
    {
        std::error_code ignorado;
        std::filesystem::remove_all(pasta_, ignorado);
    }
    const std::string &caminho() const { return pasta_; }

  private:
    std::string pasta_;
};

} // namespace

int runCepImportVerb(std::span<const std::string> args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "cep-import: expected <module db> <file>\n");
        return 2;
    }
    try {
        if (!std::filesystem::is_regular_file(args[1]))
            throw ProgramError("arquivo não encontrado: " + args[1]);
        PastaDoArquivo pasta(args[1]);
        ModuloAvulso banco(args[0]);
        TfrmConfigGeral configGeral(banco.modulo(), pasta.caminho());
        TfrmConfiNFE tela(banco.modulo(), banco.gerencia(), configGeral, pasta.caminho());
        if (db::tableExists(*banco.modulo().ibtNFE, "CEP")) {
            try {
                tela.ImportCidadeSql();
            } catch (const ErroImportacaoCep &) {
                // kept in ultimaImportacaoCep
            }
        } else {
            tela.createCep();
        }
        const auto &resultado = tela.ultimaImportacaoCep;
        std::printf("linhas importadas: %d\ncommits: %d\n", resultado.linhasImportadas, resultado.commits);
        if (resultado.erro) {
            std::fprintf(stderr, "%s\n", resultado.erro->c_str());
            return 1;
        }
        if (resultado.commits == 0) {
            std::fprintf(stderr, "a tabela CEP não pôde ser criada\n");
            return 1;
        }
        return 0;
    } catch (const ProgramError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
