#include "tests/nfe/services/notas_fixture.h"

#include "dfe/backends.h"
#include "tests/support/sample_notes.h"
#include "tests/support/test_pki.h"

namespace testsupport {

ComponenteAssinador::ComponenteAssinador(int modelo)
{
    RegistraBackendsDFe();
    auto &cfg = nfe.Configuracoes();
    cfg.Geral().SetSSLLib(libOpenSSL);
    cfg.Geral().SetModeloDF(modelo == 65 ? moNFCe : moNFe);
    cfg.Geral().SetIdCSC("1");
    cfg.Geral().SetCSC("TESTE-CSC-0123456789");
    cfg.Certificados().SetArquivoPFX(testPki().ecnpj.pfxAes);
    cfg.Certificados().SetSenha(testPki().ecnpj.password);
    cfg.Arquivos().SetPathSchemas((sourceDir() / "schemas/PL_009_V4").string());
    cfg.Arquivos().SetPathSalvar(pasta.path().string());
    cfg.Arquivos().PathNFe = (pasta / "notas").string();
    cfg.Arquivos().Salvar = false;
    cfg.Arquivos().SetIniServicos((pasta / "ausente.ini").string());
    cfg.WebServices().Params = {
        "[NFCe_SP_H]",
        "URL-QRCode_2.00=https://sp.example/qrcode",
        "URL-ConsultaNFCe_2.00=https://sp.example/consulta",
        "URL-QRCode=https://sp.example/qrcode-v1",
        "URL-ConsultaNFCe=https://sp.example/consulta-v1",
    };
    cfg.WebServices().SetUF("SP");
    cfg.WebServices().Ambiente = taHomologacao;
}

NotaFiscal &ComponenteAssinador::notaDeExemplo(int itens)
{
    NotaFiscal &nota = nfe.Notas().AdicionarNota();
    fillNoteWithItems(nota.NFe(), itens, nfe.Configuracoes().Geral().ModeloDFCodigo());
    nota.NFe().ide.tpAmb = taHomologacao;
    return nota;
}

} // namespace testsupport
