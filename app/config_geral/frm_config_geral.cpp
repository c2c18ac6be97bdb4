#include "app/config_geral/frm_config_geral.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/statement.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/quib_nfe.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

namespace {

constexpr std::string_view kPontoGravacao = "GRAVA_CONFIG_GERAL";
// The walk over the company's rows ends on the row the flat lookup prefers
// (a row without section, then the lowest section), so a key with rows in
// several sections loads as the flat lookup reads it.
constexpr std::string_view kOrdemVarredura =
    "CASE WHEN SESSAO_REFERENCIA IS NULL OR SESSAO_REFERENCIA = 'V-3.0' THEN 1 ELSE 0 END, "
    "SESSAO_REFERENCIA DESC";

// The stored text with "0" put in front, read as a whole number.
int indiceArmazenado(std::string_view chave, std::string_view valor)
{
    const std::string texto = "0" + std::string(valor);
    int numero = 0;
    const char *fim = texto.data() + texto.size();
    const auto [ate, erro] = std::from_chars(texto.data(), fim, numero);
    if (erro != std::errc() || ate != fim)
        throw ConversionError("'" + texto + "' não é um valor inteiro válido (" + std::string(chave) + ").");
    return numero;
}

// A number for the font and line-height keys; anything else reads as 0.
int numeroOuZero(std::string_view valor)
{
    int numero = 0;
    const auto [ate, erro] = std::from_chars(valor.data(), valor.data() + valor.size(), numero);
    return erro == std::errc() && ate == valor.data() + valor.size() ? numero : 0;
}

const ControleNfse &descricao(std::string_view nome)
{
    for (const auto &c : controlesConfigGeral())
        if (c.nome == nome)
            return c;
    throw std::out_of_range("unknown control " + std::string(nome));
}

} // namespace

TfrmConfigGeral::TfrmConfigGeral(TdtmNFE_grd &modulo, std::string pastaPrograma)
    : modulo_(modulo), pastaPrograma_(std::move(pastaPrograma))
{
    for (const auto &c : controlesConfigGeral())
        controles_[std::string(c.nome)].tipo = c.tipo;
    padroes();
}

TfrmConfigGeral::~TfrmConfigGeral() = default;

TfrmConfigGeral::Controle &TfrmConfigGeral::controle(std::string_view nome)
{
    const auto it = controles_.find(nome);
    if (it == controles_.end())
        throw std::out_of_range("unknown control " + std::string(nome));
    return it->second;
}

const TfrmConfigGeral::Controle &TfrmConfigGeral::controle(std::string_view nome) const
{
    return const_cast<TfrmConfigGeral *>(this)->controle(nome);
}

void TfrmConfigGeral::escolhe(std::string_view nome, int indice)
{
    const auto itens = descricao(nome).itens;
    Controle &c = controle(nome);
    c.indice = std::clamp(indice, -1, static_cast<int>(itens.size()) - 1);
    c.texto = c.indice < 0 ? std::string() : std::string(itens[static_cast<std::size_t>(c.indice)]);
}

// The screen as designed: empty edits, lists on their first item, boxes
// clear, except the defaults below.
void TfrmConfigGeral::padroes()
{
    for (const auto &d : controlesConfigGeral()) {
        Controle &c = controle(d.nome);
        c.texto.clear();
        c.marcado = false;
        if (d.tipo == TipoControleNfse::Lista)
            escolhe(d.nome, 0);
    }
    escolhe("edtTamanhofonte", 1);
    escolhe("rgVersao", 1);
    escolhe("cbUF", static_cast<int>(std::ranges::find(descricao("cbUF").itens, "RS") -
                                     descricao("cbUF").itens.begin()));
    for (const char *nome : {"chkOpenDanfe", "chkOpenEmail", "chkValidarXml", "chkProtServTls12"})
        controle(nome).marcado = true;
}

void TfrmConfigGeral::FormActivate()
{
    padroes();
    paginaAtual = 0;
    lblCertificado = kTextoCertificado;
    controle("edtCaminho").visivel = false;
    controle("sbtnCaminhoCert").visivel = false;

    carregaLinhas();
    if (controle("edtSmtpEmail").texto.empty())
        controle("edtSmtpEmail").texto = controle("edtSmtpUser").texto;
    for (const LeituraNfse fase : {LeituraNfse::Consulta, LeituraNfse::Final})
        for (const auto &chave : chavesConfigGeral())
            if (chave.leitura == fase)
                aplicaValor(chave, Busca_Valor_Referencia(CnpjEmpresa, chave.chave));
    if (Busca_Valor_Referencia(CnpjEmpresa, "chkProtServSsl20").empty())
        return;
    for (const auto &chave : chavesConfigGeral())
        if (chave.leitura == LeituraNfse::Protocolo)
            aplicaValor(chave, Busca_Valor_Referencia(CnpjEmpresa, chave.chave));
}

void TfrmConfigGeral::carregaLinhas()
{
    std::map<std::string, const ChaveNfse *> daVarredura;
    for (const auto &chave : chavesConfigGeral())
        if (chave.leitura == LeituraNfse::Varredura)
            daVarredura[upperWithAccents(chave.chave)] = &chave;
    modulo_.SelectFileOrdem("1", "Config_Geral", "CNPJ = ?", kOrdemVarredura, {db::Value(CnpjEmpresa)});
    for (ConsultaSelecao &linhas = modulo_.qrySelect1; !linhas.eof(); linhas.proximo()) {
        const auto it = daVarredura.find(upperWithAccents(linhas.campo("CAMPO_REF").asString()));
        if (it != daVarredura.end())
            aplicaValor(*it->second, linhas.campo("CAMPO_VALOR").asString());
    }
}

