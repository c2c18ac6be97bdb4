#include "nfe/services/ret_cons_cad.h"

#include "foundation/text/text_utils.h"
#include "nfe/services/detail/campos_resposta.h"

namespace {

// The trimmed number completed with zeros on the left to `largura`; empty
// stays empty.
std::string completaDocumento(std::string_view texto, int largura)
{
    const std::string_view aparado = trimText(texto);
    return aparado.empty() ? std::string() : CompletaEsquerda(aparado, largura, '0');
}

} // namespace

bool TRetConsCad::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        const std::string versaoLida = Leitor.LeAtributo("versao");
        if (Leitor.ExtraiGrupo(1, "infCons").empty())
            return false;
        versao = versaoLida;
        const nfe_services::CamposResposta campos(Leitor);
        const auto leDocumentos = [&] {
            CNPJ = completaDocumento(campos.texto("CNPJ"), 14);
            CPF = completaDocumento(campos.texto("CPF"), 11);
        };
        leDocumentos();
        verAplic = campos.texto("verAplic");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        UF = campos.texto("UF");
        IE = campos.texto("IE");
        dhCons = campos.dataHora("dhCons");
        cUF = campos.inteiro("cUF");

        for (int n = 1; !Leitor.ExtraiGrupo(2, "infCad", "", n).empty(); ++n) {
            leDocumentos();
            TInfCadCollectionItem &item = InfCad.NovoItem();
            item.IE = campos.texto("IE");
            item.CNPJ = CNPJ;
            item.CPF = CPF;
            item.UF = campos.texto("UF");
            item.cSit = campos.inteiro("cSit");
            item.indCredNFe = campos.inteiro("indCredNFe");
            item.indCredCTe = campos.inteiro("indCredCTe");
            item.xNome = campos.texto("xNome");
            item.xFant = campos.texto("xFant");
            item.xRegApur = campos.texto("xRegApur");
            item.CNAE = campos.inteiro("CNAE");
            item.dIniAtiv = campos.data("dIniAtiv");
            item.dUltSit = campos.data("dUltSit");
            item.dBaixa = campos.data("dBaixa");
            item.IEUnica = campos.texto("IEUnica");
            item.IEAtual = campos.texto("IEAtual");
            item.xLgr = campos.texto("xLgr");
            item.nro = campos.texto("nro");
            item.xCpl = campos.texto("xCpl");
            item.xBairro = campos.texto("xBairro");
            item.cMun = campos.inteiro("cMun");
            item.xMun = campos.texto("xMun");
            item.CEP = campos.inteiro("CEP");
        }
        if (InfCad.count() == 0)
            InfCad.NovoItem();
        return true;
    });
}
