// The emitter screen's reference lists and its state and city pickers.

#include "app/config_nfe/frm_confi_nfe.h"

#include "app/dialogs/dialogos.h"
#include "app/funcoes/ufuncoes.h"

void TfrmConfiNFE::CreateFileEstadoCidade()
{
    const auto arquivo = localizaArquivo(pastaPrograma_, kArquivoCidades);
    if (!arquivo) {
        dialogos().mensagem("Tabela de cidades não localizada", kTitulo);
        return;
    }
    if (tblEstados.aberta())
        return;
    tblEstados.abre();
    tblCidades.abre();
    const auto ordena = [&] {
        tblEstados.ordena([](const EstadoIBGE &e) { return e.Estado; });
        tblCidades.ordena([](const CidadeIBGE &c) { return c.Cidade; });
    };
    // A code that is not a number stops the load; the lists stay open with
    // the rows read, so they are not read again.
    try {
        carregaEstadosCidades(*arquivo, tblEstados, tblCidades);
    } catch (...) {
        ordena();
        throw;
    }
    ordena();
}

void TfrmConfiNFE::CreateFilePais()
{
    const auto arquivo = localizaArquivo(pastaPrograma_, kArquivoPaises);
    if (!arquivo) {
        dialogos().mensagem("Tabela de paises não localizada", kTitulo);
        return;
    }
    if (tblPaises.aberta())
        return;
    tblPaises.abre();
    carregaPaises(*arquivo, tblPaises);
    tblPaises.ordena([](const PaisIBGE &p) { return p.nome_pais; });
}

void TfrmConfiNFE::btnBuscaCidadesClick()
{
    CreateFileEstadoCidade();
    CreateFilePais();
    gridCid = {!gridCid.visivel, 112, 188, 480, 310};
    if (gridCid.visivel) {
        btnBuscaCidades = {122, "Confirmar cidade"};
        const int estado = campo("COD_UF_EMI").asInteger();
        tblCidades.filtra([estado](const CidadeIBGE &c) { return c.Estado == estado; });
        const std::string nome = campo("MUN_EMI").asString();
        tblCidades.localiza([&](const CidadeIBGE &c) { return c.Cidade == nome; });
        return;
    }
    btnBuscaCidades = {22, ""};
    // With no city shown (no list file, a state without cities) the row
    // keeps its city.
    if (const CidadeIBGE *cidade = tblCidades.atual()) {
        editaSeNavegando();
        tabela().setField("COD_MUN_EMI", db::Value(cidade->cod_ibge));
        tabela().setField("MUN_EMI", db::Value(cidade->Cidade));
    }
    tblCidades.semFiltro();
}

void TfrmConfiNFE::btnBuscaEstadosClick()
{
    CreateFileEstadoCidade();
    CreateFilePais();
    gridUf = {!gridUf.visivel, 390, 215, 300, 275};
    if (gridUf.visivel) {
        btnBuscaEstados = {122, "Confirmar estado"};
        tblEstados.ordena([](const EstadoIBGE &e) { return e.Estado; });
        return;
    }
    btnBuscaEstados = {22, ""};
    if (const EstadoIBGE *estado = tblEstados.atual()) {
        editaSeNavegando();
        tabela().setField("COD_UF_EMI", db::Value(estado->Estado));
        tabela().setField("UF_EMI", db::Value(estado->UF));
    }
}

void TfrmConfiNFE::edtcodufExit()
{
    if (!CodigoEstadoValido(campo("COD_UF_EMI").asInteger())) {
        MsgAtencao("Codigo do estado inválido");
        foco = "edtcoduf";
    }
}
