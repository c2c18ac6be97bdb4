// The technical-responsible hash, an element re-wrapped with its namespace
// and the current time in a component's configured zone.

#include "foundation/fiscal/dfe_util.h"

#include <openssl/evp.h>
#include <openssl/sha.h>

#include <array>

#include "foundation/dates/fuso_horario.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/xml/xml_text_utils.h"

std::string HashResponsavelTecnico(std::string_view csrt, std::string_view chaveAcesso)
{
    const std::string dados = std::string(csrt) + std::string(chaveAcesso);
    std::array<unsigned char, SHA_DIGEST_LENGTH> digest{};
    SHA1(reinterpret_cast<const unsigned char *>(dados.data()), dados.size(), digest.data());

    std::array<unsigned char, 4 * ((SHA_DIGEST_LENGTH + 2) / 3) + 1> base64{};
    const int tamanho = EVP_EncodeBlock(base64.data(), digest.data(), static_cast<int>(digest.size()));
    return std::string(reinterpret_cast<const char *>(base64.data()), static_cast<std::size_t>(tamanho));
}

std::string ElementoComNamespace(std::string_view xml, std::string_view tag, std::string_view ns)
{
    const std::string declaracao = ExtraiDeclaracaoXML(xml);
    const std::string abertura = "<" + std::string(tag) + " xmlns";

    std::string elemento;
    if (const std::size_t inicio = xml.find(abertura); inicio != std::string_view::npos) {
        const std::string fechamento = "</" + std::string(tag) + ">";
        const std::size_t fim = xml.find(fechamento, inicio);
        if (fim != std::string_view::npos)
            elemento = std::string(xml.substr(inicio, fim + fechamento.size() - inicio));
    } else {
        const std::string conteudo = ConteudoDaTag(xml, tag, false, true, true);
        if (!conteudo.empty())
            elemento = "<" + std::string(tag) + " xmlns=\"" + std::string(ns) + "\">" + conteudo + "</" +
                       std::string(tag) + ">";
    }
    if (elemento.empty())
        return {};
    return declaracao + elemento;
}

TDateTime DataHoraAtualNoFuso(const DFeZoneSettings &componente)
{
    const auto agora = currentTimePoint();
    const TDateTime local = toLocalDateTime(agora);
    const TTimeZoneConf &conf = componente.webServicesTimeZoneConf();
    if (conf.ModoDeteccao() == tzSistema)
        return local;

    FusoHorarioGlobal().Assign(conf);
    const std::string fuso = FusoHorarioDaUF(componente.webServicesUF(), local);
    if (!FusoValido(fuso) || fuso.size() != 6)
        return local;
    return incMinutes(toUtcDateTime(agora), -MinutosDoFuso(fuso));
}
