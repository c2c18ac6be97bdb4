#include "console/config_geral/disposicao_tela.h"

#include "console/config_geral/frm_config_geral40.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using T = TfrmConfigGeral40;

constexpr std::string_view kProxy = "Proxy";
constexpr std::string_view kProtocolo = "Protocolo de Seguranca";
constexpr std::string_view kHash = "Calculo de Hash e assinatura";

// clang-format off
constexpr auto kLegendas = std::to_array<LegendaControle>({
    {"cbSSLLib",              "SSLLib"},
    {"cbCryptLib",            "CryptLib"},
    {"cbHttpLib",             "HttpLib"},
    {"cbXmlSignLib",          "XmlSignLib"},
    {"edtCaminho",            "Caminho"},
    {"edtSenha",              "Senha"},
    {"edtNumSerie",           "Número de Série"},
    {"cbxAtualizarXML",       "Atualizar XML"},
    {"cbxExibirErroSchema",   "Exibir Erro Schema"},
    {"edtFormatoAlerta",      "Formato Alerta"},
    {"cbFormaEmissao",        "Forma de Emissão"},
    {"cbModeloDF",            "Modelo Documento Fiscal"},
    {"cbVersaoDF",            "Versão Documento Fiscal"},
    {"edtIdToken",            "IdToken/IdCSC"},
    {"edtToken",              "Token/CSC"},
    {"cbFormaEmissaoNFCE",    "Forma de Emissão - NFC-E", "", "", true},
    {"cbxRetirarAcentos",     "Retirar Acentos dos XMLs enviados"},
    {"ckSalvar",              "Salvar Arquivos de Envio e Resposta"},
    {"edtPathLogs",           "Pasta dos arquivos de envio e resposta"},
    {"edtPathSchemas",        "Diretórios com os arquivos XSD(Schemas)"},
    {"chkOpenDanfe",          "Abrir vartelo Danfe"},
    {"chkOpenEmail",          "Abrir vartelo Email"},
    {"chkValidarXml",         "Validar Assinatura do XML"},
    {"chkVerTestes",          "Visualizar botao para painel de testes"},
    {"chkOcultaPreview",      "Ocultar a visualizacao do preview de impressão"},
    {"chkdigestValue",        "Validar Digest Value"},
    {"cbUF",                  "Selecione UF de Destino:"},
    {"rgTipoAmb",             "Selecione o Ambiente de Destino", "", "", true},
    {"cbxVisualizar",         "Visualizar Mensagem"},
    {"cbxSalvarSOAP",         "Salvar envelope SOAP"},
    {"cbxAjustarAut",         "Ajustar Automaticamente prop. \"Aguardar\""},
    {"edtAguardar",           "Aguardar", "", "Aguardar quantos segundos para primeira consulta de retorno de envio"},
    {"edtTentativas",         "Tentativas"},
    {"edtIntervalo",          "Intervalo"},
    {"seTimeOut",             "TimeOut"},
    {"cbSSLType",             "SSLType", "", "Depende de configuração de  SSL.HttpLib"},
    {"chkProtNfeSsl20",       "SSL 2.0", kProtocolo},
    {"chkProtNfeSsl30",       "SSL 3.0", kProtocolo},
    {"chkProtNfeTls10",       "TLS 1.0", kProtocolo},
    {"chkProtNfeTls11",       "TLS 1.1", kProtocolo},
    {"chkProtNfeTls12",       "TLS 1.2", kProtocolo},
    {"edtProxyHost",          "Host", kProxy},
    {"edtProxyPorta",         "Porta", kProxy},
    {"edtProxyUser",          "User", kProxy},
    {"edtProxySenha",         "Pass", kProxy},
    {"cbxSalvarArqs",         "Salvar Arquivos em Pastas Separadas"},
    {"cbxPastaMensal",        "Criar Pastas Mensalmente"},
    {"cbxAdicionaLiteral",    "Adicionar Literal no nome das pastas"},
    {"cbxEmissaoPathNFe",     "Salvar NFe pelo campo Data de Emissão"},
    {"cbxSalvaPathEvento",    "Salvar Arqs de Eventos"},
    {"cbxSepararPorCNPJ",     "Separar Arqs pelo CNPJ do Certificado"},
    {"cbxSepararPorModelo",   "Separar Arqs pelo Modelo do Documento"},
    {"edtPathNFe",            "Pasta Arquivos NFe"},
    {"edtPathCan",            "Pasta Arquivos Cancelamento"},
    {"edtPathInu",            "Pasta Arquivos Inutilização"},
    {"edtPathDPEC",           "Pasta Arquivos DPEC"},
    {"edtPathCCe",            "Pasta Arquivos CC-e - Carta de Correção"},
    {"edtPathEvento",         "Pasta Arquivos Evento"},
    {"edtRespCnpj",           "CNPJ do Responsável"},
    {"edtRespNome",           "Nome"},
    {"edtRespEmail",          "Email"},
    {"edtRespFone",           "Fone"},
    {"edtRespCSRT",           "Id CSRT"},
    {"chkRespEnviar",         "Enviar dados cadastrais do responsavel"},
    {"chkRespEnviarCSRT",     "Enviar id CSRT do responsavel"},
    {"cpfCnpjAutCtb",         "CPF / CNPJ autorizado da Contabilidade"},
    {"edtEmitCNPJ",           "CNPJ"},
    {"edtEmitIE",             "Inscrição Estadual"},
    {"edtEmitIM",             "Inscrição Municipal"},
    {"edtEmitRazao",          "Razão Social"},
    {"edtEmitFantasia",       "Fantasia"},
    {"edtEmitFone",           "Fone"},
    {"edtEmitCEP",            "CEP"},
    {"edtEmitLogradouro",     "Logradouro"},
    {"edtEmitNumero",         "Número"},
    {"edtEmitComp",           "Complemento"},
    {"edtEmitBairro",         "Bairro"},
    {"edtEmitCodCidade",      "Código da Cidade"},
    {"edtEmitCidade",         "Cidade"},
    {"edtEmitUF",             "UF"},
    {"edtSmtpHost",           "Servidor SMTP"},
    {"edtSmtpPort",           "Porta"},
    {"edtSmtpUser",           "Usuário"},
    {"edtSmtpPass",           "Senha"},
    {"edtEmailAssunto",       "Assunto do email enviado"},
    {"cbEmailSSL",            "SMTP exige conexão segura"},
    {"mmEmailMsg",            "Mensagem do Email"},
    {"edtEmailContabilidade", "Email da contabilidade para envio de arquivos XML"},
    {"rgMod_Imp_Danfe",       "Modelo de impressâo de DANFE", "", "", true},
    {"rgTipoDanfe",           "DANFE", "", "", true},
    {"rdDanfeNfce",           "DANFE - NFCE", "", "", true},
    {"edtLogoMarca",          "Logo Marca"},
    {"rgComponenteDanfe",     "Expandir logomarca", "", "", true},
    {"edtmEsq",               "Margem esquerda:"},
    {"edtmDir",               "Margem direita:"},
    {"edtmsup",               "Margem superior:"},
    {"edtmInf",               "Margem inferior:"},
    {"edtTamanhofonte",       "Tamanho da fonte", "", "", true},
    {"edtAlturaLinha",        "Altura da linha", "", "", true},
});

