#include <string>

#include "foundation/text/text_utils.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_dfe_danfe_report.h"
#include "nfe/services/quib_nfe.h"
#include "nfe/services/web_services.h"

namespace {

constexpr int kMaximoNotas = 50;
constexpr int kMaximoEventos = 20;

} // namespace

bool TQuibNFe::TransmitirLote(std::string_view Lote, bool Imprimir, bool Sincrono, bool Zipado)
{
    TWebServices &servicos = Servicos();
    servicos.ServicoRecepcao.Limpar();
    servicos.ServicoRetRecepcao.Limpar();
    if (Notas().Count() <= 0)
        LancarErro("ERRO: Nenhuma NF-e adicionada ao Lote");
    if (Notas().Count() > kMaximoNotas)
        LancarErro("ERRO: Conjunto de NF-e transmitidas (máximo de 50 NF-e) excedido. Quantidade atual: " +
                   std::to_string(Notas().Count()));
    Notas().AssinarTodas();
    Notas().ValidarTodas();
    const bool resultado = servicos.EnviarLoteCompleto(Lote, Sincrono, Zipado);
    if (Imprimir && DANFE() != nullptr)
        for (int i = 0; i < Notas().Count(); ++i)
            if (CStatAutorizado(Notas()[i].CodigoStatus()))
                Notas()[i].ImprimirNota();
    return resultado;
}

bool TQuibNFe::TransmitirLoteNum(std::int64_t ALote, bool Imprimir, bool Sincrono, bool Zipado)
{
    return TransmitirLote(std::to_string(ALote), Imprimir, Sincrono, Zipado);
}

bool TQuibNFe::TransmitirEventos(std::int64_t idLote)
{
    const int quantidade = LoteEventos.Eventos.count();
    if (quantidade <= 0)
        LancarErro("ERRO: Nenhum Evento adicionado ao Lote");
    if (quantidade > kMaximoEventos)
        LancarErro("ERRO: Conjunto de Eventos transmitidos (máximo de 20) excedido. Quantidade atual: " +
                   std::to_string(quantidade));
    TWebServices &servicos = Servicos();
    servicos.ServicoEvento.idLote = idLote;

    for (int i = 0; i < quantidade; ++i) {
        TInfEvento &evento = LoteEventos.Eventos[i].InfEvento;
        if (evento.nSeqEvento == 0)
            evento.nSeqEvento = 1;
        evento.tpAmb = Configuracoes().WebServices().Ambiente;
        if (Notas().Count() <= 0)
            continue;

        NotaFiscal *nota = nullptr;
        const std::string chave = SomenteDigitos(evento.chNFe);
        if (chave.empty()) {
            nota = &Notas()[0];
        } else {
            for (int j = 0; j < Notas().Count() && nota == nullptr; ++j)
                if (Notas()[j].ChaveNota() == chave)
                    nota = &Notas()[j];
            if (nota == nullptr) {
                LancarErro("Não existe NFe com a chave [" + chave + "] carregada");
                continue;
            }
        }
        if (trimText(evento.CNPJ).empty())
            evento.CNPJ = nota->NFe().emit.CNPJCPF;
        if (evento.chNFe.empty())
            evento.chNFe = nota->ChaveNota();
        if (evento.tpEvento == tevCancelamento && trimText(evento.detEvento.nProt).empty()) {
            evento.detEvento.nProt = nota->NFe().procNFe.nProt;
            if (trimText(evento.detEvento.nProt).empty()) {
                TNFeConsulta &consulta = servicos.ServicoConsulta;
                consulta.SetChaveAcesso(evento.chNFe);
                if (!consulta.Processar())
                    LancarErro(consulta.MensagemResultado);
                evento.detEvento.nProt = consulta.Protocolo;
            }
        }
    }

    const bool resultado = servicos.ServicoEvento.Processar();
    if (!resultado)
        LancarErro(servicos.ServicoEvento.MensagemResultado);
    return resultado;
}

bool TQuibNFe::ConsultarSituacao(std::string_view AChave, bool AExtrairEventos)
{
    TNFeConsulta &consulta = Servicos().ServicoConsulta;
    if (Notas().Count() <= 0 && AChave.empty())
        LancarErro("ERRO: Nenhuma Nota Fiscal Eletrônica ou Chave Informada!");
    if (!AChave.empty()) {
        Notas().Clear();
        consulta.SetChaveAcesso(AChave);
        consulta.GravarEventosRetornados = AExtrairEventos;
        consulta.Processar();
        return true;
    }
    for (int i = 0; i < Notas().Count(); ++i) {
        consulta.SetChaveAcesso(Notas()[i].ChaveNota());
        consulta.GravarEventosRetornados = AExtrairEventos;
        consulta.Processar();
    }
    return true;
}

bool TQuibNFe::ConsultarDistribuicao(int AcUFAutor, std::string_view ACNPJCPF, std::string_view AultNSU,
                                     std::string_view ANSU, std::string_view AchNFe)
{
    TDistribuicaoDFe &distribuicao = Servicos().ServicoDistribuicao;
    distribuicao.cUFAutor = AcUFAutor;
    distribuicao.CNPJCPF = std::string(ACNPJCPF);
    distribuicao.ultNSU = std::string(AultNSU);
    distribuicao.NSU = std::string(ANSU);
    distribuicao.chNFe = std::string(AchNFe);
    const bool resultado = distribuicao.Processar();
    if (!resultado)
        LancarErro(distribuicao.MensagemResultado);
    return resultado;
}

bool TQuibNFe::PedirDistribuicaoDFe(int AcUFAutor, std::string_view ACNPJCPF, std::string_view AultNSU,
                                    std::string_view ANSU, std::string_view AchNFe)
{
    return ConsultarDistribuicao(AcUFAutor, ACNPJCPF, AultNSU, ANSU, AchNFe);
}

void TQuibNFe::ImprimirComprovanteEvento()
{
    if (DANFE() == nullptr) {
        LancarErro("Componente DANFE não associado.");
        return;
    }
    DANFE()->ImprimirEVENTO(nullptr);
}

void TQuibNFe::ImprimirComprovanteInutilizacao()
{
    if (DANFE() == nullptr) {
        LancarErro("Componente DANFE não associado.");
        return;
    }
    DANFE()->ImprimirINUTILIZACAO(nullptr);
}
