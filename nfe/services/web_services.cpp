#include "nfe/services/web_services.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/notas_fiscais.h"

TWebServices::TWebServices(TQuibNFe &componente)
    : ServicoStatus(&componente), ServicoRecepcao(&componente, componente.Notas()),
      ServicoRetRecepcao(&componente, componente.Notas()), ServicoRecibo(&componente, componente.Notas()),
      ServicoConsulta(&componente, componente.Notas()), ServicoInutilizacao(&componente),
      ServicoConsultaCadastro(&componente), ServicoEvento(&componente, componente.LoteEventos),
      ServicoAdmCSC(&componente), ServicoDistribuicao(&componente), ServicoEnvioGenerico(&componente)
{
    // Two-phase creation: each service's own Limpar, in the order above.
    ServicoStatus.Limpar();
    ServicoRecepcao.Limpar();
    ServicoRetRecepcao.Limpar();
    ServicoRecibo.Limpar();
    ServicoConsulta.Limpar();
    ServicoInutilizacao.Limpar();
    ServicoConsultaCadastro.Limpar();
    ServicoEvento.Limpar();
    ServicoAdmCSC.Limpar();
    ServicoDistribuicao.Limpar();
    ServicoEnvioGenerico.Limpar();
}

bool TWebServices::EnviarLoteCompleto(std::string_view lote, bool sincrono, bool compactar)
{
    ServicoRecepcao.Limpar();
    ServicoRetRecepcao.Limpar();

    ServicoRecepcao.Lote = std::string(lote);
    ServicoRecepcao.EnvioSincrono = sincrono;
    ServicoRecepcao.CompactarLote = compactar;
    if (!ServicoRecepcao.Processar())
        ServicoRecepcao.LancarErro(ServicoRecepcao.MensagemResultado);

    // A synchronous answer settles the batch unless it only received it.
    if (sincrono && !(ServicoRecepcao.cStat == 103 && !ServicoRecepcao.NumeroRecibo().empty()))
        return true;

    ServicoRetRecepcao.Recibo = ServicoRecepcao.NumeroRecibo();
    if (!ServicoRetRecepcao.Processar())
        ServicoRetRecepcao.LancarErro(ServicoRetRecepcao.MensagemResultado);
    return true;
}

void TWebServices::InutilizarFaixa(std::string_view cnpj, std::string_view justificativa, int ano, int modelo,
                                   int serie, int numeroInicial, int numeroFinal)
{
    const std::string digitos = SomenteDigitos(cnpj);
    if (!CNPJouCPFValido(digitos))
        throw EQuibNFeException("CNPJ: " + digitos + ", inválido.");
    ServicoInutilizacao.CNPJ = digitos;
    ServicoInutilizacao.Modelo = modelo;
    ServicoInutilizacao.Serie = serie;
    ServicoInutilizacao.Ano = ano;
    ServicoInutilizacao.NumeroInicial = numeroInicial;
    ServicoInutilizacao.NumeroFinal = numeroFinal;
    ServicoInutilizacao.SetJustificativa(justificativa);
    if (!ServicoInutilizacao.Processar())
        ServicoInutilizacao.LancarErro(ServicoInutilizacao.MensagemResultado);
}
