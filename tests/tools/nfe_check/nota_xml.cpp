#include "nota_xml.h"

#include <cstdio>
#include <exception>

#include "foundation/text/text_utils.h"
#include "input_file.h"
#include "nfe/document/nfe_reader.h"

bool importarNotaXml(const std::string &caminho, TNFe &nfe, std::string &texto)
{
    if (!lerArquivo(caminho, texto)) {
        std::fprintf(stderr, "Não foi possível ler o arquivo \"%s\"\n", caminho.c_str());
        return false;
    }
    TNFeR leitor(nfe);
    leitor.Leitor().setArquivo(texto);
    try {
        leitor.ImportarXml();
    } catch (const std::exception &erro) {
        std::fprintf(stderr, "%s\n", erro.what());
        return false;
    }
    return true;
}

IdentificadoresLidos identificadoresDe(const TNFe &nfe)
{
    return {nfe.infNFe.Id, nfe.ide.cDV, nfe.Signature.URI, nfe.procNFe.chNFe};
}

std::vector<std::string> contradicoesDaNota(const IdentificadoresLidos &lidos, const TNFe &escrita)
{
    std::vector<std::string> mensagens;
    const std::string &id = escrita.infNFe.Id;
    if (id != lidos.id)
        mensagens.push_back("A chave de acesso escrita (" + id + ") difere da lida (" + lidos.id + ")");
    if (escrita.ide.cDV != lidos.cDV)
        mensagens.push_back("O dígito verificador cDV lido (" + std::to_string(lidos.cDV) +
                            ") não confere com a chave de acesso (" + std::to_string(escrita.ide.cDV) + ")");
    if (!lidos.uri.empty() && lidos.uri != "#" + lidos.id)
        mensagens.push_back("A assinatura se refere a " + lidos.uri + ", não ao Id da nota (" + lidos.id +
                            ")");
    if (!lidos.chNFe.empty() && lidos.chNFe != SomenteDigitos(lidos.id))
        mensagens.push_back("O protocolo se refere à chave " + lidos.chNFe + ", não à chave da nota (" +
                            lidos.id + ")");
    return mensagens;
}
