#include "nfe/services/env_evento_nfe.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/detail/abertura_raiz.h"
#include "nfe/services/detail/escrita_evento.h"

namespace {

constexpr std::size_t kTamanhoId = 54;

bool ehManifestacao(TpcnTipoEvento tipo)
{
    return tipo == tevManifDestConfirmacao || tipo == tevManifDestCiencia ||
           tipo == tevManifDestDesconhecimento || tipo == tevManifDestOperNaoRealizada;
}

// The author of the event: the CNPJ given or else the emitter of the key. A
// key of the series 910 to 969 (notes of individuals) carries the CPF in a
// 14-digit field: the manifestations of the recipient keep the 14 digits,
// every other kind writes the CPF.
std::string documentoDoAutor(const TInfEvento &evento)
{
    std::string digitos = SomenteDigitos(evento.CNPJ);
    if (digitos.empty())
        digitos = CNPJouCPFDaChave(evento.chNFe);
    const int serie = SerieDaChave(evento.chNFe);
    if (digitos.size() == 14 && serie >= 910 && serie <= 969 && !ehManifestacao(evento.tpEvento))
        digitos = digitos.substr(3);
    return digitos;
}

std::string idDoEvento(const TInfEvento &evento)
{
    std::string sequencia = std::to_string(evento.nSeqEvento);
    if (sequencia.size() < 2)
        sequencia.insert(0, 2 - sequencia.size(), '0');
    return "ID" + evento.CodigoTipoEvento() + SomenteDigitos(evento.chNFe) + sequencia;
}

} // namespace

namespace nfe_services {

std::string dataHoraDoEvento(TDateTime valor, int cUF)
{
    return FormataDataHoraISO(valor) + FusoHorarioDaUF(SiglaUFDoCodigo(cUF), valor);
}

void escreveDocumento(TGerador &gerador, const std::string &digitos, std::string_view idCNPJ,
                      std::string_view idCPF)
{
    if (digitos.size() == 11) {
        gerador.EscreveCampo(vcTexto, idCPF, "CPF", 11, 11, 1, digitos, "CPF");
        if (!CPFValido(digitos))
            gerador.AdicionaAlerta(idCPF, "CPF", "CPF", kConteudoInvalido);
    } else if (digitos.size() == 14) {
        gerador.EscreveCampo(vcTexto, idCNPJ, "CNPJ", 14, 14, 1, digitos, "CNPJ(MF)");
        if (!CNPJValido(digitos))
            gerador.AdicionaAlerta(idCNPJ, "CNPJ", "CNPJ", kConteudoInvalido);
    }
}

} // namespace nfe_services

bool TEventoNFe::GerarEnvEvento()
{
    Gerador.ArquivoFormatoXML.clear();
    const std::string atributoNamespace = nfe_services::atributoNamespaceNFe();
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz("envEvento", atributoNamespace, Versao));
    Gerador.EscreveCampo(vcInteiro64, "HP03", "idLote", 1, 15, 1, idLote, "Numero do Lote");

    for (int i = 0; i < Eventos.count(); ++i) {
        TInfEventoCollectionItem &item = Eventos.ObterItem(i);
        TInfEvento &evento = item.InfEvento;
        evento.Id = idDoEvento(evento);

        Gerador.EscreveGrupo(nfe_services::aberturaRaiz("evento", atributoNamespace, Versao));
        Gerador.EscreveGrupo("infEvento Id=\"" + evento.Id + "\"");
        if (evento.Id.size() < kTamanhoId)
            Gerador.AdicionaAlerta("HP07", "ID", "", "ID de Evento inválido");

        const int cOrgao = evento.cOrgao();
        Gerador.EscreveCampo(vcInteiro, "HP08", "cOrgao", 1, 2, 1, cOrgao, "-");
        Gerador.EscreveCampo(vcTexto, "HP09", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(evento.tpAmb),
                             "Identificação do Ambiente");
        nfe_services::escreveDocumento(Gerador, documentoDoAutor(evento), "HP10", "HP11");
        Gerador.EscreveCampo(vcTexto, "HP12", "chNFe", 44, 44, 1, evento.chNFe, "Chave do DFe");
        if (!ChaveAcessoValida(evento.chNFe))
            Gerador.AdicionaAlerta("HP12", "chNFe", "Chave do DFe", "Chave de NFe inválida");
        Gerador.EscreveCampo(vcTexto, "HP13", "dhEvento", 1, 50, 1,
                             nfe_services::dataHoraDoEvento(evento.dhEvento, cOrgao), "-");
        Gerador.EscreveCampo(vcInteiro, "HP14", "tpEvento", 6, 6, 1, evento.CodigoTipoEvento(), "-");
        Gerador.EscreveCampo(vcInteiro, "HP15", "nSeqEvento", 1, 2, 1, evento.nSeqEvento, "-");
        Gerador.EscreveCampo(vcTexto, "HP16", "verEvento", 1, 4, 1, Versao, "-");

        Gerador.EscreveGrupo("detEvento versao=\"" + Versao + "\"");
        Gerador.EscreveCampo(vcTexto, "HP19", "descEvento", 4, 60, 1, evento.DescricaoTipoEvento(), "-");
        nfe_services::escreveDetalheDoEvento(Gerador, evento);
        Gerador.EscreveGrupo("/detEvento");
        Gerador.EscreveGrupo("/infEvento");

        if (!item.Signature.URI.empty()) {
            item.Signature.Gerador.Opcoes.IdentarXML = Gerador.Opcoes.IdentarXML;
            item.Signature.MontarXml();
            Gerador.EscreveTexto(item.Signature.Gerador.ArquivoFormatoXML);
        }
        Gerador.EscreveGrupo("/evento");
    }
    Gerador.EscreveGrupo("/envEvento");
    return Gerador.ListaDeAlertas.empty();
}
