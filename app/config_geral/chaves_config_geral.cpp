#include "app/config_geral/chaves_config_geral.h"

#include <array>

namespace {

using enum TipoControleNfse;
using enum CodificacaoNfse;
using enum LeituraNfse;

constexpr std::array<std::string_view, 7> kPaginas = {"Certificado",
                                                      "Geral",
                                                      "NFE - WebService",
                                                      "Emitente",
                                                      "Email",
                                                      "NFSE - Web Service",
                                                      "NFSE - Outras configuraçôes"};

constexpr std::array<std::string_view, 2> kOrientacao = {"Retrato", "Paisagem"};
constexpr std::array<std::string_view, 5> kFormaEmissao = {"Normal", "Contingência", "SCAN", "DPEC", "FSDA"};
constexpr std::array<std::string_view, 2> kLogomarca = {"Logomarca normal", "Logomarca expandida"};
constexpr std::array<std::string_view, 2> kModeloDanfe = {"0 = Modelo padrão",
                                                          "1 = Modelo ( com parcelas impressas no canhoto )"};
constexpr std::array<std::string_view, 2> kFormaNFCe = {"Normal", "Modo Off line"};
constexpr std::array<std::string_view, 3> kFontes = {"6", "7", "8"};
constexpr std::array<std::string_view, 3> kAlturas = {"20", "25", "30"};
constexpr std::array<std::string_view, 27> kUFs = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO",
                                                   "MA", "MG", "MS", "MT", "PA", "PB", "PE", "PI", "PR",
                                                   "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"};
constexpr std::array<std::string_view, 2> kAmbiente = {"Produção", "Homologação"};
constexpr std::array<std::string_view, 2> kVersao = {"Versao 2.0 ( valida ate 30/11/2014 )", "Versao 3.10"};
constexpr std::array<std::string_view, 2> kRegime = {"Simples Nacional", "Regime Normal"};

