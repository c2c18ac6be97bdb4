// The settings screen's NF-e component: its design values, the application
// of each group of keys the reader has read, the library lists' handlers and
// presets, and the TLS protocol mask of "Aplicar Protocolos".

#include "console/config_geral/frm_config_geral40.h"

#include "foundation/codes/enum_names.h"
#include "foundation/files/user_registry.h"
#include "nfe/services/quib_dfe_danfe_report.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace {

constexpr std::string_view kChaveInternet = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr std::string_view kValorProtocolos = "SecureProtocols";

// The value of an enumeration at a list's index; nothing for no choice or an
// index the enumeration does not have (another program may have stored it).
template <typename E> std::optional<E> valorDaLista(int indice)
{
    if (indice < 0 || indice > 255)
        return std::nullopt;
    const auto valor = static_cast<E>(indice);
    if (EnumValueName(valor).empty())
        return std::nullopt;
    return valor;
}

// The key a control is stored under (for the reader's messages).
const ChaveConfiguracao &chaveDoControle(std::string_view controle)
{
    for (const auto &chave : chavesConfiguracao())
        if (chave.controle == controle)
            return chave;
    throw std::out_of_range("no key for " + std::string(controle));
}

// An integer edit: a whole number from `minimo` up to the 32-bit limit.
std::int64_t numeroDoEdit(std::string_view controle, const std::string &texto, std::int64_t minimo = 0)
{
    std::int64_t valor = 0;
    const char *fim = texto.data() + texto.size();
    const auto [ate, erro] = std::from_chars(texto.data(), fim, valor);
    if (erro != std::errc() || ate != fim || valor < minimo || valor > INT32_MAX) {
        const auto &chave = chaveDoControle(controle);
        throw ConversionError("'" + texto + "' não é um valor inteiro válido (" + std::string(chave.sessao) +
                              ", " + std::string(chave.chave) + ").");
    }
    return valor;
}

// Seconds below 1000, milliseconds from 1000 on.
std::uint32_t milissegundos(std::int64_t n)
{
    return static_cast<std::uint32_t>(n < 1000 ? n * 1000 : n);
}

} // namespace

struct TfrmConfigGeral40::Preset {
    TSSLLib lib;
    TSSLCryptLib crypt;
    TSSLHttpLib http;
    TSSLXmlSignLib xmlSign;
    TSSLType tipo;
    bool ssl20, ssl30, tls10, tls11, tls12;
};

void TfrmConfigGeral40::configuraComponente()
{
    TConfiguracoesNFe &conf = QuibNFe1.Configuracoes();
    conf.Geral().FormaEmissao = teContingencia;
    conf.Geral().SetFormatoAlerta(kFormatoAlertaPadrao);
    conf.Geral().AtualizarXMLCancelado = true;
    conf.Geral().VersaoQRCode = veqr000;
    conf.WebServices().SetUF("SP");
    conf.WebServices().AguardarConsultaRet = 15000;
    conf.WebServices().AjustaAguardaConsultaRet = true;
    conf.WebServices().SetTimeOut(20000);
    conf.WebServices().QuebradeLinha = "|";
    conf.RespTec().IdCSRT = 0;
    QuibNFe1.SetMAIL(&QuibMail1);
    // Set when the screen is created.
    conf.WebServices().Salvar = true;
}

void TfrmConfigGeral40::aplicaGrupo(std::string_view sessao)
{
    if (sessao == "Certificado")
        aplicaCertificado();
    else if (sessao == "Geral")
        aplicaGeral();
    else if (sessao == "Proxy")
        aplicaWebService();
    else if (sessao == "Arquivos")
        aplicaArquivos();
    else if (sessao == "DANFE")
        aplicaDanfe();
}

void TfrmConfigGeral40::aplicaCertificado()
{
    TConfiguracoesNFe &conf = QuibNFe1.Configuracoes();
    conf.Certificados().SetArquivoPFX(controle("edtCaminho").texto);
    conf.Certificados().SetSenha(controle("edtSenha").texto);
    conf.Certificados().SetNumeroSerie(controle("edtNumSerie").texto);
    QuibNFe1.SSL().LiberarCertificado();
    TGeralConfNFe &geral = conf.Geral();
    if (const auto lib = valorDaLista<TSSLLib>(controle("cbSSLLib").indice))
        geral.SetSSLLib(*lib);
    if (const auto crypt = valorDaLista<TSSLCryptLib>(controle("cbCryptLib").indice))
        geral.SetSSLCryptLib(*crypt);
    if (const auto http = valorDaLista<TSSLHttpLib>(controle("cbHttpLib").indice))
        geral.SetSSLHttpLib(*http);
    if (const auto xmlSign = valorDaLista<TSSLXmlSignLib>(controle("cbXmlSignLib").indice))
        geral.SetSSLXmlSignLib(*xmlSign);
    SincronizarCombosBibliotecas();
}

