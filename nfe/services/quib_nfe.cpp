#include "nfe/services/quib_nfe.h"

#include "nfe/document/nfe_namespace.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "nfe/services/web_services.h"

TQuibNFe::TQuibNFe()
    : notas_(std::make_unique<TNotasFiscais>(this)), servicos_(std::make_unique<TWebServices>(*this))
{
}

TQuibNFe::~TQuibNFe()
{
    if (danfe_ != nullptr)
        danfe_->esquecerQuibNFe(this);
}

std::unique_ptr<TConfiguracoes> TQuibNFe::CriarConfiguracoes()
{
    return std::make_unique<TConfiguracoesNFe>(this);
}

// ---- DANFE link ------------------------------------------------------------------------

void TQuibNFe::SetDANFE(TQuibDFeDANFeReport *value)
{
    if (value == danfe_)
        return;
    TQuibDFeDANFeReport *antigo = danfe_;
    danfe_ = value;
    if (antigo != nullptr)
        antigo->esquecerQuibNFe(this);
    if (value != nullptr)
        value->SetQuibNFe(this);
}

void TQuibNFe::esquecerDANFE(const TQuibDFeDANFeReport *report)
{
    if (danfe_ == report)
        danfe_ = nullptr;
}

// ---- Steps and answer codes ----------------------------------------------------------

void TQuibNFe::DefinirEtapa(TEtapaNFe etapa)
{
    if (etapa == etapa_)
        return;
    etapa_ = etapa;
    if (OnStatusChange)
        OnStatusChange(*this);
}

bool TQuibNFe::CStatAutorizado(int cStat)
{
    switch (cStat) {
    case 100:
    case 110:
    case 150:
    case 301:
    case 302:
    case 303:
        return true;
    default:
        return false;
    }
}

bool TQuibNFe::CStatComProtocolo(int cStat)
{
    return CStatAutorizado(cStat);
}

bool TQuibNFe::CStatDeCancelamento(int cStat)
{
    return cStat == 101 || cStat == 135 || cStat == 151 || cStat == 155;
}

// ---- Document ----------------------------------------------------------------------------

std::string TQuibNFe::NomeSchemaDoServico(std::string_view NomeServico) const
{
    bool ok = false;
    const TpcnServicoNFe servico = NomeParaServicoNFe(NomeServico, ok);
    if (!ok)
        return {};
    return SchemaNFeParaNome(ServicoNFeParaSchema(servico));
}

std::string TQuibNFe::NomeDoModeloDFe() const
{
    auto &configuracoes = const_cast<TQuibNFe *>(this)->Configuracoes();
    return configuracoes.Geral().ModeloDF() == moNFCe ? "NFCe" : "NFe";
}

std::string TQuibNFe::NameSpaceURIDocumento() const
{
    return kNamespaceNFe;
}

void TQuibNFe::EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                              const std::vector<std::string> *sMensagem, const std::vector<std::string> *sCC,
                              const std::vector<std::string> *Anexos, std::istream *StreamNFe,
                              std::string_view NomeArq, const std::vector<std::string> *sReplyTo,
                              const std::vector<std::string> *sBCC)
{
    DefinirEtapa(etEnviandoEmail);
    try {
        TQuibDFe::EnviarPorEmail(sPara, sAssunto, sMensagem, sCC, Anexos, StreamNFe, NomeArq, sReplyTo, sBCC);
    } catch (...) {
        DefinirEtapa(etOcioso);
        throw;
    }
    DefinirEtapa(etOcioso);
}

// ---- Services INI and schemas --------------------------------------------------------

void TQuibNFe::LocalizarServico(TpcnServicoNFe layout, double &Versao, std::string &URL, std::string &Servico,
                                std::string &SoapAction)
{
    TConfiguracoesNFe &configuracoes = Configuracoes();
    std::string autorizador;
    switch (configuracoes.Geral().FormaEmissao) {
    case teSVCAN:
        autorizador = "SVC-AN";
        break;
    case teSVCRS:
        autorizador = "SVC-RS";
        break;
    default:
        autorizador = configuracoes.WebServices().UF();
        break;
    }
    Versao = VersaoDFParaNumero(configuracoes.Geral().VersaoDF());
    URL.clear();
    Servico.clear();
    SoapAction.clear();
    BuscarServico(NomeDoModeloDFe(), autorizador, configuracoes.WebServices().Ambiente,
                  ServicoNFeParaNome(layout), Versao, URL, Servico, SoapAction);
}

std::string TQuibNFe::VersaoServicoDosParams(TpcnServicoNFe layout)
{
    TConfiguracoesNFe &configuracoes = Configuracoes();
    const double versao = VersaoDoServico(NomeDoModeloDFe(), configuracoes.WebServices().UF(),
                                          configuracoes.WebServices().Ambiente, ServicoNFeParaNome(layout),
                                          VersaoDFParaNumero(configuracoes.Geral().VersaoDF()));
    return VersaoParaTexto(versao);
}

bool TQuibNFe::ServicoEhAutorizacao(TpcnVersaoDF versao, TpcnModeloDF modelo, int cUF)
{
    if (versao < ve310)
        return false;
    return !(versao == ve310 && modelo == moNFCe && cUF == 13);
}

std::string TQuibNFe::ArquivoSchemaDoLayout(TpcnServicoNFe layout, double Versao)
{
    const std::string nome = NomeSchemaDoServico(ServicoNFeParaNome(layout));
    if (nome.empty())
        return {};
    return BuscarArquivoSchema(nome, Versao);
}

std::string TQuibNFe::ArquivoSchemaPorVersao(TSchemaNFe schema, double Versao)
{
    if (Versao == 0)
        return {};
    std::string nome = SchemaEventoParaNome(schema);
    if (schema == schEnvEPEC)
        nome += NomeDoModeloDFe();
    return Configuracoes().Arquivos().PathSchemas() + nome + "_v" + VersaoParaTexto(Versao) + ".xsd";
}
