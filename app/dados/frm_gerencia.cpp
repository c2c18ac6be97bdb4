#include "app/dados/frm_gerencia.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/frm_path_ib.h"
#include "app/dados/texto_sql.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "app/shell_constants.h"
#include "foundation/text/text_utils.h"

#include <charconv>

namespace {

using State = db::DataSet::State;

// The report e-mail settings in the order they are written.
constexpr const char *kChaveEmail = "edtEmail_email";
constexpr const char *kChaveSmtp = "edtEmail_smtp";
constexpr const char *kChaveSenha = "edtEmail_senha";
constexpr const char *kChavePasta = "edtPathtmpEmail";
constexpr const char *kChavePdf = "edtPrintPdf";
constexpr const char *kChavePorta = "edtEmail_Porta";

bool editando(const db::DataSet &tabela)
{
    return tabela.state() == State::Edit || tabela.state() == State::Insert;
}

bool emMaiusculas(std::string_view campo, std::initializer_list<std::string_view> campos)
{
    for (std::string_view nome : campos)
        if (db::sameFieldName(campo, nome))
            return true;
    return false;
}

void defineCampo(db::DataSet &tabela, std::string_view campo, std::string_view valor, bool maiusculas)
{
    if (tabela.state() == State::Browse)
        tabela.edit();
    tabela.setField(campo, db::Value(maiusculas ? upperWithAccents(valor) : std::string(valor)));
}

} // namespace

TfrmGerencia::TfrmGerencia(TdtmGerencia &gerencia, Ambiente ambiente)
    : gerencia_(gerencia), ambiente_(std::move(ambiente))
{
    tmeSenha.SetKey(kChaveCifraSenha);
    leConfigEmail();
}

void TfrmGerencia::leConfigEmail()
{
    edtEMail_ = gerencia_.Busca_Valor_Referencia(kChaveEmail);
    edtSMTP = gerencia_.Busca_Valor_Referencia(kChaveSmtp);
    edtPassword = gerencia_.Busca_Valor_Referencia(kChaveSenha);
    edtPathtmpEmail = gerencia_.Busca_Valor_Referencia(kChavePasta);
    edtPrintPdf = gerencia_.Busca_Valor_Referencia(kChavePdf);
    const std::string guardada = "0" + gerencia_.Busca_Valor_Referencia(kChavePorta);
    long numero = 0;
    const auto [fim, erro] = std::from_chars(guardada.data(), guardada.data() + guardada.size(), numero);
    const bool ehNumero = erro == std::errc() && fim == guardada.data() + guardada.size();
    if (ehNumero && numero == 25) {
        porta = Porta::P25;
    } else if (ehNumero && numero == 587) {
        porta = Porta::P587;
    } else {
        porta = Porta::Outra;
        // A stored text that is no number is shown as it is.
        edtNOutraPort = ehNumero ? std::to_string(numero) : guardada.substr(1);
    }
}

std::string TfrmGerencia::valorPorta() const
{
    switch (porta) {
    case Porta::P25:
        return "25";
    case Porta::P587:
        return "587";
    default:
        return edtNOutraPort;
    }
}

void TfrmGerencia::gravaConfigEmail()
{
    gerencia_.Grava_Valor_Referencia(kChaveEmail, edtEMail_);
    gerencia_.Grava_Valor_Referencia(kChaveSmtp, edtSMTP);
    gerencia_.Grava_Valor_Referencia(kChaveSenha, edtPassword);
    gerencia_.Grava_Valor_Referencia(kChavePasta, edtPathtmpEmail);
    gerencia_.Grava_Valor_Referencia(kChavePdf, edtPrintPdf);
    gerencia_.Grava_Valor_Referencia(kChavePorta, valorPorta());
}

std::string TfrmGerencia::HabilitaDesabilita(std::string_view texto, int flag)
{
    tmeSenha.SetAction(flag == 1 ? atEncryption : atDecryption);
    tmeSenha.SetInput(texto);
    tmeSenha.Execute();
    return tmeSenha.Output();
}

