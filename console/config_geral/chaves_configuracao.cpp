#include "console/config_geral/chaves_configuracao.h"

#include <array>

namespace {

using enum Conversao;

constexpr std::string_view kFormatoAlerta = "TAG:%TAGNIVEL% ID:%ID%/%TAG%(%DESCRICAO%) - %MSG%.";

// The "DigestValue" the reader asks for is the writer's "digestValue": the
// store matches keys whatever their case.
// clang-format off
constexpr std::array kChaves = std::to_array<ChaveConfiguracao>({
    {"Certificado", "SSLLib",             Indice,       "cbSSLLib",              "0",                1},
    {"Certificado", "CryptLib",           Indice,       "cbCryptLib",            "0",                2},
    {"Certificado", "HttpLib",            Indice,       "cbHttpLib",             "0",                3},
    {"Certificado", "XmlSignLib",         Indice,       "cbXmlSignLib",          "0",                4},
    {"Certificado", "Caminho",            Texto,        "edtCaminho",            "",                 5},
    {"Certificado", "Senha",              Texto,        "edtSenha",              "",                 6},
    {"Certificado", "NumSerie",           Texto,        "edtNumSerie",           "",                 7},
    {"Geral",       "AtualizarXML",       Marcado,      "cbxAtualizarXML",       "TRUE",             8},
    {"Geral",       "ExibirErroSchema",   Marcado,      "cbxExibirErroSchema",   "TRUE",             9},
    {"Geral",       "FormatoAlerta",      Texto,        "edtFormatoAlerta",      kFormatoAlerta,     10},
    {"Geral",       "FormaEmissao",       Indice,       "cbFormaEmissao",        "0",                11},
    {"Geral",       "ModeloDF",           Indice,       "cbModeloDF",            "0",                13},
    {"Geral",       "VersaoDF",           VersaoDF,     "cbVersaoDF",            "3",                14},
    {"Geral",       "IdToken",            Texto,        "edtIdToken",            "",                 15},
    {"Geral",       "Token",              Texto,        "edtToken",              "",                 16},
    {"Geral",       "FormaEmissaoNFCE",   Indice,       "cbFormaEmissaoNFCE",    "0",                12},
    {"Geral",       "RetirarAcentos",     Marcado,      "cbxRetirarAcentos",     "TRUE",             18},
    {"Geral",       "Salvar",             Marcado,      "ckSalvar",              "TRUE",             17},
    {"Geral",       "PathSalvar",         Texto,        "edtPathLogs",           "{pasta}Logs",      19},
    {"Geral",       "PathSchemas",        PastaSchemas, "edtPathSchemas",        "{pasta}Schemas40{sep}", 20},
    {"Geral",       "OpenDanfe",          Marcado,      "chkOpenDanfe",          "TRUE",             21},
    {"Geral",       "OpenEmail",          Marcado,      "chkOpenEmail",          "TRUE",             22},
    {"Geral",       "ValidarXml",         Marcado,      "chkValidarXml",         "TRUE",             23},
    {"Geral",       "VerTestes",          Marcado,      "chkVerTestes",          "TRUE",             24},
    {"Geral",       "OcultaPreview",      Marcado,      "chkOcultaPreview",      "TRUE",             25},
    {"Geral",       "digestValue",        Marcado,      "chkdigestValue",        "TRUE",             26},
    {"WebService",  "UF",                 SiglaUF,      "cbUF",                  "SP",               27},
    {"WebService",  "UF_Index",           IndiceUF,     "cbUF",                  "",                 0},
    {"WebService",  "Ambiente",           Indice,       "rgTipoAmb",             "0",                28},
    {"WebService",  "Visualizar",         Marcado,      "cbxVisualizar",         "FALSE",            29},
    {"WebService",  "SalvarSOAP",         Marcado,      "cbxSalvarSOAP",         "FALSE",            30},
    {"WebService",  "AjustarAut",         Marcado,      "cbxAjustarAut",         "FALSE",            31},
    {"WebService",  "Aguardar",           Texto,        "edtAguardar",           "0",                32},
    {"WebService",  "Tentativas",         Texto,        "edtTentativas",         "5",                33},
    {"WebService",  "Intervalo",          Texto,        "edtIntervalo",          "0",                34},
    {"WebService",  "TimeOut",            Inteiro,      "seTimeOut",             "5000",             35},
    {"WebService",  "SSLType",            Indice,       "cbSSLType",             "0",                36},
    {"WebService",  "chkProtNfeSsl20",    Marcado,      "chkProtNfeSsl20",       "TRUE",             37},
    {"WebService",  "chkProtNfeSsl30",    Marcado,      "chkProtNfeSsl30",       "FALSE",            38},
    {"WebService",  "chkProtNfeTls10",    Marcado,      "chkProtNfeTls10",       "TRUE",             39},
    {"WebService",  "chkProtNfeTls11",    Marcado,      "chkProtNfeTls11",       "FALSE",            40},
    {"WebService",  "chkProtNfeTls12",    Marcado,      "chkProtNfeTls12",       "FALSE",            41},
    {"Proxy",       "Host",               Texto,        "edtProxyHost",          "",                 42},
    {"Proxy",       "Porta",              Texto,        "edtProxyPorta",         "",                 43},
    {"Proxy",       "User",               Texto,        "edtProxyUser",          "",                 44},
    {"Proxy",       "Pass",               Texto,        "edtProxySenha",         "",                 45},
    {"Arquivos",    "Salvar",             Marcado,      "cbxSalvarArqs",         "FALSE",            46},
    {"Arquivos",    "PastaMensal",        Marcado,      "cbxPastaMensal",        "FALSE",            47},
    {"Arquivos",    "AddLiteral",         Marcado,      "cbxAdicionaLiteral",    "FALSE",            48},
    {"Arquivos",    "EmissaoPathNFe",     Marcado,      "cbxEmissaoPathNFe",     "FALSE",            49},
    {"Arquivos",    "SalvarPathEvento",   Marcado,      "cbxSalvaPathEvento",    "FALSE",            50},
    {"Arquivos",    "SepararPorCNPJ",     Marcado,      "cbxSepararPorCNPJ",     "FALSE",            51},
    {"Arquivos",    "SepararPorModelo",   Marcado,      "cbxSepararPorModelo",   "FALSE",            52},
    {"Arquivos",    "PathNFe",            Texto,        "edtPathNFe",            "",                 53},
    {"Arquivos",    "PathCan",            Texto,        "edtPathCan",            "",                 54},
    {"Arquivos",    "PathInu",            Texto,        "edtPathInu",            "",                 55},
    {"Arquivos",    "PathDPEC",           Texto,        "edtPathDPEC",           "",                 56},
    {"Arquivos",    "PathCCe",            Texto,        "edtPathCCe",            "",                 57},
    {"Arquivos",    "PathEvento",         Texto,        "edtPathEvento",         "",                 58},
    {"Responsavel", "rtCNPJ",             Texto,        "edtRespCnpj",           "",                 59},
    {"Responsavel", "rtNome",             Texto,        "edtRespNome",           "",                 60},
    {"Responsavel", "rtEmail",            Texto,        "edtRespEmail",          "",                 61},
    {"Responsavel", "rtFone",             Texto,        "edtRespFone",           "",                 62},
    {"Responsavel", "rtIdCSRT",           Texto,        "edtRespCSRT",           "",                 63},
    {"Responsavel", "rtEnviarDados",      Marcado,      "chkRespEnviar",         "FALSE",            64},
    {"Responsavel", "rtEnviarCSRT",       Marcado,      "chkRespEnviarCSRT",     "FALSE",            65},
    {"AutXmlXCtb",  "cpfCnpjAutCtb",      Texto,        "cpfCnpjAutCtb",         "",                 66},
    {"Emitente",    "CNPJ",               Texto,        "edtEmitCNPJ",           "",                 67},
    {"Emitente",    "IE",                 Texto,        "edtEmitIE",             "",                 68},
    {"Emitente",    "IM",                 Texto,        "edtEmitIM",             "",                 69},
    {"Emitente",    "RazaoSocial",        Texto,        "edtEmitRazao",          "",                 70},
    {"Emitente",    "Fantasia",           Texto,        "edtEmitFantasia",       "",                 71},
    {"Emitente",    "Fone",               Texto,        "edtEmitFone",           "",                 72},
    {"Emitente",    "CEP",                Texto,        "edtEmitCEP",            "",                 73},
    {"Emitente",    "Logradouro",         Texto,        "edtEmitLogradouro",     "",                 74},
    {"Emitente",    "Numero",             Texto,        "edtEmitNumero",         "",                 75},
    {"Emitente",    "Complemento",        Texto,        "edtEmitComp",           "",                 76},
    {"Emitente",    "Bairro",             Texto,        "edtEmitBairro",         "",                 77},
    {"Emitente",    "CodCidade",          Texto,        "edtEmitCodCidade",      "",                 78},
    {"Emitente",    "Cidade",             Texto,        "edtEmitCidade",         "",                 79},
    {"Emitente",    "UF",                 Texto,        "edtEmitUF",             "",                 80},
    {"Email",       "Host",               Texto,        "edtSmtpHost",           "",                 81},
    {"Email",       "Port",               Texto,        "edtSmtpPort",           "",                 82},
    {"Email",       "User",               Texto,        "edtSmtpUser",           "",                 83},
    {"Email",       "Pass",               Texto,        "edtSmtpPass",           "",                 84},
    {"Email",       "Assunto",            Texto,        "edtEmailAssunto",       "",                 85},
    {"Email",       "SSL",                Marcado,      "cbEmailSSL",            "FALSE",            86},
    {"Email",       "Mensagem",           Memo,         "mmEmailMsg",            "",                 88},
    {"Email",       "EmailContabilidade", Texto,        "edtEmailContabilidade", "",                 87},
    {"DANFE",       "Mod_Imp_Danfe",      Indice,       "rgMod_Imp_Danfe",       "0",                89},
    {"DANFE",       "Tipo",               Indice,       "rgTipoDanfe",           "0",                98},
    {"DANFE",       "TipodanfeNFCE",      Indice,       "rdDanfeNfce",           "1",                97},
    {"DANFE",       "LogoMarca",          Texto,        "edtLogoMarca",          "",                 99},
    {"DANFE",       "ComponenteDanfe",    Indice,       "rgComponenteDanfe",     "0",                90},
    {"DANFE",       "margemEsq",          Margem,       "edtmEsq",               "0.60",             93},
    {"DANFE",       "margemDir",          Margem,       "edtmDir",               "0.75",             94},
    {"DANFE",       "margemSup",          Margem,       "edtmsup",               "0.80",             95},
    {"DANFE",       "margemInf",          Margem,       "edtmInf",               "2.00",             96},
    {"DANFE",       "tamanhoDafonte",     TamanhoFonte, "edtTamanhofonte",       "6",                91},
    {"DANFE",       "alturaDaLinha",      AlturaLinha,  "edtAlturaLinha",        "20",               92},
});
// clang-format on

constexpr std::array<std::string_view, 27> kSiglasUF = {"AC", "AL", "AP", "AM", "BA", "CE", "DF", "ES", "GO",
                                                        "MA", "MT", "MS", "MG", "PA", "PB", "PR", "PE", "PI",
                                                        "RJ", "RN", "RS", "RO", "RR", "SC", "SP", "SE", "TO"};
constexpr std::array<std::string_view, 8> kTamanhosFonte = {"6", "7", "8", "9", "10", "11", "12", "13"};
constexpr std::array<std::string_view, 4> kAlturasLinha = {"20", "25", "30", "35"};

} // namespace

std::span<const ChaveConfiguracao> chavesConfiguracao()
{
    return kChaves;
}

TipoControle tipoControle(Conversao conversao)
{
    switch (conversao) {
    case Texto:
    case Memo:
    case Inteiro:
    case Margem:
    case PastaSchemas:
        return TipoControle::Edit;
    case Marcado:
        return TipoControle::Caixa;
    case Indice:
    case SiglaUF:
    case IndiceUF:
    case TamanhoFonte:
    case AlturaLinha:
    case VersaoDF:
        return TipoControle::Lista;
    }
    return TipoControle::Edit;
}

std::span<const std::string_view> siglasUF()
{
    return kSiglasUF;
}
std::span<const std::string_view> tamanhosFonte()
{
    return kTamanhosFonte;
}
std::span<const std::string_view> alturasLinha()
{
    return kAlturasLinha;
}
