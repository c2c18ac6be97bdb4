#include <filesystem>
#include <sstream>

#include "foundation/dates/date_time.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/files/file_utils.h"
#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/leitor.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/nfe_namespace.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "nfe/services/quib_nfe.h"

namespace {

const char *const kNFeAusente = "NFe não encontrada no XML";

std::string nomeCurtoDoModelo(int mod)
{
    return mod == 65 ? "NFCe" : "NFe";
}

std::string juntarLinhas(const std::vector<std::string> &linhas)
{
    std::string texto;
    for (std::size_t i = 0; i < linhas.size(); ++i) {
        if (i > 0)
            texto += "\r\n";
        texto += linhas[i];
    }
    return texto;
}

} // namespace

NotaFiscal::NotaFiscal(TNotasFiscais &colecao)
    : colecao_(colecao), nfe_(std::make_unique<TNFe>()), gerador_(std::make_unique<TNFeW>(*nfe_)),
      leitor_(std::make_unique<TNFeR>(*nfe_))
{
    TConfiguracoesNFe &cfg = configuracoes();
    TNFe &nfe = *nfe_;
    nfe.ide.mod = cfg.Geral().ModeloDFCodigo();
    nfe.infNFe.versao = VersaoDFParaNumero(cfg.Geral().VersaoDF());
    nfe.ide.tpNF = CodigoParaTipoDocFiscal("1");
    nfe.ide.indPag = CodigoParaIndFormaPagamento("0");
    nfe.ide.verProc = "QuibNFe";
    nfe.ide.tpAmb = cfg.WebServices().Ambiente;
    nfe.ide.tpEmis = cfg.Geral().FormaEmissao;
    if (TQuibDFeDANFeReport *danfe = componente().DANFE())
        nfe.ide.tpImp = danfe->TipoDANFE();
    nfe.emit.enderEmit.xPais = kNomePaisBrasil;
    nfe.emit.enderEmit.cPais = kCodigoPaisBrasil;
    nfe.emit.enderEmit.nro = "SEM NUMERO";
    nfe.dest.enderDest.xPais = kNomePaisBrasil;
    nfe.dest.enderDest.cPais = kCodigoPaisBrasil;
}

NotaFiscal::~NotaFiscal() = default;

TQuibNFe &NotaFiscal::componente() const
{
    return colecao_.QuibNFe();
}

TConfiguracoesNFe &NotaFiscal::configuracoes() const
{
    return componente().Configuracoes();
}

// ---- Texts and derived reads -----------------------------------------------------------

void NotaFiscal::SetTextoXML(std::string_view texto)
{
    textoXML_ = GaranteXMLUTF8(texto);
    if (XMLAssinado(textoXML_))
        textoXMLAssinado_ = textoXML_;
    else
        textoXMLAssinado_.clear();
}

const std::string &NotaFiscal::TextoXMLAssinado()
{
    if (textoXMLAssinado_.empty())
        AssinarNota();
    return textoXMLAssinado_;
}

std::string NotaFiscal::ChaveNota() const
{
    return SomenteDigitos(nfe_->infNFe.Id);
}

int NotaFiscal::CodigoStatus() const
{
    return nfe_->procNFe.cStat;
}

std::string NotaFiscal::MotivoStatus() const
{
    return nfe_->procNFe.xMotivo;
}

bool NotaFiscal::Confirmada() const
{
    return TQuibNFe::CStatAutorizado(CodigoStatus());
}

bool NotaFiscal::Processada() const
{
    return TQuibNFe::CStatComProtocolo(CodigoStatus());
}

// ---- Generation ------------------------------------------------------------------------

std::string NotaFiscal::gerar(bool txt)
{
    TConfiguracoesNFe &cfg = configuracoes();
    const std::string idAnterior = nfe_->infNFe.Id;

    TGeradorOpcoes &opcoesXml = gerador_->Gerador.Opcoes;
    opcoesXml.FormatoAlerta = cfg.Geral().FormatoAlerta();
    opcoesXml.RetirarAcentos = cfg.Geral().RetirarAcentos;
    opcoesXml.RetirarEspacos = cfg.Geral().RetirarEspacos;
    opcoesXml.IdentarXML = cfg.Geral().IdentarXML;
    TGeradorOpcoesNFe &opcoes = gerador_->Opcoes;
    opcoes.NormatizarMunicipios = cfg.Arquivos().NormatizarMunicipios;
    opcoes.PathArquivoMunicipios = cfg.Arquivos().PathArquivoMunicipios;
    opcoes.CamposFatObrigatorios = cfg.Geral().CamposFatObrigatorios;
    opcoes.ForcarGerarTagRejeicao938 = cfg.Geral().ForcarGerarTagRejeicao938;
    opcoes.ForcarGerarTagRejeicao906 = cfg.Geral().ForcarGerarTagRejeicao906;
    opcoes.GerarTXTSimultaneamente = txt;
    FusoHorarioGlobal().Assign(cfg.WebServices().TimeZoneConf);
    gerador_->IdCSRT = cfg.RespTec().IdCSRT;
    gerador_->CSRT = cfg.RespTec().CSRT;

    gerador_->MontarXml();
    SetTextoXML(gerador_->Gerador.ArquivoFormatoXML);

    if (!ArquivoXML.empty() && nfe_->infNFe.Id != idAnterior) {
        const std::string pasta = std::filesystem::path(ArquivoXML).parent_path().string();
        ArquivoXML = CaminhoCompleto("", pasta);
    }
    AlertasGeracao = juntarLinhas(gerador_->Gerador.ListaDeAlertas);
    return txt ? gerador_->Gerador.ArquivoFormatoTXT : textoXML_;
}