void TfrmGerencia::FormActivate()
{
    transacaoConectada(gerencia_.ibtGerencia.get(), "gerência");
    const int sistema = CodigoSistema;
    db::DataSet &usuarios = this->usuarios();
    usuarios.setFilter(
        [sistema](const db::DataSet &linha) { return linha.field("SISTEMA").asInteger() == sistema; });
    if (usuarios.state() == State::Browse)
        usuarios.refresh();
    pagina = Pagina::Usuarios;
    lblcodigo = "Código do sistema = " + std::to_string(CodigoSistema);
    if (gerencia_.NivelUsuario != 0) {
        MsgAtencao("O nível do usuário em uso nao permite o acesso a este modulo...");
        gerencia_.dtmGerenciaClose();
        semDados = true;
    }
}

void TfrmGerencia::FormClose()
{
    for (db::DataSet *tabela :
         {gerencia_.tblUsuarios.get(), gerencia_.tblEmpresaHD.get(), gerencia_.tblRegistro.get()})
        if (tabela && editando(*tabela))
            tabela->cancel();
    if (db::DataSet *usuarios = gerencia_.tblUsuarios.get()) {
        usuarios->setFilter({});
        if (usuarios->state() == State::Browse)
            usuarios->refresh();
    }
}

void TfrmGerencia::defineCampoUsuario(std::string_view campo, std::string_view valor)
{
    defineCampo(usuarios(), campo, valor, emMaiusculas(campo, {"USUARIO", "USERNAME"}));
}

void TfrmGerencia::defineCampoEmpresa(std::string_view campo, std::string_view valor)
{
    defineCampo(empresas(), campo, valor,
                emMaiusculas(campo, {"NOME", "ENDERECO", "BAIRRO", "CEP", "CNPJ", "IE", "NOME_CID", "UF"}));
}

db::DataSet &TfrmGerencia::tabela(const std::unique_ptr<db::DataSet> &aberta)
{
    transacaoConectada(gerencia_.ibtGerencia.get(), "gerência");
    return *aberta;
}

db::DataSet &TfrmGerencia::usuarios()
{
    return tabela(gerencia_.tblUsuarios);
}

db::DataSet &TfrmGerencia::empresas()
{
    return tabela(gerencia_.tblEmpresaHD);
}

db::DataSet &TfrmGerencia::registro()
{
    return tabela(gerencia_.tblRegistro);
}

BotoesDados TfrmGerencia::botoesUsuarios() const
{
    return estadoBotoes(gerencia_.tblUsuarios.get());
}

BotoesDados TfrmGerencia::botoesEmpresa() const
{
    return estadoBotoes(gerencia_.tblEmpresaHD.get());
}

// --- Users page ---

void TfrmGerencia::UsuariosIncluir()
{
    db::DataSet &usuarios = this->usuarios();
    usuarios.insert();
    usuarios.setField("NIVEL", db::Value(0));
    edtSenha.clear();
    edtConfirma.clear();
    foco = "edtUsuario";
}

void TfrmGerencia::UsuariosEliminar()
{
    usuarios().remove();
    foco = "btnIncluirUsuario";
}

void TfrmGerencia::UsuariosCancelar()
{
    usuarios().cancel();
    foco = "btnIncluirUsuario";
}

void TfrmGerencia::UsuariosSalvar()
{
    db::DataSet &usuarios = this->usuarios();
    usuarios.setField("SENHA", db::Value(HabilitaDesabilita(
                                   edtSenha.empty() ? kSenhaPadrao : std::string_view(edtSenha), 1)));
    usuarios.setField("SISTEMA", db::Value(CodigoSistema));
    gravaConfigEmail();
    usuarios.post();
    gerencia_.dtmGerenciaCommit();
    foco = "btnIncluirUsuario";
}

void TfrmGerencia::edtSenhaEnter()
{
    db::DataSet &usuarios = this->usuarios();
    if (usuarios.state() == State::Browse) {
        if (usuarios.isEmpty())
            return;
        usuarios.edit();
    }
    edtSenha = HabilitaDesabilita(usuarios.field("SENHA").asString(), 0);
}

