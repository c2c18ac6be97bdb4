// The header groups of infNFe: ide with the referenced documents, emit,
// avulsa, dest, retirada, entrega and autXML.

#include "nfe/document/nfe_writer.h"

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/pcn_auxiliar.h"
#include "foundation/text/text_utils.h"

namespace {

constexpr int kPaisBrasil = 1058;

// A date-time of the layouts from 3.00: "YYYY-MM-DDThh:nn:ss" and the UTC
// offset it was read with, or the configured one of the emitter's state.
std::string dataHoraComFuso(TDateTime valor, const TFusoLido &lido, int cUF)
{
    return FormataDataHoraISO(valor) + lido.Para(valor, SiglaUFDoCodigo(cUF));
}

// A state registration as written: "ISENTO" (exact case) unchanged, anything
// else reduced to its digits.
std::string inscricaoEstadual(const std::string &ie)
{
    return ie == "ISENTO" ? ie : SomenteDigitos(ie);
}

} // namespace

// ---- ide -------------------------------------------------------------------------

void TNFeW::EscreveIde()
{
    const TIde &ide = NFe.ide;
    const bool desde300 = versao() >= 3;

    Gerador.EscreveGrupo("ide", "B01");
    Gerador.EscreveCampo(vcInteiro, "B02", "cUF", 2, 2, 1, ide.cUF, "Código do UF (Unidade da Federação)");
    if (!CodigoUFValido(ide.cUF))
        alertaConteudoInvalido("B02", "cUF", "Código do UF (Unidade da Federação)");
    Gerador.EscreveCampo(vcTexto, "B03", "cNF", 8, 8, 1,
                         InteiroComZeros(CodigoNumericoDaChave(NFe.infNFe.Id), 8),
                         "Número da Nota Fiscal Eletrônica");
    Gerador.EscreveCampo(vcTexto, "B04", "natOp", 1, 60, 1, ide.natOp, "Descrição da Natureza da Operação");
    if (versao() < 4)
        Gerador.EscreveCampo(vcTexto, "B05", "indPag", 1, 1, 1, IndFormaPagamentoParaCodigo(ide.indPag),
                             "Indicador da forma de pagamento");
    Gerador.EscreveCampo(vcInteiro, "B06", "mod", 2, 2, 1, ide.mod, "Modelo");
    Gerador.EscreveCampo(vcInteiro, "B07", "serie", 1, 3, 1, ide.serie, "Série do Documento Fiscal");
    Gerador.EscreveCampo(vcInteiro, "B08", "nNF", 1, 9, 1, ide.nNF, "Número do Documento Fiscal");
    if (desde300) {
        Gerador.EscreveCampo(vcTexto, "B09", "dhEmi", 25, 25, 1,
                             dataHoraComFuso(ide.dEmi, ide.dEmiFuso, ide.cUF), "Data de emissão");
        if (modelo55() && ide.dSaiEnt != 0)
            Gerador.EscreveCampo(vcTexto, "B10", "dhSaiEnt", 25, 25, 0,
                                 dataHoraComFuso(ide.dSaiEnt, ide.dSaiEntFuso, ide.cUF),
                                 "Data de saída ou entrada da mercadoria/produto");
    } else {
        Gerador.EscreveCampo(vcData, "B09", "dEmi", 10, 10, 1, ide.dEmi, "Data de emissão");
        Gerador.EscreveCampo(vcData, "B10", "dSaiEnt", 10, 10, 0, ide.dSaiEnt,
                             "Data de saída ou entrada da mercadoria/produto");
        if (ide.dSaiEnt > 0)
            Gerador.EscreveCampo(vcHora, "B10a", "hSaiEnt", 8, 8, 0, ide.hSaiEnt,
                                 "Hora de saída ou entrada da mercadoria/produto");
    }
    Gerador.EscreveCampo(vcTexto, "B11", "tpNF", 1, 1, 1, TipoDocFiscalParaCodigo(ide.tpNF),
                         "Tipo do Documento Fiscal");
    if (desde300)
        Gerador.EscreveCampo(vcTexto, "B11a", "idDest", 1, 1, 1, LocalDestinoParaCodigo(ide.idDest),
                             "Destino da Operação");
    Gerador.EscreveCampo(vcInteiro, "B12", "cMunFG", 7, 7, 1, ide.cMunFG, "Código do Município FG");
    if (!CodigoMunicipioValido(ide.cMunFG))
        alertaConteudoInvalido("B12", "cMunFG", "Código do Município FG");
    if (!desde300) {
        EscreveNFref();
        Gerador.IDNivel("B01");
    }
    Gerador.EscreveCampo(vcTexto, "B21", "tpImp", 1, 1, 1, TipoImpressaoParaCodigo(ide.tpImp),
                         "Formato de Impressão do Documento Auxiliar");
    Gerador.EscreveCampo(vcTexto, "B22", "tpEmis", 1, 1, 1, TipoEmissaoParaCodigo(ide.tpEmis),
                         "Forma de Emissão do DF-e");
    Gerador.EscreveCampo(vcInteiro, "B23", "cDV", 1, 1, 1, ide.cDV, "Digito Verificador");
    Gerador.EscreveCampo(vcTexto, "B24", "tpAmb", 1, 1, 1, TipoAmbienteParaCodigo(ide.tpAmb),
                         "Identificação do Ambiente");
    Gerador.EscreveCampo(vcTexto, "B25", "finNFe", 1, 1, 1, FinalidadeEmissaoParaCodigo(ide.finNFe),
                         "Finalidade de emissão da NFe");
    if (desde300) {
        Gerador.EscreveCampo(vcTexto, "B25a", "indFinal", 1, 1, 1, IndConsumidorFinalParaCodigo(ide.indFinal),
                             "Indicador de Operação com Consumidor Final");
        Gerador.EscreveCampo(vcTexto, "B25b", "indPres", 1, 1, 1, IndPresencaParaCodigo(ide.indPres),
                             "Indicador de Presença do Consumidor Final");
    }
    if (versao() >= 4)
        Gerador.EscreveCampo(vcTexto, "B25b", "indIntermed", 1, 1, 0,
                             IntermediacaoParaCodigo(ide.indIntermed),
                             "Indicador de Intermediador/marketplace");
    Gerador.EscreveCampo(vcTexto, "B26", "procEmi", 1, 1, 1, ProcEmissaoParaCodigo(ide.procEmi),
                         "Processo de emissão do DF-e");
    Gerador.EscreveCampo(vcTexto, "B27", "verProc", 1, 20, 1, ide.verProc,
                         "Versão do Processo de emissão do DF-e");
    if (ide.dhCont > 0 || !ide.xJust.empty()) {
        if (desde300)
            Gerador.EscreveCampo(vcTexto, "B28", "dhCont", 25, 25, 1,
                                 dataHoraComFuso(ide.dhCont, ide.dhContFuso, ide.cUF),
                                 "Data e Hora de entrada em contingencia");
        else
            Gerador.EscreveCampo(vcTexto, "B28", "dhCont", 19, 19, 1, FormataDataHoraISO(ide.dhCont),
                                 "Data e Hora de entrada em contingencia");
        Gerador.EscreveCampo(vcTexto, "B29", "xJust", 1, 256, 1, ide.xJust,
                             "Justificativa de entrada em contingencia");
    }
    if (desde300)
        EscreveNFref();
    Gerador.EscreveGrupo("/ide");
}

