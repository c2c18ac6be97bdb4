#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "foundation/dates/date_time.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/web_services.h"
#include "tests/nfe/services/servicos_fixture.h"
#include "tests/support/sample_notes.h"

// The services' fixture with notes to send: saving on (notes under
// "notas"), every wait recorded instead of slept, with the component's step
// at that moment. Header only.
class LoteNaFake : public ServicoNaFake {
  protected:
    LoteNaFake()
    {
        auto &cfg = nfe.Configuracoes();
        cfg.Arquivos().Salvar = true;
        cfg.Arquivos().PathNFe = (pasta / "notas").string();
        cfg.Arquivos().PathEvento = (pasta / "eventos").string();
        setSleep([this](std::chrono::milliseconds espera) {
            esperas.push_back(static_cast<int>(espera.count()));
            etapasNaEspera.push_back(nfe.Etapa());
        });
    }
    ~LoteNaFake() override { resetSleep(); }

    // A one-item NF-e numbered nNF with a fixed numeric code, so its key is
    // the same however often it is signed.
    NotaFiscal &novaNota(int nNF)
    {
        NotaFiscal &nota = nfe.Notas().AdicionarNota();
        testsupport::fillNoteWithItems(nota.NFe(), 1);
        nota.NFe().ide.nNF = nNF;
        nota.NFe().ide.cNF = 10000000 + nNF;
        nota.NFe().ide.tpAmb = taHomologacao;
        return nota;
    }

    // The key the note gets once written.
    std::string chaveDe(NotaFiscal &nota)
    {
        nota.GerarTextoXML();
        return nota.ChaveNota();
    }

    // The message of what the operation raised; "(no error)" when nothing.
    static std::string erroAo(const std::function<void()> &operacao)
    {
        try {
            operacao();
        } catch (const std::exception &erro) {
            return erro.what();
        }
        return "(no error)";
    }

    std::vector<std::string> raizesRecebidas() const
    {
        std::vector<std::string> raizes;
        for (const auto &troca : fake.exchanges())
            raizes.push_back(troca.root);
        return raizes;
    }

    // Every request the fake received passed its schema and its signatures.
    void conferirPedidos() const
    {
        for (const auto &troca : fake.exchanges())
            for (const std::string &veredito : troca.verdicts)
                EXPECT_TRUE(veredito == "schema: ok" || veredito == "assinatura: ok")
                    << troca.root << ": " << veredito;
    }

    // The saved note is an authorised document by the official schema whose
    // signature verifies against the test CA.
    void conferirNfeProc(const NotaFiscal &nota) const
    {
        const std::string salvo = testsupport::readFile(nota.ArquivoXML);
        EXPECT_NE(salvo.find("<nfeProc"), std::string::npos) << nota.ArquivoXML;
        EXPECT_EQ(problemasDeSchema(salvo, "procNFe_v4.00.xsd"), "");
        EXPECT_EQ(problemasDaAssinatura(salvo, "infNFe"), "");
    }

    std::vector<int> esperas;
    std::vector<TEtapaNFe> etapasNaEspera;
};
