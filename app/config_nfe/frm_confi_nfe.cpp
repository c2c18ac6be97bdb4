#include "app/config_nfe/frm_confi_nfe.h"

#include "app/config_geral/frm_config_geral.h"
#include "app/config_nfe/detail/ponto_gravacao.h"
#include "app/dados/dtm_gerencia.h"
#include "app/dados/dtm_nfe_grd.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/text/text_utils.h"

#include <charconv>
#include <utility>
#include <vector>

namespace {

constexpr const char *kColunasInteiras[] = {"COD_MUN_EMI", "COD_UF_EMI", "COD_PAIS_EMI"};

MostraConfiNFE &visao()
{
    static MostraConfiNFE mostra;
    return mostra;
}

bool colunaInteira(std::string_view nome)
{
    for (const char *c : kColunasInteiras)
        if (db::sameFieldName(nome, c))
            return true;
    return false;
}

// "1" when the row is in homologation (NRO_COPIAS2 100), else "0".
std::string ambiente(const TfrmConfiNFE &tela)
{
    return tela.campo("NRO_COPIAS2").asInteger() == 100 ? "1" : "0";
}

std::string regime(const TfrmConfiNFE &tela)
{
    return tela.campo("COD_REG_TRIB").asInteger() == 1 ? "0" : "1";
}

// A municipality code: seven digits whose first two are a state's.
bool codigoMunicipioValido(int codigo)
{
    return codigo >= 1000000 && codigo <= 9999999 && CodigoEstadoValido(codigo / 100000);
}

} // namespace

EstadoBotoesConfiNFE estadoBotoesConfiNFE(db::DataSet::State estado, bool somenteLeitura, bool vazia)
{
    const bool navegando = estado == db::DataSet::State::Browse;
    const bool editando = estado == db::DataSet::State::Edit || estado == db::DataSet::State::Insert;
    return {navegando && !somenteLeitura, navegando && !somenteLeitura && !vazia, editando, editando,
            navegando && !vazia};
}

TfrmConfiNFE::TfrmConfiNFE(TdtmNFE_grd &modulo, TdtmGerencia &gerencia, TfrmConfigGeral &configGeral,
                           std::string pastaPrograma)
    : modulo_(modulo), gerencia_(gerencia), configGeral_(configGeral),
      pastaPrograma_(std::move(pastaPrograma))
{
}

TfrmConfiNFE::~TfrmConfiNFE()
{
    FormDestroy();
}

db::DataSet &TfrmConfiNFE::tabela() const
{
    return *modulo_.tblConfigNFE;
}

EstadoBotoesConfiNFE TfrmConfiNFE::estadoBotoes() const
{
    return estadoBotoesConfiNFE(tabela().state(), false, tabela().isEmpty());
}

db::Value TfrmConfiNFE::campo(std::string_view nome) const
{
    const db::DataSet &t = tabela();
    if (t.state() == db::DataSet::State::Browse && t.isEmpty())
        return {};
    return t.field(nome);
}

std::string TfrmConfiNFE::cnpjDigitos() const
{
    return SomenteNumeros(campo("CNPJ_EMI").asString());
}

void TfrmConfiNFE::editaSeNavegando()
{
    db::DataSet &t = tabela();
    if (t.state() != db::DataSet::State::Browse)
        return;
    if (t.isEmpty())
        t.insert();
    else
        t.edit();
}

void TfrmConfiNFE::defineCampo(std::string_view nome, std::string_view texto)
{
    db::Value valor{std::string(texto)};
    if (colunaInteira(nome)) {
        const std::string aparado(trimText(texto));
        int numero = 0;
        const auto [fim, erro] = std::from_chars(aparado.data(), aparado.data() + aparado.size(), numero);
        if (!aparado.empty() && (erro != std::errc() || fim != aparado.data() + aparado.size()))
            throw ConversionError("'" + std::string(texto) + "' não é um valor inteiro válido");
        valor = aparado.empty() ? db::Value() : db::Value(numero);
    }
    editaSeNavegando();
    tabela().setField(nome, std::move(valor));
}

void TfrmConfiNFE::defineTipoEmissor(std::string_view tipo)
{
    editaSeNavegando();
    tabela().setField("TIPO_EMISSOR", db::Value(tipo));
}

void TfrmConfiNFE::defineRegime(int codigo)
{
    editaSeNavegando();
    tabela().setField("COD_REG_TRIB", db::Value(codigo));
}

void TfrmConfiNFE::defineHomologacao(bool marcado)
{
    editaSeNavegando();
    tabela().setField("NRO_COPIAS2", db::Value(marcado ? 100 : 0));
}

void TfrmConfiNFE::defineCnpjAtivo(bool marcado)
{
    editaSeNavegando();
    tabela().setField("CNPJ_ATIVO", db::Value(marcado ? "T" : "F"));
}

