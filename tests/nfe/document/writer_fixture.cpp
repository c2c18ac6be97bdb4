#include "writer_fixture.h"

#include "foundation/dates/fuso_horario.h"
#include "foundation/fiscal/random_source.h"
#include "tests/support/run_command.h"

void NFeWriterTest::SetUp()
{
    FusoHorarioGlobal().SetModoDeteccao(tzManual);
    FusoHorarioGlobal().SetTimeZoneStr("-03:00");
    setRandomDraw([](std::int64_t) { return std::int64_t{kFixedNumericCode}; });
}

void NFeWriterTest::TearDown()
{
    resetRandomDraw();
    FusoHorarioGlobal().SetModoDeteccao(tzSistema);
}

const char *const kCSRT = "G8063VRTNDMO8CZRSN0PP1C1GK23D1ACPXIQ";
const char *const kFrameKey = "35240511222333000181550010000012341314159266";

const char *const kFrameGolden =
    "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\">"
    "<infNFe versao=\"4.00\" Id=\"NFe35240511222333000181550010000012341314159266\">"
    "<ide><cUF>35</cUF><cNF>31415926</cNF><natOp>VENDA DE MERCADORIA</natOp><mod>55</mod><serie>1</serie>"
    "<nNF>1234</nNF><dhEmi>2024-05-17T10:30:00-03:00</dhEmi><dhSaiEnt>2024-05-17T11:00:00-03:00</dhSaiEnt>"
    "<tpNF>1</tpNF><idDest>1</idDest><cMunFG>3550308</cMunFG><tpImp>1</tpImp><tpEmis>1</tpEmis><cDV>6</cDV>"
    "<tpAmb>2</tpAmb><finNFe>1</finNFe><indFinal>1</indFinal><indPres>1</indPres><indIntermed>0</indIntermed>"
    "<procEmi>0</procEmi><verProc>1.0</verProc></ide>"
    "<emit><CNPJ>11222333000181</CNPJ><xNome>EMPRESA DE TESTE LTDA</xNome><xFant>TESTE</xFant>"
    "<enderEmit><xLgr>RUA DAS FLORES</xLgr><nro>100</nro><xBairro>CENTRO</xBairro><cMun>3550308</cMun>"
    "<xMun>SAO PAULO</xMun><UF>SP</UF><CEP>01001000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais>"
    "<fone>1133334444</fone></enderEmit><IE>110042490114</IE><CRT>3</CRT></emit>"
    "<dest><CPF>12345678909</CPF><xNome>NF-E EMITIDA EM AMBIENTE DE HOMOLOGACAO - SEM VALOR FISCAL</xNome>"
    "<enderDest><xLgr>AVENIDA BRASIL</xLgr><nro>S/N</nro><xBairro>JARDIM</xBairro><cMun>3509502</cMun>"
    "<xMun>CAMPINAS</xMun><UF>SP</UF><CEP>13010000</CEP><cPais>1058</cPais><xPais>BRASIL</xPais></enderDest>"
    "<indIEDest>9</indIEDest><email>cliente@example.com</email></dest>"
    "<autXML><CPF>12345678909</CPF></autXML>"
    "<total><ICMSTot><vBC>0.00</vBC><vICMS>0.00</vICMS><vICMSDeson>0.00</vICMSDeson><vFCP>0.00</vFCP>"
    "<vBCST>0.00</vBCST><vST>0.00</vST><vFCPST>0.00</vFCPST><vFCPSTRet>0.00</vFCPSTRet><vProd>100.00</vProd>"
    "<vFrete>0.00</vFrete><vSeg>0.00</vSeg><vDesc>0.00</vDesc><vII>0.00</vII><vIPI>0.00</vIPI>"
    "<vIPIDevol>0.00</vIPIDevol><vPIS>0.00</vPIS><vCOFINS>0.00</vCOFINS><vOutro>0.00</vOutro><vNF>100.00</"
    "vNF>"
    "<vTotTrib>12.34</vTotTrib></ICMSTot></total>"
    "<transp><modFrete>9</modFrete></transp>"
    "<cobr><fat><nFat>001</nFat><vOrig>100.00</vOrig><vDesc>0.00</vDesc><vLiq>100.00</vLiq></fat>"
    "<dup><nDup>001</nDup><dVenc>2024-06-17</dVenc><vDup>100.00</vDup></dup></cobr>"
    "<pag><detPag><indPag>0</indPag><tPag>01</tPag><vPag>150.00</vPag></detPag><vTroco>50.00</vTroco></pag>"
    "<infAdic><infCpl>PEDIDO 42</infCpl><obsCont xCampo=\"Pedido\"><xTexto>42</xTexto></obsCont></infAdic>"
    "<infRespTec><CNPJ>11222333000181</CNPJ><xContato>SUPORTE</xContato><email>suporte@example.com</email>"
    "<fone>1133335555</fone><idCSRT>01</idCSRT><hashCSRT>FprYI639tbsCwzd5oSftZWCeQ2o=</hashCSRT></infRespTec>"
    "</infNFe></NFe>";

::testing::AssertionResult wellFormedXml(const std::string &xml)
{
    const testsupport::CommandResult result = testsupport::runCommand({"xmllint", "--noout", "-"}, xml);
    if (result.exitCode == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xmllint: " << result.err;
}