void TNFeW::EscreveNFref()
{
    const int quantidade = NFe.ide.NFref.count();
    for (int i = 0; i < quantidade; ++i) {
        const TNFrefCollectionItem &ref = NFe.ide.NFref.ObterItem(i);
        Gerador.EscreveGrupo("NFref", "B12a");
        if (!ref.refNFe.empty() || !ref.refNFeSig.empty())
            EscreveRefNFe(i);
        if (ref.refNF.nNF > 0)
            EscreveRefNF(i);
        if (ref.refNFP.nNF > 0)
            EscreveRefNFP(i);
        if (!ref.refCTe.empty())
            EscreveRefCTe(i);
        if (!ref.refECF.nCOO.empty())
            EscreveRefECF(i);
        Gerador.EscreveGrupo("/NFref");
    }
    if (quantidade >= 1000)
        alertaOcorrencias("B12a", "NFref", "Quantidade de Documento Fiscal", 999);
}

void TNFeW::EscreveRefNFe(int i)
{
    const TNFrefCollectionItem &ref = NFe.ide.NFref.ObterItem(i);
    constexpr const char *descricao = "Chave de acesso das NF-e referenciadas";
    if (!ref.refNFe.empty()) {
        Gerador.EscreveCampo(vcDigitos, "B13", "refNFe", 44, 44, 1, SomenteDigitos(ref.refNFe), descricao);
        if (!ChaveAcessoValida(ref.refNFe))
            alertaConteudoInvalido("B13", "refNFe", descricao);
    } else {
        Gerador.EscreveCampo(vcDigitos, "B13", "refNFeSig", 44, 44, 1, SomenteDigitos(ref.refNFeSig),
                             descricao);
    }
}