// clang-format off
constexpr std::array kControles = std::to_array<ControleNfse>({
    {"edtCaminho",           0, Edit,  "Caminho do certificado (PFX)", {}},
    {"sbtnCaminhoCert",      0, Botao, "...", {}},
    {"edtSenha",             0, Edit,  "Senha", {}},
    {"edtNumSerie",          0, Edit,  "Número de série", {}},
    {"sbtnGetCert",          0, Botao, "Capturar o cerificado digital", {}},
    {"edtLogoMarca",         1, Edit,  "Logomarca", {}},
    {"sbtnLogoMarca",        1, Botao, "...", {}},
    {"edtPathLogs",          1, Edit,  "Pasta dos logs", {}},
    {"ckSalvar",             1, Caixa, "Salvar arquivos de envio e resposta", {}},
    {"chkVerTestes",         1, Caixa, "Ver testes", {}},
    {"chkOcultaPreview",     1, Caixa, "Ocultar visualização", {}},
    {"chkOpenDanfe",         1, Caixa, "Abrir DANFE", {}},
    {"chkOpenEmail",         1, Caixa, "Abrir e-mail", {}},
    {"chkValidarXml",        1, Caixa, "Validar XML", {}},
    {"rgTipoDanfe",          1, Lista, "DANFE", kOrientacao},
    {"rgFormaEmissao",       1, Lista, "Forma de emissão", kFormaEmissao},
    {"rgComponenteDanfe",    1, Lista, "Logomarca no DANFE", kLogomarca},
    {"rgMod_Imp_Danfe",      1, Lista, "Modelo de impressão do DANFE", kModeloDanfe},
    {"cbFormaEmissaoNFCE",   1, Lista, "Forma de emissão NFC-e", kFormaNFCe},
    {"edtTamanhofonte",      1, Lista, "Tamanho da fonte", kFontes},
    {"edtAlturaLinha",       1, Lista, "Altura da linha", kAlturas},
    {"ckVisualizar",         2, Caixa, "Visualizar mensagem", {}},
    {"cbUF",                 2, Lista, "UF", kUFs},
    {"rgTipoAmb",            2, Lista, "Ambiente", kAmbiente},
    {"edtProxyHost",         2, Edit,  "Proxy: servidor", {}},
    {"edtProxyPorta",        2, Edit,  "Proxy: porta", {}},
    {"edtProxyUser",         2, Edit,  "Proxy: usuário", {}},
    {"edtProxySenha",        2, Edit,  "Proxy: senha", {}},
    {"rgVersao",             2, Lista, "Versão", kVersao},
    {"edtEmitCNPJ",          3, Edit,  "CNPJ", {}},
    {"edtEmitIE",            3, Edit,  "Inscrição estadual", {}},
    {"edtEmitRazao",         3, Edit,  "Razão social", {}},
    {"edtEmitFantasia",      3, Edit,  "Fantasia", {}},
    {"edtEmitFone",          3, Edit,  "Fone", {}},
    {"edtEmitCEP",           3, Edit,  "CEP", {}},
    {"edtEmitLogradouro",    3, Edit,  "Logradouro", {}},
    {"edtEmitNumero",        3, Edit,  "Número", {}},
    {"edtEmitComp",          3, Edit,  "Complemento", {}},
    {"edtEmitBairro",        3, Edit,  "Bairro", {}},
    {"edtEmitCodCidade",     3, Edit,  "Código da cidade", {}},
    {"edtEmitCidade",        3, Edit,  "Cidade", {}},
    {"edtEmitUF",            3, Edit,  "UF", {}},
    {"edtEmitIM",            3, Edit,  "Inscrição municipal", {}},
    {"rdRegimeOperacao",     3, Lista, "Regime", kRegime},
    {"edtTokenNro",          3, Edit,  "Token (número)", {}},
    {"edtTokenId",           3, Edit,  "Token (identificador)", {}},
    {"edtSmtpHost",          4, Edit,  "Servidor SMTP", {}},
    {"edtSmtpPort",          4, Edit,  "Porta", {}},
    {"edtSmtpUser",          4, Edit,  "Usuário", {}},
    {"edtSmtpPass",          4, Edit,  "Senha", {}},
    {"edtEmailAssunto",      4, Edit,  "Assunto", {}},
    {"cbEmailSSL",           4, Caixa, "SSL", {}},
    {"mmEmailMsg",           4, Edit,  "Mensagem", {}},
    {"edtSmtpEmail",         4, Edit,  "E-mail do remetente", {}},
    {"cbRequerAutenticacao", 4, Caixa, "Requer autenticação", {}},
    {"SpeedButton1",         4, Botao, "Dados default KVL", {}},
    {"btntestaemail",        4, Botao, "Testar envio de email", {}},
    {"ckVisualizarNFSE",     5, Caixa, "Visualizar mensagem", {}},
    {"rgTipoAmbNFSE",        5, Lista, "Ambiente", kAmbiente},
    {"ckSalvarSoapNFSE",     5, Caixa, "Salvar SOAP", {}},
    {"edtProxyHostNFSE",     5, Edit,  "Proxy: servidor", {}},
    {"edtProxyPortaNFSE",    5, Edit,  "Proxy: porta", {}},
    {"edtProxyUserNFSE",     5, Edit,  "Proxy: usuário", {}},
    {"edtProxySenhaNFSE",    5, Edit,  "Proxy: senha", {}},
    {"edtSenhaWebNFSE",      5, Edit,  "Senha web", {}},
    {"edtUserWebNFSE",       5, Edit,  "Usuário web", {}},
    {"edtSegRetornoNfse",    5, Edit,  "Segundos de espera do retorno", {}},
    {"chkProtServSsl20",     5, Caixa, "SSL 2.0", {}},
    {"chkProtServSsl30",     5, Caixa, "SSL 3.0", {}},
    {"chkProtServTls10",     5, Caixa, "TLS 1.0", {}},
    {"chkProtServTls11",     5, Caixa, "TLS 1.1", {}},
    {"chkProtServTls12",     5, Caixa, "TLS 1.2", {}},
    {"edtLogoNFSEPref",      6, Edit,  "Logo da prefeitura", {}},
    {"btnLogoPref",          6, Botao, "...", {}},
    {"edtLogoNFSEPrest",     6, Edit,  "Logo do prestador", {}},
    {"btnLogoPrest",         6, Botao, "...", {}},
    {"EdtnomePrefeitura",    6, Edit,  "Nome da prefeitura", {}},
    {"edtUltimoLoteEnviado", 6, Edit,  "Último lote enviado", {}},
    {"chkSerieNfse",         6, Caixa, "Usar série", {}},
    {"edtSerieNfse",         6, Edit,  "Série", {}},
});