// The operations of the right half are bound by the console's operation
// handlers as they are built; until then their buttons show disabled.
constexpr auto kBotoes = std::to_array<BotaoTela>({
    {"sbtnCaminhoCert",          "...",                             "Certificado", "edtCaminho",     "", &T::sbtnCaminhoCertClick},
    {"sbtnGetCert",              "Selecionar",                      "Certificado", "edtNumSerie"},
    {"SpeedButton1",             "Lista",                           "Certificado", "edtNumSerie"},
    {"btnAtivaCapicom",          "Ativa Capicom",                   "Certificado", "", "", &T::btnAtivaCapicomClick},
    {"btnAtivaOpenSSL",          "Ativa OpenSSL",                   "Certificado", "", "", &T::btnAtivaOpenSSLClick},
    {"btnAtivaWinCrypt",         "Ativa WinCrypt",                  "Certificado", "", "", &T::btnAtivaWinCryptClick},
    {"Button1",                  "Data de Validade",                "Certificado"},
    {"Button2",                  "Num.Série",                       "Certificado"},
    {"Button3",                  "Subject Name",                    "Certificado"},
    {"Button4",                  "CNPJ",                            "Certificado"},
    {"Button10",                 "Issuer Name",                     "Certificado"},
    {"Button5",                  "SHA256+RSA",                      "Certificado", "", kHash},
    {"Button9",                  "Leitura de X509",                 "Certificado"},
    {"Button7",                  "HTTPS sem Certificado",           "Certificado"},
    {"sbtnPathLogs",             "...",                             "Geral",       "edtPathLogs",    "", nullptr, true},
    {"sbtnPathSchemas",          "...",                             "Geral",       "edtPathSchemas", "", nullptr, true},
    {"Button6",                  "Aplicar Protocolos",              "WebService",  "", kProtocolo, &T::Button6Click},
    {"sbtnPathNFe",              "...",                             "Arquivos",    "edtPathNFe",     "", nullptr, true},
    {"sbtnPathCan",              "...",                             "Arquivos",    "edtPathCan",     "", nullptr, true},
    {"sbtnPathInu",              "...",                             "Arquivos",    "edtPathInu",     "", nullptr, true},
    {"sbtnPathDPEC",             "...",                             "Arquivos",    "edtPathDPEC",    "", nullptr, true},
    {"sbtnPathCCe",              "...",                             "Arquivos",    "edtPathCCe",     "", nullptr, true},
    {"sbtnPathEvento",           "...",                             "Arquivos",    "edtPathEvento",  "", nullptr, true},
    {"sbtnLogoMarca",            "...",                             "DANFe",       "edtLogoMarca",   "", &T::sbtnLogoMarcaClick},
    {"btnMargensDefault",        "Margens default",                 "DANFe",       "", "", &T::btnMargensDefaultClick},
    {"btnDadosDefaultKVL",       "Dados default KVL",               "Email",       "", "", &T::btnDadosDefaultKVLClick},
    {"btnSalvarConfig",          "Salvar Configurações",            "",            "", "", &T::btnSalvarConfigClick},
    {"btnStatusServ",            " Status de Serviço",              "NF-e",        "", "", &T::btnStatusServClick},
    {"btnConsultar",             "Consultar carregando XML",        "NF-e",        "", "", &T::btnConsultarClick},
    {"btnConsultarChave",        "Consultar pela Chave",            "NF-e",        "", "", &T::btnConsultarChaveClick},
    {"btnConsultarRecibo",       "Consultar Recibo Lote",           "NF-e",        "", "", &T::btnConsultarReciboClick},
    {"btnConsCad",               "Consulta Cadastro",               "NF-e",        "", "", &T::btnConsCadClick},
    {"btnDistribuicaoDFe",       "Distribuição Documentos Fiscais", "NF-e",        "", "", &T::btnDistribuicaoDFeClick},
    {"btnCriarEnviar",           "Criar e Enviar",                  "NF-e"},
    {"btnCarregarXMLEnviar",     "Carregar XML e Enviar",           "NF-e"},
    {"btnGerarNFE",              "Gerar NFe",                       "NF-e"},
    {"btnCancNF",                "Cancelamento NFe com XML",        "NF-e"},
    {"btnCancelarChave",         "Cancelamento NFe pela Chave",     "NF-e"},
    {"btnCartadeCorrecao",       "Carta de Correção",               "NF-e"},
    {"btnManifDestConfirmacao",  "Manif. Dest. - Conf. Operação",   "NF-e"},
    {"btnImprimirCCe",           "Imprimir Evento",                 "NF-e"},
    {"btnEnviarEvento",          "Enviar Evento Email",             "NF-e"},
    {"btnInutilizar",            "Inutilizar Numeração",            "NF-e"},
    {"btnInutilizarImprimir",    "Inutilizar Imprimir",             "NF-e"},
    {"btnValidarXML",            "Validar XML",                     "NF-e"},
    {"btnValidarAssinatura",     "Validar Assinatura",              "NF-e"},
    {"btnValidarRegrasNegocio",  "Validar Regras de Negócio",       "NF-e"},
    {"btnAdicionarProtNFe",      "Adicionar nfeProc ao XML",        "NF-e"},
    {"btnGerarPDF",              "Gerar PDF",                       "NF-e"},
    {"btnGerarTXT",              "Gerar TXT",                       "NF-e"},
    {"btnEnviarEmail",           "Enviar NFe Email",                "NF-e"},
    {"btnImprimir",              "Imprimir DANFE",                  "NF-e"},
    {"btnImportarXML",           "Importar TXT/XML",                "NF-e", "", "", &T::btnImportarXMLClick},
    {"btnCriarEnviarNFCe",       "Criar e Enviar",                  "NFC-e"},
});