void TfrmConfigGeral40::aplicaGeral()
{
    TGeralConfNFe &geral = QuibNFe1.Configuracoes().Geral();
    geral.AtualizarXMLCancelado = controle("cbxAtualizarXML").marcado;
    geral.ExibirErroSchema = controle("cbxExibirErroSchema").marcado;
    geral.RetirarAcentos = controle("cbxRetirarAcentos").marcado;
    geral.SetFormatoAlerta(controle("edtFormatoAlerta").texto);
    Controle &forma = controle("cbFormaEmissao");
    if (const auto valor = valorDaLista<TpcnTipoEmissao>(forma.indice))
        geral.FormaEmissao = *valor;
    else
        forma.indice = -1;
    Controle &modelo = controle("cbModeloDF");
    if (const auto valor = valorDaLista<TpcnModeloDF>(modelo.indice))
        geral.SetModeloDF(*valor);
    else
        modelo.indice = -1;
    geral.SetVersaoDF(ve400);
    geral.SetIdCSC(controle("edtIdToken").texto);
    geral.SetCSC(controle("edtToken").texto);
    geral.Salvar = controle("ckSalvar").marcado;
}

void TfrmConfigGeral40::aplicaWebService()
{
    TWebServicesConf &ws = QuibNFe1.Configuracoes().WebServices();
    const auto siglas = siglasUF();
    const int uf = controle("cbUF").indice;
    ws.SetUF(uf >= 0 && uf < static_cast<int>(siglas.size()) ? siglas[uf] : std::string_view());
    // The environment's code is the group's index + 1; no choice is
    // production.
    Controle &ambiente = controle("rgTipoAmb");
    if (ambiente.indice < -1 || ambiente.indice > 1)
        ambiente.indice = -1;
    ws.Ambiente = ambiente.indice == 1 ? taHomologacao : taProducao;
    ws.Visualizar = controle("cbxVisualizar").marcado;
    ws.Salvar = controle("cbxSalvarSOAP").marcado;
    ws.AjustaAguardaConsultaRet = controle("cbxAjustarAut").marcado;

    Controle &aguardar = controle("edtAguardar");
    if (aguardar.texto.empty())
        aguardar.texto = std::to_string(ws.AguardarConsultaRet);
    else
        ws.AguardarConsultaRet = milissegundos(numeroDoEdit("edtAguardar", aguardar.texto));
    Controle &tentativas = controle("edtTentativas");
    if (tentativas.texto.empty())
        tentativas.texto = std::to_string(ws.Tentativas());
    else
        ws.SetTentativas(static_cast<int>(numeroDoEdit("edtTentativas", tentativas.texto)));
    Controle &intervalo = controle("edtIntervalo");
    if (intervalo.texto.empty())
        intervalo.texto = std::to_string(ws.IntervaloTentativas());
    else
        ws.SetIntervaloTentativas(milissegundos(numeroDoEdit("edtIntervalo", intervalo.texto)));

    // The spin edit keeps 1000 to 999999.
    Controle &timeOut = controle("seTimeOut");
    const auto tempo =
        std::clamp<std::int64_t>(numeroDoEdit("seTimeOut", timeOut.texto, INT32_MIN), 1000, 999999);
    timeOut.texto = std::to_string(tempo);
    ws.SetTimeOut(static_cast<int>(tempo));

    ws.SetProxyHost(controle("edtProxyHost").texto);
    ws.SetProxyPort(controle("edtProxyPorta").texto);
    ws.SetProxyUser(controle("edtProxyUser").texto);
    ws.SetProxyPass(controle("edtProxySenha").texto);
    Controle &tipo = controle("cbSSLType");
    if (const auto valor = valorDaLista<TSSLType>(tipo.indice))
        QuibNFe1.SSL().SSLType = *valor;
    else
        tipo.indice = -1;
}

void TfrmConfigGeral40::aplicaArquivos()
{
    TArquivosConfNFe &arquivos = QuibNFe1.Configuracoes().Arquivos();
    arquivos.Salvar = controle("cbxSalvarArqs").marcado;
    arquivos.SetSepararPorMes(controle("cbxPastaMensal").marcado);
    arquivos.AdicionarLiteral = controle("cbxAdicionaLiteral").marcado;
    arquivos.EmissaoPathNFe = controle("cbxEmissaoPathNFe").marcado;
    arquivos.SalvarEvento = controle("cbxSalvaPathEvento").marcado;
    arquivos.SepararPorCNPJ = controle("cbxSepararPorCNPJ").marcado;
    arquivos.SepararPorModelo = controle("cbxSepararPorModelo").marcado;
    arquivos.SetPathSalvar(controle("edtPathLogs").texto);
    arquivos.SetPathSchemas(controle("edtPathSchemas").texto);
    arquivos.PathNFe = controle("edtPathNFe").texto;
    arquivos.PathInu = controle("edtPathInu").texto;
    arquivos.PathEvento = controle("edtPathEvento").texto;
}

