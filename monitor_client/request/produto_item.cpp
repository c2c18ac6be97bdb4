// The item's product group "[Prod]", the groups its marker chooses ("[COMB]",
// "[veicProd]", "[DI]"/"[ADI]", "[MED]") and its additional text "[det]".

#include "monitor_client/frm_nfe_2g.h"

#include "app/funcoes/funcoes_kvl.h"
#include "foundation/text/utf8.h"
#include "monitor_client/request/detail/lista_campos.h"

#include <array>
#include <charconv>

namespace {

// The digits of the text as a number; 0 when there are none (or too many).
long long numeroDosDigitos(std::string_view texto)
{
    const std::string digitos = SomenteNumeros(texto);
    long long numero = 0;
    const auto [fim, erro] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), numero);
    return erro == std::errc() ? numero : 0;
}

bool codigoDeBarras(std::string_view codigo)
{
    const auto tamanho = utf8Length(codigo);
    return tamanho >= 12 && tamanho <= 14;
}

// "indtot": items of situation 99, and of 98 unless marked "TOTALIZA", stay
// out of the note's total.
const char *indicaTotal(const LinhaItem &item)
{
    const long long situacao = numeroDosDigitos(item.st_pro);
    if (situacao == 99)
        return "0";
    if (situacao == 98)
        return item.adc3 == "TOTALIZA" ? "1" : "0";
    return "1";
}

bool marcado(const LinhaItem &item)
{
    for (const char *marcador : {TfrmNFE_2G::kMarcadorCombustivel, TfrmNFE_2G::kMarcadorVeiculo,
                                 TfrmNFE_2G::kMarcadorImportacao, TfrmNFE_2G::kMarcadorLotes})
        if (item.adc10 == marcador)
            return true;
    return false;
}

} // namespace

void TfrmNFE_2G::escreveProduto(const LinhaItem &item)
{
    const LinhaNota &nota = notaAtual();
    const auto linha = [this](std::string_view chave, std::string_view valor) {
        Writeln_memo(Sp(4, chave) + std::string(valor));
    };

    // The unit price is rewritten when it does not reproduce the item total:
    // four places, or ten when four still miss it by a cent.
    const double q = valorReal(item.qtd_pro, "qtd_pro");
    double u = valorReal(item.vlr_uni_pro, "vlr_uni_pro");
    const double t = valorReal(item.sub_tot_pro, "sub_tot_pro");
    bool dezCasas = false;
    if (Arredonda(u * q, 4) != Arredonda(t, 4)) {
        u = Arredonda(Divide(t, q), 4);
        if (Arredonda(u * q, 2) != Arredonda(t, 2)) {
            dezCasas = true;
            u = Arredonda(Divide(t, q), 10);
        }
    }
    const std::string unitario = FtDc(textoReal(u), dezCasas ? "0000000000" : "0000");

    Writeln_memo("");
    Writeln_memo(Sp(0, "") + "[Prod]");
    linha("cprod", item.cod_pro);
    linha("xprod", ChrEsp(item.nom_pro));
    linha("cean", codigoDeBarras(item.cod_bar) ? item.cod_bar : "");
    if (numeroDosDigitos(item.cod_ncm) > 0)
        linha("ncm", SomenteNumeros(item.cod_ncm));
    linha("cfop", numeroDosDigitos(item.cfop_item) >= 1 ? SomenteNumeros(item.cfop_item)
                                                        : SomenteNumeros(nota.cfop_not));
    linha("ucom", item.un_pro);
    linha("qcom", FtDc(item.qtd_pro, "0000"));
    linha("vuncom", unitario);
    linha("vprod", FtDc(item.sub_tot_pro, "00"));
    linha("ceantrib", ImprimeCeanTrib && codigoDeBarras(item.cod_bar) ? item.cod_bar : "");
    linha("utrib", item.un_pro);
    linha("qtrib", FtDc(item.qtd_pro, "0000"));
    linha("vuntrib", unitario);
    const std::array<std::pair<const char *, double>, 4> rateados = {
        {{"vFrete", FreteItem}, {"vseg", SeguroItem}, {"vdesc", DescontoItem}, {"voutro", OutrasItem}}};
    for (const auto &[chave, valor] : rateados)
        if (valor > 0)
            linha(chave, duasCasas(valor));
    linha("indtot", indicaTotal(item));
    if (nota.nro_pedido > 0 && item.item_pedido > 0) {
        linha("xped", std::to_string(nota.nro_pedido));
        linha("nitemped", std::to_string(item.item_pedido));
    }
    if (vigeTributosAproximados())
        linha("vTotTrib", duasCasas(TributosItem));
}