constexpr std::pair<std::string_view, std::string_view> kAbas[] = {
    {"Certificado", "Certificado"},         {"Geral", "Geral"},
    {"WebService", "WebService"},           {"Proxy", "WebService"},
    {"Emitente", "Emitente"},               {"Arquivos", "Arquivos"},
    {"Responsavel", "Responsavel Tecnico"}, {"AutXmlXCtb", "Responsavel Tecnico"},
    {"DANFE", "DANFe"},                     {"Email", "Email"},
};
// clang-format on

} // namespace

std::string_view abaDaSessao(std::string_view sessao)
{
    for (const auto &[s, aba] : kAbas)
        if (s == sessao)
            return aba;
    return {};
}

std::span<const LegendaControle> legendasControles()
{
    return kLegendas;
}

const LegendaControle *legendaDoControle(std::string_view controle)
{
    const auto it = std::ranges::find(kLegendas, controle, &LegendaControle::controle);
    return it == kLegendas.end() ? nullptr : &*it;
}

std::span<const BotaoTela> botoesTela()
{
    return kBotoes;
}

const BotaoTela *botaoTela(std::string_view nomeOuLegenda)
{
    auto it = std::ranges::find(kBotoes, nomeOuLegenda, &BotaoTela::nome);
    if (it == kBotoes.end())
        it = std::ranges::find(kBotoes, nomeOuLegenda, &BotaoTela::legenda);
    return it == kBotoes.end() ? nullptr : &*it;
}

bool botaoAtivo(const BotaoTela &botao)
{
    return botao.acao != nullptr || botao.pasta;
}

void pressionaBotao(TfrmConfigGeral40 &tela, const BotaoTela &botao)
{
    if (botao.acao)
        (tela.*botao.acao)();
    else if (botao.pasta)
        tela.btnPastaClick(botao.aoLadoDe);
}