void TNFeW::EscreveRefNF(int i)
{
    const TRefNF &ref = NFe.ide.NFref.ObterItem(i).refNF;
    Gerador.EscreveGrupo("refNF", "B14");
    Gerador.EscreveCampo(vcInteiro, "B15", "cUF", 2, 2, 1, ref.cUF, "Código do UF (Unidade da Federação)");
    if (!CodigoUFValido(ref.cUF))
        alertaConteudoInvalido("B15", "cUF", "Código do UF (Unidade da Federação)");
    Gerador.EscreveCampo(vcDigitos, "B16", "AAMM", 4, 4, 1, ref.AAMM, "Ano e Mês");
    if (!AnoMesValido(ref.AAMM))
        Gerador.AdicionaAlerta("B16", "AAMM", "Ano e Mês", "Periodo inválido");
    Gerador.EscreveCNPJ("B17", ref.CNPJ, kPaisBrasil, true);
    Gerador.EscreveCampo(vcInteiro, "B18", "mod", 2, 2, 1, ref.mod, "Modelo");
    if (!ModeloNFRefValido(ref.mod, versao()))
        Gerador.AdicionaAlerta("B18", "mod", "Modelo", "Modelo de documento inválido");
    Gerador.EscreveCampo(vcInteiro, "B19", "serie", 1, 3, 1, ref.serie, "Série do Documento Fiscal");
    Gerador.EscreveCampo(vcInteiro, "B20", "nNF", 1, 9, 1, ref.nNF, "Número do Documento Fiscal");
    Gerador.EscreveGrupo("/refNF");
}

void TNFeW::EscreveRefNFP(int i)
{
    const TRefNFP &ref = NFe.ide.NFref.ObterItem(i).refNFP;
    Gerador.EscreveGrupo("refNFP", "B20a");
    Gerador.EscreveCampo(vcInteiro, "B20b", "cUF", 2, 2, 1, ref.cUF, "Código do UF (Unidade da Federação)");
    if (!CodigoUFValido(ref.cUF))
        alertaConteudoInvalido("B20b", "cUF", "Código do UF (Unidade da Federação)");
    Gerador.EscreveCampo(vcDigitos, "B20c", "AAMM", 4, 4, 1, ref.AAMM, "Ano e Mês");
    if (!AnoMesValido(ref.AAMM))
        Gerador.AdicionaAlerta("B20c", "AAMM", "Ano e Mês", "Periodo inválido");
    Gerador.EscreveCNPJouCPF("B20d", "B20e", ref.CNPJCPF, 1, true);
    Gerador.EscreveCampo(vcTexto, "B20f", "IE", 1, 14, 1, ref.IE, "Inscrição Estadual");
    Gerador.EscreveCampo(vcInteiro, "B20f", "mod", 2, 2, 1, ref.mod, "Modelo");
    Gerador.EscreveCampo(vcInteiro, "B20g", "serie", 1, 3, 1, ref.serie, "Série do Documento Fiscal");
    Gerador.EscreveCampo(vcInteiro, "B20h", "nNF", 1, 9, 1, ref.nNF, "Número do Documento Fiscal");
    Gerador.EscreveGrupo("/refNFP");
}

void TNFeW::EscreveRefCTe(int i)
{
    const std::string &refCTe = NFe.ide.NFref.ObterItem(i).refCTe;
    Gerador.EscreveCampo(vcDigitos, "B20i", "refCTe", 44, 44, 1, SomenteDigitos(refCTe),
                         "Chave de acesso do CT-e referenciado");
    if (!ChaveAcessoValida(refCTe))
        alertaConteudoInvalido("B20i", "refCTe", "Chave de acesso do CT-e referenciado");
}

