#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/db_error.h"
#include "foundation/files/file_utils.h"

#include <stdexcept>

TfrmNFE_2G::TfrmNFE_2G(TdtmNFE_grd &modulo, TabelasNotas &tabelas, std::string pastaPrograma)
    : modulo_(modulo), tabelas_(tabelas), pastaPrograma_(std::move(pastaPrograma))
{
    NotaEletronica = [this] { EnviaNotas(); };
    PedePrintDanfe = [this] { return EnviarPrintDanfe({}); };
    PedeEmail = [this](const std::string &chave, const std::string &emailNfe, const std::string &emailNfe2,
                       const std::string &emailTransp) {
        EnviarEmail(chave, emailNfe, emailNfe2, emailTransp, true);
    };
    OpenPdf = [this](const std::string &caminho) { AbrePdf(caminho); };
    AbreArquivoNoShell = [](const std::string &arquivo) { AbreNoShell(arquivo); };
}

void TfrmNFE_2G::selecionaNota(std::size_t indice)
{
    if (indice >= tabelas_.tblNotas.linhas().size())
        throw std::out_of_range("tblNotas has no row " + std::to_string(indice));
    notaAtual_ = indice;
}

const LinhaNota &TfrmNFE_2G::notaAtual() const
{
    return tabelas_.tblNotas.linhas().at(notaAtual_);
}

void TfrmNFE_2G::escreve(int indent, std::string_view chave, std::string_view valor)
{
    escreve(Sp(indent, chave) + std::string(valor));
}

std::string TfrmNFE_2G::emitente(std::string_view coluna) const
{
    if (!modulo_.tblConfigNFE)
        throw db::DatabaseError(db::DbFailure::Other, "A tabela CONFIGNFE não está aberta");
    return modulo_.tblConfigNFE->field(coluna).asString();
}

bool TfrmNFE_2G::homologacao() const
{
    return emitente("NRO_COPIAS2") == "100";
}

bool TfrmNFE_2G::destinatarioEstrangeiro() const
{
    const int pais = notaAtual().cod_pais;
    return pais != 0 && pais != 1058;
}

bool TfrmNFE_2G::vigeTributosAproximados()
{
    return nowLocal() >= encodeDate(2013, 6, 1);
}

TdtmNFE_grd &TfrmNFE_2G::modulo()
{
    return modulo_;
}

void TfrmNFE_2G::registra(const std::string &ocorrencia)
{
    Ocorrencias.push_back(ocorrencia);
    if (OnGerarLog)
        OnGerarLog(ocorrencia);
}
