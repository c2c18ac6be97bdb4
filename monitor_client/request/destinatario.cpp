// The recipient's sections: [dest], [enderDest], the referenced documents
// ([NFREF] with [REFNFP], [REFECF], refNfe, refCte) and the delivery place
// [entrega].

#include "monitor_client/frm_nfe_2g.h"

#include "app/config_nfe/listas_referencia.h"
#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/text_utils.h"

namespace {

// The digits of the text as a whole number, "0" when there are none.
std::string digitosComoInteiro(std::string_view texto)
{
    const std::string digitos = SomenteNumeros(texto);
    const auto primeiro = digitos.find_first_not_of('0');
    return primeiro == std::string::npos ? "0" : digitos.substr(primeiro);
}

// The lines of a memo, as a string list splits them: CR LF, LF or CR end a
// line, and a break at the very end opens no further line.
std::vector<std::string> linhasDoMemo(std::string_view texto)
{
    std::vector<std::string> linhas;
    std::string linha;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] == '\r' || texto[i] == '\n') {
            if (texto[i] == '\r' && i + 1 < texto.size() && texto[i + 1] == '\n')
                ++i;
            linhas.push_back(std::move(linha));
            linha.clear();
        } else {
            linha += texto[i];
        }
    }
    if (!linha.empty())
        linhas.push_back(std::move(linha));
    return linhas;
}

std::string campoDaReferencia(std::string &resto)
{
    const std::string campo = TextoAntes(resto, "^");
    resto = TextoDepois(resto, "^");
    return campo;
}

} // namespace

void TfrmNFE_2G::escreveDocumento(int indent, std::string_view documento)
{
    const std::string digitos = SomenteNumeros(documento);
    if (digitos.size() < 12)
        escreve(indent, "cpf", digitos);
    else
        escreve(indent, "cnpj", digitos.substr(0, 14));
}

void TfrmNFE_2G::GeraDestinatario()
{
    const LinhaNota &nota = notaAtual();
    const std::string numeroCasa = nota.desc_porc_com.empty() ? "." : nota.desc_porc_com;
    escreve(Sp(0, "") + "[dest]");
    if (destinatarioEstrangeiro()) {
        escreve(4, "xnome", homologacao() ? kNomeHomologacao : ChrEsp(nota.nom_not));
        if (!nota.email_NFE.empty())
            escreve(4, "email", nota.email_NFE);
        escreve(Sp(0, "") + "[enderDest]");
        escreve(4, "xlgr", ChrEsp(nota.end_not));
        escreve(4, "nro", numeroCasa);
        escreve(4, "xbairro", ChrEsp(nota.bai_not));
        escreve(4, "cmun", "9999999");
        escreve(4, "xmun", "EXTERIOR");
        escreve(4, "uf", "EX");
        escreve(4, "cep", "00000000");
        escreve(4, "cpais", std::to_string(nota.cod_pais));
        escreve(4, "xpais", ChrEsp(nota.nome_pais));
    } else {
        if (homologacao()) {
            escreve(4, "cnpj", "99999999000191");
            escreve(4, "xnome", kNomeHomologacao);
            escreve(4, "ie", "");
        } else {
            escreveDocumento(4, nota.cnpj_not);
            escreve(4, "xnome", ChrEsp(nota.nom_not));
            if (upperAscii(nota.IE_not) == "ISENTO")
                escreve(4, "ie", "ISENTO");
            else if (const std::string ie = SomenteNumeros(nota.IE_not); !ie.empty())
                escreve(4, "ie", ie);
        }
        if (!nota.email_NFE.empty())
            escreve(4, "email", nota.email_NFE);
        escreve(Sp(0, "") + "[enderDest]");
        escreve(4, "xlgr", ChrEsp(nota.end_not));
        escreve(4, "nro", numeroCasa);
        escreve(4, "xbairro", ChrEsp(nota.bai_not));
        escreve(4, "cmun", BuscaCidade_IBGE(nota.mun_not, nota.uf_not, nota.cep_not));
        escreve(4, "xmun", ChrEsp(nota.mun_not));
        escreve(4, "uf", nota.uf_not);
        escreve(4, "cep", SomenteNumeros(nota.cep_not));
        escreve(4, "cpais", emitente("COD_PAIS_EMI"));
        escreve(4, "xpais", emitente("PAIS_EMI"));
    }
    escreve(4, "fone", SomenteNumeros(nota.fon_not));
    if (nota.nfp_ref > 0)
        escreveReferencias();
    escreveEntrega();
}