void TNFeW::EscreveRefECF(int i)
{
    const TRefECF &ref = NFe.ide.NFref.ObterItem(i).refECF;
    Gerador.EscreveGrupo("refECF", "B20j");
    Gerador.EscreveCampo(vcTexto, "B20k", "mod", 2, 2, 1, ModeloECFParaCodigo(ref.mod), "Modelo");
    Gerador.EscreveCampo(vcInteiro, "B20l", "nECF", 3, 3, 1, ref.nECF, "Número de ordem seqüencial do ECF");
    Gerador.EscreveCampo(vcInteiro, "B20m", "nCOO", 6, 6, 1, ref.nCOO,
                         "Número do Contador de Ordem de Operação - COO");
    Gerador.EscreveGrupo("/refECF");
}

// ---- emit ------------------------------------------------------------------------

void TNFeW::EscreveEmit()
{
    const TEmit &emit = NFe.emit;
    Gerador.EscreveGrupo("emit", "C01");
    Gerador.EscreveCNPJouCPF("C02", "C02a", emit.CNPJCPF, 1, true);
    Gerador.EscreveCampo(vcTexto, "C03", "xNome", 2, 60, 1, emit.xNome, "Razão Social ou Nome");
    Gerador.EscreveCampo(vcTexto, "C04", "xFant", 1, 60, 0, emit.xFant, "Nome de Fantasia");
    EscreveEnderEmit();
    Gerador.IDNivel("C01");
    Gerador.EscreveCampo(vcTexto, "C17", "IE", 0, 14, 1, inscricaoEstadual(emit.IE), "Inscrição Estadual");
    if (Opcoes.ValidarInscricoes() && NFe.ide.procEmi != pem1) {
        if (emit.IE.empty())
            Gerador.AdicionaAlerta("C17", "IE", "Inscrição Estadual", "Nenhum valor informado");
        else if (!InscricaoEstadualValida(emit.IE, SiglaUFDoCodigo(NFe.ide.cUF)))
            alertaConteudoInvalido("C17", "IE", "Inscrição Estadual");
    }
    Gerador.EscreveCampo(vcTexto, "C18", "IEST", 2, 14, 0, emit.IEST,
                         "Inscrição Estadual do Substituto tributário");
    Gerador.EscreveCampo(vcTexto, "C19", "IM", 1, 15, 0, emit.IM, "Inscrição Municipal");
    if (!emit.IM.empty())
        Gerador.EscreveCampo(vcTexto, "C20", "CNAE", 7, 7, 0, emit.CNAE,
                             "Classificação Nacional de Atividades Econômicas");
    if (versao() >= 2)
        Gerador.EscreveCampo(vcTexto, "C21", "CRT", 1, 1, 1, RegimeTributarioParaCodigo(emit.CRT),
                             "Código de Regime Tributário");
    Gerador.EscreveGrupo("/emit");
}

void TNFeW::EscreveEnderEmit()
{
    const TenderEmit &ender = NFe.emit.enderEmit;
    // The emitter is always Brazilian: its own country code is not read.
    std::string uf, xMun;
    int cMun = 0;
    AjustaMunicipioUF(ender.cMun, ender.xMun, ender.UF, kPaisBrasil, uf, xMun, cMun);

    Gerador.EscreveGrupo("enderEmit", "C05");
    Gerador.EscreveCampo(vcTexto, "C06", "xLgr", 2, 60, 1, ender.xLgr, "Logradouro");
    Gerador.EscreveCampo(vcTexto, "C07", "nro", 1, 60, 1, ender.nro, "Número");
    Gerador.EscreveCampo(vcTexto, "C08", "xCpl", 1, 60, 0, ender.xCpl, "Complemento (Endereço)");
    Gerador.EscreveCampo(vcTexto, "C09", "xBairro", 2, 60, 1, ender.xBairro, "Bairro");
    Gerador.EscreveCampo(vcInteiro, "C10", "cMun", 1, 7, 1, cMun, "Código do Município");
    if (!CodigoMunicipioValido(cMun))
        alertaConteudoInvalido("C10", "cMun", "Código do Município");
    Gerador.EscreveCampo(vcTexto, "C11", "xMun", 2, 60, 1, xMun, "Nome do Município");
    Gerador.EscreveCampo(vcTexto, "C12", "UF", 2, 2, 1, uf, "Sigla da UF");
    if (!SiglaUFValida(uf))
        alertaConteudoInvalido("C12", "UF", "Sigla da UF");
    Gerador.EscreveCampo(vcInteiro, "C13", "CEP", 8, 8, 1, ender.CEP, "CEP");
    Gerador.EscreveCampo(vcInteiro, "C14", "cPais", 4, 4, 0, kPaisBrasil, "Código do País");
    Gerador.EscreveCampo(vcTexto, "C15", "xPais", 1, 60, 0, ender.xPais, "Nome do País");
    Gerador.EscreveCampo(vcTexto, "C16", "fone", 6, 14, 0, SomenteDigitos(ender.fone), "Telefone");
    Gerador.EscreveGrupo("/enderEmit");
}

