#include "dfe/component/quib_dfe.h"

#include <algorithm>

#include "foundation/fiscal/dfe_exception.h"
#include "foundation/text/text_utils.h"

namespace {

std::string entreAspas(std::string_view texto)
{
    return "\"" + std::string(texto) + "\"";
}

} // namespace

void TQuibDFe::CarregarIniServicos(bool apenasSeNaoCarregado)
{
    if (apenasSeNaoCarregado && iniServicosCarregado_)
        return;
    TWebServicesConf &webServices = Configuracoes().WebServices();
    if (webServices.Params.empty())
        webServices.CarregarParams();
    iniServicos_.SetStrings(webServices.Params);
    iniServicosCarregado_ = true;
}

std::string TQuibDFe::LerChaveDeServico(std::string_view Secao, std::string_view NomeServico, double &Versao)
{
    CarregarIniServicos(true);
    if (!iniServicos_.SectionExists(Secao))
        return {};

    const std::string prefixo = upperWithAccents(NomeServico) + "_";
    std::string chaveEscolhida;
    double versaoEscolhida = 0;
    if (Versao > 0) {
        const std::string exata = prefixo + VersaoParaTexto(Versao);
        if (!iniServicos_.ReadString(Secao, exata, "").empty()) {
            chaveEscolhida = exata;
            versaoEscolhida = Versao;
        }
    }
    if (chaveEscolhida.empty()) {
        for (const std::string &chave : iniServicos_.ReadSection(Secao)) {
            const std::string maiuscula = upperWithAccents(chave);
            if (!maiuscula.starts_with(prefixo))
                continue;
            const double candidata = TextoParaVersao(std::string_view(maiuscula).substr(prefixo.size()));
            if (candidata > 0 && candidata > versaoEscolhida && candidata <= Versao) {
                versaoEscolhida = candidata;
                chaveEscolhida = chave;
            }
        }
    }
    Versao = versaoEscolhida;
    return iniServicos_.ReadString(Secao, chaveEscolhida.empty() ? std::string(NomeServico) : chaveEscolhida,
                                   "");
}

void TQuibDFe::BuscarServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                             std::string_view NomeServico, double &Versao, std::string &URL,
                             std::string &WSDL, std::string &SoapAction)
{
    if (ModeloDFe.empty())
        throw EQuibDFeException("ModeloDFe não pode ser vazio");
    if (UF.empty())
        throw EQuibDFeException("UF não pode ser vazia");

    const std::string &recurso = Configuracoes().WebServices().NomeRecursoServicos;
    std::string secao =
        std::string(ModeloDFe) + "_" + std::string(UF) + "_" + (Ambiente == taProducao ? "P" : "H");
    double versaoDeTrabalho = Versao;

    const auto lerNaSecao = [&] {
        URL = LerChaveDeServico(secao, NomeServico, versaoDeTrabalho);
        const std::string secaoWSDL = iniServicos_.ReadString(secao, "WSDL", "");
        WSDL =
            secaoWSDL.empty() ? std::string() : LerChaveDeServico(secaoWSDL, NomeServico, versaoDeTrabalho);
        const std::string secaoSoap = iniServicos_.ReadString(secao, "SoapAction", "");
        SoapAction =
            secaoSoap.empty() ? std::string() : LerChaveDeServico(secaoSoap, NomeServico, versaoDeTrabalho);
    };
    lerNaSecao();

    // Whole section names, compared without regard to case: a name that is
    // part of another ("NFe_AN_P" in "NFe_SVAN_P") is not a visit of it.
    std::vector<std::string> visitadas;
    while (URL.empty()) {
        const std::string chaveDaSecao = upperWithAccents(secao);
        if (std::ranges::find(visitadas, chaveDaSecao) != visitadas.end())
            throw EQuibDFeException("Redirecionamento circular detectado: Sessão " + entreAspas(secao) +
                                    " no arquivo " + entreAspas(recurso));
        visitadas.push_back(chaveDaSecao);
        if (!iniServicos_.SectionExists(secao))
            throw EQuibDFeException("Sessão " + entreAspas(secao) + ", não encontrada no arquivo " +
                                    entreAspas(recurso));
        const std::string usar = iniServicos_.ReadString(secao, "Usar", "");
        if (usar.empty())
            throw EQuibDFeException("URL para o serviço " + entreAspas(NomeServico) +
                                    " não encontrada na sessão " + entreAspas(secao) + " no arquivo " +
                                    entreAspas(recurso));
        secao = usar;
        versaoDeTrabalho = Versao;
        lerNaSecao();
    }

    if (const std::string schema = NomeSchemaDoServico(NomeServico); !schema.empty()) {
        double versaoDoSchema = Versao;
        BuscarArquivoSchema(schema, versaoDoSchema);
        if (versaoDoSchema > 0)
            versaoDeTrabalho = versaoDoSchema;
    }
    if (versaoDeTrabalho > 0)
        Versao = versaoDeTrabalho;
}

void TQuibDFe::BuscarURLEVersao(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                                std::string_view NomeServico, double &Versao, std::string &URL)
{
    std::string wsdl;
    std::string soapAction;
    BuscarServico(ModeloDFe, UF, Ambiente, NomeServico, Versao, URL, wsdl, soapAction);
}

double TQuibDFe::VersaoDoServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                                 std::string_view NomeServico, double Versao)
{
    std::string url;
    BuscarURLEVersao(ModeloDFe, UF, Ambiente, NomeServico, Versao, url);
    return Versao;
}

std::string TQuibDFe::URLDoServico(std::string_view ModeloDFe, std::string_view UF, TpcnTipoAmbiente Ambiente,
                                   std::string_view NomeServico, double Versao)
{
    std::string url;
    BuscarURLEVersao(ModeloDFe, UF, Ambiente, NomeServico, Versao, url);
    return url;
}
