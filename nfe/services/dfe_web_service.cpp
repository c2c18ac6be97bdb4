#include "nfe/services/dfe_web_service.h"

#include "dfe/component/quib_dfe.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/quib_integrador.h"

namespace {

constexpr const char *kAtributosEnvelope = "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
                                           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                                           "xmlns:soap12=\"http://www.w3.org/2003/05/soap-envelope\"";

} // namespace

bool TemAssinatura(std::string_view xml)
{
    return lowerAscii(xml).find("<signature") != std::string::npos;
}

TDFeWebServiceMensagem &TDFeWebService::ExibirMensagem()
{
    static TDFeWebServiceMensagem mensagem;
    return mensagem;
}

TDFeWebService::TDFeWebService(TQuibDFe *componente)
    : AtributosEnvelope(kAtributosEnvelope), componente_(componente),
      configuracoes_(componente != nullptr ? &componente->Configuracoes() : nullptr)
{
}

TDFeWebService::~TDFeWebService() = default;

TQuibIntegrador *TDFeWebService::Integrador() const
{
    return componente_ != nullptr ? dynamic_cast<TQuibIntegrador *>(componente_->Integrador()) : nullptr;
}

void TDFeWebService::AplicarOpcoesGerador(TGeradorOpcoes &opcoes)
{
    if (configuracoes_ == nullptr)
        return;
    opcoes.FormatoAlerta = configuracoes_->Geral().FormatoAlerta();
    opcoes.RetirarAcentos = configuracoes_->Geral().RetirarAcentos;
    opcoes.RetirarEspacos = configuracoes_->Geral().RetirarEspacos;
    opcoes.IdentarXML = configuracoes_->Geral().IdentarXML;
    opcoes.QuebraLinha = configuracoes_->WebServices().QuebradeLinha;
    FusoHorarioGlobal().Assign(configuracoes_->WebServices().TimeZoneConf);
}

// ---- Log and errors ------------------------------------------------------------------------

void TDFeWebService::RegistrarLog(std::string_view Mensagem, bool Exibir)
{
    if (Mensagem.empty())
        return;
    const bool tratado = componente_ != nullptr && componente_->RegistrarLog(Mensagem);
    if (!tratado && Exibir && configuracoes_ != nullptr && configuracoes_->WebServices().Visualizar &&
        ExibirMensagem())
        ExibirMensagem()(Mensagem);
}

void TDFeWebService::LancarErro(std::string_view Mensagem, const std::exception *E)
{
    if (componente_ != nullptr) {
        componente_->LancarErro(Mensagem, E);
        return;
    }
    std::string texto(Mensagem);
    if (E != nullptr)
        texto += "\r\n" + std::string(E->what());
    throw EQuibDFeException::CreateSemConversao(texto);
}

// ---- The template ----------------------------------------------------------------------------

void TDFeWebService::Limpar()
{
    DadosMsg.clear();
    RetornoSoap.clear();
    RespostaXML.clear();
    MensagemResultado.clear();
    if (TQuibIntegrador *integrador = Integrador())
        integrador->LimparParametros();
}

bool TDFeWebService::Processar()
{
    RegistrarLog("Inicio " + NomeDaClasse(), false);
    PrepararServico();
    bool resultado = false;
    try {
        DefinirDadosMsg();
        if (UsaIntegrador())
            PrepararIntegrador();
        MontarEnvelopeSoap();
        GravarEnvio();
        try {
            TransmitirDados();
            std::exception_ptr erroDaResposta;
            try {
                resultado = TratarResposta();
            } catch (...) {
                erroDaResposta = std::current_exception();
            }
            RegistrarLog(MontarMsgLog(), true);
            GravarResposta();
            if (erroDaResposta)
                std::rethrow_exception(erroDaResposta);
        } catch (const std::exception &erro) {
            resultado = false;
            LancarErro(MontarMsgErro(erro), &erro);
        }
    } catch (...) {
        ConcluirServico();
        throw;
    }
    ConcluirServico();
    return resultado;
}

void TDFeWebService::PrepararServico()
{
    Limpar();
    DefinirURL();
    if (URL.empty())
        LancarErro("URL não definida para: " + NomeDaClasse());
    DefinirServicoEAction();
    if (Servico.empty())
        LancarErro("Servico não definido para: " + NomeDaClasse());
    if (SoapAction.empty())
        LancarErro("SoapAction não definido para: " + NomeDaClasse());
    if (SoapAction == "*")
        SoapAction.clear();
}

void TDFeWebService::DefinirServicoEAction()
{
    Servico.clear();
    SoapAction.clear();
    LancarErro("DefinirServicoEAction não implementado para: " + NomeDaClasse());
}

void TDFeWebService::DefinirURL()
{
    LancarErro("DefinirURL não implementado para: " + NomeDaClasse());
}