void TfrmConfiNFE::btnNewClick()
{
    if (!estadoBotoes().incluir)
        return;
    db::DataSet &t = tabela();
    t.insert();
    t.setField("COD_PAIS_EMI", db::Value(1058));
    t.setField("PAIS_EMI", db::Value("BRASIL"));
    t.setField("TIPO_EMI", db::Value("J"));
    t.setField("NRO_COPIAS1", db::Value(1));
    t.setField("NRO_COPIAS2", db::Value(0));
    t.setField("CNPJ_ATIVO", db::Value("T"));
    foco = "edtnome";
}

void TfrmConfiNFE::AntesdeSalvarProdutos()
{
    Recusado = false;
    if (trimText(campo("NOM_EMI").asString()).empty()) {
        Recusado = true;
        MsgAtencao("Nome não informado");
        foco = "edtnome";
    }
}

void TfrmConfiNFE::salvaLinha()
{
    // The flat environment setting goes with the row: written only for a row
    // that passed the checks, and undone with it when the post fails.
    emPontoDeGravacao(*modulo_.ibtNFE, [&] {
        configGeral_.Grava_Valor_Referencia(cnpjDigitos(), "rgtipoAmb", ambiente(*this));
        tabela().post();
    });
}

void TfrmConfiNFE::DepoisdeSalvarProdutos()
{
    if (Recusado)
        return;
    modulo_.dtmNFECommit(&tabela());
    // The refresh reads the rows again in name order; the saved row stays
    // the current one.
    const db::Value cnpj = campo("CNPJ_EMI");
    const db::Value nome = campo("NOM_EMI");
    modulo_.dtmNFERefresh();
    if (cnpj.asString().empty() || !tabela().locate("CNPJ_EMI", cnpj))
        tabela().locate("NOM_EMI", nome);
    foco = "btnNew";
}

void TfrmConfiNFE::dbBBtnSaveClick()
{
    if (!estadoBotoes().salvar)
        return;
    AntesdeSalvarProdutos();
    if (Recusado)
        return;
    salvaLinha();
    DepoisdeSalvarProdutos();
}

void TfrmConfiNFE::btnDeleteClick()
{
    if (!estadoBotoes().eliminar || !dialogos().confirmacao("Deseja eliminar o registro ?"))
        return;
    const std::string cnpj = cnpjDigitos();
    try {
        // The company's settings go only together with its emitter row.
        emPontoDeGravacao(*modulo_.ibtNFE, [&] {
            tabela().remove();
            modulo_.DeleteRegistro("Config_geral", "cnpj=?", {db::Value(cnpj)});
        });
    } catch (...) {
        tabela().refresh();
        throw;
    }
    if (!modulo_.dtmNFECommit(&tabela()))
        tabela().refresh();
    foco = "btnNew";
}

void TfrmConfiNFE::btnCancelClick()
{
    tabela().cancel();
    foco = "btnNew";
}

void TfrmConfiNFE::dbBBtnFirstClick()
{
    if (estadoBotoes().navegacao)
        tabela().first();
}

void TfrmConfiNFE::dbBBtnPriorClick()
{
    if (estadoBotoes().navegacao)
        tabela().prior();
}

void TfrmConfiNFE::dbBBtnNextClick()
{
    if (estadoBotoes().navegacao)
        tabela().next();
}

void TfrmConfiNFE::dbBBtnLastClick()
{
    if (estadoBotoes().navegacao)
        tabela().last();
}

void TfrmConfiNFE::btnConfigNfe40Click()
{
    const std::string cnpj = cnpjDigitos();
    configGeral_.CnpjEmpresa = cnpj;
    modulo_.CnpjEmpresa = cnpj;
    const auto texto = [&](const char *coluna) { return campo(coluna).asString(); };
    // clang-format off
    const std::vector<std::pair<std::string, std::pair<std::string, std::string>>> linhas = {
        {"Emitente",   {"CNPJ",             cnpj}},
        {"Emitente",   {"IE",               texto("IE_EMI")}},
        {"Emitente",   {"IM",               texto("IM_EMI")}},
        {"Emitente",   {"RazaoSocial",      texto("NOM_EMI")}},
        {"Emitente",   {"Fantasia",         texto("FAN_EMI")}},
        {"Emitente",   {"Fone",             texto("FONE_EMI")}},
        {"Emitente",   {"CEP",              SomenteNumeros(texto("CEP_EMI"))}},
        {"Emitente",   {"Logradouro",       texto("END_EMI")}},
        {"Emitente",   {"Numero",           texto("NRO_END_EMI")}},
        {"Emitente",   {"Complemento",      texto("COMPL_EMI")}},
        {"Emitente",   {"Bairro",           texto("BAI_EMI")}},
        {"Emitente",   {"CodCidade",        std::to_string(campo("COD_MUN_EMI").asInteger())}},
        {"Emitente",   {"Cidade",           texto("MUN_EMI")}},
        {"Emitente",   {"UF",               texto("UF_EMI")}},
        {"Geral",      {"FormaEmissao",     "0"}},
        {"Emitente",   {"rdRegimeOperacao", regime(*this)}},
        {"WebService", {"Ambiente",         ambiente(*this)}},
    };
    // clang-format on
    emPontoDeGravacao(*modulo_.ibtNFE, [&] {
        for (const auto &[sessao, par] : linhas)
            configGeral_.Grava_Valor_Referencia_Sessao(cnpj, sessao, par.first, par.second, "Campo_Valor");
    });
    if (modulo_.dtmNFECommit() && mostraConfigGeral40)
        mostraConfigGeral40();
}

