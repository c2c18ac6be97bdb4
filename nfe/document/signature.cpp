#include "nfe/document/signature.h"

namespace {

constexpr const char *kNamespaceXmlDSig = "http://www.w3.org/2000/09/xmldsig#";
constexpr const char *kCanonicalXml = "http://www.w3.org/TR/2001/REC-xml-c14n-20010315";
constexpr const char *kRsaSha1 = "http://www.w3.org/2000/09/xmldsig#rsa-sha1";
constexpr const char *kEnvelopedSignature = "http://www.w3.org/2000/09/xmldsig#enveloped-signature";
constexpr const char *kSha1 = "http://www.w3.org/2000/09/xmldsig#sha1";

// The self-closing tags and the ends that would otherwise push the indented
// block one level too deep.
constexpr const char *kTagsSemRecuo =
    "|Reference URI|SignatureMethod|Transform Algorithm=\"http://www.w3.org/TR|/Transforms|/Reference|";

std::string comAlgoritmo(const char *tag, const char *algoritmo)
{
    return std::string(tag) + " Algorithm=\"" + algoritmo + "\"/";
}

void escreveValor(TGerador &gerador, const char *id, const char *tag, const std::string &valor,
                  const char *descricao)
{
    gerador.EscreveCampo(vcTexto, id, tag, 0, 999, 1, valor, descricao, false);
}

} // namespace

bool TSignature::MontarXml()
{
    Gerador.ArquivoFormatoXML.clear();
    Gerador.Opcoes.TagVaziaNoFormatoResumido = false;
    Gerador.TagsSemRecuo = kTagsSemRecuo;

    Gerador.EscreveGrupo(std::string("Signature xmlns=\"") + kNamespaceXmlDSig + "\"");
    Gerador.EscreveGrupo("SignedInfo");
    Gerador.EscreveGrupo(comAlgoritmo("CanonicalizationMethod", kCanonicalXml));
    Gerador.EscreveGrupo(comAlgoritmo("SignatureMethod", kRsaSha1));
    Gerador.EscreveGrupo("Reference URI=\"" + URI + "\"");
    Gerador.EscreveGrupo("Transforms");
    Gerador.EscreveGrupo(comAlgoritmo("Transform", kEnvelopedSignature));
    Gerador.EscreveGrupo(comAlgoritmo("Transform", kCanonicalXml));
    Gerador.EscreveGrupo("/Transforms");
    Gerador.EscreveGrupo(comAlgoritmo("DigestMethod", kSha1));
    escreveValor(Gerador, "XS17", "DigestValue", DigestValue, "Digest Value");
    Gerador.EscreveGrupo("/Reference");
    Gerador.EscreveGrupo("/SignedInfo");
    escreveValor(Gerador, "XS18", "SignatureValue", SignatureValue, "Signature Value");
    Gerador.EscreveGrupo("KeyInfo");
    Gerador.EscreveGrupo("X509Data");
    escreveValor(Gerador, "XS21", "X509Certificate", X509Certificate, "X509 Certificate");
    Gerador.EscreveGrupo("/X509Data");
    Gerador.EscreveGrupo("/KeyInfo");
    Gerador.EscreveGrupo("/Signature");

    return Gerador.ListaDeAlertas.empty();
}

void TSignature::Assign(const TSignature &source)
{
    URI = source.URI;
    DigestValue = source.DigestValue;
    SignatureValue = source.SignatureValue;
    X509Certificate = source.X509Certificate;
}
