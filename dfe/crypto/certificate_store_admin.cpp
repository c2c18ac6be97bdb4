#include "dfe/crypto/certificate_store_admin.h"

#include "dfe/crypto/detail/certificate_fields.h"
#include "dfe/crypto/detail/folder_store.h"
#include "dfe/crypto/pfx_import.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"

std::string ImportarPFXNoStore(std::string_view DadosPFX, const std::string &Senha,
                               std::string_view StoreName)
{
    const TCertificadoComChave importado = PFXDataToCertContextWinApi(DadosPFX, Senha);
    try {
        dfe::store::addToStore(dfe::store::storeFolder(slCurrentUser, StoreName), importado.certificado.get(),
                               importado.chave.get());
    } catch (const std::runtime_error &erro) {
        throw EQuibDFeException("Falha ao gravar no store " + std::string(StoreName) + ": " + erro.what());
    }
    return dfe::openssl::serialNumberHex(importado.certificado.get());
}

bool RemoverDoStore(std::string_view NumeroSerie, std::string_view StoreName)
{
    return dfe::store::removeFromStore(dfe::store::storeFolder(slCurrentUser, StoreName), NumeroSerie);
}

std::string LinhaDaListaDeCertificados(const TDadosCertificado &Dados)
{
    return Dados.NumeroSerie + "|" + Dados.RazaoSocial + "|" + Dados.CNPJ + "|" +
           DataFormatoBR(Dados.DataValidade, "dd/mm/yyyy");
}
