#include "app/dados/frm_path_ib.h"

#include "app/dados/dtm_gerencia.h"
#include "app/dados/texto_sql.h"
#include "app/dialogs/dialogos.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "foundation/text/text_utils.h"
#include "foundation/text/utf8.h"

#include <cctype>

std::string AliasPathIb(std::string_view alias)
{
    return upperWithAccents(utf8Prefix(alias, 15));
}

std::string EnderecoPathIb(std::string_view servidor, std::string_view path)
{
    const std::string endereco = std::string(servidor) + std::string(path);
    const std::string extensao = ExtensaoArquivo(endereco);
    if (extensao == ".GDB" || extensao == ".KVL")
        return endereco;
    return BarraFinal(endereco);
}

TfrmPathIB::TfrmPathIB(TdtmGerencia &gerencia) : gerencia_(gerencia) {}

db::DataSet &TfrmPathIB::pathIb()
{
    transacaoConectada(gerencia_.ibtGerencia.get(), "gerência");
    return *gerencia_.tblPathIb;
}

void TfrmPathIB::FormActivate()
{
    db::DataSet &tabela = pathIb();
    if (CodEmpresa > 0) {
        const int codigo = CodEmpresa;
        tabela.setFilter(
            [codigo](const db::DataSet &linha) { return linha.field("COD_EMP").asInteger() == codigo; });
    } else {
        tabela.setFilter({});
    }
    if (tabela.state() == db::DataSet::State::Browse)
        tabela.refresh();
}

void TfrmPathIB::FormClose()
{
    CodEmpresa = 0;
    db::DataSet *tabela = gerencia_.tblPathIb.get();
    if (!tabela)
        return;
    tabela->setFilter({});
    if (tabela->state() != db::DataSet::State::Inactive && tabela->state() != db::DataSet::State::Browse)
        tabela->cancel();
    if (tabela->state() == db::DataSet::State::Browse)
        tabela->refresh();
}

void TfrmPathIB::btnIncluirClick()
{
    db::DataSet &tabela = pathIb();
    tabela.insert();
    tabela.setField("COD_EMP", db::Value(0));
}

void TfrmPathIB::btnExcluirClick()
{
    pathIb().remove();
}

void TfrmPathIB::btnSalvarClick()
{
    db::DataSet &tabela = pathIb();
    tabela.setField("COD_EMP", db::Value(CodEmpresa));
    tabela.post();
}

void TfrmPathIB::btnCancelarClick()
{
    pathIb().cancel();
}

void TfrmPathIB::defineCampo(std::string_view campo, std::string_view valor)
{
    db::DataSet &tabela = pathIb();
    if (tabela.state() == db::DataSet::State::Browse)
        tabela.edit();
    tabela.setField(
        campo, db::Value(db::sameFieldName(campo, "ALIAS_IB") ? AliasPathIb(valor) : std::string(valor)));
}

void TfrmPathIB::btnLocalizaClick()
{
    db::DataSet &tabela = pathIb();
    const auto arquivo = dialogos().abrirArquivo(kFiltro, tabela.field("PATH_IB").asString());
    if (!arquivo)
        return;
    std::string path = *arquivo;
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        path.erase(0, 2);
    defineCampo("PATH_IB", path);
}

std::string TfrmPathIB::LoadExtensao(std::string_view alias)
{
    db::DataSet &tabela = pathIb();
    if (!tabela.locate("ALIAS_IB", db::Value(AliasPathIb(alias))))
        return {};
    return ExtensaoArquivo(tabela.field("SERVIDOR_IB").asString() + tabela.field("PATH_IB").asString());
}

std::string TfrmPathIB::enderecoDaLinha()
{
    const db::DataSet &tabela = pathIb();
    return EnderecoPathIb(tabela.field("SERVIDOR_IB").asString(), tabela.field("PATH_IB").asString());
}

void TfrmPathIB::ShowModal(int codEmpresa)
{
    CodEmpresa = codEmpresa;
    if (exibeModal)
        exibeModal();
    else
        FormClose();
}

std::string TfrmPathIB::LoadPathIb(std::string_view aliasDigitado)
{
    const std::string alias = AliasPathIb(aliasDigitado);
    std::size_t linhas = 0;
    for (bool ha = gerencia_.SelectFile("2", "PATHIB", "ALIAS_IB = ?", {db::Value(alias)});
         ha && !gerencia_.qrySelect2.eof(); gerencia_.qrySelect2.proximo())
        ++linhas;
    gerencia_.qrySelect2.fecha();

    db::DataSet &tabela = pathIb();
    if (linhas > 1) {
        const int empresa = gerencia_.tblEmpresa.field("CODIGO").asInteger();
        const auto procura = [&] {
            const bool achou = gerencia_.SelectFile("1", "PathIB", "(cod_emp = ?) and (Alias_Ib = ?)",
                                                    {db::Value(empresa), db::Value(alias)});
            std::string endereco;
            if (achou)
                endereco = EnderecoPathIb(gerencia_.qrySelect1.campo("SERVIDOR_IB").asString(),
                                          gerencia_.qrySelect1.campo("PATH_IB").asString());
            gerencia_.qrySelect1.fecha();
            return endereco;
        };
        if (std::string endereco = procura(); !endereco.empty())
            return endereco;
        dialogos().mensagem(kSemEnderecoEmpresa, kTitulo);
        CodEmpresa = empresa;
        FormActivate();
        tabela.insert();
        tabela.setField("ALIAS_IB", db::Value(alias));
        tabela.setField("COD_EMP", db::Value(empresa));
        ShowModal(empresa);
        return procura();
    }

    if (tabela.state() == db::DataSet::State::Browse && tabela.locate("ALIAS_IB", db::Value(alias)))
        return enderecoDaLinha();
    tabela.insert();
    tabela.setField("ALIAS_IB", db::Value(alias));
    tabela.setField("COD_EMP", db::Value(0));
    ShowModal(0);
    if (tabela.state() == db::DataSet::State::Browse && tabela.locate("ALIAS_IB", db::Value(alias)))
        return enderecoDaLinha();
    return {};
}