constexpr std::array kChaves = std::to_array<ChaveNfse>({
    {"edtCaminho",           "edtCaminho",           Texto,        Varredura},
    {"edtSenha",             "edtSenha",             Texto,        Varredura},
    {"edtNumSerie",          "edtNumSerie",          Texto,        Varredura},
    {"rgVersao",             "rgVersao",             Versao,       Varredura},
    {"rgMod_Imp_Danfe",      "rgMod_Imp_Danfe",      Indice,       Varredura},
    {"rgTipoDanfe",          "rgTipoDanfe",          Indice,       Varredura},
    {"rgFormaEmissao",       "rgFormaEmissao",       Indice,       Varredura},
    {"contigencia_NFCE",     "cbFormaEmissaoNFCE",   ContingNFCe,  Final},
    {"edtLogoMarca",         "edtLogoMarca",         Texto,        Varredura},
    {"edtPathLogs",          "edtPathLogs",          Texto,        Varredura},
    {"ckSalvar",             "ckSalvar",             SimNao,       Varredura},
    {"chkVerTestes",         "chkVerTestes",         SimNao,       Varredura},
    {"chkOcultaPreview",     "chkOcultaPreview",     SimNao,       Varredura},
    {"rgComponenteDanfe",    "rgComponenteDanfe",    Indice,       Varredura},
    {"chkOpenDanfe",         "chkOpenDanfe",         Invertido,    Varredura},
    {"chkOpenEmail",         "chkOpenEmail",         Invertido,    Varredura},
    {"chkValidarXml",        "chkValidarXml",        Invertido,    Varredura},
    {"rgTipoAmb",            "rgTipoAmb",            Indice,       Varredura},
    {"ckVisualizar",         "ckVisualizar",         SimNao,       Varredura},
    {"cbUF",                 "cbUF",                 Texto,        Varredura},
    {"cbUF_Index",           "cbUF",                 Indice,       Varredura},
    {"edtProxyHost",         "edtProxyHost",         Texto,        Varredura},
    {"edtProxyPorta",        "edtProxyPorta",        Texto,        Varredura},
    {"edtProxyUser",         "edtProxyUser",         Texto,        Varredura},
    {"edtProxySenha",        "edtProxySenha",        Texto,        Varredura},
    {"edtTokenId",           "edtTokenId",           Texto,        Varredura},
    {"edtTokenNro",          "edtTokenNro",          Texto,        Varredura},
    {"edtEmitCNPJ",          "edtEmitCNPJ",          Texto,        Varredura},
    {"edtEmitIE",            "edtEmitIE",            Texto,        Varredura},
    {"edtEmitIM",            "edtEmitIM",            Texto,        Varredura},
    {"edtEmitRazao",         "edtEmitRazao",         Texto,        Varredura},
    {"edtEmitFantasia",      "edtEmitFantasia",      Texto,        Varredura},
    {"edtEmitFone",          "edtEmitFone",          Texto,        Varredura},
    {"edtEmitCEP",           "edtEmitCEP",           Texto,        Varredura},
    {"edtEmitLogradouro",    "edtEmitLogradouro",    Texto,        Varredura},
    {"edtEmitNumero",        "edtEmitNumero",        Texto,        Varredura},
    {"edtEmitComp",          "edtEmitComp",          Texto,        Varredura},
    {"edtEmitBairro",        "edtEmitBairro",        Texto,        Varredura},
    {"edtEmitCodCidade",     "edtEmitCodCidade",     Texto,        Varredura},
    {"edtEmitCidade",        "edtEmitCidade",        Texto,        Varredura},
    {"edtEmitUF",            "edtEmitUF",            Texto,        Varredura},
    {"rdRegimeOperacao",     "rdRegimeOperacao",     Indice,       Varredura},
    {"edtSmtpHost",          "edtSmtpHost",          Texto,        Varredura},
    {"edtSmtpPort",          "edtSmtpPort",          Texto,        Varredura},
    {"edtSmtpUser",          "edtSmtpUser",          Texto,        Varredura},
    {"edtSmtpEmail",         "edtSmtpEmail",         Texto,        Varredura},
    {"edtSmtpPass",          "edtSmtpPass",          Texto,        Varredura},
    {"edtEmailAssunto",      "edtEmailAssunto",      Texto,        Varredura},
    {"mmEmailMsg",           "mmEmailMsg",           Texto,        Varredura},
    {"cbEmailSSL",           "cbEmailSSL",           SimNao,       Varredura},
    {"cbRequerAutenticacao", "cbRequerAutenticacao", SimNao,       Varredura},
    {"edtLogoNFSEPref",      "edtLogoNFSEPref",      Texto,        Consulta},
    {"edtLogoNFSEPrest",     "edtLogoNFSEPrest",     Texto,        Consulta},
    {"rgTipoAmbNFSE",        "rgTipoAmbNFSE",        Indice,       Consulta},
    {"ckVisualizarNFSE",     "ckVisualizarNFSE",     SimNao,       Consulta},
    {"ckSalvarSoapNFSE",     "ckSalvarSoapNFSE",     SimNao,       Consulta},
    {"edtProxyHostNFSE",     "edtProxyHostNFSE",     Texto,        Consulta},
    {"edtProxyPortaNFSE",    "edtProxyPortaNFSE",    Texto,        Consulta},
    {"edtProxyUserNFSE",     "edtProxyUserNFSE",     Texto,        Consulta},
    {"edtProxySenhaNFSE",    "edtProxySenhaNFSE",    Texto,        Consulta},
    {"edtSegRetornoNfse",    "edtSegRetornoNfse",    Texto,        Consulta},
    {"edtSenhaWebNFSE",      "edtSenhaWebNFSE",      Texto,        Consulta},
    {"edtUserWebNFSE",       "edtUserWebNFSE",       Texto,        Consulta},
    {"EdtnomePrefeitura",    "EdtnomePrefeitura",    Texto,        Consulta},
    {"ULTIMO_LOTE_ENVIADO",  "edtUltimoLoteEnviado", Texto,        Consulta},
    {"edtSerieNfse",         "edtSerieNfse",         Texto,        Consulta},
    {"chkSerieNfse",         "chkSerieNfse",         SimNao,       Consulta},
    {"tamanhoDafonte",       "edtTamanhofonte",      TamanhoFonte, Consulta},
    {"alturaDaLinha",        "edtAlturaLinha",       AlturaLinha,  Consulta},
    {"chkProtServSsl20",     "chkProtServSsl20",     SimNao,       Protocolo},
    {"chkProtServSsl30",     "chkProtServSsl30",     SimNao,       Protocolo},
    {"chkProtServTls10",     "chkProtServTls10",     SimNao,       Protocolo},
    {"chkProtServTls11",     "chkProtServTls11",     SimNao,       Protocolo},
    {"chkProtServTls12",     "chkProtServTls12",     SimNao,       Protocolo},
});
// clang-format on

} // namespace

std::span<const std::string_view> paginasConfigGeral()
{
    return kPaginas;
}

std::span<const ControleNfse> controlesConfigGeral()
{
    return kControles;
}

std::span<const ChaveNfse> chavesConfigGeral()
{
    return kChaves;
}
