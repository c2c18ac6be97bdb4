#include "console/config_geral/frm_config_geral40.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/db/statement.h"
#include "app/dialogs/dialogos.h"
#include "app/shell_constants.h"
#include "console/config_geral/detail/inteiro_do_texto.h"
#include "foundation/files/windows_paths.h"
#include "foundation/numbers/decimal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>

namespace {

constexpr std::string_view kPontoSalvar = "SALVAR_CONFIGURACOES";
constexpr std::string_view kFiltroCertificado = "Arquivos PFX (*.pfx)|*.pfx|Todos os Arquivos (*.*)|*.*";
constexpr std::string_view kFiltroLogo = "Arquivos BMP (*.bmp)|*.bmp|Todos os Arquivos (*.*)|*.*";
constexpr std::array<std::string_view, 8> kEditsDePasta = {"edtPathLogs", "edtPathSchemas", "edtPathNFe",
                                                           "edtPathCan",  "edtPathCCe",     "edtPathInu",
                                                           "edtPathDPEC", "edtPathEvento"};

// The list's item equal to the text, or -1.
int posicao(std::span<const std::string_view> itens, std::string_view texto)
{
    const auto it = std::find(itens.begin(), itens.end(), texto);
    return it == itens.end() ? -1 : static_cast<int>(it - itens.begin());
}

using console_detail::inteiroDoTexto;

// The margin edit's decimal times 100, its fraction dropped: exact, so 0.29
// stores 29.
int centesimosDaMargem(std::string_view texto)
{
    const auto valor = Decimal::parse(texto);
    if (!valor)
        throw ConversionError("'" + std::string(texto) + "' não é uma margem válida.");
    return static_cast<int>((*valor * Decimal(100)).truncated(0).units() / Decimal::kScale);
}

std::string textoDaMargem(int centesimos)
{
    return Decimal::fromUnits(centesimos * 100LL).toString(2);
}

std::string substitui(std::string texto, std::string_view marca, std::string_view valor)
{
    for (auto pos = texto.find(marca); pos != std::string::npos; pos = texto.find(marca, pos + valor.size()))
        texto.replace(pos, marca.size(), valor);
    return texto;
}

} // namespace

TfrmConfigGeral40::TfrmConfigGeral40(TdtmNFE_grd &modulo, std::string pastaPrograma)
    : ConfiguracaoEmpresa(modulo), modulo_(modulo), pastaPrograma_(std::move(pastaPrograma))
{
    for (const auto &chave : chavesConfiguracao())
        controles_[std::string(chave.controle)].tipo = tipoControle(chave.conversao);
    // The font-size group starts on its second item, as the form is designed;
    // the environment group is disabled on this screen and the TLS type list
    // waits for the libraries.
    controles_.at("edtTamanhofonte").indice = 1;
    controles_.at("rgTipoAmb").habilitado = false;
    controles_.at("cbSSLType").habilitado = false;
    preencheListas();
    configuraComponente();
    configuraImpressora();
    criaJanelaPropria();
}

TfrmConfigGeral40::Controle &TfrmConfigGeral40::controle(std::string_view nome)
{
    const auto it = controles_.find(nome);
    if (it == controles_.end())
        throw std::out_of_range("unknown control " + std::string(nome));
    return it->second;
}

std::vector<std::string> TfrmConfigGeral40::controlesEmOrdemDeLeitura() const
{
    std::vector<const ChaveConfiguracao *> chaves;
    for (const auto &chave : chavesConfiguracao())
        if (chave.leitura > 0)
            chaves.push_back(&chave);
    std::ranges::sort(chaves, {}, &ChaveConfiguracao::leitura);
    std::vector<std::string> nomes;
    for (const auto *chave : chaves)
        nomes.emplace_back(chave->controle);
    return nomes;
}

void TfrmConfigGeral40::GravarConfiguracoes()
{
    for (const auto &chave : chavesConfiguracao()) {
        try {
            grava(chave);
        } catch (const ProgramError &erro) {
            throw ErroGravacaoConfiguracao("Não foi possível gravar a chave \"" + std::string(chave.chave) +
                                           "\" da seção \"" + std::string(chave.sessao) +
                                           "\": " + erro.what());
        }
    }
}

void TfrmConfigGeral40::grava(const ChaveConfiguracao &chave)
{
    const Controle &c = controle(chave.controle);
    const auto s = chave.sessao;
    const auto k = chave.chave;
    switch (chave.conversao) {
    case Conversao::Texto:
    case Conversao::PastaSchemas:
        return Ini_WriteString(s, k, c.texto);
    case Conversao::Memo:
        return Ini_WriteStringMemo(s, k, c.texto);
    case Conversao::Marcado:
        return Ini_WriteBool(s, k, c.marcado);
    case Conversao::Inteiro:
        return Ini_WriteInteger(s, k, inteiroDoTexto(c.texto));
    case Conversao::Indice:
    case Conversao::IndiceUF:
    case Conversao::VersaoDF:
        return Ini_WriteInteger(s, k, c.indice);
    case Conversao::SiglaUF: {
        const auto siglas = siglasUF();
        const bool escolhida = c.indice >= 0 && c.indice < static_cast<int>(siglas.size());
        return Ini_WriteString(s, k, escolhida ? siglas[c.indice] : std::string_view());
    }
    case Conversao::Margem:
        return Ini_WriteInteger(s, k, centesimosDaMargem(c.texto));
    case Conversao::TamanhoFonte:
        return Ini_WriteInteger(s, k, c.indice + 6);
    case Conversao::AlturaLinha: {
        const auto alturas = alturasLinha();
        const bool escolhida = c.indice >= 0 && c.indice < 3;
        return Ini_WriteInteger(s, k, inteiroDoTexto(escolhida ? alturas[c.indice] : alturas.back()));
    }
    }
}

