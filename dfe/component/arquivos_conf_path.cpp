#include "dfe/component/arquivos_conf.h"

#include "dfe/component/configuracoes.h"
#include "dfe/component/detail/pastas.h"
#include "dfe/component/quib_dfe.h"
#include "dfe/ssl/dfe_ssl.h"
#include "foundation/numbers/number_date_utils.h"
#include "foundation/text/text_utils.h"

namespace {

void preencherOrdemPadrao(TArquivosConf &arquivos)
{
    const auto adicionar = [&](TTagOrdenacaoPath parte) { arquivos.OrdenacaoPath.Novo().Item = parte; };
    if (arquivos.SepararPorCNPJ)
        adicionar(opCNPJ);
    if (arquivos.SepararPorIE)
        adicionar(opIE);
    if (arquivos.SepararPorModelo)
        adicionar(opModelo);
    if (arquivos.SepararPorAno || arquivos.SepararPorMes() || arquivos.SepararPorDia())
        adicionar(opData);
    if (arquivos.AdicionarLiteral)
        adicionar(opLiteral);
}

} // namespace

std::string TArquivosConf::MontarPath(std::string_view pasta, std::string_view literal, std::string_view cnpj,
                                      std::string_view ie, TDateTime data, std::string_view modeloDescr)
{
    std::string caminho = pastas::semBrancos(pasta).empty() ? PathSalvar() : std::string(pasta);
    if (OrdenacaoPath.Count() == 0)
        preencherOrdemPadrao(*this);
    TQuibDFe *componente = configuracoes_.Owner();

    for (int i = 0; i < OrdenacaoPath.Count(); ++i) {
        switch (OrdenacaoPath.ObterItem(i).Item) {
        case opCNPJ: {
            std::string digitos = SomenteDigitos(cnpj);
            if (digitos.empty() && componente != nullptr)
                digitos = SomenteDigitos(componente->SSL().CNPJDoCertificado());
            if (!digitos.empty())
                caminho = pastas::juntar(caminho, digitos);
            break;
        }
        case opIE:
            if (const std::string digitos = SomenteDigitos(ie); !digitos.empty())
                caminho = pastas::juntar(caminho, digitos);
            break;
        case opModelo: {
            std::string modelo(modeloDescr);
            if (modelo.empty() && componente != nullptr)
                modelo = componente->NomeDoModeloDFe();
            caminho = pastas::juntar(caminho, modelo);
            break;
        }
        case opData: {
            const DateTimeParts partes = decodeDateTime(data == 0 ? nowLocal() : data);
            const std::string ano = InteiroComZeros(partes.year, 4);
            const std::string mes = InteiroComZeros(partes.month, 2);
            if (SepararPorAno)
                caminho = pastas::juntar(caminho, ano);
            if (SepararPorMes()) {
                caminho = pastas::juntar(caminho, SepararPorAno ? mes : ano + mes);
                if (SepararPorDia())
                    caminho = pastas::juntar(caminho, InteiroComZeros(partes.day, 2));
            }
            break;
        }
        case opLiteral:
            if (!literal.empty() && !caminho.ends_with(literal))
                caminho = pastas::juntar(caminho, literal);
            break;
        case opNenhum:
            break;
        }
    }
    pastas::garantirPasta(caminho);
    return caminho;
}

std::string TArquivosConf::baseDownload(std::string_view nome)
{
    if (DownloadDFe.PathDownload.empty())
        DownloadDFe.PathDownload = PathSalvar();
    std::string base = DownloadDFe.PathDownload;
    if (DownloadDFe.SepararPorNome && !nome.empty()) {
        std::string limpo;
        for (const char c : nome)
            if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
                limpo += c;
        base = pastas::juntar(base, limpo);
    }
    return base;
}

std::string TArquivosConf::MontarPathDownload(std::string_view nome, std::string_view cnpj,
                                              std::string_view ie, TDateTime data)
{
    return MontarPath(baseDownload(nome), "Down", cnpj, ie, data, "");
}

std::string TArquivosConf::MontarPathDownloadEvento(TpcnTipoEvento tipoEvento, std::string_view nome,
                                                    std::string_view cnpj, std::string_view ie,
                                                    TDateTime data)
{
    const std::string caminho = MontarPath(baseDownload(nome), "Evento", cnpj, ie, data, "");
    return AdicionarLiteral ? SubpastaCriada(caminho, TipoEventoParaNome(tipoEvento)) : caminho;
}

std::string TArquivosConf::SubpastaCriada(std::string_view pasta, std::string_view subpasta)
{
    std::string caminho = pastas::juntar(pasta, subpasta);
    pastas::garantirPasta(caminho);
    return caminho;
}
