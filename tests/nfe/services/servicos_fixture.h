#pragma once

#include <filesystem>
#include <string>

#include "tests/nfe/services/status_servico_fixture.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"
#include "tests/support/test_pki.h"

// The status fixture's component and fake, for the other services, with the
// independent checks their saved documents go through. Header only.
class ServicoNaFake : public StatusNaFake {
  protected:
    // What xmlsec1 says of a signed document: empty when the signature of
    // the element with the given Id-carrying name verifies against the test CA.
    static std::string problemasDaAssinatura(const std::string &xml, const std::string &elementoId)
    {
        testsupport::TempDir temporaria;
        const auto arquivo = temporaria.write("assinado.xml", xml);
        const auto r = testsupport::runCommand(
            {"xmlsec1", "--verify", "--trusted-pem", testsupport::testPki().root.certPem, "--trusted-pem",
             testsupport::testPki().intermediate.certPem, "--id-attr:Id", elementoId, arquivo.string()});
        return r.exitCode == 0 ? std::string() : r.out + r.err;
    }

    static std::string problemasDeSchema(const std::string &xml, const std::string &xsd)
    {
        return testsupport::schemaProblems(xml, testsupport::officialSchemaDir() / xsd);
    }

    template <class Servico> static std::string erroDe(Servico &servico)
    {
        try {
            servico.Processar();
        } catch (const std::exception &erro) {
            return erro.what();
        }
        return "(no error)";
    }
};