void TfrmConfigGeral40::aplicaDanfe()
{
    TQuibDFeDANFeReport *danfe = QuibNFe1.DANFE();
    if (!danfe)
        return;
    // The print type's code is the group's index + 1: portrait or landscape.
    const int tipo = controle("rgTipoDanfe").indice;
    if (tipo == 0 || tipo == 1)
        danfe->SetTipoDANFE(tipo == 0 ? tiRetrato : tiPaisagem);
    danfe->Logo = controle("edtLogoMarca").texto;
}

void TfrmConfigGeral40::SincronizarCombosBibliotecas()
{
    const TGeralConfNFe &geral = QuibNFe1.Configuracoes().Geral();
    controle("cbSSLLib").indice = geral.SSLLib();
    controle("cbCryptLib").indice = geral.SSLCryptLib();
    controle("cbHttpLib").indice = geral.SSLHttpLib();
    controle("cbXmlSignLib").indice = geral.SSLXmlSignLib();
    controle("cbSSLType").habilitado = true;
}

template <typename E>
void TfrmConfigGeral40::aplicaBiblioteca(std::string_view lista, void (TGeralConf::*setter)(E))
{
    try {
        // A list shows only its enumeration's values.
        if (const auto valor = valorDaLista<E>(controle(lista).indice))
            (QuibNFe1.Configuracoes().Geral().*setter)(*valor);
    } catch (...) {
        SincronizarCombosBibliotecas();
        throw;
    }
    SincronizarCombosBibliotecas();
}

void TfrmConfigGeral40::cbSSLLibChange()
{
    aplicaBiblioteca("cbSSLLib", &TGeralConf::SetSSLLib);
}

void TfrmConfigGeral40::cbCryptLibChange()
{
    aplicaBiblioteca("cbCryptLib", &TGeralConf::SetSSLCryptLib);
}

void TfrmConfigGeral40::cbHttpLibChange()
{
    aplicaBiblioteca("cbHttpLib", &TGeralConf::SetSSLHttpLib);
}

void TfrmConfigGeral40::cbXmlSignLibChange()
{
    aplicaBiblioteca("cbXmlSignLib", &TGeralConf::SetSSLXmlSignLib);
}

void TfrmConfigGeral40::cbSSLTypeChange()
{
    if (const auto valor = valorDaLista<TSSLType>(controle("cbSSLType").indice))
        QuibNFe1.SSL().SSLType = *valor;
}

void TfrmConfigGeral40::aplicaPreset(const Preset &p)
{
    controle("cbSSLLib").indice = p.lib;
    controle("cbCryptLib").indice = p.crypt;
    controle("cbHttpLib").indice = p.http;
    controle("cbXmlSignLib").indice = p.xmlSign;
    controle("cbSSLType").indice = p.tipo;
    controle("chkProtNfeSsl20").marcado = p.ssl20;
    controle("chkProtNfeSsl30").marcado = p.ssl30;
    controle("chkProtNfeTls10").marcado = p.tls10;
    controle("chkProtNfeTls11").marcado = p.tls11;
    controle("chkProtNfeTls12").marcado = p.tls12;
}

// clang-format off
void TfrmConfigGeral40::btnAtivaCapicomClick()
{
    aplicaPreset({libCapicom,  cryCapicom,  httpWinINet, xsMsXmlCapicom, LT_SSLv2,   true,  false, true,  false, false});
}

void TfrmConfigGeral40::btnAtivaOpenSSLClick()
{
    aplicaPreset({libOpenSSL,  cryOpenSSL,  httpOpenSSL, xsLibXml2,      LT_TLSv1_2, false, true,  false, true,  true});
}

void TfrmConfigGeral40::btnAtivaWinCryptClick()
{
    aplicaPreset({libWinCrypt, cryWinCrypt, httpWinHttp, xsLibXml2,      LT_TLSv1_2, true,  false, true,  false, false});
}
// clang-format on

void TfrmConfigGeral40::Button6Click()
{
    // clang-format off
    const struct { std::string_view caixa; unsigned bit; } protocolos[] = {
        {"chkProtNfeSsl20", 0x8},
        {"chkProtNfeSsl30", 0x20},
        {"chkProtNfeTls10", 0x80},
        {"chkProtNfeTls11", 0x200},
        {"chkProtNfeTls12", 0x800},
    };
    // clang-format on
    unsigned mascara = 0;
    for (const auto &p : protocolos)
        if (controle(p.caixa).marcado)
            mascara += p.bit;
    if (mascara == 0)
        return;
    // A registry that cannot be written is skipped, as a key that cannot be
    // opened.
    registryWriteString(kChaveInternet, kValorProtocolos, std::to_string(mascara));
}
