#include "tests/support/fake_sefaz/soap_envelope.h"

#include "tests/support/fake_sefaz/packing.h"

namespace testsupport::fakesefaz {

namespace {

std::string headerProblem(const xmlNode *header)
{
    const xmlNode *cabec = firstElement(header);
    if (cabec == nullptr)
        return {};
    const xmlNode *first = firstElement(cabec);
    const xmlNode *second = first != nullptr ? first->next : nullptr;
    while (second != nullptr && second->type != XML_ELEMENT_NODE)
        second = second->next;
    if (localName(first) != "cUF" || localName(second) != "versaoDados")
        return "envelope: o cabeçalho deve trazer cUF e depois versaoDados";
    if (textOf(second) == "4.00")
        return "envelope: cabeçalho SOAP em leiaute 4.00";
    return {};
}

// The element that holds the payload, by the body element's kind; fills
// `problem` when the content cannot be read.
XmlDoc payloadOf(const xmlNode *bodyElement, std::string &problem)
{
    const std::string kind = localName(bodyElement);
    if (kind == "nfeDadosMsgZip") {
        const auto packed = base64Decode(textOf(bodyElement));
        const auto inflated = packed ? inflateAny(*packed) : std::nullopt;
        XmlDoc doc = inflated ? parseXml(*inflated) : nullptr;
        if (!doc)
            problem = "envelope: nfeDadosMsgZip não traz Base64 de um XML compactado";
        return doc;
    }
    const xmlNode *holder = bodyElement;
    if (kind == "nfeDistDFeInteresse" || kind == "consultaCadastro") {
        holder = child(bodyElement, "nfeDadosMsg");
        if (holder == nullptr) {
            problem = "envelope: " + kind + " sem nfeDadosMsg";
            return nullptr;
        }
    } else if (kind != "nfeDadosMsg") {
        problem = "envelope: elemento do corpo desconhecido " + kind;
        return nullptr;
    }
    const xmlNode *payload = firstElement(holder);
    if (payload == nullptr) {
        problem = "envelope: corpo sem mensagem";
        return nullptr;
    }
    return ownDocument(payload);
}

bool bodyElementFits(std::string_view root, std::string_view kind)
{
    if (root == "distDFeInt")
        return kind == "nfeDistDFeInteresse";
    if (root == "ConsCad")
        return kind == "nfeDadosMsg" || kind == "consultaCadastro";
    if (root == "enviNFe")
        return kind == "nfeDadosMsg" || kind == "nfeDadosMsgZip";
    return kind == "nfeDadosMsg";
}

} // namespace

SoapRequest readSoapRequest(std::string_view body)
{
    SoapRequest request;
    const XmlDoc doc = parseXml(body);
    const xmlNode *envelope = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (envelope == nullptr) {
        request.problem = "envelope: XML mal formado";
        return request;
    }
    if (localName(envelope) != "Envelope" || namespaceOf(envelope) != kSoap12Namespace) {
        request.problem = "envelope: a raiz não é o Envelope do SOAP 1.2";
        return request;
    }
    const xmlNode *header = child(envelope, "Header");
    const xmlNode *soapBody = child(envelope, "Body");
    const xmlNode *bodyElement = firstElement(soapBody);
    if (bodyElement == nullptr) {
        request.problem = "envelope: Body vazio ou ausente";
        return request;
    }
    request.bodyElement = localName(bodyElement);
    std::string problem;
    request.payload = payloadOf(bodyElement, problem);
    if (request.payload) {
        request.root = localName(xmlDocGetRootElement(request.payload.get()));
        request.service = serviceOfRoot(request.root);
    }
    if (problem.empty() && request.service == nullptr)
        problem = "envelope: mensagem desconhecida " + request.root;
    if (problem.empty() && header != nullptr)
        problem = headerProblem(header);
    if (problem.empty() && !bodyElementFits(request.root, request.bodyElement))
        problem = "envelope: " + request.root + " não cabe em " + request.bodyElement;
    if (problem.empty() && namespaceOf(bodyElement) != wsdlNamespace(*request.service))
        problem = "envelope: xmlns de " + request.bodyElement + " \"" + namespaceOf(bodyElement) +
                  "\" em vez de \"" + wsdlNamespace(*request.service) + "\"";
    request.problem = problem;
    return request;
}

std::string soapAnswer(const ServiceInfo &service, std::string_view payload, const AnswerStyle &style)
{
    const std::string &p = style.soapPrefix;
    const std::string result = style.prefixedResult ? "ns1:nfeResultMsg" : "nfeResultMsg";
    const std::string resultNs = style.prefixedResult ? " xmlns:ns1=\"" : " xmlns=\"";
    std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
    out += "<" + p + ":Envelope xmlns:" + p + "=\"" + std::string(kSoap12Namespace) +
           "\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
           "xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\">";
    out += "<" + p + ":Body><" + result + resultNs + wsdlNamespace(service) + "\">";
    out += style.escapedPayload ? escapeXml(payload) : std::string(payload);
    out += "</" + result + "></" + p + ":Body></" + p + ":Envelope>";
    return out;
}

std::string soapFault(std::string_view reason)
{
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"" +
           std::string(kSoap12Namespace) +
           "\"><soap:Body><soap:Fault><soap:Code><soap:Value>soap:Sender</soap:Value></soap:Code>"
           "<soap:Reason><soap:Text xml:lang=\"pt-BR\">" +
           escapeXml(reason) + "</soap:Text></soap:Reason></soap:Fault></soap:Body></soap:Envelope>";
}

} // namespace testsupport::fakesefaz
