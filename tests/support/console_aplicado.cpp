#include "tests/support/console_aplicado.h"

#include "console/config_geral/frm_config_geral40.h"
#include "foundation/codes/enum_names.h"

namespace testsupport {

namespace {

std::string booleano(bool valor)
{
    return valor ? "TRUE" : "FALSE";
}

template <typename E> std::string nome(E valor)
{
    return std::string(EnumValueName(valor));
}

} // namespace

std::vector<std::pair<std::string, std::string>> propriedadesAplicadas(TfrmConfigGeral40 &tela)
{
    TQuibNFe &nfe = tela.QuibNFe1;
    TConfiguracoesNFe &conf = nfe.Configuracoes();
    const TCertificadosConf &cert = conf.Certificados();
    const TGeralConfNFe &geral = conf.Geral();
    const TWebServicesConf &ws = conf.WebServices();
    const TArquivosConfNFe &arq = conf.Arquivos();
    // clang-format off
    std::vector<std::pair<std::string, std::string>> linhas = {
        {"Configuracoes.Certificados.ArquivoPFX",             cert.ArquivoPFX()},
        {"Configuracoes.Certificados.Senha",                  cert.Senha().empty() ? "" : "(set)"},
        {"Configuracoes.Certificados.NumeroSerie",            cert.NumeroSerie()},
        {"Configuracoes.Geral.SSLLib",                        nome(geral.SSLLib())},
        {"Configuracoes.Geral.SSLCryptLib",                   nome(geral.SSLCryptLib())},
        {"Configuracoes.Geral.SSLHttpLib",                    nome(geral.SSLHttpLib())},
        {"Configuracoes.Geral.SSLXmlSignLib",                 nome(geral.SSLXmlSignLib())},
        {"Configuracoes.Geral.AtualizarXMLCancelado",         booleano(geral.AtualizarXMLCancelado)},
        {"Configuracoes.Geral.ExibirErroSchema",              booleano(geral.ExibirErroSchema)},
        {"Configuracoes.Geral.RetirarAcentos",                booleano(geral.RetirarAcentos)},
        {"Configuracoes.Geral.FormatoAlerta",                 geral.FormatoAlerta()},
        {"Configuracoes.Geral.FormaEmissao",                  nome(geral.FormaEmissao)},
        {"Configuracoes.Geral.ModeloDF",                      nome(geral.ModeloDF())},
        {"Configuracoes.Geral.VersaoDF",                      nome(geral.VersaoDF())},
        {"Configuracoes.Geral.IdCSC",                         geral.IdCSC()},
        {"Configuracoes.Geral.CSC",                           geral.CSC()},
        {"Configuracoes.Geral.Salvar",                        booleano(geral.Salvar)},
        {"Configuracoes.WebServices.UF",                      ws.UF()},
        {"Configuracoes.WebServices.Ambiente",                nome(ws.Ambiente)},
        {"Configuracoes.WebServices.Visualizar",              booleano(ws.Visualizar)},
        {"Configuracoes.WebServices.Salvar",                  booleano(ws.Salvar)},
        {"Configuracoes.WebServices.AjustaAguardaConsultaRet", booleano(ws.AjustaAguardaConsultaRet)},
        {"Configuracoes.WebServices.AguardarConsultaRet",     std::to_string(ws.AguardarConsultaRet)},
        {"Configuracoes.WebServices.Tentativas",              std::to_string(ws.Tentativas())},
        {"Configuracoes.WebServices.IntervaloTentativas",     std::to_string(ws.IntervaloTentativas())},
        {"Configuracoes.WebServices.TimeOut",                 std::to_string(ws.TimeOut())},
        {"Configuracoes.WebServices.ProxyHost",               ws.ProxyHost()},
        {"Configuracoes.WebServices.ProxyPort",               ws.ProxyPort()},
        {"Configuracoes.WebServices.ProxyUser",               ws.ProxyUser()},
        {"Configuracoes.WebServices.ProxyPass",               ws.ProxyPass().empty() ? "" : "(set)"},
        {"SSL.SSLType",                                       nome(nfe.SSL().SSLType)},
        {"Configuracoes.Arquivos.Salvar",                     booleano(arq.Salvar)},
        {"Configuracoes.Arquivos.SepararPorMes",              booleano(arq.SepararPorMes())},
        {"Configuracoes.Arquivos.AdicionarLiteral",           booleano(arq.AdicionarLiteral)},
        {"Configuracoes.Arquivos.EmissaoPathNFe",             booleano(arq.EmissaoPathNFe)},
        {"Configuracoes.Arquivos.SalvarEvento",               booleano(arq.SalvarEvento)},
        {"Configuracoes.Arquivos.SepararPorCNPJ",             booleano(arq.SepararPorCNPJ)},
        {"Configuracoes.Arquivos.SepararPorModelo",           booleano(arq.SepararPorModelo)},
        {"Configuracoes.Arquivos.PathSalvar",                 arq.PathSalvar()},
        {"Configuracoes.Arquivos.PathSchemas",                arq.PathSchemas()},
        {"Configuracoes.Arquivos.PathNFe",                    arq.PathNFe},
        {"Configuracoes.Arquivos.PathInu",                    arq.PathInu},
        {"Configuracoes.Arquivos.PathEvento",                 arq.PathEvento},
    };
    // clang-format on
    for (const char *lista : {"cbSSLLib", "cbCryptLib", "cbHttpLib", "cbXmlSignLib"})
        linhas.emplace_back(lista, std::to_string(tela.controle(lista).indice));
    return linhas;
}

} // namespace testsupport
