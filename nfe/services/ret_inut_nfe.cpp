#include "nfe/services/ret_inut_nfe.h"

#include "nfe/services/detail/campos_resposta.h"

namespace {

// The state whose voidings may come from an individual (CPF).
constexpr int kUFComCPF = 51;

} // namespace

bool TRetInutNFe::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        const nfe_services::CamposResposta campos(Leitor);
        if (!Leitor.ExtraiGrupo(1, "inutNFe").empty())
            Id = campos.atributo("Id");
        if (Leitor.ExtraiGrupo(1, "retInutNFe").empty() && Leitor.ExtraiGrupo(1, "infInut").empty())
            return false;
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        cUF = campos.inteiro("cUF");
        ano = campos.inteiro("ano");
        CNPJ = cUF == kUFComCPF ? campos.cnpjCpf() : campos.texto("CNPJ");
        modelo = campos.inteiro("mod");
        serie = campos.inteiro("serie");
        nNFIni = campos.inteiro("nNFIni");
        nNFFin = campos.inteiro("nNFFin");
        dhRecbto = campos.dataHora("dhRecbto");
        nProt = campos.texto("nProt");
        if (!Leitor.ExtraiGrupo(1, "infInut").empty())
            xJust = campos.texto("xJust");
        return true;
    });
}