void TfrmConfigGeral40::LerConfiguracoes()
{
    std::vector<const ChaveConfiguracao *> chaves;
    for (const auto &chave : chavesConfiguracao())
        if (chave.leitura > 0)
            chaves.push_back(&chave);
    std::ranges::sort(chaves, {}, &ChaveConfiguracao::leitura);
    for (std::size_t i = 0; i < chaves.size(); ++i) {
        le(*chaves[i]);
        const bool fimDaSessao = i + 1 == chaves.size() || chaves[i + 1]->sessao != chaves[i]->sessao;
        if (fimDaSessao)
            aplicaGrupo(chaves[i]->sessao);
    }
}

std::string TfrmConfigGeral40::padrao(const ChaveConfiguracao &chave) const
{
    const std::string separador =
        pastaPrograma_.empty() ? "/" : pastaPrograma_.substr(pastaPrograma_.size() - 1);
    return substitui(substitui(std::string(chave.padrao), "{pasta}", pastaPrograma_), "{sep}", separador);
}

void TfrmConfigGeral40::le(const ChaveConfiguracao &chave)
{
    Controle &c = controle(chave.controle);
    const auto s = chave.sessao;
    const auto k = chave.chave;
    const std::string p = padrao(chave);
    switch (chave.conversao) {
    case Conversao::Texto:
        c.texto = Ini_ReadString(s, k, p);
        return;
    case Conversao::Memo:
        c.texto = Ini_ReadStringMemo(s, k, p);
        return;
    case Conversao::PastaSchemas:
        c.texto = p;
        return;
    case Conversao::Marcado:
        c.marcado = Ini_ReadBool(s, k, p == "TRUE");
        return;
    case Conversao::Inteiro:
        c.texto = std::to_string(Ini_ReadInteger(s, k, inteiroDoTexto(p)));
        return;
    case Conversao::Indice:
        c.indice = Ini_ReadInteger(s, k, inteiroDoTexto(p));
        return;
    case Conversao::VersaoDF:
        c.indice = inteiroDoTexto(p);
        return;
    case Conversao::IndiceUF:
        return;
    case Conversao::SiglaUF:
        c.indice = posicao(siglasUF(), Ini_ReadString(s, k, p));
        return;
    case Conversao::Margem: {
        const int centesimos = Ini_ReadInteger(s, k, 0);
        c.texto = centesimos > 0 ? textoDaMargem(centesimos) : p;
        return;
    }
    case Conversao::TamanhoFonte: {
        const int tamanho = Ini_ReadInteger(s, k, inteiroDoTexto(p));
        if (tamanho > 0)
            c.indice = posicao(tamanhosFonte(), std::to_string(tamanho));
        return;
    }
    case Conversao::AlturaLinha: {
        const int altura = Ini_ReadInteger(s, k, inteiroDoTexto(p));
        const int escolha = posicao(alturasLinha(), std::to_string(altura));
        if (escolha >= 0)
            c.indice = escolha;
        return;
    }
    }
}

void TfrmConfigGeral40::btnSalvarConfigClick()
{
    db::Transaction &transacao = *modulo_.ibtNFE;
    db::executeSql(transacao, "SAVEPOINT " + std::string(kPontoSalvar));
    try {
        GravarConfiguracoes();
    } catch (const ErroGravacaoConfiguracao &erro) {
        db::executeSql(transacao, "ROLLBACK TO SAVEPOINT " + std::string(kPontoSalvar));
        dialogos().mensagem(erro.what(), "Erro");
        return;
    }
    db::executeSql(transacao, "RELEASE SAVEPOINT " + std::string(kPontoSalvar) + " ONLY");
    if (modulo_.dtmNFECommit())
        ModalResult = ResultadoModal::Ok;
}

void TfrmConfigGeral40::btnMargensDefaultClick()
{
    for (const auto &chave : chavesConfiguracao())
        if (chave.conversao == Conversao::Margem)
            controle(chave.controle).texto = chave.padrao;
}

void TfrmConfigGeral40::btnDadosDefaultKVLClick()
{
    if (!dialogos().confirmacao("Carregar dados default KVL ?"))
        return;
    controle("edtSmtpPass").texto = kEmailPadraoSenhaConsole;
    controle("edtSmtpHost").texto = kEmailPadraoHost;
    controle("edtSmtpUser").texto = kEmailPadraoUsuario;
    controle("edtSmtpPort").texto = kEmailPadraoPorta;
}

void TfrmConfigGeral40::sbtnCaminhoCertClick()
{
    if (auto arquivo = dialogos().abrirArquivo(kFiltroCertificado, pastaPrograma_))
        controle("edtCaminho").texto = *arquivo;
}

void TfrmConfigGeral40::sbtnLogoMarcaClick()
{
    if (auto arquivo = dialogos().abrirArquivo(kFiltroLogo, pastaPrograma_))
        controle("edtLogoMarca").texto = *arquivo;
}

void TfrmConfigGeral40::btnPastaClick(std::string_view edit)
{
    if (std::ranges::find(kEditsDePasta, edit) == kEditsDePasta.end())
        throw std::out_of_range("no folder button beside " + std::string(edit));
    Controle &c = controle(edit);
    // A folder on a drive that is not mapped starts at the program's folder.
    const std::string inicial =
        c.texto.empty() ? pastaPrograma_ : mapWindowsPath(c.texto).value_or(pastaPrograma_);
    if (auto pasta = dialogos().escolherPasta(inicial))
        c.texto = *pasta;
}
