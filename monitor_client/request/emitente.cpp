// The note's identification and emitter sections: [ide], [emit],
// [enderEmit], with the note's numeric code.

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"

namespace {

bool algumDigitoAcimaDeZero(std::string_view texto)
{
    return SomenteNumeros(texto).find_first_not_of('0') != std::string::npos;
}

} // namespace

void TfrmNFE_2G::GeraEmitente()
{
    const LinhaNota &nota = notaAtual();
    const int numero = inteiroDoCampo(nota.nro_not, "nro_not");

    std::string codigo;
    if (CodigoNumerico != 0) {
        codigo = ZerosEsquerda(CodigoNumerico, 9);
    } else {
        const std::string serie = BuscaSerieNota(nota.serie_not);
        codigo =
            ZerosEsquerda(SegundosDoDia(), 5).substr(3, 2) + serie.substr(0, 1) + ZerosEsquerda(numero, 6);
        CodigoNumerico = inteiroDoCampo(codigo, "cnf");
    }

    escreve(Sp(0, "") + "[ide]");
    escreve(4, "cUF", emitente("COD_UF_EMI"));
    escreve(4, "cnf", codigo);
    escreve(4, "natop", nota.nat_not);
    std::string indpag = "0";
    if (ContemTexto("PRAZO", nota.nat_not) || TemParcela(std::to_string(nota.nota)))
        indpag = "1";
    else if (nota.desc_porc_out == "OUTROS")
        indpag = "2";
    escreve(4, "indpag", indpag);
    escreve(4, "mod", "55");
    escreve(4, "serie", std::to_string(nota.nro_serie_not));
    escreve(4, "nnf", std::to_string(numero));
    escreve(4, "demi", AjData(dataDoCampo(nota.Dat_emi_not, "Dat_emi_not")));
    if (!nota.dat_sai_not.empty() && nota.dat_sai_not != "30/12/1899")
        escreve(4, "dsaient", AjData(dataDoCampo(nota.dat_sai_not, "dat_sai_not")));
    std::string hora = "00:00:00";
    if (algumDigitoAcimaDeZero(nota.hora_sai_not))
        hora = nota.hora_sai_not + ":00";
    if (!nota.hora_sai_not.empty() && hora != "00:00:00")
        escreve(4, "hsaient", AjHora(hora));
    std::string tpnf = "1";
    if (!nota.cfop_not.empty()) {
        const char primeiro = nota.cfop_not.front();
        if (primeiro < '0' || primeiro > '9')
            throw ConversionError("'" + nota.cfop_not + "' não é um CFOP válido (cfop_not)");
        if (primeiro >= '1' && primeiro <= '3')
            tpnf = "0";
    }
    escreve(4, "tpnf", tpnf);
    escreve(4, "tpimp", emitente("TIPO_IMP_DANF"));
    escreve(4, "cmunfg", emitente("COD_MUN_EMI"));
    escreve(4, "finnfe", nota.finalidade_nfe == 0 ? "1" : std::to_string(nota.finalidade_nfe));
    escreve(4, "procemi", "0");
    escreve(4, "verproc", "4.0.1_2G");

    escreve(Sp(0, "") + "[emit]");
    if (emitente("TIPO_EMI") == "J")
        escreve(4, "cnpj", SomenteNumeros(emitente("CNPJ_EMI")).substr(0, 14));
    else
        escreve(4, "cpf", SomenteNumeros(emitente("CPF_EMI")));
    escreve(4, "xnome", emitente("NOM_EMI"));
    escreve(4, "xfant", emitente("FAN_EMI"));
    escreve(4, "ie", SomenteNumeros(emitente("IE_EMI")));
    for (const auto &[coluna, chave] :
         {std::pair{"IE_SUBST_EMI", "iest"}, {"IM_EMI", "im"}, {"CNAE_EMI", "cnae"}})
        if (const std::string valor = emitente(coluna); !valor.empty())
            escreve(4, chave, SomenteNumeros(valor));
    escreve(4, "crt", emitente("COD_REG_TRIB"));

    escreve(Sp(0, "") + "[enderEmit]");
    escreve(4, "xlgr", emitente("END_EMI"));
    escreve(4, "nro", emitente("NRO_END_EMI"));
    escreve(4, "xcpl", emitente("COMPL_EMI"));
    escreve(4, "xbairro", emitente("BAI_EMI"));
    escreve(4, "cmun", emitente("COD_MUN_EMI"));
    escreve(4, "xmun", emitente("MUN_EMI"));
    escreve(4, "uf", emitente("UF_EMI"));
    escreve(4, "cep", SomenteNumeros(emitente("CEP_EMI")));
    escreve(4, "cpais", emitente("COD_PAIS_EMI"));
    escreve(4, "xpais", emitente("PAIS_EMI"));
    escreve(4, "fone", SomenteNumeros(emitente("FONE_EMI")));
}