void TfrmNFE_2G::escreveMarcadores(const LinhaItem &item, std::string &textoLotes)
{
    const auto secao = [this](std::string_view nome) {
        Writeln_memo(Sp(6, "") + "[" + std::string(nome) + "]");
    };
    const auto linha = [this](std::string_view chave, std::string_view valor) {
        Writeln_memo(Sp(8, chave) + std::string(valor));
    };
    // Keys filled from a "^" field list, in order.
    const auto daLista = [&](std::string_view lista, std::initializer_list<const char *> chaves) {
        const auto campos = camposDaLista(lista, chaves.size());
        std::size_t i = 0;
        for (const char *chave : chaves)
            linha(chave, campos[i++]);
    };

    if (item.adc10 == kMarcadorCombustivel) {
        secao("COMB");
        linha("CPRODANP", item.adc2);
        linha("CODIF", item.adc3);
        linha("QTEMP", FtDc(item.adc4, "0000"));
        linha("UFCONS", item.adc5);
    } else if (item.adc10 == kMarcadorVeiculo) {
        secao("veicProd");
        daLista(item.adc2, {"tpop", "chassi", "ccor"});
        daLista(item.adc3, {"xCor", "pot"});
        daLista(item.adc4, {"cilin", "pesoL", "pesob", "nSerie", "tpComb"});
        daLista(item.adc5, {"nMotor", "cmt", "dist", "anomod", "anofab"});
        daLista(item.adc6,
                {"tpPint", "tpVeic", "espVeic", "vin", "condVeic", "cmod", "ccordenatran", "lota", "tpRest"});
    } else if (item.adc10 == kMarcadorImportacao) {
        const auto declaracao = camposDaLista(item.adc1, 2);
        const auto desembaraco = camposDaLista(item.adc3, 2);
        secao("DI");
        linha("ndi", declaracao[0]);
        linha("ddi", AjData(dataDoCampo(declaracao[1], "adc1")));
        linha("xLocDesemb", item.adc2);
        linha("ufDesemb", desembaraco[0]);
        linha("dDesemb", AjData(dataDoCampo(desembaraco[1], "adc3")));
        linha("cExportador", item.adc4);
        secao("ADI");
        linha("nAdicao", item.adc5);
        linha("nSeqAdic", item.adc6);
        linha("cFabricante", item.adc7);
        if (numeroDosDigitos(item.adc8) > 0)
            linha("vDescDi", FtDc(item.adc8, "00"));
    } else if (item.adc10 == kMarcadorLotes) {
        for (const LinhaLoteMed &lote : tabelas_.tblLotesMed.linhas()) {
            if (lote.nota != item.nota || lote.cod_mer != item.cod_mer || lote.nro_item != item.nro_item)
                continue;
            secao("MED");
            linha("nLote", lote.nLote);
            linha("QLote", FtDc(textoReal(lote.qLote), "000"));
            linha("DFab", AjData(lote.dFab));
            linha("DVal", AjData(lote.dVal));
            linha("VPMC", FtDc(textoReal(lote.vpmc), "00"));
            textoLotes += "Lote: " + lote.nLote + " Qtd: " + textoReal(lote.qLote) +
                          " Val: " + FormataDataHora("DD/MM/AAAA", lote.dVal) + " | ";
        }
    }
}

void TfrmNFE_2G::escreveAdicional(const LinhaItem &item, const std::string &textoLotes)
{
    std::string texto;
    if (item.printAdc && !marcado(item)) {
        const int chave = notaAtual().nota * 10000 + item.nro_item;
        for (const LinhaObsCorpo *obs : tabelas_.tblObsCorpo.daNota(chave))
            texto += obs->observacao + " | ";
        for (const std::string *adicional : {&item.adc1, &item.adc2, &item.adc3, &item.adc4, &item.adc5,
                                             &item.adc6, &item.adc7, &item.adc8, &item.adc9, &item.adc10})
            if (!adicional->empty())
                texto += *adicional + " | ";
        if (!texto.empty())
            texto.resize(texto.size() - 2);
    } else if (!textoLotes.empty()) {
        texto = textoLotes;
    } else {
        return;
    }
    Writeln_memo(Sp(0, "") + "[det]");
    Writeln_memo(Sp(4, "infadprod") + texto);
}