void TfrmConfiNFE::brnConfigNFEClick()
{
    const std::string cnpj = cnpjDigitos();
    configGeral_.CnpjEmpresa = cnpj;
    const auto texto = [&](const char *coluna) { return campo(coluna).asString(); };
    // clang-format off
    const std::vector<std::pair<std::string, std::string>> linhas = {
        {"edtEmitCNPJ",       cnpj},
        {"edtEmitIE",         texto("IE_EMI")},
        {"edtEmitIM",         texto("IM_EMI")},
        {"edtEmitRazao",      texto("NOM_EMI")},
        {"edtEmitFantasia",   texto("FAN_EMI")},
        {"edtEmitFone",       texto("FONE_EMI")},
        {"edtEmitCEP",        SomenteNumeros(texto("CEP_EMI"))},
        {"edtEmitLogradouro", texto("END_EMI")},
        {"edtEmitNumero",     texto("NRO_END_EMI")},
        {"edtEmitComp",       texto("COMPL_EMI")},
        {"edtEmitBairro",     texto("BAI_EMI")},
        {"edtEmitCodCidade",  std::to_string(campo("COD_MUN_EMI").asInteger())},
        {"edtEmitCidade",     texto("MUN_EMI")},
        {"edtEmitUF",         texto("UF_EMI")},
        {"rgTipoDanfe",       "0"},
        {"rgFormaEmissao",    campo("CONTINGENCIA").asInteger() == 2 ? "1" : "0"},
        {"rdRegimeOperacao",  regime(*this)},
        {"rgtipoAmb",         ambiente(*this)},
        {"rgTipoAmbNFSE",     ambiente(*this)},
    };
    // clang-format on
    emPontoDeGravacao(*modulo_.ibtNFE, [&] {
        for (const auto &[chave, valor] : linhas)
            configGeral_.Grava_Valor_Referencia(cnpj, chave, valor);
    });
    if (modulo_.dtmNFECommit())
        configGeral_.ShowModal();
}

void TfrmConfiNFE::Importarcadastrodegerenci1Click()
{
    if (!MsgConfirmacao("Deseja importar o cadastro da gerencia de sistema ?"))
        return;
    const db::MemoryTable &empresa = gerencia_.tblEmpresa;
    const auto texto = [&](const char *coluna) { return db::Value(empresa.field(coluna).asString()); };
    editaSeNavegando();
    db::DataSet &t = tabela();
    t.setField("NOM_EMI", texto("NOME"));
    t.setField("FAN_EMI", texto("NOME"));
    t.setField("END_EMI", texto("ENDERECO"));
    t.setField("NRO_END_EMI", db::Value(""));
    t.setField("BAI_EMI", texto("BAIRRO"));
    t.setField("MUN_EMI", texto("NOME_CID"));
    if (const int cidade = empresa.field("CIDADE").asInteger(); codigoMunicipioValido(cidade))
        t.setField("COD_MUN_EMI", db::Value(cidade));
    t.setField("UF_EMI", texto("UF"));
    t.setField("CEP_EMI", texto("CEP"));
    t.setField("COD_PAIS_EMI", db::Value(1058));
    t.setField("PAIS_EMI", db::Value("BRASIL"));
    t.setField("FONE_EMI", texto("FONE1"));
    t.setField("CNPJ_EMI", texto("CNPJ"));
    t.setField("CPF_EMI", db::Value(""));
    t.setField("IE_EMI", texto("IE"));
    dbBBtnSaveClick();
}

void TfrmConfiNFE::FormClose()
{
    if (Criar_Forms)
        Criar_Forms();
    if (Ativa_Modelo_Exportacao)
        Ativa_Modelo_Exportacao();
}

void TfrmConfiNFE::FormDestroy()
{
    tblEstados.fecha();
    tblCidades.fecha();
    tblPaises.fecha();
}

void ConfiguracoesDaEmpresa(TdtmNFE_grd &modulo, TdtmGerencia &gerencia, const std::string &pastaPrograma,
                            const std::function<void(TfrmConfiNFE &)> &preparaTela)
{
    TfrmConfigGeral configGeral(modulo, pastaPrograma);
    modulo.dtmNFEOpen({"CONFIGNFE"});
    if (!modulo.tblConfigNFE || !modulo.tblConfigNFE->active())
        return; // the module told why
    {
        TfrmConfiNFE tela(modulo, gerencia, configGeral, pastaPrograma);
        if (preparaTela)
            preparaTela(tela);
        mostraConfiNFE(tela);
    }
    modulo.dtmNFEClose({"CONFIGNFE"});
}

void instalaConfiNFE(MostraConfiNFE mostra)
{
    visao() = std::move(mostra);
}

void mostraConfiNFE(TfrmConfiNFE &tela)
{
    tela.ModalResult = TfrmConfiNFE::ResultadoModal::Nenhum;
    if (visao())
        visao()(tela);
}
