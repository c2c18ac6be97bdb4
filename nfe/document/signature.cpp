#include "nfe/document/signature.h"

#include <iterator>
#include <utility>

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
    Gerador.Opcoes.TagVaziaNoFormatoResumido = false;
    Gerador.TagsSemRecuo = kTagsSemRecuo;

    // Each block is written by a fresh writer with the caller's settings: the
    // block's self-closing tags never leave the writer's path of open groups,
    // and its ends step the depth back further than its starts go, so a
    // writer kept from one block to the next would grow and drift.
    TGerador escritor;
    escritor.Opcoes = Gerador.Opcoes;
    escritor.Prefixo = Gerador.Prefixo;
    escritor.TagsForaDoNivel = Gerador.TagsForaDoNivel;
    escritor.TagsSemRecuo = Gerador.TagsSemRecuo;

    escritor.EscreveGrupo(std::string("Signature xmlns=\"") + kNamespaceXmlDSig + "\"");
    escritor.EscreveGrupo("SignedInfo");
    escritor.EscreveGrupo(comAlgoritmo("CanonicalizationMethod", kCanonicalXml));
    escritor.EscreveGrupo(comAlgoritmo("SignatureMethod", kRsaSha1));
    escritor.EscreveGrupo("Reference URI=\"" + URI + "\"");
    escritor.EscreveGrupo("Transforms");
    escritor.EscreveGrupo(comAlgoritmo("Transform", kEnvelopedSignature));
    escritor.EscreveGrupo(comAlgoritmo("Transform", kCanonicalXml));
    escritor.EscreveGrupo("/Transforms");
    escritor.EscreveGrupo(comAlgoritmo("DigestMethod", kSha1));
    escreveValor(escritor, "XS17", "DigestValue", DigestValue, "Digest Value");
    escritor.EscreveGrupo("/Reference");
    escritor.EscreveGrupo("/SignedInfo");
    escreveValor(escritor, "XS18", "SignatureValue", SignatureValue, "Signature Value");
    escritor.EscreveGrupo("KeyInfo");
    escritor.EscreveGrupo("X509Data");
    escreveValor(escritor, "XS21", "X509Certificate", X509Certificate, "X509 Certificate");
    escritor.EscreveGrupo("/X509Data");
    escritor.EscreveGrupo("/KeyInfo");
    escritor.EscreveGrupo("/Signature");

    Gerador.ArquivoFormatoXML = std::move(escritor.ArquivoFormatoXML);
    Gerador.ListaDeAlertas.insert(Gerador.ListaDeAlertas.end(),
                                  std::make_move_iterator(escritor.ListaDeAlertas.begin()),
                                  std::make_move_iterator(escritor.ListaDeAlertas.end()));
    return Gerador.ListaDeAlertas.empty();
}

void TSignature::Assign(const TSignature &source)
{
    URI = source.URI;
    DigestValue = source.DigestValue;
    SignatureValue = source.SignatureValue;
    X509Certificate = source.X509Certificate;
}
