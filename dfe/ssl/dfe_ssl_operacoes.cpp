#include <filesystem>
#include <sstream>

#include "dfe/ssl/base64.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/checks/validador.h"
#include "foundation/fiscal/dfe_exception.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"

namespace {

// Raises the facade's errors for a stream that cannot be hashed.
void confereStream(std::istream *stream)
{
    if (stream == nullptr || stream->fail())
        throw EQuibDFeException("Stream inválido");
    if (stream->peek() == std::char_traits<char>::eof())
        throw EQuibDFeException("Stream vazio");
}

} // namespace

std::string TDFeSSL::Assinar(std::string_view ConteudoXML, std::string_view docElement,
                             std::string_view infElement, std::string_view SignatureNode,
                             std::string_view SelectionNamespaces, std::string_view IdSignature,
                             std::string_view NomeAtributoId)
{
    const std::string declaracao =
        DeclaraUTF8(ConteudoXML) ? ExtraiDeclaracaoXML(ConteudoXML) : std::string();

    std::string assinado;
    bool assinadoPeloEvento = false;
    if (AntesDeAssinar) {
        std::string copia(ConteudoXML);
        AntesDeAssinar(copia, docElement, infElement, SignatureNode, SelectionNamespaces, IdSignature);
        if (copia != ConteudoXML) {
            assinado = std::move(copia);
            assinadoPeloEvento = true;
        }
    }
    if (!assinadoPeloEvento)
        assinado = xmlSign_->Assinar(ConteudoXML, docElement, infElement, SignatureNode, SelectionNamespaces,
                                     IdSignature, NomeAtributoId);

    if (!declaracao.empty()) {
        const std::string novaDeclaracao = ExtraiDeclaracaoXML(assinado);
        if (novaDeclaracao.empty())
            assinado.insert(0, declaracao);
        else if (novaDeclaracao != declaracao)
            assinado.replace(assinado.find(novaDeclaracao), novaDeclaracao.size(), declaracao);
    }
    return assinado;
}

bool TDFeSSL::Validar(std::string_view ConteudoXML, std::string_view ArqSchema, std::string &MsgErro)
{
    MsgErro.clear();
    if (ArqSchema.empty())
        throw EQuibDFeException("Arquivo de Schema não especificado");
    if (!std::filesystem::exists(std::filesystem::path(ArqSchema)))
        throw EQuibDFeException("Arquivo \r\n" + std::string(ArqSchema) + "\r\nNão encontrado");
    return xmlSign_->Validar(ConteudoXML, ArqSchema, MsgErro);
}

bool TDFeSSL::ValidarAssinatura(std::string_view ConteudoXML, std::string &MsgErro,
                                std::string_view infElement, std::string_view SignatureNode,
                                std::string_view SelectionNamespaces, std::string_view IdSignature,
                                std::string_view NomeAtributoId)
{
    MsgErro.clear();
    return xmlSign_->ValidarAssinatura(ConteudoXML, MsgErro, infElement, SignatureNode, SelectionNamespaces,
                                       IdSignature, NomeAtributoId);
}

std::string TDFeSSL::CalcHash(std::istream *AStream, TSSLDgst Digest, int Saida, bool Assinar)
{
    confereStream(AStream);
    std::string bytes = crypt_->CalcHash(*AStream, Digest, Assinar);
    switch (Saida) {
    case 0:
        return BytesParaHex(bytes);
    case 1:
        return std::string(trimText(encodeBase64(bytes)));
    default:
        return bytes;
    }
}

std::string TDFeSSL::CalcHashTexto(std::string_view Texto, TSSLDgst Digest, int Saida, bool Assinar)
{
    std::istringstream stream{std::string(Texto)};
    return CalcHash(&stream, Digest, Saida, Assinar);
}

bool TDFeSSL::ValidarHash(std::istream *AStream, TSSLDgst Digest, std::string_view Hash, bool Assinado)
{
    confereStream(AStream);
    if (Hash.empty())
        throw EQuibDFeException("Hash vazio");
    return crypt_->ValidarHash(*AStream, Digest, Hash, Assinado);
}

bool TDFeSSL::ValidarHashTexto(std::string_view Texto, TSSLDgst Digest, std::string_view Hash, bool Assinado)
{
    std::istringstream stream{std::string(Texto)};
    return ValidarHash(&stream, Digest, Hash, Assinado);
}

void TDFeSSL::ConferirCNPJDocumento(std::string_view CNPJDocumento)
{
    const std::string documento = SomenteDigitos(CNPJDocumento);
    if (documento.size() != 14)
        return;
    const std::string certificado = SomenteDigitos(CNPJDoCertificado());
    if (certificado.size() != 14)
        return;
    const std::string erro = VerificaCNPJ(documento);
    if (!erro.empty())
        throw EQuibDFeException::CreateSemConversao("Erro CNPJ Documento: " + erro);
    if (documento.compare(0, 8, certificado, 0, 8) != 0)
        throw EQuibDFeException("O CNPJ do Documento é diferente do CNPJ do Certificado Digital");
}
