// The note screen's choice of emitter and the names of the exchange files.

#include "monitor_client/frm_nfe_2g.h"

#include "app/dados/dtm_nfe_grd.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/files/file_utils.h"
#include "monitor_client/detail/arquivo_troca.h"
#include "monitor_client/detail/digitos.h"
#include "monitor_client/nomes_monitor.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

using monitor_detail::semZerosEsquerda;

void TfrmNFE_2G::AjustaCnpj_do_Emitente(std::string_view cnpj)
{
    const std::string procurado = semZerosEsquerda(SomenteNumeros(cnpj));
    modulo().dtmNFEOpen({"ConfigNFE"});
    if (!modulo().tblConfigNFE || !modulo().tblConfigNFE->active())
        return; // the module said why it could not open the emitters
    db::DataSet &emitentes = *modulo().tblConfigNFE;
    const auto adota = [&] {
        PastaComunicacao = BarraFinal(emitentes.field("PATH_COMUNICACAO").asString());
        CnpjEmitente = SomenteNumeros(emitentes.field("CNPJ_EMI").asString());
        CodFilial = CnpjEmitente.size() > 8 ? CnpjEmitente.substr(8, 6) : std::string{};
    };
    if (procurado.empty()) {
        if (!emitentes.isEmpty() && !emitentes.eof())
            adota();
        return;
    }
    // The emitter already chosen is found again without a walk of the table.
    if (!CnpjEmitente.empty() && semZerosEsquerda(CnpjEmitente) == procurado && !emitentes.eof() &&
        semZerosEsquerda(SomenteNumeros(emitentes.field("CNPJ_EMI").asString())) == procurado) {
        adota();
        return;
    }
    CodFilial = "0";
    for (emitentes.first(); !emitentes.eof(); emitentes.next()) {
        if (semZerosEsquerda(SomenteNumeros(emitentes.field("CNPJ_EMI").asString())) == procurado) {
            adota();
            return;
        }
    }
}

void TfrmNFE_2G::Nome_dos_arquivos(std::string_view tipo, std::string_view subpasta, int serie, int numero)
{
    if (PastaLocal.empty())
        PastaLocal = PastaDeDadosDoUsuario() + "monitor/";
    const std::string kind = monitor_detail::minusculas(tipo);
    if (kind == "copiar") {
        entregaArquivoLocal();
        return;
    }
    if (kind == "copiar_retorno") {
        copiaRetornoLocal();
        return;
    }
    const auto nomes = NomesArquivoMonitor(tipo, serie, numero, CnpjEmitente);
    if (!nomes)
        throw std::invalid_argument("tipo de arquivo do monitor desconhecido: " + std::string(tipo));
    ArquivoMonitor = JuntaCaminho(PastaComunicacao, subpasta, nomes->nome);
    ArquivoMonitorAlternativo = nomes->alternativo.empty()
                                    ? std::string{}
                                    : JuntaCaminho(PastaComunicacao, subpasta, nomes->alternativo);
    ArquivoLocal = JuntaCaminho(PastaLocal, subpasta, nomes->nome);
    std::error_code erro; // a folder that cannot be made is reported by the write into it
    std::filesystem::create_directories(JuntaCaminho(PastaLocal, subpasta, ""), erro);
}
