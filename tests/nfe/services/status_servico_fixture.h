#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dfe/backends.h"
#include "nfe/services/nfe_status_servico.h"
#include "tests/support/fake_sefaz.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"
#include "tests/support/xml_checks.h"

// An NF-e component set up as an operator would (OpenSSL, the test e-CNPJ
// PFX, SP, homologation, layout 4.00, both save flags on) against the fake
// tax authority on a free port, with its status service created in two
// phases. Header only: the fixture is small and used by the service tests.
class StatusNaFake : public ::testing::Test {
  protected:
    StatusNaFake()
    {
        RegistraBackendsDFe();
        const auto servicos = pasta.write("servicos.ini", fake.servicesIni());
        auto &cfg = nfe.Configuracoes();
        cfg.Geral().SetSSLLib(libOpenSSL);
        cfg.Certificados().SetArquivoPFX(testsupport::testPki().ecnpj.pfxAes);
        cfg.Certificados().SetSenha(testsupport::testPki().ecnpj.password);
        cfg.WebServices().SetUF("SP");
        cfg.WebServices().Ambiente = taHomologacao;
        cfg.Arquivos().SetIniServicos(servicos.string());
        cfg.Arquivos().SetPathSalvar(salvos().string());
        cfg.Arquivos().SetPathSchemas(testsupport::officialSchemaDir().string() + "/");
        cfg.Geral().Salvar = true;
        cfg.WebServices().Salvar = true;
        status.Limpar();
    }

    std::filesystem::path salvos() const { return pasta / "salvos"; }

    testsupport::FakeSefaz fake;
    testsupport::TempDir pasta;
    TQuibNFe nfe;
    TNFeStatusServico status{&nfe};
};