void TDFeWebService::DefinirDadosMsg()
{
    DadosMsg.clear();
    LancarErro("DefinirDadosMsg não implementado para: " + NomeDaClasse());
}

void TDFeWebService::PrepararIntegrador()
{
    TQuibIntegrador *integrador = Integrador();
    if (integrador == nullptr)
        return;
    integrador->LimparParametros();
    integrador->SetParametro("versaoDados", VersaoDados);
    integrador->SetParametro(
        "cUF", std::to_string(configuracoes_ != nullptr ? configuracoes_->WebServices().UFCodigo() : 0));
}

bool TDFeWebService::TratarResposta()
{
    LancarErro("TratarResposta não implementado para: " + NomeDaClasse());
    return false;
}

void TDFeWebService::ExigirResposta()
{
    if (!RespostaXML.empty())
        return;
    std::string texto = "Erro ao obter resposta do webservice.";
    if (!RetornoSoap.empty())
        texto += "\r\n" + RetornoSoap;
    throw EQuibDFeException::CreateSemConversao(texto);
}

std::string TDFeWebService::UrlBaseWsdl()
{
    return (componente_ != nullptr ? componente_->NameSpaceURIDocumento() : std::string()) + "/wsdl/";
}

void TDFeWebService::AssinarDocumento(std::string_view XML, std::string_view docElement,
                                      std::string_view infElement, std::string_view MsgErro,
                                      std::string_view SignatureNode, std::string_view SelectionNamespaces,
                                      std::string_view IdSignature)
{
    try {
        DadosMsg = componente_->SSL().Assinar(XML, docElement, infElement, SignatureNode, SelectionNamespaces,
                                              IdSignature, "");
    } catch (const std::exception &erro) {
        std::string texto(MsgErro);
        if (!texto.empty())
            texto += "\r\n";
        LancarErro(texto + erro.what());
    }
}

// ---- Envelope --------------------------------------------------------------------------------

std::string TDFeWebService::MontarCabecalhoSoap()
{
    const std::string versao = GerarVersaoDadosSoap();
    return MontarUFSoap() + versao;
}

std::string TDFeWebService::GerarVersaoDadosSoap()
{
    LancarErro("GerarVersaoDadosSoap não implementado para: " + NomeDaClasse());
    return {};
}

std::string TDFeWebService::MontarUFSoap()
{
    const int uf = configuracoes_ != nullptr ? configuracoes_->WebServices().UFCodigo() : 0;
    return "<cUF>" + std::to_string(uf) + "</cUF>";
}

void TDFeWebService::MontarEnvelopeSoap()
{
    const std::string &p = VersaoSoap;
    std::string envelope = "<" + p + ":Envelope " + AtributosEnvelope + ">";
    if (!ElementoCabecalho.empty())
        envelope += "<" + p + ":Header><" + ElementoCabecalho + " xmlns=\"" + Servico + "\">" +
                    MontarCabecalhoSoap() + "</" + ElementoCabecalho + "></" + p + ":Header>";
    envelope += "<" + p + ":Body><" + ElementoCorpo + " xmlns=\"" + Servico + "\">" + DadosMsg + "</" +
                ElementoCorpo + "></" + p + ":Body></" + p + ":Envelope>";
    EnvelopeSoap = std::move(envelope);
}

// ---- Saved files -----------------------------------------------------------------------------

std::string TDFeWebService::PrefixoArquivoData()
{
    return DataHoraParaTextoCompacto(nowLocal());
}

void TDFeWebService::salvar(const std::string &nome, const std::string &conteudo, bool jaUTF8)
{
    if (componente_ != nullptr)
        componente_->SalvarArquivoXML(nome, conteudo, "", jaUTF8);
}

void TDFeWebService::GravarEnvio()
{
    if (SufixoEnvio.empty() || configuracoes_ == nullptr)
        return;
    const std::string prefixo = PrefixoArquivoData();
    if (configuracoes_->Geral().Salvar)
        salvar(prefixo + "-" + SufixoEnvio + ".xml", DadosMsg, TemAssinatura(DadosMsg));
    if (configuracoes_->WebServices().Salvar)
        salvar(prefixo + "-" + SufixoEnvio + "-soap.xml", EnvelopeSoap, TemAssinatura(EnvelopeSoap));
}

void TDFeWebService::GravarResposta()
{
    if (SufixoResposta.empty() || configuracoes_ == nullptr)
        return;
    const std::string prefixo = PrefixoArquivoData();
    if (configuracoes_->Geral().Salvar)
        salvar(prefixo + "-" + SufixoResposta + ".xml", RespostaXML, true);
    if (configuracoes_->WebServices().Salvar)
        salvar(prefixo + "-" + SufixoResposta + "-soap.xml", RetornoSoap, true);
}
