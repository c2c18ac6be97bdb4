#include "nfe/services/ret_cons_sit_nfe.h"

#include <algorithm>
#include <array>

#include "nfe/services/detail/campos_resposta.h"

namespace {

// The situations whose answer carries the note's protocol.
constexpr std::array kComProtocolo = {100, 101, 104, 110, 150, 151, 155, 301, 302, 303};
// The situations of a cancelled note.
constexpr std::array kCancelada = {101, 151, 155};

template <std::size_t N> bool contem(const std::array<int, N> &lista, int valor)
{
    return std::find(lista.begin(), lista.end(), valor) != lista.end();
}

} // namespace

bool TRetConsSitNFe::LerResposta()
{
    return nfe_services::leSemExcecao([this] {
        Leitor.setGrupoComoArquivo();
        if (Leitor.ExtraiGrupo(1, "retConsSitNFe").empty())
            return false;
        const nfe_services::CamposResposta campos(Leitor);
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        verAplic = campos.texto("verAplic");
        nRec = campos.texto("nRec");
        cStat = campos.inteiro("cStat");
        xMotivo = campos.texto("xMotivo");
        cUF = campos.inteiro("cUF");
        dhRecbto = campos.dataHora("dhRecbto");
        chNFe = campos.texto("chNFe");

        // The groups below are searched in the whole text given to the reader.
        if (contem(kComProtocolo, cStat)) {
            Leitor.setGrupoComoArquivo();
            std::string elemento = Leitor.ExtraiGrupo(1, "protNFe");
            if (!elemento.empty()) {
                ElementoProtNFe = std::move(elemento);
                if (!Leitor.ExtraiGrupo(2, "infProt").empty()) {
                    protNFe.tpAmb = campos.tpAmb();
                    protNFe.verAplic = campos.texto("verAplic");
                    protNFe.chNFe = campos.texto("chNFe");
                    protNFe.dhRecbto = campos.dataHora("dhRecbto");
                    protNFe.nProt = campos.texto("nProt");
                    protNFe.digVal = campos.texto("digVal");
                    protNFe.cStat = campos.inteiro("cStat");
                    protNFe.xMotivo = campos.texto("xMotivo");
                    protNFe.cMsg = campos.inteiro("cMsg");
                    protNFe.xMsg = campos.texto("xMsg");
                }
            }
        }

        retCancNFe.cStat = 0;
        if (contem(kCancelada, cStat)) {
            Leitor.setGrupoComoArquivo();
            if (!Leitor.ExtraiGrupo(1, "infCanc").empty()) {
                retCancNFe.tpAmb = campos.tpAmb();
                retCancNFe.verAplic = campos.texto("verAplic");
                retCancNFe.cStat = campos.inteiro("cStat");
                retCancNFe.xMotivo = campos.texto("xMotivo");
                retCancNFe.cUF = campos.inteiro("cUF");
                retCancNFe.chNFe = campos.texto("chNFe");
                retCancNFe.dhRecbto = campos.dataHora("dhRecbto");
                retCancNFe.nProt = campos.texto("nProt");
            }
        }

        procEventoNFe = std::make_unique<TRetEventoNFeCollection>();
        Leitor.setGrupoComoArquivo();
        for (int i = 1;; ++i) {
            std::string evento = Leitor.ExtraiGrupo(1, "procEventoNFe", "", i);
            if (evento.empty())
                break;
            TRetEventoNFe &leitor = procEventoNFe->NovoItem().RetEventoNFe;
            leitor.TextoProcEvento = evento;
            leitor.Leitor.setArquivo(std::move(evento));
            leitor.LerResposta();
        }
        return true;
    });
}
