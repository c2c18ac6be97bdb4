#include "tests/support/fake_sefaz/signature_check.h"

#include <mutex>
#include <vector>

#include <xmlsec/crypto.h>
#include <xmlsec/errors.h>
#include <xmlsec/keysmngr.h>
#include <xmlsec/xmldsig.h>
#include <xmlsec/xmlsec.h>
#include <xmlsec/xmltree.h>

namespace testsupport::fakesefaz {

namespace {

constexpr const char *kDsigNamespace = "http://www.w3.org/2000/09/xmldsig#";

std::mutex &xmlsecLock()
{
    static std::mutex lock;
    return lock;
}

bool startXmlsec()
{
    static const bool started =
        xmlSecInit() >= 0 && xmlSecCryptoAppInit(nullptr) >= 0 && xmlSecCryptoInit() >= 0;
    return started;
}

void registerIds(xmlDoc *doc, xmlNode *node)
{
    for (; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlAttr *id = xmlHasProp(node, reinterpret_cast<const xmlChar *>("Id"))) {
            xmlChar *value = xmlNodeListGetString(doc, id->children, 1);
            if (value != nullptr && xmlGetID(doc, value) == nullptr)
                xmlAddID(nullptr, doc, value, id);
            xmlFree(value);
        }
        registerIds(doc, node->children);
    }
}

void signaturesBelow(xmlNode *node, std::vector<xmlNode *> &found)
{
    for (; node != nullptr; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlSecCheckNodeName(node, xmlSecNodeSignature, reinterpret_cast<const xmlChar *>(kDsigNamespace)))
            found.push_back(node);
        else
            signaturesBelow(node->children, found);
    }
}

std::string verifyOne(xmlNode *signature)
{
    xmlSecKeysMngr *keys = xmlSecKeysMngrCreate();
    if (keys == nullptr || xmlSecCryptoAppDefaultKeysMngrInit(keys) < 0) {
        xmlSecKeysMngrDestroy(keys);
        return "libxmlsec1 não iniciou o gerenciador de chaves";
    }
    xmlSecDSigCtx *context = xmlSecDSigCtxCreate(keys);
    context->keyInfoReadCtx.flags |= XMLSEC_KEYINFO_FLAGS_X509DATA_DONT_VERIFY_CERTS;
    std::string problem;
    if (xmlSecDSigCtxVerify(context, signature) < 0)
        problem = "assinatura ilegível ou sem certificado";
    else if (context->status != xmlSecDSigStatusSucceeded)
        problem = "assinatura difere do calculado";
    xmlSecDSigCtxDestroy(context);
    xmlSecKeysMngrDestroy(keys);
    return problem;
}

} // namespace

SignatureVerdict verifySignatures(xmlDoc *doc)
{
    std::lock_guard lock(xmlsecLock());
    SignatureVerdict verdict;
    if (!startXmlsec()) {
        verdict.problem = "libxmlsec1 não iniciou";
        return verdict;
    }
    registerIds(doc, xmlDocGetRootElement(doc));
    std::vector<xmlNode *> signatures;
    signaturesBelow(xmlDocGetRootElement(doc), signatures);
    verdict.signatures = static_cast<int>(signatures.size());
    for (xmlNode *signature : signatures) {
        verdict.problem = verifyOne(signature);
        if (!verdict.problem.empty())
            break;
    }
    return verdict;
}

} // namespace testsupport::fakesefaz
