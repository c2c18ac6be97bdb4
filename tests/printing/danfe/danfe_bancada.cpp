#include "danfe_bancada.h"

#include "nfe/document/nfe_model.h"
#include "nfe/services/notas_fiscais.h"
#include "tests/support/sample_nfce_notes.h"

namespace testsupport {

DanfeBancada::DanfeBancada(int colunas, bool condensado)
{
    pos.SetModelo(ppEscPosEpson);
    pos.SetPorta("NULL");
    pos.SetEspacoEntreLinhas(30);
    pos.LinhasEntreCupons = 5;
    pos.ColunasFonteNormal = colunas;
    pos.OnEnviarStringDevice = [this](const std::string &cmd, bool &tratado) {
        enviado += cmd;
        ++envios;
        tratado = true;
    };
    danfe.SetPosPrinter(&pos);
    danfe.SetQuibNFe(&nfe);
    danfe.SuportaCondensado = condensado;
}

DanfeBancada::~DanfeBancada()
{
    danfe.SetPosPrinter(nullptr);
}

void DanfeBancada::carregar(const std::string &fixture)
{
    TNFe nota;
    fillNfceFixture(nota, fixture);
    nfe.Notas().CarregarTexto(nfceXml(nota), false);
}

void DanfeBancada::somenteTags()
{
    pos.SetTraduzirTags(false);
    pos.SetPaginaDeCodigo(pcUTF8);
    pos.Ativar();
    pos.EnviarStringDevice(pos.ModeloAtual().ComandoInicializa());
    enviado.clear();
    envios = 0;
}

} // namespace testsupport
