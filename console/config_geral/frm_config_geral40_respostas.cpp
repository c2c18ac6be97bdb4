// The screen's set-up at creation (lists, pages, thermal printer) and the two
// answer displays.
#include "console/config_geral/frm_config_geral40.h"

#include "dfe/ssl/ssl_types.h"
#include "foundation/codes/conversao.h"
#include "foundation/codes/conversao_nfe.h"
#include "foundation/files/file_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/notas_fiscais.h"

namespace {

template <typename E> std::vector<std::string> nomesDe()
{
    std::vector<std::string> nomes;
    for (const auto &linha : kEnumNames<E>)
        nomes.emplace_back(linha.name);
    return nomes;
}

std::vector<std::string> itensDe(std::span<const std::string_view> itens)
{
    return {itens.begin(), itens.end()};
}

// The text as UTF-8 behind a UTF-8 declaration. A declaration of another
// encoding is dropped first: kept behind the new one it would make the file
// not well-formed.
std::string textoDoArquivoTemporario(std::string_view xml)
{
    if (DeclaraUTF8(xml))
        return std::string(xml);
    const auto inicio = xml.find_first_not_of(" \t\r\n");
    if (inicio != std::string_view::npos && xml.substr(inicio).starts_with("<?xml"))
        return GaranteXMLUTF8(RetiraDeclaracaoXML(xml, false));
    return GaranteXMLUTF8(xml);
}

} // namespace

void TfrmConfigGeral40::preencheListas()
{
    // clang-format off
    const std::pair<std::string_view, std::vector<std::string>> listas[] = {
        {"cbSSLLib",           nomesDe<TSSLLib>()},
        {"cbCryptLib",         nomesDe<TSSLCryptLib>()},
        {"cbHttpLib",          nomesDe<TSSLHttpLib>()},
        {"cbXmlSignLib",       nomesDe<TSSLXmlSignLib>()},
        {"cbSSLType",          nomesDe<TSSLType>()},
        {"cbFormaEmissao",     nomesDe<TpcnTipoEmissao>()},
        {"cbModeloDF",         nomesDe<TpcnModeloDF>()},
        {"cbVersaoDF",         nomesDe<TpcnVersaoDF>()},
    };
    const std::pair<std::string_view, std::vector<std::string>> outras[] = {
        {"cbFormaEmissaoNFCE", {"Normal", "Modo Off line"}},
        {"cbUF",               itensDe(siglasUF())},
        {"rgTipoAmb",          {"Produção", "Homologação"}},
        {"rgMod_Imp_Danfe",    {"0 = Modelo padrão", "1 = Modelo ( com parcelas impressas no canhoto )"}},
        {"rgTipoDanfe",        {"Retrato", "Paisagem"}},
        {"rdDanfeNfce",        {"Retrato", "Simplificado"}},
        {"rgComponenteDanfe",  {"Logomarca normal", "Logomarca expandida"}},
        {"edtTamanhofonte",    itensDe(tamanhosFonte())},
        {"edtAlturaLinha",     itensDe(alturasLinha())},
    };
    // clang-format on
    for (const auto &[nome, itens] : listas) {
        Controle &lista = controle(nome);
        lista.itens = itens;
        lista.indice = 0;
    }
    for (const auto &[nome, itens] : outras)
        controle(nome).itens = itens;
}

void TfrmConfigGeral40::configuraImpressora()
{
    QuibPosPrinter1.SetModelo(ppEscPosEpson);
    QuibPosPrinter1.SetPorta("COM9");
    QuibPosPrinter1.SetEspacoEntreLinhas(30);
    QuibPosPrinter1.Config().ConfigBarras = {};
    QuibPosPrinter1.Config().ConfigQRCode.Tipo(2);
    QuibPosPrinter1.Config().ConfigQRCode.LarguraModulo(4);
    QuibPosPrinter1.Config().ConfigQRCode.ErrorLevel(0);
    QuibPosPrinter1.LinhasEntreCupons = 5;
    QuibNFeDANFeESCPOS1.SetPosPrinter(&QuibPosPrinter1);
}

void TfrmConfigGeral40::avisaMudanca()
{
    if (aoMudar)
        aoMudar();
}

void TfrmConfigGeral40::ExibirArvoreResposta(std::string_view xml)
{
    std::vector<NoArvore> arvore;
    arvore.push_back(ArvoreDoXML(RemoverElementoXML(xml, "Signature")));
    paineis().defineArvore(pgRetornoConsulta, std::move(arvore));
}

void TfrmConfigGeral40::ExibirXMLNoNavegador(std::string_view xml, Navegador &navegador)
{
    const std::string arquivo = pastaPrograma_ + std::string(kArquivoTemporario);
    SobrescreveArquivoTexto(arquivo, textoDoArquivoTemporario(xml), false);
    if (&navegador == &WBResposta)
        paineis().navega(arquivo);
    else
        navegador.arquivo = arquivo;
    if (QuibNFe1.Notas().Count() > 0)
        paineis().acrescenta(pgResp, "Empresa: " + QuibNFe1.Notas()[0].NFe().emit.xNome);
}
