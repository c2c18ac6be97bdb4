#include "nfe/services/detail/protocolo_nota.h"

#include <filesystem>

#include "foundation/text/text_utils.h"
#include "foundation/xml/leitor.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/document/proc_nfe.h"
#include "nfe/services/nfe_web_service.h"
#include "nfe/services/notas_fiscais.h"

namespace nfe_services {

std::string protocoloComoRecebido(const std::string &resposta, int ordem)
{
    TLeitor leitor;
    leitor.setArquivo(resposta);
    return leitor.ExtraiGrupo(1, "protNFe", "", ordem);
}

TProtDFeCollectionItem protocoloDosCampos(const TProcNFe &lido)
{
    TProtDFeCollectionItem protocolo;
    protocolo.tpAmb = lido.tpAmb;
    protocolo.verAplic = lido.verAplic;
    protocolo.ChaveAcesso = lido.chNFe;
    protocolo.dhRecbto = lido.dhRecbto;
    protocolo.nProt = lido.nProt;
    protocolo.digVal = lido.digVal;
    protocolo.cStat = lido.cStat;
    protocolo.xMotivo = lido.xMotivo;
    protocolo.cMsg = lido.cMsg;
    protocolo.xMsg = lido.xMsg;
    return protocolo;
}

void copiarParaNota(const TProtDFeCollectionItem &protocolo, TProcNFe &dados)
{
    dados.tpAmb = protocolo.tpAmb;
    dados.verAplic = protocolo.verAplic;
    dados.chNFe = protocolo.ChaveAcesso;
    dados.dhRecbto = protocolo.dhRecbto;
    dados.nProt = protocolo.nProt;
    dados.digVal = protocolo.digVal;
    dados.cStat = protocolo.cStat;
    dados.xMotivo = protocolo.xMotivo;
    dados.cMsg = protocolo.cMsg;
    dados.xMsg = protocolo.xMsg;
}

NotaFiscal *notaDaChave(TNotasFiscais &notas, std::string_view chave)
{
    const std::string digitos = SomenteDigitos(chave);
    if (digitos.empty())
        return nullptr;
    for (int i = 0; i < notas.Count(); ++i)
        if (notas[i].ChaveNota() == digitos)
            return &notas[i];
    return nullptr;
}

void conferirDigest(TNFeWebService &servico, NotaFiscal &nota, std::string_view digVal, bool semCaixa)
{
    const TConfiguracoesNFe *cfg = servico.ConfiguracoesNFe();
    if (cfg == nullptr || !cfg->Geral().ValidarDigest || digVal.empty())
        return;
    const std::string &daNota = nota.NFe().Signature.DigestValue;
    if (semCaixa && daNota.empty())
        return;
    const bool confere = semCaixa ? upperAscii(digVal) == upperAscii(daNota) : digVal == daNota;
    if (!confere)
        throw EQuibNFeException("DigestValue do documento " + nota.ChaveNota() + " não confere.");
}

void montarNfeProc(TNFeWebService &servico, NotaFiscal &nota, std::string_view elementoProtocolo,
                   std::string_view versao)
{
    const std::string &assinado = nota.TextoXMLAssinadoAtual();
    TProcNFe proc;
    proc.XmlNFe = RetiraDeclaracaoXML(assinado.empty() ? nota.TextoXML() : assinado, true);
    proc.XmlProtNFe = std::string(elementoProtocolo);
    proc.Versao = std::string(versao);
    servico.AplicarOpcoesGerador(proc.Gerador.Opcoes);
    // A half-built document never replaces the note's XML.
    if (!proc.MontarXml())
        throw EQuibNFeException(
            "Não foi possível montar o nfeProc do documento " + nota.ChaveNota() + ": " +
            (proc.Gerador.ListaDeAlertas.empty() ? std::string() : proc.Gerador.ListaDeAlertas.front()));
    nota.SetTextoXML(proc.Gerador.ArquivoFormatoXML);
}

void salvarNotaProcessada(TNFeWebService &servico, NotaFiscal &nota)
{
    const TConfiguracoesNFe *cfg = servico.ConfiguracoesNFe();
    if (cfg == nullptr || servico.ComponenteNFe() == nullptr || !cfg->Arquivos().Salvar)
        return;
    if (cfg->Arquivos().SalvarApenasNFeProcessadas && !nota.Processada())
        return;
    std::error_code erro;
    if (!nota.ArquivoXML.empty() && std::filesystem::is_regular_file(nota.ArquivoXML, erro))
        servico.ComponenteNFe()->SalvarArquivoXML(nota.ArquivoXML, nota.TextoXML(), "", true);
    if (nota.ArquivoXML != nota.CaminhoCompleto("", ""))
        nota.GravarArquivoXML();
}

void anexarProtocolo(TNFeWebService &servico, NotaFiscal &nota, const TProtDFeCollectionItem &protocolo,
                     std::string_view versao)
{
    conferirDigest(servico, nota, protocolo.digVal, false);
    copiarParaNota(protocolo, nota.NFe().procNFe);
    if (TQuibNFe::CStatComProtocolo(protocolo.cStat))
        montarNfeProc(servico, nota, protocolo.ElementoProtocolo, versao);
    salvarNotaProcessada(servico, nota);
}

} // namespace nfe_services