// ---- avulsa ----------------------------------------------------------------------

void TNFeW::EscreveAvulsa()
{
    const TAvulsa &avulsa = NFe.avulsa;
    if (trimText(avulsa.CNPJ).empty())
        return;
    Gerador.EscreveGrupo("avulsa", "D01");
    Gerador.EscreveCampo(vcTexto, "D02", "CNPJ", 14, 14, 1, avulsa.CNPJ, "CNPJ(MF)");
    Gerador.EscreveCampo(vcTexto, "D03", "xOrgao", 1, 60, 1, avulsa.xOrgao, "Orgão emitente");
    Gerador.EscreveCampo(vcTexto, "D04", "matr", 1, 60, 1, avulsa.matr, "Matrícula do agente");
    Gerador.EscreveCampo(vcTexto, "D05", "xAgente", 1, 60, 1, avulsa.xAgente, "Nome do agente");
    Gerador.EscreveCampo(vcTexto, "D06", "fone", 6, 14, 0, SomenteDigitos(avulsa.fone), "Telefone");
    Gerador.EscreveCampo(vcTexto, "D07", "UF", 2, 2, 1, avulsa.UF, "Sigla da UF");
    if (!SiglaUFValida(avulsa.UF))
        alertaConteudoInvalido("D07", "UF", "Sigla da UF");
    Gerador.EscreveCampo(vcTexto, "D08", "nDAR", 1, 60, 0, avulsa.nDAR,
                         "Número do Documento Arrecadação de Receita");
    Gerador.EscreveCampo(vcData, "D09", "dEmi", 10, 10, 0, avulsa.dEmi, "Data de emissão");
    Gerador.EscreveCampo(vcDecimal2, "D10", "vDAR", 1, 15, 0, avulsa.vDAR,
                         "Valor total constante no Documento de arrecadação de Receita");
    Gerador.EscreveCampo(vcTexto, "D11", "repEmi", 1, 60, 1, avulsa.repEmi, "Repartição Fiscal emitente");
    Gerador.EscreveCampo(vcData, "D12", "dPag", 10, 10, 0, avulsa.dPag,
                         "Data de pagamento do Documento de Arrecadação");
    Gerador.EscreveGrupo("/avulsa");
}

// ---- dest ------------------------------------------------------------------------

