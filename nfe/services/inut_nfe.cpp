#include "nfe/services/inut_nfe.h"

#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"
#include "nfe/services/detail/abertura_raiz.h"
#include "nfe/services/detail/campos_resposta.h"

namespace {

// The state whose voidings may come from an individual (CPF).
constexpr int kUFComCPF = 51;
constexpr std::size_t kTamanhoId = 43;

// The justification on one line: each line break (CR LF, LF or CR) becomes ";".
std::string justificativaEmUmaLinha(std::string_view texto)
{
    return NormalizaQuebras(texto, ";");
}

} // namespace

bool TinutNFe::GerarInutNFe()
{
    std::string documento = SomenteDigitos(CNPJ);
    if (cUF == kUFComCPF && documento.size() == 11)
        documento = "000" + documento;
    ID = "ID" + InteiroEmNDigitos(cUF, 2) + InteiroEmNDigitos(ano, 4).substr(2) + documento +
         InteiroEmNDigitos(modelo, 2) + InteiroEmNDigitos(serie, 3) + InteiroEmNDigitos(nNFIni, 9) +
         InteiroEmNDigitos(nNFFin, 9);

    Gerador.ArquivoFormatoXML.clear();
    Gerador.EscreveGrupo(nfe_services::aberturaRaiz("inutNFe", nfe_services::atributoNamespaceNFe(), versao));
    Gerador.EscreveGrupo("infInut Id=\"" + ID + "\"");
    if (ID.size() < kTamanhoId)
        Gerador.AdicionaAlerta("DP04", "ID", "", "ID de inutilização inválido");

    Gerador.EscreveCampo(vcTexto, "DP05", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(tpAmb),
                         "Identificação do Ambiente");
    Gerador.EscreveCampo(vcTexto, "DP06", "xServ", 10, 10, 1, "INUTILIZAR", "Descrição do serviço");
    Gerador.EscreveCampo(vcInteiro, "DP07", "cUF", 2, 2, 1, cUF, "Código do UF (Unidade da Federação)");
    if (!CodigoUFValido(cUF))
        Gerador.AdicionaAlerta("DP07", "cUF", "Código do UF (Unidade da Federação)", "Conteúdo inválido");
    if (ano > 2000)
        ano -= 2000;
    Gerador.EscreveCampo(vcInteiro, "DP08", "ano", 2, 2, 1, ano, "Ano");
    if (cUF == kUFComCPF) {
        Gerador.EscreveCNPJouCPF("DP09", "DP09", SomenteDigitos(CNPJ), 1, true);
    } else {
        Gerador.EscreveCampo(vcTexto, "DP09", "CNPJ", 14, 14, 1, SomenteDigitos(CNPJ), "CNPJ(MF)");
        if (!CNPJValido(CNPJ))
            Gerador.AdicionaAlerta("DP09", "CNPJ", "CNPJ(MF)", "Conteúdo inválido");
    }
    Gerador.EscreveCampo(vcInteiro, "DP10", "mod", 2, 2, 1, modelo, "Modelo");
    Gerador.EscreveCampo(vcInteiro, "DP11", "serie", 1, 3, 1, serie, "Série do Documento Fiscal");
    Gerador.EscreveCampo(vcInteiro, "DP12", "nNFIni", 1, 9, 1, nNFIni, "Numero inicial");
    Gerador.EscreveCampo(vcInteiro, "DP13", "nNFFin", 1, 9, 1, nNFFin, "Numero final");
    if (nNFFin < nNFIni)
        Gerador.AdicionaAlerta("DP13", "nNFFin", "Numero final",
                               "O numero final não pode ser menor que o inicial");
    Gerador.EscreveCampo(vcTexto, "CP14", "xJust", 15, 255, 1, justificativaEmUmaLinha(xJust),
                         "Justificativa");
    Gerador.EscreveGrupo("/infInut");

    if (!Signature.URI.empty()) {
        Signature.Gerador.Opcoes.IdentarXML = Gerador.Opcoes.IdentarXML;
        Signature.MontarXml();
        Gerador.EscreveTexto(Signature.Gerador.ArquivoFormatoXML);
    }
    Gerador.EscreveGrupo("/inutNFe");
    return Gerador.ListaDeAlertas.empty();
}

bool TinutNFe::LerTexto(const std::string &texto)
{
    const std::string nativo = DecodificaTexto(texto, true);
    Leitor.setArquivo(nativo);
    const nfe_services::CamposResposta campos(Leitor);
    if (!Leitor.ExtraiGrupo(1, "infInut").empty()) {
        TextoXML = texto;
        ID = campos.atributo("Id");
        // A request whose infInut carries no versao takes its root's.
        versao = campos.atributo("versao");
        tpAmb = campos.tpAmb();
        cUF = campos.inteiro("cUF");
        ano = campos.inteiro("ano");
        CNPJ = cUF == kUFComCPF ? campos.cnpjCpf() : campos.texto("CNPJ");
        modelo = campos.inteiro("mod");
        serie = campos.inteiro("serie");
        nNFIni = campos.inteiro("nNFIni");
        nNFFin = campos.inteiro("nNFFin");
        xJust = campos.texto("xJust");
        if (versao.empty() && !Leitor.ExtraiGrupo(1, "inutNFe").empty())
            versao = campos.atributo("versao");
    }
    if (!Leitor.ExtraiGrupo(1, "Signature").empty()) {
        Signature.URI = Leitor.LeAtributo("URI", "Reference");
        Signature.DigestValue = campos.texto("DigestValue");
        Signature.SignatureValue = campos.texto("SignatureValue");
        Signature.X509Certificate = campos.texto("X509Certificate");
    }

    TRetInutNFe resposta;
    resposta.Leitor.setArquivo(nativo);
    const bool lido = resposta.LerResposta();
    if (ID.empty()) {
        ID = resposta.Id;
        tpAmb = resposta.tpAmb;
    }
    RetInutNFe.Id = resposta.Id;
    RetInutNFe.tpAmb = resposta.tpAmb;
    RetInutNFe.verAplic = resposta.verAplic;
    RetInutNFe.cStat = resposta.cStat;
    RetInutNFe.xMotivo = resposta.xMotivo;
    RetInutNFe.cUF = resposta.cUF;
    RetInutNFe.xJust = resposta.xJust;
    RetInutNFe.ano = resposta.ano;
    RetInutNFe.CNPJ = resposta.CNPJ;
    RetInutNFe.modelo = resposta.modelo;
    RetInutNFe.serie = resposta.serie;
    RetInutNFe.nNFIni = resposta.nNFIni;
    RetInutNFe.nNFFin = resposta.nNFFin;
    RetInutNFe.dhRecbto = resposta.dhRecbto;
    RetInutNFe.nProt = resposta.nProt;
    return lido;
}

bool TinutNFe::LerArquivo(const std::string &NomeArquivo)
{
    TLeitor arquivo;
    arquivo.LeArquivo(NomeArquivo);
    return LerTexto(arquivo.Arquivo());
}
