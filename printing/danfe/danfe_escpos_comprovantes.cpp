#include <string>

#include "foundation/fiscal/dfe_util.h"
#include "foundation/text/text_utils.h"
#include "nfe/document/nfe_model.h"
#include "nfe/services/quib_nfe.h"
#include "printing/danfe/danfe_escpos.h"
#include "printing/danfe/detail/texto_cupom.h"

using namespace danfe_texto;

namespace {

// Labels of the event receipt take 11 columns, those of the voiding 18.
std::string rotuloEvento(std::string_view rotulo)
{
    return CompletaDireita(rotulo, 11);
}

std::string rotuloInutilizacao(std::string_view rotulo)
{
    return CompletaDireita(rotulo, 18);
}

// Production, homologation, or nothing for a value outside the two.
std::string ambienteInutilizacao(TpcnTipoAmbiente ambiente)
{
    switch (ambiente) {
    case taProducao:
        return "PRODUÇÃO";
    case taHomologacao:
        return "HOMOLOGAÇÃO - SEM VALOR FISCAL";
    }
    return {};
}

} // namespace

void TQuibNFeDANFeESCPOS::MontarComprovanteEvento()
{
    const TEventoNFe &lote = Componente().LoteEventos;
    const TNFe &nfe = nota();
    MontarCabecalhoEmitente();

    const bool comEvento = lote.Eventos.count() > 0;
    if (comEvento) {
        const TInfEventoCollectionItem &evento = lote.Eventos.ObterItem(0);
        const TInfEvento &inf = evento.InfEvento;
        const TRetInfEvento &ret = evento.RetInfEvento;
        Adicionar("</fn></ce><n>Nota Fiscal para Consumidor Final</n>");
        Adicionar("Número: " + Digitos(nfe.ide.nNF, 9) + " Série: " + Digitos(nfe.ide.serie, 3));
        Adicionar("Emissão: " + DataHora(nfe.ide.dEmi) + "</n>");
        if (nfe.total.ICMSTot.vNF > 0)
            Adicionar("Valor Documento: R$ " + Dinheiro(nfe.total.ICMSTot.vNF) + "</n>");
        Adicionar(" ");
        Adicionar(Condensado() + "CHAVE ACESSO");
        Adicionar(FormataChaveEmBlocos(ChaveAcesso()));
        Adicionar("</linha_simples>");
        Adicionar("</fn><n>EVENTO</n>");
        Adicionar("</fn></ae>" + rotuloEvento("Evento:") + inf.CodigoTipoEvento());
        Adicionar(rotuloEvento("Descrição:") + inf.DescricaoTipoEvento());
        Adicionar(rotuloEvento("Orgão:") + std::to_string(inf.cOrgao()));
        Adicionar(rotuloEvento("Ambiente:") +
                  (ret.tpAmb == taProducao ? "PRODUCAO" : "HOMOLOGAÇÃO - SEM VALOR FISCAL"));
        Adicionar(rotuloEvento("Emissão:") + DataHora(inf.dhEvento));
        Adicionar(rotuloEvento("Sequencia:") + std::to_string(inf.nSeqEvento));
        Adicionar(rotuloEvento("Versão:") + inf.verEvento);
        Adicionar(rotuloEvento("Status:") + ret.xMotivo);
        Adicionar(rotuloEvento("Protocolo:") + ret.nProt);
        Adicionar(rotuloEvento("Registro:") + DataHora(ret.dhRegEvento));
        Adicionar("</linha_simples>");
    }

    Adicionar(MontarConsumidor(false));

    if (comEvento) {
        const TDetEvento &detalhe = lote.Eventos.ObterItem(0).InfEvento.detEvento;
        if (!detalhe.xJust.empty())
            Adicionar(
                Entradas{"</linha_simples>", "</fn></ce><n>JUSTIFICATIVA</n>", "</fn></ae>" + detalhe.xJust});
        else if (!detalhe.xCorrecao.empty())
            Adicionar(
                Entradas{"</linha_simples>", "</fn></ce><n>CORREÇÃO</n>", "</fn></ae>" + detalhe.xCorrecao});
    }

    Adicionar(MontarQRCode(true, TextoQRCodeNota()));
    MontarRodape();
}

void TQuibNFeDANFeESCPOS::MontarComprovanteInutilizacao(bool comNota)
{
    const TRetInutNFe &ret = Componente().PedidoInutilizacao.RetInutNFe;
    Adicionar("</ce>" + Condensado() + "<n>" + Quebrar("INUTILIZAÇÃO DE NUMERAÇÃO DA NF-E", Colunas()) +
              "</n>");
    Adicionar("</ae> Não possui valor fiscal, simples representação do fato indicado abaixo.");
    Adicionar("CONSULTE A AUTENTICIDADE NO SITE DA SEFAZ AUTORIZADORA");
    Adicionar("</linha_simples>");
    if (comNota) {
        MontarCabecalhoEmitente();
        Adicionar("</linha_simples>");
    }

    Adicionar("</fn></ce><n>INUTILIZAÇÃO</n>");
    Adicionar("</fn></ae>" + rotuloInutilizacao("ÓRGÃO:") + std::to_string(ret.cUF));
    Adicionar(rotuloInutilizacao("AMBIENTE:") + ambienteInutilizacao(ret.tpAmb));
    Adicionar(rotuloInutilizacao("ANO:") + std::to_string(ret.ano));
    Adicionar(rotuloInutilizacao("MODELO:") + std::to_string(ret.modelo));
    Adicionar(rotuloInutilizacao("SERIE:") + std::to_string(ret.serie));
    Adicionar(rotuloInutilizacao("NUM. INUTILIZADA:") + std::to_string(ret.nNFIni) + " a " +
              std::to_string(ret.nNFFin));
    Adicionar(rotuloInutilizacao("STATUS:") + std::to_string(ret.cStat) + " - " + ret.xMotivo);
    Adicionar(rotuloInutilizacao("NÚM. PROTOCOLO:") + ret.nProt + " " + DataHora(ret.dhRecbto));
    Adicionar("</linha_simples>");

    if (!ret.xJust.empty())
        Adicionar(Entradas{"</fn></ce><n>JUSTIFICATIVA</n>", "</fn></ae>" + ret.xJust, "</linha_simples>"});
    MontarRodape();
}
