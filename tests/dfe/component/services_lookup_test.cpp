#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "dfe/component/quib_dfe.h"
#include "foundation/fiscal/dfe_exception.h"
#include "tests/support/temp_dir.h"

namespace {

using testsupport::TempDir;

// A component whose services come from the given lines, or from the
// embedded services INI when there are none.
struct Componente {
    TempDir pasta;
    TQuibDFe dfe;
    explicit Componente(std::vector<std::string> linhas = {})
    {
        auto &ws = dfe.Configuracoes().WebServices();
        ws.NomeRecursoServicos = "QuibNFeServicos";
        dfe.Configuracoes().Arquivos().SetIniServicos((pasta / "ausente.ini").string());
        ws.Params = std::move(linhas);
    }
    std::string url(std::string_view modelo, std::string_view uf, TpcnTipoAmbiente amb,
                    std::string_view servico, double &versao)
    {
        std::string url, wsdl, soap;
        dfe.BuscarServico(modelo, uf, amb, servico, versao, url, wsdl, soap);
        return url;
    }
};

std::string mensagemDe(const std::function<void()> &acao)
{
    try {
        acao();
    } catch (const EQuibDFeException &e) {
        return e.what();
    }
    return "(nada)";
}

std::filesystem::path referencia(const std::string &nome)
{
    return testsupport::sourceDir() / "dfe/component/servicos/referencia" / nome;
}

std::string texto(xmlNode *no)
{
    xmlChar *conteudo = xmlNodeGetContent(no);
    std::string resultado = conteudo ? reinterpret_cast<const char *>(conteudo) : "";
    xmlFree(conteudo);
    return resultado;
}

// Every address of an endpoint list answers BuscarServico with its key.
void conferirLista(Componente &c, const std::string &arquivo, const std::string &modelo, int &conferidos)
{
    xmlDoc *doc = xmlReadFile(referencia(arquivo).c_str(), nullptr, XML_PARSE_NONET);
    ASSERT_NE(doc, nullptr);
    for (xmlNode *uf = xmlDocGetRootElement(doc)->children; uf; uf = uf->next) {
        if (uf->type != XML_ELEMENT_NODE)
            continue;
        std::string sigla;
        for (xmlNode *n = uf->children; n; n = n->next)
            if (n->type == XML_ELEMENT_NODE &&
                std::string_view(reinterpret_cast<const char *>(n->name)) == "sigla")
                sigla = texto(n);
        const std::string autorizador = sigla == "SVCAN" ? "SVC-AN" : sigla == "SVCRS" ? "SVC-RS" : sigla;
        for (xmlNode *amb = uf->children; amb; amb = amb->next) {
            const std::string nomeAmb =
                amb->type == XML_ELEMENT_NODE ? reinterpret_cast<const char *>(amb->name) : "";
            if (nomeAmb != "producao" && nomeAmb != "homologacao")
                continue;
            const TpcnTipoAmbiente ambiente = nomeAmb == "producao" ? taProducao : taHomologacao;
            for (xmlNode *s = amb->children; s; s = s->next) {
                if (s->type != XML_ELEMENT_NODE || texto(s).empty())
                    continue;
                std::string elemento = reinterpret_cast<const char *>(s->name);
                xmlChar *v = xmlGetProp(s, BAD_CAST "version");
                double versao = std::stod(reinterpret_cast<const char *>(v));
                xmlFree(v);
                if (elemento == "NfeConsultaQR") {
                    elemento = "URL-QRCode";
                    versao = 0;
                } else if (elemento == "CscNFCe") {
                    elemento = "AdministrarCSCNFCe";
                } else if (elemento == "RecepcaoEPEC") {
                    elemento = "EventoEPEC";
                }
                EXPECT_EQ(c.url(modelo, autorizador, ambiente, elemento, versao), texto(s))
                    << modelo << " " << autorizador << " " << nomeAmb << " " << elemento;
                ++conferidos;
            }
        }
    }
    xmlFreeDoc(doc);
}

TEST(DFeServicosEmbutidos, EveryReferenceAddressIsFoundWithItsKey)
{
    Componente c;
    int conferidos = 0;
    conferirLista(c, "endpoints-nfe-4.00-model55.xml", "NFe", conferidos);
    conferirLista(c, "endpoints-nfe-4.00-model65.xml", "NFCe", conferidos);
    std::ifstream json(referencia("nfce-consultation-urls.json"));
    const auto consulta = nlohmann::json::parse(json);
    for (const auto &[codigo, estados] : consulta.items())
        for (const auto &[uf, endereco] : estados.items()) {
            double versao = 0;
            EXPECT_EQ(
                c.url("NFCe", uf, codigo == "1" ? taProducao : taHomologacao, "URL-ConsultaNFCe", versao),
                endereco.get<std::string>());
            ++conferidos;
        }
    EXPECT_GT(conferidos, 400);
}

TEST(DFeServicosEmbutidos, EveryStateOfBothModelsHasAStatusService)
{
    Componente c;
    static constexpr const char *kUFs[] = {"AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO",
                                           "MA", "MG", "MS", "MT", "PA", "PB", "PE", "PI", "PR",
                                           "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"};
    for (const char *modelo : {"NFe", "NFCe"})
        for (const char *uf : kUFs)
            for (const TpcnTipoAmbiente amb : {taProducao, taHomologacao}) {
                double versao = 4.00;
                EXPECT_TRUE(c.url(modelo, uf, amb, "NfeStatusServico", versao).starts_with("https://"))
                    << modelo << " " << uf;
                EXPECT_DOUBLE_EQ(versao, 4.00);
            }
    double versao = 4.00;
    EXPECT_EQ(c.url("NFe", "MA", taProducao, "NfeStatusServico", versao),
              c.url("NFe", "SVAN", taProducao, "NfeStatusServico", versao));
}

const std::vector<std::string> kIniDeRegras = {
    "; regras de busca",
    "[NFe_AC_P]",
    "Usar=NFe_SVRS_P",
    "[NFe_SVRS_P]",
    "NfeStatusServico_4.00=https://svrs/status4",
    "NfeConsultaCadastro_2.0=https://svrs/cad",
    "NfeRecepcao_3.10=https://svrs/rec310",
    "NfeRecepcao_2.00=https://svrs/rec200",
    "NfeInutilizacao=https://svrs/inut",
    "NfeInutilizacao_4.00=https://svrs/inut4",
    "[NFe_SP_P]",
    "NfeStatusServico_4.00=https://sp/status4",
    "Usar=NFe_SVRS_P",
    "[NFe_MA_P]",
    "Usar=NFe_SVAN_P",
    "[NFe_SVAN_P]",
    "Usar=NFe_AN_P",
    "[NFe_AN_P]",
    "NfeStatusServico_4.00=https://an/status4",
    "[NFe_X1_P]",
    "Usar=NFe_X2_P",
    "[NFe_X2_P]",
    "Usar=NFe_X1_P",
    "[NFe_Y_P]",
    "Usar=NFe_NADA_P",
    "[NFe_Z_P]",
    "Outro=1",
};

TEST(DFeBuscarServico, FollowsTheLookupRules)
{
    Componente c(kIniDeRegras);
    struct Caso {
        const char *uf;
        const char *servico;
        double pedida;
        const char *url;
        double devolvida;
    };
    // clang-format off
    const Caso casos[] = {
        {"AC", "NfeStatusServico",    4.00, "https://svrs/status4", 4.00}, // worked example
        {"SP", "NfeStatusServico",    4.00, "https://sp/status4",   4.00}, // own key before Usar
        {"MA", "NfeStatusServico",    4.00, "https://an/status4",   4.00}, // NFe_AN_P is not NFe_SVAN_P
        {"AC", "NfeConsultaCadastro", 2.00, "https://svrs/cad",     2.00}, // "_2.0" found by the scan
        {"AC", "NfeRecepcao",         4.00, "https://svrs/rec310",  3.10}, // highest not above
        {"AC", "NfeInutilizacao",     0,    "https://svrs/inut",    0},    // version 0: plain key
    };
    // clang-format on
    for (const Caso &caso : casos) {
        double versao = caso.pedida;
        EXPECT_EQ(c.url("NFe", caso.uf, taProducao, caso.servico, versao), caso.url)
            << caso.uf << caso.servico;
        EXPECT_DOUBLE_EQ(versao, caso.devolvida) << caso.uf << caso.servico;
    }
}

TEST(DFeBuscarServico, ReportsRedirectionFaultsInItsOwnWords)
{
    Componente c(kIniDeRegras);
    double v = 4.00;
    EXPECT_EQ(mensagemDe([&] { c.url("NFe", "X1", taProducao, "NfeStatusServico", v); }),
              "Redirecionamento circular detectado: Sessão \"NFe_X1_P\" no arquivo \"QuibNFeServicos\"");
    EXPECT_EQ(mensagemDe([&] { c.url("NFe", "Y", taProducao, "NfeStatusServico", v); }),
              "Sessão \"NFe_NADA_P\", não encontrada no arquivo \"QuibNFeServicos\"");
    EXPECT_EQ(mensagemDe([&] { c.url("NFe", "Z", taProducao, "NfeStatusServico", v); }),
              "URL para o serviço \"NfeStatusServico\" não encontrada na sessão \"NFe_Z_P\" no arquivo "
              "\"QuibNFeServicos\"");
    EXPECT_EQ(mensagemDe([&] { c.url("", "SP", taProducao, "NfeStatusServico", v); }),
              "ModeloDFe não pode ser vazio");
    EXPECT_EQ(mensagemDe([&] { c.url("NFe", "", taProducao, "NfeStatusServico", v); }),
              "UF não pode ser vazia");
}

TEST(DFeBuscarServico, ANonEmptyServicesFileReplacesTheResourceAndAnEmptyOneDoesNot)
{
    Componente c;
    const auto arquivo =
        c.pasta.write("servicos.ini", "[NFe_SP_P]\r\nNfeStatusServico_4.00=https://arquivo/sp\r\n");
    c.dfe.Configuracoes().Arquivos().SetIniServicos(arquivo.string());
    double v = 4.00;
    EXPECT_EQ(c.url("NFe", "SP", taProducao, "NfeStatusServico", v), "https://arquivo/sp");

    Componente vazio;
    const auto semNada = vazio.pasta.write("servicos.ini", "  \r\n");
    vazio.dfe.Configuracoes().Arquivos().SetIniServicos(semNada.string());
    EXPECT_TRUE(
        vazio.url("NFe", "SP", taProducao, "NfeStatusServico", v).starts_with("https://nfe.fazenda.sp"));
}

TEST(DFeBuscarArquivoSchema, FindsTheHighestVersionNotAboveTheOneAsked)
{
    Componente c;
    c.pasta.write("xsd/consCad_v3.10.xsd", "");
    c.pasta.write("xsd/consCad_v4.00.xsd", "");
    std::filesystem::create_directories(c.pasta / "vazia");
    std::filesystem::create_directories(c.pasta / "outra");
    std::ofstream(c.pasta / "outra/consCad_v2.00.xsd");
    auto &arquivos = c.dfe.Configuracoes().Arquivos();
    arquivos.SetPathSchemas((c.pasta / "xsd").string());
    const std::string pasta = arquivos.PathSchemas();
    struct Caso {
        double pedida;
        const char *arquivo;
        double devolvida;
    };
    for (const Caso &caso :
         {Caso{4.00, "consCad_v4.00.xsd", 4.00}, Caso{3.50, "consCad_v3.10.xsd", 3.10}, Caso{3.00, "", 0}}) {
        double versao = caso.pedida;
        const std::string achado = c.dfe.BuscarArquivoSchema("consCad", versao);
        EXPECT_EQ(achado, *caso.arquivo ? pasta + caso.arquivo : "") << caso.pedida;
        EXPECT_DOUBLE_EQ(versao, caso.devolvida);
    }
    arquivos.SetPathSchemas((c.pasta / "outra").string());
    double versao = 4.00;
    EXPECT_EQ(c.dfe.BuscarArquivoSchema("consCad", versao), arquivos.PathSchemas() + "consCad_v2.00.xsd");
    arquivos.SetPathSchemas((c.pasta / "vazia").string());
    EXPECT_EQ(mensagemDe([&] { c.dfe.BuscarArquivoSchema("consCad", versao); }),
              "Nenhum arquivo de Schema encontrado na pasta: \r\n" + arquivos.PathSchemas());
}

} // namespace
