#include "monitor_client/tabelas_notas.h"

#include "app/funcoes/funcoes_kvl.h"

#include <stdexcept>

namespace {

template <typename Linha> void exigeAberta(const TabelaNotas<Linha> &tabela, const char *nome)
{
    if (!tabela.aberta())
        throw std::logic_error(std::string("a tabela ") + nome + " está fechada");
}

void semSeparadorDeMilhar(LinhaItem &item)
{
    item.sub_tot_pro = RemoveCaractere(item.sub_tot_pro, ",");
    item.qtd_pro = RemoveCaractere(item.qtd_pro, ",");
    item.vlr_uni_pro = RemoveCaractere(item.vlr_uni_pro, ",");
}

} // namespace

TabelasNotas::TabelasNotas()
    : tblNotas(camposNotas()), tblItens(camposItens()), tblObsCorpo(camposObsCorpo()),
      tblFatura(camposFatura()), tblVolumes(camposVolumes()), tblLotesMed(camposLotesMed())
{
}

void TabelasNotas::CloseFile()
{
    const auto fecha = [](auto &tabela) {
        tabela.linhas_.clear();
        tabela.aberta_ = false;
    };
    fecha(tblNotas);
    fecha(tblItens);
    fecha(tblObsCorpo);
    fecha(tblFatura);
    fecha(tblVolumes);
    fecha(tblLotesMed);
}

void TabelasNotas::OpenFile()
{
    CloseFile();
    const auto abre = [](auto &tabela) { tabela.aberta_ = true; };
    abre(tblFatura);
    abre(tblNotas);
    abre(tblItens);
    abre(tblObsCorpo);
    abre(tblVolumes);
    abre(tblLotesMed);
    LinhasPorPagina = 30;
}

void TabelasNotas::posta(LinhaNota linha)
{
    exigeAberta(tblNotas, "tblNotas");
    tblNotas.linhas_.push_back(std::move(linha));
}

void TabelasNotas::posta(LinhaItem linha)
{
    exigeAberta(tblItens, "tblItens");
    semSeparadorDeMilhar(linha);
    tblItens.linhas_.push_back(std::move(linha));
}

void TabelasNotas::posta(LinhaObsCorpo linha)
{
    exigeAberta(tblObsCorpo, "tblObsCorpo");
    tblObsCorpo.linhas_.push_back(std::move(linha));
}

void TabelasNotas::posta(LinhaFatura linha)
{
    exigeAberta(tblFatura, "tblFatura");
    tblFatura.linhas_.push_back(std::move(linha));
}

void TabelasNotas::posta(LinhaVolume linha)
{
    exigeAberta(tblVolumes, "tblVolumes");
    tblVolumes.linhas_.push_back(std::move(linha));
}

void TabelasNotas::posta(LinhaLoteMed linha)
{
    exigeAberta(tblLotesMed, "tblLotesMed");
    // The lot is posted while its item is the current row.
    if (!tblItens.linhas_.empty())
        semSeparadorDeMilhar(tblItens.linhas_.back());
    tblLotesMed.linhas_.push_back(std::move(linha));
}
