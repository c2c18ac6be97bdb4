#include "nfe/services/quib_integrador.h"

#include "foundation/dates/date_time.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/random_source.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

TQuibIntegrador::TQuibIntegrador() : comando_(std::make_unique<TComandoIntegrador>(*this))
{
    comando_->SetPastaInput("C:\\Integrador\\Input\\");
    comando_->SetPastaOutput("C:\\Integrador\\Output\\");
}

TQuibIntegrador::~TQuibIntegrador() = default;

void TQuibIntegrador::SetParametro(std::string_view nome, std::string_view valor)
{
    const std::string prefixo = std::string(nome) + "=";
    for (std::string &linha : Parametros) {
        if (linha.starts_with(prefixo)) {
            linha = prefixo + std::string(valor);
            return;
        }
    }
    Parametros.push_back(prefixo + std::string(valor));
}

std::string TQuibIntegrador::Parametro(std::string_view nome) const
{
    const std::string prefixo = std::string(nome) + "=";
    for (const std::string &linha : Parametros)
        if (linha.starts_with(prefixo))
            return linha.substr(prefixo.size());
    return {};
}

void TQuibIntegrador::LimparParametros()
{
    NumeroSessao = 0;
    NomeMetodo.clear();
    NomeComponente.clear();
    Parametros.clear();
}

void TQuibIntegrador::DefinirNomeMetodo(std::string_view nome, bool homologacao)
{
    NomeMetodo = (homologacao ? "H" : "") + std::string(nome);
}

int TQuibIntegrador::GerarNumeroSessao()
{
    const int aleatorio = static_cast<int>(randomBelow(999999));
    int sessao = aleatorio;
    if (OnGetNumeroSessao)
        OnGetNumeroSessao(sessao);
    return sessao > 0 ? sessao : aleatorio;
}

std::string TQuibIntegrador::MontarXMLComando()
{
    gerador_.ListaDeAlertas.clear();
    gerador_.ArquivoFormatoXML.clear();
    gerador_.EscreveGrupo("Integrador");
    gerador_.EscreveGrupo("Identificador");
    gerador_.EscreveCampo(vcTexto, "", "Valor", 1, 99, 1, std::to_string(NumeroSessao));
    gerador_.EscreveGrupo("/Identificador");
    gerador_.EscreveGrupo("Componente Nome=\"" + NomeComponente + "\"");
    gerador_.EscreveGrupo("Metodo Nome=\"" + NomeMetodo + "\"");
    gerador_.EscreveGrupo("Parametros");
    for (const std::string &linha : Parametros) {
        const std::size_t igual = linha.find('=');
        const std::string nome = linha.substr(0, igual);
        const std::string valor = igual == std::string::npos ? std::string() : linha.substr(igual + 1);
        gerador_.EscreveGrupo("Parametro");
        gerador_.EscreveCampo(vcTexto, "", "Nome", 1, 99, 1, nome);
        gerador_.EscreveCampo(vcTexto, "", "Valor", 1, 99, 1, valor, "",
                              valor.find("<![CDATA[") == std::string::npos);
        gerador_.EscreveGrupo("/Parametro");
    }
    gerador_.EscreveGrupo("/Parametros");
    gerador_.EscreveGrupo("/Metodo");
    gerador_.EscreveGrupo("/Componente");
    gerador_.EscreveGrupo("/Integrador");
    return gerador_.ArquivoFormatoXML;
}

std::string TQuibIntegrador::ExecutarComando(bool numeroSessaoNosParametros)
{
    Resposta.clear();
    comando_->Limpar();
    NumeroSessao = GerarNumeroSessao();
    const std::string sessao = std::to_string(NumeroSessao);
    if (numeroSessaoNosParametros) {
        // A command sent again (a retried send) carries only its new session.
        std::erase_if(Parametros,
                      [](const std::string &linha) { return linha.starts_with("numeroSessao="); });
        Parametros.insert(Parametros.begin(), "numeroSessao=" + sessao);
    }
    const std::string comando = MontarXMLComando();
    if (NomeMetodo.empty())
        LancarErro("NomeMetodo não definido");

    const std::string nomeBase = NomeMetodo + "-" + DataHoraParaTextoCompacto(nowLocal());
    GravarLog("Sessão: " + sessao + ", Dados: " + comando);
    std::string resposta = comando_->EnviarComando(NumeroSessao, nomeBase, 0, comando);
    GravarLog("Sessão: " + sessao + ", Resposta: " + resposta);
    if (resposta.empty())
        LancarErro(comando_->Erro().empty() ? "Sem resposta do Integrador" : comando_->Erro());
    if (resposta.starts_with("\\\""))
        resposta.erase(0, 2);
    DivideTexto(resposta, '|', Resposta, '\0');
    return resposta;
}

void TQuibIntegrador::GravarLog(std::string_view linha)
{
    bool tratado = false;
    if (OnGravarLog)
        OnGravarLog(linha, tratado);
    if (!tratado && !ArqLOG.empty())
        GravaLinhaLog(ArqLOG,
                      DataHoraFormatoBR(nowLocal(), "dd/mm/yy hh:nn:ss:zzz") + " - " + std::string(linha),
                      false);
}

void TQuibIntegrador::LancarErro(const std::string &mensagem)
{
    GravarLog("EIntegradorException: " + mensagem);
    throw EIntegradorException(mensagem);
}
