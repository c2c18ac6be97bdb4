#include "app/principal/telas_provisorias.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "foundation/base/quib_exception.h"

namespace {

std::function<std::unique_ptr<TelaModal>()> naoConstruida(const char *nome)
{
    return [nome] { return std::make_unique<TelaNaoConstruida>(nome); };
}

FabricaTelas::Janela janelaVazia()
{
    return std::make_shared<int>(0);
}

} // namespace

std::string textoTelaNaoConstruida(const std::string &nome)
{
    return "A tela \"" + nome + "\" ainda não foi construída nesta versão.";
}

void TelaNaoConstruida::ShowModal()
{
    dialogos().mensagem(textoTelaNaoConstruida(nome_), nome_);
}

void ReimpressaoProvisoria::Ativa_Modelo_Exportacao()
{
    if (modulos_.dtmNFE_grd == nullptr)
        throw ProgramError("O módulo de dados da NF-e não foi criado.");
    TdtmNFE_grd &modulo = *modulos_.dtmNFE_grd;
    modulo.dtmNFEOpen({"ConfigNFE"});
    ModoExportacao = modulo.tblConfigNFE && !modulo.tblConfigNFE->eof() &&
                     modulo.tblConfigNFE->field("TIPO_EMISSOR").asString() == "NFE SEFAZ";
}

FabricaTelas fabricaProvisoria(ModulosDados &modulos)
{
    FabricaTelas fabrica;
    fabrica.ConfiguracoesDaEmpresa = [] { TelaNaoConstruida("Configurações da empresa").ShowModal(); };
    fabrica.ModuloDeGerencia = [] { TelaNaoConstruida("Modulo de Gerencia").ShowModal(); };
    fabrica.criaConfigGeral40 = naoConstruida("Configurações e operações da NF-e");
    fabrica.criaCreateFile = naoConstruida("Alteração de Arquivos");
    fabrica.criaPrint = janelaVazia;
    fabrica.criaFuncoesAplicativo = janelaVazia;
    fabrica.criaPrintNotasPov = [&modulos] { return std::make_shared<ReimpressaoProvisoria>(modulos); };
    fabrica.criaAvisoAbertura = janelaVazia;
    fabrica.criaSelecionarCertificado = janelaVazia;
    return fabrica;
}
