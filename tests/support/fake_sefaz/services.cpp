#include "tests/support/fake_sefaz/services.h"

#include <array>
#include <map>

namespace testsupport::fakesefaz {

namespace {

// clang-format off
constexpr std::array kServices{
    ServiceInfo{"consStatServ", "NFeStatusServico4",      "consStatServ_v4.00.xsd", 215},
    ServiceInfo{"enviNFe",      "NFeAutorizacao4",        "enviNFe_v4.00.xsd",      225},
    ServiceInfo{"consReciNFe",  "NFeRetAutorizacao4",     "consReciNFe_v4.00.xsd",  215},
    ServiceInfo{"consSitNFe",   "NFeConsultaProtocolo4",  "consSitNFe_v4.00.xsd",   215},
    ServiceInfo{"inutNFe",      "NFeInutilizacao4",       "inutNFe_v4.00.xsd",      215},
    ServiceInfo{"ConsCad",      "CadConsultaCadastro4",   "consCad_v2.00.xsd",      215},
    ServiceInfo{"envEvento",    "NFeRecepcaoEvento4",     "envEvento_v1.00.xsd",    215},
    ServiceInfo{"admCscNFCe",   "CscNFCe",                "",                       215},
    ServiceInfo{"distDFeInt",   "NFeDistribuicaoDFe",     "distDFeInt_v1.01.xsd",   215},
};

const std::map<int, std::string_view> kMotivos{
    {100, "Autorizado o uso da NF-e"},
    {101, "Cancelamento de NF-e homologado"},
    {102, "Inutilização de número homologado"},
    {103, "Lote recebido com sucesso"},
    {104, "Lote processado"},
    {105, "Lote em processamento"},
    {106, "Lote não localizado"},
    {107, "Serviço em Operação"},
    {108, "Serviço Paralisado Momentaneamente (curto prazo)"},
    {109, "Serviço Paralisado sem Previsão"},
    {111, "Consulta cadastro com uma ocorrência"},
    {128, "Lote de Evento Processado"},
    {135, "Evento registrado e vinculado a NF-e"},
    {136, "Evento registrado, mas não vinculado a NF-e"},
    {137, "Nenhum documento localizado para o Destinatário"},
    {138, "Documento localizado para o Destinatário"},
    {150, "Consulta de CSC realizada"},
    {213, "Rejeição: CNPJ-Base do Emitente difere do CNPJ-Base do Certificado Digital"},
    {215, "Rejeição: Falha no schema XML"},
    {217, "Rejeição: NF-e não consta na base de dados da SEFAZ"},
    {225, "Rejeição: Falha no Schema XML do lote de NFe"},
    {297, "Rejeição: Assinatura difere do calculado"},
    {539, "Rejeição: Duplicidade de NF-e com diferença na Chave de Acesso"},
    {656, "Rejeição: Consumo Indevido"},
};
// clang-format on

} // namespace

const ServiceInfo *serviceOfRoot(std::string_view root)
{
    for (const ServiceInfo &service : kServices)
        if (service.root == root)
            return &service;
    return nullptr;
}

std::string wsdlNamespace(const ServiceInfo &service)
{
    return std::string(kNfeNamespace) + "/wsdl/" + std::string(service.wsdlName);
}

std::string motivo(int cStat)
{
    const auto found = kMotivos.find(cStat);
    return found != kMotivos.end() ? std::string(found->second) : "Situação " + std::to_string(cStat);
}

} // namespace testsupport::fakesefaz
