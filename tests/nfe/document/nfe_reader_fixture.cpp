#include "nfe_reader_fixture.h"

#include "nfe/document/nfe_reader.h"

namespace reader_fixture {

std::string nota(std::string_view versao, std::string_view conteudo, std::string_view depois)
{
    return "<NFe xmlns=\"http://www.portalfiscal.inf.br/nfe\"><infNFe versao=\"" + std::string(versao) +
           "\" Id=\"NFe" + std::string(kChave) + "\">" + std::string(conteudo) + "</infNFe>" +
           std::string(depois) + "</NFe>";
}

std::string notaComItens(std::string_view versao, std::string_view itens)
{
    return nota(versao, "<ide><tpNF>1</tpNF></ide>" + std::string(itens) +
                            "<total><ICMSTot><vNF>1.00</vNF></ICMSTot></total>");
}

std::string item(int numero, std::string_view conteudo)
{
    return "<det nItem=\"" + std::to_string(numero) + "\">" + std::string(conteudo) + "</det>";
}

void ler(TNFe &nfe, const std::string &xml)
{
    TNFeR leitor(nfe);
    leitor.Leitor().setArquivo(xml);
    leitor.ImportarXml();
}

} // namespace reader_fixture
