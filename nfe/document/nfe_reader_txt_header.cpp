// TXT records of the identification, the referenced documents, the parties and
// the places of an NF-e.

#include <array>

#include "nfe/document/detail/nfe_reader_txt_records.h"

namespace txt_reader {

namespace {

void lerIdentificacao(const Registro &r)
{
    TIde &ide = r.nfe.ide;
    ide.cUF = r.inteiro("cUF");
    ide.cNF = r.inteiro("cNF");
    ide.natOp = r.texto("natOp");
    if (!r.desde400())
        ide.indPag = CodigoParaIndFormaPagamento(r.texto("indPag"));
    ide.mod = r.inteiro("mod");
    ide.serie = r.inteiro("serie");
    ide.nNF = r.inteiro("nNF");
    if (r.ate200()) {
        ide.dEmi = r.data("dEmi");
        ide.dSaiEnt = r.data("dSaiEnt");
        ide.hSaiEnt = r.hora("hSaiEnt");
    } else {
        ide.dEmi = r.dataHora("dhEmi", ide.dEmiFuso);
        ide.dSaiEnt = r.dataHora("dhSaiEnt", ide.dSaiEntFuso);
    }
    ide.tpNF = CodigoParaTipoDocFiscal(r.texto("tpNF"));
    ide.idDest = CodigoParaLocalDestino(r.texto("idDest"));
    ide.cMunFG = r.inteiro("cMunFG");
    ide.tpImp = CodigoParaTipoImpressao(r.texto("tpImp"));
    ide.tpEmis = CodigoParaTipoEmissao(r.texto("tpEmis"));
    ide.cDV = r.inteiro("cDV");
    ide.tpAmb = CodigoParaTipoAmbiente(r.texto("tpAmb"));
    ide.finNFe = CodigoParaFinalidadeEmissao(r.texto("finNFe"));
    ide.indFinal = CodigoParaIndConsumidorFinal(r.texto("indFinal"));
    ide.indPres = CodigoParaIndPresenca(r.texto("indPres"));
    ide.procEmi = CodigoParaProcEmissao(r.texto("procEmi"));
    ide.verProc = r.texto("verProc");
    ide.dhCont = r.dataHora("dhCont", ide.dhContFuso);
    ide.xJust = r.texto("xJust");
}

// ---- Referenced documents ------------------------------------------------------

void lerRefNFe(const Registro &r)
{
    r.nfe.ide.NFref.NovoItem().refNFe = r.bruto("refNFe");
}

void lerRefNF(const Registro &r)
{
    TRefNF &ref = r.nfe.ide.NFref.NovoItem().refNF;
    ref.cUF = r.inteiro("cUF");
    ref.AAMM = r.bruto("AAMM");
    ref.CNPJ = r.bruto("CNPJ");
    ref.mod = r.inteiro("mod");
    ref.serie = r.inteiro("serie");
    ref.nNF = r.inteiro("nNF");
}

void lerRefNFP(const Registro &r)
{
    TNFrefCollectionItem &item = r.nfe.ide.NFref.NovoItem();
    TRefNFP &ref = item.refNFP;
    ref.cUF = r.inteiro("cUF");
    ref.AAMM = r.bruto("AAMM");
    ref.IE = r.texto("IE");
    ref.mod = r.texto("mod");
    ref.serie = r.inteiro("serie");
    ref.nNF = r.inteiro("nNF");
    if (r.desde310())
        item.refCTe = r.bruto("refCTe");
}

// The producer's CNPJ or CPF completes the latest reference; without one the
// record is ignored.
void lerRefNFPCNPJ(const Registro &r)
{
    if (TNFrefCollection &refs = r.nfe.ide.NFref; !refs.empty())
        refs.ObterItem(refs.count() - 1).refNFP.CNPJCPF = r.bruto("CNPJ");
}

void lerRefNFPCPF(const Registro &r)
{
    if (TNFrefCollection &refs = r.nfe.ide.NFref; !refs.empty())
        refs.ObterItem(refs.count() - 1).refNFP.CNPJCPF = r.bruto("CPF");
}

void lerRefCTe(const Registro &r)
{
    r.nfe.ide.NFref.NovoItem().refCTe = r.bruto("refCTe");
}

void lerRefECF(const Registro &r)
{
    TRefECF &ref = r.nfe.ide.NFref.NovoItem().refECF;
    ref.mod = CodigoParaModeloECF(r.texto("mod"));
    ref.nECF = r.texto("nECF");
    ref.nCOO = r.texto("nCOO");
}

// ---- Emitter, issuing office, recipient -------------------------------------------

void lerEndereco(const Registro &r, TEnderecoNFe &endereco)
{
    endereco.xLgr = r.texto("xLgr");
    endereco.nro = r.texto("nro");
    endereco.xCpl = r.texto("xCpl");
    endereco.xBairro = r.texto("xBairro");
    endereco.cMun = r.inteiro("cMun");
    endereco.xMun = r.texto("xMun");
    endereco.UF = r.texto("UF");
    endereco.CEP = r.inteiro("CEP");
    endereco.cPais = r.inteiro("cPais");
    endereco.xPais = r.texto("xPais");
    endereco.fone = r.texto("fone");
    if (endereco.cPais == 0) {
        endereco.cPais = kCodigoPaisBrasil;
        endereco.xPais = kNomePaisBrasil;
    }
}

void lerEmitente(const Registro &r)
{
    TEmit &emit = r.nfe.emit;
    emit.xNome = r.texto("xNome");
    emit.xFant = r.texto("xFant");
    emit.IE = r.texto("IE");
    emit.IEST = r.texto("IEST");
    emit.IM = r.texto("IM");
    emit.CNAE = r.texto("CNAE");
    emit.CRT = CodigoParaRegimeTributario(r.texto("CRT"));
    // No layout's record C carries the CNPJ or the CPF, so one read from C02
    // or C02a before it is kept unless this record brings a value.
    if (const std::string cnpj = r.texto("CNPJ"); !cnpj.empty())
        emit.CNPJCPF = cnpj;
    else if (const std::string cpf = r.texto("CPF"); !cpf.empty())
        emit.CNPJCPF = cpf;
}

void lerEmitenteCNPJ(const Registro &r)
{
    if (r.nfe.emit.CNPJCPF.empty())
        r.nfe.emit.CNPJCPF = r.texto("CNPJ");
}

void lerEmitenteCPF(const Registro &r)
{
    if (r.nfe.emit.CNPJCPF.empty())
        r.nfe.emit.CNPJCPF = r.texto("CPF");
}

void lerEnderecoEmitente(const Registro &r)
{
    lerEndereco(r, r.nfe.emit.enderEmit);
}

void lerAvulsa(const Registro &r)
{
    TAvulsa &avulsa = r.nfe.avulsa;
    avulsa.CNPJ = r.texto("CNPJ");
    avulsa.xOrgao = r.texto("xOrgao");
    avulsa.matr = r.texto("matr");
    avulsa.xAgente = r.texto("xAgente");
    avulsa.fone = r.texto("fone");
    avulsa.UF = r.texto("UF");
    avulsa.nDAR = r.texto("nDAR");
    avulsa.dEmi = r.data("dEmi");
    avulsa.vDAR = r.decimal("vDAR");
    avulsa.repEmi = r.texto("repEmi");
    avulsa.dPag = r.data("dPag");
}

void lerDestinatario(const Registro &r)
{
    TDest &dest = r.nfe.dest;
    dest.xNome = r.texto("xNome");
    dest.indIEDest = CodigoParaIndIEDestinatario(r.texto("indIEDest"));
    dest.IE = r.texto("IE");
    dest.ISUF = r.texto("ISUF");
    dest.IM = r.texto("IM");
    dest.email = r.texto("email");
}

void lerDestinatarioCNPJ(const Registro &r)
{
    r.nfe.dest.CNPJCPF = r.texto("CNPJ");
}

void lerDestinatarioCPF(const Registro &r)
{
    r.nfe.dest.CNPJCPF = r.texto("CPF");
}

void lerDestinatarioEstrangeiro(const Registro &r)
{
    r.nfe.dest.idEstrangeiro = r.texto("idEstrangeiro");
}

void lerEnderecoDestinatario(const Registro &r)
{
    lerEndereco(r, r.nfe.dest.enderDest);
}

// ---- Pick-up and delivery places --------------------------------------------------

void lerLocal(const Registro &r, TLocalNFe &local)
{
    local.xLgr = r.texto("xLgr");
    local.nro = r.texto("nro");
    local.xCpl = r.texto("xCpl");
    local.xBairro = r.texto("xBairro");
    local.cMun = r.inteiro("cMun");
    local.xMun = r.texto("xMun");
    local.UF = r.texto("UF");
    local.CEP = r.inteiro("CEP");
    local.cPais = r.inteiro("cPais");
    local.xPais = r.texto("xPais");
    local.fone = r.texto("fone");
    local.email = r.texto("email");
    local.IE = r.texto("IE");
}

TLocalNFe &retirada(TNFe &nfe)
{
    return nfe.retirada;
}

TLocalNFe &entrega(TNFe &nfe)
{
    return nfe.entrega;
}

template <TLocalNFe &(*Local)(TNFe &)> void lerLocalEndereco(const Registro &r)
{
    lerLocal(r, Local(r.nfe));
}

template <TLocalNFe &(*Local)(TNFe &)> void lerLocalCNPJ(const Registro &r)
{
    Local(r.nfe).CNPJCPF = r.texto("CNPJ");
}

template <TLocalNFe &(*Local)(TNFe &)> void lerLocalCPF(const Registro &r)
{
    Local(r.nfe).CNPJCPF = r.texto("CPF");
}

template <TLocalNFe &(*Local)(TNFe &)> void lerLocalNome(const Registro &r)
{
    Local(r.nfe).xNome = r.texto("xNome");
}

void lerAutorizadoCNPJ(const Registro &r)
{
    r.nfe.autXML.NovoItem().CNPJCPF = r.texto("CNPJ");
}

void lerAutorizadoCPF(const Registro &r)
{
    r.nfe.autXML.NovoItem().CNPJCPF = r.texto("CPF");
}

} // namespace

std::span<const TratadorRegistro> tratadoresCabecalho()
{
    static const std::array tabela = {
        TratadorRegistro{"B", lerIdentificacao},
        TratadorRegistro{"B13", lerRefNFe},
        TratadorRegistro{"BA02", lerRefNFe},
        TratadorRegistro{"B14", lerRefNF},
        TratadorRegistro{"BA03", lerRefNF},
        TratadorRegistro{"B20A", lerRefNFP},
        TratadorRegistro{"BA10", lerRefNFP},
        TratadorRegistro{"B20D", lerRefNFPCNPJ},
        TratadorRegistro{"BA13", lerRefNFPCNPJ},
        TratadorRegistro{"B20E", lerRefNFPCPF},
        TratadorRegistro{"BA14", lerRefNFPCPF},
        TratadorRegistro{"B20I", lerRefCTe},
        TratadorRegistro{"B20J", lerRefECF},
        TratadorRegistro{"BA20", lerRefECF},
        TratadorRegistro{"C", lerEmitente},
        TratadorRegistro{"C02", lerEmitenteCNPJ},
        TratadorRegistro{"C02A", lerEmitenteCPF},
        TratadorRegistro{"C05", lerEnderecoEmitente},
        TratadorRegistro{"D", lerAvulsa},
        TratadorRegistro{"E", lerDestinatario},
        TratadorRegistro{"E02", lerDestinatarioCNPJ},
        TratadorRegistro{"E03", lerDestinatarioCPF},
        TratadorRegistro{"E03A", lerDestinatarioEstrangeiro},
        TratadorRegistro{"E05", lerEnderecoDestinatario},
        TratadorRegistro{"F", lerLocalEndereco<retirada>},
        TratadorRegistro{"F02", lerLocalCNPJ<retirada>},
        TratadorRegistro{"F02A", lerLocalCPF<retirada>},
        TratadorRegistro{"F02B", lerLocalNome<retirada>},
        TratadorRegistro{"G", lerLocalEndereco<entrega>},
        TratadorRegistro{"G02", lerLocalCNPJ<entrega>},
        TratadorRegistro{"G02A", lerLocalCPF<entrega>},
        TratadorRegistro{"G02B", lerLocalNome<entrega>},
        TratadorRegistro{"GA02", lerAutorizadoCNPJ},
        TratadorRegistro{"GA03", lerAutorizadoCPF},
    };
    return tabela;
}

} // namespace txt_reader
