#include "tests/support/fake_sefaz/request_judge.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "tests/support/fake_sefaz/certificate_cnpj.h"
#include "tests/support/fake_sefaz/signature_check.h"

namespace testsupport::fakesefaz {

namespace {

bool digits(std::string_view text, std::size_t size)
{
    return text.size() == size &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The CSC message has no official schema: its fields are checked here.
std::string cscProblems(const xmlNode *root)
{
    const std::string tpAmb = descendantText(root, "tpAmb");
    const std::string indOp = descendantText(root, "indOp");
    if (attribute(root, "versao") != "1.00")
        return "versao deve ser 1.00";
    if (tpAmb != "1" && tpAmb != "2")
        return "tpAmb deve ser 1 ou 2";
    if (indOp != "1" && indOp != "2" && indOp != "3")
        return "indOp deve ser 1, 2 ou 3";
    if (!digits(descendantText(root, "raizCNPJ"), 8))
        return "raizCNPJ deve ter 8 dígitos";
    const xmlNode *dados = descendant(root, "dadosCsc");
    if (indOp == "3" && (dados == nullptr || !digits(descendantText(dados, "idCsc"), 6) ||
                         descendantText(dados, "codigoCsc").size() != 16))
        return "revogação pede dadosCsc com idCsc de 6 dígitos e codigoCsc de 16 caracteres";
    if (indOp != "3" && dados != nullptr)
        return "dadosCsc só cabe na revogação";
    return {};
}

// CNPJs of the emitters of the payload: notes, events, voiding, CSC root.
std::vector<std::string> emitterCnpjs(const xmlNode *root, std::string_view name)
{
    std::vector<std::string> found;
    auto walk = [&](auto &&self, const xmlNode *node, std::string_view holder,
                    std::string_view field) -> void {
        for (const xmlNode *c = node->children; c != nullptr; c = c->next) {
            if (c->type != XML_ELEMENT_NODE)
                continue;
            if (localName(c) == holder) {
                if (const xmlNode *cnpj = child(c, field))
                    found.push_back(textOf(cnpj));
            } else {
                self(self, c, holder, field);
            }
        }
    };
    if (name == "enviNFe")
        walk(walk, root, "emit", "CNPJ");
    else if (name == "envEvento")
        walk(walk, root, "infEvento", "CNPJ");
    else if (name == "inutNFe")
        walk(walk, root, "infInut", "CNPJ");
    else if (name == "admCscNFCe")
        found.push_back(descendantText(root, "raizCNPJ"));
    return found;
}

} // namespace

std::string eventSchema(std::string_view tpEvento)
{
    // clang-format off
    static const std::map<std::string_view, std::string_view> kinds{
        {"110110", "envCCe_v1.00.xsd"},
        {"110111", "envEventoCancNFe_v1.00.xsd"},
        {"110112", "envEventoCancSubst_v1.00.xsd"},
        {"110140", "envEPEC_v1.00.xsd"},
        {"210200", "envConfRecebto_v1.00.xsd"},
        {"210210", "envConfRecebto_v1.00.xsd"},
        {"210220", "envConfRecebto_v1.00.xsd"},
        {"210240", "envConfRecebto_v1.00.xsd"},
    };
    // clang-format on
    const auto found = kinds.find(tpEvento);
    return std::string(found != kinds.end() ? found->second : "envEvento_v1.00.xsd");
}

Judgement RequestJudge::judge(const SoapRequest &request, std::string_view clientSubject,
                              std::string_view clientCertificatePem) const
{
    Judgement judgement;
    xmlDoc *doc = request.payload.get();
    const xmlNode *root = xmlDocGetRootElement(doc);
    const ServiceInfo &service = *request.service;

    std::string schemaFile(service.schema);
    if (request.root == "envEvento") {
        schemaFile = eventSchema(descendantText(root, "tpEvento"));
        // The NFC-e EPEC has a detail of its own that the NF-e envelope
        // schema refuses: the generic event envelope judges it.
        const std::string chave = descendantText(root, "chNFe");
        if (schemaFile == "envEPEC_v1.00.xsd" && chave.size() == 44 && chave.substr(20, 2) == "65")
            schemaFile = "envEvento_v1.00.xsd";
    }
    const std::string schemaProblem =
        schemaFile.empty() ? cscProblems(root) : schemas_.problems(doc, schemaFile);
    judgement.verdicts.push_back("schema: " + (schemaProblem.empty() ? "ok" : schemaProblem));
    if (!schemaProblem.empty()) {
        judgement.rejection = service.schemaFailure;
        return judgement;
    }

    const SignatureVerdict signatures = verifySignatures(doc);
    if (signatures.signatures > 0) {
        judgement.verdicts.push_back("assinatura: " +
                                     (signatures.problem.empty() ? "ok" : signatures.problem));
        if (!signatures.problem.empty()) {
            judgement.rejection = 297;
            return judgement;
        }
    }

    const std::string certificate = certificateCnpj(clientSubject, clientCertificatePem);
    if (certificate.empty())
        return judgement;
    for (const std::string &emitter : emitterCnpjs(root, request.root)) {
        if (emitter.substr(0, 8) != certificate.substr(0, 8)) {
            judgement.verdicts.push_back("certificado: raiz do CNPJ " + certificate.substr(0, 8) +
                                         " difere do emitente " + emitter);
            judgement.rejection = 213;
            return judgement;
        }
    }
    return judgement;
}

} // namespace testsupport::fakesefaz
