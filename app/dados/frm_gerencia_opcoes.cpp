// The additional options of the management module screen: the company column
// of PATHIB, the older-data upgrade, the printer grid and the database
// settings. See frm_gerencia.h.
#include "app/dados/dtm_gerencia.h"
#include "app/dados/frm_gerencia.h"
#include "app/dados/frm_path_ib.h"
#include "app/dados/texto_sql.h"
#include "app/db/statement.h"
#include "app/funcoes/funcoes_kvl.h"
#include "app/funcoes/ufuncoes.h"
#include "app/relatorios/frm_rdp.h"
#include "app/relatorios/matriz_impressora.h"
#include "app/shell_constants.h"
#include "foundation/base/quib_exception.h"
#include "foundation/dates/date_time.h"

#include <charconv>

namespace {

// The whole number typed in a box; ConversionError naming the box otherwise.
int inteiroDaCaixa(const std::string &texto, std::string_view caixa)
{
    int numero = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    if (texto.empty() || erro != std::errc() || fim != texto.data() + texto.size())
        throw ConversionError("\"" + texto + "\" não é um número inteiro válido em " + std::string(caixa));
    return numero;
}

std::string hojeComoTexto()
{
    return FormataDataHora("DD/MM/AAAA", nowLocal());
}

} // namespace

void TfrmGerencia::btnCodEmpClick()
{
    try {
        db::executeSql(transacaoConectada(gerencia_.ibtGerencia.get(), "gerência"),
                       "Alter Table PATHIB \nadd COD_EMP INTEGER");
        gerencia_.dtmGerenciaCommit();
    } catch (const ProgramError &) {
        MsgAtencao("Processo não concluído...\r\nvariáveis já criadas...");
        return;
    }
    MsgAtencao("Processo Concluído...");
}

void TfrmGerencia::copia(const TabelaAntiga &linhas,
                         const std::function<void(const LinhaAntiga &)> &copiaLinha)
{
    PorcentoMax = static_cast<int>(linhas.size());
    PorcentoPos = 0;
    for (const LinhaAntiga &linha : linhas) {
        ++PorcentoPos;
        if (aoProgredir)
            aoProgredir();
        copiaLinha(linha);
    }
}

void TfrmGerencia::UpUsuarios(const TabelaAntiga &linhas)
{
    db::DataSet &destino = usuarios();
    copia(linhas, [&](const LinhaAntiga &linha) {
        destino.insert();
        destino.setField("USUARIO", valorAntigo(linha, "Usuario"));
        destino.setField("USERNAME", valorAntigo(linha, "Username"));
        destino.setField("SENHA", valorAntigo(linha, "Senha"));
        destino.setField("NIVEL", valorAntigo(linha, "Nivel"));
        destino.setField("SISTEMA", valorAntigo(linha, "Sistema"));
        destino.post();
    });
}

void TfrmGerencia::UpPathIB(const TabelaAntiga &linhas)
{
    db::DataSet &destino = tabela(gerencia_.tblPathIb);
    copia(linhas, [&](const LinhaAntiga &linha) {
        destino.insert();
        destino.setField("ALIAS_IB", valorAntigo(linha, "Alias_IB"));
        destino.setField("SERVIDOR_IB", valorAntigo(linha, "Servidor_IB"));
        destino.setField("PATH_IB", valorAntigo(linha, "Path_IB"));
        destino.post();
    });
}

void TfrmGerencia::UpEmpresa(const TabelaAntiga &linhas)
{
    db::DataSet &destino = empresas();
    copia(linhas, [&](const LinhaAntiga &linha) {
        const auto normalizado = [&](std::string_view coluna) {
            return db::Value(NormalizaTexto(valorAntigo(linha, coluna).asString()));
        };
        destino.insert();
        destino.setField("CODIGO", valorAntigo(linha, "Codigo"));
        destino.setField("NOME", normalizado("Nome"));
        destino.setField("ENDERECO", normalizado("Endereco"));
        destino.setField("BAIRRO", normalizado("Bairro"));
        destino.setField("CIDADE", db::Value(valorAntigo(linha, "Cidade").asInteger()));
        destino.setField("NOME_CID", normalizado("CidadeUF"));
        for (const char *coluna : {"Cep", "Fone1", "Fone2", "Fax", "CNPJ", "IE"})
            destino.setField(coluna, valorAntigo(linha, coluna));
        destino.setField("EMAIEL", normalizado("Emaiel"));
        destino.setField("RODAPE", normalizado("Rodape"));
        destino.setField("CIDADEUF", normalizado("CidadeUF"));
        destino.post();
    });
}

void TfrmGerencia::btnUpgradeClick()
{
    if (edtsenup != kSenhaUpgrade) {
        MsgAtencao("Senha não confere");
        return;
    }
    if (!ambiente_.dadosAntigos) {
        MsgAtencao("Os dados do sistema antigo não estão disponíveis neste computador.");
        return;
    }
    if (!MsgConfirmacao("Fazer upgrade de dados"))
        return;
    UpUsuarios(ambiente_.dadosAntigos("USUARIOS"));
    UpPathIB(ambiente_.dadosAntigos("PATHIB"));
    UpEmpresa(ambiente_.dadosAntigos("EMPRESA"));
    gerencia_.dtmGerenciaCommit();
}

void TfrmGerencia::btnImprimirMatrizClick()
{
    const int largura = inteiroDaCaixa(edtComp, "Compactação");
    const int linhas = inteiroDaCaixa(edtLin, "Linhas");
    const int linhasPorPolegada = inteiroDaCaixa(edtLpol, "Linhas p/ Pol");
    ImprimeMatrizImpressora(ambiente_.rdp ? *ambiente_.rdp : frmRdp(), linhas, linhasPorPolegada, largura,
                            ambiente_.hoje ? ambiente_.hoje() : hojeComoTexto(), true);
}

void TfrmGerencia::btnPathIbClick()
{
    if (ambiente_.pathIb)
        ambiente_.pathIb->ShowModal(0);
}

void TfrmGerencia::btnConfigGerenciaClick()
{
    if (ambiente_.configGerencia)
        ambiente_.configGerencia();
}

void TfrmGerencia::btnSalvarEmailClick()
{
    gravaConfigEmail();
    gerencia_.dtmGerenciaCommit();
}
