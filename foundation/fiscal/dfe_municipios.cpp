#include "foundation/fiscal/dfe_municipios.h"

#include <charconv>
#include <filesystem>
#include <memory>

#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

std::unique_ptr<TQuibIBGE> &diretorio()
{
    static std::unique_ptr<TQuibIBGE> instance;
    return instance;
}

// The state code in the first two digits of the municipality code; 0 when
// they are not a number.
int codigoUFDoMunicipio(int cMun)
{
    const std::string prefixo = std::to_string(cMun).substr(0, 2);
    int codigo = 0;
    std::from_chars(prefixo.data(), prefixo.data() + prefixo.size(), codigo);
    return codigo;
}

} // namespace

TQuibIBGE &DiretorioMunicipios(std::string_view Pasta)
{
    std::unique_ptr<TQuibIBGE> &instance = diretorio();
    if (!instance)
        instance = std::make_unique<TQuibIBGE>();
    const std::string pasta = trimText(Pasta).empty() ? PastaDeCacheDoUsuario() : IncluiBarraFinal(Pasta);
    std::string nome = std::filesystem::path(instance->CacheArquivo()).filename().string();
    if (nome.empty())
        nome = TQuibIBGE::kCacheArquivoPadrao;
    instance->SetCacheArquivo(pasta + nome);
    return *instance;
}

void LiberaDiretorioMunicipios()
{
    diretorio().reset();
}

std::string NomeMunicipioPorCodigo(int cMun, std::string &UF, std::string_view Pasta, bool Levanta)
{
    UF.clear();
    if (!CodigoUFValido(codigoUFDoMunicipio(cMun)))
        return {};
    try {
        TQuibIBGE &diretorioMunicipios = DiretorioMunicipios(Pasta);
        if (diretorioMunicipios.ProcurarPorCodigo(cMun) == 0)
            return {};
        const TQuibIBGECidade &cidade = diretorioMunicipios.ResultadoBusca().ObterItem(0);
        UF = cidade.SiglaUF;
        return cidade.NomeMunicipio;
    } catch (const std::exception &erro) {
        if (Levanta)
            throw EQuibDFeException(erro.what());
        return {};
    }
}

int CodigoMunicipioPorNome(std::string_view xMun, std::string_view UF, std::string_view Pasta)
{
    TQuibIBGE &diretorioMunicipios = DiretorioMunicipios(Pasta);
    if (diretorioMunicipios.ProcurarPorNome(xMun, UF, false) == 0)
        return 0;
    return diretorioMunicipios.ResultadoBusca().ObterItem(0).CodigoMunicipio;
}
