#include "nfe/services/nfe_consulta_cadastro.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/cons_cad.h"
#include "nfe/services/quib_integrador.h"

void TNFeConsultaCadastro::SetCNPJ(std::string_view valor)
{
    if (!valor.empty()) {
        IE.clear();
        cpf_.clear();
    }
    cnpj_ = valor;
}

void TNFeConsultaCadastro::SetCPF(std::string_view valor)
{
    if (!valor.empty()) {
        IE.clear();
        cnpj_.clear();
    }
    cpf_ = valor;
}

void TNFeConsultaCadastro::Limpar()
{
    TNFeWebService::Limpar();
    EtapaServico = etConsultandoCadastro;
    Layout = srvNfeConsultaCadastro;
    SufixoEnvio = "ped-cad";
    SufixoResposta = "cad";
    LimparCabecalho(ConfiguracoesNFe());
    dhCons = 0;
    retConsCad_ = std::make_unique<TRetConsCad>();
}

bool TNFeConsultaCadastro::mato400() const
{
    return ConfiguracoesNFe() != nullptr && ConfiguracoesNFe()->Geral().VersaoDF() == ve400 &&
           upperAscii(UF) == "MT";
}

void TNFeConsultaCadastro::PrepararServico()
{
    TNFeWebService::PrepararServico();
    ElementoCorpoAnterior = ElementoCorpo;
    if (mato400())
        ElementoCorpo = "consultaCadastro";
}

void TNFeConsultaCadastro::DefinirURL()
{
    VersaoDados.clear();
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    if (ComponenteNFe() == nullptr)
        return;
    TConfiguracoesNFe &cfg = *ConfiguracoesNFe();
    if (UF.empty())
        UF = cfg.WebServices().UF();
    double versao = VersaoDFParaNumero(cfg.Geral().VersaoDF());
    ComponenteNFe()->BuscarServico(ComponenteNFe()->NomeDoModeloDFe(), UF, cfg.WebServices().Ambiente,
                                   ServicoNFeParaNome(srvNfeConsultaCadastro), versao, URL, Servico,
                                   SoapAction);
    VersaoDados = ComponenteNFe()->VersaoParaTexto(versao);
}

void TNFeConsultaCadastro::DefinirServicoEAction()
{
    const std::string w = UrlBaseWsdl();
    DefinirNomesPadrao(w + "CadConsultaCadastro2", w + "CadConsultaCadastro2", w + "CadConsultaCadastro4",
                       "/consultaCadastro");
}

std::string TNFeConsultaCadastro::MontarUFSoap()
{
    return "<cUF>" + std::to_string(CodigoDaSiglaUF(UF)) + "</cUF>";
}

void TNFeConsultaCadastro::PrepararIntegrador()
{
    PrepararIntegradorComMetodo("CadConsultaCadastro2Soap12");
}

void TNFeConsultaCadastro::DefinirDadosMsg()
{
    TConsCad pedido;
    // The schema knows the states' abbreviations in upper case only.
    pedido.UF = upperAscii(UF);
    pedido.IE = IE;
    pedido.CNPJ = cnpj_;
    pedido.CPF = cpf_;
    pedido.Versao = "2.00"; // the registry message has one version whatever the layout
    AplicarOpcoesGerador(pedido.Gerador.Opcoes);
    pedido.GerarConsCad();
    DadosMsg = pedido.Gerador.ArquivoFormatoXML;
    if (mato400())
        DadosMsg = "<nfeDadosMsg>" + DadosMsg + "</nfeDadosMsg>";
}

bool TNFeConsultaCadastro::TratarResposta()
{
    retConsCad_->Leitor.setArquivo(
        ExtrairResposta({"consultaCadastro2Result", "nfeResultMsg", "consultaCadastro4Result"}));
    retConsCad_->LerResposta();
    CopiarCabecalho(*retConsCad_);
    MensagemResultado = xMotivo;
    dhCons = retConsCad_->dhCons;
    return cStat == 111 || cStat == 112;
}

void TNFeConsultaCadastro::ConcluirServico()
{
    TNFeWebService::ConcluirServico();
    ElementoCorpo = ElementoCorpoAnterior;
}

std::string TNFeConsultaCadastro::MontarMsgLog()
{
    return "Versão Layout: " + versao + " \r\nVersão Aplicativo: " + verAplic +
           " \r\nStatus Código: " + std::to_string(cStat) + " \r\nStatus Descrição: " + xMotivo +
           " \r\nUF: " + SiglaUFDoCodigo(cUF) + " \r\nConsulta: " +
           (dhCons == 0 ? std::string() : DataHoraFormatoBR(dhCons, "DD/MM/YYYY hh:nn:ss")) + " \r\n";
}
