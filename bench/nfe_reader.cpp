// Reading a note must stay linear in its number of items, and close to what
// a plain XML parse of the same text costs. Compare BM_NFeRead/990 with
// BM_NFeRead/99 (at most 12 times) and with BM_LibXml2Parse/990 (at most
// twice). Both run with the allocator as the program has it.

#include <string>

#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include "nfe/document/nfe_model.h"
#include "nfe/document/nfe_reader.h"

namespace {

// An authorised 4.00 note with `items` items, laid out as the writer lays it
// out: goods with ICMS, IPI, PIS and COFINS, a batch and an observation.
std::string notaComItens(int items)
{
    std::string xml =
        "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe versao=\"4.00\" "
        "Id=\"NFe35240512345678000195550010000012341000012344\"><ide><cUF>35</cUF><cNF>00001234</cNF>"
        "<natOp>VENDA DE MERCADORIA</natOp><mod>55</mod><serie>1</serie><nNF>1234</nNF>"
        "<dhEmi>2024-05-17T10:30:00-03:00</dhEmi><tpNF>1</tpNF><idDest>1</idDest><cMunFG>3550308</cMunFG>"
        "<tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>4</cDV><tpAmb>2</tpAmb><finNFe>1</finNFe><indFinal>0"
        "</indFinal>"
        "<indPres>1</indPres><procEmi>0</procEmi><verProc>1.0</verProc></ide>"
        "<emit><CNPJ>12345678000195</CNPJ><xNome>EMPRESA DE TESTE LTDA</xNome><enderEmit><xLgr>RUA DAS FLORES"
        "</xLgr><nro>100</nro><xBairro>CENTRO</xBairro><cMun>3550308</cMun><xMun>SAO PAULO</xMun><UF>SP</UF>"
        "<CEP>01001000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais></enderEmit><IE>123456789012</IE>"
        "<CRT>3</CRT></emit><dest><CNPJ>11222333000181</CNPJ><xNome>CLIENTE DE TESTE</xNome><enderDest>"
        "<xLgr>AVENIDA BRASIL</xLgr><nro>2000</nro><xBairro>JARDIM</xBairro><cMun>3509502</cMun>"
        "<xMun>CAMPINAS</xMun><UF>SP</UF><CEP>13010000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
        "</enderDest><indIEDest>1</indIEDest><IE>987654321098</IE></dest>";
    for (int i = 1; i <= items; ++i) {
        const std::string n = std::to_string(i);
        xml +=
            "<det nItem=\"" + n + "\"><prod><cProd>P" + n +
            "</cProd><cEAN>SEM GTIN</cEAN><xProd>PRODUTO DE TESTE " + n +
            " &amp; CIA</xProd><NCM>09012100</NCM><CFOP>5102</CFOP><uCom>UN</uCom><qCom>2.0000</qCom>"
            "<vUnCom>10.5000000000</vUnCom><vProd>21.00</vProd><cEANTrib>SEM GTIN</cEANTrib><uTrib>UN</uTrib>"
            "<qTrib>2.0000</qTrib><vUnTrib>10.5000000000</vUnTrib><indTot>1</indTot><rastro><nLote>L" +
            n +
            "</nLote><qLote>2.000</qLote><dFab>2024-01-01</dFab><dVal>2025-01-01</dVal></rastro></prod>"
            "<imposto><vTotTrib>5.25</vTotTrib><ICMS><ICMS00><orig>0</orig><CST>00</CST><modBC>3</modBC>"
            "<vBC>21.00</vBC><pICMS>18.0000</pICMS><vICMS>3.78</vICMS></ICMS00></ICMS><IPI><cEnq>999</cEnq>"
            "<IPITrib><CST>50</CST><vBC>21.00</vBC><pIPI>5.0000</pIPI><vIPI>1.05</vIPI></IPITrib></IPI>"
            "<PIS><PISAliq><CST>01</CST><vBC>21.00</vBC><pPIS>1.6500</pPIS><vPIS>0.35</vPIS></PISAliq></PIS>"
            "<COFINS><COFINSAliq><CST>01</CST><vBC>21.00</vBC><pCOFINS>7.6000</pCOFINS><vCOFINS>1.60"
            "</vCOFINS></COFINSAliq></COFINS></imposto><infAdProd>ITEM " +
            n + "</infAdProd></det>";
    }
    xml += "<total><ICMSTot><vBC>21.00</vBC><vICMS>3.78</vICMS><vICMSDeson>0.00</vICMSDeson><vFCP>0.00</vFCP>"
           "<vBCST>0.00</vBCST><vST>0.00</vST><vFCPST>0.00</vFCPST><vFCPSTRet>0.00</vFCPSTRet><vProd>21.00"
           "</vProd>"
           "<vFrete>0.00</vFrete><vSeg>0.00</vSeg><vDesc>0.00</vDesc><vII>0.00</vII><vIPI>1.05</vIPI>"
           "<vIPIDevol>0.00</vIPIDevol><vPIS>0.35</vPIS><vCOFINS>1.60</vCOFINS><vOutro>0.00</vOutro>"
           "<vNF>22.05</vNF></ICMSTot></total><transp><modFrete>9</modFrete></transp>"
           "<pag><detPag><tPag>01</tPag><vPag>22.05</vPag></detPag></pag>"
           "<infAdic><infCpl>INFORMACOES COMPLEMENTARES</infCpl></infAdic></infNFe>"
           "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo><Reference "
           "URI=\"#NFe35240512345678000195550010000012341000012344\"><DigestValue>ZGlnZXN0</DigestValue>"
           "</Reference></SignedInfo><SignatureValue>c2lnbmF0dXJl</SignatureValue><KeyInfo><X509Data>"
           "<X509Certificate>Y2VydGlmaWNhdGU=</X509Certificate></X509Data></KeyInfo></Signature></NFe>"
           "<protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SP_NFE_PL009_V4</verAplic>"
           "<chNFe>35240512345678000195550010000012341000012344</chNFe><dhRecbto>2024-05-17T10:31:00-03:00"
           "</dhRecbto><nProt>135240000000001</nProt><digVal>ZGlnZXN0</digVal><cStat>100</cStat>"
           "<xMotivo>Autorizado o uso da NF-e</xMotivo></infProt></protNFe></nfeProc>";
    return xml;
}

void BM_NFeRead(benchmark::State &state)
{
    const std::string xml = notaComItens(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        TNFe nfe;
        TNFeR leitor(nfe);
        leitor.Leitor().setArquivo(xml);
        leitor.ImportarXml();
        benchmark::DoNotOptimize(nfe.det.count());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_NFeRead)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

void BM_LibXml2Parse(benchmark::State &state)
{
    const std::string xml = notaComItens(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        xmlDocPtr doc =
            xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, nullptr, XML_PARSE_NONET);
        benchmark::DoNotOptimize(doc);
        xmlFreeDoc(doc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * xml.size()));
}
BENCHMARK(BM_LibXml2Parse)->Arg(99)->Arg(990)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