void TNFeW::EscreveDest()
{
    const TDest &dest = NFe.dest;
    const bool m55 = modelo55();
    const int ocorrencia55 = m55 ? 1 : 0;

    Gerador.EscreveGrupo("dest", "E01");
    const int cPais = dest.enderDest.cPais;
    if (versao() >= 3 && (!dest.idEstrangeiro.empty() || (cPais != 0 && cPais != kPaisBrasil)))
        Gerador.EscreveCampo(vcTexto, "E03a", "idEstrangeiro", 0, 20, 1, dest.idEstrangeiro,
                             "Documento de Identificação do Estrangeiro");
    else
        Gerador.EscreveCNPJouCPF("E02", "E03", dest.CNPJCPF, ocorrencia55, true);

    const std::string xNome = NFe.ide.tpAmb == taHomologacao
                                  ? std::string("NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL")
                                  : dest.xNome;
    Gerador.EscreveCampo(vcTexto, "E04", "xNome", 2, 60, ocorrencia55, xNome, "Razão Social ou Nome");

    std::string ufEndereco;
    if (m55 || !dest.enderDest.xLgr.empty())
        EscreveEnderDest(ufEndereco);
    Gerador.IDNivel("E01");

    if (versao() < 3.1)
        NFe.dest.indIEDest = iie1;
    else
        Gerador.EscreveCampo(vcTexto, "E16a", "indIEDest", 1, 1, 1,
                             IndIEDestinatarioParaCodigo(dest.indIEDest), "Indicador da IE do Destinatário");

    if (dest.indIEDest != iie2 && (!dest.IE.empty() || versao() < 3)) {
        // A blank registration (only spaces) of an NFC-e is left out.
        const bool ieEmBranco = !dest.IE.empty() && trimText(dest.IE).empty();
        if (!(ieEmBranco && NFe.ide.mod == 65))
            Gerador.EscreveCampo(vcTexto, "E17", "IE", 0, 14, 1, inscricaoEstadual(dest.IE),
                                 "Inscrição Estadual");
        if (Opcoes.ValidarInscricoes() && !dest.IE.empty() && dest.IE != "ISENTO" &&
            !InscricaoEstadualValida(dest.IE, ufEndereco))
            alertaConteudoInvalido("E17", "IE", "Inscrição Estadual");
    }

    Gerador.EscreveCampo(vcTexto, "E18", "ISUF", 8, 9, 0, dest.ISUF, "Inscrição na SUFRAMA");
    if (Opcoes.ValidarInscricoes() && !dest.ISUF.empty() && !InscricaoSUFRAMAValida(dest.ISUF))
        alertaConteudoInvalido("E18", "ISUF", "Inscrição na SUFRAMA");
    Gerador.EscreveCampo(vcTexto, "E18a", "IM", 1, 15, 0, dest.IM, "Inscrição Municipal");
    Gerador.EscreveCampo(vcTexto, "E19", "email", 1, 60, 0, dest.email, "Endereço de Email");
    Gerador.EscreveGrupo("/dest");
}

void TNFeW::EscreveEnderDest(std::string &UFOut)
{
    const TenderDest &ender = NFe.dest.enderDest;
    std::string xMun;
    int cMun = 0;
    AjustaMunicipioUF(ender.cMun, ender.xMun, ender.UF, ender.cPais, UFOut, xMun, cMun);

    Gerador.EscreveGrupo("enderDest", "E05");
    Gerador.EscreveCampo(vcTexto, "E06", "xLgr", 2, 60, 1, ender.xLgr, "Logradouro");
    Gerador.EscreveCampo(vcTexto, "E07", "nro", 1, 60, 1, ender.nro, "Número");
    Gerador.EscreveCampo(vcTexto, "E08", "xCpl", 1, 60, 0, ender.xCpl, "Complemento (Endereço)");
    Gerador.EscreveCampo(vcTexto, "E09", "xBairro", 1, 60, 1, ender.xBairro, "Bairro");
    Gerador.EscreveCampo(vcInteiro, "E10", "cMun", 1, 7, 1, cMun, "Código do Município");
    if (!CodigoMunicipioValido(cMun))
        alertaConteudoInvalido("E10", "cMun", "Código do Município");
    Gerador.EscreveCampo(vcTexto, "E11", "xMun", 2, 60, 1, xMun, "Nome do Município");
    Gerador.EscreveCampo(vcTexto, "E12", "UF", 2, 2, 1, UFOut, "Sigla da UF");
    if (!SiglaUFValida(UFOut))
        alertaConteudoInvalido("E12", "UF", "Sigla da UF");
    Gerador.EscreveCampo(vcInteiro, "E13", "CEP", 8, 8, 0, ender.CEP, "CEP");
    Gerador.EscreveCampo(vcInteiro, "E14", "cPais", 2, 4, 0, ender.cPais, "Código do País");
    if (ender.cPais > 0 && ConfereCodigoPais(ender.cPais) != 1)
        alertaConteudoInvalido("E14", "cPais", "Código do País");
    Gerador.EscreveCampo(vcTexto, "E15", "xPais", 2, 60, 0, ender.xPais, "Nome do País");
    Gerador.EscreveCampo(vcTexto, "E16", "fone", 6, 14, 0, SomenteDigitos(ender.fone), "Telefone");
    Gerador.EscreveGrupo("/enderDest");
}

// ---- retirada, entrega -----------------------------------------------------------

