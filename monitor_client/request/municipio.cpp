// Municipality codes of the request document: the city list beside the
// program, then the names the CEP table gives for the postal code.

#include "monitor_client/frm_nfe_2g.h"

#include "app/config_nfe/frm_confi_nfe.h"
#include "app/config_nfe/listas_referencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"

namespace {

// Names are compared as the city list holds them: upper case, accents and
// apostrophes folded.
std::string nomeDaLista(std::string_view nome)
{
    return NormalizaTexto(upperWithAccents(nome));
}

} // namespace

void TfrmNFE_2G::carregaCidades()
{
    if (cidadesCarregadas_)
        return;
    const auto arquivo = localizaArquivo(pastaPrograma_, TfrmConfiNFE::kArquivoCidades);
    if (!arquivo) {
        dialogos().mensagem("Tabela de cidades não localizada", TfrmConfiNFE::kTitulo);
        return;
    }
    cidadesCarregadas_ = true;
    ListaReferencia<EstadoIBGE> estados;
    ListaReferencia<CidadeIBGE> cidades;
    estados.abre();
    cidades.abre();
    carregaEstadosCidades(*arquivo, estados, cidades);
    for (std::size_t i = 0; i < cidades.quantidade(); ++i) {
        const auto &cidade = cidades.linha(i);
        // The first row of a name in the file's order answers for it.
        cidadesPorEstado_[cidade.Estado].try_emplace(cidade.Cidade, std::to_string(cidade.cod_ibge));
    }
}

std::string TfrmNFE_2G::BuscaCidade_IBGE(std::string_view cidade, std::string_view uf, std::string_view cep)
{
    carregaCidades();
    const std::string sigla = upperAscii(uf);
    const int estado = inteiroDoCampo(BuscaEstado(0, sigla), "uf");
    const auto lista = cidadesPorEstado_.find(estado);
    const auto procura = [&](std::string_view nome) -> std::string {
        if (lista == cidadesPorEstado_.end())
            return {};
        const auto achada = lista->second.find(nomeDaLista(nome));
        return achada == lista->second.end() ? std::string() : achada->second;
    };
    if (auto codigo = procura(cidade); !codigo.empty())
        return codigo;
    if (!modulo_.SelectFile("1", "CEP", "(cep_10=?) and (uf_cid=?)",
                            {db::Value(std::string(cep)), db::Value(sigla)}))
        return "0";
    for (auto &consulta = modulo_.qrySelect1; !consulta.eof(); consulta.proximo())
        if (auto codigo = procura(consulta.campo("Nom_Cid").asString()); !codigo.empty())
            return codigo;
    return "0";
}