void TfrmConfigGeral::aplicaValor(const ChaveNfse &chave, std::string_view valor)
{
    Controle &c = controle(chave.controle);
    switch (chave.codificacao) {
    case CodificacaoNfse::Texto:
        if (c.tipo == TipoControleNfse::Lista) {
            const auto itens = descricao(chave.controle).itens;
            const auto it = std::ranges::find(itens, valor);
            c.indice = it == itens.end() ? -1 : static_cast<int>(it - itens.begin());
        }
        c.texto = valor;
        return;
    case CodificacaoNfse::Indice:
        return escolhe(chave.controle, indiceArmazenado(chave.chave, valor));
    case CodificacaoNfse::SimNao:
        c.marcado = SimNaoParaBool(valor);
        return;
    case CodificacaoNfse::Invertido:
        c.marcado = indiceArmazenado(chave.chave, valor) == 0;
        return;
    case CodificacaoNfse::Versao:
        return escolhe(chave.controle, valor == "200" ? 0 : 1);
    case CodificacaoNfse::ContingNFCe:
        return escolhe(chave.controle, valor == "SIM" ? 1 : 0);
    case CodificacaoNfse::TamanhoFonte: {
        // Only the sizes the list offers choose; others keep the choice.
        const int tamanho = numeroOuZero(valor);
        if (tamanho >= 6 && tamanho <= 8)
            escolhe(chave.controle, tamanho - 6);
        return;
    }
    case CodificacaoNfse::AlturaLinha: {
        const int altura = numeroOuZero(valor);
        if (altura == 20 || altura == 25 || altura == 30)
            escolhe(chave.controle, (altura - 20) / 5);
        return;
    }
    }
}

std::vector<std::pair<std::string, std::string>> TfrmConfigGeral::valoresParaGravar() const
{
    std::vector<std::pair<std::string, std::string>> valores;
    for (const auto &chave : chavesConfigGeral()) {
        const Controle &c = controle(chave.controle);
        std::string valor;
        switch (chave.codificacao) {
        case CodificacaoNfse::Texto:
            valor = c.texto;
            break;
        case CodificacaoNfse::Indice:
            valor = std::to_string(c.indice);
            break;
        case CodificacaoNfse::SimNao:
            valor = BoolParaSimNao(c.marcado);
            break;
        case CodificacaoNfse::Invertido:
            valor = c.marcado ? "0" : "1";
            break;
        case CodificacaoNfse::Versao:
            valor = c.indice == 0 ? "200" : "310";
            break;
        case CodificacaoNfse::ContingNFCe:
            valor = c.indice != 0 ? "SIM" : "NAO";
            break;
        case CodificacaoNfse::TamanhoFonte:
            valor = c.indice == 0 ? "6" : c.indice == 1 ? "7" : "8";
            break;
        case CodificacaoNfse::AlturaLinha:
            valor = c.indice == 0 ? "20" : c.indice == 1 ? "25" : "30";
            break;
        }
        valores.emplace_back(chave.chave, std::move(valor));
    }
    return valores;
}

void TfrmConfigGeral::ConfirmarClick()
{
    db::Transaction &transacao = *modulo_.ibtNFE;
    db::executeSql(transacao, "SAVEPOINT " + std::string(kPontoGravacao));
    for (const auto &[chave, valor] : valoresParaGravar()) {
        try {
            Grava_Valor_Referencia(CnpjEmpresa, chave, valor);
        } catch (const ProgramError &erro) {
            db::executeSql(transacao, "ROLLBACK TO SAVEPOINT " + std::string(kPontoGravacao));
            throw ErroGravacaoConfigGeral("Não foi possível gravar a chave \"" + chave +
                                          "\": " + erro.what());
        }
    }
    db::executeSql(transacao, "RELEASE SAVEPOINT " + std::string(kPontoGravacao) + " ONLY");
    if (modulo_.dtmNFECommit())
        ModalResult = ResultadoModal::Ok;
}

void TfrmConfigGeral::Grava_Valor_Referencia(std::string_view cnpj, std::string_view chave,
                                             std::string_view valor)
{
    modulo_.Grava_Valor_Referencia(cnpj, CampoRef(chave), valor);
}

std::string TfrmConfigGeral::Busca_Valor_Referencia(std::string_view cnpj, std::string_view chave)
{
    return modulo_.Busca_Valor_Referencia(cnpj, CampoRef(chave));
}

void TfrmConfigGeral::Grava_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                    std::string_view chave, std::string_view valor,
                                                    std::string_view coluna)
{
    modulo_.Grava_Valor_Referencia_Sessao(cnpj, sessao, CampoRef(chave), valor, colunaConfig(coluna));
}

std::string TfrmConfigGeral::Busca_Valor_Referencia_Sessao(std::string_view cnpj, std::string_view sessao,
                                                           std::string_view chave, std::string_view coluna)
{
    return modulo_.Busca_Valor_Referencia_Sessao(cnpj, sessao, CampoRef(chave), colunaConfig(coluna));
}
