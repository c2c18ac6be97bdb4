#include <openssl/sha.h>

#include <charconv>

#include "foundation/dates/date_time.h"
#include "foundation/dates/fuso_horario.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/quib_nfe.h"

namespace {

// The century that prefixes the key's two year digits when the security code
// is built from the note.
constexpr std::string_view kSeculoDoCSC = "20";

std::string hexa(std::string_view bytes, bool minusculas)
{
    static constexpr char kMaiusculas[] = "0123456789ABCDEF";
    static constexpr char kMinusculas[] = "0123456789abcdef";
    const char *digitos = minusculas ? kMinusculas : kMaiusculas;
    std::string resultado;
    resultado.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        resultado += digitos[b >> 4];
        resultado += digitos[b & 0x0F];
    }
    return resultado;
}

std::string sha1Hexa(std::string_view texto)
{
    unsigned char resumo[SHA_DIGEST_LENGTH];
    SHA1(reinterpret_cast<const unsigned char *>(texto.data()), texto.size(), resumo);
    return hexa(std::string_view(reinterpret_cast<const char *>(resumo), sizeof resumo), false);
}

// "2019-03-07T14:05:09-03:00": the local date-time and the state's offset.
std::string dataHoraComFuso(TDateTime dhEmi, int cUF)
{
    const DateTimeParts p = decodeDateTime(dhEmi);
    return InteiroComZeros(p.year, 4) + "-" + InteiroComZeros(p.month, 2) + "-" + InteiroComZeros(p.day, 2) +
           "T" + InteiroComZeros(p.hour, 2) + ":" + InteiroComZeros(p.minute, 2) + ":" +
           InteiroComZeros(p.second, 2) + FusoHorarioDaUF(CUFParaSiglaUF(cUF), dhEmi);
}

int idTokenNumerico(std::string_view idCSC)
{
    const std::string_view texto = trimText(idCSC);
    int numero = 0;
    const auto [fim, erro] = std::from_chars(texto.data(), texto.data() + texto.size(), numero);
    return erro == std::errc() && fim == texto.data() + texto.size() && numero >= 0 ? numero : 0;
}

std::string trecho(std::string_view texto, std::size_t inicio, std::size_t tamanho)
{
    return inicio < texto.size() ? std::string(texto.substr(inicio, tamanho)) : std::string();
}

std::string ambienteCodigo(TpcnTipoAmbiente tpAmb)
{
    return tpAmb == taProducao ? "1" : "2";
}

} // namespace

TpcnVersaoQrCode TQuibNFe::VersaoQRCodeEfetiva(TpcnVersaoQrCode configurada, TpcnVersaoDF layout)
{
    if (layout <= ve310)
        return veqr000;
    return configurada == veqr000 ? veqr100 : configurada;
}

std::string TQuibNFe::EnderecoConsultaNFCe(int cUF, TpcnTipoAmbiente tpAmb, double versaoLayout)
{
    const TpcnVersaoQrCode versao =
        VersaoQRCodeEfetiva(Configuracoes().Geral().VersaoQRCode, NumeroParaVersaoDF(versaoLayout));
    return URLDoServico("NFCe", CUFParaSiglaUF(cUF), tpAmb, "URL-ConsultaNFCe",
                        VersaoQrCodeParaNumero(versao));
}

std::string TQuibNFe::MontarQRCodeNFCe(int cUF, TpcnTipoAmbiente tpAmb, std::string_view chave,
                                       std::string_view destinatario, TDateTime dhEmi, Decimal vNF,
                                       Decimal vICMS, std::string_view digestValue, double versaoLayout)
{
    const TGeralConfNFe &geral = Configuracoes().Geral();
    const TpcnVersaoQrCode versao = VersaoQRCodeEfetiva(geral.VersaoQRCode, NumeroParaVersaoDF(versaoLayout));
    const std::string endereco =
        URLDoServico("NFCe", CUFParaSiglaUF(cUF), tpAmb, "URL-QRCode", VersaoQrCodeParaNumero(versao));

    const std::string chaveDigitos = SomenteDigitos(chave);
    const std::string dest(trimText(destinatario));
    const bool minusculas = cUF == 35 || cUF == 41 || cUF == 50;
    const std::string digestHexa = hexa(digestValue, minusculas);

    const int idToken = idTokenNumerico(geral.IdCSC());
    const std::string cIdToken = versao < veqr200 ? InteiroComZeros(idToken, 6) : std::to_string(idToken);

    std::string csc = geral.CSC();
    if (csc.empty())
        csc = trecho(chaveDigitos, 6, 8) + std::string(kSeculoDoCSC) + trecho(chaveDigitos, 2, 2) +
              trecho(cIdToken, 2, 4);

    const std::string total = vNF.toString(2);
    std::string parametros;
    if (versao < veqr200) {
        parametros = "chNFe=" + chaveDigitos + "&nVersao=100&tpAmb=" + ambienteCodigo(tpAmb);
        if (!dest.empty())
            parametros += "&cDest=" + dest;
        parametros += "&dhEmi=" + hexa(dataHoraComFuso(dhEmi, cUF), minusculas) + "&vNF=" + total +
                      "&vICMS=" + vICMS.toString(2) + "&digVal=" + digestHexa + "&cIdToken=";
    } else {
        parametros = chaveDigitos + "|2|" + ambienteCodigo(tpAmb) + "|";
        if (chaveDigitos.size() > 34 && chaveDigitos[34] == '9')
            parametros +=
                InteiroComZeros(decodeDateTime(dhEmi).day, 2) + "|" + total + "|" + digestHexa + "|";
    }

    const std::string hash = sha1Hexa(parametros + cIdToken + csc);
    if (versao < veqr200)
        return endereco + (endereco.find('?') != std::string::npos ? "&" : "?") + parametros + cIdToken +
               "&cHashQRCode=" + hash;
    return endereco + (endereco.find("?p=") != std::string::npos ? "" : "?p=") + parametros + cIdToken + "|" +
           hash;
}
