#include "dfe/backends.h"
#include "dfe/crypto/dfe_openssl.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/fiscal/dfe_exception.h"

#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

#include <gtest/gtest.h>

#include <openssl/crypto.h>

#include <sstream>

namespace {

// A facade on the OpenSSL back-end, configured with a PFX file of the PKI.
struct OpenSslFacade {
    TDFeSSL ssl;
    explicit OpenSslFacade(const TestCert &cert)
    {
        RegistraBackendsDFe();
        ssl.SetSSLCryptLib(cryOpenSSL);
        ssl.SetArquivoPFX(cert.pfxRc2);
        ssl.SetSenha(cert.password);
    }
};

} // namespace

TEST(DFeOpenSSL, RegisteredForTheOpenSslChoiceAndAnswersTheLibraryVersion)
{
    OpenSslFacade facade(testPki().ecnpj);
    facade.ssl.GarantirCertificadoCarregado();
    EXPECT_EQ(facade.ssl.DadosCertificado().CNPJ, "11222333000181");
    TDFeOpenSSL backend(facade.ssl);
    EXPECT_EQ(backend.VersaoBiblioteca(), OpenSSL_version(OPENSSL_VERSION));
    EXPECT_FALSE(backend.VersaoAntiga());
    EXPECT_EQ(backend.VersaoOpenSSL().size(), 12u); // "03.00.00.130"
}

TEST(DFeOpenSSL, WrongPasswordLeavesNothingLoaded)
{
    OpenSslFacade facade(testPki().ecnpj);
    facade.ssl.SetSenha("errada");
    try {
        facade.ssl.GarantirCertificadoCarregado();
        ADD_FAILURE();
    } catch (const EQuibDFeException &e) {
        EXPECT_EQ(std::string(e.what()),
                  "Erro ao ler informa\u00e7\u00f5es do Certificado.\r\nProvavelmente a senha "
                  "est\u00e1 errada");
    }
    EXPECT_FALSE(facade.ssl.CertificadoCarregado());
    EXPECT_EQ(facade.ssl.DadosCertificado().NumeroSerie, "");
}

TEST(DFeOpenSSL, PublicCertificateFillsTheDataAndSigningLoadsThePfxAgain)
{
    const TestPki &pki = testPki();
    OpenSslFacade facade(pki.ecnpj);
    facade.ssl.GarantirCertificadoCarregado();
    const std::string der = facade.ssl.DadosCertificado().CertificadoDERBase64;
    const std::string signature = facade.ssl.CalcHashTexto("conteudo", dgstSHA256, 2, true);

    // Another certificate's public part replaces the loaded one.
    OpenSslFacade other(pki.foreignClient);
    other.ssl.GarantirCertificadoCarregado();
    facade.ssl.CarregarCertificadoPublico(other.ssl.DadosCertificado().CertificadoDERBase64);
    EXPECT_EQ(facade.ssl.DadosCertificado().CNPJ, "55666777000181");
    EXPECT_EQ(facade.ssl.DadosCertificado().Tipo, tcA1);
    EXPECT_FALSE(facade.ssl.ValidarHashTexto("conteudo", dgstSHA256, signature, true));

    facade.ssl.CarregarCertificadoPublico(der);
    EXPECT_TRUE(facade.ssl.ValidarHashTexto("conteudo", dgstSHA256, signature, true));
    // No key: signing loads the configured PFX again.
    EXPECT_EQ(facade.ssl.CalcHashTexto("conteudo", dgstSHA256, 2, true), signature);

    facade.ssl.CarregarCertificadoPublico("isto nao e base64 de um certificado");
    EXPECT_EQ(facade.ssl.DadosCertificado().NumeroSerie, "");
}

TEST(DFeOpenSSL, BackendHashesAnEmptyStream)
{
    OpenSslFacade facade(testPki().ecnpj);
    TDFeOpenSSL backend(facade.ssl);
    std::istringstream empty;
    EXPECT_EQ(backend.CalcHash(empty, dgstSHA1, false).size(), 20u);
    std::istringstream again;
    EXPECT_EQ(backend.CalcHash(again, dgstSHA1, true).size(), 256u);
}

TEST(DFeOpenSSL, TlsCredentialCarriesKeyAndThePfxChain)
{
    OpenSslFacade facade(testPki().server);
    TDFeOpenSSL backend(facade.ssl);
    TlsCredentialPtr credential = backend.ContextoCertificadoWinApi();
    ASSERT_TRUE(credential);
    EXPECT_EQ(X509_check_private_key(credential->certificate(), credential->privateKey()), 1);
    EXPECT_EQ(credential->chain().size(), 2u);
    backend.LiberarCertificado();
    EXPECT_TRUE(credential->certificate() != nullptr); // still held by the credential
}