void TfrmGerencia::edtConfirmaExit()
{
    if (edtConfirma != edtSenha) {
        MsgAtencao("Sua Senha não confere, digite-a novamente");
        foco = "edtSenha";
    } else {
        foco = "edtNivel";
    }
}

void TfrmGerencia::edtNivelExit()
{
    foco = "btnSalvarUsuario";
}

void TfrmGerencia::dtsuserDataChange()
{
    const db::DataSet *usuarios = gerencia_.tblUsuarios.get();
    if (!usuarios || usuarios->state() != State::Edit)
        return;
    edtSenha = HabilitaDesabilita(usuarios->field("SENHA").asString(), 0);
    edtConfirma = edtSenha;
}

// --- Company page ---

void TfrmGerencia::EmpresaIncluir()
{
    db::DataSet &empresas = this->empresas();
    empresas.insert();
    empresas.setField("CODIGO", db::Value(0));
    foco = "edtNome";
}

void TfrmGerencia::EmpresaEliminar()
{
    empresas().remove();
    foco = "btnIncluirEmpresa";
}

void TfrmGerencia::EmpresaCancelar()
{
    empresas().cancel();
    foco = "btnIncluirEmpresa";
}

void TfrmGerencia::EmpresaSalvar()
{
    db::DataSet &empresas = this->empresas();
    ConsultaSelecao &maximo = gerencia_.qrySelect2;
    maximo.abre(transacaoConectada(gerencia_.ibtGerencia.get(), "gerência"),
                "Select Max(codigo) from Empresa");
    if (empresas.state() == State::Insert && empresas.field("CODIGO").asInteger() < 1)
        empresas.setField("CODIGO", db::Value(maximo.campo("MAX").asInteger() + 1));
    empresas.setField(
        "CIDADEUF", db::Value(empresas.field("NOME_CID").asString() + "/" + empresas.field("UF").asString()));
    maximo.fecha();
    gravaConfigEmail();
    empresas.post();
    gerencia_.dtmGerenciaCommit();
    foco = "btnIncluirEmpresa";
}

void TfrmGerencia::edtCnpjExit()
{
    const db::DataSet &empresas = this->empresas();
    if (!editando(empresas))
        return;
    const std::string digitos = SomenteNumeros(empresas.field("CNPJ").asString());
    const bool cpf = digitos.size() == 11;
    if (!ValidaCnpjCpf(digitos, cpf ? "F" : "J", false)) {
        MsgAtencao(cpf ? "CPF inválido" : "CNPJ inválido");
        foco = "edtCnpj";
    }
}

void TfrmGerencia::btnEmpresaPadraoClick()
{
    const int codigo = empresas().field("CODIGO").asInteger();
    if (codigo <= 0) {
        MsgAtencao("Empresa nao cadastrada");
        return;
    }
    const std::string chave = "EMP.DEF.SIS.=" + std::to_string(CodigoSistema);
    db::DataSet &registro = this->registro();
    for (registro.first(); !registro.eof(); registro.next()) {
        if (registro.field("NROSERIE").asString() == chave) {
            registro.edit();
            registro.setField("NROSERIE", db::Value(chave));
            registro.setField("DESCRICAO", db::Value(std::to_string(codigo)));
            registro.post();
            return;
        }
    }
    registro.insert();
    registro.setField("NROSERIE", db::Value(chave));
    registro.setField("DESCRICAO", db::Value(std::to_string(codigo)));
    registro.post();
}

void TfrmGerencia::btnPathIbEmpresaClick()
{
    if (ambiente_.pathIb)
        ambiente_.pathIb->ShowModal(empresas().field("CODIGO").asInteger());
}

void TfrmGerencia::ConfiguracoesSalvar()
{
    gravaConfigEmail();
    empresas().post();
    gerencia_.dtmGerenciaCommit();
}
