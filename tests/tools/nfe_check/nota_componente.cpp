#include "nota_componente.h"

#include <cstdio>
#include <exception>

#include "dfe/backends.h"
#include "foundation/codes/conversao_nfe.h"
#include "input_file.h"
#include "nfe/services/notas_fiscais.h"

std::unique_ptr<TQuibNFe> componenteComNota(const std::string &verbo, const std::string &caminho)
{
    std::string texto;
    if (!lerArquivo(caminho, texto)) {
        std::fprintf(stderr, "nfe-check %s: não foi possível ler o arquivo %s\n", verbo.c_str(),
                     caminho.c_str());
        return nullptr;
    }
    RegistraBackendsDFe();
    auto componente = std::make_unique<TQuibNFe>();
    TConfiguracoesNFe &cfg = componente->Configuracoes();
    cfg.Geral().SetSSLLib(libOpenSSL);
    cfg.Arquivos().Salvar = false;
    try {
        componente->Notas().CarregarTexto(texto);
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "nfe-check %s: %s: %s\n", verbo.c_str(), caminho.c_str(), erro.what());
        return nullptr;
    }
    if (componente->Notas().Count() != 1) {
        std::fprintf(stderr, "nfe-check %s: %s não traz exatamente uma nota (NFe)\n", verbo.c_str(),
                     caminho.c_str());
        return nullptr;
    }
    const TNFe &nfe = componente->Notas()[0].NFe();
    cfg.Geral().SetModeloDF(nfe.ide.mod == 65 ? moNFCe : moNFe);
    bool versaoOk = false;
    const TpcnVersaoDF versao = NumeroParaVersaoDF(nfe.infNFe.VersaoOuPadrao(), versaoOk);
    if (versaoOk)
        cfg.Geral().SetVersaoDF(versao);
    return componente;
}
