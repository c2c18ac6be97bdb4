#include <array>
#include <fstream>
#include <iterator>

#include "foundation/base/quib_exception.h"
#include "foundation/files/file_utils.h"
#include "foundation/text/text_utils.h"
#include "foundation/xml/xml_text_utils.h"
#include "nfe/services/notas_fiscais.h"
#include "nfe/services/quib_nfe.h"

namespace {

// The next occurrence of a tag at or after a position, remembered between
// calls so that walking a text of many documents searches each part of it
// once per tag.
class ProximaTag {
  public:
    ProximaTag(std::string_view texto, std::string_view tag) : texto_(texto), tag_(tag) {}

    // npos when there is none at or after `inicio`.
    std::size_t aPartirDe(std::size_t inicio)
    {
        if (!buscada_ || (posicao_ != std::string_view::npos && posicao_ < inicio)) {
            posicao_ = procurar(inicio);
            buscada_ = true;
        }
        return posicao_;
    }

  private:
    // An opening tag must be followed by a blank, ">" or "/" (so "<NFe" does
    // not stop at "<NFeOutra"); closing tags are searched whole.
    std::size_t procurar(std::size_t inicio) const
    {
        std::size_t pos = texto_.find(tag_, inicio);
        const bool abertura = tag_.back() != '>';
        while (abertura && pos != std::string_view::npos) {
            const std::size_t depois = pos + tag_.size();
            if (depois >= texto_.size())
                return std::string_view::npos;
            const char c = texto_[depois];
            if (c == '>' || c == '/' || static_cast<unsigned char>(c) <= 32)
                break;
            pos = texto_.find(tag_, depois);
        }
        return pos;
    }

    std::string_view texto_;
    std::string_view tag_;
    std::size_t posicao_ = std::string_view::npos;
    bool buscada_ = false;
};

std::size_t pularBrancos(std::string_view texto, std::size_t pos)
{
    while (pos < texto.size() && static_cast<unsigned char>(texto[pos]) <= 32)
        ++pos;
    return pos;
}

std::string lerArquivoInteiro(std::string_view nome)
{
    std::ifstream arquivo{std::string(nome), std::ios::binary};
    if (!arquivo)
        throw EQuibException("Arquivo não encontrado ou sem permissão de leitura: " + std::string(nome));
    std::string conteudo{std::istreambuf_iterator<char>(arquivo), std::istreambuf_iterator<char>()};
    if (arquivo.bad())
        throw EQuibException("Erro ao ler o arquivo: " + std::string(nome));
    return conteudo;
}

} // namespace

bool TNotasFiscais::CarregarArquivo(std::string_view NomeArquivo, bool GerarXML)
{
    std::string texto = lerArquivoInteiro(NomeArquivo);
    if (ExtraiDeclaracaoXML(texto).empty())
        texto.insert(0, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    const std::size_t antes = notas_.size();
    const bool resultado = CarregarTexto(texto, GerarXML);
    for (std::size_t i = antes; i < notas_.size(); ++i)
        notas_[i]->ArquivoXML = std::string(NomeArquivo);
    return resultado;
}

// Each document of the text ends at the closing tag of the root element that
// opens first in what is left (nfeProc, procNFe or a bare NFe), so a bare note
// followed by an authorised one gives two notes. The walk keeps offsets into
// the text and searches each tag forward only, linear in its size.
bool TNotasFiscais::CarregarTexto(std::string_view Texto, bool GerarXML)
{
    const std::string nativo = XMLUTF8ParaNativo(Texto);
    const std::string_view texto = nativo;

    struct Raiz {
        ProximaTag abertura;
        ProximaTag fechamento;
        std::size_t tamanhoFechamento;
    };
    std::array<Raiz, 3> raizes = {
        Raiz{ProximaTag(texto, "<nfeProc"), ProximaTag(texto, "</nfeProc>"), 10},
        Raiz{ProximaTag(texto, "<procNFe"), ProximaTag(texto, "</procNFe>"), 10},
        Raiz{ProximaTag(texto, "<NFe"), ProximaTag(texto, "</NFe>"), 6},
    };
    Raiz &nfeNua = raizes[2];

    std::size_t inicio = pularBrancos(texto, 0);
    while (nfeNua.fechamento.aPartirDe(inicio) != std::string_view::npos) {
        Raiz *primeira = nullptr;
        std::size_t posPrimeira = std::string_view::npos;
        for (Raiz &raiz : raizes) {
            const std::size_t pos = raiz.abertura.aPartirDe(inicio);
            if (pos < posPrimeira) {
                posPrimeira = pos;
                primeira = &raiz;
            }
        }
        Raiz *escolhida = &nfeNua;
        if (primeira != nullptr && primeira->fechamento.aPartirDe(inicio) != std::string_view::npos)
            escolhida = primeira;
        const std::size_t fim = escolhida->fechamento.aPartirDe(inicio) + escolhida->tamanhoFechamento;

        NotaFiscal &nota = AdicionarNota();
        nota.CarregarXML(texto.substr(inicio, fim - inicio));
        if (GerarXML)
            nota.GerarTextoXML();
        inicio = pularBrancos(texto, fim);
    }
    return !notas_.empty();
}

bool TNotasFiscais::GravarArquivoTXT(std::string_view NomeArquivo)
{
    if (notas_.empty())
        return false;
    std::string conteudo = "NOTA FISCAL|" + std::to_string(notas_.size()) + "\r\n";
    for (auto &nota : notas_) {
        std::string txt = NormalizaQuebras(nota->GerarTextoTXT(), "\r\n");
        while (!txt.empty() && (txt.back() == '\n' || txt.back() == '\r'))
            txt.pop_back();
        if (!txt.empty())
            conteudo += txt + "\r\n";
    }
    const std::string nome =
        NomeArquivo.empty()
            ? IncluiBarraFinal(componente_->Configuracoes().Arquivos().PathSalvar()) + "NFe.TXT"
            : std::string(NomeArquivo);
    GravaTextoEmArquivo(nome, ConvertePaginaCodigo(conteudo, 1252, 65001), false, false, true);
    return true;
}