void TNFeW::EscreveRetirada()
{
    EscreveLocal(NFe.retirada, true);
}

void TNFeW::EscreveEntrega()
{
    EscreveLocal(NFe.entrega, false);
}

// The pick-up place (F) and the delivery place (G) share their fields; only
// the pick-up place has its city adjusted, with the emitter's country.
void TNFeW::EscreveLocal(const TLocalNFe &local, bool retirada)
{
    if (trimText(local.xLgr).empty())
        return;
    const char letra = retirada ? 'F' : 'G';
    auto id = [letra](std::string_view numero) { return letra + std::string(numero); };

    std::string uf = local.UF, xMun = local.xMun;
    int cMun = local.cMun;
    if (retirada)
        AjustaMunicipioUF(local.cMun, local.xMun, local.UF, NFe.emit.enderEmit.cPais, uf, xMun, cMun);

    const std::string grupo = retirada ? "retirada" : "entrega";
    Gerador.EscreveGrupo(grupo, id("01"));
    Gerador.EscreveCNPJouCPF(id("02"), id("02a"), local.CNPJCPF, 1, false);
    Gerador.EscreveCampo(vcTexto, id("02b"), "xNome", 2, 60, 0, local.xNome, "Razão Social ou Nome");
    Gerador.EscreveCampo(vcTexto, id("03"), "xLgr", 2, 60, 1, local.xLgr, "Logradouro");
    Gerador.EscreveCampo(vcTexto, id("04"), "nro", 1, 60, 1, local.nro, "Número");
    Gerador.EscreveCampo(vcTexto, id("05"), "xCpl", 1, 60, 0, local.xCpl, "Complemento (Endereço)");
    Gerador.EscreveCampo(vcTexto, id("06"), "xBairro", 1, 60, 1, local.xBairro, "Bairro");
    Gerador.EscreveCampo(vcInteiro, id("07"), "cMun", 1, 7, 1, cMun, "Código do Município");
    if (!CodigoMunicipioValido(cMun))
        alertaConteudoInvalido(id("07"), "cMun", "Código do Município");
    Gerador.EscreveCampo(vcTexto, id("08"), "xMun", 2, 60, 1, xMun, "Nome do Município");
    Gerador.EscreveCampo(vcTexto, id("09"), "UF", 2, 2, 1, uf, "Sigla da UF");
    if (!SiglaUFValida(uf))
        alertaConteudoInvalido(id("09"), "UF", "Sigla da UF");
    Gerador.EscreveCampo(vcInteiro, id("10"), "CEP", 8, 8, 0, local.CEP, "CEP");
    Gerador.EscreveCampo(vcInteiro, id("11"), "cPais", 2, 4, 0, local.cPais, "Código do País");
    if (local.cPais > 0 && ConfereCodigoPais(local.cPais) != 1)
        alertaConteudoInvalido(id("11"), "cPais", "Código do País");
    Gerador.EscreveCampo(vcTexto, id("12"), "xPais", 2, 60, 0, local.xPais, "Nome do País");
    Gerador.EscreveCampo(vcTexto, id("13"), "fone", 6, 14, 0, SomenteDigitos(local.fone), "Telefone");
    Gerador.EscreveCampo(vcTexto, id("14"), "email", 1, 60, 0, local.email, "Endereço de Email");
    if (local.IE == "ISENTO")
        Gerador.EscreveCampo(vcTexto, id("15"), "IE", 0, 14, 1, local.IE, "Inscrição Estadual");
    else
        Gerador.EscreveCampo(vcTexto, id("15"), "IE", 2, 14, 0, SomenteDigitos(local.IE),
                             "Inscrição Estadual");
    Gerador.EscreveGrupo("/" + grupo);
}

// ---- autXML ----------------------------------------------------------------------

void TNFeW::EscreveAutXML()
{
    const int quantidade = NFe.autXML.count();
    for (int i = 0; i < quantidade; ++i) {
        Gerador.EscreveGrupo("autXML", "G50");
        Gerador.EscreveCNPJouCPF("G51", "G52", NFe.autXML.ObterItem(i).CNPJCPF, 1, true);
        Gerador.EscreveGrupo("/autXML");
    }
    if (quantidade > 10)
        alertaOcorrencias("G50", "autXML", "", 10);
}