void TfrmNFE_2G::escreveReferencias()
{
    const LinhaNota &nota = notaAtual();
    // The producer note's heading: state, issue month and the recipient.
    const auto cabecalhoProdutor = [&] {
        escreve(Sp(2, "") + "[REFNFP]");
        escreve(4, "cUF", BuscaEstado(0, upperAscii(nota.uf_not)));
        escreve(4, "AAMM", FormataDataHora("AAMM", dataDoCampo(nota.Dat_emi_not, "Dat_emi_not")));
        escreveDocumento(4, nota.cnpj_not);
        const std::string ie = upperAscii(nota.IE_not) == "ISENTO" ? "ISENTO" : SomenteNumeros(nota.IE_not);
        escreve(4, "ie", ie);
        escreve(4, "mod", "04");
    };
    if (upperAscii(nota.ser_nfp_ref) != "MEMO") {
        escreve(Sp(0, "") + "[NFREF]");
        cabecalhoProdutor();
        escreve(4, "serie", nota.ser_nfp_ref);
        escreve(4, "nnf", std::to_string(nota.nfp_ref));
        return;
    }
    for (std::string resto : linhasDoMemo(nota.notas_refer)) {
        const std::string tipo = upperAscii(campoDaReferencia(resto));
        const std::string numero = campoDaReferencia(resto);
        const std::string terceiro = digitosComoInteiro(campoDaReferencia(resto));
        escreve(Sp(0, "") + "[NFREF]");
        if (tipo == "REFNFP") {
            cabecalhoProdutor();
            escreve(4, "serie", terceiro);
            escreve(4, "nnf", digitosComoInteiro(numero));
        } else if (tipo == "REFECF") {
            escreve(Sp(2, "") + "[REFECF]");
            escreve(4, "mod", "2D");
            escreve(4, "nECF", terceiro);
            escreve(4, "nCoo", digitosComoInteiro(numero));
        } else if (tipo == "REFNFE") {
            escreve(4, "refNfe", numero);
        } else if (tipo == "REFCTE") {
            escreve(4, "refCte", numero);
        }
    }
}

void TfrmNFE_2G::escreveEntrega()
{
    const LinhaNota &nota = notaAtual();
    if (!nota.cnpj_ent.empty()) {
        escreve(Sp(0, "") + "[entrega]");
        escreve(4, "cnpj", SomenteNumeros(nota.cnpj_ent).substr(0, 14));
        escreve(4, "xlgr", ChrEsp(nota.end_ent));
        escreve(4, "nro", ".");
        escreve(4, "xbairro", ChrEsp(nota.bai_ent));
        escreve(4, "cmun", BuscaCidade_IBGE(nota.cid_ent, nota.uf_ent, nota.cep_ent));
        escreve(4, "xmun", ChrEsp(nota.cid_ent));
        escreve(4, "uf", nota.uf_ent);
        return;
    }
    // A new vehicle sold for delivery (operation type 2) among the note's
    // own items repeats the recipient as the delivery place.
    const auto vendaVeiculo = tabelas_.tblItens.filtra([&](const LinhaItem &item) {
        return item.nota == nota.nota && item.printAdc && item.adc10 == kMarcadorVeiculo &&
               TextoAntes(item.adc2, "^") == "2";
    });
    if (vendaVeiculo.empty())
        return;
    escreve(Sp(0, "") + "[entrega]");
    escreveDocumento(4, nota.cnpj_not);
    escreve(4, "xlgr", ChrEsp(nota.end_not));
    escreve(4, "nro", ".");
    escreve(4, "xbairro", ChrEsp(nota.bai_not));
    escreve(4, "cmun", BuscaCidade_IBGE(nota.mun_not, nota.uf_not, nota.cep_not));
    escreve(4, "xmun", ChrEsp(nota.mun_not));
    escreve(4, "uf", nota.uf_not);
}