std::string NotaFiscal::GerarTextoXML()
{
    return gerar(false);
}

std::string NotaFiscal::GerarTextoTXT()
{
    return gerar(true);
}

// ---- Signing ---------------------------------------------------------------------------

void NotaFiscal::AssinarNota()
{
    TQuibNFe &nfeComp = componente();
    TConfiguracoesNFe &cfg = configuracoes();
    if (!nfeComp.OnAntesDeAssinar())
        nfeComp.SSL().ConferirCNPJDocumento(nfe_->emit.CNPJCPF);

    const std::string xml = GaranteXMLUTF8(GerarTextoXML());
    const std::string assinado = nfeComp.SSL().Assinar(xml, "NFe", "infNFe");
    textoXMLAssinado_ = assinado;
    SetTextoXML(assinado);
    lerAssinatura();

    if (nfe_->ide.mod == 65) {
        montarSuplementoNFCe();
        GerarTextoXML();
    }

    if (cfg.Arquivos().Salvar && !cfg.Arquivos().SalvarApenasNFeProcessadas) {
        const std::string destino = ArquivoXML.empty() ? CaminhoCompleto("", "") : ArquivoXML;
        nfeComp.SalvarArquivoXML(destino, textoXMLAssinado_);
    }
}

void NotaFiscal::lerAssinatura()
{
    TLeitor leitor;
    leitor.setArquivo(textoXML_);
    leitor.setGrupo(leitor.ExtraiGrupo(1, "Signature"));
    TSignature &assinatura = nfe_->Signature;
    assinatura.URI = leitor.LeAtributo("URI", "Reference");
    assinatura.DigestValue = std::string(leitor.ConteudoDoCampo("DigestValue"));
    assinatura.SignatureValue = std::string(leitor.ConteudoDoCampo("SignatureValue"));
    assinatura.X509Certificate = std::string(leitor.ConteudoDoCampo("X509Certificate"));
}

void NotaFiscal::montarSuplementoNFCe()
{
    TNFe &nfe = *nfe_;
    TQuibNFe &nfeComp = componente();
    const double versao = nfe.infNFe.VersaoOuPadrao();
    const std::string destinatario =
        std::string(trimText(nfe.dest.idEstrangeiro.empty() ? nfe.dest.CNPJCPF : nfe.dest.idEstrangeiro));
    nfe.infNFeSupl.qrCode = nfeComp.MontarQRCodeNFCe(
        nfe.ide.cUF, nfe.ide.tpAmb, ChaveNota(), destinatario, nfe.ide.dEmi, nfe.total.ICMSTot.vNF,
        nfe.total.ICMSTot.vICMS, nfe.Signature.DigestValue, versao);
    if (versao >= 4.0)
        nfe.infNFeSupl.urlChave = nfeComp.EnderecoConsultaNFCe(nfe.ide.cUF, nfe.ide.tpAmb, versao);
}

// ---- Checks ----------------------------------------------------------------------------

std::string NotaFiscal::elementoNFe() const
{
    const std::string &xml = textoXMLAssinado_.empty() ? textoXML_ : textoXMLAssinado_;
    return ElementoComNamespace(xml, "NFe", kNamespaceNFe);
}

void NotaFiscal::ValidarNota()
{
    TQuibNFe &nfeComp = componente();
    TConfiguracoesNFe &cfg = configuracoes();
    const double versao = nfe_->infNFe.VersaoOuPadrao();
    bool versaoOk = false;
    const TpcnVersaoDF versaoDF = NumeroParaVersaoDF(versao, versaoOk);
    const TpcnModeloDF modelo = nfe_->ide.mod == 65 ? moNFCe : moNFe;
    const TpcnServicoNFe layout =
        TQuibNFe::ServicoEhAutorizacao(versaoOk ? versaoDF : ve200, modelo, nfe_->ide.cUF) ? srvNfeAutorizacao
                                                                                           : srvNfeRecepcao;

    const std::string xml = elementoNFe();
    bool ok = false;
    std::string mensagem;
    if (xml.empty()) {
        mensagem = kNFeAusente;
    } else {
        const std::string schema = nfeComp.ArquivoSchemaDoLayout(layout, versao);
        ok = nfeComp.SSL().Validar(xml, schema, mensagem);
    }
    if (ok)
        return;
    MsgErroValidacao =
        "Falha na validação dos dados da nota: " + std::to_string(nfe_->ide.nNF) + "\r\n" + AlertasGeracao;
    MsgErroValidacaoDetalhada = MsgErroValidacao + "\r\n" + mensagem;
    throw EQuibNFeException(cfg.Geral().ExibirErroSchema ? MsgErroValidacaoDetalhada : MsgErroValidacao);
}

