#include <cstdint>
#include <string>

#include "sample_notes.h"

namespace testsupport {

namespace {

// Cents as the layouts write money: "22.05".
std::string money(std::int64_t cents)
{
    std::string fraction = std::to_string(cents % 100);
    if (fraction.size() < 2)
        fraction.insert(0, "0");
    return std::to_string(cents / 100) + "." + fraction;
}

} // namespace

std::string authorisedNoteXml(int items)
{
    const std::string key = kSampleKey;
    std::string xml =
        "<nfeProc versao=\"4.00\" xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
        "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe versao=\"4.00\" Id=\"NFe" +
        key +
        "\"><ide><cUF>35</cUF><cNF>00001234</cNF>"
        "<natOp>VENDA DE MERCADORIA</natOp><mod>55</mod><serie>1</serie><nNF>1234</nNF>"
        "<dhEmi>2024-05-17T10:30:00-03:00</dhEmi><tpNF>1</tpNF><idDest>1</idDest><cMunFG>3550308</cMunFG>"
        "<tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>" +
        key.substr(43) +
        "</cDV><tpAmb>2</tpAmb><finNFe>1</finNFe><indFinal>0</indFinal>"
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
    // Each item: 21.00 of goods, ICMS 3.78 on 21.00, IPI 1.05, PIS 0.35,
    // COFINS 1.60; the note is worth goods plus IPI.
    const std::int64_t count = items;
    const std::string vNF = money(2205 * count);
    xml += "<total><ICMSTot><vBC>" + money(2100 * count) + "</vBC><vICMS>" + money(378 * count) +
           "</vICMS><vICMSDeson>0.00</vICMSDeson><vFCP>0.00</vFCP>"
           "<vBCST>0.00</vBCST><vST>0.00</vST><vFCPST>0.00</vFCPST><vFCPSTRet>0.00</vFCPSTRet><vProd>" +
           money(2100 * count) +
           "</vProd><vFrete>0.00</vFrete><vSeg>0.00</vSeg><vDesc>0.00</vDesc><vII>0.00</vII><vIPI>" +
           money(105 * count) + "</vIPI><vIPIDevol>0.00</vIPIDevol><vPIS>" + money(35 * count) +
           "</vPIS><vCOFINS>" + money(160 * count) + "</vCOFINS><vOutro>0.00</vOutro><vNF>" + vNF +
           "</vNF></ICMSTot></total><transp><modFrete>9</modFrete></transp>"
           "<pag><detPag><tPag>01</tPag><vPag>" +
           vNF +
           "</vPag></detPag></pag>"
           "<infAdic><infCpl>INFORMACOES COMPLEMENTARES</infCpl></infAdic></infNFe>"
           "<Signature xmlns=\"http://www.w3.org/2000/09/xmldsig#\"><SignedInfo><Reference URI=\"#NFe" +
           key +
           "\"><DigestValue>ZGlnZXN0</DigestValue>"
           "</Reference></SignedInfo><SignatureValue>c2lnbmF0dXJl</SignatureValue><KeyInfo><X509Data>"
           "<X509Certificate>Y2VydGlmaWNhdGU=</X509Certificate></X509Data></KeyInfo></Signature></NFe>"
           "<protNFe versao=\"4.00\"><infProt><tpAmb>2</tpAmb><verAplic>SP_NFE_PL009_V4</verAplic>"
           "<chNFe>" +
           key +
           "</chNFe><dhRecbto>2024-05-17T10:31:00-03:00"
           "</dhRecbto><nProt>135240000000001</nProt><digVal>ZGlnZXN0</digVal><cStat>100</cStat>"
           "<xMotivo>Autorizado o uso da NF-e</xMotivo></infProt></protNFe></nfeProc>";
    return xml;
}

std::string noteTxt(int items)
{
    std::string text =
        "NOTAFISCAL|1\r\n"
        "A|4.00|NFe" +
        std::string(kSampleKey) +
        "\r\n"
        "B|35|00001234|VENDA|55|1|1234|2024-05-17T10:30:15-03:00||1|1|3550308|1|1|4|2|1|1|1|0|APP|||\r\n"
        "C|EMPRESA DE TESTE LTDA|FANTASIA|123456789012|||4711|3\r\nC02|12345678000195\r\n"
        "C05|RUA A|10||CENTRO|3550308|SAO PAULO|SP|01001000|1058|BRASIL|1133334444\r\n"
        "E|CLIENTE|1|ISENTO|||cliente@example.com\r\nE02|11222333000181\r\n";
    for (int i = 1; i <= items; ++i) {
        const std::string n = std::to_string(i);
        text += "H|" + n + "|ITEM " + n + "\r\n";
        text +=
            "I|P" + n + "|SEM GTIN|PRODUTO " + n +
            "|22030000||5102|UN|2.0000|10.5000000000|21.00|SEM GTIN|UN|2.0000|10.5000000000|||||1|||||\r\n";
        text += "I18|DI" + n + "|2024-01-02|SANTOS|SP|2024-01-03|1|10.00|1|11222333000181|SP|EXP\r\n";
        text += "I25|1|1|FAB|0.50|\r\nI25|2|2|FAB|0.50|\r\nI50|\r\nI52|240000000001||1.0000\r\n";
        text += "M|3.78\r\nN|\r\nN02|0|00|3|21.00|18.00|3.78||\r\nO|||0|999\r\nO07|50|2.10\r\n"
                "O10|21.00|10.00|2.10\r\n";
        text += "Q|\r\nQ02|01|21.00|1.65|0.35\r\nS|\r\nS02|01|21.00|7.60|1.60\r\n";
    }
    // Each item: 21.00 of goods, ICMS 3.78 on 21.00 (also its approximate
    // tax), IPI 2.10, PIS 0.35, COFINS 1.60; the note is worth goods plus IPI.
    const std::int64_t count = items;
    const std::string vNF = money(2310 * count);
    text += "W|\r\nW02|" + money(2100 * count) + "|" + money(378 * count) + "|0|0|0|0|0|0|" +
            money(2100 * count) + "|0|0|0|0|" + money(210 * count) + "|0|" + money(35 * count) + "|" +
            money(160 * count) + "|0|" + vNF + "|" + money(378 * count) +
            "\r\n"
            "X|9\r\nYA|\r\nYA01|0|01|" +
            vNF + "\r\nZ||INFORMACOES\r\n";
    return text;
}

} // namespace testsupport