bool NotaFiscal::ConferirAssinatura()
{
    const std::string xml = elementoNFe();
    std::string mensagem;
    bool ok = false;
    if (xml.empty())
        mensagem = kNFeAusente;
    else
        ok = componente().SSL().ValidarAssinatura(xml, mensagem, "infNFe");
    if (!ok)
        MsgErroValidacao =
            "Falha na validação da assinatura da nota: " + std::to_string(nfe_->ide.nNF) + "\r\n" + mensagem;
    return ok;
}

// ---- Loading ---------------------------------------------------------------------------

bool NotaFiscal::CarregarXML(std::string_view xml)
{
    SetTextoXML(xml);
    std::string entrada = ConverteEntidades(xml, true, DeclaraUTF8(xml));
    entrada = replaceAll(entrada, std::string(" xmlns=\"") + kNamespaceNFe + "\"", "");
    leitor_->Leitor().setArquivo(std::move(entrada));
    return leitor_->ImportarXml();
}

// ---- Files and names -------------------------------------------------------------------

std::string NotaFiscal::NomeArquivoPadrao() const
{
    const std::string chave = ChaveNota();
    if (chave.empty())
        throw EQuibNFeException("ID Inválido. Impossível Salvar XML");
    return chave + "-nfe.xml";
}

std::string NotaFiscal::PastaPadrao()
{
    TConfiguracoesNFe &cfg = configuracoes();
    const TDateTime data = cfg.Arquivos().EmissaoPathNFe ? nfe_->ide.dEmi : nowLocal();
    return IncluiBarraFinal(
        cfg.Arquivos().PathNFePara(data, nfe_->emit.CNPJCPF, nfe_->emit.IE, nfe_->ide.mod));
}

std::string NotaFiscal::CaminhoCompleto(std::string_view NomeArquivo, std::string_view PastaArquivo)
{
    const std::string nome = NomeArquivo.empty() ? NomeArquivoPadrao() : std::string(NomeArquivo);
    if (std::filesystem::path(nome).has_parent_path())
        return nome;
    const std::string_view pasta = trimText(PastaArquivo);
    return (pasta.empty() ? PastaPadrao() : IncluiBarraFinal(pasta)) + nome;
}

bool NotaFiscal::GravarArquivoXML(std::string_view NomeArquivo, std::string_view PastaArquivo)
{
    if (textoXML_.empty())
        GerarTextoXML();
    ArquivoXML = CaminhoCompleto(NomeArquivo, PastaArquivo);
    return componente().SalvarArquivoXML(ArquivoXML, textoXML_);
}

bool NotaFiscal::GravarEmStream(std::ostream &stream)
{
    if (auto *texto = dynamic_cast<std::stringstream *>(&stream))
        texto->str({});
    stream.write(textoXML_.data(), static_cast<std::streamsize>(textoXML_.size()));
    return true;
}

// ---- Mail and printing -----------------------------------------------------------------

void NotaFiscal::EnviarPorEmail(std::string_view sPara, std::string_view sAssunto,
                                const std::vector<std::string> *sMensagem, bool EnviaPDF,
                                const std::vector<std::string> *sCC, const std::vector<std::string> *Anexos,
                                const std::vector<std::string> *sReplyTo)
{
    TQuibNFe &nfeComp = componente();
    if (nfeComp.MAIL() == nullptr)
        throw EQuibNFeException("Componente QuibMail não associado");
    std::vector<std::string> anexos;
    if (Anexos != nullptr)
        anexos = *Anexos;
    std::stringstream xml;
    GravarEmStream(xml);
    if (EnviaPDF) {
        if (TQuibDFeDANFeReport *danfe = nfeComp.DANFE()) {
            danfe->ImprimirDANFEPDF(nfe_.get());
            anexos.push_back(danfe->ArquivoPDF());
        }
    }
    nfeComp.EnviarPorEmail(sPara, sAssunto, sMensagem, sCC, &anexos, &xml, ChaveNota() + "-nfe.xml",
                           sReplyTo);
}

void NotaFiscal::ImprimirNota()
{
    TQuibDFeDANFeReport *danfe = componente().DANFE();
    if (danfe == nullptr)
        throw EQuibNFeException("Componente DA" + nomeCurtoDoModelo(nfe_->ide.mod) + " não associado.");
    danfe->ImprimirDANFE(nfe_.get());
}
